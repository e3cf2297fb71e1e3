// The one place where color values meet QColor.
#pragma once

#include "core/settings/appsettings.h"
#include "core/view/displaysettings.h"

#include <QColor>

namespace discora {

// A value outside 0 to 0xFFFFFF gives an invalid QColor; draw through drawingColor() or
// drawableColors() (core/view/displaysettings.h) when the value may be one.
QColor toQColor(ColorValue value);
ColorValue toColorValue(const QColor& color);
// The color to draw a possibly unset value with.
QColor drawingColor(ColorValue value, ColorValue fallback);
// The four colors the desktop supplies, from the application's palette.
SystemColors systemColorsFromPalette();

} // namespace discora
