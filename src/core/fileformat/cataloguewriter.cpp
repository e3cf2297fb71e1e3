#include "core/fileformat/cataloguewriter.h"

#include "core/base/cp1252.h"
#include "core/base/stringsink.h"
#include "core/base/twothreads.h"
#include "core/fileformat/albumdetailsblock.h"
#include "core/fileformat/atomicfile.h"
#include "core/fileformat/cataloguefile.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <span>
#include <stdexcept>
#include <vector>

namespace discora {

namespace {

// Appends the file's integers and texts to a string.
class ByteWriter
{
public:
    explicit ByteWriter(std::string& out) : m_out(out) {}

    void u8(std::uint8_t v) { m_out.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v)
    {
        u8(v & 0xFF);
        u8(v >> 8);
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u64(std::uint64_t v)
    {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void raw(std::string_view bytes) { m_out.append(bytes); }

    void length(std::size_t n)
    {
        if (n < 0xFF) {
            u8(static_cast<std::uint8_t>(n));
        } else if (n < 0xFFFE) {
            u8(0xFF);
            u16(static_cast<std::uint16_t>(n));
        } else {
            u8(0xFF);
            u16(0xFFFF);
            u32(static_cast<std::uint32_t>(n));
        }
    }

    void count(std::size_t n)
    {
        if (n < 0xFFFF) {
            u16(static_cast<std::uint16_t>(n));
        } else {
            u16(0xFFFF);
            u32(static_cast<std::uint32_t>(n));
        }
    }

    // Windows-1252 bytes when the text fits, else the 2-byte-character form.
    void text(std::string_view utf8)
    {
        if (cp1252::isAscii(utf8)) {
            length(utf8.size());
            m_out.append(utf8);
            return;
        }
        if (const auto bytes = cp1252::fromUtf8(utf8)) {
            length(bytes->size());
            m_out.append(*bytes);
            return;
        }
        const std::u16string units = cp1252::utf8ToUtf16(utf8);
        u8(0xFF);
        u16(0xFFFE);
        length(units.size());
        for (char16_t unit : units)
            u16(unit);
    }

private:
    std::string& m_out;
};

// One list of the file being made. Room is asked for once per block of albums, so that a short
// text and an empty one are written without a check of every byte.
class ListBuffer
{
public:
    void clear() { m_size = 0; }
    void makeRoom(std::size_t n)
    {
        if (m_capacity - m_size < n)
            grow(n);
    }
    // Where the next byte goes; bytes may be written there within the room made, and then
    // setEnd() given the new end.
    char* end() { return m_bytes.get() + m_size; }
    void setEnd(const char* end) { m_size = static_cast<std::size_t>(end - m_bytes.get()); }
    void append(std::string_view bytes)
    {
        makeRoom(bytes.size());
        std::memcpy(m_bytes.get() + m_size, bytes.data(), bytes.size());
        m_size += bytes.size();
    }
    std::string_view bytes() const { return {m_bytes.get(), m_size}; }

private:
    void grow(std::size_t n)
    {
        const std::size_t capacity = std::max({m_size + n, m_capacity * 2, std::size_t{1} << 16});
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_size > 0)
            std::memcpy(bytes.get(), m_bytes.get(), m_size);
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_bytes;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// Writes the texts of one list for a run of albums, each a length byte and its bytes, as long as
// they are plain ASCII and shorter than 255 bytes; returns where it stopped (at the first cursor
// whose text needs more) and moves out past what it wrote. Texts of up to 16 bytes are tested and
// copied as two words, which the bytes the store keeps readable after each text allow; out must
// have room for 16 bytes more than a length byte and a text of 254 bytes per album.
AlbumStore::TextCursor* writeShortTexts(char*& out, AlbumStore::TextCursor* cursor,
                                        AlbumStore::TextCursor* end, int field)
{
    static_assert(AlbumStore::kReadableAfterText >= 16);
    constexpr std::uint64_t kHigh = 0x8080808080808080;
    char* to = out;
    for (; cursor != end; ++cursor) {
        if (!cursor->has(field)) {
            *to++ = '\0';
            continue;
        }
        const std::string_view text = cursor->peek();
        const std::size_t n = text.size();
        if (n <= 16) {
            std::uint64_t head;
            std::uint64_t tail;
            std::memcpy(&head, text.data(), 8);
            std::memcpy(&tail, text.data() + 8, 8);
            const std::uint64_t headMask = n >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * n)) - 1;
            const std::uint64_t tailMask = n >= 16  ? ~std::uint64_t{0}
                                           : n <= 8 ? 0
                                                    : (std::uint64_t{1} << (8 * (n - 8))) - 1;
            if constexpr (std::endian::native == std::endian::little) {
                if (((head & headMask) | (tail & tailMask)) & kHigh)
                    break;
            } else if (!cp1252::isAscii(text)) {
                break;
            }
            to[0] = static_cast<char>(n);
            std::memcpy(to + 1, &head, 8);
            std::memcpy(to + 9, &tail, 8);
        } else {
            if (n >= 0xFF || !cp1252::isAscii(text))
                break;
            to[0] = static_cast<char>(n);
            std::memcpy(to + 1, text.data(), n);
        }
        to += 1 + n;
        cursor->skip();
    }
    out = to;
    return cursor;
}

void writeEdges(ByteWriter& out, const ColumnLayouts& layouts, std::span<const EdgeRef> group)
{
    for (const EdgeRef& ref : group)
        for (int e = ref.first; e <= ref.last; ++e)
            out.i32(layouts[static_cast<int>(ref.layout)].leftEdges[e - 1]);
}

// The count that begins each list.
std::string listCount(int albums)
{
    std::string encoded;
    ByteWriter(encoded).count(static_cast<std::size_t>(albums));
    return encoded;
}

// Writes lists a block of albums at a time: the block's records are brought in once and then read
// list by list, each list written through one pointer.
class BlockWriter
{
public:
    static constexpr int kBlock = 64;

