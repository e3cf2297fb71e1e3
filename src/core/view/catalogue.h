// What the open catalogue is at one moment, as the orders, lists, exports and layouts read it: its
// contents (albums, column layouts, headings), the state it is shown in (order, style, filters,
// options, colors, font) and what is derived from both (display order, derived lists, value
// lists). Read-only here; the document, which derives from it, is the one thing that changes it.
#pragma once

#include "core/model/cataloguecontents.h"
#include "core/model/derivedlists.h"
#include "core/model/valuelist.h"
#include "core/view/viewstate.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace discora {

// What is worked out from the contents and the view state, and rebuilt whenever either changes:
// the displayed albums in order, the song, producer or performer list of a derived order, and
// the distinct values of the fields the entry sheet and the Filters dialog offer.
struct DerivedViews
{
    std::vector<std::uint32_t> displayOrder;
    DerivedLists lists;
    std::array<ValueList, kValueListCount> valueLists;
    // How many albums are lent out, and how many of those are past their due date.
    int onLoan = 0;
    int overdue = 0;
};

class Catalogue
{
public:
    Catalogue() { m_contents.layouts = defaultColumnLayouts(m_view.dpi); }

    // Albums
    int albumCount() const { return m_contents.albums.albumCount(); }
    std::string_view text(Field f, int album) const { return m_contents.albums.text(f, album); }
    AlbumRecord album(int index) const { return m_contents.albums.album(index); }
    const AlbumStore& albums() const { return m_contents.albums; }

    const ValueList& valueList(ValueListId id) const { return m_derived.valueLists[static_cast<int>(id)]; }

    // The displayed albums, in the order they are shown
    const std::vector<std::uint32_t>& displayOrder() const { return m_derived.displayOrder; }
    int displayedCount() const { return static_cast<int>(m_derived.displayOrder.size()); }
    const std::string& filter(FilterField f) const { return m_view.filters[static_cast<int>(f)]; }
    const std::array<std::string, kFilterCount>& filters() const { return m_view.filters; }

    int albumsOnLoan() const { return m_derived.onLoan; }
    int albumsOverdue() const { return m_derived.overdue; }

    // The derived lists of the song, producer and performer orders
    const DerivedLists& derivedLists() const { return m_derived.lists; }

    // Current order and view style
    SortOrder currentOrder() const { return m_view.order; }
    bool albumOrderCurrent() const { return isAlbumOrder(m_view.order); }
    ViewStyle viewStyle() const { return m_view.style; }
    // Whether a leading "The " is ignored under a rule, by the album orders that follow the view
    // rule, and by Go To and the printed letter groups in the current order.
    bool ignoresThe(TheRule rule) const { return theRuleApplies(rule, m_view.options, m_view.style); }
    bool viewRuleIgnoresThe() const { return ignoresThe(TheRule::ViewRule); }
    bool namesIgnoreThe() const { return ignoresThe(sortOrderInfo(m_view.order).nameThe); }

    // Column layouts
    const ColumnLayouts& columnLayouts() const { return m_contents.layouts; }
    const ColumnLayout& columnLayout(LayoutId id) const { return m_contents.layouts[static_cast<int>(id)]; }
    int screenDpi() const { return m_view.dpi; }

    // Headings of the two custom fields
    const std::string& heading(int which) const { return m_contents.headings[which]; }
    const std::array<std::string, 2>& headings() const { return m_contents.headings; }

    // What the application hands over from the settings
    const DisplayColors& colors() const { return m_view.colors; }
    const ScreenFont& font() const { return m_view.font; }
    const ViewOptions& viewOptions() const { return m_view.options; }

protected:
    CatalogueContents m_contents;
    ViewState m_view;
    DerivedViews m_derived;
};

} // namespace discora
