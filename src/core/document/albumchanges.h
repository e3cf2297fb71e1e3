// The album half of the edits Undo walks back through (Enter, Import, Delete, and Undo and Redo
// themselves): what each does to the albums and the undo step it makes, how the albums are put
// back should the rest of the edit run out of memory, and the step handed to the history once
// everything else has succeeded. The document brings what depends on the albums up to date in
// between, and notifies.
#pragma once

#include "core/document/undohistory.h"
#include "core/model/albumrecord.h"
#include "core/model/albumstore.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace discora {

inline constexpr const char* kEnterOutOfMemory = "Out of memory! Cannot add any more entries!";
inline constexpr const char* kRecordUndoOutOfMemory = "Not enough memory to record undo.";

struct AlbumEdit
{
    int changed = 0;
    std::string error; // for the user: memory ran out for the albums or for the undo record
};

class AlbumChange
{
public:
    virtual ~AlbumChange() = default;
    // Changes the albums and makes the step; changed is 0 when nothing changed, and then nothing
    // else happens.
    virtual AlbumEdit apply(AlbumStore& albums, UndoHistory& history) = 0;
    // Puts the albums (and the history) back as they were before apply, as far as memory allows.
    virtual void revert(AlbumStore& albums, UndoHistory& history) noexcept = 0;
    // After everything else succeeded: the step goes into the history. Returns whether the
    // catalogue now differs from its file.
    virtual bool commit(UndoHistory& history) noexcept = 0;
};

// Adds one album at the end, as Enter does; undone by a Delete.
class EnterAlbum : public AlbumChange
{
public:
    explicit EnterAlbum(AlbumRecord album) : m_album(std::move(album)) {}
    AlbumEdit apply(AlbumStore& albums, UndoHistory& history) override;
    void revert(AlbumStore& albums, UndoHistory& history) noexcept override;
    bool commit(UndoHistory& history) noexcept override;
    int index() const { return m_index; }

private:
    AlbumRecord m_album;
    int m_index = 0;
    UndoRecord m_step;
    bool m_room = false;
};

// Adds the albums of an import at the end as one Enter of them all; undone by one Delete.
class ImportAlbums : public AlbumChange
{
public:
    explicit ImportAlbums(AlbumStore albums) : m_albums(std::move(albums)) {}
    AlbumEdit apply(AlbumStore& albums, UndoHistory& history) override;
    void revert(AlbumStore& albums, UndoHistory& history) noexcept override;
    bool commit(UndoHistory& history) noexcept override;
    int first() const { return m_first; }

private:
    AlbumStore m_albums;
    int m_first = 0;
    UndoRecord m_step;
    bool m_room = false;
};

// Replaces albums one at a time with what edit makes of each (nothing: the album stays as it
// was), as Modify does through the entry sheet; undone by one Unmodify. afterEach runs after each
// album changed, so that the next sheet offers what was typed.
class ModifyAlbums : public AlbumChange
{
public:
    using Edit = std::function<std::optional<AlbumRecord>(const AlbumRecord&)>;
    ModifyAlbums(std::span<const std::uint32_t> albums, const Edit& edit, std::function<void()> afterEach)
        : m_albums(albums), m_edit(edit), m_afterEach(std::move(afterEach))
    {}
    AlbumEdit apply(AlbumStore& albums, UndoHistory& history) override;
    void revert(AlbumStore& albums, UndoHistory& history) noexcept override;
    bool commit(UndoHistory& history) noexcept override;

private:
    std::span<const std::uint32_t> m_albums;
    const Edit& m_edit;
    std::function<void()> m_afterEach;
    // The albums changed so far, as they were, to put back when memory runs out.
    std::vector<std::pair<int, AlbumRecord>> m_originals;
    UndoRecord m_step;
    bool m_room = false;
};

// Removes albums, undone by one Restore that puts each back at its index.
class DeleteAlbums : public AlbumChange
{
public:
    explicit DeleteAlbums(std::span<const std::uint32_t> albums) : m_albums(albums.begin(), albums.end()) {}
    AlbumEdit apply(AlbumStore& albums, UndoHistory& history) override;
    void revert(AlbumStore& albums, UndoHistory& history) noexcept override;
    bool commit(UndoHistory& history) noexcept override;

private:
    std::vector<std::uint32_t> m_albums;
    std::optional<AlbumStore> m_previous;
    UndoRecord m_step;
    bool m_room = false;
};

// Undo or Redo: the latest step taken off its list and applied, its reverse put on the other one.
class WalkHistory : public AlbumChange
{
public:
    explicit WalkHistory(bool undoing) : m_undoing(undoing) {}
    AlbumEdit apply(AlbumStore& albums, UndoHistory& history) override;
    void revert(AlbumStore& albums, UndoHistory& history) noexcept override;
    bool commit(UndoHistory& history) noexcept override;

private:
    bool m_undoing;
    std::optional<UndoRecord> m_taken;
    std::optional<AlbumStore> m_previous;
    UndoRecord m_reverse;
};

} // namespace discora
