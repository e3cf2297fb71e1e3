#include "core/catalogue/cataloguereader.h"

#include "core/catalogue/cp1252.h"
#include "core/catalogue/filebytes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <deque>
#include <new>
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

class ByteReader
{
public:
    explicit ByteReader(std::string_view bytes, std::size_t pos = 0) : m_bytes(bytes), m_pos(pos) {}

    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    std::size_t offset() const { return m_pos; }
    void seek(std::size_t pos) { m_pos = pos; }

    void need(std::size_t count, const char* what) const
    {
        if (count > remaining())
            throw Malformed{what, m_pos};
    }

    std::uint8_t u8()
    {
        need(1, "the file ends unexpectedly");
        return static_cast<std::uint8_t>(m_bytes[m_pos++]);
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

    std::string_view take(std::size_t count)
    {
        need(count, "a text runs past the end of the file");
        const std::string_view s = m_bytes.substr(m_pos, count);
        m_pos += count;
        return s;
    }

private:
    std::uint32_t byte(std::size_t i) const { return static_cast<unsigned char>(m_bytes[m_pos + i]); }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// A text as the file stores it: Windows-1252 bytes, or UTF-16 code units in wide.
struct StoredText
{
    std::string_view bytes;
    bool wide = false;
};

// Reads a catalogue in two passes over the file's bytes. The file holds one list per field, the
// store one record per album: the first pass checks every list, notes where each begins and about
// how much the records will take; the second reads all lists side by side, an album at a time,
// into records laid out one after another.
class CatalogueReader
{
public:
    CatalogueReader(std::string_view bytes, const LoadBase& base, ProgressSink* progress,
                    const FileBytes* file = nullptr)
        : m_bytes(bytes), m_in(bytes), m_base(base), m_progressSink(progress), m_file(file)
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
        findLists(lists, numberTracks);
        readAlbums(out.albums, lists, numberTracks, progress);
        return out;
    }

private:
    // Where a list's texts begin, and how many of them belong to albums.
    struct ListStart
    {
        Field field;
        std::size_t offset;
        std::size_t kept;
    };

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

    // The next text at a place the first pass has read already.
    static StoredText takeChecked(const unsigned char*& at)
    {
        const auto chars = [](const unsigned char* p, std::size_t n) {
            return std::string_view(reinterpret_cast<const char*>(p), n);
        };
        const std::size_t b = at[0];
        if (b < 0xFF) {
            const StoredText text{chars(at + 1, b), false};
            at += 1 + b;
            return text;
        }
        const std::size_t w = at[1] | (std::size_t{at[2]} << 8);
        at += 3;
        if (w < 0xFFFE) {
            const StoredText text{chars(at, w), false};
            at += w;
            return text;
        }
        const auto u32 = [&] {
            const std::size_t v =
                at[0] | (std::size_t{at[1]} << 8) | (std::size_t{at[2]} << 16) | (std::size_t{at[3]} << 24);
            at += 4;
            return v;
        };
        if (w == 0xFFFF) {
            const std::size_t n = u32();
            const StoredText text{chars(at, n), false};
            at += n;
            return text;
        }
        std::size_t units = *at++;
        if (units == 0xFF) {
            units = at[0] | (std::size_t{at[1]} << 8);
            at += 2;
            if (units == 0xFFFF)
                units = u32();
        }
        const StoredText text{chars(at, units * 2), true};
        at += units * 2;
        return text;
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

    // The first pass: checks every list, notes where its texts begin, and counts the non-empty
    // texts and their bytes.
    void findLists(const std::vector<Field>& lists, bool numberTracks)
    {
        for (Field f : lists) {
            const std::size_t at = m_in.offset();
            std::size_t count = m_in.u16();
            if (count == 0xFFFF)
                count = m_in.u32();
            if (count > m_in.remaining())
                throw Malformed{"a list holds more entries than the file has bytes", at};
            const std::size_t kept = std::min(count, m_albumCount);
            m_starts.push_back({f, m_in.offset(), kept});
            // A title also brings its track number where the file has none.
            const std::size_t perText = numberTracks && isTitle(f) ? 2 : 1;
            const std::size_t size = m_bytes.size();
            std::size_t pos = m_in.offset();
            for (std::size_t a = 0; a < count; ++a) {
                const std::size_t b = pos < size ? static_cast<unsigned char>(m_bytes[pos]) : 0xFF;
                if (b == 0) {
                    // Most song and performer slots are empty: eight empty texts are eight zeros.
                    while (count - a > 8 && size - pos >= 8 && wordAt(pos) == 0) {
                        a += 8;
                        pos += 8;
                    }
                    if (pos < size && m_bytes[pos] == 0) {
                        ++pos;
                        continue;
                    }
                    --a; // eight were skipped and the text at pos is the next turn's
                    continue;
                }
                std::size_t length;
                if (b < 0xFF && b < size - pos) {
                    // The common case, a short text, without the reader's checks of every step.
                    length = b;
                    pos += 1 + b;
                } else {
                    m_in.seek(pos);
                    length = readString(m_in).bytes.size();
                    pos = m_in.offset();
                }
                if (a < kept && length > 0) {
                    m_texts += perText;
                    m_textBytes += length + 2 * (perText - 1);
                }
            }
            m_in.seek(pos);
            release(m_starts.back().offset, pos);
        }
    }

    // The file's bytes from begin to end have been read for the last time in this pass.
    void release(std::size_t begin, std::size_t end) const
    {
        if (m_file)
            m_file->release(begin, end);
    }

    std::uint64_t wordAt(std::size_t pos) const
    {
        std::uint64_t word;
        std::memcpy(&word, m_bytes.data() + pos, sizeof word);
        return word;
    }

    // Whether the n bytes at p are plain ASCII. Texts of up to sixteen bytes are tested as two
    // words, the last ending where the text ends (a text shorter than a word takes the word from
    // where it starts, where the file has eight bytes from there on).
    bool plainAt(const unsigned char* p, std::size_t n) const
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
            const auto* end = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_bytes.size());
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

    // The second pass: the albums' records, a block of albums at a time. Within a block each list
    // is read in turn, its texts noted by album, and then each album's record is made from its
    // notes; so the lists are read one after another, not a hundred side by side, and a block's
    // notes stay in the processor's cache.
    void readAlbums(AlbumStore& albums, const std::vector<Field>& lists, bool numberTracks,
                    ProgressScope& progress)
    {
        // Records usually keep 16-bit ends; texts that are not plain ASCII grow when they become
        // UTF-8. The store makes more room where this is not enough, and gives back what is left.
        albums.reserve(m_albumCount, static_cast<std::size_t>(m_texts * 2 + m_textBytes + m_textBytes / 64));

        // The first pass has checked every length against the file's size, so the texts are taken
        // here without checking again.
        struct Cursor
        {
            const unsigned char* at;
            std::size_t kept;
            Field field;
            const unsigned char* unreleased; // read, and not yet given back
        };
        const auto* fileBegin = reinterpret_cast<const unsigned char*>(m_bytes.data());
        std::vector<Cursor> cursors;
        cursors.reserve(m_starts.size());
        for (const ListStart& start : m_starts)
            cursors.push_back({fileBegin + start.offset, start.kept, start.field, fileBegin + start.offset});
        const auto* fileEnd = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_bytes.size());
        // What each list has read is given back every so many albums: then the file never takes
        // more memory than the lists' texts of that many albums.
        constexpr std::size_t kReleaseEvery = 4096;

        constexpr std::size_t kBlock = 64;
        std::vector<FieldText> notes(kBlock * kFieldCount);
        std::array<std::size_t, kBlock> noted{};
        // The block's texts that were not plain ASCII; a deque, so that a new one moves none.
        std::deque<std::string> converted;
        std::size_t convertedUsed = 0;

        std::size_t stepsTaken = 0;
        for (std::size_t first = 0; first < m_albumCount; first += kBlock) {
            const std::size_t block = std::min(kBlock, m_albumCount - first);
            std::fill_n(noted.begin(), block, 0);
            convertedUsed = 0;
            for (Cursor& c : cursors) {
                const std::size_t end = std::min(first + block, std::max(c.kept, first));
                const unsigned char* at = c.at;
                for (std::size_t a = first; a < end;) {
                    if (*at == 0) {
                        // Most song and performer slots are empty: eight empty texts are eight zeros.
                        std::uint64_t word = 0;
                        while (end - a >= 8 && fileEnd - at >= 8 && (std::memcpy(&word, at, 8), word == 0)) {
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
                        text = {reinterpret_cast<const char*>(at + 1), *at};
                        const bool plain = plainAt(at + 1, *at);
                        at += 1 + *at;
                        if (!plain)
                            text = convert({text, false}, converted, convertedUsed);
                    } else {
                        text = convert(takeChecked(at), converted, convertedUsed);
                    }
                    if (!text.empty()) {
                        const std::size_t i = a - first;
                        notes[i * kFieldCount + noted[i]++] = {c.field, text};
                    }
                    ++a;
                }
                c.at = at;
            }
            for (std::size_t i = 0; i < block; ++i) {
                FieldText* texts = notes.data() + i * kFieldCount;
                // The titles are the last lists of such files, and the track numbers follow them.
                if (numberTracks) {
                    const std::size_t listed = noted[i];
                    for (std::size_t t = 0; t < listed; ++t) {
                        if (!isTitle(texts[t].field))
                            continue;
                        const int slot = fieldIndex(texts[t].field) - fieldIndex(titleField(1)) + 1;
                        texts[noted[i]++] = {trackField(slot), presetTrackNumber(slot)};
                    }
                }
                try {
                    albums.appendAlbum(std::span<const FieldText>(texts, noted[i]));
                } catch (const StoreFull&) {
                    throw TooLarge{first + i};
                }
            }
            const std::size_t done = first + block;
            if (m_file && (done % kReleaseEvery == 0 || done == m_albumCount)) {
                for (Cursor& c : cursors) {
                    release(static_cast<std::size_t>(c.unreleased - fileBegin),
                            static_cast<std::size_t>(c.at - fileBegin));
                    c.unreleased = c.at;
                }
            }
            // The lists' steps, spread over the albums.
            for (; stepsTaken < lists.size() && stepsTaken * m_albumCount < done * lists.size(); ++stepsTaken)
                progress.step();
        }
        for (; stepsTaken < lists.size(); ++stepsTaken)
            progress.step();
        albums.shrinkToFit();
    }

    // A text in UTF-8: plain ASCII as it is, anything else converted into the next of strings.
    static std::string_view convert(const StoredText& text, std::deque<std::string>& strings,
                                    std::size_t& used)
    {
        if (!text.wide && cp1252::isAscii(text.bytes))
            return text.bytes;
        if (used == strings.size())
            strings.emplace_back();
        std::string& out = strings[used++];
        decode(text, out);
        return out;
    }

    std::string_view m_bytes;
    ByteReader m_in;
    const LoadBase& m_base;
    ProgressSink* m_progressSink;
    const FileBytes* m_file; // the bytes' file, when read parts may be given back
    std::size_t m_albumCount = 0;
    std::vector<ListStart> m_starts;
    // The non-empty texts the albums keep and their bytes as stored.
    std::size_t m_texts = 0;
    std::uint64_t m_textBytes = 0;
};

} // namespace

