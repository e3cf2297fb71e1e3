// The one place where the screen font record meets QFont: the view and the printed pages take
// their fonts from here, by the rule of makeViewFonts.
#pragma once

#include "core/layout/viewfonts.h"

#include <QFont>
#include <QFontMetrics>

namespace discora {

// A negative height asks for the character height, which is QFont's pixel size; a positive one
// asks for the cell height and is taken as the same size.
QFont toQFont(const LogicalFont& font);
// The view's screen font for a screen of dpiY dots per inch.
QFont toQFont(const ScreenFont& font, int dpiY);
// The font the chooser starts from: the record's face, point size, weight and italic flag.
QFont chooserFont(const ScreenFont& font);
// The height of one line of text in a font, on the screen and on paper alike: the character cell and
// the font's external leading.
int lineHeight(const QFontMetrics& metrics);

} // namespace discora
