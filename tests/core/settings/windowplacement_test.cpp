#include "core/settings/windowplacement.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

TEST(WindowPlacement, RectanglesRoundTripThroughTheirText)
{
    const ScreenRect cases[] = {
        {10, 10, 500, 400}, {-4, -8, 1200, 900}, {-1280, 0, -10, 1024}, {12345, 2, 99999, 100000}};
    for (const ScreenRect& r : cases)
        EXPECT_EQ(parseRect(formatRect(r)), r) << formatRect(r);
    EXPECT_EQ(formatRect({10, 10, 500, 400}), "0010 0010 0500 0400");
    EXPECT_EQ(formatRect({-4, 0, 5, 6}), "-004 0000 0005 0006");
}

TEST(WindowPlacement, ShortOrBrokenTextReadsAsZeros)
{
    EXPECT_EQ(parseRect(""), (ScreenRect{10, 10, 500, 400}));
    EXPECT_EQ(parseRect("0100 0200"), (ScreenRect{100, 200, 0, 0}));
    EXPECT_EQ(parseRect("abc"), (ScreenRect{0, 0, 0, 0}));
}

TEST(WindowPlacement, StatesMapToIconAndMaximized)
{
    EXPECT_EQ(placementFromSettings("", 0, 0).state, ShowState::Normal);
    EXPECT_EQ(placementFromSettings("", 0, 1).state, ShowState::Maximized);
    EXPECT_EQ(placementFromSettings("", 1, 0).state, ShowState::Minimized);
    EXPECT_EQ(placementFromSettings("", 1, 1).state, ShowState::MinimizedFromMaximized);
    for (ShowState s :
         {ShowState::Normal, ShowState::Maximized, ShowState::Minimized, ShowState::MinimizedFromMaximized})
        EXPECT_EQ(placementFromSettings("", iconValue(s), maximizedValue(s)).state, s);
}

TEST(WindowPlacement, ARectangleOffEveryScreenComesBackOntoThePrimary)
{
    const ScreenRect primary{0, 0, 1920, 1080};
    const std::vector<ScreenRect> screens{primary, {1920, 0, 3840, 1080}};
    const ScreenRect onSecond{2000, 100, 2600, 700};
    EXPECT_EQ(keepOnScreen(onSecond, screens, primary), onSecond);
    const ScreenRect partly{-100, -50, 400, 300};
    EXPECT_EQ(keepOnScreen(partly, screens, primary), partly);
    const ScreenRect gone = keepOnScreen({5000, 3000, 5600, 3500}, screens, primary);
    EXPECT_EQ(gone.width(), 600);
    EXPECT_EQ(gone.height(), 500);
    EXPECT_GE(gone.left, primary.left);
    EXPECT_LE(gone.right, primary.right);
    EXPECT_GE(gone.top, primary.top);
    EXPECT_LE(gone.bottom, primary.bottom);
}

TEST(WindowPlacement, AWindowLargerThanEveryScreenIsMadeToFit)
{
    const ScreenRect primary{0, 0, 1920, 1080};
    const std::vector<ScreenRect> screens{primary};
    for (const ScreenRect stored :
         {placementFromSettings("0 0 1000000 1000000", 0, 0).normal,
          ScreenRect{-1000000, -1000000, 1000000, 1000000}, ScreenRect{500, 500, 400, 400}}) {
        const ScreenRect placed = keepOnScreen(stored, screens, primary);
        EXPECT_GT(placed.width(), 0);
        EXPECT_LE(placed.width(), primary.width());
        EXPECT_GT(placed.height(), 0);
        EXPECT_LE(placed.height(), primary.height());
    }
}

} // namespace
} // namespace discora
