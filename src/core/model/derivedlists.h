// The song, producer and performer lists that the derived orders show. Entries refer to albums by
// catalogue index and to songs and performers by slot, so they hold integers, not copies of text.
#pragma once

#include <cstdint>
#include <new>
#include <vector>

namespace discora {

struct SongEntry
{
    std::uint32_t album = 0;
    std::uint8_t slot = 0; // song slot 1 to 26; 0 for an artist header of the artist short list
    bool isHeader() const { return slot == 0; }
    bool operator==(const SongEntry&) const = default;
};

struct ProducerEntry
{
    std::uint32_t album = 0;
    std::uint8_t producer = 0; // 1 or 2 for producer1/producer2; 0 for "No producer listed"
    bool operator==(const ProducerEntry&) const = default;
};

struct PerformerEntry
{
    std::uint32_t album = 0;
    std::uint8_t slot = 0; // performer slot 1 to 10
    bool header = false;   // the heading of a group of equal names
    bool operator==(const PerformerEntry&) const = default;
};

struct DerivedLists
{
    std::vector<SongEntry> songs;
    std::vector<ProducerEntry> producers;
    std::vector<PerformerEntry> performers;

    void clear()
    {
        songs.clear();
        producers.clear();
        performers.clear();
    }
};

inline constexpr const char* kNoProducerListed = "No producer listed";

// A derived list as its builder leaves it: complete, or, when memory ran out, holding what could
// be built (and perhaps not ordered).
template <typename Entry> struct BuiltList
{
    std::vector<Entry> entries;
    bool outOfMemory = false;

    // Room for count entries when there is memory for them; without it the list may still grow
    // entry by entry, as far as memory allows.
    void reserve(std::size_t count)
    {
        try {
            entries.reserve(count);
        } catch (const std::bad_alloc&) {
        }
    }
};

} // namespace discora
