#include "core/layout/spokenentry.h"

#include "core/layout/listlayout.h"
#include "core/layout/normallayout.h"
#include "core/layout/rowmodel.h"
#include "core/layout/viewlayout.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <string_view>

namespace discora {

namespace {

// The album block's first two value lines: what identifies an album when it is heard.
constexpr Field kAlbumFields[] = {Field::Artist, Field::AlbumName, Field::MusicType, Field::MediaType,
                                  Field::Number};
constexpr const char* kAlbumHeadings[] = {"Group/Artist", "Album Name", "Music Type", "Media Type", "Number"};
static_assert(std::size(kAlbumFields) == std::size(kAlbumHeadings));

// The song detail block's cells, in the order it paints them; the plan's x positions do not matter.
std::vector<BlockCell> songDetailCells()
{
    std::vector<BlockCell> cells;
    for (const BlockLine& line : songDetailBlock(96, 8).lines)
        cells.insert(cells.end(), line.cells.begin(), line.cells.end());
    return cells;
}

std::string songsOf(const Catalogue& doc, int album)
{
    std::string songs;
    for (int slot = 1; slot <= kSongSlots; ++slot) {
        const std::string_view title = doc.text(titleField(slot), album);
        if (title.empty())
            continue;
        songs += songs.empty() ? "Songs: " : "; ";
        for (std::string_view part :
             {doc.text(trackField(slot), album), title, doc.text(timeField(slot), album)}) {
            if (part.empty())
                continue;
            if (songs.back() != ' ')
                songs += ' ';
            songs.append(part);
        }
    }
    return songs;
}

} // namespace

int spokenColumnCount(const Catalogue& doc)
{
    switch (currentLayoutKind(doc)) {
    case LayoutKind::Normal: return static_cast<int>(std::size(kAlbumFields));
    case LayoutKind::SongDetail: return static_cast<int>(songDetailCells().size());
    default: break;
    }
    // Every line of a column list has the same columns; a group heading has fewer texts.
    for (int position = 0, count = orderEntryCount(doc); position < count; ++position) {
        const SpokenEntry e = spokenEntry(doc, position);
        if (!e.groupHeading)
            return static_cast<int>(e.cells.size());
    }
    return 1;
}

std::vector<std::string> spokenColumnHeadings(const Catalogue& doc)
{
    std::vector<std::string> headings;
    const auto trimmed = [&](std::string_view text) {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        headings.emplace_back(text);
    };
    const LayoutKind kind = currentLayoutKind(doc);
    switch (kind) {
    case LayoutKind::Normal:
        for (const char* heading : kAlbumHeadings)
            trimmed(heading);
        return headings;
    case LayoutKind::SongDetail:
        // Each heading line labels the value line under it, cell for cell.
        for (const BlockLine& line : songDetailBlock(96, 8).lines)
            if (line.kind == BlockLineKind::Heading)
                for (const BlockLabel& label : line.labels)
                    trimmed(label.text);
        return headings;
    default: break;
    }
    const std::string_view custom1 = doc.heading(0);
    const std::string_view custom2 = doc.heading(1);
    const RowModel rows(doc);
    for (const RowColumn& c : rows.columns()) {
        ListColumn column;
        column.source = c.source;
        column.fieldId = c.fieldId;
        trimmed(columnHeading(column, kind, custom1, custom2));
    }
    return headings;
}

SpokenEntry spokenEntry(const Catalogue& doc, int position)
{
    SpokenEntry spoken;
    const auto album = albumOfEntry(doc, position);
    if (!album)
        return spoken;
    const int a = static_cast<int>(*album);
    switch (currentLayoutKind(doc)) {
    case LayoutKind::Normal:
        for (Field f : kAlbumFields)
            spoken.cells.emplace_back(doc.text(f, a));
        spoken.description = songsOf(doc, a);
        break;
    case LayoutKind::SongDetail:
        for (const BlockCell& cell : songDetailCells())
            spoken.cells.emplace_back(cell.source == CellSource::SongTitle
                                          ? songTitle(doc, static_cast<std::size_t>(position))
                                          : doc.text(cell.field, a));
        break;
    default: {
        const RowModel rows(doc);
        const RowEntry entry = *rows.entryAt(position);
        spoken.groupHeading = entry.heading;
        rows.forEachText(entry, [&](std::string_view text) { spoken.cells.emplace_back(text); });
        break;
    }
    }
    for (const std::string& cell : spoken.cells) {
        if (cell.empty())
            continue;
        if (!spoken.name.empty())
            spoken.name += ", ";
        spoken.name += cell;
    }
    return spoken;
}

} // namespace discora
