#include "core/document/csvimportplan.h"

#include "core/import/csvreader.h"
#include "core/model/headings.h"

namespace discora {

Result<CsvImportPlan> planCsvImport(const CatalogueDocument& doc, const std::string& path,
                                    std::span<const ColumnAssignment> assignments)
{
    auto table = readCsvFile(path);
    if (!table)
        return Error{table.error()};
    std::array<std::string, 2> headings = withDefaultHeadings(doc.headings());
    const std::vector<std::string_view> columns = table->headings();
    ColumnMapping mapping = ColumnMapping::fromHeadings(columns, headings);
    for (const auto& [column, target] : assignments) {
        const auto c = columnNamed(columns, column);
        if (!c)
            return Error{cannotImport(path, "It has no column \"" + column + "\".")};
        mapping.assign(*c, target);
    }
    if (!mapping.fillsAnyField())
        return Error{cannotImport(path, kImportNoFields)};
    return CsvImportPlan{std::move(*table), std::move(mapping), std::move(headings)};
}

CsvImportOutcome applyCsvImport(CatalogueDocument& doc, const CsvTable& table, const ColumnMapping& mapping)
{
    ImportedAlbums imported = importRows(table, mapping, doc.albumCount(), doc.progress());
    CsvImportOutcome outcome;
    outcome.report = imported.report;
    outcome.edit = doc.importAlbums(std::move(imported.albums));
    return outcome;
}

} // namespace discora