    // Writes albums up to end (all of them unless given).
    explicit BlockWriter(const AlbumStore& albums, int end = -1)
        : m_albums(albums), m_count(end < 0 ? albums.albumCount() : end)
    {
        m_cursors.reserve(kBlock);
    }

    // Appends the texts of fields first to last - 1 of the block of albums from block on to
    // lists[0] to lists[last - first - 1].
    void write(int block, int first, int last, ListBuffer* lists)
    {
        // Room for a block's texts of up to 254 bytes, which have a one-byte length.
        constexpr std::size_t kBlockRoom = kBlock * 255 + 16;
        const int count = m_count;
        const int end = std::min(block + kBlock, count);
        // The records are far apart in memory and far larger than the processor's caches: the
        // ends of the texts two blocks on and the texts of the next block are asked for ahead.
        for (int a = block + 2 * kBlock; a < std::min(block + 3 * kBlock, count); ++a)
            m_albums.prefetchEnds(a, first);
        for (int a = block + kBlock; a < std::min(block + 2 * kBlock, count); ++a)
            m_albums.prefetchTexts(a, first);
        m_cursors.clear();
        for (int a = block; a < end; ++a)
            m_cursors.push_back(m_albums.textCursor(a, first));
        for (int f = first; f < last; ++f) {
            ListBuffer& list = lists[f - first];
            AlbumStore::TextCursor* cursor = m_cursors.data();
            AlbumStore::TextCursor* const stop = cursor + m_cursors.size();
            while (cursor != stop) {
                list.makeRoom(kBlockRoom);
                char* out = list.end();
                cursor = writeShortTexts(out, cursor, stop, f);
                list.setEnd(out);
                if (cursor == stop)
                    break;
                // A long text, or one that is not plain ASCII.
                m_encoded.clear();
                ByteWriter(m_encoded).text(cursor->take());
                list.append(m_encoded);
                ++cursor;
            }
        }
    }

private:
    const AlbumStore& m_albums;
    int m_count;
    std::vector<AlbumStore::TextCursor> m_cursors;
    std::string m_encoded;
};

using ListSizes = std::array<std::uint64_t, kFieldCount>;

// The bytes each list takes for albums first to last - 1: a length byte per album, and a text its
// bytes and any longer length.
ListSizes listSizes(const AlbumStore& albums, int first, int last)
{
    ListSizes sizes;
    sizes.fill(static_cast<std::uint64_t>(last - first));
    std::string encoded;
    for (int a = first; a < last; ++a) {
        albums.forEachText(a, 0, kFieldCount, [&](Field f, std::string_view text) {
            std::uint64_t size = text.size();
            if (text.size() >= 0xFF || !cp1252::isAscii(text)) {
                encoded.clear();
                ByteWriter(encoded).text(text);
                size = encoded.size() - 1;
            }
            sizes[static_cast<std::size_t>(fieldIndex(f))] += size;
        });
    }
    return sizes;
}

// The albums split in parts that threads work on side by side. Each part has its own stretch of
// every list, at places fixed by the counts, so the bytes do not depend on which thread is ahead.
class PartsInPlace
{
public:
    PartsInPlace(ByteSink& sink, const AlbumStore& albums) : m_sink(sink), m_albums(albums) {}

