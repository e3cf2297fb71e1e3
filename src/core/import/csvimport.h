// The albums of an imported file: one per row after the heading row, each column's cell in the
// field the mapping gives it. The albums come out as Enter would store them: a song slot with a
// title or a time gets its preset track number ("01" to "26"), any other none; with no column for
// the number, each album gets the number the entry sheet would have offered.
#pragma once

#include "core/import/columnmapping.h"
#include "core/import/csvtable.h"
#include "core/model/albumstore.h"

#include <string>

namespace discora {

class ProgressSink;

inline constexpr const char* kImportStatusText = "Importing the CSV File";

struct ImportReport
{
    int added = 0;
    int emptyRows = 0;   // skipped: no text in any column that fills a field
    int headingRows = 0; // skipped: the heading row once more, as where two files were joined
    int shortened = 0;   // added, but with songs beyond 26 or performers beyond 10 left out

    int skipped() const { return emptyRows + headingRows; }
};

struct ImportedAlbums
{
    AlbumStore albums;
    ImportReport report;
};

// albumCount: the albums the catalogue holds already, for the numbers. One progress step per row.
ImportedAlbums importRows(const CsvTable& table, const ColumnMapping& mapping, int albumCount,
                          ProgressSink* progress = nullptr);

// What the status bar says afterwards, e.g. "Imported 12 albums; skipped 1 empty row."
std::string importSummary(const ImportReport& report);

} // namespace discora
