#include "core/layout/viewfonts.h"
#include "core/settings/appsettings.h"

#include <gtest/gtest.h>

#include <tuple>

namespace discora {
namespace {

// size in tenths, screen and printer dots per inch, screen height, print height
class ViewFontHeights : public ::testing::TestWithParam<std::tuple<int, int, int, int, int>>
{
};

TEST_P(ViewFontHeights, SamePointSizeOnScreenAndPaperEachStepTruncated)
{
    const auto [size, dpi, printDpi, screen, print] = GetParam();
    const ViewFonts fonts = makeViewFonts(ScreenFont{"Face", size, 600, true, true}, dpi, printDpi);
    EXPECT_EQ(fonts.screen, (LogicalFont{"Face", screen, 600, true}));
    EXPECT_EQ(fonts.print, (LogicalFont{"Face", print, 600, true}));
    EXPECT_EQ(fonts.printBold, (LogicalFont{"Face", print, 700, true}));
}

INSTANTIATE_TEST_SUITE_P(ViewFonts, ViewFontHeights,
                         ::testing::Values(std::tuple{80, 96, 600, -10, -66},     // the default font
                                           std::tuple{85, 96, 300, -10, -33},     // tenths are dropped first
                                           std::tuple{100, 96, 600, -13, -83},    // -13.3 and -83.3
                                           std::tuple{120, 120, 1200, -20, -200}, // a 120 dpi screen
                                           std::tuple{80, 72, 72, -8,
                                                      -8})); // a printer as fine as the screen

// chosen size in tenths, weight; stored size and "Bold"
class FontChoice : public ::testing::TestWithParam<std::tuple<int, int, int, int>>
{
};

TEST_P(FontChoice, BoldOnlyAtWeight700AndSizesWithinTheChoosersRange)
{
    const auto [tenths, weight, size, bold] = GetParam();
    MemorySettingsStore store;
    AppSettings settings(store);
    settings.applyFont(screenFontFromChoice("DejaVu Sans", tenths, weight, false), nullptr);
    EXPECT_EQ(store.readInt(kUserData, "Font Weight"), weight);
    EXPECT_EQ(store.readInt(kUserData, "Bold"), bold);
    EXPECT_EQ(store.readInt(kUserData, "Font Size"), size);
}

INSTANTIATE_TEST_SUITE_P(ViewFonts, FontChoice,
                         ::testing::Values(std::tuple{100, 700, 100, 1}, std::tuple{100, 600, 100, 0},
                                           std::tuple{100, 800, 100, 0}, std::tuple{140, 400, 120, 0},
                                           std::tuple{15, 400, 20, 0}));

} // namespace
} // namespace discora
