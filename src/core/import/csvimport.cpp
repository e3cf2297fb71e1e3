#include "core/import/csvimport.h"

#include "core/base/blanks.h"
#include "core/base/cp1252.h"
#include "core/base/progresssink.h"
#include "core/model/albumdetails.h"

#include <algorithm>
#include <optional>

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

// Whether the text begins with n digits.
bool digitsAt(std::string_view text, std::size_t n)
{
    return text.size() >= n && allDigits(text.substr(0, n));
}

// A grade named by a condition such as "Near Mint (NM or M-)", "VG+" or "vg+", or nothing.
std::optional<std::string_view> gradeIn(std::string_view text)
{
    const auto grade = [](std::string_view word) -> std::optional<std::string_view> {
        for (std::string_view g : kConditionGrades)
            if (cp1252::foldCase(g) == cp1252::foldCase(word))
                return g;
        return std::nullopt;
    };
    text = trimmedBlanks(text);
    if (const auto g = grade(text))
        return g;
    const auto open = text.find('(');
    if (open == std::string_view::npos)
        return std::nullopt;
    std::string_view inside = text.substr(open + 1);
    inside = inside.substr(0, std::min(inside.find(' '), inside.find(')')));
    return grade(inside);
}

// "Artist (2)", as Discogs tells apart artists of one name: the name alone.
std::string_view withoutNumberSuffix(std::string_view name)
{
    if (name.size() > 4 && name.back() == ')') {
        const auto open = name.rfind(" (");
        if (open != std::string_view::npos && open + 3 < name.size() &&
            allDigits(name.substr(open + 2, name.size() - open - 3)))
            return name.substr(0, open);
    }
    return name;
}

} // namespace

std::string_view importedText(Field field, std::string_view text, bool discogs, std::string& scratch)
{
    switch (field) {
    case Field::Status: return scratch = storedStatus(statusOf(trimmedBlanks(text)));
    case Field::Year:
        // "1979", "1979-05-00": the year; anything else says none.
        text = trimmedBlanks(text);
        return digitsAt(text, 4) && (text.size() == 4 || text[4] == '-') ? text.substr(0, 4)
                                                                         : std::string_view();
    case Field::MediaCondition:
    case Field::SleeveCondition:
        if (const auto grade = gradeIn(text))
            return *grade;
        return text;
    case Field::Rating: {
        text = trimmedBlanks(text);
        return scratch = text.size() == 1 ? storedRating(ratingOf(text)) : std::string();
    }
    case Field::DateAdded:
    case Field::DateModified:
    case Field::PurchaseDate:
        // "2019-03-04 10:22:33": the date.
        if (validDate(trimmedBlanks(text).substr(0, 10)))
            return trimmedBlanks(text).substr(0, 10);
        return text;
    case Field::MediaType:
        // Discogs's "Vinyl, LP, Album": the medium.
        return discogs ? trimmedBlanks(text.substr(0, text.find(','))) : text;
    case Field::Artist:
    case Field::Label: return discogs ? withoutNumberSuffix(trimmedBlanks(text)) : text;
    default: return text;
    }
}

ImportedAlbums importRows(const CsvTable& table, const ColumnMapping& mapping, int albumCount,
                          ProgressSink* progress)
{
    ImportedAlbums out;
    ImportReport& report = out.report;
    // The column each field is read from, -1 for none.
    std::array<int, kStoredFieldCount> source;
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
    const bool discogs = mapping.discogsExport();
    const std::string today = todaysDate();
    std::array<std::string, kStoredFieldCount> scratch;
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
        std::array<FieldText, kStoredFieldCount> texts;
        std::string number;
        for (int f = 0; f < kStoredFieldCount; ++f) {
            const Field field = fieldAt(f);
            std::string_view value = text(field);
            if (!value.empty())
                value = importedText(field, value, discogs, scratch[static_cast<std::size_t>(f)]);
            const int slot = f - fieldIndex(Field::FirstTrack) + 1;
            if (slot >= 1 && slot <= kSongSlots) {
                const bool used = !text(titleField(slot)).empty() || !text(timeField(slot)).empty();
                value = used ? presetTrackNumber(slot) : std::string_view();
            } else if (field == Field::Number && source[static_cast<std::size_t>(f)] < 0) {
                number = std::to_string(albumCount + report.added + 1);
                value = number;
            } else if (field == Field::DateAdded && value.empty()) {
                value = today;
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
