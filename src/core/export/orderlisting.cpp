#include "core/export/orderlisting.h"

#include "core/base/linetext.h"
#include "core/base/twothreads.h"
#include "core/layout/rowmodel.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace discora {

namespace {

void appendLine(std::string& line, const RowModel& rows, const RowEntry& entry)
{
    bool first = true;
    rows.forEachText(entry, [&](std::string_view text) {
        if (!first)
            line += '\t';
        first = false;
        appendText(line, text);
    });
}

// The entries of a sorted list visit the albums in no particular order, and each line's texts would
// be a trip to memory of their own: the records of the lines a few entries on are asked for ahead.
class LinePrefetch
{
public:
    LinePrefetch(const RowModel& rows, const AlbumStore& albums) : m_rows(rows), m_albums(albums) {}

    // Before the line of entry i of count, given any entry by its number.
    template <class EntryOf> void ahead(std::size_t i, std::size_t count, EntryOf entryOf) const
    {
        if (i + kIndexDistance < count)
            m_albums.prefetchIndex(static_cast<int>(entryOf(i + kIndexDistance).album));
        if (i + kRecordDistance < count)
            m_albums.prefetchRecord(static_cast<int>(entryOf(i + kRecordDistance).album));
        if (i + kTextDistance < count) {
            const RowEntry entry = entryOf(i + kTextDistance);
            m_rows.forEachField(entry, [&](Field f) {
                m_albums.prefetchTexts(static_cast<int>(entry.album), fieldIndex(f));
            });
        }
    }

private:
    static constexpr std::size_t kIndexDistance = 32;
    static constexpr std::size_t kRecordDistance = 16;
    static constexpr std::size_t kTextDistance = 8;
    const RowModel& m_rows;
    const AlbumStore& m_albums;
};

// Writes the lines of the entries in their order.
void emitInOrder(const RowModel& rows, const LinePrefetch& prefetch,
                 const std::function<void(std::string_view line)>& emit)
{
    std::string line;
    const std::size_t count = rows.entryCount();
    const auto entryOf = [&](std::size_t i) { return rows.entry(i); };
    for (std::size_t i = 0; i < count; ++i) {
        prefetch.ahead(i, count, entryOf);
        line.clear();
        appendLine(line, rows, rows.entry(i));
        emit(line);
    }
}

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

// A derived list's entry packed into a sort key beside its album and its place in a stretch: the slot
// in the low bits, the heading in the top one.
constexpr std::uint8_t kHeadingBit = 0x80;

std::uint64_t detailBits(const RowEntry& entry)
{
    return std::uint64_t{entry.slot} | (entry.heading ? kHeadingBit : 0u);
}

RowEntry entryOfKey(std::uint64_t key)
{
    const auto detail = static_cast<std::uint8_t>(key >> 24);
    return {static_cast<std::uint32_t>(key >> 32), static_cast<std::uint8_t>(detail & ~kHeadingBit),
            (detail & kHeadingBit) != 0};
}

// Writes the lines of a derived list in its order. A long list visits its albums all over the store,
// and fetching each line's texts in the list's order waits on memory at nearly every line; so the
// lines are made a stretch of the list at a time in the order of their albums, which walks the
// store front to back, each half of the stretch on a thread of its own, and then emitted in the
// list's order. The lines are the same either way.
void emitGathered(const RowModel& rows, const LinePrefetch& prefetch,
                  const std::function<void(std::string_view line)>& emit)
{
    constexpr std::size_t kGatherFrom = std::size_t{1} << 16;
    constexpr std::size_t kStretch = std::size_t{1} << 18;
    static_assert(kStretch <= (std::size_t{1} << 24));
    const std::size_t count = rows.entryCount();
    if (count < kGatherFrom) {
        emitInOrder(rows, prefetch, emit);
        return;
    }
    // Per stretch: its entries as (album, detail, place in the stretch), in album order, and each
    // line's place among the lines made, the half that made it in the top bit.
    constexpr std::uint64_t kSecondHalf = std::uint64_t{1} << 63;
    std::array<std::string, 2> made;
    std::vector<std::uint64_t> visit;
    std::vector<std::uint64_t> scratch;
    std::vector<std::pair<std::uint64_t, std::size_t>> spans;
    for (std::size_t first = 0; first < count; first += kStretch) {
        const std::size_t n = std::min(kStretch, count - first);
        visit.resize(n);
        for (std::size_t k = 0; k < n; ++k) {
            const RowEntry entry = rows.entry(first + k);
            visit[k] = (std::uint64_t{entry.album} << 32) | (detailBits(entry) << 24) | k;
        }
        sortByAlbum(visit, scratch);
        spans.resize(n);
        const auto entryAt = [&](std::size_t k) { return entryOfKey(visit[k]); };
        const std::size_t middle = n / 2;
        onTwoThreads([&](int half) {
            std::string& lines = made[static_cast<std::size_t>(half)];
            lines.clear();
            const std::size_t from = half == 0 ? 0 : middle;
            const std::size_t to = half == 0 ? middle : n;
            const std::uint64_t which = half == 0 ? 0 : kSecondHalf;
            for (std::size_t k = from; k < to; ++k) {
                prefetch.ahead(k, to, entryAt);
                const std::size_t begin = lines.size();
                appendLine(lines, rows, entryAt(k));
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
    const RowModel rows(doc);
    const LinePrefetch prefetch(rows, doc.albums());
    if (isAlbumOrder(doc.currentOrder()))
        emitInOrder(rows, prefetch, emit);
    else
        emitGathered(rows, prefetch, emit);
}

} // namespace discora
