#include "core/document/undorecord.h"

#include "core/base/groupednumber.h"

#include <algorithm>

namespace discora {

void UndoRecord::addIndex(int albumIndex)
{
    if (m_albums.size() == m_albums.capacity())
        m_albums.reserve(std::max<std::size_t>(8, m_albums.capacity() * 2));
    m_albums.push_back(albumIndex);
}

void UndoRecord::record(int albumIndex, const AlbumRecord& album, UndoKind kind)
{
    if (m_albums.size() == m_albums.capacity())
        m_albums.reserve(std::max<std::size_t>(8, m_albums.capacity() * 2));
    try {
        m_saved.appendAlbum(album);
    } catch (...) {
        m_saved.resize(static_cast<int>(m_albums.size()));
        throw;
    }
    addIndex(albumIndex);
    m_kind = kind;
}

void UndoRecord::record(int albumIndex, const AlbumStore& albums, int album, UndoKind kind)
{
    if (m_albums.size() == m_albums.capacity())
        m_albums.reserve(std::max<std::size_t>(8, m_albums.capacity() * 2));
    m_saved.appendAlbums(albums, album, album + 1);
    addIndex(albumIndex);
    m_kind = kind;
}

void UndoRecord::recordEntered(int firstIndex, AlbumStore albums)
{
    std::vector<int> indices(static_cast<std::size_t>(albums.albumCount()));
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = firstIndex + static_cast<int>(i);
    m_albums = std::move(indices);
    m_saved = std::move(albums);
    m_kind = UndoKind::Delete;
}

void UndoRecord::clear()
{
    m_kind = UndoKind::None;
    m_available = false;
    m_complete = true;
    m_name.clear();
    m_albums.clear();
    m_albums.shrink_to_fit();
    m_saved.clear();
}

std::string changeName(std::string_view verb, int albums)
{
    std::string name(verb);
    if (albums == 1)
        return name + " Album";
    return name + ' ' + groupedNumber(albums) + " Albums";
}

} // namespace discora
