#include "core/fileformat/cataloguereader.h"

#include "core/base/cp1252.h"
#include "core/base/filebytes.h"
#include "core/base/twothreads.h"
#include "core/fileformat/albumdetailsblock.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <deque>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace discora {

namespace {

constexpr int kMaxLeftEdge = 30000;

// The lists of the older layouts, in file order.
std::vector<Field> listsOfVersion(int v)
{
    std::vector<Field> lists;
    if (v <= -4) {
        lists.push_back(Field::Custom1);
        lists.push_back(Field::Custom2);
    }
    if (v <= -3) {
        for (int f = fieldIndex(Field::Artist); f < kFieldCount; ++f)
            lists.push_back(fieldAt(f));
        return lists;
    }
    const int titles = v == -2 ? kSongSlots : 21;
    lists.push_back(Field::Artist);
    // push_back rather than insert of an initializer list: GCC 12 at -O3 warns falsely on the latter.
    if (v < 0) {
        lists.push_back(Field::Producer1);
        lists.push_back(Field::Producer2);
    }
    for (Field f : {Field::MediaType, Field::MusicType, Field::AlbumName, Field::Number})
        lists.push_back(f);
    for (int k = 1; k <= titles; ++k)
        lists.push_back(titleField(k));
    if (v == -2) {
        for (int k = 1; k <= kSongSlots; ++k)
            lists.push_back(timeField(k));
        for (int k = 1; k <= kSongSlots; ++k)
            lists.push_back(trackField(k));
    }
    return lists;
}

int progressRangeOf(int v)
{
    switch (v) {
    case -7: return 104;
    case -6: return 103;
    case -5: return 102;
    case -4: return 100;
    case -3: return 99;
    case -2: return 86;
    case -1: return 29;
    default: return 27;
    }
}

struct Malformed
{
    std::string what;
    std::size_t offset;
};

// An album whose texts together exceed what one record can hold.
struct TooLarge
{
    std::size_t album;
};

// The details block names a detail a later version keeps.
struct NewerDetail
{
};

// Another program changed the file between or during the reads of its parts.
struct ChangedWhileRead
{
};

// The bytes of a catalogue: in memory, or in a file read a part at a time into buffers, so that the
// file is never held whole beside the albums made from it.
class Source
{
public:
    explicit Source(std::string_view bytes) : m_bytes(bytes), m_size(bytes.size()) {}
    explicit Source(const FileReader& file) : m_file(&file), m_size(file.size()) {}

    std::size_t size() const { return m_size; }
    bool inMemory() const { return m_file == nullptr; }

    // The bytes from offset on, at least min(want, size() - offset) of them: in memory the whole
    // rest, from a file at least chunk bytes (where the file has them), read into buffer.
    std::string_view from(std::size_t offset, std::size_t want, std::size_t chunk,
                          std::vector<char>& buffer) const
    {
        if (!m_file)
            return m_bytes.substr(offset);
        const std::size_t n = std::min(std::max(want, chunk), m_size - offset);
        if (buffer.size() < n)
            buffer.resize(n);
        if (!m_file->readAt(offset, buffer.data(), n))
            throw ChangedWhileRead{};
        return {buffer.data(), n};
    }

    // Fails the read when the file is no longer what it was when the read began.
    void checkUnchanged() const
    {
        if (m_file && !m_file->unchanged())
            throw ChangedWhileRead{};
    }

private:
    std::string_view m_bytes;
    const FileReader* m_file = nullptr;
    std::size_t m_size = 0;
};

// Reads the file's parts in order, with a window of its bytes at hand.
class ByteReader
{
public:
    static constexpr std::size_t kChunk = std::size_t{1} << 20;

    explicit ByteReader(const Source& source) : m_source(&source), m_size(source.size()) {}

    std::size_t remaining() const { return m_size - m_pos; }
    std::size_t offset() const { return m_pos; }
    void seek(std::size_t pos) { m_pos = pos; }

    void need(std::size_t count, const char* what)
    {
        if (count > remaining())
            throw Malformed{what, m_pos};
        if (m_pos < m_windowAt || m_pos + count > m_windowAt + m_window.size()) {
            m_window = m_source->from(m_pos, count, kChunk, m_buffer);
            m_windowAt = m_pos;
        }
    }

    // The bytes from here to the end of the window, at least min(want, remaining()) of them.
    std::string_view ahead(std::size_t want)
    {
        need(std::min(want, remaining()), "the file ends unexpectedly");
        return m_window.substr(m_pos - m_windowAt);
    }

