// How well text stands out from its background, by the measure of the web's accessibility
// guidelines (WCAG 2): 1 for the same colour up to 21 for black on white; 4.5 is what ordinary
// text needs to be read comfortably.
#pragma once

#include "core/view/displaysettings.h"

namespace discora {

inline constexpr double kReadableContrast = 4.5;

double contrastRatio(ColorValue a, ColorValue b);

// The text colour moved toward white (on a dark background) or black (on a light one) just far
// enough to reach the ratio, so it keeps as much of its hue as it can; a colour that already
// reaches it comes back unchanged.
ColorValue legibleOn(ColorValue text, ColorValue background, double ratio = kReadableContrast);

// The colours the screen draws with. The backgrounds of data, headings and column headings come
// from the desktop's palette, which can turn dark under colours chosen on a light one; those texts
// are made legible on them. The selection's two colours are both the user's and stay as chosen.
DisplayColors legibleOnScreen(const DisplayColors& colors);

} // namespace discora
