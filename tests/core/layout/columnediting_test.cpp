// Column lists: the columns a ColumnLayout puts on screen, and the user's add, remove and drag edits.
#include "core/layout/columnediting.h"
#include "core/layout/listlayout.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

ViewMetrics metricsAt(int dpi, int clientWidth, int scrollX = 0)
{
    ViewMetrics m;
    m.dpi = dpi;
    m.clientWidth = clientWidth;
    m.clientHeight = 400;
    m.scrollX = scrollX;
    return m;
}

ColumnLayout layoutOf(std::vector<int> fields, std::array<int, kLeftEdgeCount> edges)
{
    return {std::move(fields), edges};
}

std::vector<int> lefts(const ListGeometry& g)
{
    std::vector<int> out;
    for (const ListColumn& c : g.columns)
        out.push_back(c.left);
    return out;
}

TEST(ListLayout, TheSingleLineDefaultShowsItsThreeColumns)
{
    ColumnLayout layout = defaultColumnLayouts(96)[static_cast<int>(LayoutId::ByArtist)];
    const ListGeometry g = listGeometry(LayoutKind::SingleLine, layout, metricsAt(96, 1000));
    EXPECT_EQ(g.columnCount, 3);
    EXPECT_EQ(lefts(g), (std::vector<int>{10, 192, 336}));
    ASSERT_EQ(g.columns.size(), 3u);
    EXPECT_EQ(g.columns[0].buttonLeft, 0);
    EXPECT_EQ(g.columns[0].cellRight, 188);
    EXPECT_EQ(g.columns[0].buttonRight, 192);
    // The edges of the absent columns 4 to 6 still count towards nothing.
    EXPECT_EQ(g.contentWidth, 864);
    EXPECT_EQ(g.columns[2].cellRight, 864);
    EXPECT_EQ(g.columns[2].buttonRight, 1000);
    EXPECT_EQ(g.paintWidth, 1000);

    clearAbsentEdges(layout, LayoutKind::SingleLine);
    EXPECT_EQ(layout.leftEdges, (std::array<int, 5>{192, 336, 0, 0, 0}));
}

TEST(ListLayout, ContentWidthIsNeverBelowNineInches)
{
    struct Case
    {
        const char* name;
        int dpi;
        ColumnLayout layout;
        int contentWidth;
    };
    const Case cases[] = {
        {"narrow columns", 96, layoutOf({1, 2, 0, 0, 0, 0}, {100, 0, 0, 0, 0}), 864},
        {"one column", 96, layoutOf({1, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}), 864},
        {"a far edge widens it", 96, layoutOf({1, 2, 9, 0, 0, 0}, {192, 900, 0, 0, 0}), 96 * 1100 / 100},
        {"at 120 dpi", 120, layoutOf({1, 2, 0, 0, 0, 0}, {240, 0, 0, 0, 0}), 1080},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listGeometry(LayoutKind::SingleLine, c.layout, metricsAt(c.dpi, 500)).contentWidth,
                  c.contentWidth)
            << c.name;
}

TEST(ListLayout, TheTrackColumnOfTheSongListDoesNotWidenTheContent)
{
    const ColumnLayout songs = layoutOf({0, 0, 0, 0, 0}, {1200, 0, 0, 0, 0});
    const ListGeometry g = listGeometry(LayoutKind::SongList, songs, metricsAt(96, 500));
    EXPECT_EQ(g.contentWidth, 864);
    ASSERT_EQ(g.columns.size(), 2u);
    EXPECT_EQ(g.columns[0].source, ColumnSource::SongTitle);
    EXPECT_EQ(g.columns[1].source, ColumnSource::TrackNumber);
    EXPECT_EQ(g.columnCount, 0);
}

TEST(ListLayout, ASingleColumnReachesTheRightEnd)
{
    const ListGeometry g = listGeometry(LayoutKind::SingleLine, layoutOf({6, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}),
                                        metricsAt(96, 1200));
    ASSERT_EQ(g.columns.size(), 1u);
    EXPECT_EQ(g.columns[0].cellRight, 864);
    EXPECT_EQ(g.columns[0].buttonRight, 1200);
    EXPECT_TRUE(g.grabZones.empty());
}