    // Writes the lists of albums first to last - 1 from at[f] to ends[f], list f beginning with
    // lead where lead is given.
    void write(int first, int last, ListSizes at, const ListSizes& ends, const std::string& lead)
    {
        constexpr std::size_t kHandOn = std::size_t{1} << 18;
        std::vector<ListBuffer> lists(kFieldCount);
        if (!lead.empty())
            for (ListBuffer& list : lists)
                list.append(lead);
        const auto handOn = [&](std::size_t f) {
            const std::string_view bytes = lists[f].bytes();
            if (at[f] + bytes.size() > ends[f])
                throw std::logic_error("a list came out longer than counted");
            {
                const std::scoped_lock lock(m_mutex);
                if (m_stop || !m_sink.place(at[f], bytes)) {
                    m_stop = true;
                    return false;
                }
            }
            at[f] += bytes.size();
            lists[f].clear();
            return true;
        };
        BlockWriter writer(m_albums, last);
        for (int block = first; block < last; block += BlockWriter::kBlock) {
            writer.write(block, 0, kFieldCount, lists.data());
            for (std::size_t f = 0; f < lists.size(); ++f)
                if (lists[f].bytes().size() >= kHandOn && !handOn(f))
                    return; // the sink says why
        }
        for (std::size_t f = 0; f < lists.size(); ++f) {
            if (!handOn(f))
                return;
            if (at[f] != ends[f])
                throw std::logic_error("a list came out shorter than counted");
        }
    }

