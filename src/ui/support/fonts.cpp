#include "ui/support/fonts.h"

#include "ui/support/qttext.h"

#include <algorithm>
#include <cstdlib>

namespace discora {

namespace {

QFont::Weight qtWeight(int weight)
{
    return static_cast<QFont::Weight>(std::clamp(weight, 1, 1000));
}

} // namespace

QFont toQFont(const LogicalFont& font)
{
    QFont f(toQt(font.faceName));
    // A face this system lacks ("MS Sans Serif", the stored default) falls back to a sans serif.
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, std::abs(font.height)));
    f.setWeight(qtWeight(font.weight));
    f.setItalic(font.italic);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

QFont toQFont(const ScreenFont& font, int dpiY)
{
    return toQFont(makeViewFonts(font, dpiY, dpiY).screen);
}

QFont chooserFont(const ScreenFont& font)
{
    QFont f(toQt(font.faceName));
    f.setPointSizeF(std::max(font.size, 10) / 10.0);
    f.setWeight(qtWeight(font.weight));
    f.setItalic(font.italic);
    return f;
}

int lineHeight(const QFontMetrics& metrics)
{
    return metrics.height() + std::max(0, metrics.leading());
}

} // namespace discora
