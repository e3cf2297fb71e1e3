#include "core/document/cataloguedocument.h"

#include "core/base/filebytes.h"
#include "core/base/twothreads.h"
#include "core/document/undosteps.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/fileformat/coverfolder.h"
#include "core/model/albumdetails.h"
#include "core/model/albumvalues.h"
#include "core/order/albumorders.h"
#include "core/order/derivedorders.h"
#include "core/order/filters.h"
#include "core/order/orders.h"

#include <algorithm>
#include <new>
#include <set>
#include <span>
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
    m_derived.displayOrder.swap(saved.displayOrder);
    std::swap(m_derived.lists, saved.lists);
    std::swap(m_view, saved.view);
    m_modified = saved.modified;
}

template <typename Change, typename Revert>
auto CatalogueDocument::allOrNothing(Change&& change, Revert&& revertAlbums)
{
    Snapshot saved{m_derived.displayOrder, m_derived.lists, m_view, m_modified};
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
    m_contents.headings = {std::move(first), std::move(second)};
    finish(&DocumentObserver::headingsChanged);
}

void CatalogueDocument::setColors(const DisplayColors& colors)
{
    m_view.colors = colors;
    finish(&DocumentObserver::displaySettingsChanged);
}

void CatalogueDocument::setFont(const ScreenFont& font)
{
    m_view.font = font;
    finish(&DocumentObserver::displaySettingsChanged);
}

Status CatalogueDocument::setViewOptions(const ViewOptions& options)
{
    const bool rerun = optionsResort(m_view.order, m_view.style, m_view.options, options);
    if (!rerun || displayedCount() < 2) {
        m_view.options = options;
        finish(&DocumentObserver::displaySettingsChanged);
        return success();
    }
    Status status = allOrNothing(
        [&] {
            m_view.options = options;
            return orderBy(m_view.order);
        },
        [] {});
    // A new sequence of entries: the views take up the new options along with it.
    finish(&DocumentObserver::documentUpdated);
    return status;
}

void CatalogueDocument::rebuildValueLists()
{
    // Built beside the lists in use, which are replaced only when all is built.
    m_derived.valueLists = valueListsOf(m_contents.albums, progress());
}

void CatalogueDocument::refillEntryLists()
{
    m_entryLists.refill(m_derived.valueLists, progress());
}

void CatalogueDocument::clearAll()
{
    m_filterPerformerNames.reset();
    m_history.clear();
    m_derived.displayOrder.clear();
    m_derived.displayOrder.shrink_to_fit();
    m_derived.lists.clear();
    m_contents.albums.clear();
    for (auto& list : m_derived.valueLists)
        list.clear();
    // The sheet's drop-down lists mirror the value lists; a new catalogue must not offer the old one's.
    m_entryLists.clear();
    m_view.order = SortOrder::ByArtist;
}

void CatalogueDocument::newDocument()
{
    ColumnLayouts layouts = defaultColumnLayouts(m_view.dpi);
    m_readyForEntry = true;
    clearAll();
    m_contents.layouts = std::move(layouts);
    m_progressEnabled = true;
    m_view.order = SortOrder::ByArtist;
    m_view.style = ViewStyle::Normal;
    m_view.filters.fill(kNoFilter);
    m_modified = false;
    m_coverFolder.clear();
    m_pendingCovers.clear();
    finish(&DocumentObserver::viewReset);
}