    // Stops the other parts at their next hand-on, after a failure in this one.
    void stop()
    {
        const std::scoped_lock lock(m_mutex);
        m_stop = true;
    }

private:
    ByteSink& m_sink;
    const AlbumStore& m_albums;
    std::mutex m_mutex; // the sink, and m_stop
    bool m_stop = false;
};

// Where the sink can place bytes (a file), every list is made in one walk through the albums:
// first the length of each list is counted, which gives each its place in the file; then the
// lists are filled side by side, each handing its bytes to its place whenever a few hundred
// kilobytes are ready. The records are read twice, but the file is never held in memory. A large
// catalogue is done in two halves of its albums, one on each of two threads.
std::uint64_t writeListsInPlace(ByteSink& sink, std::uint64_t start, const AlbumStore& albums)
{
    constexpr int kWorthTwoThreads = 4096;
    const int count = albums.albumCount();
    const std::string countBytes = listCount(count);
    const int parts = count >= kWorthTwoThreads ? 2 : 1;
    // Part p has albums bounds[p] to bounds[p + 1] - 1.
    const std::array<int, 3> bounds{
        0, parts == 2 ? count / 2 / BlockWriter::kBlock * BlockWriter::kBlock : count, count};
    std::array<ListSizes, 2> sizes{};
    const auto countPart = [&](int p) { sizes[p] = listSizes(albums, bounds[p], bounds[p + 1]); };
    if (parts == 2)
        onTwoThreads(countPart);
    else
        countPart(0);
    for (std::uint64_t& size : sizes[0])
        size += countBytes.size();

    // Where each part's stretch of each list begins and ends.
    std::array<ListSizes, 2> at{};
    std::array<ListSizes, 2> ends{};
    std::uint64_t place = start;
    for (std::size_t f = 0; f < kFieldCount; ++f) {
        for (int p = 0; p < parts; ++p) {
            at[p][f] = place;
            place += sizes[p][f];
            ends[p][f] = place;
        }
    }
    PartsInPlace writer(sink, albums);
    const std::string none;
    const auto write = [&](int p) {
        writer.write(bounds[p], bounds[p + 1], at[p], ends[p], p == 0 ? countBytes : none);
    };
    if (parts == 2)
        onTwoThreads(write, [&] { writer.stop(); });
    else
        write(0);
    return place;
}

// The block after the lists: every album's identity, the check of its lists and its details.
std::string detailsBlock(const AlbumStore& albums)
{
    std::string bytes;
    ByteWriter out(bytes);
    out.raw(kDetailsMarker);
    out.i32(kDetailsBlockVersion);
    out.u64(0); // the length, once known
    out.i32(albums.albumCount());
    const std::vector<std::uint32_t> checks = albumChecks(albums);
    for (int a = 0; a < albums.albumCount(); ++a) {
        out.u64(albums.albumId(a));
        out.u32(checks[static_cast<std::size_t>(a)]);
        const std::size_t countAt = bytes.size();
        out.u8(0);
        int count = 0;
        albums.forEachText(a, kFirstDetail, kStoredFieldCount, [&](Field f, std::string_view text) {
            out.u8(static_cast<std::uint8_t>(fieldIndex(f) - kFirstDetail));
            out.text(text);
            ++count;
        });
        bytes[countAt] = static_cast<char>(count);
    }
    std::string length;
    ByteWriter(length).u64(bytes.size() - kDetailsHeaderBytes);
    bytes.replace(8, 8, length);
    return bytes;
}

// What follows the lists: our details when any album has some, else a newer program's block as
// it was read, else nothing, so that a catalogue without details is written as it always was.
std::string afterLists(const AlbumStore& albums, std::string_view keptBlock)
{
    if (albums.hasDetails())
        return detailsBlock(albums);
    return std::string(keptBlock);
}

} // namespace

void writeCatalogue(ByteSink& sink, const AlbumStore& albums, const ColumnLayouts& layouts,
                    const std::array<std::string, 2>& headings, std::string_view keptBlock)
{
    std::string head;
    ByteWriter out(head);
    out.i32(kCurrentFileVersion);
    out.i32(albums.albumCount());
    for (int i = 0; i < kLayoutCount; ++i) {
        const auto& fields = layouts[i].fieldColumns;
        const int slots = columnSlotCount(static_cast<LayoutId>(i));
        for (int s = 0; s < slots; ++s)
            out.i32(s < static_cast<int>(fields.size()) ? fields[s] : 0);
    }
    writeEdges(out, layouts, kEdgeGroupA);
    writeEdges(out, layouts, kEdgeGroupB);
    for (int i = 0; i < 4; ++i)
        out.i32(0);
    out.text(headings[0]);
    out.text(headings[1]);
    sink.write(head);

    if (sink.canPlace()) {
        const std::uint64_t end = writeListsInPlace(sink, head.size(), albums);
        if (const std::string block = afterLists(albums, keptBlock); !block.empty())
            sink.place(end, block);
        return;
    }

    // The file holds one list per field, the store one record per album. The lists are made a
    // group at a time and each group a block of albums at a time (see writeBlock). Each finished
    // group goes to the sink.
    constexpr int kGroup = 24;
    const int count = albums.albumCount();
    std::array<ListBuffer, kGroup> lists;
    BlockWriter writer(albums);
    for (int first = 0; first < kFieldCount; first += kGroup) {
        const int last = std::min(first + kGroup, kFieldCount);
        for (int f = first; f < last; ++f) {
            lists[f - first].clear();
            lists[f - first].append(listCount(count));
        }
        for (int block = 0; block < count; block += BlockWriter::kBlock)
            writer.write(block, first, last, lists.data());
        for (int f = first; f < last; ++f)
            sink.write(lists[f - first].bytes());
    }
    sink.write(afterLists(albums, keptBlock));
}

std::string writeCatalogue(const AlbumStore& albums, const ColumnLayouts& layouts,
                           const std::array<std::string, 2>& headings, std::string_view keptBlock)
{
    StringSink sink;
    writeCatalogue(sink, albums, layouts, headings, keptBlock);
    return sink.take();
}

Status writeCatalogueFile(const std::string& path, const AlbumStore& albums, const ColumnLayouts& layouts,
                          const std::array<std::string, 2>& headings, std::string_view keptBlock)
{
    Status status = success();
    try {
        status = writeFileAtomically(
            path, [&](ByteSink& sink) { writeCatalogue(sink, albums, layouts, headings, keptBlock); });
    } catch (const std::bad_alloc&) {
        return Error{"Cannot save \"" + path + "\". Not enough memory to save the file."};
    } catch (const std::logic_error& e) {
        // Never reached unless the counting above is wrong; the old file is kept.
        return Error{"Cannot save \"" + path + "\". The file came out wrong (" + std::string(e.what()) +
                     ")."};
    }
    if (!status)
        return Error{"Cannot save \"" + path + "\". " + status.error()};
    return success();
}

} // namespace discora
