#include "core/document/cataloguedocument.h"

#include "core/catalogue/cataloguereader.h"
#include "core/catalogue/cataloguewriter.h"
#include "core/catalogue/filebytes.h"
#include "core/catalogue/twothreads.h"
#include "core/order/albumorders.h"
#include "core/order/derivedorders.h"
#include "core/order/filters.h"
#include "core/order/orders.h"

#include <algorithm>
#include <new>
#include <utility>

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

namespace {

// Adds a message to those an edit already reports.
void addError(CatalogueDocument::EditOutcome& outcome, const Status& status)
{
    if (status)
        return;
    if (!outcome.error.empty())
        outcome.error += '\n';
    outcome.error += status.error();
}

} // namespace

void CatalogueDocument::restore(Snapshot& saved) noexcept
{
    m_displayOrder.swap(saved.displayOrder);
    std::swap(m_derived, saved.derived);
    m_filters.swap(saved.filters);
    m_currentOrder = saved.currentOrder;
    m_viewStyle = saved.viewStyle;
    m_viewOptions = saved.viewOptions;
    m_modified = saved.modified;
}

template <typename Change, typename Revert>
auto CatalogueDocument::allOrNothing(Change&& change, Revert&& revertAlbums)
{
    Snapshot saved{m_displayOrder, m_derived,     m_filters, m_currentOrder,
                   m_viewStyle,    m_viewOptions, m_modified};
    try {
        return change();
    } catch (const std::bad_alloc&) {
        revertAlbums();
        restore(saved);
        // An album the revert could not put back keeps its new texts, and so its performers.
        m_filterPerformerNames.reset();
        throw;
    }
}

void CatalogueDocument::recoverValueLists() noexcept
{
    try {
        rebuildValueLists();
    } catch (const std::bad_alloc&) {
        // The lists keep what they held, which offers at worst a value of the reverted change.
    }
    refillEntryLists();
}

