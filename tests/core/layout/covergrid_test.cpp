#include "core/layout/covergrid.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

// A 16-pixel font, 7 pixels a character, at zoom step 0 (4 lines): pictures of 64 pixels, tiles
// 78 wide, gaps of 14.
ViewMetrics metrics(int width)
{
    ViewMetrics m;
    m.lineHeight = 16;
    m.charWidth = 7;
    m.clientWidth = width;
    m.clientHeight = 400;
    return m;
}

TEST(CoverGrid, TilesFillWholeColumnsAndStandCentred)
{
    const CoverGrid g = coverGrid(metrics(400), 0, 10);
    EXPECT_EQ(g.side, 64);
    EXPECT_EQ(g.tileWidth, 78);
    EXPECT_EQ(g.tileHeight, 7 + 64 + 3 + 32 + 7);
    // (400 - 14) / (78 + 14) = 4 columns, 3 rows for 10 albums.
    EXPECT_EQ(g.columns, 4);
    EXPECT_EQ(g.rows, 3);
    const int used = 4 * 78 + 3 * 14;
    EXPECT_EQ(g.left, (400 - used) / 2);
    EXPECT_EQ(g.contentHeight, 14 + 3 * (g.tileHeight + 14));
    // Row by row, in reading order.
    EXPECT_EQ(g.tile(5), (TileRect{g.left + 92, 14 + g.tileHeight + 14, 78, g.tileHeight}));
    EXPECT_EQ(g.picture(5), (TileRect{g.left + 92 + 7, 14 + g.tileHeight + 14 + 7, 64, 64}));
    EXPECT_EQ(g.caption(5, 1).y, g.picture(5).y + 64 + 3 + 16);
    // A window narrower than a tile still has one column; no width at all still one.
    EXPECT_EQ(coverGrid(metrics(50), 0, 3).columns, 1);
    EXPECT_EQ(coverGrid(metrics(0), 0, 3).columns, 1);
    // Zoom steps beyond the ends are held at the ends.
    EXPECT_EQ(coverGrid(metrics(400), -5, 1).side, kCoverZoomSteps[0] * 16);
    EXPECT_EQ(coverGrid(metrics(400), 99, 1).side, kCoverZoomSteps[kCoverZoomStepCount - 1] * 16);
    EXPECT_GT(coverGrid(metrics(400), kDefaultCoverZoom + 1, 1).side,
              coverGrid(metrics(400), kDefaultCoverZoom, 1).side);
}

TEST(CoverGrid, HitTestingFindsTheTileUnderThePoint)
{
    const CoverGrid g = coverGrid(metrics(400), 0, 10);
    const TileRect t6 = g.tile(6);
    struct Case
    {
        int x, y, expected;
    } const cases[] = {
        {t6.x, t6.y, 6},                                              // the tile's corner
        {t6.x + t6.width - 1, t6.y + t6.height - 1, 6},               // its far corner
        {t6.x + t6.width, t6.y, -1},                                  // the gap to its right
        {t6.x, t6.y - 1, -1},                                         // the gap above it
        {g.left - 1, t6.y, -1},                                       // the left margin
        {g.tile(3).x + g.tileWidth + 5, g.tile(3).y + 5, -1},         // right of the last column
        {g.tile(9).x + g.tileWidth + g.gap + 1, g.tile(9).y + 1, -1}, // where an 11th would be
        {g.tile(0).x + 1, g.contentHeight + 50, -1},                  // below the last row
        {g.tile(0).x + 1, 0, -1},                                     // the top margin
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.entryAt(c.x, c.y), c.expected) << c.x << "," << c.y;
    // Every tile's centre finds its own entry.
    for (int p = 0; p < g.entries; ++p) {
        const TileRect t = g.tile(p);
        EXPECT_EQ(g.entryAt(t.x + t.width / 2, t.y + t.height / 2), p);
    }
    EXPECT_EQ(coverGrid(metrics(400), 0, 0).entryAt(40, 40), -1);
}

