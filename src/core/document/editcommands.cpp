#include "core/document/editcommands.h"

#include "core/document/albumeditor.h"
#include "core/document/cataloguedocument.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "core/document/playertimessource.h"
#include "core/document/prompter.h"
#include "core/document/undorecord.h"

#include <algorithm>
#include <new>

namespace discora {

namespace {

std::string twoDigits(int n)
{
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// The selection in display order, each position once.
std::vector<int> inDisplayOrder(std::span<const int> positions)
{
    std::vector<int> sorted(positions.begin(), positions.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

} // namespace

AlbumRecord enterPresets(int albumCount, const std::array<std::string, kSongSlots>& playerTimes,
                         bool autoLoad, std::string_view mediaType)
{
    AlbumRecord preset;
    preset.number = std::to_string(albumCount + 1);
    preset.mediaType = mediaType;
    for (int k = 1; k <= kSongSlots; ++k) {
        Song& song = preset.songs[k - 1];
        song.trackNumber = twoDigits(k);
        if (autoLoad)
            song.time = playerTimes[k - 1];
    }
    return preset;
}

std::string deleteQuestion(std::string_view artist, std::string_view albumName)
{
    std::string question = "Are you sure you want to delete ";
    question += artist;
    question += " - ";
    question += albumName;
    question += '?';
    return question;
}

EditCommands::EditCommands(CatalogueDocument& doc, Prompter& prompter, AlbumEditor& editor)
    : m_doc(doc), m_prompter(prompter), m_editor(editor)
{}

void EditCommands::collectPlayerTimes()
{
    auto& times = m_doc.playerTimes();
    times.fill({});
    if (m_playerTimesSource)
        m_playerTimesSource->fillPlayerTimes(times);
}

void EditCommands::recordUndo(int album, const AlbumRecord& before, UndoKind kind)
{
    try {
        m_doc.undoRecord().record(album, before, kind);
    } catch (const std::bad_alloc&) {
        m_prompter.showError(kRecordUndoOutOfMemory);
    }
}

void EditCommands::purgeMarked(const std::vector<bool>& marked)
{
    AlbumStore& albums = m_doc.mutableAlbums();
    const int count = albums.albumCount();
    const int removed = static_cast<int>(std::count(marked.begin(), marked.end(), true));
    if (removed == 1) {
        albums.removeAlbum(static_cast<int>(std::find(marked.begin(), marked.end(), true) - marked.begin()));
    } else if (removed > 1) {
        // One copy of the kept texts instead of closing each gap in all 111 lists separately.
        AlbumStore kept;
        for (int f = 0; f < kFieldCount; ++f) {
            const TextColumn& from = albums.column(fieldAt(f));
            TextColumn& to = kept.column(fieldAt(f));
            to.reserve(static_cast<std::size_t>(count - removed), 0);
            for (int a = 0; a < count; ++a)
                if (!marked[static_cast<std::size_t>(a)])
                    to.append(from.at(static_cast<std::size_t>(a)));
        }
        kept.resize(count - removed);
        albums = std::move(kept);
    }
    m_doc.ApplyFilters();
}

void EditCommands::reorderAndRebuildLists()
{
    ReapplyCurrentOrder(m_doc);
    m_doc.RebuildValueLists();
    m_doc.RefillEntryLists();
}

bool EditCommands::enter()
{
    collectPlayerTimes();
    const AlbumRecord preset = enterPresets(m_doc.albumCount(), m_doc.playerTimes(),
                                            m_doc.viewOptions().on(ViewOption::AutoLoad), m_sheetMediaType);
    std::optional<AlbumRecord> entered = m_editor.editAlbum(preset, m_doc.headings());
    if (!entered)
        return false;
    m_sheetMediaType = entered->mediaType;

    AlbumRecord& album = *entered;
    for (Song& song : album.songs)
        if (song.title.empty() && song.time.empty())
            song.trackNumber.clear();

    AlbumStore& albums = m_doc.mutableAlbums();
    const int before = albums.albumCount();
    int index = 0;
    try {
        index = albums.appendAlbum(album);
    } catch (const std::bad_alloc&) {
        albums.resize(before);
        m_prompter.showError(kEnterOutOfMemory);
        return false;
    }
    m_doc.undoRecord().clear();
    recordUndo(index, album, UndoKind::Delete);
    m_doc.ApplyFilters();

    m_doc.AddDistinctValue(ValueListId::Artist, album.artist);
    m_doc.AddDistinctValue(ValueListId::AlbumName, album.albumName);
    m_doc.AddDistinctValue(ValueListId::Producer, album.producer1);
    m_doc.AddDistinctValue(ValueListId::Producer, album.producer2);
    m_doc.AddDistinctValue(ValueListId::MusicType, album.musicType);
    m_doc.AddDistinctValue(ValueListId::MediaType, album.mediaType);
    m_doc.AddDistinctValue(ValueListId::Quality, album.quality);
    m_doc.AddDistinctValue(ValueListId::Label, album.label);
    ReapplyCurrentOrder(m_doc);
    m_doc.RefillEntryLists();

    m_doc.undoRecord().setAvailable();
    m_doc.setModified(true);
    m_doc.UpdateAllViews();
    return true;
}

int EditCommands::modify(std::span<const int> selectedPositions)
{
    collectPlayerTimes();
    const std::vector<int> positions = inDisplayOrder(selectedPositions);
    m_doc.undoRecord().clear();
    int changed = 0;
    // Positions stay valid through the loop: nothing is re-sorted until every sheet has closed.
    for (int p : positions) {
        const auto album = albumOfEntry(m_doc, p);
        if (!album)
            continue;
        const int a = static_cast<int>(*album);
        const AlbumRecord before = m_doc.album(a);
        std::optional<AlbumRecord> edited = m_editor.editAlbum(before, m_doc.headings());
        if (!edited) {
            m_sheetMediaType = before.mediaType;
            continue;
        }
        m_sheetMediaType = edited->mediaType;
        recordUndo(a, before, UndoKind::Unmodify);
        m_doc.mutableAlbums().setAlbum(a, *edited);
        m_doc.RebuildValueLists();
        m_doc.RefillEntryLists();
        m_doc.undoRecord().setAvailable();
        m_doc.setModified(true);
        ++changed;
    }
    if (changed > 0) {
        m_doc.ApplyFilters();
        ReapplyCurrentOrder(m_doc);
    }
    m_doc.UpdateAllViews();
    return changed;
}

int EditCommands::deleteAlbums(std::span<const int> selectedPositions)
{
    const std::vector<int> positions = inDisplayOrder(selectedPositions);
    m_doc.undoRecord().clear();
    const auto count = static_cast<std::size_t>(m_doc.albumCount());
    // The marks live here, never in a field, so no text the user typed can mark an album.
    std::vector<bool> marked(count, false);
    // Several entries of a derived list may stand for one album; it is asked about once.
    std::vector<bool> decided(count, false);
    int removed = 0;
    DeleteAnswer mode = DeleteAnswer::No;
    for (int p : positions) {
        if (mode == DeleteAnswer::NoToAll)
            break;
        const auto album = albumOfEntry(m_doc, p);
        if (!album || *album >= count || decided[*album])
            continue;
        decided[*album] = true;
        const int a = static_cast<int>(*album);
        if (mode == DeleteAnswer::Yes || mode == DeleteAnswer::No)
            mode = m_prompter.askDeleteAlbum(
                deleteQuestion(m_doc.text(Field::Artist, a), m_doc.text(Field::AlbumName, a)));
        if (mode == DeleteAnswer::Yes || mode == DeleteAnswer::YesToAll) {
            recordUndo(a, m_doc.album(a), UndoKind::Restore);
            marked[*album] = true;
            ++removed;
            m_doc.undoRecord().setAvailable();
            m_doc.setModified(true);
        }
    }
    if (removed > 0) {
        purgeMarked(marked);
        reorderAndRebuildLists();
    }
    m_doc.UpdateAllViews();
    return removed;
}

bool EditCommands::undo()
{
    UndoRecord& record = m_doc.undoRecord();
    if (!record.available())
        return false;
    AlbumStore& albums = m_doc.mutableAlbums();
    switch (record.kind()) {
    case UndoKind::Restore:
        for (int i = 0; i < record.count(); ++i) {
            const int before = albums.albumCount();
            try {
                albums.appendAlbum(record.savedAlbum(i));
            } catch (const std::bad_alloc&) {
                albums.resize(before);
                m_prompter.showError(kRestoreUndoOutOfMemory);
                break;
            }
        }
        m_doc.ApplyFilters();
        break;
    case UndoKind::Unmodify:
        // Backwards, so that an album changed twice ends as it was before the first change.
        for (int i = record.count() - 1; i >= 0; --i)
            if (record.albumIndex(i) < albums.albumCount())
                albums.setAlbum(record.albumIndex(i), record.savedAlbum(i));
        m_doc.ApplyFilters();
        break;
    case UndoKind::Delete: {
        std::vector<bool> marked(static_cast<std::size_t>(albums.albumCount()), false);
        for (int i = 0; i < record.count(); ++i)
            if (record.albumIndex(i) < albums.albumCount())
                marked[static_cast<std::size_t>(record.albumIndex(i))] = true;
        purgeMarked(marked);
        break;
    }
    case UndoKind::None: break;
    }
    record.clear();
    m_doc.setModified(true);
    reorderAndRebuildLists();
    m_doc.UpdateAllViews();
    return true;
}

} // namespace discora
