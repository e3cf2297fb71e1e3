#include "colourvalues.h"

namespace discora {

DisplayColors drawableColours(const DisplayColors& c)
{
    const DisplayColors d;
    DisplayColors out;
    out.windowBackground = drawableColour(c.windowBackground, d.windowBackground);
    out.dataText = drawableColour(c.dataText, d.dataText);
    out.headingText = drawableColour(c.headingText, d.headingText);
    out.buttonFace = drawableColour(c.buttonFace, d.buttonFace);
    out.buttonShadow = drawableColour(c.buttonShadow, d.buttonShadow);
    out.menuText = drawableColour(c.menuText, d.menuText);
    out.highlightedText = drawableColour(c.highlightedText, d.highlightedText);
    out.highlightBackground = drawableColour(c.highlightBackground, d.highlightBackground);
    return out;
}

} // namespace discora
