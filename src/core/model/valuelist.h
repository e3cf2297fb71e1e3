// A list of distinct texts offered in the entry sheet's drop-down lists. Distinct means different
// even when letter case is ignored. An open-addressing table of the entries' numbers, by the hash of
// their folded text, makes the test constant-time; the folded texts sit one after another.
#pragma once

#include "core/model/field.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class ValueList
{
public:
    // Adds text unless it is empty or the list already holds it in any letter case. When memory
    // runs out (std::bad_alloc) the list is left as it was.
    bool addDistinctValue(std::string_view text);
    void clear();

    const std::vector<std::string>& values() const { return m_values; }
    int count() const { return static_cast<int>(m_values.size()); }

private:
    struct Slot
    {
        std::uint32_t entry = kEmpty;
        std::uint32_t hash = 0;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

    // Adds text, whose folded form (size bytes) wordOf and byteOf give, unless it is there.
    template <class WordOf, class ByteOf>
    bool addFolded(std::string_view text, std::size_t size, WordOf wordOf, ByteOf byteOf);
    void growTable();

    std::vector<std::string> m_values;
    std::vector<Slot> m_slots;             // a power of two in size, at most half full
    std::string m_foldedValues;            // the entries folded, one after another
    std::vector<std::size_t> m_foldedEnds; // a list of long texts may pass 4 GiB in all
    std::string m_folded;                  // a text being looked up that is not plain ASCII, folded
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
    Quality,
    Location,
};
constexpr int kValueListCount = 8;

// The value list that keeps a field's texts and offers them in the entry sheet, if any: the two
// producers share one list.
std::optional<ValueListId> valueListOf(Field field);

} // namespace discora
