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

// A cell's text as the album keeps it: a status by its name, the year of a date, the grade of a
// condition ("Near Mint (NM or M-)" is NM), a rating of 0 to 5, the date of a date and time. From
// a Discogs export, also the medium of a format ("Vinyl, LP, Album") and a name without the
// number Discogs tells namesakes apart by ("Nightjar (2)"). scratch may hold the result.
std::string_view importedText(Field field, std::string_view text, bool discogs, std::string& scratch);

// albumCount: the albums the catalogue holds already, for the numbers; every album gets today as
// its date added unless a column gives one. One progress step per row.
ImportedAlbums importRows(const CsvTable& table, const ColumnMapping& mapping, int albumCount,
                          ProgressSink* progress = nullptr);

// What the status bar says afterwards, e.g. "Imported 12 albums; skipped 1 empty row."
std::string importSummary(const ImportReport& report);

} // namespace discora
