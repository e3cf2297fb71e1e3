// Scrolling arithmetic: where a scroll request takes the view, and how the scroll bars are set
// from the content and page sizes. Positions are pixels.
#pragma once

#include "core/layout/viewlayout.h"

namespace discora {

enum class ScrollRequest
{
    LineBack,    // up / left
    LineForward, // down / right
    PageBack,
    PageForward,
    ThumbPosition, // the thumb was released (vertical) or moved (horizontal) at a position
    ThumbTrack,    // the thumb is being dragged
    ToStart,       // top / left end
    ToEnd,         // bottom / right end
    EndScroll,
};

int maxScroll(int content, int page);

// Vertical: steps of a line and a page; a released thumb snaps to whole lines counted from the
// current position; tracking does nothing.
int verticalScroll(ScrollRequest request, int current, int requested, int lineHeight, int pageHeight,
                   int maximum);
// Horizontal: the thumb moves the view while it is dragged; the right end does nothing.
int horizontalScroll(ScrollRequest request, int current, int requested, int charWidth, int pageWidth,
                     int maximum);

// A direction whose content fits its page has no scroll bar: content, page and position are 0.
// Otherwise the position is kept within 0 and content - page.
struct FittedScroll
{
    ScrollGeometry geometry;
    int scrollX = 0;
    int scrollY = 0;
};
FittedScroll fitScroll(const ScrollGeometry& g, int scrollX, int scrollY);

} // namespace discora