    std::uint8_t u8()
    {
        need(1, "the file ends unexpectedly");
        const auto v = static_cast<std::uint8_t>(byte(0));
        m_pos += 1;
        return v;
    }
    std::uint16_t u16()
    {
        need(2, "the file ends unexpectedly");
        const auto v = static_cast<std::uint16_t>(byte(0) | (byte(1) << 8));
        m_pos += 2;
        return v;
    }
    std::uint32_t u32()
    {
        need(4, "the file ends unexpectedly");
        const std::uint32_t v = byte(0) | (byte(1) << 8) | (byte(2) << 16) | (std::uint32_t(byte(3)) << 24);
        m_pos += 4;
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    // Valid until the reader next moves its window.
    std::string_view take(std::size_t count)
    {
        need(count, "a text runs past the end of the file");
        const std::string_view s = m_window.substr(m_pos - m_windowAt, count);
        m_pos += count;
        return s;
    }

    // Gives back the window's memory.
    void drop()
    {
        m_window = {};
        m_windowAt = 0;
        std::vector<char>().swap(m_buffer);
    }

private:
    std::uint32_t byte(std::size_t i) const
    {
        return static_cast<unsigned char>(m_window[m_pos - m_windowAt + i]);
    }

    const Source* m_source;
    std::size_t m_size;
    std::size_t m_pos = 0;
    std::string_view m_window;
    std::size_t m_windowAt = 0;
    std::vector<char> m_buffer;
};

// A text as the file stores it: Windows-1252 bytes, or UTF-16 code units in wide.
struct StoredText
{
    std::string_view bytes;
    bool wide = false;
};

// The details block as read, before its albums are: per album its identity, check and details,
// the texts in one pool.
struct ParsedDetails
{
    struct Piece
    {
        Field field;
        std::size_t begin;
        std::size_t size;
    };
    std::vector<AlbumId> ids;
    std::vector<std::uint32_t> checks;
    std::vector<std::size_t> firstPiece; // per album, and one past the last
    std::vector<Piece> pieces;
    std::string pool;

    // Appends album's details to texts (field order: the details follow every list).
    std::size_t appendTo(std::size_t album, FieldText* texts) const
    {
        std::size_t n = 0;
        for (std::size_t p = firstPiece[album]; p < firstPiece[album + 1]; ++p)
            texts[n++] = {pieces[p].field, std::string_view(pool).substr(pieces[p].begin, pieces[p].size)};
        return n;
    }
};

// Reads a catalogue in two passes over the file's bytes. The file holds one list per field, the
// store one record per album: the first pass checks every list, notes where each begins and about
// how much the records will take; the second reads all lists side by side, an album at a time,
// into records laid out one after another. Every read stays within the bytes at hand, so a file
// that changes between the passes gives wrong texts or a failed read, never a fault.
class CatalogueReader
{
public:
    CatalogueReader(const Source& source, const LoadBase& base, ProgressSink* progress)
        : m_source(source), m_in(source), m_base(base), m_progressSink(progress)
    {}

    LoadedCatalogue read()
    {
        LoadedCatalogue out;
        out.layouts = m_base.layouts;
        out.headings = m_base.headings;

        const std::int32_t v = m_in.i32();
        if (v < kCurrentFileVersion)
            throw Malformed{"it was written by a newer program or is not a catalogue", 0};
        out.version = v;
        ProgressScope progress(m_progressSink, "Loading file", 102);
        progress.setRange(progressRangeOf(v));

        const std::int64_t n = v < 0 ? m_in.i32() : v;
        // Every album has at least one byte in every list the file carries.
        const auto lists = listsOfVersion(v);
        if (n < 0 || static_cast<std::uint64_t>(n) * lists.size() > m_in.remaining())
            throw Malformed{"the album count does not fit the file's size", v < 0 ? 4u : 0u};
        m_albumCount = static_cast<std::size_t>(n);
        // A large catalogue is read in two parts, on two threads; each part begins a block.
        m_middle = m_albumCount >= kTwoPartsFrom ? m_albumCount / 2 / 64 * 64 : m_albumCount;

        if (v == -7) {
            for (int i = 0; i < kLayoutCount; ++i) {
                auto& fields = out.layouts[i].fieldColumns;
                fields.assign(columnSlotCount(static_cast<LayoutId>(i)), 0);
                for (int& field : fields)
                    field = m_in.i32();
            }
            readEdges(out.layouts, kEdgeGroupA);
            progress.step();
        }
        if (v <= -6) {
            readEdges(out.layouts, kEdgeGroupB);
            for (int i = 0; i < 4; ++i)
                m_in.i32();
            progress.step();
        }
        if (v <= -5) {
            for (int h = 0; h < 2; ++h) {
                std::string heading = toUtf8(readString(m_in));
                if (!heading.empty())
                    out.headings[h] = std::move(heading);
                progress.step();
            }
        }

        // Files without track numbers get "01" to "26" for every song with a title.
        const bool numberTracks = v == -1 || v >= 0;
        // The records take about as many bytes as the file: room for them is made ready while the
        // first pass finds out how much they need exactly.
        out.albums.reserve(m_albumCount, m_in.remaining());
        findLists(lists, numberTracks);
        if (v == kCurrentFileVersion)
            readDetails(out);
        m_in.drop();
        readAlbums(out.albums, lists, numberTracks, progress);
        m_source.checkUnchanged();
        if (m_details) {
            if (m_detailsMismatch) {
                dropDetails(out.albums);
                out.detailsNotice = detailsNotApplied(kDetailsDoNotMatch);
            } else {
                for (std::size_t a = 0; a < m_albumCount; ++a)
                    out.albums.setAlbumId(static_cast<int>(a), m_details->ids[a]);
            }
        }
        return out;
    }

private:
    // Where a list's texts begin and where the second part's begin, and how many of them belong
    // to albums.
    struct ListStart
    {
        Field field;
        std::size_t offset;
        std::size_t middleOffset;
        std::size_t kept;
    };

