#include "ui/options/colours.h"

#include "core/settings/colourvalues.h"

namespace discora {

QColor toQColor(ColourValue value)
{
    if (!isColourValue(value))
        return {};
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ColourValue toColourValue(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QColor drawingColour(ColourValue value, ColourValue fallback)
{
    return toQColor(drawableColour(value, fallback));
}

} // namespace discora
