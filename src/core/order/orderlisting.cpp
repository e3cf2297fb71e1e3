#include "core/order/orderlisting.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/twothreads.h"
#include "core/order/orders.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace discora {

namespace {

// Whether any of the eight bytes of word is a tab, a line break, a carriage return or a backslash.
bool hasEscapeByte(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHigh = 0x8080808080808080;
    const auto hasZeroByte = [](std::uint64_t w) { return ((w - kOnes) & ~w & kHigh) != 0; };
    return hasZeroByte(word ^ (kOnes * '\t')) || hasZeroByte(word ^ (kOnes * '\n')) ||
           hasZeroByte(word ^ (kOnes * '\r')) || hasZeroByte(word ^ (kOnes * '\\'));
}

// Whether text holds a byte appendText writes as an escape.
bool anyEscapeByte(std::string_view text)
{
    // Looked through eight bytes at a time, the last few as a word with zeros after them.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (hasEscapeByte(word))
            return true;
    }
    if (i == text.size())
        return false;
    std::uint64_t rest = 0;
    std::memcpy(&rest, text.data() + i, text.size() - i);
    return hasEscapeByte(rest);
}

} // namespace

void appendText(std::string& line, std::string_view text)
{
    // Most texts have nothing to escape.
    if (!anyEscapeByte(text)) {
        line.append(text);
        return;
    }
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

// The fields of the columns (none for a column id that names no field).
using Columns = std::vector<std::optional<Field>>;

Columns columnsOf(const std::vector<int>& fields)
{
    Columns columns;
    for (int field : fields)
        columns.push_back(fieldOfColumn(field));
    return columns;
}

void appendColumns(std::string& line, const AlbumStore::AlbumTexts& texts, const Columns& columns,
                   bool leadingTab)
{
    bool first = !leadingTab;
    for (const std::optional<Field>& f : columns) {
        if (!first)
            line += '\t';
        first = false;
        if (f)
            appendText(line, texts.text(*f));
        else
            line += "Failed";
    }
}

// The texts of its own an entry's line shows before the layout's columns (a field twice where it has
// one).
using OwnFields = std::array<Field, 2>;

// The entries of a sorted list visit the albums in no particular order, and each line's texts would
// be a trip to memory of their own: the records of the lines a few entries on are asked for ahead.
class LinePrefetch
{
public:
    LinePrefetch(const Catalogue& doc, const Columns& columns) : m_albums(doc.albums())
    {
        for (const std::optional<Field>& f : columns)
            if (f)
                m_fields.push_back(*f);
    }

    // Before the line of entry i, given the album of any entry and the fields of its own texts.
    template <class AlbumOf>
    void ahead(std::size_t i, std::size_t count, AlbumOf albumOf, OwnFields own) const
    {
        if (i + kIndexDistance < count)
            m_albums.prefetchIndex(static_cast<int>(albumOf(i + kIndexDistance)));
        if (i + kRecordDistance < count)
            m_albums.prefetchRecord(static_cast<int>(albumOf(i + kRecordDistance)));
        if (i + kTextDistance < count) {
            const int album = static_cast<int>(albumOf(i + kTextDistance));
            for (Field f : own)
                m_albums.prefetchTexts(album, fieldIndex(f));
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

// An entry of a derived list as its line needs it: its album, and a byte that says the rest (a song
// or performer slot, a producer, a heading).
struct LineEntry
{
    std::uint32_t album;
    std::uint8_t detail;
};

// Sorts the keys (album << 32 | the rest) by their album, the rest of each key in any order: two
// or three passes of counting by 11 bits of the album.
void sortByAlbum(std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& scratch)
{
    constexpr int kDigitBits = 11;
    constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
    std::uint64_t largest = 0;
    for (std::uint64_t key : keys)
        largest = std::max(largest, key >> 32);
    scratch.resize(keys.size());
    std::vector<std::size_t> place(kDigits);
    for (int shift = 32; shift < 64 && (largest >> (shift - 32)) != 0; shift += kDigitBits) {
        std::fill(place.begin(), place.end(), 0);
        for (std::uint64_t key : keys)
            ++place[(key >> shift) & (kDigits - 1)];
        std::size_t at = 0;
        for (std::size_t& p : place)
            at += std::exchange(p, at);
        for (std::uint64_t key : keys)
            scratch[place[(key >> shift) & (kDigits - 1)]++] = key;
        keys.swap(scratch);
    }
}

// Writes the lines of entries 0 to count - 1 in their order: entryAt(i) is entry i, format(line,
// entry) appends its line. A long list visits its albums all over the store, and fetching each
// line's texts in the list's order waits on memory at nearly every line; so the lines are made a
// stretch of the list at a time in the order of their albums, which walks the store front to
// back, each half of the stretch on a thread of its own, and then emitted in the list's order.
// The lines are the same either way.
template <class EntryAt, class OwnFieldsOf, class Format>
void emitLines(std::size_t count, EntryAt entryAt, OwnFieldsOf ownFields, const LinePrefetch& prefetch,
               Format format, const std::function<void(std::string_view line)>& emit)
{
    constexpr std::size_t kGatherFrom = std::size_t{1} << 16;
    constexpr std::size_t kStretch = std::size_t{1} << 18;
    static_assert(kStretch <= (std::size_t{1} << 24));
    std::array<std::string, 2> made;
    if (count < kGatherFrom) {
        std::string& line = made[0];
        const auto albumOf = [&](std::size_t i) { return entryAt(i).album; };
        for (std::size_t i = 0; i < count; ++i) {
            const LineEntry entry = entryAt(i);
            prefetch.ahead(i, count, albumOf, ownFields(entry.detail));
            line.clear();
            format(line, entry);
            emit(line);
        }
        return;
    }
    // Per stretch: its entries as (album, detail, place in the stretch), in album order, and each
    // line's place among the lines made, the half that made it in the top bit.
    constexpr std::uint64_t kSecondHalf = std::uint64_t{1} << 63;
    std::vector<std::uint64_t> visit;
    std::vector<std::uint64_t> scratch;
    std::vector<std::pair<std::uint64_t, std::size_t>> spans;
    for (std::size_t first = 0; first < count; first += kStretch) {
        const std::size_t n = std::min(kStretch, count - first);
        visit.resize(n);
        for (std::size_t k = 0; k < n; ++k) {
            const LineEntry entry = entryAt(first + k);
            visit[k] = (std::uint64_t{entry.album} << 32) | (std::uint64_t{entry.detail} << 24) | k;
        }
        sortByAlbum(visit, scratch);
        spans.resize(n);
        const auto albumAt = [&](std::size_t k) { return static_cast<std::uint32_t>(visit[k] >> 32); };
        const std::size_t middle = n / 2;
        onTwoThreads([&](int half) {
            std::string& lines = made[static_cast<std::size_t>(half)];
            lines.clear();
            const std::size_t from = half == 0 ? 0 : middle;
            const std::size_t to = half == 0 ? middle : n;
            const std::uint64_t which = half == 0 ? 0 : kSecondHalf;
            for (std::size_t k = from; k < to; ++k) {
                const LineEntry entry{albumAt(k), static_cast<std::uint8_t>(visit[k] >> 24)};
                prefetch.ahead(k, to, albumAt, ownFields(entry.detail));
                const std::size_t begin = lines.size();
                format(lines, entry);
                spans[visit[k] & 0xFFFFFF] = {which | begin, lines.size() - begin};
            }
        });
        for (const auto& [begin, length] : spans) {
            const std::string_view lines = made[begin & kSecondHalf ? 1 : 0];
            emit(lines.substr(begin & ~kSecondHalf, length));
        }
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
    const Columns columns = columnsOf(fields);
    const LinePrefetch prefetch(doc, columns);
    switch (sortOrderInfo(order).entries) {
    case EntryList::Songs: {
        const auto entryAt = [&](std::size_t i) {
            const SongEntry& e = lists.songs[i];
            return LineEntry{e.album, e.slot};
        };
        const auto ownFields = [](std::uint8_t slot) {
            const int s = std::max<int>(slot, 1);
            return OwnFields{titleField(s), trackField(s)};
        };
        const auto format = [&](std::string& line, LineEntry entry) {
            const AlbumStore::AlbumTexts texts = doc.albums().albumTexts(static_cast<int>(entry.album));
            const int slot = entry.detail;
            if (slot == 0) { // an artist header
                appendText(line, texts.text(Field::Artist));
                return;
            }
            appendText(line, texts.text(titleField(slot)));
            line += '\t';
            appendText(line, texts.text(trackField(slot)));
            appendColumns(line, texts, columns, true);
        };
        emitLines(lists.songs.size(), entryAt, ownFields, prefetch, format, emit);
        break;
    }
    case EntryList::Producers: {
        const auto entryAt = [&](std::size_t i) {
            const ProducerEntry& e = lists.producers[i];
            return LineEntry{e.album, e.producer};
        };
        const auto ownFields = [](std::uint8_t producer) {
            const Field f = producer == 2 ? Field::Producer2 : Field::Producer1;
            return OwnFields{f, f};
        };
        const auto format = [&](std::string& line, LineEntry entry) {
            appendText(line, producerName(doc, ProducerEntry{entry.album, entry.detail}));
            appendColumns(line, doc.albums().albumTexts(static_cast<int>(entry.album)), columns, true);
        };
        emitLines(lists.producers.size(), entryAt, ownFields, prefetch, format, emit);
        break;
    }
    case EntryList::Performers: {
        // The detail is the slot, with the top bit for a heading.
        constexpr std::uint8_t kHeading = 0x80;
        const auto entryAt = [&](std::size_t i) {
            const PerformerEntry& e = lists.performers[i];
            return LineEntry{e.album, static_cast<std::uint8_t>(e.slot | (e.header ? kHeading : 0))};
        };
        const auto ownFields = [](std::uint8_t detail) {
            const int slot = std::max<int>(detail & ~kHeading, 1);
            return detail & kHeading ? OwnFields{performerField(slot), performerField(slot)}
                                     : OwnFields{instrumentField(slot), instrumentField(slot)};
        };
        const auto format = [&](std::string& line, LineEntry entry) {
            const PerformerEntry e{entry.album, static_cast<std::uint8_t>(entry.detail & ~kHeading),
                                   (entry.detail & kHeading) != 0};
            if (e.header) {
                appendText(line, performerName(doc, e));
                return;
            }
            const AlbumStore::AlbumTexts texts = doc.albums().albumTexts(static_cast<int>(e.album));
            appendText(line, texts.text(instrumentField(e.slot)));
            appendColumns(line, texts, columns, true);
        };
        emitLines(lists.performers.size(), entryAt, ownFields, prefetch, format, emit);
        break;
    }
    case EntryList::Albums: {
        std::string line;
        const auto& shown = doc.displayOrder();
        const auto albumOf = [&](std::size_t i) { return shown[i]; };
        for (std::size_t i = 0; i < shown.size(); ++i) {
            prefetch.ahead(i, shown.size(), albumOf, {Field::Artist, Field::Artist});
            line.clear();
            appendColumns(line, doc.albums().albumTexts(static_cast<int>(shown[i])), columns, false);
            emit(line);
        }
        break;
    }
    }
}

} // namespace discora
