// The numbers every layout is computed from: the screen font's measures, the resolution, the
// client area and the scroll position. Printing fills the same struct for the page.
#pragma once

namespace discora {

// The left edge of the first column of every layout, and x0 of the block layouts.
constexpr int kFirstColumnX = 10;
// On paper a value cell ends this many printer pixels before the next column, or before the
// usable width's right end.
constexpr int kPaperCellGap = 16;

struct ViewMetrics
{
    int dpi = 96;
    int lineHeight = 16; // character height plus external leading
    int charWidth = 7;   // average
    int maxCharWidth = 14;
    int clientWidth = 0;
    int clientHeight = 0;
    int scrollX = 0;
    int scrollY = 0;
};

} // namespace discora
