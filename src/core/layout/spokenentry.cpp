#include "core/layout/spokenentry.h"

#include "core/catalogue/catalogue.h"
#include "core/layout/normallayout.h"
#include "core/layout/viewlayout.h"
#include "core/order/orderentries.h"
#include "core/order/orderlisting.h"
#include "core/order/orders.h"

#include <algorithm>
#include <string_view>

namespace discora {

namespace {

// The album block's first two value lines: what identifies an album when it is heard.
constexpr Field kAlbumFields[] = {Field::Artist, Field::AlbumName, Field::MusicType, Field::MediaType,
                                  Field::Number};

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
        const DerivedLists& lists = doc.derivedLists();
        const auto entry = static_cast<std::size_t>(position);
        switch (currentLayoutKind(doc)) {
        case LayoutKind::ArtistShortList: spoken.groupHeading = lists.songs[entry].isHeader(); break;
        case LayoutKind::PerformerList: spoken.groupHeading = lists.performers[entry].header; break;
        default: break;
        }
        for (std::string_view text : entryTexts(doc, position))
            spoken.cells.emplace_back(text);
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