void CatalogueDocument::setModified(bool modified)
{
    m_modified = modified;
    if (modified)
        m_history.forgetSaved();
    else
        m_history.markSaved();
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

Status CatalogueDocument::setViewOptions(const ViewOptions& options)
{
    const auto changed = [&](ViewOption o) { return m_viewOptions.on(o) != options.on(o); };
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
    // Every order compares names, so folding accents differently re-sorts whichever is current.
    rerun = rerun || changed(ViewOption::SortAccents);
    if (!rerun || displayedCount() < 2) {
        m_viewOptions = options;
        finish(&DocumentObserver::displaySettingsChanged);
        return success();
    }
    Status status = allOrNothing(
        [&] {
            m_viewOptions = options;
            return orderBy(m_currentOrder);
        },
        [] {});
    // A new sequence of entries: the views take up the new options along with it.
    finish(&DocumentObserver::documentUpdated);
    return status;
}

void CatalogueDocument::addValuesOf(int album)
{
    addValuesOf(album, m_valueLists);
}

void CatalogueDocument::addValuesOf(int album, std::array<ValueList, kValueListCount>& lists) const
{
    // The album's texts are walked through in field order, so its two producers go in one after
    // the other.
    const auto add = [&](Field f, std::string_view text) {
        if (const auto id = valueListOf(f))
            lists[static_cast<int>(*id)].addDistinctValue(text);
    };
    m_albums.forEachText(album, fieldIndex(Field::Artist), fieldIndex(Field::AlbumName) + 1, add);
    m_albums.forEachText(album, fieldIndex(Field::Quality), fieldIndex(Field::Label) + 1, add);
}

void CatalogueDocument::rebuildValueLists()
{
    // Built beside the lists in use, which are replaced only when all is built.
    m_valueLists = valueListsOfAlbums(progress());
}

std::array<ValueList, kValueListCount> CatalogueDocument::valueListsOfAlbums(ProgressSink* progress) const
{
    // Each list takes its texts in album order.
    std::array<ValueList, kValueListCount> lists;
    ProgressScope scope(progress, "Updating Artist, Music Type, and Media Type", albumCount());
    for (int a = 0; a < albumCount(); ++a) {
        m_albums.prefetchAhead(
            static_cast<std::size_t>(a), static_cast<std::size_t>(albumCount()),
            [](std::size_t k) { return k; }, Field::CatalogNumber);
        addValuesOf(a, lists);
        scope.step();
    }
    return lists;
}

void CatalogueDocument::refillEntryLists()
{
    m_entryLists.refill(m_valueLists, progress());
}

void CatalogueDocument::clearAll()
{
    m_filterPerformerNames.reset();
    m_history.clear();
    m_displayOrder.clear();
    m_displayOrder.shrink_to_fit();
    m_derived.clear();
    m_albums.clear();
    for (auto& list : m_valueLists)
        list.clear();
    // The sheet's drop-down lists mirror the value lists; a new catalogue must not offer the old one's.
    m_entryLists.clear();
    m_currentOrder = SortOrder::ByArtist;
}

void CatalogueDocument::newDocument()
{
    ColumnLayouts layouts = defaultColumnLayouts(m_dpi);
    m_readyForEntry = true;
    clearAll();
    m_layouts = std::move(layouts);
    m_progressEnabled = true;
    m_currentOrder = SortOrder::ByArtist;
    m_viewStyle = ViewStyle::Normal;
    m_filters.fill(kNoFilter);
    m_modified = false;
    finish(&DocumentObserver::viewReset);
}

void CatalogueDocument::adoptLoaded(LoadedCatalogue&& loaded)
{
    // Everything is built beside the open catalogue, which is replaced only when nothing is left to
    // run out of memory. The filters, the view style and the settings stay in force.
    CatalogueDocument next;
    next.m_filters = m_filters;
    next.m_viewStyle = m_viewStyle;
    next.m_viewOptions = m_viewOptions;
    next.m_dpi = m_dpi;
    next.m_colors = m_colors;
    next.m_font = m_font;
    next.m_progressEnabled = m_progressEnabled;
    next.m_progressSink = m_progressSink;
    next.m_valueListsKept = m_valueListsKept;
    next.m_albums = std::move(loaded.albums);
    next.m_layouts = std::move(loaded.layouts);
    next.m_headings = {std::move(loaded.headings[0]), std::move(loaded.headings[1])};
    next.m_entryLists = m_entryLists;
    try {
        const auto showAlbums = [&] {
            next.applyFilters();
            // ByArtist is current after every load, sorted or not.
            next.m_currentOrder = SortOrder::ByArtist;
            if (next.displayedCount() > 1)
                next.orderBy(SortOrder::ByArtist);
        };
        // A large catalogue's value lists are built on a second thread (without progress steps,
        // which the window shows from this one) while the albums are filtered and sorted.
        constexpr int kValuesBesideFrom = 4096;
        if (!m_valueListsKept) {
            showAlbums();
        } else if (next.albumCount() >= kValuesBesideFrom) {
            std::array<ValueList, kValueListCount> lists;
            onTwoThreads([&](int part) {
                if (part == 1)
                    lists = next.valueListsOfAlbums(nullptr);
                else
                    showAlbums();
            });
            next.m_valueLists = std::move(lists);
            next.refillEntryLists();
        } else {
            next.rebuildValueLists();
            next.refillEntryLists();
            showAlbums();
        }
    } catch (const std::bad_alloc&) {
        refillEntryLists(); // the sheet offers this catalogue's values again
        throw;
    }

    static_cast<Catalogue&>(*this) = std::move(next);
    m_filterPerformerNames.reset();
    m_history.clear();
    m_readyForEntry = true;
    m_modified = false;
    finish(&DocumentObserver::viewReset);
}

Status CatalogueDocument::load(std::string_view bytes)
{
    auto loaded = readCatalogue(bytes, LoadBase{m_layouts, m_headings}, progress());
    if (!loaded)
        return Error{loaded.error()};
    try {
        adoptLoaded(std::move(*loaded));
    } catch (const std::bad_alloc&) {
        return Error{kLoadOutOfMemory};
    }
    return success();
}

std::string CatalogueDocument::save() const
{
    return writeCatalogue(m_albums, m_layouts, m_headings);
}

Status CatalogueDocument::openFile(const std::string& path)
{
    auto loaded = readCatalogueFile(path, LoadBase{m_layouts, m_headings}, progress());
    if (!loaded)
        return Error{loaded.error()};
    try {
        adoptLoaded(std::move(*loaded));
    } catch (const std::bad_alloc&) {
        return Error{cannotOpen(path, kLoadOutOfMemory)};
    }
    return success();
}

Status CatalogueDocument::saveFile(const std::string& path)
{
    if (Status status = writeCatalogueFile(path, m_albums, m_layouts, m_headings); !status)
        return status;
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

Status CatalogueDocument::setFilters(const std::array<std::string, kFilterCount>& filters)
{
    Status status = allOrNothing(
        [&] {
            m_filters = filters;
            applyFilters();
            return reapplyCurrentOrder();
        },
        [] {});
    finish(&DocumentObserver::documentUpdated);
    return status;
}

Status CatalogueDocument::setFilter(FilterField field, std::string text)
{
    auto filters = m_filters;
    filters[static_cast<int>(field)] = std::move(text);
    return setFilters(filters);
}

Status CatalogueDocument::orderBy(SortOrder order, bool inBackground)
{
    // The sorting and list building only read the document, so a runner may do them on a thread of
    // its own; the results are put in place here.
    const auto compute = [&](auto work) {
        if (inBackground && m_background && progress())
            m_background->run(work);
        else
            work(progress());
    };
    if (isAlbumOrder(order)) {
        std::vector<std::uint32_t> sorted;
        compute([&](ProgressSink* sink) {
            sorted = sortedDisplayOrder(*this, order, albumOrderIgnoresThe(*this, order), sink);
        });
        m_derived.clear();
        m_displayOrder.swap(sorted);
        m_currentOrder = order;
        return success();
    }
    if (order == SortOrder::ByArtistShort) {
        // The songs are listed from the albums sorted by artist.
        std::vector<std::uint32_t> byArtist;
        compute([&](ProgressSink* sink) {
            byArtist = sortedDisplayOrder(
                *this, SortOrder::ByArtist,
                albumOrderIgnoresThe(*this, SortOrder::ByArtist, ArtistSortRole::ArtistShortStep), sink);
        });
        m_displayOrder.swap(byArtist);
    }
    DerivedOrderLists built;
    compute([&](ProgressSink* sink) { built = derivedOrderLists(*this, order, sink); });
    m_derived = std::move(built.lists);
    m_currentOrder = order;
    return built.status;
}

Status CatalogueDocument::runOrder(SortOrder order)
{
    Status status = allOrNothing([&] { return orderBy(order, true); }, [] {});
    finish(&DocumentObserver::documentUpdated);
    return status;
}

Status CatalogueDocument::reapplyCurrentOrder()
{
    if (displayedCount() < 2) {
        // Nothing to order, and a derived list would point at albums that may be gone.
        m_derived.clear();
        m_currentOrder = SortOrder::ByArtist;
        m_viewStyle = ViewStyle::Normal;
        return success();
    }
    Status status = orderBy(m_currentOrder);
    if (m_viewStyle == ViewStyle::SingleLineSorts)
        applyViewStyle(ViewStyle::SingleLineSorts);
    return status;
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
    allOrNothing([&] { applyViewStyle(style); }, [] {});
    finish(&DocumentObserver::documentUpdated);
}

bool CatalogueDocument::recordUndo(UndoRecord& step, int album, const AlbumRecord& before, UndoKind kind)
{
    try {
        step.record(album, before, kind);
        return true;
    } catch (const std::bad_alloc&) {
        step.setIncomplete();
        return false;
    }
}

bool CatalogueDocument::roomForStep()
{
    try {
        m_history.reserve();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CatalogueDocument::addStep(UndoRecord step, bool room) noexcept
{
    if (room) {
        step.setAvailable();
        m_history.add(std::move(step));
        return;
    }
    // Without its step, the steps before it no longer lead back to the states they recorded.
    m_history.clear();
    m_history.forgetSaved();
}

CatalogueDocument::EditOutcome CatalogueDocument::enterAlbum(AlbumRecord album)
{
    for (Song& song : album.songs)
        if (song.title.empty() && song.time.empty())
            song.trackNumber.clear();
    const int index = m_albums.albumCount();
    EditOutcome outcome = allOrNothing(
        [&] {
            EditOutcome entered;
            try {
                m_albums.appendAlbum(album);
            } catch (const std::bad_alloc&) {
                entered.error = kEnterOutOfMemory;
                return entered;
            }
            UndoRecord step;
            const bool room = roomForStep();
            if (!room || !recordUndo(step, index, album, UndoKind::Delete))
                entered.error = kRecordUndoOutOfMemory;
            step.setName(changeName("Enter", 1));
            applyFilters();
            addValuesOf(index);
            addError(entered, reapplyCurrentOrder());
            refillEntryLists();
            m_modified = true;
            entered.changed = 1;
            addStep(std::move(step), room);
            return entered;
        },
        [&] {
            m_albums.resize(index);
            recoverValueLists();
        });
    if (outcome.changed == 0)
        return outcome;
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

CatalogueDocument::EditOutcome CatalogueDocument::importAlbums(AlbumStore albums)
{
    const int first = m_albums.albumCount();
    const int count = albums.albumCount();
    if (count == 0) {
        finish(&DocumentObserver::documentUpdated);
        return {};
    }
    EditOutcome outcome = allOrNothing(
        [&] {
            EditOutcome imported;
            try {
                m_albums.appendAlbums(albums);
            } catch (const std::bad_alloc&) {
                imported.error = kEnterOutOfMemory;
                return imported;
            }
            UndoRecord step;
            bool room = roomForStep();
            if (room) {
                try {
                    step.recordEntered(first, std::move(albums));
                    step.setName(changeName("Import", count));
                } catch (const std::bad_alloc&) {
                    room = false;
                }
            }
            if (!room)
                imported.error = kRecordUndoOutOfMemory;
            applyFilters();
            {
                // Adding each new album's values leaves the lists as rebuilding them all would.
                ProgressScope progress(this->progress(), "Updating Artist, Music Type, and Media Type",
                                       count);
                for (int a = first; a < first + count; ++a) {
                    addValuesOf(a);
                    progress.step();
                }
            }
            addError(imported, reapplyCurrentOrder());
            refillEntryLists();
            m_modified = true;
            imported.changed = count;
            addStep(std::move(step), room);
            return imported;
        },
        [&] {
            m_albums.resize(first);
            recoverValueLists();
        });
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

CatalogueDocument::EditOutcome
CatalogueDocument::modifyAlbums(std::span<const std::uint32_t> albums,
                                const std::function<std::optional<AlbumRecord>(const AlbumRecord&)>& edit)
{
    // The albums changed so far, as they were, to put back when memory runs out.
    std::vector<std::pair<int, AlbumRecord>> originals;
    EditOutcome outcome = allOrNothing(
        [&] {
            EditOutcome modified;
            UndoRecord step;
            const bool room = roomForStep();
            // Album indices stay valid through the loop: nothing is re-sorted until every sheet has closed.
            for (std::uint32_t album : albums) {
                const int a = static_cast<int>(album);
                if (a >= albumCount())
                    continue;
                AlbumRecord before = this->album(a);
                std::optional<AlbumRecord> edited = edit(before);
                if (!edited)
                    continue;
                if (!room || !recordUndo(step, a, before, UndoKind::Unmodify))
                    modified.error = kRecordUndoOutOfMemory;
                originals.emplace_back(a, std::move(before));
                m_albums.setAlbum(a, *edited);
                rebuildValueLists();
                refillEntryLists();
                m_modified = true;
                ++modified.changed;
            }
            if (modified.changed > 0) {
                // An album edited twice in one Modify counts once.
                std::vector<int> edited;
                for (const auto& original : originals)
                    edited.push_back(original.first);
                std::sort(edited.begin(), edited.end());
                const auto distinct = std::unique(edited.begin(), edited.end()) - edited.begin();
                step.setName(changeName("Modify", static_cast<int>(distinct)));
                applyFilters();
                addError(modified, reapplyCurrentOrder());
                addStep(std::move(step), room);
            }
            return modified;
        },
        [&] {
            for (auto it = originals.rbegin(); it != originals.rend(); ++it) {
                try {
                    m_albums.setAlbum(it->first, it->second);
                } catch (const std::bad_alloc&) {
                    // That album keeps its new texts, which is still a whole album.
                }
            }
            recoverValueLists();
        });
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

AlbumStore CatalogueDocument::removeAlbums(const std::vector<bool>& marked)
{
    // The kept albums are copied into a store of their own: the old albums stay whole until the
    // copy is complete, and come back if what follows runs out of memory.
    AlbumStore kept = m_albums.without(marked);
    std::swap(m_albums, kept);
    return kept;
}

CatalogueDocument::EditOutcome CatalogueDocument::deleteAlbums(std::span<const std::uint32_t> albums)
{
    std::vector<bool> marked(static_cast<std::size_t>(albumCount()), false);
    std::optional<AlbumStore> previousAlbums;
    EditOutcome outcome = allOrNothing(
        [&] {
            EditOutcome deleted;
            UndoRecord step;
            const bool room = roomForStep();
            for (std::uint32_t album : albums) {
                if (album >= marked.size() || marked[album])
                    continue;
                if (!room || !recordUndo(step, static_cast<int>(album), this->album(static_cast<int>(album)),
                                         UndoKind::Restore))
                    deleted.error = kRecordUndoOutOfMemory;
                marked[album] = true;
                ++deleted.changed;
            }
            if (deleted.changed > 0) {
                step.setName(changeName("Delete", deleted.changed));
                previousAlbums = removeAlbums(marked);
                applyFilters();
                m_modified = true;
                addError(deleted, reapplyCurrentOrder());
                rebuildValueLists();
                refillEntryLists();
                addStep(std::move(step), room);
            }
            return deleted;
        },
        [&] {
            if (previousAlbums)
                std::swap(m_albums, *previousAlbums);
            recoverValueLists();
        });
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

std::optional<AlbumStore> CatalogueDocument::applyStep(const UndoRecord& step, UndoRecord& reverse)
{
    switch (step.kind()) {
    case UndoKind::Unmodify:
        // Backwards, so that an album changed twice ends as it was before the first change.
        for (int i = step.count() - 1; i >= 0; --i) {
            const int a = step.albumIndex(i);
            if (a >= m_albums.albumCount())
                continue;
            reverse.record(a, m_albums, a, UndoKind::Unmodify);
            m_albums.setAlbum(a, step.savedAlbum(i));
        }
        return std::nullopt;
    case UndoKind::Delete: {
        std::vector<bool> marked(static_cast<std::size_t>(m_albums.albumCount()), false);
        for (int i = 0; i < step.count(); ++i)
            if (step.albumIndex(i) < m_albums.albumCount())
                marked[static_cast<std::size_t>(step.albumIndex(i))] = true;
        for (int a = 0; a < m_albums.albumCount(); ++a)
            if (marked[static_cast<std::size_t>(a)])
                reverse.record(a, m_albums, a, UndoKind::Restore);
        return removeAlbums(marked);
    }
    case UndoKind::Restore: {
        // Each album goes back to the index it had, so the catalogue is exactly as before the
        // Delete and the steps before it still name the right albums.
        std::vector<int> byIndex(static_cast<std::size_t>(step.count()));
        for (std::size_t i = 0; i < byIndex.size(); ++i)
            byIndex[i] = static_cast<int>(i);
        std::stable_sort(byIndex.begin(), byIndex.end(),
                         [&](int x, int y) { return step.albumIndex(x) < step.albumIndex(y); });
        const int keptCount = m_albums.albumCount();
        AlbumStore merged;
        merged.reserve(static_cast<std::size_t>(keptCount + step.count()),
                       m_albums.recordBytes() + step.savedAlbums().recordBytes());
        int kept = 0;
        for (int entry : byIndex) {
            const int take = std::clamp(step.albumIndex(entry) - merged.albumCount(), 0, keptCount - kept);
            merged.appendAlbums(m_albums, kept, kept + take);
            kept += take;
            const int at = merged.albumCount();
            merged.appendAlbums(step.savedAlbums(), entry, entry + 1);
            reverse.record(at, merged, at, UndoKind::Delete);
        }
        merged.appendAlbums(m_albums, kept, keptCount);
        std::swap(m_albums, merged);
        return merged;
    }
    case UndoKind::None: break;
    }
    return std::nullopt;
}

CatalogueDocument::EditOutcome CatalogueDocument::undo()
{
    return stepThroughHistory(true);
}

CatalogueDocument::EditOutcome CatalogueDocument::redo()
{
    return stepThroughHistory(false);
}

CatalogueDocument::EditOutcome CatalogueDocument::stepThroughHistory(bool undoing)
{
    if (undoing ? !m_history.canUndo() : !m_history.canRedo())
        return {};
    m_history.reserve();
    std::optional<UndoRecord> taken;
    std::optional<AlbumStore> previousAlbums;
    UndoRecord reverse;
    EditOutcome outcome = allOrNothing(
        [&] {
            EditOutcome done;
            taken = undoing ? m_history.takeUndo() : m_history.takeRedo();
            reverse.setName(taken->name());
            previousAlbums = applyStep(*taken, reverse);
            applyFilters();
            addError(done, reapplyCurrentOrder());
            rebuildValueLists();
            refillEntryLists();
            reverse.setAvailable();
            if (undoing)
                m_history.putRedo(std::move(reverse));
            else
                m_history.putUndo(std::move(reverse));
            m_modified = !m_history.atSaved();
            done.changed = 1;
            return done;
        },
        [&] {
            if (previousAlbums) {
                std::swap(m_albums, *previousAlbums);
            } else if (taken && taken->kind() == UndoKind::Unmodify) {
                // The albums changed so far, put back from the reverse record, latest first.
                for (int i = reverse.count() - 1; i >= 0; --i) {
                    try {
                        m_albums.setAlbum(reverse.albumIndex(i), reverse.savedAlbum(i));
                    } catch (const std::bad_alloc&) {
                        // That album keeps the restored texts, which is still a whole album.
                    }
                }
            }
            if (taken) {
                if (undoing)
                    m_history.putUndo(std::move(*taken));
                else
                    m_history.putRedo(std::move(*taken));
            }
            recoverValueLists();
        });
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

} // namespace discora
