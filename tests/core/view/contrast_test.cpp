// Text the screen draws stays readable when the desktop's palette turns dark.
#include "core/view/contrast.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

// Colours are stored red in the low byte: 0xFF0000 is blue.
constexpr ColorValue rgb(int r, int g, int b)
{
    return r | (g << 8) | (b << 16);
}

TEST(Contrast, RatiosOfKnownPairs)
{
    EXPECT_NEAR(contrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0xFFFFFF, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0x777777, 0x777777), 1.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0xFF0000, 0xFFFFFF), 8.59, 0.01); // blue on white
    EXPECT_NEAR(contrastRatio(0x0000FF, 0xFFFFFF), 4.00, 0.01); // red on white
}

TEST(Contrast, TheDefaultsOnALightDesktopAreDrawnAsTheyAre)
{
    DisplayColors light; // white window, grey face, black data, blue headings, white on black selection
    EXPECT_EQ(legibleOnScreen(light), light);
    light.buttonFace = rgb(0xEF, 0xEF, 0xEF); // a current light theme's button face
    EXPECT_EQ(legibleOnScreen(light), light);
}

TEST(Contrast, OnADarkDesktopDataAndHeadingsAreMadeReadableAndKeepTheirHue)
{
    DisplayColors dark;
    dark.windowBackground = rgb(0x23, 0x26, 0x29);
    dark.buttonFace = rgb(0x31, 0x36, 0x3B);
    dark.buttonShadow = rgb(0x18, 0x1A, 0x1C);
    dark.menuText = rgb(0xEF, 0xF0, 0xF1);
    dark.highlightedText = rgb(0x20, 0x20, 0x20); // the user's own selection, poor as it is
    dark.highlightBackground = 0x000000;

    const DisplayColors shown = legibleOnScreen(dark);
    EXPECT_GE(contrastRatio(shown.dataText, shown.windowBackground), kReadableContrast);
    EXPECT_GE(contrastRatio(shown.headingText, shown.buttonFace), kReadableContrast);
    EXPECT_GT((shown.headingText >> 16) & 0xFF, shown.headingText & 0xFF) << "headings stay blue";
    // Only as far as needed: not simply white.
    EXPECT_NE(shown.headingText, 0xFFFFFF);
    EXPECT_LT(contrastRatio(shown.headingText, shown.buttonFace), 6.0);
    // What already reads, and the backgrounds and selection, are left alone.
    EXPECT_EQ(shown.menuText, dark.menuText);
    EXPECT_EQ(shown.windowBackground, dark.windowBackground);
    EXPECT_EQ(shown.buttonFace, dark.buttonFace);
    EXPECT_EQ(shown.highlightedText, dark.highlightedText);
    EXPECT_EQ(shown.highlightBackground, dark.highlightBackground);
}

} // namespace
} // namespace discora
