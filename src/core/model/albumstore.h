// The albums of a catalogue, each packed into one record of a shared buffer. A catalogue of 100,000
// albums has 11 million texts, most of them empty (unused song and performer slots), so neither a
// string nor an offset per text is affordable. Per album the index holds a bit per field that has
// text and the record's place; the record holds the end of each present text (16-bit, or 32-bit
// for a record of 64 KiB or more) followed by the texts themselves, in field order.
//
// A change writes the album's whole record anew at the end of the buffer; the buffer is compacted
// when more than half of it is records no album refers to any more.
#pragma once

#include "core/model/albumrecord.h"
#include "core/model/field.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string_view>
#include <vector>

namespace discora {

// What the store throws when asked to hold more than it can: an album of more than 4 GiB of text,
// or more than 2^31 - 1 albums. It is a kind of running out of memory, so that every change that
// puts things back when memory runs out does so here too.
class StoreFull : public std::bad_alloc
{
public:
    const char* what() const noexcept override { return "more than the album store can hold"; }
};

// An album's identity: set when the album is made, kept by every change, sort, undo and save, and
// never shared by two albums of a catalogue (a random 64-bit number). Covers and lookups refer to
// an album by it.
using AlbumId = std::uint64_t;
AlbumId newAlbumId();

// One text of an album, named by its field.
struct FieldText
{
    Field field = Field::Custom1;
    std::string_view text;
};

class AlbumStore
{
    // Per album: where its record is, which fields have text, and who the album is.
    struct Entry
    {
        std::uint64_t offset : 48 = 0; // of the record in m_bytes
        std::uint64_t beyond : 15 = 0; // bit f - 128: field f (128 to 142) has text
        std::uint64_t wide : 1 = 0;    // the record's ends are 32-bit
        std::uint64_t low = 0;         // bit f: field f (0 to 63) has text
        std::uint64_t high = 0;        // bit f - 64: field f (64 to 127) has text
        AlbumId id = 0;
    };
    static_assert(kStoredFieldCount > 128 && kStoredFieldCount <= 128 + 15);

    template <class T> static std::size_t load(const char* at)
    {
        T v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }

    // A record as read: the ends of its texts, 16 or 32 bits each, then the texts.
    struct Record
    {
        const char* bytes;
        std::size_t present;
        bool wide;

        std::string_view text(std::size_t rank) const
        {
            std::size_t begin;
            std::size_t end;
            if (wide) {
                begin = rank == 0 ? present * 4 : load<std::uint32_t>(bytes + (rank - 1) * 4);
                end = load<std::uint32_t>(bytes + rank * 4);
            } else {
                begin = rank == 0 ? present * 2 : load<std::uint16_t>(bytes + (rank - 1) * 2);
                end = load<std::uint16_t>(bytes + rank * 2);
            }
            return {bytes + begin, end - begin};
        }
    };

public:
    AlbumStore() = default;
    AlbumStore(const AlbumStore& other);
    AlbumStore& operator=(const AlbumStore& other);
    AlbumStore(AlbumStore&& other) noexcept;
    AlbumStore& operator=(AlbumStore&& other) noexcept;
    ~AlbumStore();

    int albumCount() const { return static_cast<int>(m_index.size()); }

    std::string_view text(Field f, int album) const
    {
        const Entry& e = m_index[static_cast<std::size_t>(album)];
        const int i = fieldIndex(f);
        if (!has(e, i))
            return {};
        const Record record = recordOf(e);
        return record.text(presentBefore(e, i));
    }
    bool hasText(Field f, int album) const
    {
        return has(m_index[static_cast<std::size_t>(album)], fieldIndex(f));
    }

    // Hints for a walk through many albums: prefetchIndex brings where an album's record is (which
    // the others read, and would wait for), prefetchEnds brings the ends of an album's texts from
    // field first on towards the processor, prefetchRecord the start of its record (the ends of
    // every text of a usual album), and prefetchTexts (once either has arrived) the texts from
    // field first on.
    void prefetchIndex(int album) const { __builtin_prefetch(m_index.data() + album); }
    void prefetchRecord(int album) const
    {
        const std::size_t offset = m_index[static_cast<std::size_t>(album)].offset;
        prefetch(offset);
        prefetch(offset + 64);
        prefetch(offset + 128);
    }
    void prefetchEnds(int album, int first) const
    {
        const Entry& e = m_index[static_cast<std::size_t>(album)];
        prefetch(e.offset + presentBefore(e, first) * (e.wide ? 4 : 2));
    }
    void prefetchTexts(int album, int first) const
    {
        const Entry& e = m_index[static_cast<std::size_t>(album)];
        const std::size_t rank = presentBefore(e, first);
        const Record record = recordOf(e);
        if (rank < record.present) {
            const auto offset = static_cast<std::size_t>(record.text(rank).data() - m_bytes);
            prefetch(offset);
            prefetch(offset + 64);
        }
    }

