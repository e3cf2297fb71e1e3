// Color values as the settings hold them (red in the low byte, then green, then blue) and the
// rule for values that are no color at all, such as the -1 a missing "HeadingColor" leaves.
#pragma once

#include "core/catalogue/displaysettings.h"

#include <array>
#include <string_view>

namespace discora {

constexpr bool isColorValue(ColorValue value)
{
    return value >= 0 && value <= 0xFFFFFF;
}

// The value to draw with: a stored value that is no color draws as the fallback. The setting
// itself keeps what was stored.
constexpr ColorValue drawableColor(ColorValue value, ColorValue fallback)
{
    return isColorValue(value) ? value : fallback;
}

// The entries of the "Change Screen Color" list in the order they are added. The list sorts
// them; position k of the sorted list stands for color k of the dialog's color list.
inline constexpr std::array<std::string_view, 4> kScreenColorNames = {
    "Heading Color", "Data Color", "Highlighted Background Color", "Highlighted Data Color"};

} // namespace discora
