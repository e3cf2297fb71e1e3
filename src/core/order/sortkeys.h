// Sort keys computed once per sort: each text becomes a byte string whose plain byte order is the
// order CompareNames gives, so a sort compares integers and memory instead of decoding UTF-8.
#pragma once

#include "core/base/twothreads.h"
#include "core/order/comparenames.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace discora {

// Appends the key of text to out. Characters rank as CompareNames ranks them: A-Z folded to a-z,
// other Windows-1252 characters by their byte. Ranks from 0xFF upwards (ÿ and every character
// outside Windows-1252) take four bytes, 0xFF and (rank - 0xFF) big-endian, so they order after
// every single-byte rank and among themselves by code point.
void appendNameKey(std::string& out, std::string_view text);
std::string nameKey(std::string_view text);

// One entry to sort. chunk holds seven bytes of the key, big-endian, and in its lowest byte how
// many key bytes are left from there (8 meaning more than seven), so that integer order is key
// order: a key ending inside the chunk sorts before a longer one with the same bytes.
struct KeyedItem
{
    std::uint64_t chunk = 0;
    std::uint32_t major = 0; // groups entries before the key is looked at (0 for plain name orders)
    std::uint32_t index = 0; // the entry's position before the sort; the final tie-break
};

// Keys for entries 0 to count - 1. Texts repeat a lot in a catalogue (a title on many albums, a
// player on many records), so each distinct key is kept once and each entry holds its number:
// telling repeats apart by hash as they are set is much cheaper than sorting every copy by its bytes.
class SortKeys
{
public:
    // Which entries the keys are set for: all of them, or some, the others being set in a second
    // SortKeys (on another thread) with which these are ordered (stableOrder of the two).
    enum class Entries
    {
        All,
        Some
    };

    // Keys for entries 0 to count - 1, set in any order; bytesHint sizes the key buffer.
    explicit SortKeys(std::size_t count, std::size_t bytesHint = 0, Entries entries = Entries::All);

    // Keys made after this fold accented letters as folding says (comparisonForm).
    void setLetterFolding(LetterFolding folding) { m_folding = folding; }

    // Sets the key of entry i (once) with the given major group.
    void set(std::size_t i, std::string_view text, std::uint32_t major = 0);
    // Sets a key that orders by CompareNames and, among texts that compare equal, by their exact
    // bytes, so that each spelling of a name forms one run. Not to be mixed with set().
    void setSpelled(std::size_t i, std::string_view text);

    std::size_t size() const { return m_entryKey.size(); }
    std::string_view key(std::size_t i) const { return distinctKey(m_entryKey[i]); }
    bool sameKey(std::size_t i, std::size_t j) const { return m_entryKey[i] == m_entryKey[j]; }
    // For keys set with setSpelled: whether the two entries' texts compare equal by name.
    bool sameName(std::size_t i, std::size_t j) const;

    // Entry indices ordered by (major, key, index): the result of a stable sort by the keys.
    std::vector<std::uint32_t> stableOrder() const;
    // The same for entries whose keys were set some in first and the others in second (both made
    // for Entries::Some and the same count), as one SortKeys holding them all would give it.
    static std::vector<std::uint32_t> stableOrder(const SortKeys& first, const SortKeys& second);

private:
    std::string_view distinctKey(std::uint32_t d) const
    {
        return {m_arena.data() + m_spans[d].first, m_spans[d].second};
    }
    // Gives entry i the distinct key that equal() accepts among those with its hash, or a new one
    // that append() writes to the end of the arena.
    template <class Equal, class Append>
    void place(std::size_t i, std::uint32_t major, std::uint64_t hash, Equal equal, Append append);
    void placeScratch(std::size_t i, std::uint32_t major);
    void growTable();
    void sortByChunks(std::vector<KeyedItem>& items) const;
    // The distinct keys' numbers in the order of their keys.
    std::vector<std::uint32_t> distinctInOrder() const;
    std::uint32_t majorOf(std::size_t i) const { return m_entryMajor.empty() ? 0 : m_entryMajor[i]; }
    // Entries 0 to n - 1 laid out by (majorOf, rankOf, index), ranks below ranks and majors up
    // to maxMajor.
    template <class RankOf, class MajorOf>
    static std::vector<std::uint32_t> byRank(std::size_t n, std::size_t ranks, RankOf rankOf,
                                             std::uint32_t maxMajor, MajorOf majorOf);
    static constexpr std::uint32_t kNotSet = ~std::uint32_t{0};

