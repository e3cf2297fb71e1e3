#include "core/model/valuelist.h"

#include "core/base/cp1252.h"
#include "core/base/texthash.h"

#include <algorithm>
#include <cstring>

namespace discora {

namespace {

std::uint64_t wordAt(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

} // namespace

bool ValueList::addDistinctValue(std::string_view text)
{
    if (text.empty())
        return false;
    // Plain ASCII is folded a word at a time as it is hashed and compared, without being written
    // anywhere unless it is new; anything else is folded into m_folded first.
    if (cp1252::isAscii(text))
        return addFolded(
            text, text.size(),
            [text](std::size_t at) { return cp1252::foldAsciiWord(wordAt(text.data() + at)); },
            [text](std::size_t at) { return static_cast<unsigned char>(lowerAscii(text[at])); });
    cp1252::foldCaseInto(m_folded, text);
    const std::string_view folded = m_folded;
    return addFolded(
        text, folded.size(), [folded](std::size_t at) { return wordAt(folded.data() + at); },
        [folded](std::size_t at) { return static_cast<unsigned char>(folded[at]); });
}

template <class WordOf, class ByteOf>
bool ValueList::addFolded(std::string_view text, std::size_t size, WordOf wordOf, ByteOf byteOf)
{
    const auto hash = static_cast<std::uint32_t>(hashWords(size, wordOf, byteOf));
    const auto equal = [&](std::string_view folded) {
        if (folded.size() != size)
            return false;
        std::size_t at = 0;
        for (; at + 8 <= size; at += 8)
            if (wordAt(folded.data() + at) != wordOf(at))
                return false;
        for (; at < size; ++at)
            if (static_cast<unsigned char>(folded[at]) != byteOf(at))
                return false;
        return true;
    };

    // Everything that needs memory comes before the first change, so a value is added whole or not
    // at all.
    if ((m_values.size() + 1) * 2 > m_slots.size())
        growTable();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t pos = hash & mask;
    for (; m_slots[pos].entry != kEmpty; pos = (pos + 1) & mask) {
        const std::uint32_t entry = m_slots[pos].entry;
        if (m_slots[pos].hash != hash)
            continue;
        const std::size_t begin = entry == 0 ? 0 : m_foldedEnds[entry - 1];
        if (equal(std::string_view(m_foldedValues).substr(begin, m_foldedEnds[entry] - begin)))
            return false;
    }
    std::string value(text);
    // Each by its own capacity: when the second reservation fails, the first is not taken for both.
    if (m_values.size() == m_values.capacity())
        m_values.reserve(std::max<std::size_t>(8, m_values.capacity() * 2));
    if (m_foldedEnds.size() == m_foldedEnds.capacity())
        m_foldedEnds.reserve(std::max<std::size_t>(8, m_foldedEnds.capacity() * 2));
    if (m_foldedValues.capacity() - m_foldedValues.size() < size)
        m_foldedValues.reserve(std::max(m_foldedValues.size() + size, m_foldedValues.capacity() * 2));
    m_values.push_back(std::move(value));
    for (std::size_t at = 0; at < size; ++at)
        m_foldedValues.push_back(static_cast<char>(byteOf(at)));
    m_foldedEnds.push_back(m_foldedValues.size());
    m_slots[pos] = {static_cast<std::uint32_t>(m_values.size() - 1), hash};
    return true;
}

void ValueList::growTable()
{
    std::vector<Slot> slots(std::max<std::size_t>(16, m_slots.size() * 2));
    const std::size_t mask = slots.size() - 1;
    for (const Slot& slot : m_slots) {
        if (slot.entry == kEmpty)
            continue;
        std::size_t pos = slot.hash & mask;
        while (slots[pos].entry != kEmpty)
            pos = (pos + 1) & mask;
        slots[pos] = slot;
    }
    m_slots = std::move(slots);
}

void ValueList::clear()
{
    m_values.clear();
    m_slots.clear();
    m_foldedValues.clear();
    m_foldedEnds.clear();
}

std::optional<ValueListId> valueListOf(Field field)
{
    switch (field) {
    case Field::Artist: return ValueListId::Artist;
    case Field::AlbumName: return ValueListId::AlbumName;
    case Field::Producer1:
    case Field::Producer2: return ValueListId::Producer;
    case Field::MusicType: return ValueListId::MusicType;
    case Field::MediaType: return ValueListId::MediaType;
    case Field::Label: return ValueListId::Label;
    case Field::Quality: return ValueListId::Quality;
    case Field::Location: return ValueListId::Location;
    default: return std::nullopt;
    }
}

} // namespace discora
