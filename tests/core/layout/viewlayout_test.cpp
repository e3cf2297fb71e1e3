// The block layouts' lines, the vertical arithmetic every layout shares, scrolling and colors.
#include "core/layout/normallayout.h"
#include "core/layout/viewlayout.h"
#include "core/layout/viewscroll.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "support/orderfixture.h"

#include <gtest/gtest.h>

#include <numeric>

namespace discora {
namespace {

using ordertest::albumWith;
using ordertest::documentOf;

NormalSwitches allOn()
{
    return {true, true, true, true, true, true, true, true, true};
}

std::vector<std::string> labelsOf(const BlockLine& line)
{
    std::vector<std::string> out;
    for (const BlockLabel& l : line.labels)
        out.push_back(l.text + "@" + std::to_string(l.x));
    return out;
}

TEST(NormalLayout, LinesPerAlbumFollowTheDisplaySwitches)
{
    struct Case
    {
        const char* name;
        NormalSwitches switches;
        int lines;
    };
    NormalSwitches labelOnly;
    labelOnly.label = true;
    NormalSwitches labelAndCatalog = labelOnly;
    labelAndCatalog.catalogNumber = true;
    NormalSwitches songs;
    songs.songs = true;
    NormalSwitches notesAndPerformers;
    notesAndPerformers.notes = true;
    notesAndPerformers.performers = true;
    const Case cases[] = {
        {"every switch off", NormalSwitches{}, 5},
        {"label alone", labelOnly, 7},
        {"label and catalogue number share a section", labelAndCatalog, 7},
        {"songs", songs, 19},
        {"notes and performers", notesAndPerformers, 21},
        {"all on", allOn(), 45},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(normalLinesPerRecord(c.switches), c.lines) << c.name;
        EXPECT_EQ(normalBlock(c.switches, normalPositions(96, 12), "A", "B").linesPerRecord, c.lines)
            << c.name;
    }
}

TEST(NormalLayout, EveryCombinationOfSwitchesStacksItsLinesWithoutGaps)
{
    const NormalPositions p = normalPositions(96, 12);
    for (int bits = 0; bits < 512; ++bits) {
        const auto on = [&](int i) { return (bits >> i & 1) != 0; };
        const NormalSwitches s{on(0), on(1), on(2), on(3), on(4), on(5), on(6), on(7), on(8)};
        const BlockPlan plan = normalBlock(s, p, "c1", "c2");
        int top = 0;
        for (const BlockLine& line : plan.lines) {
            ASSERT_EQ(line.top, top) << bits;
            top += line.lines;
        }
        EXPECT_EQ(top, normalLinesPerRecord(s)) << bits;
        EXPECT_EQ(plan.lines.back().rule, BlockRule::Thick);
        EXPECT_EQ(plan.lines.back().top, top - 1);
    }
}

TEST(NormalLayout, PositionsAreHundredthsOfAnInchAtTheScreenResolution)
{
    const NormalPositions p = normalPositions(120, 15);
    EXPECT_EQ(p.x0, 10);
    EXPECT_EQ(p.xSong, 38); // 120 * 32 / 100, rounded down
    EXPECT_EQ(p.xMid, 432);
    EXPECT_EQ(p.xTrack2, 493);
    EXPECT_EQ(p.xSong2, 519);
    EXPECT_EQ(p.xNum, 699);
    EXPECT_EQ(p.xTime2, 931);
    EXPECT_EQ(p.contentWidth, 699 + 30 * 15);
}

TEST(NormalLayout, CatalogueNumberTakesTheLeftColumnWhenLabelsAreOff)
{
    const NormalPositions p = normalPositions(96, 12);
    NormalSwitches s;
    s.catalogNumber = true;
    BlockPlan plan = normalBlock(s, p, "", "");
    ASSERT_EQ(plan.lines.size(), 7u);
    EXPECT_EQ(labelsOf(plan.lines[4]), (std::vector<std::string>{"Catalog Number@10"}));
    EXPECT_EQ(plan.lines[5].cells,
              (std::vector<BlockCell>{{CellSource::AlbumField, Field::CatalogNumber, 10, 341}}));

    s.label = true;
    plan = normalBlock(s, p, "", "");
    ASSERT_EQ(plan.lines.size(), 7u);
    EXPECT_EQ(labelsOf(plan.lines[4]), (std::vector<std::string>{"Label@10", "Catalog Number@345"}));
    EXPECT_EQ(plan.lines[5].cells,
              (std::vector<BlockCell>{{CellSource::AlbumField, Field::Label, 10, 341},
                                      {CellSource::AlbumField, Field::CatalogNumber, 345, p.contentWidth}}));
}

TEST(NormalLayout, SongsReadLeftToRightThenDown)
{
    NormalSwitches s;
    s.songs = true;
    const NormalPositions p = normalPositions(96, 12);
    const BlockPlan plan = normalBlock(s, p, "", "");
    // heading, values, heading, values, songs heading, 13 song lines, empty line
    ASSERT_EQ(plan.lines.size(), 19u);
    const BlockLine& first = plan.lines[5];
    ASSERT_EQ(first.cells.size(), 6u);
    EXPECT_EQ(first.cells[0].field, trackField(1));
    EXPECT_EQ(first.cells[1].field, titleField(1));
    EXPECT_EQ(first.cells[4].field, titleField(2));
    EXPECT_EQ(first.cells[4].left, p.xSong2);
    EXPECT_EQ(first.cells[4].right, p.xTime2 - 4);
    EXPECT_EQ(first.cells[5].right, p.contentWidth);
    const BlockLine& last = plan.lines[17];
    EXPECT_EQ(last.cells[1].field, titleField(25));
    EXPECT_EQ(last.cells[4].field, titleField(26));
    EXPECT_EQ(first.separators,
              (std::vector<int>{0, p.xSong - 2, p.xMid - 2, p.xTrack2 - 2, p.xSong2 - 2, p.xTime2 - 2}));
}

TEST(NormalLayout, GridSeparatorsFollowTheSections)
{
    NormalSwitches s = allOn();
    const NormalPositions p = normalPositions(96, 12);
    const BlockPlan plan = normalBlock(s, p, "First", "Second");
    const std::vector<int> mid = {p.xMid - 2};
    EXPECT_EQ(plan.lines[2].separators, (std::vector<int>{p.xMid - 2, p.xNum - 2}));
    EXPECT_TRUE(plan.lines[4].separators.empty()); // producers heading
    EXPECT_EQ(plan.lines[5].separators, mid);      // producers values
    EXPECT_EQ(labelsOf(plan.lines[8]), (std::vector<std::string>{"First@10"}));
    EXPECT_TRUE(plan.lines[9].separators.empty()); // custom 1
    EXPECT_EQ(labelsOf(plan.lines[10]), (std::vector<std::string>{"Second@10"}));
    EXPECT_TRUE(plan.lines[13].separators.empty()); // quality
    // The notes cell: four lines high, one box, no separators.
    const auto notes = std::find_if(plan.lines.begin(), plan.lines.end(), [](const BlockLine& l) {
        return !l.cells.empty() && l.cells[0].field == Field::Notes;
    });
    ASSERT_NE(notes, plan.lines.end());
    EXPECT_EQ(notes->lines, kNotesLines);
    EXPECT_TRUE(notes->boxed);
    EXPECT_EQ(notes->cells[0].right, p.contentWidth);
    // The performers follow the notes.
    const BlockLine& performers = *(notes + 1);
    EXPECT_EQ(labelsOf(performers), (std::vector<std::string>{"Performers@10", "Instrument/Vocals@345"}));
    EXPECT_EQ((notes + 11)->cells[0].field, performerField(10));
}

TEST(SongDetailLayout, SevenLinesWithTheSongTitleFirst)
{
    const BlockPlan plan = songDetailBlock(96, 10);
    EXPECT_EQ(plan.linesPerRecord, 7);
    EXPECT_EQ(plan.contentWidth, 345 + 500);
    EXPECT_EQ(labelsOf(plan.lines[0]), (std::vector<std::string>{"Song Title@10", "Group/Artist@345"}));
    EXPECT_EQ(plan.lines[1].cells[0].source, CellSource::SongTitle);
    EXPECT_EQ(plan.lines[1].cells[1].field, Field::Artist);
    EXPECT_EQ(plan.lines[5].cells[1].field, Field::Number);
    EXPECT_EQ(plan.lines[6].rule, BlockRule::Thick);
}

TEST(ViewLayout, EachOrderAndStyleHasItsLayout)
{
    EXPECT_EQ(layoutKindOf(SortOrder::ByLabel, ViewStyle::Normal), LayoutKind::Normal);
    EXPECT_EQ(layoutKindOf(SortOrder::ByLabel, ViewStyle::SingleLineSorts), LayoutKind::SingleLine);
    EXPECT_EQ(layoutKindOf(SortOrder::BySong, ViewStyle::SingleLineSorts), LayoutKind::SongList);
    EXPECT_EQ(layoutKindOf(SortOrder::BySongDetail, ViewStyle::Normal), LayoutKind::SongDetail);
    EXPECT_EQ(layoutKindOf(SortOrder::ByPerformer, ViewStyle::Normal), LayoutKind::PerformerList);
    EXPECT_EQ(linesPerRecord(LayoutKind::SongDetail, ViewOptions{}), 7);
    EXPECT_EQ(linesPerRecord(LayoutKind::SingleLine, ViewOptions{}), 1);
}

TEST(ViewLayout, SongEntriesWhoseTrackReadsZeroCannotBePlayed)
{
    AlbumRecord a = albumWith({{Field::Artist, "A"}});
    a.songs[0] = {"One", "1:00", "1"};
    a.songs[1] = {"Two", "1:00", "0"};
    a.songs[2] = {"Three", "1:00", ""};
    a.songs[3] = {"Four", "1:00", " 04x"};
    auto doc = documentOf({a, albumWith({{Field::Artist, "B"}})});
    doc->runOrder(SortOrder::BySong);
    ASSERT_EQ(orderEntryCount(*doc), 4);
    std::map<std::string, bool> playable;
    for (int i = 0; i < 4; ++i)
        playable[std::string(songTitle(*doc, static_cast<std::size_t>(i)))] = entryIsPlayable(*doc, i);
    EXPECT_EQ(playable,
              (std::map<std::string, bool>{{"Four", true}, {"One", true}, {"Three", false}, {"Two", false}}));

    doc->runOrder(SortOrder::ByAlbumName);
    EXPECT_TRUE(entryIsPlayable(*doc, 0));
}

TEST(ViewLayout, ReadNumberReadsLikeTheCLibrary)
{
    EXPECT_EQ(readNumber(""), 0);
    EXPECT_EQ(readNumber("0"), 0);
    EXPECT_EQ(readNumber("  12b"), 12);
    EXPECT_EQ(readNumber("-3"), -3);
    EXPECT_EQ(readNumber("x1"), 0);
    EXPECT_EQ(readNumber("99999999999"), 0x7FFFFFFF);
}

ViewMetrics metrics(int clientHeight, int scrollY)
{
    ViewMetrics m;
    m.lineHeight = 16;
    m.clientWidth = 800;
    m.clientHeight = clientHeight;
    m.scrollY = scrollY;
    return m;
}

TEST(ViewLayout, TheNormalLayoutPaintsTheAlbumsInTheWindowAndOneMore)
{
    // 5 lines of 16 pixels per album; 100 pixels scrolled: album 1, 20 pixels above the top.
    PaintRange r = paintRange(LayoutKind::Normal, metrics(400, 100), 5, 1000);
    EXPECT_EQ(r.first, 1);
    EXPECT_EQ(r.offset, 20);
    EXPECT_EQ(r.last, 1 + 25 / 5 + 1);
    r = paintRange(LayoutKind::Normal, metrics(400, 100), 5, 4);
    EXPECT_EQ(r.last, 3);
    r = paintRange(LayoutKind::Normal, metrics(400, 0), 5, 0);
    EXPECT_LT(r.last, r.first);
}

TEST(ViewLayout, AColumnListPaintsWholeRowsBelowItsHeading)
{
    // 400 pixels: a heading row and 24 whole rows (384 pixels), none partly.
    const PaintRange r = paintRange(LayoutKind::SongList, metrics(400, 160), 1, 1000);
    EXPECT_EQ(r.first, 10);
    EXPECT_EQ(r.offset, 0);
    EXPECT_EQ(r.last, 10 + 23);
}

TEST(ViewLayout, HitTestCountsTheHeadingRowOfTheLists)
{
    struct Case
    {
        int y, scrollY, lines, position;
    };
    const Case cases[] = {
        {0, 0, 5, 0},  {79, 0, 5, 0}, {80, 0, 5, 1},  {10, 80, 5, 1}, {15, 0, 1, -1},
        {16, 0, 1, 0}, {31, 0, 1, 0}, {32, 16, 1, 2}, {0, 0, 45, 0},  {719, 720, 45, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hitTest(c.y, metrics(400, c.scrollY), c.lines), c.position)
            << "y " << c.y << " scroll " << c.scrollY << " lines " << c.lines;
}

TEST(ViewLayout, TheListPageLeavesOutTheHeadingRowAndPartLines)
{
    const ScrollGeometry g = layoutScrollGeometry(LayoutKind::ProducerList, metrics(410, 0), 1, 100, 900);
    EXPECT_EQ(g.pageHeight, 384);
    EXPECT_EQ(g.contentHeight, 1600);
    EXPECT_EQ(g.contentWidth, 900);
    const ScrollGeometry n = layoutScrollGeometry(LayoutKind::Normal, metrics(410, 0), 45, 100, 900);
    EXPECT_EQ(n.pageHeight, 410);
    EXPECT_EQ(n.contentHeight, 45 * 100 * 16);
}

TEST(ViewScroll, ContentThatFitsHasNoScrollBarAndNoOffset)
{
    FittedScroll f = fitScroll({500, 300, 800, 400}, 40, 30);
    EXPECT_EQ(f.geometry, (ScrollGeometry{0, 0, 0, 0}));
    EXPECT_EQ(f.scrollX, 0);
    EXPECT_EQ(f.scrollY, 0);

    // A position beyond the end, left by a shrinking catalogue, is brought back.
    f = fitScroll({1000, 5000, 800, 400}, 500, 9000);
    EXPECT_EQ(f.geometry, (ScrollGeometry{1000, 5000, 800, 400}));
    EXPECT_EQ(f.scrollX, 200);
    EXPECT_EQ(f.scrollY, 4600);
}

TEST(ViewScroll, VerticalRequests)
{
    struct Case
    {
        const char* name;
        ScrollRequest request;
        int current, requested, expected;
    };
    // line 16, page 400, maximum 1000
    const Case cases[] = {
        {"line down", ScrollRequest::LineForward, 0, 0, 16},
        {"line down at the end", ScrollRequest::LineForward, 1000, 0, 1000},
        {"line down near the end stops at it", ScrollRequest::LineForward, 990, 0, 1000},
        {"line up at the top", ScrollRequest::LineBack, 0, 0, 0},
        {"line up near the top", ScrollRequest::LineBack, 10, 0, 0},
        {"page down", ScrollRequest::PageForward, 100, 0, 500},
        {"page down near the end", ScrollRequest::PageForward, 800, 0, 1000},
        {"page up", ScrollRequest::PageBack, 300, 0, 0},
        {"thumb released below snaps to lines", ScrollRequest::ThumbPosition, 32, 100, 96},
        {"thumb released above snaps towards the current position", ScrollRequest::ThumbPosition, 160, 100,
         112},
        {"thumb released past the end", ScrollRequest::ThumbPosition, 0, 5000, 1000},
        {"tracking does nothing", ScrollRequest::ThumbTrack, 48, 300, 48},
        {"top", ScrollRequest::ToStart, 500, 0, 0},
        {"bottom", ScrollRequest::ToEnd, 0, 0, 1000},
        {"end of scroll", ScrollRequest::EndScroll, 64, 0, 64},
    };
    for (const Case& c : cases)
        EXPECT_EQ(verticalScroll(c.request, c.current, c.requested, 16, 400, 1000), c.expected) << c.name;
}

TEST(ViewScroll, HorizontalRequests)
{
    // char width 7, page 600, maximum 500
    EXPECT_EQ(horizontalScroll(ScrollRequest::LineForward, 0, 0, 7, 600, 500), 7);
    EXPECT_EQ(horizontalScroll(ScrollRequest::LineBack, 3, 0, 7, 600, 500), 0);
    EXPECT_EQ(horizontalScroll(ScrollRequest::PageForward, 0, 0, 7, 600, 500), 500);
    EXPECT_EQ(horizontalScroll(ScrollRequest::ThumbTrack, 0, 123, 7, 600, 500), 123);
    EXPECT_EQ(horizontalScroll(ScrollRequest::ThumbPosition, 0, 321, 7, 600, 500), 321);
    EXPECT_EQ(horizontalScroll(ScrollRequest::ToStart, 300, 0, 7, 600, 500), 0);
    EXPECT_EQ(horizontalScroll(ScrollRequest::ToEnd, 300, 0, 7, 600, 500), 300);
}

TEST(ViewColors, UnsetOrOutOfRangeColorsFallBackToTheInitialOnes)
{
    DisplayColors c;
    c.headingText = -1;
    c.dataText = 0x1000000;
    c.highlightBackground = 0x0000FF; // red
    const DisplayColors e = drawableColors(c);
    EXPECT_EQ(e.headingText, 0xFF0000);
    EXPECT_EQ(e.dataText, 0);
    EXPECT_EQ(e.highlightBackground, 0x0000FF);
}

} // namespace
} // namespace discora
