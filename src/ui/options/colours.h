// The one place where colour values meet QColor.
#pragma once

#include "core/catalogue/displaysettings.h"

#include <QColor>

namespace discora {

// A value outside 0 to 0xFFFFFF gives an invalid QColor; draw through drawingColour() or
// effectiveColours() (view/viewlayout.h) when the value may be one.
QColor toQColor(ColourValue value);
ColourValue toColourValue(const QColor& colour);
// The colour to draw a possibly unset value with.
QColor drawingColour(ColourValue value, ColourValue fallback);

} // namespace discora