    // What follows the lists: nothing, the details block, a newer block kept as it is, or
    // something damaged, which leaves the albums without details and says so.
    void readDetails(LoadedCatalogue& out)
    {
        const std::size_t listsEnd = m_in.offset();
        if (listsEnd == m_source.size())
            return;
        std::vector<char> buffer;
        const std::size_t rest = m_source.size() - listsEnd;
        const std::string_view bytes = m_source.from(listsEnd, rest, rest, buffer).substr(0, rest);
        switch (detailsBlockKind(bytes)) {
        case DetailsBlockKind::None: return;
        case DetailsBlockKind::Newer:
            out.keptBlock = std::string(bytes);
            out.detailsNotice = detailsNotApplied(kDetailsNewer);
            return;
        case DetailsBlockKind::Damaged:
            out.detailsNotice = detailsNotApplied("that part of the file is damaged");
            return;
        case DetailsBlockKind::Current: break;
        }
        try {
            m_details = parseDetails(bytes);
        } catch (const NewerDetail&) {
            // A detail this version does not know: the block is a later version's in all but its
            // number, and is kept whole as such.
            out.keptBlock = std::string(bytes);
            out.detailsNotice = detailsNotApplied(kDetailsNewer);
        } catch (const Malformed& m) {
            out.detailsNotice = detailsNotApplied("that part of the file is damaged (" + m.what +
                                                  ", at byte " + std::to_string(listsEnd + m.offset) + ")");
        }
    }

    std::optional<ParsedDetails> parseDetails(std::string_view bytes) const
    {
        const Source source(bytes);
        ByteReader in(source);
        in.seek(kDetailsHeaderBytes);
        const std::int32_t count = in.i32();
        if (count < 0 || static_cast<std::size_t>(count) != m_albumCount)
            throw Malformed{"it describes " + std::to_string(count) + " albums where the file has " +
                                std::to_string(m_albumCount),
                            kDetailsHeaderBytes};
        // Every album takes at least its identity, its check and its count of details.
        if (m_albumCount > in.remaining() / 13)
            throw Malformed{"the file ends unexpectedly", in.offset()};
        ParsedDetails d;
        d.ids.reserve(m_albumCount);
        d.checks.reserve(m_albumCount);
        d.firstPiece.reserve(m_albumCount + 1);
        std::string scratch;
        for (std::size_t a = 0; a < m_albumCount; ++a) {
            const std::uint64_t low = in.u32();
            const AlbumId id = low | (std::uint64_t{in.u32()} << 32);
            if (id == 0)
                throw Malformed{"an album has no identity", in.offset() - 8};
            d.ids.push_back(id);
            d.checks.push_back(in.u32());
            d.firstPiece.push_back(d.pieces.size());
            const std::size_t n = in.u8();
            int last = -1;
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t at = in.offset();
                const int tag = in.u8();
                if (tag <= last)
                    throw Malformed{"an album's details are out of order", at};
                last = tag;
                if (tag >= kDetailCount)
                    throw NewerDetail{};
                const std::string_view text = decode(readString(in), scratch);
                if (text.empty())
                    continue;
                d.pieces.push_back({fieldAt(kFirstDetail + tag), d.pool.size(), text.size()});
                d.pool.append(text);
            }
        }
        d.firstPiece.push_back(d.pieces.size());
        if (in.remaining() != 0)
            throw Malformed{"it is longer than its albums", in.offset()};
        std::vector<AlbumId> sorted = d.ids;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
            throw Malformed{"two albums have the same identity", kDetailsHeaderBytes};
        return d;
    }

