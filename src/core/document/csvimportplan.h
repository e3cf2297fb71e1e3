// Importing a comma-separated file into the open catalogue, the steps the window and the command
// line share: the file read and decoded and its columns given fields (the user's assignments over
// what the headings name), then its rows added as albums in one step that one Undo takes back.
// Between the two steps the window shows its dialog, where the user may change the mapping.
#pragma once

#include "core/document/cataloguedocument.h"
#include "core/import/columnmapping.h"
#include "core/import/csvimport.h"
#include "core/import/csvtable.h"

#include <array>
#include <span>
#include <string>
#include <utility>

namespace discora {

struct CsvImportPlan
{
    CsvTable table;
    ColumnMapping mapping;
    // The custom headings the columns were matched against, an empty one as its default.
    std::array<std::string, 2> headings;
};

// A column the user names (by heading, in any letter case, or by number) and the field it fills.
using ColumnAssignment = std::pair<std::string, ImportTarget>;

// Fails with "Cannot import "PATH". REASON" when the file cannot be read or is not comma-separated
// text, when an assignment names no column, or when no column fills a field.
Result<CsvImportPlan> planCsvImport(const CatalogueDocument& doc, const std::string& path,
                                    std::span<const ColumnAssignment> assignments = {});

struct CsvImportOutcome
{
    ImportReport report;
    // The albums added, and what the document had to say (memory ran out), as importAlbums has them.
    CatalogueDocument::EditOutcome edit;
};

// The rows of table become albums at the end of the catalogue, numbered after its albums where no
// column gives the number; one progress step per row.
CsvImportOutcome applyCsvImport(CatalogueDocument& doc, const CsvTable& table, const ColumnMapping& mapping);

} // namespace discora
