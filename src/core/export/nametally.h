// How many albums name each artist, label, media type...: names that differ only in the letter
// case of A to Z count as one, as a filter matches them, under the spelling more than half of them
// have (a majority vote as they are counted; without a majority, the one the vote leaves). An
// open-addressing table by the hash of the folded name; the names sit one after another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

struct NamedCount
{
    std::string name;
    int albums = 0;
    bool operator==(const NamedCount&) const = default;
};

class NameTally
{
public:
    // One more album for name (which must not be empty).
    void count(std::string_view name);
    // Adds the counts of other, whose names count after this tally's own.
    void add(const NameTally& other);

    int distinct() const { return static_cast<int>(m_entries.size()); }
    // The names with the most albums first, at most limit of them; names of equal counts in
    // CompareNames order.
    std::vector<NamedCount> mostFirst(std::size_t limit) const;

private:
    struct Entry
    {
        std::size_t offset; // of the folded name in m_names, its spelling right after it
        std::uint32_t size;
        std::uint32_t hash;
        int albums;
        int votes; // of the spelling kept, against the others
    };
    std::string_view spelling(const Entry& e) const { return {m_names.data() + e.offset + e.size, e.size}; }
    std::string_view folded(const Entry& e) const { return {m_names.data() + e.offset, e.size}; }
    void count(std::string_view name, std::string_view folded, std::uint32_t hash, int albums, int votes);
    void growTable();

    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    std::vector<std::uint32_t> m_slots; // entry numbers; a power of two in size, at most half full
    std::vector<Entry> m_entries;
    std::string m_names;
    std::string m_folded; // the name being counted, folded
};

} // namespace discora
