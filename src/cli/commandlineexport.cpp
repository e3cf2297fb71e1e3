#include "cli/commandlineexport.h"

#include "core/document/cataloguedocument.h"
#include "core/export/csvexport.h"
#include "core/export/textexport.h"

namespace discora {

namespace {

Status showDisplayedAlbums(CatalogueDocument& doc, SortOrder order,
                           std::span<const std::pair<FilterField, std::string>> filters)
{
    std::array<std::string, kFilterCount> shown;
    shown.fill(kNoFilter);
    for (const auto& [field, text] : filters)
        shown[static_cast<int>(field)] = text;
    // As in the window: the filtered albums keep the sequence they had (by artist after a load),
    // and albums the order finds equal stay in it.
    if (Status status = doc.setFilters(shown); !status)
        return Error{status.error()};
    return doc.runOrder(order);
}

} // namespace

Result<ExportedFile> exportDisplayedAlbums(CatalogueDocument& doc, ExportFormat format, SortOrder order,
                                           std::span<const std::pair<FilterField, std::string>> filters,
                                           const ExportSettings& settings)
{
    if (Status status = showDisplayedAlbums(doc, order, filters); !status)
        return Error{status.error()};
    const auto& albums = doc.displayOrder();
    return format == ExportFormat::Csv ? csvExport(doc, settings, albums) : textExport(doc, settings, albums);
}

Result<WebPageReport>
exportDisplayedAlbumsAsWebPage(CatalogueDocument& doc, const std::string& folder, SortOrder order,
                               std::span<const std::pair<FilterField, std::string>> filters,
                               const std::string& title)
{
    if (Status status = showDisplayedAlbums(doc, order, filters); !status)
        return Error{status.error()};
    return exportWebPage(doc, doc.displayOrder(), folder, title);
}

} // namespace discora
