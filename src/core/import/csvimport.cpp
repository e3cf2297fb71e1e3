#include "core/import/csvimport.h"

#include "core/catalogue/progresssink.h"

#include <algorithm>

namespace discora {

namespace {

std::string counted(int n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

bool sameCells(const CsvTable& table, int row, int other)
{
    const int count = table.cellCount(row);
    if (count != table.cellCount(other))
        return false;
    for (int c = 0; c < count; ++c)
        if (table.cell(row, c) != table.cell(other, c))
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
    const bool numbered = source[static_cast<std::size_t>(fieldIndex(Field::Number))] >= 0;

    const int rows = table.rowCount() - 1;
    ProgressScope scope(progress, kImportStatusText, std::max(rows, 0));
    AlbumStore& albums = out.albums;
    for (int f = 0; f < kFieldCount; ++f)
        albums.column(fieldAt(f)).reserve(static_cast<std::size_t>(std::max(rows, 0)), 0);
    for (int row = 1; row <= rows; ++row) {
        scope.step();
        const auto filled = [&](int c) { return !table.cell(row, c).empty(); };
        if (std::none_of(filling.begin(), filling.end(), filled)) {
            ++report.emptyRows;
            continue;
        }
        if (sameCells(table, row, 0)) {
            ++report.headingRows;
            continue;
        }
        if (std::any_of(extras.begin(), extras.end(), filled))
            ++report.shortened;
        const auto text = [&](Field f) {
            return table.cell(row, source[static_cast<std::size_t>(fieldIndex(f))]);
        };
        for (int f = 0; f < kFieldCount; ++f) {
            const Field field = fieldAt(f);
            TextColumn& column = albums.column(field);
            const int slot = f - fieldIndex(Field::FirstTrack) + 1;
            if (slot >= 1 && slot <= kSongSlots) {
                const bool used = !text(titleField(slot)).empty() || !text(timeField(slot)).empty();
                column.append(used ? presetTrackNumber(slot) : std::string());
            } else if (field == Field::Number && !numbered) {
                column.append(std::to_string(albumCount + report.added + 1));
            } else {
                column.append(text(field));
            }
        }
        ++report.added;
    }
    albums.resize(report.added);
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
