#include "core/settings/customheadings.h"

#include "core/document/cataloguedocument.h"
#include "core/settings/appsettings.h"

#include <utility>

namespace discora {

void applyCustomHeadings(std::string first, std::string second, AppSettings& settings, CatalogueDocument& doc)
{
    if (doc.albumCount() > 0)
        doc.setModified(true);
    settings.applyHeadings({std::move(first), std::move(second)}, &doc);
}

} // namespace discora
