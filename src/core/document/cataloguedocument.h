// The open catalogue: every album, and everything derived from them that the rest of the program
// reads (value lists, display order, column layouts, headings, filters, the current order).
// It announces every change to its observers; it never shows a window itself.
#pragma once

#include "core/catalogue/albumstore.h"
#include "core/catalogue/columnlayout.h"
#include "core/catalogue/displaysettings.h"
#include "core/catalogue/derivedlists.h"
#include "core/order/findquery.h"
#include "core/catalogue/sortorder.h"
#include "core/catalogue/progresssink.h"
#include "core/catalogue/result.h"
#include "core/document/undorecord.h"
#include "core/catalogue/valuelist.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace discora {

struct LoadedCatalogue;

// Hooks with empty defaults; the Qt layer turns them into repaints and signals.
class DocumentObserver
{
public:
    virtual ~DocumentObserver() = default;
    // "All views update": the albums, the display order or the current order changed.
    virtual void documentUpdated() {}
    // A new catalogue was created: scroll position, selection and tool windows start afresh.
    virtual void viewReset() {}
    virtual void headingsChanged() {}
    virtual void displaySettingsChanged() {}
    virtual void modifiedChanged(bool /*modified*/) {}
};

// The entry sheet's drop-down lists, refilled from the value lists.
class EntryListSink
{
public:
    virtual ~EntryListSink() = default;
    virtual void clearEntryLists() = 0;
    virtual void addEntryValue(ValueListId list, const std::string& text) = 0;
};

enum class FilterField : int
{
    Artist,
    Label,
    MediaType,
    MusicType,
    Quality,
    Performer
};
constexpr int kFilterCount = 6;
inline constexpr const char* kNoFilter = "All";

class CatalogueDocument
{
public:
    CatalogueDocument();

    // Albums
    int albumCount() const { return m_albums.albumCount(); }
    std::string_view text(Field f, int album) const { return m_albums.text(f, album); }
    AlbumRecord album(int index) const { return m_albums.album(index); }
    const AlbumStore& albums() const { return m_albums; }
    // For editing commands; they call the rebuild steps themselves.
    AlbumStore& mutableAlbums() { return m_albums; }

    // Value lists
    const ValueList& valueList(ValueListId id) const { return m_valueLists[static_cast<int>(id)]; }
    ValueList& valueList(ValueListId id) { return m_valueLists[static_cast<int>(id)]; }
    bool AddDistinctValue(ValueListId id, std::string_view text)
    {
        return valueList(id).addDistinctValue(text);
    }
    void RebuildValueLists();
    void RefillEntryLists();
    void setEntryListSink(EntryListSink* sink) { m_entryListSink = sink; }

    // Whole-document operations
    void ClearAll();
    // The steps of File New: an empty catalogue with default layouts, all filters off, ByArtist.
    void newDocument();
    // Replaces the albums with a file's, then rebuilds everything derived from them.
    void adoptLoaded(LoadedCatalogue&& loaded);
    // Reads a catalogue file's bytes; on failure the document is left exactly as it was.
    Status load(std::string_view bytes);
    std::string save() const;
    Status openFile(const std::string& path);
    Status saveFile(const std::string& path);

    // Display order and filters
    const std::vector<std::uint32_t>& displayOrder() const { return m_displayOrder; }
    std::vector<std::uint32_t>& mutableDisplayOrder() { return m_displayOrder; }
    int displayedCount() const { return static_cast<int>(m_displayOrder.size()); }
    const std::string& filter(FilterField f) const { return m_filters[static_cast<int>(f)]; }
    void setFilter(FilterField f, std::string text) { m_filters[static_cast<int>(f)] = std::move(text); }
    bool albumPassesFilters(int album) const;
    void ApplyFilters();

    // The derived lists of the song, producer and performer orders
    const DerivedLists& derivedLists() const { return m_derived; }
    DerivedLists& mutableDerivedLists() { return m_derived; }

    // Current order and view style
    SortOrder currentOrder() const { return m_currentOrder; }
    bool albumOrderCurrent() const { return isAlbumOrder(m_currentOrder); }
    void setCurrentOrder(SortOrder order) { m_currentOrder = order; }
    ViewStyle viewStyle() const { return m_viewStyle; }
    void setViewStyle(ViewStyle style) { m_viewStyle = style; }
    // Whether a leading "The " is ignored by the album orders that follow the view rule.
    bool viewRuleIgnoresThe() const;

    // Column layouts
    const ColumnLayouts& columnLayouts() const { return m_layouts; }
    ColumnLayouts& mutableColumnLayouts() { return m_layouts; }
    const ColumnLayout& columnLayout(LayoutId id) const { return m_layouts[static_cast<int>(id)]; }
    ColumnLayout& mutableColumnLayout(LayoutId id) { return m_layouts[static_cast<int>(id)]; }
    int screenDpi() const { return m_dpi; }
    // The view's resolution; new catalogues get their default column edges computed for it.
    void setScreenDpi(int dpi) { m_dpi = dpi; }

    // Headings of the two custom fields
    const std::string& heading(int which) const { return m_headings[which]; }
    const std::array<std::string, 2>& headings() const { return m_headings; }
    void setHeadings(std::string first, std::string second);

    // What the application hands over from the settings
    const DisplayColors& colours() const { return m_colours; }
    void setColours(const DisplayColors& colours);
    const ScreenFont& font() const { return m_font; }
    void setFont(const ScreenFont& font);
    const ViewOptions& viewOptions() const { return m_viewOptions; }
    void setViewOptions(const ViewOptions& options);

    // Times of the disc in the player, handed to the entry sheet
    std::array<std::string, kSongSlots>& playerTimes() { return m_playerTimes; }

    // The one level of undo. Cleared with the albums, so it never applies to another catalogue.
    UndoRecord& undoRecord() { return m_undo; }
    bool canUndo() const { return m_undo.available(); }

    // The last search, kept between Find commands
    FindQuery& findQuery() { return m_findQuery; }

    // State flags
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    bool readyForEntry() const { return m_readyForEntry; }
    bool progressEnabled() const { return m_progressEnabled; }
    void setProgressEnabled(bool on) { m_progressEnabled = on; }
    void setProgressSink(ProgressSink* sink) { m_progressSink = sink; }
    // The sink while progress display is on, else null.
    ProgressSink* progress() const { return m_progressEnabled ? m_progressSink : nullptr; }

    void addObserver(DocumentObserver* observer);
    void removeObserver(DocumentObserver* observer);
    void UpdateAllViews();

private:
    void notify(void (DocumentObserver::*hook)());

    AlbumStore m_albums;
    std::array<ValueList, kValueListCount> m_valueLists;
    std::vector<std::uint32_t> m_displayOrder;
    DerivedLists m_derived;
    std::array<std::string, kFilterCount> m_filters;
    SortOrder m_currentOrder = SortOrder::ByArtist;
    ViewStyle m_viewStyle = ViewStyle::Normal;
    ColumnLayouts m_layouts;
    int m_dpi = 96;
    std::array<std::string, 2> m_headings;
    DisplayColors m_colours;
    ScreenFont m_font;
    ViewOptions m_viewOptions;
    std::array<std::string, kSongSlots> m_playerTimes;
    UndoRecord m_undo;
    FindQuery m_findQuery;
    bool m_modified = false;
    bool m_readyForEntry = false;
    bool m_progressEnabled = false;
    ProgressSink* m_progressSink = nullptr;
    EntryListSink* m_entryListSink = nullptr;
    std::vector<DocumentObserver*> m_observers;
};

} // namespace discora