TEST(CoverGrid, KeysMoveAlongRowsAndColumns)
{
    // 4 columns, 10 entries: rows 0-3, 4-7, 8-9; a 400-pixel page shows 3 rows.
    const CoverGrid g = coverGrid(metrics(400), 0, 10);
    ASSERT_EQ(g.columns, 4);
    const int page = 2 * (g.tileHeight + g.gap) + 5; // two whole rows
    struct Case
    {
        int from;
        GridMove move;
        int expected;
    } const cases[] = {
        {5, GridMove::Left, 4},   {4, GridMove::Left, 3},  // over the start of a row
        {0, GridMove::Left, 0},   {3, GridMove::Right, 4}, // over the end of a row
        {9, GridMove::Right, 9},  {5, GridMove::Up, 1},       {1, GridMove::Up, 1},
        {1, GridMove::Down, 5},   {6, GridMove::Down, 9}, // no entry under it: the last
        {9, GridMove::Down, 9},   {0, GridMove::PageDown, 8}, {1, GridMove::PageDown, 9},
        {9, GridMove::PageUp, 1}, {6, GridMove::PageUp, 2},   {5, GridMove::Home, 0},
        {2, GridMove::End, 9},    {-1, GridMove::Right, 1}, // no entry yet: from the first
    };
    for (const Case& c : cases)
        EXPECT_EQ(moveInGrid(g, c.from, c.move, page), c.expected)
            << c.from << " " << static_cast<int>(c.move);
    EXPECT_EQ(moveInGrid(coverGrid(metrics(400), 0, 0), 0, GridMove::Down, page), -1);
}

TEST(CoverGrid, ScrollingShowsWholeTilesAndKnowsWhatIsInSight)
{
    const CoverGrid g = coverGrid(metrics(400), 0, 40); // 10 rows
    const int page = 300;
    const int rowStep = g.tileHeight + g.gap;
    // In sight already: no move.
    EXPECT_EQ(g.scrollToShow(5, 0, page), 0);
    // Below: the page ends just under the tile.
    const TileRect t20 = g.tile(20);
    const int down = g.scrollToShow(20, 0, page);
    EXPECT_GE(down + page, t20.y + t20.height);
    EXPECT_LT(down, t20.y);
    // Above: the page starts just over it.
    const int up = g.scrollToShow(4, 5 * rowStep, page);
    EXPECT_LE(up, g.tile(4).y);
    EXPECT_GT(up + page, g.tile(4).y + g.tileHeight);
    // Never past the ends.
    EXPECT_EQ(g.scrollToShow(39, 0, page), g.maxScrollY(page));
    EXPECT_EQ(g.scrollToShow(0, 900, page), 0);
    EXPECT_EQ(g.maxScrollY(100000), 0);

    // What a page shows: rows cut by its edges count.
    EXPECT_EQ(g.firstShown(0), 0);
    EXPECT_EQ(g.firstShown(rowStep + g.gap), 4);          // the top of row 1
    EXPECT_EQ(g.firstShown(g.gap + g.tileHeight + 1), 4); // in the gap under row 0
    EXPECT_EQ(g.firstShown(g.gap + g.tileHeight - 1), 0); // row 0's last pixel line
    EXPECT_EQ(g.lastShown(0, g.gap + 1), 3);              // row 0's first pixel line
    EXPECT_EQ(g.lastShown(0, g.gap), -1);                 // only the top margin
    EXPECT_EQ(g.lastShown(0, 100000), 39);
    EXPECT_EQ(g.rowsPerPage(page), page / rowStep);
    EXPECT_EQ(g.rowsPerPage(10), 1);
}

TEST(CoverGrid, InitialsStandForTheAlbum)
{
    struct Case
    {
        const char* artist;
        const char* album;
        const char* expected;
    } const cases[] = {
        {"Miles Davis", "Kind of Blue", "MD"},
        {"The Copper Owls", "Silver River", "CO"}, // "The" left out
        {"the Band", "Stage", "BS"},
        {"The", "Album", "TA"},             // a band called The
        {"Björk", "Homogenic", "BH"},       // one word: then the album
        {"ébène quartet", "", "éQ"},        // a letter beyond ASCII keeps its case
        {"", "  (What's the Story)", "WT"}, // punctuation before a word is passed over
        {"AC/DC", "", "AD"},
        {"", "", "?"},
        {"!!!", "...", "?"},
        {"10cc", "", "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(coverInitials(c.artist, c.album), c.expected) << c.artist << " / " << c.album;
}

} // namespace
} // namespace discora