TEST(ListLayout, ListColumnsMapToSlotsAfterTheFixedColumns)
{
    // Producer list: column 1 fixed, slots 1 to 5 are columns 2 to 6.
    const ColumnLayout producers = layoutOf({1, 9, 0, 0, 0}, {192, 336, 480, 624, 768});
    const ListGeometry p = listGeometry(LayoutKind::ProducerList, producers, metricsAt(96, 800));
    ASSERT_EQ(p.columns.size(), 3u);
    EXPECT_EQ(p.columns[0].source, ColumnSource::ProducerName);
    EXPECT_EQ(p.columns[1].fieldId, 1);
    EXPECT_EQ(p.columns[2].fieldId, 9);
    EXPECT_EQ(p.columns[2].left, 336);

    // Artist short list: two fixed columns, slots 1 to 4 are columns 3 to 6.
    const ColumnLayout artists = defaultColumnLayouts(96)[static_cast<int>(LayoutId::ByArtistShort)];
    const ListGeometry a = listGeometry(LayoutKind::ArtistShortList, artists, metricsAt(96, 800));
    EXPECT_EQ(lefts(a), (std::vector<int>{10, 288, 316, 354, 546}));
    EXPECT_EQ(a.columns[2].fieldId, 9);
    EXPECT_EQ(a.columns[4].fieldId, 6);
}

TEST(ListLayout, GrabZonesSitOverTheScrolledEdges)
{
    const ColumnLayout layout = layoutOf({1, 2, 9, 0, 0, 0}, {192, 336, 0, 0, 0});
    const ListGeometry g = listGeometry(LayoutKind::SingleLine, layout, metricsAt(96, 600, 100));
    ASSERT_EQ(g.grabZones.size(), 2u);
    EXPECT_EQ(g.grabZones[0].edgeIndex, 0);
    EXPECT_EQ(g.grabZones[0].left, 88);
    EXPECT_EQ(g.grabZones[0].right, 96);
    EXPECT_TRUE(g.grabZones[1].contains(236));
    EXPECT_FALSE(g.grabZones[1].contains(241));
}

TEST(ListLayout, HeadingsAndFieldNames)
{
    ListColumn c;
    c.fieldId = 4;
    EXPECT_EQ(columnHeading(c, LayoutKind::SingleLine, "Box", "Shelf"), " Box");
    c.fieldId = 5;
    EXPECT_EQ(columnHeading(c, LayoutKind::SingleLine, "", ""), " Custom 2");
    c.fieldId = 9;
    EXPECT_EQ(columnHeading(c, LayoutKind::SingleLine, "", ""), " #");
    c.fieldId = 11;
    EXPECT_EQ(columnHeading(c, LayoutKind::SingleLine, "", ""), " Failed");
    c.source = ColumnSource::SongTitle;
    EXPECT_EQ(columnHeading(c, LayoutKind::ArtistShortList, "", ""), "Group/Artist/Song");
    EXPECT_EQ(columnHeading(c, LayoutKind::SongList, "", ""), "Song");
    c.source = ColumnSource::PerformerRole;
    EXPECT_EQ(columnHeading(c, LayoutKind::PerformerList, "", ""), "Performer/Instrument");
}

TEST(ColumnEditing, TheClickedColumnCountsPresentEdgesLeftOfTheClick)
{
    const ColumnLayout layout = layoutOf({1, 2, 9, 0, 0, 0}, {192, 336, 480, 624, 768});
    const ListGeometry g = listGeometry(LayoutKind::SingleLine, layout, metricsAt(96, 600));
    EXPECT_EQ(clickedColumnAt(g, 50), 1);
    EXPECT_EQ(clickedColumnAt(g, 192), 1);
    EXPECT_EQ(clickedColumnAt(g, 193), 2);
    EXPECT_EQ(clickedColumnAt(g, 400), 3);
    EXPECT_EQ(clickedColumnAt(g, 700), 3); // the absent columns' edges never count
}

