#include "core/commands/commandlineexport.h"

#include "core/export/csvexport.h"
#include "core/order/orders.h"
#include "core/export/textexport.h"

namespace discora {

ExportedFile exportDisplayedAlbums(CatalogueDocument& doc, ExportFormat format, SortOrder order,
                                   std::span<const std::pair<FilterField, std::string>> filters,
                                   const ExportSettings& settings)
{
    for (int f = 0; f < kFilterCount; ++f)
        doc.setFilter(static_cast<FilterField>(f), kNoFilter);
    for (const auto& [field, text] : filters)
        doc.setFilter(field, text);
    doc.ApplyFilters();
    runOrder(doc, order);
    const auto& albums = doc.displayOrder();
    return format == ExportFormat::Csv ? csvExport(doc, settings, albums) : textExport(doc, settings, albums);
}

} // namespace discora
