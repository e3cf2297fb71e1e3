// The open catalogue and the operations that change it. Each operation (load, new, enter, modify,
// delete, undo, an order, filters, options) rebuilds what depends on it and then notifies the
// observers once, when its state (undo record, modified flag) is final. It never shows a window.
// An operation that runs out of memory puts everything back as it was and throws std::bad_alloc;
// a song, producer or performer list that runs out of memory is kept as far as it was built, and
// the operation returns the list's message.
#pragma once

#include "core/base/progresssink.h"
#include "core/base/result.h"
#include "core/document/albumchanges.h"
#include "core/document/entrylistfeed.h"
#include "core/document/undohistory.h"
#include "core/order/findquery.h"
#include "core/view/catalogue.h"

#include <functional>
#include <map>
#include <optional>
#include <span>

namespace discora {

struct LoadedCatalogue;

// Hooks with empty defaults; the Qt layer turns them into repaints and signals. Every operation
// calls exactly one of documentUpdated, viewReset, headingsChanged or displaySettingsChanged on
// each observer, after modifiedChanged where the flag changed.
class DocumentObserver
{
public:
    virtual ~DocumentObserver() = default;
    // "All views update": the albums, the display order or the current order changed.
    virtual void documentUpdated() {}
    // Another catalogue (New, a load): scroll position, selection and tool windows start afresh.
    virtual void viewReset() { documentUpdated(); }
    virtual void headingsChanged() {}
    virtual void displaySettingsChanged() {}
    // A column layout was edited (a column added, removed or moved).
    virtual void columnLayoutChanged() {}
    virtual void modifiedChanged(bool /*modified*/) {}
};

// What the window and the command line report when a command ran out of memory. The document
// operations leave everything as it was before they throw std::bad_alloc.
inline constexpr const char* kNotEnoughMemory = "Not enough memory";
inline constexpr const char* kRestoreUndoOutOfMemory = "Not enough memory to restore undo.";

// What an order's command works out: the display order (album orders, and the artist short list,
// whose songs are listed from the albums sorted by artist) and the lists of a derived order, with
// the message of a list that memory cut short.
struct OrderResult
{
    SortOrder order = SortOrder::ByArtist;
    std::optional<std::vector<std::uint32_t>> displayOrder;
    DerivedLists lists;
    Status status = success();
};

class CatalogueDocument : public Catalogue
{
public:
    // Whole-document operations
    // The steps of File New: an empty catalogue with default layouts, all filters off, ByArtist.
    void newDocument();
    // Replaces the albums with a file's, then rebuilds everything derived from them.
    void adoptLoaded(LoadedCatalogue&& loaded);
    // Reads a catalogue file's bytes; on failure (memory included) the document is left exactly as
    // it was.
    Status load(std::string_view bytes);
    std::string save() const;
    Status openFile(const std::string& path);
    Status saveFile(const std::string& path);
    // What the last load has to tell besides its albums (its collection details were not read,
    // and why), or nothing.
    const std::string& loadNotice() const { return m_loadNotice; }

    // Covers. A picture is kept under its name (coverfolder.h) in the covers folder beside the
    // catalogue's file, or, while the catalogue has no file, in memory until it is saved. Saving
    // writes those, copies the covers in use to a new file's folder (Save As) and removes the
    // covers neither an album nor an undo step uses any more. An album names its cover in
    // Field::Cover.
    Result<std::string> addCoverImage(std::string_view imageBytes);
    // The picture's bytes, from memory or the folder; nothing when it is missing.
    std::optional<std::string> coverImage(std::string_view name) const;
    // Whether the picture is only in memory yet (added since the catalogue was last saved).
    bool coverPending(std::string_view name) const { return m_pendingCovers.contains(name); }
    // The folder of the file the catalogue was last opened from or saved to; empty for none.
    const std::string& coverFolder() const { return m_coverFolder; }
    // Covers in use that could not be found for the last save's new folder.
    const std::vector<std::string>& missingCovers() const { return m_missingCovers; }

    // Runs an order's command: sorts the display order (album orders) or builds and orders its
    // list (derived orders) and makes it current. Fails with the list's message when memory ran
    // out while its list was built; the list then holds what was built.
    Status runOrder(SortOrder order);
    // The same in two parts, for long work done beside the window: what the order works out, read
    // from the document (which must not change until the result is adopted), and the result put in
    // place and announced at once.
    OrderResult computeOrder(SortOrder order, ProgressSink* progress) const;
    Status adoptOrder(OrderResult result);
    // View by Normal or Single Line Sorts. Single Line Sorts shows albums only: a derived list on
    // screen gives way to ByArtist.
    void setViewStyle(ViewStyle style);
    // The Filters dialog's OK: the display order is rebuilt and the current order applied again
    // (which may fail as runOrder does).
    Status setFilters(const std::array<std::string, kFilterCount>& filters);
    Status setFilter(FilterField field, std::string text);

    // What the application hands over from the settings. New view options re-run the current order
    // when they change how it sorts (which may fail as runOrder does).
    void setColors(const DisplayColors& colors);
    void setFont(const ScreenFont& font);
    Status setViewOptions(const ViewOptions& options);
    void setHeadings(std::string first, std::string second);
    // The view's resolution; new catalogues get their default column edges computed for it.
    void setScreenDpi(int dpi) { m_view.dpi = dpi; }
    // The view's column edits. No observer is told: the view that made the edit repaints itself,
    // and marks the catalogue modified once the edit is complete.
    void setColumnLayout(LayoutId id, ColumnLayout layout)
    {
        m_contents.layouts[static_cast<int>(id)] = std::move(layout);
    }
    // The user's edit of a column layout: stored, the catalogue marked modified, and announced.
    void editColumnLayout(LayoutId id, ColumnLayout layout)
    {
        setColumnLayout(id, std::move(layout));
        m_modified = true;
        m_history.forgetSaved();
        finish(&DocumentObserver::columnLayoutChanged);
    }

