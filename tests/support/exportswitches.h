// Export settings for tests: every display switch on or off, with the given custom headings.
#pragma once

#include "core/export/exportsettings.h"

#include <string>

namespace discora {

inline ExportSettings switchesAll(bool on, std::string heading1, std::string heading2)
{
    ExportSettings s;
    for (ViewOption o : {ViewOption::ShowProducers, ViewOption::ShowLabel, ViewOption::ShowCatalogNum,
                         ViewOption::ShowCustom1, ViewOption::ShowCustom2, ViewOption::ShowQuality,
                         ViewOption::ShowSongs, ViewOption::ShowNotes, ViewOption::ShowPeople})
        s.switches.set(o, on ? 1 : 0);
    s.headings = {std::move(heading1), std::move(heading2)};
    return s;
}

} // namespace discora
