#include "core/catalogue/valuelist.h"

#include "core/catalogue/cp1252.h"
#include "core/catalogue/texthash.h"

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

// Folded eight bytes at a time where the text is plain ASCII: a catalogue's value lists take a
// look-up per album and list.
void foldInto(std::string& out, std::string_view text)
{
    if (!cp1252::isAscii(text)) {
        cp1252::foldCaseInto(out, text);
        return;
    }
    out.resize(text.size());
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        const std::uint64_t folded = cp1252::foldAsciiWord(wordAt(text.data() + i));
        std::memcpy(out.data() + i, &folded, sizeof folded);
    }
    for (; i < text.size(); ++i)
        out[i] = lowerAscii(text[i]);
}

std::uint32_t hashOf(std::string_view folded)
{
    return static_cast<std::uint32_t>(hashText(folded));
}

} // namespace

bool ValueList::addDistinctValue(std::string_view text)
{
    if (text.empty())
        return false;
    // Everything that needs memory comes before the first change, so a value is added whole or not
    // at all.
    foldInto(m_folded, text);
    const std::uint32_t hash = hashOf(m_folded);
    if ((m_values.size() + 1) * 2 > m_slots.size())
        growTable();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t pos = hash & mask;
    for (; m_slots[pos].entry != kEmpty; pos = (pos + 1) & mask) {
        const std::uint32_t entry = m_slots[pos].entry;
        if (m_slots[pos].hash != hash)
            continue;
        const std::uint32_t begin = entry == 0 ? 0 : m_foldedEnds[entry - 1];
        if (std::string_view(m_foldedValues).substr(begin, m_foldedEnds[entry] - begin) == m_folded)
            return false;
    }
    std::string value(text);
    if (m_values.size() == m_values.capacity()) {
        const std::size_t capacity = std::max<std::size_t>(8, m_values.capacity() * 2);
        m_values.reserve(capacity);
        m_foldedEnds.reserve(capacity);
    }
    if (m_foldedValues.capacity() - m_foldedValues.size() < m_folded.size())
        m_foldedValues.reserve(std::max(m_foldedValues.size() + m_folded.size(), m_foldedValues.capacity() * 2));
    m_values.push_back(std::move(value));
    m_foldedValues.append(m_folded);
    m_foldedEnds.push_back(static_cast<std::uint32_t>(m_foldedValues.size()));
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

} // namespace discora
