// The albums of a catalogue as 111 parallel field lists: album i is entry i of every list.
#pragma once

#include "core/catalogue/albumrecord.h"
#include "core/catalogue/field.h"
#include "core/catalogue/textcolumn.h"

#include <array>
#include <span>
#include <string_view>

namespace discora {

class AlbumStore
{
public:
    int albumCount() const { return m_count; }

    std::string_view text(Field f, int album) const { return m_columns[fieldIndex(f)].at(album); }
    void setText(Field f, int album, std::string_view text) { m_columns[fieldIndex(f)].set(album, text); }

    AlbumRecord album(int index) const;
    // Both change the whole album or, when memory runs out (std::bad_alloc), nothing.
    void setAlbum(int index, const AlbumRecord& record);
    int appendAlbum(const AlbumRecord& record);
    // Appends every album of other; returns the index of the first.
    int appendAlbums(const AlbumStore& other);
    void removeAlbum(int index);

    void clear();
    // Every list to count entries, keeping existing ones and adding empty ones.
    void resize(int count);

    TextColumn& column(Field f) { return m_columns[fieldIndex(f)]; }
    const TextColumn& column(Field f) const { return m_columns[fieldIndex(f)]; }

    void shrinkToFit();
    std::size_t memoryUsage() const;

private:
    std::array<TextColumn, kFieldCount> m_columns;
    int m_count = 0;
};

} // namespace discora
