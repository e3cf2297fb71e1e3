// The screen font as the user picks it and as the view makes its fonts from it: the chooser's
// limits and bold rule, and the screen and printing fonts with their heights in device units.
#pragma once

#include "core/view/displaysettings.h"

#include <string>

namespace discora {

// The font chooser offers sizes from 2 to 12 points.
constexpr int kChooserMinPoints = 2;
constexpr int kChooserMaxPoints = 12;
constexpr int kBoldWeight = 700;

// What the General page keeps from the chooser: the size in tenths of a point, held to the
// chooser's range, and bold only for a weight of exactly 700 (a semi-bold 600 is not bold).
ScreenFont screenFontFromChoice(std::string faceName, int sizeTenths, int weight, bool italic);

// A font as the view asks for it. A negative height is the character height (without the
// internal leading) in device units.
struct LogicalFont
{
    std::string faceName;
    int height = 0;
    int weight = 400;
    bool italic = false;
    bool operator==(const LogicalFont&) const = default;
};

struct ViewFonts
{
    LogicalFont screen;
    // For printed pages: one with the font's weight, one bold.
    LogicalFont print;
    LogicalFont printBold;
};

// The screen height is (size / -10) * dpiY / 72, each step truncated toward zero, so size 80 at
// 96 dots per inch asks for -10. The print fonts take the same rule at the printer's resolution,
// so a page shows the font at the point size the screen shows it, whatever the printer's dots per
// inch (a fixed multiple of the screen height would suit one printer resolution only). The bold
// flag plays no part: the weight carries it.
ViewFonts makeViewFonts(const ScreenFont& font, int dpiY, int printDpiY);

} // namespace discora
