#include "core/layout/viewfonts.h"

#include <algorithm>
#include <utility>

namespace discora {

ScreenFont screenFontFromChoice(std::string faceName, int sizeTenths, int weight, bool italic)
{
    ScreenFont font;
    font.faceName = std::move(faceName);
    font.size = std::clamp(sizeTenths, kChooserMinPoints * 10, kChooserMaxPoints * 10);
    font.weight = weight;
    font.bold = weight == kBoldWeight;
    font.italic = italic;
    return font;
}

ViewFonts makeViewFonts(const ScreenFont& font, int dpiY, int printDpiY)
{
    ViewFonts fonts;
    const int height = (font.size / -10) * dpiY / 72;
    fonts.screen = {font.faceName, height, font.weight, font.italic};
    const int printHeight = (font.size / -10) * printDpiY / 72;
    fonts.print = {font.faceName, printHeight, font.weight, font.italic};
    fonts.printBold = {font.faceName, printHeight, kBoldWeight, font.italic};
    return fonts;
}

} // namespace discora
