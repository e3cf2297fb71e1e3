#include "core/catalogue/valuelist.h"

#include "core/catalogue/cp1252.h"

namespace discora {

bool ValueList::addDistinctValue(std::string_view text)
{
    if (text.empty())
        return false;
    if (!m_folded.insert(cp1252::foldCase(text)).second)
        return false;
    m_values.emplace_back(text);
    return true;
}

void ValueList::clear()
{
    m_values.clear();
    m_folded.clear();
}

} // namespace discora
