// A list of distinct texts offered in the entry sheet's drop-down lists. Distinct means different
// even when letter case is ignored; a folded copy of each entry makes the test constant-time.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace discora {

class ValueList
{
public:
    // Adds text unless it is empty or the list already holds it in any letter case.
    bool addDistinctValue(std::string_view text);
    void clear();

    const std::vector<std::string>& values() const { return m_values; }
    // The entries may be reordered (the Filters dialog offers them sorted); not added or removed.
    std::vector<std::string>& values() { return m_values; }
    int count() const { return static_cast<int>(m_values.size()); }

private:
    std::vector<std::string> m_values;
    std::unordered_set<std::string> m_folded;
};

// The seven value lists, in the order they are handed to the entry sheet.
enum class ValueListId : int
{
    Artist,
    AlbumName,
    Producer,
    MusicType,
    MediaType,
    Label,
    Quality
};
constexpr int kValueListCount = 7;

} // namespace discora
