// The layouts on paper: the block positions in hundredths of an inch at the printer's resolution,
// the wider gaps before each column, and the column lists moved to the printed margin.
#include "core/layout/listlayout.h"
#include "core/layout/normallayout.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

constexpr int kDpi = 600;
constexpr int kWidth = 4800;    // the usable width: eight inches less 5 pixels, rounded for the test
constexpr int kTimeWidth = 210; // "00:00" at 10 points

TEST(PrintedLayout, AlbumBlocksKeepSixteenPixelsBeforeEachColumn)
{
    const NormalPositions p = printedNormalPositions(kDpi, kWidth, kTimeWidth);
    EXPECT_EQ((std::vector<int>{p.x0, p.xSong, p.xMid, p.xTrack2, p.xSong2, p.xNum, p.xTime2}),
              (std::vector<int>{10, 156, 2070, 2346, 2490, 3918, 4494}));
    EXPECT_EQ(p.contentWidth, kWidth);
    EXPECT_EQ(p.cellEnd, kWidth - 16);

    const NormalSwitches all{true, true, true, true, true, true, true, true, true};
    const BlockPlan plan = normalBlock(all, p, "C1", "C2", BlockMedium::Paper);
    EXPECT_EQ(plan.contentWidth, kWidth);
    EXPECT_EQ(plan.lines[1].cells,
              (std::vector<BlockCell>{{CellSource::AlbumField, Field::Artist, 10, 2054},
                                      {CellSource::AlbumField, Field::AlbumName, 2070, 4784}}));
    EXPECT_EQ(plan.lines[3].cells[1], (BlockCell{CellSource::AlbumField, Field::MediaType, 2070, 3902}));
    EXPECT_EQ(plan.lines[3].separators, (std::vector<int>{2066, 3914}));
    const auto songs = std::find_if(plan.lines.begin(), plan.lines.end(), [](const BlockLine& l) {
        return !l.cells.empty() && l.cells[0].field == trackField(1);
    });
    ASSERT_NE(songs, plan.lines.end());
    EXPECT_EQ(songs->separators, (std::vector<int>{0, 152, 2066, 2342, 2486, 4490}));
    EXPECT_EQ(songs->cells[5].right, kWidth - 16);
    EXPECT_EQ(plan.lines.back().rule, BlockRule::Thin);
    EXPECT_EQ(plan.linesPerRecord, 45);
}

// Narrower paper draws the block in proportion, and the time columns never get less than a time.
TEST(PrintedLayout, NarrowPaperKeepsRoomForTheTimes)
{
    struct Case
    {
        const char* paper;
        int width; // usable width at 600 dpi: the paper less half an inch of margins, less 5 pixels
    };
    for (const Case c : {Case{"A4", 4657}, Case{"A5", 3193}, Case{"A6", 2179}}) {
        const NormalPositions p = printedNormalPositions(kDpi, c.width, kTimeWidth);
        EXPECT_LT(p.xMid, c.width / 2) << c.paper;
        EXPECT_GE(p.xTrack2 - kPaperCellGap - p.xMid, kTimeWidth) << c.paper;
        EXPECT_GE(p.cellEnd - p.xTime2, kTimeWidth) << c.paper;
        EXPECT_LT(p.xSong, p.xMid) << c.paper;
        EXPECT_LT(p.xTrack2, p.xSong2) << c.paper;
        EXPECT_LE(p.xSong2, p.xTime2) << c.paper;
        EXPECT_LT(p.xNum, c.width) << c.paper;
    }
    // A4 is all in proportion: nothing needed moving.
    const NormalPositions a4 = printedNormalPositions(kDpi, 4657, kTimeWidth);
    EXPECT_EQ(a4.xMid, 2070 * 4657 / 4795);
}

TEST(PrintedLayout, SongDetailBlocksStartAtTheMargin)
{
    const BlockPlan plan = printedSongDetailBlock(kDpi, kWidth);
    EXPECT_EQ(plan.linesPerRecord, 7);
    EXPECT_EQ(plan.lines[0].labels[0].x, 228);
    EXPECT_EQ(plan.lines[0].labels[1].x, 2070);
    EXPECT_EQ(plan.lines[1].cells[0].right, 2054);
    EXPECT_EQ(plan.lines[1].cells[1].right, kWidth - 16);
    EXPECT_EQ(plan.lines[1].separators, (std::vector<int>{2066}));
    EXPECT_EQ(plan.lines.back().rule, BlockRule::Thin);
}

TEST(PrintedLayout, ColumnListsConvertScreenEdgesToTheMargin)
{
    struct Case
    {
        const char* name;
        LayoutKind kind;
        ColumnLayout layout;
        std::vector<int> lefts;
        std::vector<int> cellRights;
        int bandLeft;
        int separatorGap;
    };
    // Edges at two and four inches on a 96 dpi screen.
    const ColumnLayout albums{{6, 1, 2, 0, 0, 0}, {192, 384, 0, 0, 0}};
    const ColumnLayout songs{{1, 0, 0, 0, 0}, {192, 384, 0, 0, 0}};
    const ColumnLayout producers{{1, 2, 0, 0, 0}, {192, 384, 0, 0, 0}};
    const Case cases[] = {
        {"single line", LayoutKind::SingleLine, albums, {228, 1428, 2628}, {1412, 2612, kWidth - 16}, 220, 8},
        {"songs", LayoutKind::SongList, songs, {228, 1428, 2628}, {1412, 2612, kWidth}, 224, 4},
        {"producers", LayoutKind::ProducerList, producers, {228, 1428, 2628}, {1424, 2624, kWidth}, 224, 4},
    };
    for (const Case& c : cases) {
        const ListGeometry g = printedListGeometry(c.kind, c.layout, 96, kDpi, kWidth);
        std::vector<int> lefts;
        std::vector<int> rights;
        for (const ListColumn& column : g.columns) {
            lefts.push_back(column.left);
            rights.push_back(column.cellRight);
        }
        EXPECT_EQ(lefts, c.lefts) << c.name;
        EXPECT_EQ(rights, c.cellRights) << c.name;
        EXPECT_EQ(g.bandLeft, c.bandLeft) << c.name;
        EXPECT_EQ(g.separatorGap, c.separatorGap) << c.name;
        EXPECT_EQ(g.paintWidth, kWidth) << c.name;
    }
}

} // namespace
} // namespace discora