void CatalogueDocument::adoptLoaded(LoadedCatalogue&& loaded)
{
    // Everything is built beside the open catalogue, which is replaced only when nothing is left to
    // run out of memory. The filters, the view style and the settings stay in force.
    CatalogueDocument next;
    next.m_view = m_view;
    next.m_progressEnabled = m_progressEnabled;
    next.m_progressSink = m_progressSink;
    next.m_valueListsKept = m_valueListsKept;
    next.m_contents.albums = std::move(loaded.albums);
    next.m_contents.layouts = std::move(loaded.layouts);
    next.m_contents.headings = {std::move(loaded.headings[0]), std::move(loaded.headings[1])};
    next.m_contents.keptDetailsBlock = std::move(loaded.keptBlock);
    next.m_entryLists = m_entryLists;
    try {
        const auto showAlbums = [&] {
            next.applyFilters();
            // ByArtist is current after every load, sorted or not.
            next.m_view.order = SortOrder::ByArtist;
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
                    lists = valueListsOf(next.m_contents.albums, nullptr);
                else
                    showAlbums();
            });
            next.m_derived.valueLists = std::move(lists);
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
    m_loadNotice = std::move(loaded.detailsNotice);
    m_filterPerformerNames.reset();
    m_history.clear();
    m_readyForEntry = true;
    m_modified = false;
    finish(&DocumentObserver::viewReset);
}

Status CatalogueDocument::load(std::string_view bytes)
{
    auto loaded = readCatalogue(bytes, LoadBase{m_contents.layouts, m_contents.headings}, progress());
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
    return writeCatalogue(m_contents.albums, m_contents.layouts, m_contents.headings,
                          m_contents.keptDetailsBlock);
}

Status CatalogueDocument::openFile(const std::string& path)
{
    auto loaded = readCatalogueFile(path, LoadBase{m_contents.layouts, m_contents.headings}, progress());
    if (!loaded)
        return Error{loaded.error()};
    try {
        adoptLoaded(std::move(*loaded));
    } catch (const std::bad_alloc&) {
        return Error{cannotOpen(path, kLoadOutOfMemory)};
    }
    m_coverFolder = coverFolderOf(path);
    m_pendingCovers.clear();
    return success();
}

Status CatalogueDocument::saveFile(const std::string& path)
{
    if (Status status = writeCatalogueFile(path, m_contents.albums, m_contents.layouts, m_contents.headings,
                                           m_contents.keptDetailsBlock);
        !status)
        return status;
    setModified(false);
    saveCovers(coverFolderOf(path));
    return success();
}

void CatalogueDocument::saveCovers(const std::string& folder)
{
    // The catalogue is saved; a cover that cannot be written is reported as missing rather than
    // failing a save that has happened.
    m_missingCovers.clear();
    const std::vector<std::string> inUse = coverNamesOf(m_contents.albums);
    const std::set<std::string, std::less<>> used(inUse.begin(), inUse.end());
    std::set<std::string, std::less<>> kept = used;
    m_history.forEachKeptStore([&](const AlbumStore& albums) {
        for (std::string& name : coverNamesOf(albums))
            kept.insert(std::move(name));
    });
    const std::vector<std::string> names(kept.begin(), kept.end());
    for (auto it = m_pendingCovers.begin(); it != m_pendingCovers.end();) {
        if (kept.contains(it->first) && addCover(folder, it->second))
            it = m_pendingCovers.erase(it);
        else
            ++it;
    }
    if (!m_coverFolder.empty() && m_coverFolder != folder) {
        if (auto missing = copyCovers(m_coverFolder, folder, names))
            for (std::string& name : *missing)
                if (used.contains(name) && !m_pendingCovers.contains(name))
                    m_missingCovers.push_back(std::move(name));
    }
    removeUnusedCovers(folder, names);
    m_coverFolder = folder;
}

Result<std::string> CatalogueDocument::addCoverImage(std::string_view imageBytes)
{
    auto name = coverNameOf(imageBytes);
    if (!name)
        return name;
    if (!m_coverFolder.empty()) {
        if (auto added = addCover(m_coverFolder, imageBytes))
            return added;
    }
    m_pendingCovers.emplace(*name, std::string(imageBytes));
    return name;
}

