// The Covers view's geometry: the albums of an album order as rows of tiles, each a square picture
// with two lines of text under it (the artist, the album). Sizes follow the screen font and a zoom
// step; positions are pixels in the content, whose top is scroll position 0. Hit testing, the
// keyboard's moves and scrolling to a tile are answered here, without a window.
#pragma once

#include "core/layout/viewmetrics.h"

#include <string>
#include <string_view>

namespace discora {

// The picture's side in lines of the font, one per zoom step (Ctrl+plus and Ctrl+minus).
inline constexpr int kCoverZoomSteps[] = {4, 6, 8, 10, 13, 16, 20, 25};
inline constexpr int kCoverZoomStepCount = static_cast<int>(std::size(kCoverZoomSteps));
inline constexpr int kDefaultCoverZoom = 3;
// The text lines under a picture.
inline constexpr int kCoverCaptionLines = 2;

struct TileRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
    friend bool operator==(const TileRect&, const TileRect&) = default;
};

struct CoverGrid
{
    int entries = 0;
    int side = 0;       // the picture's width and height
    int padding = 0;    // inside a tile, around the picture and the text
    int lineHeight = 0; // of each caption line
    int tileWidth = 0;
    int tileHeight = 0;
    int gap = 0;  // between tiles, and above the first row
    int left = 0; // the first column's x: the rows stand centred in the client width
    int columns = 1;
    int rows = 0;
    int contentHeight = 0; // with a gap under the last row

    TileRect tile(int position) const;
    TileRect picture(int position) const;
    // The caption's line (0: artist, 1: album) under the picture.
    TileRect caption(int position, int line) const;
    // The entry whose tile holds the content point; -1 for a gap, the margin or beyond the last.
    int entryAt(int x, int y) const;
    // The entries whose tiles a page of this height, scrolled to scrollY, shows at least in part:
    // [first, last], or first > last for none.
    int firstShown(int scrollY) const;
    int lastShown(int scrollY, int pageHeight) const;
    // The scroll position that shows the entry's whole tile, moving as little as it can; a page
    // lower than a tile shows its top.
    int scrollToShow(int position, int scrollY, int pageHeight) const;
    // The highest scroll position.
    int maxScrollY(int pageHeight) const;
    // Whole rows a page shows, at least one.
    int rowsPerPage(int pageHeight) const;
};

// The grid for this font and client width, at a zoom step (clamped to the steps there are).
CoverGrid coverGrid(const ViewMetrics& metrics, int zoom, int entries);

enum class GridMove
{
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End
};

// Where the keyboard's entry goes: left and right run along the reading order (over the ends of
// rows), up and down keep the column (down from the last full row stops at the last entry),
// the page keys move by the rows a page shows. Always a valid entry when there is one; -1 when
// there is none.
int moveInGrid(const CoverGrid& grid, int current, GridMove move, int pageHeight);

// Up to two letters for an album without a cover: the first letters of the first two words of the
// artist, a leading "The" left out (or one of the artist and one of the album when the artist is
// one word); "?" for none.
std::string coverInitials(std::string_view artist, std::string_view album);

} // namespace discora