    // After a block that does not fit the albums: each album as its lists alone make it.
    static void dropDetails(AlbumStore& albums)
    {
        for (int a = 0; a < albums.albumCount(); ++a) {
            if (!albums.hasDetails(a))
                continue;
            AlbumRecord record = albums.album(a);
            record.details = {};
            albums.setAlbum(a, record);
        }
    }

    void readEdges(ColumnLayouts& layouts, std::span<const EdgeRef> group)
    {
        for (const EdgeRef& ref : group) {
            auto& edges = layouts[static_cast<int>(ref.layout)].leftEdges;
            for (int e = ref.first; e <= ref.last; ++e)
                edges[e - 1] = std::clamp(m_in.i32(), 0, kMaxLeftEdge);
        }
    }

    static std::size_t readLength(ByteReader& in)
    {
        const std::uint8_t b = in.u8();
        if (b < 0xFF)
            return b;
        const std::uint16_t w = in.u16();
        if (w < 0xFFFF)
            return w;
        return in.u32();
    }

    static StoredText readString(ByteReader& in)
    {
        const std::uint8_t b = in.u8();
        if (b < 0xFF)
            return {in.take(b), false};
        const std::uint16_t w = in.u16();
        if (w < 0xFFFE)
            return {in.take(w), false};
        if (w == 0xFFFF)
            return {in.take(in.u32()), false};
        const std::size_t units = readLength(in);
        if (units > in.remaining() / 2)
            throw Malformed{"a text runs past the end of the file", in.offset()};
        return {in.take(units * 2), true};
    }

    // The text in UTF-8, in scratch unless the bytes are plain ASCII and serve as they are.
    static std::string_view decode(const StoredText& text, std::string& scratch)
    {
        if (!text.wide) {
            if (cp1252::isAscii(text.bytes))
                return text.bytes;
            scratch.clear();
            cp1252::appendUtf8(scratch, text.bytes);
            return scratch;
        }
        scratch = cp1252::utf16BytesToUtf8(text.bytes);
        return scratch;
    }

    static std::string toUtf8(const StoredText& text)
    {
        std::string scratch;
        return std::string(decode(text, scratch));
    }

    // The first pass: checks every list, notes where its texts begin and where those of the
    // second part's albums begin, and counts each part's non-empty texts and their bytes.
    void findLists(const std::vector<Field>& lists, bool numberTracks)
    {
        const std::size_t middle = m_middle;
        for (Field f : lists) {
            const std::size_t at = m_in.offset();
            std::size_t count = m_in.u16();
            if (count == 0xFFFF)
                count = m_in.u32();
            if (count > m_in.remaining())
                throw Malformed{"a list holds more entries than the file has bytes", at};
            const std::size_t kept = std::min(count, m_albumCount);
            ListStart start{f, m_in.offset(), 0, kept};
            // A title also brings its track number where the file has none.
            const std::size_t perText = numberTracks && isTitle(f) ? 2 : 1;
            // The window of bytes at hand: from is where it begins in the file, p the next text.
            std::size_t from = m_in.offset();
            std::string_view window = m_in.ahead(kAhead);
            const auto* begin = reinterpret_cast<const unsigned char*>(window.data());
            const unsigned char* p = begin;
            const unsigned char* end = begin + window.size();
            const auto moveTo = [&](std::size_t pos) {
                m_in.seek(pos);
                from = pos;
                window = m_in.ahead(kAhead);
                begin = p = reinterpret_cast<const unsigned char*>(window.data());
                end = begin + window.size();
            };
            bool middleFound = false;
            for (std::size_t a = 0; a < count; ++a) {
                if (a == middle) {
                    start.middleOffset = from + static_cast<std::size_t>(p - begin);
                    middleFound = true;
                }
                if (end - p < static_cast<std::ptrdiff_t>(kAhead) && from + (end - begin) < m_source.size())
                    moveTo(from + static_cast<std::size_t>(p - begin));
                const std::size_t b = p < end ? *p : 0xFF;
                if (b == 0) {
                    // Most song and performer slots are empty: eight empty texts are eight zeros
                    // (not past the first album of the second part, whose place is noted).
                    const std::size_t stop = a < middle ? middle : count;
                    while (stop - a > 8 && end - p >= 8 && wordAt(p) == 0) {
                        a += 8;
                        p += 8;
                    }
                    if (p < end && *p == 0) {
                        ++p;
                        continue;
                    }
                    --a; // eight were skipped and the text at p is the next turn's
                    continue;
                }
                std::size_t length;
                if (b < 0xFF && static_cast<std::ptrdiff_t>(b) < end - p) {
                    // The common case, a short text, without the reader's checks of every step.
                    length = b;
                    p += 1 + b;
                } else {
                    m_in.seek(from + static_cast<std::size_t>(p - begin));
                    length = readString(m_in).bytes.size();
                    moveTo(m_in.offset());
                }
                if (a < kept && length > 0) {
                    const std::size_t part = a < middle ? 0 : 1;
                    m_texts[part] += perText;
                    m_textBytes[part] += length + 2 * (perText - 1);
                }
            }
            m_in.seek(from + static_cast<std::size_t>(p - begin));
            if (!middleFound)
                start.middleOffset = m_in.offset();
            m_starts.push_back(start);
        }
    }

