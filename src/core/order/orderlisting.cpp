#include "core/order/orderlisting.h"

#include "core/catalogue/catalogue.h"
#include "core/order/orders.h"

#include <algorithm>

namespace discora {

void appendText(std::string& line, std::string_view text)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* escape = c == '\t'   ? "\\t"
                             : c == '\n' ? "\\n"
                             : c == '\r' ? "\\r"
                             : c == '\\' ? "\\\\"
                                         : nullptr;
        if (!escape)
            continue;
        line.append(text.substr(start, i - start));
        line += escape;
        start = i + 1;
    }
    line.append(text.substr(start));
}

// The field ids of the columns the layout shows on screen, left to right. The view has room for six
// columns, the fixed ones included, and leaves out an empty slot and a column without a left edge;
// a layout read from a file may hold either between its occupied slots.
std::vector<int> shownFieldColumns(const ColumnLayout& layout, int fixedColumns)
{
    constexpr int kColumns = 6;
    std::vector<int> shown;
    for (int column = fixedColumns + 1; column <= kColumns; ++column) {
        const auto slot = static_cast<std::size_t>(column - fixedColumns - 1);
        if (slot >= layout.fieldColumns.size() || layout.fieldColumns[slot] == 0)
            continue;
        if (column > 1 && layout.leftEdges[static_cast<std::size_t>(column - 2)] == 0)
            continue;
        shown.push_back(layout.fieldColumns[slot]);
    }
    return shown;
}

namespace {

void appendColumns(std::string& line, const Catalogue& doc, const std::vector<int>& fields, int album,
                   bool leadingTab)
{
    bool first = !leadingTab;
    for (int field : fields) {
        if (!first)
            line += '\t';
        first = false;
        if (const auto f = fieldOfColumn(field))
            appendText(line, doc.text(*f, album));
        else
            line += "Failed";
    }
}

// The entries of a sorted list visit the albums in no particular order, and each line's texts would
// be a trip to memory of their own: the records of the lines a few entries on are asked for ahead.
class LinePrefetch
{
public:
    LinePrefetch(const Catalogue& doc, const std::vector<int>& fields) : m_albums(doc.albums())
    {
        for (int field : fields)
            if (const auto f = fieldOfColumn(field))
                m_fields.push_back(*f);
    }

    // Before the line of entry i, given the album of any entry.
    template <class AlbumOf> void ahead(std::size_t i, std::size_t count, AlbumOf albumOf, Field own) const
    {
        if (i + kIndexDistance < count)
            m_albums.prefetchIndex(static_cast<int>(albumOf(i + kIndexDistance)));
        if (i + kRecordDistance < count)
            m_albums.prefetchRecord(static_cast<int>(albumOf(i + kRecordDistance)));
        if (i + kTextDistance < count) {
            const int album = static_cast<int>(albumOf(i + kTextDistance));
            m_albums.prefetchTexts(album, fieldIndex(own));
            for (Field f : m_fields)
                m_albums.prefetchTexts(album, fieldIndex(f));
        }
    }

private:
    static constexpr std::size_t kIndexDistance = 32;
    static constexpr std::size_t kRecordDistance = 16;
    static constexpr std::size_t kTextDistance = 8;
    const AlbumStore& m_albums;
    std::vector<Field> m_fields;
};

} // namespace

std::vector<std::string_view> entryTexts(const Catalogue& doc, int position)
{
    std::vector<std::string_view> texts;
    if (position < 0)
        return texts;
    const SortOrder order = doc.currentOrder();
    const DerivedLists& lists = doc.derivedLists();
    const auto entry = static_cast<std::size_t>(position);
    int album = 0;
    switch (sortOrderInfo(order).entries) {
    case EntryList::Songs: {
        if (entry >= lists.songs.size())
            return texts;
        const SongEntry& e = lists.songs[entry];
        album = static_cast<int>(e.album);
        if (e.isHeader())
            return {doc.text(Field::Artist, album)};
        texts = {songTitle(doc, entry), doc.text(trackField(e.slot), album)};
        break;
    }
    case EntryList::Producers:
        if (entry >= lists.producers.size())
            return texts;
        album = static_cast<int>(lists.producers[entry].album);
        texts = {producerName(doc, entry)};
        break;
    case EntryList::Performers: {
        if (entry >= lists.performers.size())
            return texts;
        const PerformerEntry& e = lists.performers[entry];
        if (e.header)
            return {performerName(doc, entry)};
        album = static_cast<int>(e.album);
        texts = {doc.text(instrumentField(e.slot), album)};
        break;
    }
    case EntryList::Albums:
        if (entry >= doc.displayOrder().size())
            return texts;
        album = static_cast<int>(doc.displayOrder()[entry]);
        break;
    }
    const ColumnLayout& layout = doc.columnLayout(layoutOf(order));
    for (int field : shownFieldColumns(layout, sortOrderInfo(order).fixedColumns)) {
        const auto f = fieldOfColumn(field);
        texts.push_back(f ? doc.text(*f, album) : std::string_view("Failed"));
    }
    return texts;
}

