#include "ui/support/colors.h"

#include "core/settings/colorvalues.h"

#include <QGuiApplication>
#include <QPalette>

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

SystemColors systemColorsFromPalette()
{
    const QPalette palette = QGuiApplication::palette();
    SystemColors s;
    s.window = toColorValue(palette.color(QPalette::Base));
    s.buttonFace = toColorValue(palette.color(QPalette::Button));
    s.buttonShadow = toColorValue(palette.color(QPalette::Dark));
    s.menuText = toColorValue(palette.color(QPalette::WindowText));
    return s;
}

} // namespace discora