std::optional<std::string> CatalogueDocument::coverImage(std::string_view name) const
{
    if (const auto it = m_pendingCovers.find(name); it != m_pendingCovers.end())
        return it->second;
    if (m_coverFolder.empty() || !coverPresent(m_coverFolder, name))
        return std::nullopt;
    auto bytes = readWholeFile(coverPath(m_coverFolder, name));
    if (!bytes)
        return std::nullopt;
    return std::move(*bytes);
}

void CatalogueDocument::applyFilters()
{
    // Every change of the albums or the filters comes here.
    m_filterPerformerNames.reset();
    m_derived.displayOrder = filteredAlbums(*this);
    const LoanCount loans = countLoans(m_contents.albums);
    m_derived.onLoan = loans.out;
    m_derived.overdue = loans.overdue;
}

const std::vector<std::string>& CatalogueDocument::filterPerformerNames()
{
    if (!m_filterPerformerNames)
        m_filterPerformerNames = distinctPerformerNames(*this, progress());
    return *m_filterPerformerNames;
}

Status CatalogueDocument::setFilters(const std::array<std::string, kFilterCount>& filters)
{
    for (int f = 0; f < kFilterCount; ++f)
        if (auto problem = filterProblem(static_cast<FilterField>(f), filters[static_cast<std::size_t>(f)]))
            return Error{std::move(*problem)};
    Status status = allOrNothing(
        [&] {
            m_view.filters = filters;
            applyFilters();
            return reapplyCurrentOrder();
        },
        [] {});
    finish(&DocumentObserver::documentUpdated);
    return status;
}

Status CatalogueDocument::setFilter(FilterField field, std::string text)
{
    auto filters = m_view.filters;
    filters[static_cast<int>(field)] = std::move(text);
    return setFilters(filters);
}

OrderResult CatalogueDocument::computeOrder(SortOrder order, ProgressSink* progress) const
{
    OrderResult result;
    result.order = order;
    if (isAlbumOrder(order)) {
        result.displayOrder = sortedDisplayOrder(*this, order, albumOrderIgnoresThe(*this, order), progress);
        return result;
    }
    std::span<const std::uint32_t> shown = m_derived.displayOrder;
    if (order == SortOrder::ByArtistShort) {
        // The songs are listed from the albums sorted by artist, which are shown along with them.
        result.displayOrder = sortedDisplayOrder(
            *this, SortOrder::ByArtist,
            albumOrderIgnoresThe(*this, SortOrder::ByArtist, ArtistSortRole::ArtistShortStep), progress);
        shown = *result.displayOrder;
    }
    DerivedOrderLists built = derivedOrderLists(*this, order, shown, progress);
    result.lists = std::move(built.lists);
    result.status = std::move(built.status);
    return result;
}

Status CatalogueDocument::putOrderInPlace(OrderResult&& result) noexcept
{
    if (result.displayOrder)
        m_derived.displayOrder.swap(*result.displayOrder);
    m_derived.lists = std::move(result.lists);
    m_view.order = result.order;
    return std::move(result.status);
}

Status CatalogueDocument::orderBy(SortOrder order)
{
    return putOrderInPlace(computeOrder(order, progress()));
}

Status CatalogueDocument::runOrder(SortOrder order)
{
    Status status = allOrNothing([&] { return orderBy(order); }, [] {});
    finish(&DocumentObserver::documentUpdated);
    return status;
}

Status CatalogueDocument::adoptOrder(OrderResult result)
{
    Status status = putOrderInPlace(std::move(result));
    finish(&DocumentObserver::documentUpdated);
    return status;
}

Status CatalogueDocument::reapplyCurrentOrder()
{
    if (displayedCount() < 2) {
        // Nothing to order, and a derived list would point at albums that may be gone.
        m_derived.lists.clear();
        m_view.order = SortOrder::ByArtist;
        m_view.style = ViewStyle::Normal;
        return success();
    }
    Status status = orderBy(m_view.order);
    if (m_view.style == ViewStyle::SingleLineSorts)
        applyViewStyle(ViewStyle::SingleLineSorts);
    return status;
}