namespace {

// Writes the lines of entries 0 to count - 1 in their order: format(line, i) appends entry i's line.
// A long list visits its albums all over the store, and fetching each line's texts in the list's
// order waits on memory at nearly every line; so the lines are made a stretch of the list at a
// time in the order of their albums, which walks the store front to back, and then emitted in
// the list's order. The lines are the same either way.
template <class AlbumOf, class OwnField, class Format>
void emitLines(std::size_t count, AlbumOf albumOf, OwnField ownField, const LinePrefetch& prefetch,
               Format format, const std::function<void(std::string_view line)>& emit)
{
    constexpr std::size_t kGatherFrom = std::size_t{1} << 16;
    constexpr std::size_t kStretch = std::size_t{1} << 18;
    std::string line;
    if (count < kGatherFrom) {
        for (std::size_t i = 0; i < count; ++i) {
            prefetch.ahead(i, count, albumOf, ownField(i));
            line.clear();
            format(line, i);
            emit(line);
        }
        return;
    }
    // Per stretch: its entries as (album, place in the stretch), in album order, and each line's
    // place among the lines made.
    std::vector<std::uint64_t> visit;
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (std::size_t first = 0; first < count; first += kStretch) {
        const std::size_t n = std::min(kStretch, count - first);
        visit.resize(n);
        for (std::size_t k = 0; k < n; ++k)
            visit[k] = (std::uint64_t{albumOf(first + k)} << 32) | k;
        std::sort(visit.begin(), visit.end());
        spans.resize(n);
        line.clear();
        const auto albumAt = [&](std::size_t k) { return static_cast<std::uint32_t>(visit[k] >> 32); };
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t at = static_cast<std::uint32_t>(visit[k]);
            prefetch.ahead(k, n, albumAt, ownField(first + at));
            const std::size_t begin = line.size();
            format(line, first + at);
            spans[at] = {begin, line.size() - begin};
        }
        const std::string_view lines = line;
        for (const auto& [begin, length] : spans)
            emit(lines.substr(begin, length));
    }
}

} // namespace

void listCurrentOrder(const Catalogue& doc, const std::function<void(std::string_view line)>& emit)
{
    const SortOrder order = doc.currentOrder();
    const ColumnLayout& layout = doc.columnLayout(layoutOf(order));
    const DerivedLists& lists = doc.derivedLists();
    // Song lists lead with title and track, the producer and performer lists with one text.
    const std::vector<int> fields = shownFieldColumns(layout, sortOrderInfo(order).fixedColumns);
    const LinePrefetch prefetch(doc, fields);
    switch (sortOrderInfo(order).entries) {
    case EntryList::Songs: {
        const auto albumOf = [&](std::size_t i) { return lists.songs[i].album; };
        const auto ownField = [&](std::size_t i) {
            return titleField(std::max<int>(lists.songs[i].slot, 1));
        };
        const auto format = [&](std::string& line, std::size_t i) {
            const SongEntry& e = lists.songs[i];
            const int album = static_cast<int>(e.album);
            if (e.isHeader()) {
                appendText(line, doc.text(Field::Artist, album));
                return;
            }
            appendText(line, songTitle(doc, i));
            line += '\t';
            appendText(line, doc.text(trackField(e.slot), album));
            appendColumns(line, doc, fields, album, true);
        };
        emitLines(lists.songs.size(), albumOf, ownField, prefetch, format, emit);
        break;
    }
    case EntryList::Producers: {
        const auto albumOf = [&](std::size_t i) { return lists.producers[i].album; };
        const auto ownField = [](std::size_t) { return Field::Producer1; };
        const auto format = [&](std::string& line, std::size_t i) {
            appendText(line, producerName(doc, i));
            appendColumns(line, doc, fields, static_cast<int>(lists.producers[i].album), true);
        };
        emitLines(lists.producers.size(), albumOf, ownField, prefetch, format, emit);
        break;
    }
    case EntryList::Performers: {
        const auto albumOf = [&](std::size_t i) { return lists.performers[i].album; };
        const auto ownField = [&](std::size_t i) {
            return instrumentField(std::max<int>(lists.performers[i].slot, 1));
        };
        const auto format = [&](std::string& line, std::size_t i) {
            const PerformerEntry& e = lists.performers[i];
            if (e.header) {
                appendText(line, performerName(doc, i));
                return;
            }
            appendText(line, doc.text(instrumentField(e.slot), static_cast<int>(e.album)));
            appendColumns(line, doc, fields, static_cast<int>(e.album), true);
        };
        emitLines(lists.performers.size(), albumOf, ownField, prefetch, format, emit);
        break;
    }
    case EntryList::Albums: {
        std::string line;
        const auto& shown = doc.displayOrder();
        const auto albumOf = [&](std::size_t i) { return shown[i]; };
        for (std::size_t i = 0; i < shown.size(); ++i) {
            prefetch.ahead(i, shown.size(), albumOf, Field::Artist);
            line.clear();
            appendColumns(line, doc, fields, static_cast<int>(shown[i]), false);
            emit(line);
        }
        break;
    }
    }
}

} // namespace discora