    // For a walk through the albums albumOf(0) to albumOf(count - 1): at step k, asks for what the
    // steps a few on will read of field f, so that the walk does not wait for memory at each album.
    template <class AlbumOf>
    void prefetchAhead(std::size_t k, std::size_t count, AlbumOf albumOf, Field f) const
    {
        if (k + 32 < count)
            prefetchIndex(static_cast<int>(albumOf(k + 32)));
        if (k + 16 < count)
            prefetchRecord(static_cast<int>(albumOf(k + 16)));
        if (k + 8 < count)
            prefetchTexts(static_cast<int>(albumOf(k + 8)), fieldIndex(f));
    }

    // Reads one album's texts field by field, in field order, from a given field on.
    class TextCursor
    {
    public:
        bool has(int field) const { return AlbumStore::has(m_entry, field); }
        // The text of the next field that has one; peek() leaves it next, skip() passes it.
        std::string_view take() { return m_record.text(m_rank++); }
        std::string_view peek() const { return m_record.text(m_rank); }
        void skip() { ++m_rank; }

    private:
        friend class AlbumStore;
        TextCursor(const Entry& entry, Record record, std::size_t rank)
            : m_entry(entry), m_record(record), m_rank(rank)
        {}
        Entry m_entry;
        Record m_record;
        std::size_t m_rank;
    };
    TextCursor textCursor(int album, int first) const
    {
        const Entry& e = m_index[static_cast<std::size_t>(album)];
        return {e, recordOf(e), presentBefore(e, first)};
    }

    // One album's texts by field, its place in the store looked up once: for reading several of
    // them, as a listed line does. Valid until the store changes.
    class AlbumTexts
    {
    public:
        std::string_view text(Field f) const
        {
            const int i = fieldIndex(f);
            return AlbumStore::has(m_entry, i) ? m_record.text(presentBefore(m_entry, i))
                                               : std::string_view();
        }

    private:
        friend class AlbumStore;
        AlbumTexts(const Entry& entry, Record record) : m_entry(entry), m_record(record) {}
        Entry m_entry;
        Record m_record;
    };
    AlbumTexts albumTexts(int album) const
    {
        const Entry& e = m_index[static_cast<std::size_t>(album)];
        return {e, recordOf(e)};
    }

    // Calls visit(field, text) for each non-empty text of album among fields first to last - 1,
    // in field order: a walk through one record instead of a look-up per field.
    template <class Visit> void forEachText(int album, int first, int last, Visit visit) const
    {
        const Entry& e = m_index[static_cast<std::size_t>(album)];
        const Record record = recordOf(e);
        std::size_t rank = presentBefore(e, first);
        for (int i = first; i < last; ++i)
            if (has(e, i))
                visit(fieldAt(i), record.text(rank++));
    }

    AlbumId albumId(int album) const { return m_index[static_cast<std::size_t>(album)].id; }
    // Gives an album the identity it had before (a file's block, an undo).
    void setAlbumId(int album, AlbumId id) { m_index[static_cast<std::size_t>(album)].id = id; }
    // Whether any album has any detail (fields from Field::Status on).
    bool hasDetails() const;
    bool hasDetails(int album) const
    {
        const Entry& e = m_index[static_cast<std::size_t>(album)];
        return e.high >> (kFirstDetail - 64) != 0 || e.beyond != 0;
    }

    // The changes below may throw std::bad_alloc, leaving the store as it was. A text may be one
    // the store holds itself. A new album gets a new identity; a copied one keeps its own.
    void setText(Field f, int album, std::string_view text);
    AlbumRecord album(int index) const;
    // Both change the whole album or, when memory runs out (std::bad_alloc), nothing.
    void setAlbum(int index, const AlbumRecord& record);
    int appendAlbum(const AlbumRecord& record);
    // Appends an album from its texts, in field order; fields not named are empty.
    int appendAlbum(std::span<const FieldText> texts);
    // Appends every album of other; returns the index of the first.
    int appendAlbums(const AlbumStore& other);
    // Appends albums first to last - 1 of other, all or none.
    void appendAlbums(const AlbumStore& other, int first, int last);
    void removeAlbum(int index);
    // A store of the albums whose entry in marked is false (or missing), in their order, packed
    // tight; this store stays as it is.
    AlbumStore without(const std::vector<bool>& marked) const;

    void clear();
    // To count albums, keeping existing ones and adding empty ones.
    void resize(int count);
    // Room for albums more albums holding bytes of packed records in all (see recordSize). A large
    // room is made ready by a second thread while the first fills it: the system clears each new
    // page of memory as it is first written, which costs a large load a sixth of its time. The
    // contents are the same either way; the thread ends before the buffer changes or goes.
    void reserve(std::size_t albums, std::size_t bytes);
    // Gives back spare room. A little waste is kept (the end of a room a load left unfilled, see
    // below): taking it back would copy every record.
    void shrinkToFit();