    std::string m_arena;                                      // the distinct keys, one after another
    std::vector<std::pair<std::size_t, std::size_t>> m_spans; // per distinct key: offset and length
    std::vector<std::uint64_t> m_hashes;                      // per distinct key
    std::vector<std::uint64_t> m_table;                       // open addressing over the distinct keys
    std::vector<std::uint32_t> m_entryKey;
    std::vector<std::uint32_t> m_entryMajor;
    std::uint32_t m_maxMajor = 0;
    std::string m_scratch; // a key being made that is not plain folded ASCII
    LetterFolding m_folding = LetterFolding::AsciiOnly;
    std::string m_folded; // a text's accents folded, before its key is made
};

// The stable order of count entries whose keys are set visit by visit: setKeys(keys, first, last)
// sets in keys (folding letters as folding says) the keys of the entries of visits first to last - 1.
// A long list is keyed on two threads, half the visits each; the visits from 0 are always keyed on
// this thread. keysSet() runs once every key is set, before they are sorted.
template <class SetKeys, class KeysSet>
std::vector<std::uint32_t> stableOrderOfVisits(std::size_t count, std::size_t bytesPerEntry,
                                               LetterFolding folding, SetKeys setKeys, KeysSet keysSet)
{
    constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 16;
    if (count < kTwoThreadsFrom) {
        SortKeys keys(count, count * bytesPerEntry);
        keys.setLetterFolding(folding);
        setKeys(keys, std::size_t{0}, count);
        keysSet();
        return keys.stableOrder();
    }
    SortKeys firstKeys(count, count * bytesPerEntry / 2, SortKeys::Entries::Some);
    SortKeys secondKeys(count, count * bytesPerEntry / 2, SortKeys::Entries::Some);
    firstKeys.setLetterFolding(folding);
    secondKeys.setLetterFolding(folding);
    onTwoThreads([&](int half) {
        if (half == 0)
            setKeys(firstKeys, std::size_t{0}, count / 2);
        else
            setKeys(secondKeys, count / 2, count);
    });
    keysSet();
    return SortKeys::stableOrder(firstKeys, secondKeys);
}

// items rearranged as stableOrder() says: element i of the result is items[from[i]].
template <class T>
std::vector<T> permuted(const std::vector<T>& items, const std::vector<std::uint32_t>& from)
{
    std::vector<T> out(from.size());
    for (std::size_t i = 0; i < from.size(); ++i)
        out[i] = items[from[i]];
    return out;
}

// The entries of a list built album by album, in the catalogue order of their albums. Building keys
// in this order reads each field list front to back; in display order every text would be a fresh
// trip to memory, which costs more than the sort itself on a large catalogue.
template <class AlbumOf> std::vector<std::uint32_t> inCatalogueOrder(std::size_t count, AlbumOf albumOf)
{
    std::vector<std::uint32_t> visit;
    visit.reserve(count);
    // Often the entries are in catalogue order already (a list built from albums in catalogue order).
    std::uint32_t i = 1;
    while (i < count && albumOf(i - 1) <= albumOf(i))
        ++i;
    if (i >= count) {
        for (std::uint32_t k = 0; k < count; ++k)
            visit.push_back(k);
        return visit;
    }

    // Runs of consecutive entries of one album, as (album, first entry).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
    for (std::uint32_t i = 0; i < count; ++i)
        if (i == 0 || albumOf(i) != albumOf(i - 1))
            runs.emplace_back(albumOf(i), i);
    std::sort(runs.begin(), runs.end());
    for (const auto& [album, first] : runs)
        for (std::uint32_t i = first; i < count && albumOf(i) == album; ++i)
            visit.push_back(i);
    return visit;
}

} // namespace discora