    static std::uint64_t wordAt(const unsigned char* p)
    {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        return word;
    }

    // Whether the n bytes at p are plain ASCII. Texts of up to sixteen bytes are tested as two
    // words, the last ending where the text ends (a text shorter than a word takes the word from
    // where it starts, where the bytes at hand, up to end, have eight from there on).
    static bool plainAt(const unsigned char* p, std::size_t n, const unsigned char* end)
    {
        constexpr std::uint64_t kHigh = 0x8080808080808080;
        const auto word = [](const unsigned char* at) {
            std::uint64_t w;
            std::memcpy(&w, at, sizeof w);
            return w;
        };
        if (n >= 8 && n <= 16)
            return ((word(p) | word(p + n - 8)) & kHigh) == 0;
        if constexpr (std::endian::native == std::endian::little) {
            if (n < 8 && end - p >= 8)
                return (word(p) & ((std::uint64_t{1} << (8 * n)) - 1) & kHigh) == 0;
        }
        return cp1252::isAscii({reinterpret_cast<const char*>(p), n});
    }

    static bool isTitle(Field f)
    {
        return fieldIndex(f) >= fieldIndex(titleField(1)) &&
               fieldIndex(f) <= fieldIndex(titleField(kSongSlots));
    }

    // The second pass: the albums' records. A large catalogue's albums are read in two parts, the
    // second part on a second thread, each into a room of the store of its own; an album whose
    // record does not fit its part's room (the texts that are not plain ASCII grow) waits until
    // both are done and is packed after them. The records are the same either way.
    void readAlbums(AlbumStore& albums, const std::vector<Field>& lists, bool numberTracks,
                    ProgressScope& progress)
    {
        // Records usually keep 16-bit ends; texts that are not plain ASCII grow when they become
        // UTF-8. The store makes more room where this is not enough, and gives back what is left.
        if (m_details) {
            // The details are packed into the records too.
            for (std::size_t a = 0; a < m_albumCount; ++a) {
                const std::size_t part = a < m_middle ? 0 : 1;
                for (std::size_t p = m_details->firstPiece[a]; p < m_details->firstPiece[a + 1]; ++p) {
                    ++m_texts[part];
                    m_textBytes[part] += m_details->pieces[p].size;
                }
            }
        }
        const auto roomFor = [&](int part) {
            return static_cast<std::size_t>(m_texts[part] * 2 + m_textBytes[part] + m_textBytes[part] / 64);
        };
        albums.reserve(m_albumCount, roomFor(0) + roomFor(1));
        albums.resize(static_cast<int>(m_albumCount));

        std::size_t stepsTaken = 0;
        const auto stepTo = [&](std::size_t done) {
            // The lists' steps, spread over the first part's albums.
            for (; stepsTaken < lists.size() && stepsTaken * m_middle < done * lists.size(); ++stepsTaken)
                progress.step();
        };
        const auto fillAlbum = [&](std::size_t album, std::span<const FieldText> texts) {
            albums.fillAlbum(static_cast<int>(album), texts);
            return true;
        };
        const ParsedDetails* details = m_details ? &*m_details : nullptr;
        std::array<PartReader, 2> parts{
            PartReader(m_source, m_starts, false, 0, m_middle, numberTracks, details),
            PartReader(m_source, m_starts, true, m_middle, m_albumCount, numberTracks, details)};
        if (m_middle == m_albumCount) {
            parts[0].fill([&](std::size_t album, std::span<const FieldText> texts) {
                if (album % 64 == 0)
                    stepTo(album);
                return fillAlbum(album, texts);
            });
        } else {
            std::array<AlbumStore::Room, 2> rooms = albums.splitRoom(roomFor(0));
            std::array<bool, 2> whole{};
            onTwoThreads([&](int part) {
                whole[part] = parts[part].fill([&](std::size_t album, std::span<const FieldText> texts) {
                    if (part == 0 && album % 64 == 0)
                        stepTo(album);
                    return albums.fillIn(rooms[part], static_cast<int>(album), texts);
                });
            });
            albums.closeRooms(rooms);
            for (int part = 0; part < 2; ++part)
                if (!whole[part])
                    parts[part].fill(fillAlbum);
        }
        stepTo(m_middle);
        for (; stepsTaken < lists.size(); ++stepsTaken)
            progress.step();
        m_detailsMismatch = parts[0].detailsMismatch() || parts[1].detailsMismatch();
        albums.shrinkToFit();
    }

