#include "core/document/undosteps.h"

#include <algorithm>
#include <new>
#include <utility>

namespace discora {

bool recordUndo(UndoRecord& step, int album, const AlbumRecord& before, UndoKind kind) noexcept
{
    try {
        step.record(album, before, kind);
        return true;
    } catch (const std::bad_alloc&) {
        step.setIncomplete();
        return false;
    }
}

bool recordUndo(UndoRecord& step, int album, const AlbumStore& albums, UndoKind kind) noexcept
{
    try {
        step.record(album, albums, album, kind);
        return true;
    } catch (const std::bad_alloc&) {
        step.setIncomplete();
        return false;
    }
}

AlbumStore removeMarkedAlbums(AlbumStore& albums, const std::vector<bool>& marked)
{
    AlbumStore kept = albums.without(marked);
    std::swap(albums, kept);
    return kept;
}

std::optional<AlbumStore> applyUndoStep(AlbumStore& albums, const UndoRecord& step, UndoRecord& reverse)
{
    switch (step.kind()) {
    case UndoKind::Unmodify:
        // Backwards, so that an album changed twice ends as it was before the first change.
        for (int i = step.count() - 1; i >= 0; --i) {
            const int a = step.albumIndex(i);
            if (a >= albums.albumCount())
                continue;
            reverse.record(a, albums, a, UndoKind::Unmodify);
            albums.setAlbum(a, step.savedAlbum(i));
        }
        return std::nullopt;
    case UndoKind::Delete: {
        std::vector<bool> marked(static_cast<std::size_t>(albums.albumCount()), false);
        for (int i = 0; i < step.count(); ++i)
            if (step.albumIndex(i) < albums.albumCount())
                marked[static_cast<std::size_t>(step.albumIndex(i))] = true;
        for (int a = 0; a < albums.albumCount(); ++a)
            if (marked[static_cast<std::size_t>(a)])
                reverse.record(a, albums, a, UndoKind::Restore);
        return removeMarkedAlbums(albums, marked);
    }
    case UndoKind::Restore: {
        // Each album goes back to the index it had, so the catalogue is exactly as before the
        // Delete and the steps before it still name the right albums.
        std::vector<int> byIndex(static_cast<std::size_t>(step.count()));
        for (std::size_t i = 0; i < byIndex.size(); ++i)
            byIndex[i] = static_cast<int>(i);
        std::stable_sort(byIndex.begin(), byIndex.end(),
                         [&](int x, int y) { return step.albumIndex(x) < step.albumIndex(y); });
        const int keptCount = albums.albumCount();
        AlbumStore merged;
        merged.reserve(static_cast<std::size_t>(keptCount + step.count()),
                       albums.recordBytes() + step.savedAlbums().recordBytes());
        int kept = 0;
        for (int entry : byIndex) {
            const int take = std::clamp(step.albumIndex(entry) - merged.albumCount(), 0, keptCount - kept);
            merged.appendAlbums(albums, kept, kept + take);
            kept += take;
            const int at = merged.albumCount();
            merged.appendAlbums(step.savedAlbums(), entry, entry + 1);
            reverse.record(at, merged, at, UndoKind::Delete);
        }
        merged.appendAlbums(albums, kept, keptCount);
        std::swap(albums, merged);
        return merged;
    }
    case UndoKind::None: break;
    }
    return std::nullopt;
}

void revertUnmodify(AlbumStore& albums, const UndoRecord& reverse) noexcept
{
    for (int i = reverse.count() - 1; i >= 0; --i) {
        try {
            albums.setAlbum(reverse.albumIndex(i), reverse.savedAlbum(i));
        } catch (const std::bad_alloc&) {
            // That album keeps the restored texts, which is still a whole album.
        }
    }
}

} // namespace discora
