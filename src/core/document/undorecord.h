// One step of the undo history: which kind of change to reverse, the change's name for the Edit
// menu and, per album concerned, its index and a full copy of its texts. The copies sit in a
// compact album store because a Delete of a whole catalogue keeps every album.
#pragma once

#include "core/model/albumrecord.h"
#include "core/model/albumstore.h"

#include <string>
#include <vector>

namespace discora {

enum class UndoKind
{
    None,
    Delete,   // reverses an Enter: the albums at the saved indices are removed again
    Unmodify, // reverses a Modify: the saved texts go back to their indices
    Restore,  // reverses a Delete: the saved albums go back to the indices they had
};

class UndoRecord
{
public:
    bool available() const { return m_available; }
    void setAvailable() { m_available = true; }
    UndoKind kind() const { return m_kind; }
    // What the change was, as the Edit menu names it: "Delete 3 Albums".
    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    // False when memory ran out while the record was made: it then reverses only part of its
    // change.
    bool complete() const { return m_complete; }
    void setIncomplete() { m_complete = false; }

    int count() const { return static_cast<int>(m_albums.size()); }
    int albumIndex(int entry) const { return m_albums[entry]; }
    AlbumRecord savedAlbum(int entry) const { return m_saved.album(entry); }
    const AlbumStore& savedAlbums() const { return m_saved; }
    std::size_t memoryUsage() const { return m_saved.memoryUsage() + m_albums.capacity() * sizeof(int); }

    // Keeps a copy of album as it is now; the whole record takes kind. May throw std::bad_alloc,
    // leaving the record as it was.
    void record(int albumIndex, const AlbumRecord& album, UndoKind kind);
    // The same, with the album taken from a store.
    void record(int albumIndex, const AlbumStore& albums, int album, UndoKind kind);
    // Records the entry of albums, stored at firstIndex onwards, as one Enter of all of them (kind
    // Delete). The record must be empty.
    void recordEntered(int firstIndex, AlbumStore albums);
    void clear();

private:
    void addIndex(int albumIndex);

    UndoKind m_kind = UndoKind::None;
    bool m_available = false;
    bool m_complete = true;
    std::string m_name;
    std::vector<int> m_albums;
    AlbumStore m_saved;
};

// "Delete Album", "Delete 3 Albums", "Import 3,012 Albums"
std::string changeName(std::string_view verb, int albums);

} // namespace discora