    // Albums first to last - 1 read from the lists side by side, a block of albums at a time.
    // Within a block each list is read in turn, its texts noted by album, and then each album's
    // record is made from its notes; so the lists are read one after another, not a hundred side by
    // side, and a block's notes stay in the processor's cache.
    class PartReader
    {
    public:
        PartReader(const Source& source, const std::vector<ListStart>& starts, bool fromMiddle,
                   std::size_t first, std::size_t last, bool numberTracks, const ParsedDetails* details)
            : m_source(source), m_next(first), m_last(last), m_numberTracks(numberTracks), m_details(details),
              m_notes(kBlock * kStoredFieldCount)
        {
            if (first >= last)
                return;
            // Each list reads from its own window of the file's bytes. A window moved on within a
            // block is held until the block's records are made, since its texts are noted there.
            m_cursors.reserve(starts.size());
            for (const ListStart& start : starts) {
                Cursor c;
                c.kept = start.kept;
                c.field = start.field;
                moveWindow(c, fromMiddle ? start.middleOffset : start.offset, 0);
                m_cursors.push_back(std::move(c));
            }
        }

        // Hands each album's texts to fill(album, texts), in album order, until fill refuses one
        // (false: the album is handed over again at the next call) or every album is done (true).
        template <class Fill> bool fill(Fill fill)
        {
            for (;;) {
                for (; m_inBlock < m_blockSize; ++m_inBlock) {
                    const std::size_t album = m_blockFirst + m_inBlock;
                    const std::span<const FieldText> texts(m_notes.data() + m_inBlock * kStoredFieldCount,
                                                           m_noted[m_inBlock]);
                    try {
                        if (!fill(album, texts))
                            return false;
                    } catch (const StoreFull&) {
                        throw TooLarge{album};
                    }
                }
                if (m_next >= m_last)
                    return true;
                readBlock();
            }
        }

    private:
        static constexpr std::size_t kBlock = 64;

        // Notes the texts of the next block of albums.
        void readBlock()
        {
            for (auto& buffer : m_held)
                m_spare.push_back(std::move(buffer));
            m_held.clear();
            const std::size_t first = m_next;
            const std::size_t block = std::min(kBlock, m_last - first);
            std::fill_n(m_noted.begin(), block, 0);
            m_convertedUsed = 0;
            for (Cursor& c : m_cursors) {
                const std::size_t end = std::min(first + block, std::max(c.kept, first));
                const unsigned char* at = c.at;
                for (std::size_t a = first; a < end;) {
                    if (c.end - at < static_cast<std::ptrdiff_t>(kAhead)) {
                        ensure(c, at, std::min(kAhead, m_source.size() - offsetOf(c, at)));
                        if (at == c.end)
                            throw Malformed{"the file ends unexpectedly", offsetOf(c, at)};
                    }
                    if (*at == 0) {
                        // Most song and performer slots are empty: eight empty texts are eight zeros.
                        std::uint64_t word = 0;
                        while (end - a >= 8 && c.end - at >= 8 && (std::memcpy(&word, at, 8), word == 0)) {
                            at += 8;
                            a += 8;
                        }
                        if (a < end && *at == 0) {
                            ++at;
                            ++a;
                        }
                        continue;
                    }
                    std::string_view text;
                    if (*at < 0xFF) {
                        if (*at >= c.end - at)
                            throw Malformed{"a text runs past the end of the file", offsetOf(c, at)};
                        text = {reinterpret_cast<const char*>(at + 1), *at};
                        const bool plain = plainAt(at + 1, *at, c.end);
                        at += 1 + *at;
                        if (!plain)
                            text = convert({text, false});
                    } else {
                        text = convert(takeLong(c, at));
                    }
                    if (!text.empty()) {
                        const std::size_t i = a - first;
                        m_notes[i * kStoredFieldCount + m_noted[i]++] = {c.field, text};
                    }
                    ++a;
                }
                c.at = at;
            }
            // The titles are the last lists of files without track numbers, and the track numbers
            // follow them.
            if (m_numberTracks) {
                for (std::size_t i = 0; i < block; ++i) {
                    FieldText* texts = m_notes.data() + i * kStoredFieldCount;
                    const std::size_t listed = m_noted[i];
                    for (std::size_t t = 0; t < listed; ++t) {
                        if (!isTitle(texts[t].field))
                            continue;
                        const int slot = fieldIndex(texts[t].field) - fieldIndex(titleField(1)) + 1;
                        texts[m_noted[i]++] = {trackField(slot), presetTrackNumber(slot)};
                    }
                }
            }
            if (m_details)
                addDetails(first, block);
            m_blockFirst = first;
            m_blockSize = block;
            m_inBlock = 0;
            m_next = first + block;
        }

