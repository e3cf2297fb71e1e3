#include "core/document/cataloguedocument.h"

#include "core/catalogue/cataloguefile.h"
#include "core/catalogue/filebytes.h"
#include "core/order/albumorders.h"
#include "core/order/filters.h"
#include "core/order/orders.h"
#include "core/order/performerlist.h"
#include "core/order/producerlist.h"
#include "core/order/songlist.h"

#include <algorithm>
#include <new>

namespace discora {

void CatalogueDocument::addObserver(DocumentObserver* observer)
{
    m_observers.push_back(observer);
}

void CatalogueDocument::removeObserver(DocumentObserver* observer)
{
    std::erase(m_observers, observer);
}

void CatalogueDocument::finish(void (DocumentObserver::*hook)())
{
    const auto observers = m_observers; // an observer may remove itself
    if (m_notifiedModified != m_modified) {
        m_notifiedModified = m_modified;
        for (DocumentObserver* o : observers)
            o->modifiedChanged(m_modified);
    }
    for (DocumentObserver* o : observers)
        (o->*hook)();
}

void CatalogueDocument::setModified(bool modified)
{
    m_modified = modified;
    if (m_notifiedModified == modified)
        return;
    m_notifiedModified = modified;
    const auto observers = m_observers;
    for (DocumentObserver* o : observers)
        o->modifiedChanged(modified);
}

void CatalogueDocument::setHeadings(std::string first, std::string second)
{
    m_headings = {std::move(first), std::move(second)};
    finish(&DocumentObserver::headingsChanged);
}

void CatalogueDocument::setColors(const DisplayColors& colors)
{
    m_colors = colors;
    finish(&DocumentObserver::displaySettingsChanged);
}

void CatalogueDocument::setFont(const ScreenFont& font)
{
    m_font = font;
    finish(&DocumentObserver::displaySettingsChanged);
}

void CatalogueDocument::setViewOptions(const ViewOptions& options)
{
    const ViewOptions previous = m_viewOptions;
    m_viewOptions = options;
    if (displayedCount() < 2) {
        finish(&DocumentObserver::displaySettingsChanged);
        return;
    }
    const auto changed = [&](ViewOption o) { return previous.on(o) != options.on(o); };
    const bool artistOrAlbumName =
        m_currentOrder == SortOrder::ByArtist || m_currentOrder == SortOrder::ByAlbumName;
    bool rerun = false;
    if (m_currentOrder == SortOrder::BySong || m_currentOrder == SortOrder::BySongDetail)
        rerun = changed(ViewOption::SongThe);
    else if (m_currentOrder == SortOrder::ByArtistShort)
        rerun = changed(ViewOption::ArtistThe);
    else if (artistOrAlbumName && m_viewStyle == ViewStyle::Normal)
        rerun = changed(ViewOption::NlViewThe);
    else if (artistOrAlbumName && m_viewStyle == ViewStyle::SingleLineSorts)
        rerun = changed(ViewOption::GroupViewThe);
    if (!rerun) {
        finish(&DocumentObserver::displaySettingsChanged);
        return;
    }
    orderBy(m_currentOrder);
    // A new sequence of entries: the views take up the new options along with it.
    finish(&DocumentObserver::documentUpdated);
}

void CatalogueDocument::addValuesOf(const AlbumRecord& album)
{
    auto add = [&](ValueListId id, std::string_view text) {
        m_valueLists[static_cast<int>(id)].addDistinctValue(text);
    };
    add(ValueListId::Artist, album.artist);
    add(ValueListId::AlbumName, album.albumName);
    add(ValueListId::Producer, album.producer1);
    add(ValueListId::Producer, album.producer2);
    add(ValueListId::MusicType, album.musicType);
    add(ValueListId::MediaType, album.mediaType);
    add(ValueListId::Quality, album.quality);
    add(ValueListId::Label, album.label);
}

void CatalogueDocument::rebuildValueLists()
{
    for (auto& list : m_valueLists)
        list.clear();
    ProgressScope progress(this->progress(), "Updating Artist, Music Type, and Media Type", albumCount());
    // Each list takes its texts in album order, the producers of an album one after the other;
    // an album's texts are walked through in field order.
    const auto add = [&](Field f, std::string_view text) {
        ValueListId id;
        switch (f) {
        case Field::Artist: id = ValueListId::Artist; break;
        case Field::Producer1:
        case Field::Producer2: id = ValueListId::Producer; break;
        case Field::MediaType: id = ValueListId::MediaType; break;
        case Field::MusicType: id = ValueListId::MusicType; break;
        case Field::AlbumName: id = ValueListId::AlbumName; break;
        case Field::Quality: id = ValueListId::Quality; break;
        case Field::Label: id = ValueListId::Label; break;
        default: return;
        }
        m_valueLists[static_cast<int>(id)].addDistinctValue(text);
    };
    for (int a = 0; a < albumCount(); ++a) {
        m_albums.prefetchAhead(
            static_cast<std::size_t>(a), static_cast<std::size_t>(albumCount()),
            [](std::size_t k) { return k; }, Field::CatalogNumber);
        m_albums.forEachText(a, fieldIndex(Field::Artist), fieldIndex(Field::AlbumName) + 1, add);
        m_albums.forEachText(a, fieldIndex(Field::Quality), fieldIndex(Field::Label) + 1, add);
        progress.step();
    }
}

void CatalogueDocument::refillEntryLists()
{
    if (m_entryListSink)
        m_entryListSink->clearEntryLists();
    int total = 0;
    for (const auto& list : m_valueLists)
        total += list.count();
    ProgressScope progress(this->progress(), "Updating Edit/Enter Dialog Box", total);
    for (int id = 0; id < kValueListCount; ++id) {
        for (const std::string& value : m_valueLists[id].values()) {
            if (m_entryListSink)
                m_entryListSink->addEntryValue(static_cast<ValueListId>(id), value);
            progress.step();
        }
    }
}

void CatalogueDocument::clearAll()
{
    m_filterPerformerNames.reset();
    m_undo.clear();
    m_displayOrder.clear();
    m_displayOrder.shrink_to_fit();
    m_derived.clear();
    m_albums.clear();
    for (auto& list : m_valueLists)
        list.clear();
    // The sheet's drop-down lists mirror the value lists; a new catalogue must not offer the old one's.
    if (m_entryListSink)
        m_entryListSink->clearEntryLists();
    m_currentOrder = SortOrder::ByArtist;
}

void CatalogueDocument::newDocument()
{
    m_readyForEntry = true;
    clearAll();
    m_layouts = defaultColumnLayouts(m_dpi);
    m_progressEnabled = true;
    m_currentOrder = SortOrder::ByArtist;
    m_viewStyle = ViewStyle::Normal;
    m_filters.fill(kNoFilter);
    m_modified = false;
    finish(&DocumentObserver::viewReset);
}

void CatalogueDocument::adoptLoaded(LoadedCatalogue&& loaded)
{
    clearAll();
    m_albums = std::move(loaded.albums);
    m_layouts = std::move(loaded.layouts);
    m_readyForEntry = true;
    m_headings = {std::move(loaded.headings[0]), std::move(loaded.headings[1])};
    rebuildValueLists();
    refillEntryLists();
    applyFilters();
    // ByArtist is current after every load, sorted or not; clearAll dropped the old derived lists.
    m_currentOrder = SortOrder::ByArtist;
    if (displayedCount() > 1)
        orderBy(SortOrder::ByArtist);
    m_modified = false;
    finish(&DocumentObserver::viewReset);
}

Status CatalogueDocument::load(std::string_view bytes)
{
    auto loaded = readCatalogue(bytes, LoadBase{m_layouts, m_headings}, progress());
    if (!loaded)
        return Error{loaded.error()};
    adoptLoaded(std::move(*loaded));
    return success();
}

std::string CatalogueDocument::save() const
{
    return writeCatalogue(m_albums, m_layouts, m_headings);
}

Status CatalogueDocument::openFile(const std::string& path)
{
    auto bytes = FileBytes::read(path);
    if (!bytes)
        return Error{"Cannot open \"" + path + "\". " + bytes.error()};
    auto loaded = readCatalogue(bytes->view(), LoadBase{m_layouts, m_headings}, progress());
    if (!loaded)
        return Error{"Cannot open \"" + path + "\". " + loaded.error()};
    // The file's bytes go before what is derived from the albums is built beside them.
    bytes = Error{};
    adoptLoaded(std::move(*loaded));
    return success();
}

Status CatalogueDocument::saveFile(const std::string& path)
{
    Status status = success();
    try {
        status = writeFileAtomically(
            path, [this](ByteSink& sink) { writeCatalogue(sink, m_albums, m_layouts, m_headings); });
    } catch (const std::bad_alloc&) {
        return Error{"Cannot save \"" + path + "\". Not enough memory to save the file."};
    }
    if (!status)
        return Error{"Cannot save \"" + path + "\". " + status.error()};
    setModified(false);
    return success();
}

void CatalogueDocument::applyFilters()
{
    // Every change of the albums or the filters comes here.
    m_filterPerformerNames.reset();
    m_displayOrder = filteredAlbums(*this);
}

const std::vector<std::string>& CatalogueDocument::filterPerformerNames()
{
    if (!m_filterPerformerNames)
        m_filterPerformerNames = distinctPerformerNames(*this, progress());
    return *m_filterPerformerNames;
}

void CatalogueDocument::setFilters(const std::array<std::string, kFilterCount>& filters,
                                   FilterSequence sequence)
{
    m_filters = filters;
    applyFilters();
    if (sequence == FilterSequence::CurrentOrder)
        reapplyCurrentOrder();
    finish(&DocumentObserver::documentUpdated);
}

void CatalogueDocument::setFilter(FilterField field, std::string text)
{
    auto filters = m_filters;
    filters[static_cast<int>(field)] = std::move(text);
    setFilters(filters);
}

void CatalogueDocument::orderBy(SortOrder order)
{
    m_derived.clear();
    m_currentOrder = order;
    if (isAlbumOrder(order)) {
        m_displayOrder = sortedDisplayOrder(*this, order, albumOrderIgnoresThe(*this, order), progress());
        return;
    }
    switch (order) {
    case SortOrder::ByArtistShort: {
        m_displayOrder = sortedDisplayOrder(
            *this, SortOrder::ByArtist,
            albumOrderIgnoresThe(*this, SortOrder::ByArtist, ArtistSortRole::ArtistShortStep), progress());
        auto songs = songList(*this, SongHeaders::PerArtist, progress());
        if (m_viewOptions.on(ViewOption::ArtistSongSort))
            songs = sortedSongList(*this, std::move(songs), SongHeaders::PerArtist, progress());
        m_derived.songs = std::move(songs);
        break;
    }
    case SortOrder::BySong:
    case SortOrder::BySongDetail:
        m_derived.songs = sortedSongList(*this, songList(*this, SongHeaders::None, progress()),
                                         SongHeaders::None, progress());
        break;
    case SortOrder::ByProducer: m_derived.producers = producerList(*this, progress()); break;
    case SortOrder::ByPerformer: m_derived.performers = performerList(*this, progress()); break;
    default: break;
    }
}

void CatalogueDocument::runOrder(SortOrder order)
{
    orderBy(order);
    finish(&DocumentObserver::documentUpdated);
}

void CatalogueDocument::reapplyCurrentOrder()
{
    if (displayedCount() < 2) {
        // Nothing to order, and a derived list would point at albums that may be gone.
        m_derived.clear();
        m_currentOrder = SortOrder::ByArtist;
        m_viewStyle = ViewStyle::Normal;
        return;
    }
    orderBy(m_currentOrder);
    if (m_viewStyle == ViewStyle::SingleLineSorts)
        applyViewStyle(ViewStyle::SingleLineSorts);
}

void CatalogueDocument::applyViewStyle(ViewStyle style)
{
    m_viewStyle = style;
    if (style != ViewStyle::SingleLineSorts)
        return;
    // The single-line layouts show albums only.
    const bool derivedShown = !albumOrderCurrent();
    m_derived.clear();
    if (derivedShown)
        orderBy(SortOrder::ByArtist);
}

void CatalogueDocument::setViewStyle(ViewStyle style)
{
    applyViewStyle(style);
    finish(&DocumentObserver::documentUpdated);
}

bool CatalogueDocument::recordUndo(int album, const AlbumRecord& before, UndoKind kind)
{
    try {
        m_undo.record(album, before, kind);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

CatalogueDocument::EditOutcome CatalogueDocument::enterAlbum(AlbumRecord album)
{
    EditOutcome outcome;
    for (Song& song : album.songs)
        if (song.title.empty() && song.time.empty())
            song.trackNumber.clear();
    const int before = m_albums.albumCount();
    int index = 0;
    try {
        index = m_albums.appendAlbum(album);
    } catch (const std::bad_alloc&) {
        m_albums.resize(before);
        outcome.error = kEnterOutOfMemory;
        return outcome;
    }
    m_undo.clear();
    if (!recordUndo(index, album, UndoKind::Delete))
        outcome.error = kRecordUndoOutOfMemory;
    applyFilters();
    addValuesOf(album);
    reapplyCurrentOrder();
    refillEntryLists();
    m_undo.setAvailable();
    m_modified = true;
    outcome.changed = 1;
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

CatalogueDocument::EditOutcome
CatalogueDocument::modifyAlbums(std::span<const std::uint32_t> albums,
                                const std::function<std::optional<AlbumRecord>(const AlbumRecord&)>& edit)
{
    EditOutcome outcome;
    m_undo.clear();
    // Album indices stay valid through the loop: nothing is re-sorted until every sheet has closed.
    for (std::uint32_t album : albums) {
        const int a = static_cast<int>(album);
        if (a >= albumCount())
            continue;
        const AlbumRecord before = this->album(a);
        std::optional<AlbumRecord> edited = edit(before);
        if (!edited)
            continue;
        if (!recordUndo(a, before, UndoKind::Unmodify))
            outcome.error = kRecordUndoOutOfMemory;
        m_albums.setAlbum(a, *edited);
        rebuildValueLists();
        refillEntryLists();
        m_undo.setAvailable();
        m_modified = true;
        ++outcome.changed;
    }
    if (outcome.changed > 0) {
        applyFilters();
        reapplyCurrentOrder();
    }
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

void CatalogueDocument::removeAlbums(const std::vector<bool>& marked)
{
    m_albums.removeAlbums(marked);
    applyFilters();
}

CatalogueDocument::EditOutcome CatalogueDocument::deleteAlbums(std::span<const std::uint32_t> albums)
{
    EditOutcome outcome;
    m_undo.clear();
    std::vector<bool> marked(static_cast<std::size_t>(albumCount()), false);
    for (std::uint32_t album : albums) {
        if (album >= marked.size() || marked[album])
            continue;
        if (!recordUndo(static_cast<int>(album), this->album(static_cast<int>(album)), UndoKind::Restore))
            outcome.error = kRecordUndoOutOfMemory;
        marked[album] = true;
        ++outcome.changed;
    }
    if (outcome.changed > 0) {
        m_undo.setAvailable();
        m_modified = true;
        removeAlbums(marked);
        reapplyCurrentOrder();
        rebuildValueLists();
        refillEntryLists();
    }
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

CatalogueDocument::EditOutcome CatalogueDocument::undo()
{
    EditOutcome outcome;
    if (!m_undo.available())
        return outcome;
    switch (m_undo.kind()) {
    case UndoKind::Restore:
        for (int i = 0; i < m_undo.count(); ++i) {
            const int before = m_albums.albumCount();
            try {
                m_albums.appendAlbum(m_undo.savedAlbum(i));
            } catch (const std::bad_alloc&) {
                m_albums.resize(before);
                outcome.error = kRestoreUndoOutOfMemory;
                break;
            }
        }
        applyFilters();
        break;
    case UndoKind::Unmodify:
        // Backwards, so that an album changed twice ends as it was before the first change.
        for (int i = m_undo.count() - 1; i >= 0; --i)
            if (m_undo.albumIndex(i) < m_albums.albumCount())
                m_albums.setAlbum(m_undo.albumIndex(i), m_undo.savedAlbum(i));
        applyFilters();
        break;
    case UndoKind::Delete: {
        std::vector<bool> marked(static_cast<std::size_t>(m_albums.albumCount()), false);
        for (int i = 0; i < m_undo.count(); ++i)
            if (m_undo.albumIndex(i) < m_albums.albumCount())
                marked[static_cast<std::size_t>(m_undo.albumIndex(i))] = true;
        removeAlbums(marked);
        break;
    }
    case UndoKind::None: break;
    }
    m_undo.clear();
    m_modified = true;
    reapplyCurrentOrder();
    rebuildValueLists();
    refillEntryLists();
    outcome.changed = 1;
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

} // namespace discora
