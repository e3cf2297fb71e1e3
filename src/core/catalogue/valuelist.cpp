#include "core/catalogue/valuelist.h"

#include "core/catalogue/cp1252.h"

#include <algorithm>

namespace discora {

bool ValueList::addDistinctValue(std::string_view text)
{
    if (text.empty())
        return false;
    // Everything that needs memory comes before the first change, so a value is added whole or not
    // at all.
    std::string value(text);
    if (m_values.size() == m_values.capacity())
        m_values.reserve(std::max<std::size_t>(8, m_values.capacity() * 2));
    if (!m_folded.insert(cp1252::foldCase(text)).second)
        return false;
    m_values.push_back(std::move(value));
    return true;
}

void ValueList::clear()
{
    m_values.clear();
    m_folded.clear();
}

} // namespace discora