    public:
        bool detailsMismatch() const { return m_detailsMismatch; }

    private:
        // Each album of the block gets its details after its list texts, once those are what
        // the block's check says they were.
        void addDetails(std::size_t first, std::size_t block)
        {
            for (std::size_t i = 0; i < block; ++i) {
                FieldText* texts = m_notes.data() + i * kStoredFieldCount;
                AlbumCheck& check = m_check;
                check.clear();
                for (std::size_t t = 0; t < m_noted[i]; ++t)
                    check.add(texts[t].field, texts[t].text);
                if (check.value() != m_details->checks[first + i]) {
                    m_detailsMismatch = true;
                    continue;
                }
                m_noted[i] += m_details->appendTo(first + i, texts + m_noted[i]);
            }
        }

        // A list's place in the file and the window of bytes it reads from: at is the next text,
        // end the end of the window, endOffset where that end is in the file.
        struct Cursor
        {
            const unsigned char* at = nullptr;
            const unsigned char* end = nullptr;
            std::size_t endOffset = 0;
            std::size_t kept = 0;
            Field field{};
            std::vector<char> buffer;
        };

        static std::size_t offsetOf(const Cursor& c, const unsigned char* at)
        {
            return c.endOffset - static_cast<std::size_t>(c.end - at);
        }

        // Points c's window at the file's bytes from offset on, at least want of them. The
        // window's old buffer is held until the block is done.
        void moveWindow(Cursor& c, std::size_t offset, std::size_t want)
        {
            if (!m_source.inMemory()) {
                if (!c.buffer.empty())
                    m_held.push_back(std::move(c.buffer));
                c.buffer.clear();
                if (!m_spare.empty()) {
                    c.buffer = std::move(m_spare.back());
                    m_spare.pop_back();
                }
            }
            const std::string_view window = m_source.from(offset, want, kListChunk, c.buffer);
            c.at = reinterpret_cast<const unsigned char*>(window.data());
            c.end = c.at + window.size();
            c.endOffset = offset + window.size();
        }

        // Makes sure that the n bytes from at are in c's window, moving at along where the
        // window moves.
        void ensure(Cursor& c, const unsigned char*& at, std::size_t n)
        {
            if (c.end - at >= static_cast<std::ptrdiff_t>(n))
                return;
            const std::size_t offset = offsetOf(c, at);
            if (n > m_source.size() - offset)
                throw Malformed{"a text runs past the end of the file", offset};
            moveWindow(c, offset, n);
            at = c.at;
        }

        // A text whose length takes more than one byte, checked against the bytes there are.
        StoredText takeLong(Cursor& c, const unsigned char*& at)
        {
            const auto chars = [](const unsigned char* p, std::size_t n) {
                return std::string_view(reinterpret_cast<const char*>(p), n);
            };
            const auto u16 = [](const unsigned char* p) {
                return std::size_t{p[0]} | (std::size_t{p[1]} << 8);
            };
            const auto u32 = [&](const unsigned char* p) { return u16(p) | (u16(p + 2) << 16); };
            const auto take = [&](std::size_t header, std::size_t n, bool wide) {
                ensure(c, at, header + n);
                const StoredText text{chars(at + header, n), wide};
                at += header + n;
                return text;
            };
            ensure(c, at, 3);
            const std::size_t w = u16(at + 1);
            if (w < 0xFFFE)
                return take(3, w, false);
            if (w == 0xFFFF) {
                ensure(c, at, 7);
                return take(7, u32(at + 3), false);
            }
            ensure(c, at, 4);
            if (at[3] < 0xFF)
                return take(4, std::size_t{at[3]} * 2, true);
            ensure(c, at, 6);
            if (u16(at + 4) < 0xFFFF)
                return take(6, u16(at + 4) * 2, true);
            ensure(c, at, 10);
            return take(10, u32(at + 6) * 2, true);
        }