TEST(ColumnEditing, FieldsMenuRules)
{
    struct Case
    {
        LayoutKind kind;
        int columnCount, clicked;
        bool add, remove;
    };
    const Case cases[] = {
        {LayoutKind::SingleLine, 3, 1, true, false},      {LayoutKind::SingleLine, 3, 2, true, true},
        {LayoutKind::SingleLine, 5, 5, true, true},       {LayoutKind::SingleLine, 6, 2, false, true},
        {LayoutKind::ProducerList, 4, 1, true, false},    {LayoutKind::ProducerList, 5, 2, false, true},
        {LayoutKind::PerformerList, 0, 2, true, false},   {LayoutKind::SongList, 3, 1, false, false},
        {LayoutKind::SongList, 3, 2, true, false},        {LayoutKind::SongList, 3, 3, true, true},
        {LayoutKind::ArtistShortList, 4, 3, false, true}, {LayoutKind::Normal, 3, 2, false, false},
        {LayoutKind::SongDetail, 1, 2, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(canAddColumn(c.kind, c.columnCount, c.clicked), c.add)
            << static_cast<int>(c.kind) << " " << c.columnCount << " " << c.clicked;
        EXPECT_EQ(canRemoveColumn(c.kind, c.columnCount, c.clicked), c.remove)
            << static_cast<int>(c.kind) << " " << c.columnCount << " " << c.clicked;
    }
}

TEST(ColumnEditing, AddingAfterColumnTwoLaysTheRestOutInThreeQuarterInchSteps)
{
    ColumnLayout layout = layoutOf({1, 2, 9, 0, 0, 0}, {192, 336, 480, 0, 0});
    ASSERT_TRUE(addColumn(layout, LayoutKind::SingleLine, 2, 6, 96));
    EXPECT_EQ(layout.fieldColumns, (std::vector<int>{1, 2, 6, 9, 0, 0}));
    EXPECT_EQ(layout.leftEdges, (std::array<int, 5>{192, 192 + 72, 192 + 144, 192 + 216, 192 + 288}));
}

TEST(ColumnEditing, AddingAfterTheFirstColumnStartsFromItsLeftEdge)
{
    ColumnLayout layout = layoutOf({1, 9, 0, 0, 0}, {192, 336, 0, 0, 0});
    ASSERT_TRUE(addColumn(layout, LayoutKind::ProducerList, 1, 3, 100));
    EXPECT_EQ(layout.fieldColumns, (std::vector<int>{3, 1, 9, 0, 0}));
    EXPECT_EQ(layout.leftEdges, (std::array<int, 5>{85, 160, 235, 310, 385}));

    // Song list: after " T#" the new column is the first field column.
    ColumnLayout songs = layoutOf({1, 9, 0, 0, 0}, {192, 336, 480, 0, 0});
    ASSERT_TRUE(addColumn(songs, LayoutKind::SongList, 2, 7, 96));
    EXPECT_EQ(songs.fieldColumns, (std::vector<int>{7, 1, 9, 0, 0}));
    EXPECT_EQ(songs.leftEdges, (std::array<int, 5>{192, 264, 336, 408, 480}));
}

TEST(ColumnEditing, OkWithNothingChosenAddsNothing)
{
    ColumnLayout layout = layoutOf({1, 2, 9, 0, 0, 0}, {192, 336, 0, 0, 0});
    const ColumnLayout before = layout;
    EXPECT_FALSE(addColumn(layout, LayoutKind::SingleLine, 2, 0, 96));
    EXPECT_FALSE(addColumn(layout, LayoutKind::SingleLine, 2, 11, 96));
    EXPECT_EQ(layout, before);
    // A full layout takes no more.
    ColumnLayout full = layoutOf({1, 2, 3, 4, 5, 6}, {100, 200, 300, 400, 500});
    EXPECT_FALSE(addColumn(full, LayoutKind::SingleLine, 2, 7, 96));
}

TEST(ColumnEditing, RemovingAColumnSlidesTheNextIntoItsPlace)
{
    ColumnLayout layout = layoutOf({1, 2, 9, 6, 3, 0}, {200, 350, 500, 650, 800});
    ASSERT_TRUE(removeColumn(layout, LayoutKind::SingleLine, 3));
    EXPECT_EQ(layout.fieldColumns, (std::vector<int>{1, 2, 6, 3, 0, 0}));
    // Column 3 (150 wide) is gone: columns 4 and 5 move left by 150, the absent sixth edge stays 0.
    EXPECT_EQ(layout.leftEdges, (std::array<int, 5>{200, 350, 500, 0, 0}));

    ColumnLayout uneven = layoutOf({1, 2, 9, 6, 3, 0}, {100, 130, 300, 420, 0});
    ASSERT_TRUE(removeColumn(uneven, LayoutKind::SingleLine, 3));
    EXPECT_EQ(uneven.fieldColumns, (std::vector<int>{1, 2, 6, 3, 0, 0}));
    EXPECT_EQ(uneven.leftEdges, (std::array<int, 5>{100, 130, 250, 0, 0}));
}

TEST(ColumnEditing, RemovingTheLastColumnLeavesTheOthersInPlace)
{
    ColumnLayout layout = layoutOf({1, 2, 9, 0, 0, 0}, {192, 336, 0, 0, 0});
    ASSERT_TRUE(removeColumn(layout, LayoutKind::SingleLine, 3));
    EXPECT_EQ(layout.fieldColumns, (std::vector<int>{1, 2, 0, 0, 0, 0}));
    EXPECT_EQ(layout.leftEdges, (std::array<int, 5>{192, 0, 0, 0, 0}));

    ColumnLayout songs = layoutOf({9, 3, 6, 0, 0}, {288, 316, 354, 546, 0});
    EXPECT_FALSE(removeColumn(songs, LayoutKind::ArtistShortList, 2)); // " T#" stays
    ASSERT_TRUE(removeColumn(songs, LayoutKind::ArtistShortList, 3));
    EXPECT_EQ(songs.fieldColumns, (std::vector<int>{3, 6, 0, 0, 0}));
    EXPECT_EQ(songs.leftEdges, (std::array<int, 5>{288, 316, 508, 0, 0}));
}

TEST(ColumnEditing, DragKeepsMoreThanThreePixelsFromTheNeighbours)
{
    const ColumnLayout layout = layoutOf({1, 2, 9, 0, 0, 0}, {192, 336, 0, 0, 0});
    struct Case
    {
        const char* name;
        int edge, x;
        std::optional<int> result;
    };
    const Case cases[] = {
        {"free move", 0, 250, 250},
        {"3 pixels right of the first column", 0, 13, std::nullopt},
        {"4 pixels right of the first column", 0, 14, 14},
        {"3 pixels left of the next edge", 0, 333, std::nullopt},
        {"4 pixels left of the next edge", 0, 332, 332},
        {"last edge within the window", 1, 700, 700},
        {"last edge at the window's end", 1, 797, std::nullopt},
        {"last edge just inside", 1, 796, 796},
        {"last edge 3 pixels right of the previous", 1, 195, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(draggedEdge(layout, LayoutKind::SingleLine, c.edge, c.x, 800, 0), c.result) << c.name;
    // Scrolled, the window's end is further right.
    EXPECT_EQ(draggedEdge(layout, LayoutKind::SingleLine, 1, 850, 800, 100), 850);
}

TEST(ColumnEditing, TheTrackColumnOfTheArtistListNeedsAColumnAfterIt)
{
    const ColumnLayout alone = layoutOf({0, 0, 0, 0, 0}, {288, 316, 0, 0, 0});
    EXPECT_EQ(draggedEdge(alone, LayoutKind::ArtistShortList, 0, 250, 800, 0), std::nullopt);
    EXPECT_EQ(draggedEdge(alone, LayoutKind::SongList, 0, 250, 800, 0), 250);
    const ColumnLayout withColumn = layoutOf({9, 0, 0, 0, 0}, {288, 316, 0, 0, 0});
    EXPECT_EQ(draggedEdge(withColumn, LayoutKind::ArtistShortList, 0, 250, 800, 0), 250);
}

} // namespace
} // namespace discora
