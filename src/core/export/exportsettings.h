// What decides an export's columns: the display switches the view also follows (ShowProducers,
// ShowLabel, ShowCatalogNum, ShowCustom1, ShowCustom2, ShowQuality, ShowSongs, ShowNotes,
// ShowPeople) and the headings of the two custom fields.
#pragma once

#include "core/model/headings.h"
#include "core/view/catalogue.h"
#include "core/view/displaysettings.h"

#include <array>
#include <string>

namespace discora {

struct ExportSettings
{
    ViewOptions switches;
    std::array<std::string, 2> headings = withDefaultHeadings({});
    // The collection details as further columns after the others (a CSV export only).
    bool withDetails = false;

    static ExportSettings of(const Catalogue& doc) { return {doc.viewOptions(), doc.headings(), false}; }
};

} // namespace discora
