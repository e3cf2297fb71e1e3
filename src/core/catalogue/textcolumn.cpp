#include "core/catalogue/textcolumn.h"

#include <algorithm>
#include <limits>
#include <new>

namespace discora {

std::uint32_t TextColumn::store(std::string_view text)
{
    if (m_data.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    const auto offset = static_cast<std::uint32_t>(m_data.size());
    m_data.append(text);
    return offset;
}

void TextColumn::set(std::size_t i, std::string_view text)
{
    Ref& r = m_refs[i];
    if (text.size() <= r.length) {
        // Shrinking in place; text never aliases m_data from a different entry being overwritten
        // because callers hand in independent strings.
        m_data.replace(r.offset, text.size(), text);
        m_unused += r.length - text.size();
        r.length = static_cast<std::uint32_t>(text.size());
        return;
    }
    // std::string::append copes with text that points into m_data itself.
    const std::uint32_t offset = store(text);
    m_unused += r.length;
    r.offset = offset;
    r.length = static_cast<std::uint32_t>(text.size());
    compactIfWasteful();
}

void TextColumn::reserveFor(std::size_t i, std::string_view text)
{
    if (text.size() > m_refs[i].length && m_data.capacity() - m_data.size() < text.size())
        m_data.reserve(std::max(m_data.size() + text.size(), m_data.capacity() * 2));
}

void TextColumn::append(std::string_view text)
{
    const std::uint32_t offset = store(text);
    try {
        m_refs.push_back({offset, static_cast<std::uint32_t>(text.size())});
    } catch (...) {
        m_data.resize(offset);
        throw;
    }
}

void TextColumn::appendColumn(const TextColumn& other)
{
    if (m_data.size() + other.m_data.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    const auto base = static_cast<std::uint32_t>(m_data.size());
    m_refs.reserve(m_refs.size() + other.m_refs.size());
    m_data.append(other.m_data);
    for (const Ref& r : other.m_refs)
        m_refs.push_back({base + r.offset, r.length});
    m_unused += other.m_unused;
}

char* TextColumn::appendUninitialised(std::size_t length)
{
    if (m_data.size() + length > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    const auto offset = static_cast<std::uint32_t>(m_data.size());
    m_data.resize(m_data.size() + length);
    try {
        m_refs.push_back({offset, static_cast<std::uint32_t>(length)});
    } catch (...) {
        m_data.resize(offset);
        throw;
    }
    return m_data.data() + offset;
}

void TextColumn::resize(std::size_t count)
{
    if (count < m_refs.size()) {
        for (std::size_t i = count; i < m_refs.size(); ++i)
            m_unused += m_refs[i].length;
        m_refs.resize(count);
        compactIfWasteful();
    } else {
        m_refs.resize(count, Ref{static_cast<std::uint32_t>(m_data.size()), 0});
    }
}

void TextColumn::erase(std::size_t i)
{
    m_unused += m_refs[i].length;
    m_refs.erase(m_refs.begin() + static_cast<std::ptrdiff_t>(i));
    compactIfWasteful();
}

void TextColumn::clear()
{
    m_data.clear();
    m_data.shrink_to_fit();
    m_refs.clear();
    m_refs.shrink_to_fit();
    m_unused = 0;
}

void TextColumn::reserve(std::size_t count, std::size_t bytes)
{
    m_refs.reserve(count);
    m_data.reserve(bytes);
}

void TextColumn::shrinkToFit()
{
    m_data.shrink_to_fit();
    m_refs.shrink_to_fit();
}

void TextColumn::compactIfWasteful()
{
    if (m_unused < 4096 || m_unused * 2 < m_data.size())
        return;
    std::string packed;
    try {
        packed.reserve(m_data.size() - m_unused);
    } catch (const std::bad_alloc&) {
        return; // compacting only saves memory; it waits for a later change
    }
    for (Ref& r : m_refs) {
        const auto offset = static_cast<std::uint32_t>(packed.size());
        packed.append(m_data, r.offset, r.length);
        r.offset = offset;
    }
    m_data = std::move(packed);
    m_unused = 0;
}

} // namespace discora