        // A text in UTF-8: plain ASCII as it is, anything else converted into the block's next
        // string.
        std::string_view convert(const StoredText& text)
        {
            if (!text.wide && cp1252::isAscii(text.bytes))
                return text.bytes;
            if (m_convertedUsed == m_converted.size())
                m_converted.emplace_back();
            std::string& out = m_converted[m_convertedUsed++];
            decode(text, out);
            return out;
        }

        const Source& m_source;
        std::size_t m_next;
        std::size_t m_last;
        bool m_numberTracks;
        const ParsedDetails* m_details;
        bool m_detailsMismatch = false;
        AlbumCheck m_check;
        std::vector<Cursor> m_cursors;
        // The current block: its first album, its size and the next album to hand over.
        std::size_t m_blockFirst = 0;
        std::size_t m_blockSize = 0;
        std::size_t m_inBlock = 0;
        std::vector<FieldText> m_notes;
        std::array<std::size_t, kBlock> m_noted{};
        // The block's texts that were not plain ASCII; a deque, so that a new one moves none.
        std::deque<std::string> m_converted;
        std::size_t m_convertedUsed = 0;
        // The buffers of windows moved on during the block, and those free to take again.
        std::vector<std::vector<char>> m_held;
        std::vector<std::vector<char>> m_spare;
    };

    // The albums from which a catalogue is read in two parts.
    static constexpr std::size_t kTwoPartsFrom = 8192;
    // Bytes looked at ahead of a list's next text: a short text and its length fit in them.
    static constexpr std::size_t kAhead = 264;
    // What each list reads of the file at a time.
    static constexpr std::size_t kListChunk = std::size_t{64} << 10;

    const Source& m_source;
    ByteReader m_in;
    const LoadBase& m_base;
    ProgressSink* m_progressSink;
    std::size_t m_albumCount = 0;
    // The first album of the second part (the album count when there is one part).
    std::size_t m_middle = 0;
    std::vector<ListStart> m_starts;
    std::optional<ParsedDetails> m_details;
    bool m_detailsMismatch = false;
    // Per part, the non-empty texts the albums keep and their bytes as stored.
    std::array<std::size_t, 2> m_texts{};
    std::array<std::uint64_t, 2> m_textBytes{};
};

} // namespace

namespace {

Result<LoadedCatalogue> readCatalogueFrom(const Source& source, const LoadBase& base, ProgressSink* progress)
{
    try {
        return CatalogueReader(source, base, progress).read();
    } catch (const Malformed& m) {
        return Error{"The file is damaged or is not a Discora catalogue: " + m.what + " (at byte " +
                     std::to_string(m.offset) + ")."};
    } catch (const TooLarge& t) {
        return Error{"Album " + std::to_string(t.album + 1) +
                     " holds more text than Discora can keep for one album (4 GiB)."};
    } catch (const ChangedWhileRead&) {
        return Error{kChangedWhileRead};
    } catch (const std::bad_alloc&) {
        return Error{kLoadOutOfMemory};
    } catch (const std::length_error&) {
        return Error{kLoadOutOfMemory};
    }
}

} // namespace

Result<LoadedCatalogue> readCatalogue(std::string_view bytes, const LoadBase& base, ProgressSink* progress)
{
    return readCatalogueFrom(Source(bytes), base, progress);
}

Result<LoadedCatalogue> readCatalogueFile(const std::string& path, const LoadBase& base,
                                          ProgressSink* progress)
{
    // The file is read a part at a time, never held whole beside the albums.
    auto file = FileReader::open(path);
    if (!file)
        return Error{cannotOpen(path, file.error())};
    auto loaded = readCatalogueFrom(Source(file.value()), base, progress);
    if (!loaded)
        return Error{cannotOpen(path, loaded.error())};
    return loaded;
}

std::string cannotOpen(const std::string& path, std::string_view reason)
{
    return "Cannot open \"" + path + "\". " + std::string(reason);
}

} // namespace discora
