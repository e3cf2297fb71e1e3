#include "core/document/albumchanges.h"

#include "core/document/undosteps.h"
#include "core/model/albumdetails.h"

#include <algorithm>
#include <new>
#include <utility>

namespace discora {

AlbumEdit EnterAlbum::apply(AlbumStore& albums, UndoHistory& history)
{
    AlbumEdit edit;
    m_index = albums.albumCount();
    try {
        albums.appendAlbum(m_album);
    } catch (const std::bad_alloc&) {
        edit.error = kEnterOutOfMemory;
        return edit;
    }
    m_room = history.reserveRoom();
    if (!m_room || !recordUndo(m_step, m_index, m_album, UndoKind::Delete))
        edit.error = kRecordUndoOutOfMemory;
    m_step.setName(changeName("Enter", 1));
    edit.changed = 1;
    return edit;
}

void EnterAlbum::revert(AlbumStore& albums, UndoHistory&) noexcept
{
    albums.resize(m_index);
}

bool EnterAlbum::commit(UndoHistory& history) noexcept
{
    history.addStep(std::move(m_step), m_room);
    return true;
}

AlbumEdit ImportAlbums::apply(AlbumStore& albums, UndoHistory& history)
{
    AlbumEdit edit;
    m_first = albums.albumCount();
    const int count = m_albums.albumCount();
    try {
        albums.appendAlbums(m_albums);
    } catch (const std::bad_alloc&) {
        edit.error = kEnterOutOfMemory;
        return edit;
    }
    m_room = history.reserveRoom();
    if (m_room) {
        try {
            m_step.recordEntered(m_first, std::move(m_albums));
            m_step.setName(changeName("Import", count));
        } catch (const std::bad_alloc&) {
            m_room = false;
        }
    }
    if (!m_room)
        edit.error = kRecordUndoOutOfMemory;
    edit.changed = count;
    return edit;
}

void ImportAlbums::revert(AlbumStore& albums, UndoHistory&) noexcept
{
    albums.resize(m_first);
}

bool ImportAlbums::commit(UndoHistory& history) noexcept
{
    history.addStep(std::move(m_step), m_room);
    return true;
}

AlbumEdit ModifyAlbums::apply(AlbumStore& albums, UndoHistory& history)
{
    AlbumEdit edit;
    m_room = history.reserveRoom();
    // Album indices stay valid through the loop: nothing is re-sorted until every sheet has closed.
    for (std::uint32_t album : m_albums) {
        const int a = static_cast<int>(album);
        if (a >= albums.albumCount())
            continue;
        AlbumRecord before = albums.album(a);
        std::optional<AlbumRecord> edited = m_edit(before);
        if (!edited)
            continue;
        // A change of the album's texts dates it, unless the edit gave a date of its own.
        if (*edited != before && edited->text(Field::DateModified) == before.text(Field::DateModified))
            edited->text(Field::DateModified) = todaysDate();
        if (!m_room || !recordUndo(m_step, a, before, UndoKind::Unmodify))
            edit.error = kRecordUndoOutOfMemory;
        m_originals.emplace_back(a, std::move(before));
        albums.setAlbum(a, *edited);
        m_afterEach();
        ++edit.changed;
    }
    if (edit.changed > 0) {
        // An album edited twice in one Modify counts once.
        std::vector<int> changed;
        for (const auto& original : m_originals)
            changed.push_back(original.first);
        std::sort(changed.begin(), changed.end());
        const auto distinct = std::unique(changed.begin(), changed.end()) - changed.begin();
        m_step.setName(changeName("Modify", static_cast<int>(distinct)));
    }
    return edit;
}

void ModifyAlbums::revert(AlbumStore& albums, UndoHistory&) noexcept
{
    for (auto it = m_originals.rbegin(); it != m_originals.rend(); ++it) {
        try {
            albums.setAlbum(it->first, it->second);
        } catch (const std::bad_alloc&) {
            // That album keeps its new texts, which is still a whole album.
        }
    }
}

bool ModifyAlbums::commit(UndoHistory& history) noexcept
{
    history.addStep(std::move(m_step), m_room);
    return true;
}

AlbumEdit DeleteAlbums::apply(AlbumStore& albums, UndoHistory& history)
{
    AlbumEdit edit;
    std::vector<bool> marked(static_cast<std::size_t>(albums.albumCount()), false);
    m_room = history.reserveRoom();
    for (std::uint32_t album : m_albums) {
        if (album >= marked.size() || marked[album])
            continue;
        const int a = static_cast<int>(album);
        if (!m_room || !recordUndo(m_step, a, albums, UndoKind::Restore))
            edit.error = kRecordUndoOutOfMemory;
        marked[album] = true;
        ++edit.changed;
    }
    if (edit.changed > 0) {
        m_step.setName(changeName("Delete", edit.changed));
        m_previous = removeMarkedAlbums(albums, marked);
    }
    return edit;
}

void DeleteAlbums::revert(AlbumStore& albums, UndoHistory&) noexcept
{
    if (m_previous)
        std::swap(albums, *m_previous);
}

bool DeleteAlbums::commit(UndoHistory& history) noexcept
{
    history.addStep(std::move(m_step), m_room);
    return true;
}

AlbumEdit WalkHistory::apply(AlbumStore& albums, UndoHistory& history)
{
    m_taken = m_undoing ? history.takeUndo() : history.takeRedo();
    m_reverse.setName(m_taken->name());
    m_previous = applyUndoStep(albums, *m_taken, m_reverse);
    return AlbumEdit{1, {}};
}

void WalkHistory::revert(AlbumStore& albums, UndoHistory& history) noexcept
{
    if (m_previous)
        std::swap(albums, *m_previous);
    else if (m_taken && m_taken->kind() == UndoKind::Unmodify)
        revertUnmodify(albums, m_reverse);
    if (m_taken) {
        if (m_undoing)
            history.putUndo(std::move(*m_taken));
        else
            history.putRedo(std::move(*m_taken));
    }
}

bool WalkHistory::commit(UndoHistory& history) noexcept
{
    m_reverse.setAvailable();
    if (m_undoing)
        history.putRedo(std::move(m_reverse));
    else
        history.putUndo(std::move(m_reverse));
    // Undoing or redoing back to the state last saved or opened matches the file again.
    return !history.atSaved();
}

} // namespace discora
