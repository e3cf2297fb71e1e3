#include "core/commands/commandlineexport.h"

#include "core/document/cataloguedocument.h"
#include "core/export/csvexport.h"
#include "core/export/textexport.h"

namespace discora {

ExportedFile exportDisplayedAlbums(CatalogueDocument& doc, ExportFormat format, SortOrder order,
                                   std::span<const std::pair<FilterField, std::string>> filters,
                                   const ExportSettings& settings)
{
    std::array<std::string, kFilterCount> shown;
    shown.fill(kNoFilter);
    for (const auto& [field, text] : filters)
        shown[static_cast<int>(field)] = text;
    doc.setFilters(shown, CatalogueDocument::FilterSequence::CatalogueOrder);
    doc.runOrder(order);
    const auto& albums = doc.displayOrder();
    return format == ExportFormat::Csv ? csvExport(doc, settings, albums) : textExport(doc, settings, albums);
}

} // namespace discora