namespace {

Result<LoadedCatalogue> readCatalogueFrom(std::string_view bytes, const LoadBase& base,
                                          ProgressSink* progress, const FileBytes* file)
{
    try {
        return CatalogueReader(bytes, base, progress, file).read();
    } catch (const Malformed& m) {
        return Error{"The file is damaged or is not a Discora catalogue: " + m.what + " (at byte " +
                     std::to_string(m.offset) + ")."};
    } catch (const TooLarge& t) {
        return Error{"Album " + std::to_string(t.album + 1) +
                     " holds more text than Discora can keep for one album (4 GiB)."};
    } catch (const std::bad_alloc&) {
        return Error{kLoadOutOfMemory};
    } catch (const std::length_error&) {
        return Error{kLoadOutOfMemory};
    }
}

} // namespace

Result<LoadedCatalogue> readCatalogue(std::string_view bytes, const LoadBase& base, ProgressSink* progress)
{
    return readCatalogueFrom(bytes, base, progress, nullptr);
}

Result<LoadedCatalogue> readCatalogueFile(const std::string& path, const LoadBase& base,
                                          ProgressSink* progress)
{
    // The file's bytes go as soon as the albums are read from them, and its pages while they are.
    auto bytes = FileBytes::map(path);
    if (!bytes)
        return Error{cannotOpen(path, bytes.error())};
    auto loaded = readCatalogueFrom(bytes->view(), base, progress, &bytes.value());
    if (!loaded)
        return Error{cannotOpen(path, loaded.error())};
    return loaded;
}

std::string cannotOpen(const std::string& path, std::string_view reason)
{
    return "Cannot open \"" + path + "\". " + std::string(reason);
}

} // namespace discora
