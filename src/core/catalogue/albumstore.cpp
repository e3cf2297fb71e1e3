#include "core/catalogue/albumstore.h"

namespace discora {

AlbumRecord AlbumStore::album(int index) const
{
    AlbumRecord record;
    for (int f = 0; f < kFieldCount; ++f)
        record.text(fieldAt(f)) = std::string(m_columns[f].at(index));
    return record;
}

void AlbumStore::setAlbum(int index, const AlbumRecord& record)
{
    // Room in every list first: once it is there no text can fail, so the album changes whole or
    // not at all.
    for (int f = 0; f < kFieldCount; ++f)
        m_columns[f].reserveFor(index, record.text(fieldAt(f)));
    for (int f = 0; f < kFieldCount; ++f)
        m_columns[f].set(index, record.text(fieldAt(f)));
}

int AlbumStore::appendAlbum(const AlbumRecord& record)
{
    try {
        for (int f = 0; f < kFieldCount; ++f)
            m_columns[f].append(record.text(fieldAt(f)));
    } catch (...) {
        for (auto& column : m_columns)
            column.resize(static_cast<std::size_t>(m_count));
        throw;
    }
    return m_count++;
}

int AlbumStore::appendAlbums(const AlbumStore& other)
{
    const int first = m_count;
    for (int f = 0; f < kFieldCount; ++f)
        m_columns[f].appendColumn(other.m_columns[f]);
    m_count += other.m_count;
    return first;
}

void AlbumStore::removeAlbum(int index)
{
    for (auto& column : m_columns)
        column.erase(index);
    --m_count;
}

void AlbumStore::clear()
{
    for (auto& column : m_columns)
        column.clear();
    m_count = 0;
}

void AlbumStore::resize(int count)
{
    for (auto& column : m_columns)
        column.resize(count);
    m_count = count;
}

void AlbumStore::shrinkToFit()
{
    for (auto& column : m_columns)
        column.shrinkToFit();
}

std::size_t AlbumStore::memoryUsage() const
{
    std::size_t total = 0;
    for (const auto& column : m_columns)
        total += column.memoryUsage();
    return total;
}

} // namespace discora
