// Selecting entries with plain, Ctrl and Shift clicks, and the play list that the clicks build.
#include "core/layout/viewselection.h"

#include <gtest/gtest.h>

#include <set>

namespace discora {
namespace {

const ClickModifiers kPlain{};
const ClickModifiers kCtrl{false, true};
const ClickModifiers kShift{true, false};

bool everything(int)
{
    return true;
}

std::vector<int> selected(const ViewSelection& s)
{
    return s.positions();
}

class ViewSelectionTest : public ::testing::Test
{
protected:
    ViewSelectionTest() { m_s.clear(40); }
    void click(int position, ClickModifiers m = kPlain) { m_s.click(position, m, everything); }
    ViewSelection m_s;
};

TEST_F(ViewSelectionTest, APlainClickSelectsOneEntryThatPlayPlays)
{
    click(5);
    click(7);
    EXPECT_EQ(selected(m_s), (std::vector<int>{7}));
    EXPECT_TRUE(m_s.anySelected());
    EXPECT_EQ(m_s.playOrder(), (std::vector<int>{7}));
    EXPECT_EQ(m_s.playInsertPos(), 1);
    // A Ctrl+click after it adds behind it instead of replacing it.
    click(2, kCtrl);
    EXPECT_EQ(m_s.playOrder(), (std::vector<int>{7, 2}));
    EXPECT_EQ(selected(m_s), (std::vector<int>{2, 7}));
}

TEST_F(ViewSelectionTest, ClickingASelectedEntryClearsEverythingEvenWithCtrl)
{
    click(3);
    click(9, kCtrl);
    click(3, kCtrl);
    EXPECT_TRUE(selected(m_s).empty());
    EXPECT_FALSE(m_s.anySelected());
    EXPECT_TRUE(m_s.playOrder().empty());
    EXPECT_EQ(m_s.playInsertPos(), 0);
}

TEST_F(ViewSelectionTest, ShiftBelowTheSelectionSelectsDownFromTheLastSelected)
{
    click(4);
    click(6, kCtrl);
    click(10, kShift);
    EXPECT_EQ(selected(m_s), (std::vector<int>{4, 6, 7, 8, 9, 10}));
    // The walk starts by overwriting the entry stored last (6) with itself.
    EXPECT_EQ(m_s.playOrder(), (std::vector<int>{4, 6, 7, 8, 9, 10}));
    EXPECT_EQ(m_s.playInsertPos(), 6);
}

TEST_F(ViewSelectionTest, ShiftAboveTheSelectionSelectsUpFromTheFirstSelected)
{
    click(20);
    click(22, kCtrl);
    click(17, kShift);
    EXPECT_EQ(selected(m_s), (std::vector<int>{17, 18, 19, 20, 22}));
    EXPECT_EQ(m_s.playOrder(), (std::vector<int>{20, 20, 19, 18, 17}));
}

TEST_F(ViewSelectionTest, ShiftBetweenTheFirstAndLastAddsOnlyTheClickedEntry)
{
    click(5);
    click(15, kCtrl);
    click(9, kShift);
    EXPECT_EQ(selected(m_s), (std::vector<int>{5, 9, 15}));
    EXPECT_EQ(m_s.playOrder(), (std::vector<int>{5, 15})); // Shift alone adds nothing to play
}

TEST_F(ViewSelectionTest, ShiftWithNothingSelectedSelectsJustTheEntry)
{
    click(8, kShift);
    EXPECT_EQ(selected(m_s), (std::vector<int>{8}));
    EXPECT_TRUE(m_s.playOrder().empty());
}

TEST_F(ViewSelectionTest, TheTwentySeventhSelectionIsMarkedButNotPlayed)
{
    click(0);
    for (int i = 1; i < 27; ++i)
        click(i, kCtrl);
    EXPECT_EQ(selected(m_s).size(), 27u);
    ASSERT_EQ(m_s.playOrder().size(), 26u);
    EXPECT_EQ(m_s.playOrder().back(), 25);
    EXPECT_EQ(std::set<int>(m_s.playOrder().begin(), m_s.playOrder().end()).count(26), 0u);
    // A Shift range beyond it is selected too and still not played.
    click(30, kShift);
    EXPECT_TRUE(m_s.isSelected(29));
    EXPECT_EQ(m_s.playOrder().size(), 26u);
}

TEST_F(ViewSelectionTest, UnplayableSongsAreRememberedApartFromThePlayList)
{
    const auto trackNotZero = [](int position) { return position != 0 && position != 3 && position != 7; };
    EXPECT_FALSE(m_s.lastUnplayable().has_value());
    m_s.click(2, kPlain, trackNotZero);
    m_s.click(3, kCtrl, trackNotZero);
    EXPECT_TRUE(m_s.isSelected(3));
    EXPECT_EQ(m_s.playOrder(), (std::vector<int>{2}));
    EXPECT_EQ(m_s.lastUnplayable(), 3);
    // Entry 0 is a real entry, told apart from "none".
    m_s.click(0, kCtrl, trackNotZero);
    EXPECT_EQ(m_s.lastUnplayable(), 0);
    // A Shift range skips the unplayable entries it crosses.
    m_s.click(5, kCtrl, trackNotZero);
    m_s.click(8, kShift, trackNotZero);
    EXPECT_EQ(selected(m_s), (std::vector<int>{0, 2, 3, 5, 6, 7, 8}));
    EXPECT_EQ(m_s.playOrder(), (std::vector<int>{2, 5, 6, 8}));
    EXPECT_EQ(m_s.lastUnplayable(), 7);
    m_s.clear(40);
    EXPECT_FALSE(m_s.lastUnplayable().has_value());
}

TEST_F(ViewSelectionTest, SelectAllTogglesAndDoubleClickSelectsOne)
{
    click(4);
    m_s.toggleAll();
    EXPECT_TRUE(selected(m_s).empty());
    m_s.toggleAll();
    EXPECT_EQ(m_s.selectedCount(), 40);
    EXPECT_TRUE(m_s.anySelected());
    m_s.toggleAll();
    EXPECT_EQ(m_s.selectedCount(), 0);

    m_s.selectOnly(12);
    EXPECT_EQ(selected(m_s), (std::vector<int>{12}));
    EXPECT_TRUE(m_s.anySelected());

    m_s.markFound(30);
    EXPECT_EQ(selected(m_s), (std::vector<int>{30}));
    EXPECT_FALSE(m_s.anySelected());
}

TEST_F(ViewSelectionTest, FlagsGrowWithTheOrderAndClicksOutsideAreIgnored)
{
    click(39);
    m_s.cover(40);
    EXPECT_TRUE(m_s.isSelected(39));
    m_s.cover(50);
    EXPECT_EQ(m_s.size(), 50);
    EXPECT_FALSE(m_s.anySelected());
    click(50);
    click(-1);
    EXPECT_FALSE(m_s.anySelected());
}

} // namespace
} // namespace discora
