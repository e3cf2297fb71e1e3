#include "core/layout/viewscroll.h"

#include <algorithm>

namespace discora {

int maxScroll(int content, int page)
{
    return std::max(0, content - page);
}

int verticalScroll(ScrollRequest request, int current, int requested, int lineHeight, int pageHeight,
                   int maximum)
{
    int target = current;
    switch (request) {
    case ScrollRequest::LineBack: target = current - lineHeight; break;
    case ScrollRequest::LineForward: target = current + lineHeight; break;
    case ScrollRequest::PageBack: target = current - pageHeight; break;
    case ScrollRequest::PageForward: target = current + pageHeight; break;
    case ScrollRequest::ThumbPosition:
        // Whole lines relative to where the view is, so rows stay aligned with the window top.
        target = lineHeight > 0 ? current + (requested - current) / lineHeight * lineHeight : requested;
        break;
    case ScrollRequest::ToStart: target = 0; break;
    case ScrollRequest::ToEnd: target = maximum; break;
    case ScrollRequest::ThumbTrack:
    case ScrollRequest::EndScroll: break;
    }
    return std::clamp(target, 0, std::max(0, maximum));
}

int horizontalScroll(ScrollRequest request, int current, int requested, int charWidth, int pageWidth,
                     int maximum)
{
    int target = current;
    switch (request) {
    case ScrollRequest::LineBack: target = current - charWidth; break;
    case ScrollRequest::LineForward: target = current + charWidth; break;
    case ScrollRequest::PageBack: target = current - pageWidth; break;
    case ScrollRequest::PageForward: target = current + pageWidth; break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack: target = requested; break;
    case ScrollRequest::ToStart: target = 0; break;
    case ScrollRequest::ToEnd:
    case ScrollRequest::EndScroll: break;
    }
    return std::clamp(target, 0, std::max(0, maximum));
}

FittedScroll fitScroll(const ScrollGeometry& g, int scrollX, int scrollY)
{
    FittedScroll f{g, scrollX, scrollY};
    if (g.contentWidth <= g.pageWidth) {
        f.geometry.contentWidth = f.geometry.pageWidth = 0;
        f.scrollX = 0;
    }
    if (g.contentHeight <= g.pageHeight) {
        f.geometry.contentHeight = f.geometry.pageHeight = 0;
        f.scrollY = 0;
    }
    f.scrollX = std::clamp(f.scrollX, 0, maxScroll(f.geometry.contentWidth, f.geometry.pageWidth));
    f.scrollY = std::clamp(f.scrollY, 0, maxScroll(f.geometry.contentHeight, f.geometry.pageHeight));
    return f;
}

} // namespace discora