void CatalogueDocument::applyViewStyle(ViewStyle style)
{
    m_view.style = style;
    if (style == ViewStyle::Normal)
        return;
    // The single-line layouts and the covers show albums: choosing them leaves a derived list.
    const bool derivedShown = !albumOrderCurrent();
    m_derived.lists.clear();
    if (derivedShown)
        orderBy(SortOrder::ByArtist);
}

void CatalogueDocument::setViewStyle(ViewStyle style)
{
    allOrNothing([&] { applyViewStyle(style); }, [] {});
    finish(&DocumentObserver::documentUpdated);
}

template <typename UpdateValues>
CatalogueDocument::EditOutcome CatalogueDocument::changeAlbums(AlbumChange& change, ValuesAfter values,
                                                               UpdateValues&& updateValues)
{
    return allOrNothing(
        [&] {
            const AlbumEdit edit = change.apply(m_contents.albums, m_history);
            EditOutcome outcome{edit.changed, edit.error};
            if (edit.changed == 0)
                return outcome;
            applyFilters();
            if (values == ValuesAfter::Added)
                updateValues();
            addError(outcome, reapplyCurrentOrder());
            if (values == ValuesAfter::Rebuilt)
                rebuildValueLists();
            if (values != ValuesAfter::Kept)
                refillEntryLists();
            m_modified = change.commit(m_history);
            return outcome;
        },
        [&] {
            change.revert(m_contents.albums, m_history);
            recoverValueLists();
        });
}

CatalogueDocument::EditOutcome CatalogueDocument::enterAlbum(AlbumRecord album)
{
    for (Song& song : album.songs)
        if (song.title.empty() && song.time.empty())
            song.trackNumber.clear();
    if (std::string& added = album.text(Field::DateAdded); added.empty())
        added = todaysDate();
    EnterAlbum change(std::move(album));
    const EditOutcome outcome = changeAlbums(change, ValuesAfter::Added, [&] {
        addAlbumValues(m_contents.albums, change.index(), m_derived.valueLists);
    });
    if (outcome.changed == 0)
        return outcome;
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

CatalogueDocument::EditOutcome CatalogueDocument::importAlbums(AlbumStore albums)
{
    const int count = albums.albumCount();
    if (count == 0) {
        finish(&DocumentObserver::documentUpdated);
        return {};
    }
    ImportAlbums change(std::move(albums));
    const EditOutcome outcome = changeAlbums(change, ValuesAfter::Added, [&] {
        // Adding each new album's values leaves the lists as rebuilding them all would.
        ProgressScope progress(this->progress(), kUpdatingValueLists, count);
        for (int a = change.first(); a < change.first() + count; ++a) {
            addAlbumValues(m_contents.albums, a, m_derived.valueLists);
            progress.step();
        }
    });
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

CatalogueDocument::EditOutcome
CatalogueDocument::modifyAlbums(std::span<const std::uint32_t> albums,
                                const std::function<std::optional<AlbumRecord>(const AlbumRecord&)>& edit)
{
    ModifyAlbums change(albums, edit, [this] {
        rebuildValueLists();
        refillEntryLists();
        m_modified = true;
    });
    const EditOutcome outcome = changeAlbums(change, ValuesAfter::Kept, [] {});
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

CatalogueDocument::EditOutcome CatalogueDocument::deleteAlbums(std::span<const std::uint32_t> albums)
{
    DeleteAlbums change(albums);
    const EditOutcome outcome = changeAlbums(change, ValuesAfter::Rebuilt, [] {});
    finish(&DocumentObserver::documentUpdated);
    return outcome;
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
    WalkHistory change(undoing);
    const EditOutcome outcome = changeAlbums(change, ValuesAfter::Rebuilt, [] {});
    finish(&DocumentObserver::documentUpdated);
    return outcome;
}

} // namespace discora
