#include "core/import/csvimport.h"

#include "core/base/progresssink.h"

#include <algorithm>

namespace discora {

namespace {

std::string counted(int n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

bool sameCells(const CsvTable::Row& row, const CsvTable::Row& other)
{
    if (row.cellCount() != other.cellCount())
        return false;
    for (int c = 0; c < row.cellCount(); ++c)
        if (row.cell(c) != other.cell(c))
            return false;
    return true;
}

} // namespace

ImportedAlbums importRows(const CsvTable& table, const ColumnMapping& mapping, int albumCount,
                          ProgressSink* progress)
{
    ImportedAlbums out;
    ImportReport& report = out.report;
    // The column each field is read from, -1 for none.
    std::array<int, kFieldCount> source;
    source.fill(-1);
    std::vector<int> filling;
    std::vector<int> extras;
    for (int c = 0; c < mapping.columnCount(); ++c) {
        const ImportTarget& t = mapping.target(c);
        if (t.fillsField()) {
            source[static_cast<std::size_t>(fieldIndex(t.field))] = c;
            filling.push_back(c);
        } else if (t.isExtra()) {
            extras.push_back(c);
        }
    }

    const int rows = table.rowCount() - 1;
    const auto count = static_cast<std::size_t>(std::max(rows, 0));
    // Room for every album's record at once rather than grown step by step: the texts, two bytes
    // of track number per song slot and the end of each text.
    std::size_t bytes = 0;
    for (int row = 1; row <= rows; ++row) {
        const CsvTable::Row cells = table.rowAt(row);
        for (int c : filling)
            bytes += cells.cell(c).size();
    }
    bytes += count * (2 * kSongSlots + 2 * kFieldCount);
    AlbumStore& albums = out.albums;
    albums.reserve(count, bytes);

    ProgressScope scope(progress, kImportStatusText, static_cast<int>(count));
    const CsvTable::Row headings = table.rowAt(0);
    for (int row = 1; row <= rows; ++row) {
        scope.step();
        const CsvTable::Row cells = table.rowAt(row);
        const auto filled = [&](int c) { return !cells.cell(c).empty(); };
        if (std::none_of(filling.begin(), filling.end(), filled)) {
            ++report.emptyRows;
            continue;
        }
        if (sameCells(cells, headings)) {
            ++report.headingRows;
            continue;
        }
        if (std::any_of(extras.begin(), extras.end(), filled))
            ++report.shortened;
        const auto text = [&](Field f) {
            return cells.cell(source[static_cast<std::size_t>(fieldIndex(f))]);
        };
        std::array<FieldText, kFieldCount> texts;
        std::string number;
        for (int f = 0; f < kFieldCount; ++f) {
            const Field field = fieldAt(f);
            std::string_view value = text(field);
            const int slot = f - fieldIndex(Field::FirstTrack) + 1;
            if (slot >= 1 && slot <= kSongSlots) {
                const bool used = !text(titleField(slot)).empty() || !text(timeField(slot)).empty();
                value = used ? presetTrackNumber(slot) : std::string_view();
            } else if (field == Field::Number && source[static_cast<std::size_t>(f)] < 0) {
                number = std::to_string(albumCount + report.added + 1);
                value = number;
            }
            texts[static_cast<std::size_t>(f)] = {field, value};
        }
        albums.appendAlbum(texts);
        ++report.added;
    }
    return out;
}

std::string importSummary(const ImportReport& report)
{
    std::string text = "Imported " + counted(report.added, "album", "albums");
    if (report.skipped() > 0) {
        text += "; skipped " + counted(report.skipped(), "row", "rows") + " (";
        if (report.emptyRows > 0)
            text += counted(report.emptyRows, "empty", "empty");
        if (report.emptyRows > 0 && report.headingRows > 0)
            text += ", ";
        if (report.headingRows > 0)
            text += counted(report.headingRows, "repeating the headings", "repeating the headings");
        text += ")";
    }
    if (report.shortened > 0)
        text += "; " + counted(report.shortened, "album keeps", "albums keep") + " only the first " +
                std::to_string(kSongSlots) + " songs and " + std::to_string(kPerformerSlots) + " performers";
    return text + ".";
}

} // namespace discora
