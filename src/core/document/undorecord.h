// The one level of undo: which kind of change to reverse and, per album concerned, its index and
// a full copy of its texts from before the change. The copies sit in a compact album store because
// a Delete of a whole catalogue keeps every album.
#pragma once

#include "core/catalogue/albumrecord.h"
#include "core/catalogue/albumstore.h"

#include <vector>

namespace discora {

enum class UndoKind
{
    None,
    Delete,   // reverses an Enter: the saved albums are removed again
    Unmodify, // reverses a Modify: the saved texts go back to their indices
    Restore,  // reverses a Delete: the saved albums are appended at the end
};

class UndoRecord
{
public:
    bool available() const { return m_available; }
    void setAvailable() { m_available = true; }
    UndoKind kind() const { return m_kind; }

    int count() const { return static_cast<int>(m_albums.size()); }
    int albumIndex(int entry) const { return m_albums[entry]; }
    AlbumRecord savedAlbum(int entry) const { return m_saved.album(entry); }

    // Keeps a copy of album as it is now; the whole record takes kind. May throw std::bad_alloc,
    // leaving the record as it was.
    void record(int albumIndex, const AlbumRecord& album, UndoKind kind);
    // Records the entry of albums, stored at firstIndex onwards, as one Enter of all of them (kind
    // Delete). The record must be empty.
    void recordEntered(int firstIndex, AlbumStore albums);
    void clear();

private:
    UndoKind m_kind = UndoKind::None;
    bool m_available = false;
    std::vector<int> m_albums;
    AlbumStore m_saved;
};

} // namespace discora