    // Filling a store from two threads at once, as a large load does. The albums are made first
    // (resize) and then filled each once, in any order, every one of them empty until then. After
    // reserve(), splitRoom parts the spare room in two, the first of firstBytes; fillIn packs an
    // album into a room when its record fits there (false when not), touching nothing but the
    // room and the album's entry, so two threads may fill two rooms side by side. closeRooms
    // makes the records of both rooms the store's; fillAlbum then packs an album at the end, the
    // room growing as needed.
    struct Room
    {
        std::size_t next = 0;
        std::size_t end = 0;
    };
    std::array<Room, 2> splitRoom(std::size_t firstBytes);
    bool fillIn(Room& room, int index, std::span<const FieldText> texts);
    void closeRooms(const std::array<Room, 2>& rooms);
    void fillAlbum(int index, std::span<const FieldText> texts);

    // The bytes one album's record takes, given the number of its non-empty texts and their bytes.
    static std::uint64_t recordSize(std::size_t presentTexts, std::uint64_t textBytes);
    // Every text is followed by at least this many bytes that may be read (and ignored), so that
    // a short text can be tested and copied a word at a time.
    static constexpr std::size_t kReadableAfterText = 16;
    // The largest record an album may have; a larger one is refused with StoreFull.
    static constexpr std::uint64_t kMaxRecordBytes = 0xFFFFFFFF;

    // The bytes the albums' records take, packed tight.
    std::size_t recordBytes() const { return m_size - m_unused; }
    std::size_t memoryUsage() const { return m_capacity + m_index.capacity() * sizeof(Entry); }

private:
    // A hint only: the address may lie past the end of the buffer, or the buffer may not exist
    // (a catalogue of empty albums), which a prefetch never faults on but pointer arithmetic must
    // not reach.
    void prefetch(std::size_t offset) const
    {
        __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(m_bytes) + offset));
    }
    static int countBits(std::uint64_t bits)
    {
#if defined(__POPCNT__)
        return std::popcount(bits);
#else
        // Without the instruction std::popcount is a library call; this is a few inline steps.
        bits -= (bits >> 1) & 0x5555555555555555;
        bits = (bits & 0x3333333333333333) + ((bits >> 2) & 0x3333333333333333);
        bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0F;
        return static_cast<int>((bits * 0x0101010101010101) >> 56);
#endif
    }
    static bool has(const Entry& e, int i)
    {
        return i < 64 ? (e.low >> i) & 1 : i < 128 ? (e.high >> (i - 64)) & 1 : (e.beyond >> (i - 128)) & 1;
    }
    // How many of fields 0 to i - 1 have text: the rank of field i's text in the record.
    static std::size_t presentBefore(const Entry& e, int i)
    {
        if (i < 64)
            return static_cast<std::size_t>(countBits(e.low & ((std::uint64_t{1} << i) - 1)));
        if (i < 128)
            return static_cast<std::size_t>(countBits(e.low) +
                                            countBits(e.high & ((std::uint64_t{1} << (i - 64)) - 1)));
        if (i >= 128 + 15)
            return presentTexts(e);
        return static_cast<std::size_t>(countBits(e.low) + countBits(e.high) +
                                        countBits(e.beyond & ((std::uint64_t{1} << (i - 128)) - 1)));
    }
    static std::size_t presentTexts(const Entry& e)
    {
        return static_cast<std::size_t>(countBits(e.low) + countBits(e.high) + countBits(e.beyond));
    }

    Record recordOf(const Entry& e) const
    {
        return {m_bytes + e.offset, presentTexts(e), e.wide != 0};
    }

    std::uint64_t sizeOf(const Entry& e) const;
    // Packs texts (in field order) into a record at the end of the buffer and returns its entry.
    // Texts must not point into the buffer: it may move.
    Entry pack(std::span<const FieldText> texts);
    // The entry of a record of texts, but for its offset, and the record's size.
    static Entry entryFor(std::span<const FieldText> texts, std::uint64_t& size);
    // Writes the record of texts, whose entry is e, at record.
    static void writeRecord(char* record, const Entry& e, std::span<const FieldText> texts);
    // Replaces album index's record with one packed from texts, which may point into the buffer.
    void replace(int index, std::span<FieldText> texts);
    void ensureRoom(std::size_t extra);
    // Copies the records of other's albums for which keep(index) holds to the end, all or none.
    template <class Keep>
    void appendRecordsOf(const AlbumStore& other, Keep keep, std::size_t begin = 0,
                         std::size_t end = static_cast<std::size_t>(-1));
    void reallocate(std::size_t capacity);
    void warmSpareRoom();
    void stopWarming() noexcept;
    void compactIfWasteful();
    // Copies the records albums refer to into a buffer of their size; false when memory ran out.
    bool compact();

    char* m_bytes = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::size_t m_unused = 0; // bytes of records no album refers to any more
    std::vector<Entry> m_index;
    struct Warming;
    struct StopWarming
    {
        void operator()(Warming* warming) const noexcept;
    };
    std::unique_ptr<Warming, StopWarming> m_warming;
};

} // namespace discora
