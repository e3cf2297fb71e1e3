// What an undo step does to the albums: applying a step's record, and building the record that
// takes it back, for Undo, Redo and the edits that make the steps.
#pragma once

#include "core/document/undorecord.h"
#include "core/model/albumstore.h"

#include <optional>
#include <vector>

namespace discora {

// Keeps album as it was in step; false (the record marked incomplete) when memory ran out.
bool recordUndo(UndoRecord& step, int album, const AlbumRecord& before, UndoKind kind) noexcept;
// The same for an album as the store holds it, its identity kept, so that Undo brings back the
// very album that was deleted.
bool recordUndo(UndoRecord& step, int album, const AlbumStore& albums, UndoKind kind) noexcept;

// Replaces the albums with those not marked and returns the albums as they were. The kept albums
// are copied into a store of their own, so the old ones stay whole until the copy is complete.
AlbumStore removeMarkedAlbums(AlbumStore& albums, const std::vector<bool>& marked);

// Applies a step's record and builds in reverse the record that takes it back. Returns the albums
// as they were when the step replaced the whole store (Delete, Restore).
std::optional<AlbumStore> applyUndoStep(AlbumStore& albums, const UndoRecord& step, UndoRecord& reverse);

// After a step ran out of memory half way: the albums it changed one by one (Unmodify) put back
// from the reverse record, latest first, as far as memory allows.
void revertUnmodify(AlbumStore& albums, const UndoRecord& reverse) noexcept;

} // namespace discora
