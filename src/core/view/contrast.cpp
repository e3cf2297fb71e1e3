#include "core/view/contrast.h"

#include <algorithm>
#include <cmath>

namespace discora {

namespace {

double channel(ColorValue color, int shift)
{
    const double c = static_cast<double>((color >> shift) & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(ColorValue color)
{
    // Red in the low byte, blue in the high one.
    return 0.2126 * channel(color, 0) + 0.7152 * channel(color, 8) + 0.0722 * channel(color, 16);
}

ColorValue mixed(ColorValue from, ColorValue to, int step, int steps)
{
    ColorValue result = 0;
    for (int shift : {0, 8, 16}) {
        const int a = (from >> shift) & 0xFF;
        const int b = (to >> shift) & 0xFF;
        result |= (a + (b - a) * step / steps) << shift;
    }
    return result;
}

} // namespace

double contrastRatio(ColorValue a, ColorValue b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColorValue legibleOn(ColorValue text, ColorValue background, double ratio)
{
    if (contrastRatio(text, background) >= ratio)
        return text;
    constexpr ColorValue kBlack = 0x000000;
    constexpr ColorValue kWhite = 0xFFFFFF;
    const ColorValue toward =
        contrastRatio(kWhite, background) >= contrastRatio(kBlack, background) ? kWhite : kBlack;
    constexpr int kSteps = 64;
    for (int step = 1; step < kSteps; ++step) {
        const ColorValue candidate = mixed(text, toward, step, kSteps);
        if (contrastRatio(candidate, background) >= ratio)
            return candidate;
    }
    return toward;
}

DisplayColors legibleOnScreen(const DisplayColors& colors)
{
    DisplayColors c = drawableColors(colors);
    c.dataText = legibleOn(c.dataText, c.windowBackground);
    c.headingText = legibleOn(c.headingText, c.buttonFace);
    c.menuText = legibleOn(c.menuText, c.buttonFace);
    return c;
}

} // namespace discora