    // Albums. enterAlbum adds one at the end; modifyAlbums hands each album to edit in turn (the
    // value lists and the entry lists are brought up to date after each change, so the next sheet
    // offers what was typed) and re-sorts once at the end; deleteAlbums removes the given albums.
    // Each returns a message for the user when memory ran out for the undo record (it may then be
    // missing or incomplete) or for the list of the current order.
    struct EditOutcome
    {
        int changed = 0;
        std::string error;
    };
    EditOutcome enterAlbum(AlbumRecord album);
    // Adds albums at the end as one Enter of them all: one undo record of kind Delete, the value
    // lists extended, the current order applied again. The albums come as Enter stores them (track
    // numbers only where a song has a title or a time). changed is the number added.
    EditOutcome importAlbums(AlbumStore albums);
    EditOutcome modifyAlbums(std::span<const std::uint32_t> albums,
                             const std::function<std::optional<AlbumRecord>(const AlbumRecord&)>& edit);
    EditOutcome deleteAlbums(std::span<const std::uint32_t> albums);
    // Reverses the latest change still in the history (an Enter, Modify, Delete or import), and
    // Redo puts back the latest one undone. Either restores the catalogue exactly as it was, or,
    // when memory runs out, changes nothing and throws std::bad_alloc. changed is 0 when there
    // was nothing to undo or redo. A new change clears the steps to redo; undoing or redoing
    // back to the state last saved or opened clears the modified flag.
    EditOutcome undo();
    EditOutcome redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    const UndoRecord& undoRecord() const { return m_history.nextUndo(); }
    const UndoRecord& redoRecord() const { return m_history.nextRedo(); }
    const UndoHistory& history() const { return m_history; }

    // The performer names the Filters dialog offers (distinctPerformerNames of the displayed
    // albums), gathered once after each change of the albums or the filters.
    const std::vector<std::string>& filterPerformerNames();

    // The last search, kept between Find commands
    const FindQuery& findQuery() const { return m_findQuery; }
    void setFindQuery(const FindQuery& query) { m_findQuery = query; }

    // The entry sheet's lists follow the value lists.
    void setEntryListSink(EntryListSink* sink) { m_entryLists.setSink(sink); }
    void refillEntryLists();

    // State flags
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    bool readyForEntry() const { return m_readyForEntry; }
    bool progressEnabled() const { return m_progressEnabled; }
    void setProgressEnabled(bool on) { m_progressEnabled = on; }
    void setProgressSink(ProgressSink* sink) { m_progressSink = sink; }
    // Whether a load builds the value lists, which only the entry sheet and the Filters dialog
    // offer: a catalogue opened to be listed, exported or printed and closed goes without.
    void setValueListsKept(bool kept) { m_valueListsKept = kept; }
    // The sink while progress display is on, else null.
    ProgressSink* progress() const { return m_progressEnabled ? m_progressSink : nullptr; }

    void addObserver(DocumentObserver* observer);
    void removeObserver(DocumentObserver* observer);

private:
    // What an operation may change besides the albums, kept to be put back when memory runs out.
    struct Snapshot
    {
        std::vector<std::uint32_t> displayOrder;
        DerivedLists lists;
        ViewState view;
        bool modified;
    };
    void restore(Snapshot& saved) noexcept;
    // Runs change and returns what it returns. When memory runs out part way, revertAlbums puts
    // the albums (and the undo record) back, everything in the snapshot returns to how it was,
    // and std::bad_alloc goes on to the caller.
    template <typename Change, typename Revert> auto allOrNothing(Change&& change, Revert&& revertAlbums);
    // The value lists and the entry sheet's lists rebuilt from the albums after a revert, as far
    // as memory allows.
    void recoverValueLists() noexcept;

    void clearAll();
    void rebuildValueLists();
    void applyFilters();
    // The steps of an order without notifying: worked out, then put in place (which cannot fail).
    Status orderBy(SortOrder order);
    Status putOrderInPlace(OrderResult&& result) noexcept;
    // After the catalogue or the display order changed: fewer than two displayed albums make
    // ByArtist current in the Normal style without sorting; otherwise the current order runs again.
    Status reapplyCurrentOrder();
    void applyViewStyle(ViewStyle style);
    EditOutcome stepThroughHistory(bool undoing);
    // Runs an edit's album change and brings what depends on the albums up to date: the value
    // lists by updateValues before the current order runs again (Added), all rebuilt after it
    // (Rebuilt), or as the change kept them (Kept).
    enum class ValuesAfter
    {
        Added,
        Rebuilt,
        Kept
    };
    template <typename UpdateValues>
    EditOutcome changeAlbums(AlbumChange& change, ValuesAfter values, UpdateValues&& updateValues);

    // The one notification of an operation, preceded by modifiedChanged when the flag changed.
    void finish(void (DocumentObserver::*hook)());

    UndoHistory m_history;
    FindQuery m_findQuery;
    bool m_modified = false;
    void saveCovers(const std::string& folder);

    std::string m_loadNotice;
    std::string m_coverFolder;
    std::map<std::string, std::string, std::less<>> m_pendingCovers; // name -> picture, not yet in a folder
    std::vector<std::string> m_missingCovers;
    bool m_notifiedModified = false;
    bool m_readyForEntry = false;
    bool m_progressEnabled = false;
    ProgressSink* m_progressSink = nullptr;
    bool m_valueListsKept = true;
    EntryListFeed m_entryLists;
    std::vector<DocumentObserver*> m_observers;
    std::optional<std::vector<std::string>> m_filterPerformerNames;
};

} // namespace discora
