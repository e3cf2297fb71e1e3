// Which layout the view shows for the current order and style, how many entries it has, and the
// vertical arithmetic shared by every layout: lines per entry, content size, the entries a paint
// covers and the hit test. Pure functions of the document and a ViewMetrics.
#pragma once

#include "core/layout/layoutkinds.h"
#include "core/layout/viewmetrics.h"
#include "core/model/columnlayout.h"
#include "core/view/displaysettings.h"
#include "core/view/sortorder.h"

#include <string_view>

namespace discora {

class Catalogue;

LayoutKind layoutKindOf(SortOrder order, ViewStyle style);
LayoutKind currentLayoutKind(const Catalogue& doc);

// Whether Play may take the entry: in the song lists a song whose track number reads as 0 (or a
// group heading) cannot be played; entries of other orders always can.
bool entryIsPlayable(const Catalogue& doc, int position);
// The value of a number text as the C library reads it: leading blanks, a sign, digits.
int readNumber(std::string_view text);

// Text lines one entry occupies in a layout (the normal layout depends on the display switches).
int linesPerRecord(LayoutKind kind, const ViewOptions& options);

// Content and page sizes, in pixels, as the scroll bars use them.
struct ScrollGeometry
{
    int contentWidth = 0;
    int contentHeight = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    bool operator==(const ScrollGeometry&) const = default;
};

// Sizes of a layout before the no-scroll-bar rule: contentWidth comes from the layout's own
// geometry; column lists lose the heading row from the page, cut to whole lines.
ScrollGeometry layoutScrollGeometry(LayoutKind kind, const ViewMetrics& m, int linesPerRecord, int entries,
                                    int contentWidth);

// The entries one paint draws: first to last (last < first when there are none), and how many
// pixels the first entry's top lies above the top of the data area.
struct PaintRange
{
    int first = 0;
    int last = -1;
    int offset = 0;
};
PaintRange paintRange(LayoutKind kind, const ViewMetrics& m, int linesPerRecord, int entries);

// The entry position under client height y; -1 on the heading row of a column list. Callers
// compare the result with the entry count.
int hitTest(int y, const ViewMetrics& m, int linesPerRecord);
// The client height of the top of the entry at position, which hitTest maps back to it.
int entryTop(int position, const ViewMetrics& m, int linesPerRecord);
// The scroll position that brings the entry wholly into the data area with the least movement
// (its top first when it is taller than the area), in whole lines; scrollY when it is already in.
int scrollToShowEntry(int position, const ViewMetrics& m, int linesPerRecord, int maxScrollY);

} // namespace discora
