// What the open catalogue is at one moment: the albums and everything derived from them that the
// orders, lists, exports and layouts read (value lists, display order, derived lists, filters,
// current order, column layouts, headings, display settings). Read-only here; the document, which
// derives from it, is the one thing that changes it.
#pragma once

#include "core/catalogue/albumstore.h"
#include "core/catalogue/columnlayout.h"
#include "core/catalogue/derivedlists.h"
#include "core/catalogue/displaysettings.h"
#include "core/catalogue/filterfield.h"
#include "core/catalogue/sortorder.h"
#include "core/catalogue/valuelist.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace discora {

class Catalogue
{
public:
    Catalogue()
    {
        m_filters.fill(kNoFilter);
        m_layouts = defaultColumnLayouts(m_dpi);
    }

    // Albums
    int albumCount() const { return m_albums.albumCount(); }
    std::string_view text(Field f, int album) const { return m_albums.text(f, album); }
    AlbumRecord album(int index) const { return m_albums.album(index); }
    const AlbumStore& albums() const { return m_albums; }

    const ValueList& valueList(ValueListId id) const { return m_valueLists[static_cast<int>(id)]; }

    // The displayed albums, in the order they are shown
    const std::vector<std::uint32_t>& displayOrder() const { return m_displayOrder; }
    int displayedCount() const { return static_cast<int>(m_displayOrder.size()); }
    const std::string& filter(FilterField f) const { return m_filters[static_cast<int>(f)]; }
    const std::array<std::string, kFilterCount>& filters() const { return m_filters; }

    // The derived lists of the song, producer and performer orders
    const DerivedLists& derivedLists() const { return m_derived; }

    // Current order and view style
    SortOrder currentOrder() const { return m_currentOrder; }
    bool albumOrderCurrent() const { return isAlbumOrder(m_currentOrder); }
    ViewStyle viewStyle() const { return m_viewStyle; }
    // Whether a leading "The " is ignored under a rule, by the album orders that follow the view
    // rule, and by Go To and the printed letter groups in the current order.
    bool ignoresThe(TheRule rule) const { return theRuleApplies(rule, m_viewOptions, m_viewStyle); }
    bool viewRuleIgnoresThe() const { return ignoresThe(TheRule::ViewRule); }
    bool namesIgnoreThe() const { return ignoresThe(sortOrderInfo(m_currentOrder).nameThe); }

    // Column layouts
    const ColumnLayouts& columnLayouts() const { return m_layouts; }
    const ColumnLayout& columnLayout(LayoutId id) const { return m_layouts[static_cast<int>(id)]; }
    int screenDpi() const { return m_dpi; }

    // Headings of the two custom fields
    const std::string& heading(int which) const { return m_headings[which]; }
    const std::array<std::string, 2>& headings() const { return m_headings; }

    // What the application hands over from the settings
    const DisplayColors& colors() const { return m_colors; }
    const ScreenFont& font() const { return m_font; }
    const ViewOptions& viewOptions() const { return m_viewOptions; }

protected:
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
    DisplayColors m_colors;
    ScreenFont m_font;
    ViewOptions m_viewOptions;
};

} // namespace discora
