// Colour values as the settings hold them (red in the low byte, then green, then blue) and the
// rule for values that are no colour at all, such as the -1 a missing "HeadingColor" leaves.
#pragma once

#include "core/catalogue/displaysettings.h"

#include <array>
#include <string_view>

namespace discora {

constexpr bool isColourValue(ColourValue value)
{
    return value >= 0 && value <= 0xFFFFFF;
}

// The value to draw with: a stored value that is no colour draws as the fallback. The setting
// itself keeps what was stored.
constexpr ColourValue drawableColour(ColourValue value, ColourValue fallback)
{
    return isColourValue(value) ? value : fallback;
}

// The entries of the "Change Screen Color" list in the order they are added. The list sorts
// them; position k of the sorted list stands for colour k of the dialog's colour list.
inline constexpr std::array<std::string_view, 4> kScreenColourNames = {
    "Heading Color", "Data Color", "Highlighted Background Color", "Highlighted Data Color"};

} // namespace discora
