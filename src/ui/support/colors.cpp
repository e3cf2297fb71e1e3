#include "ui/support/colors.h"

#include "core/settings/colorvalues.h"

namespace discora {

QColor toQColor(ColorValue value)
{
    if (!isColorValue(value))
        return {};
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ColorValue toColorValue(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QColor drawingColor(ColorValue value, ColorValue fallback)
{
    return toQColor(drawableColor(value, fallback));
}

} // namespace discora
