// The texts of the "Change Screen Color" dialog's list; the color values and their rules are in
// core/view/displaysettings.h.
#pragma once

#include "core/view/displaysettings.h"

#include <array>
#include <string_view>

namespace discora {

// The entries of the "Change Screen Color" list in the order they are added. The list sorts
// them; position k of the sorted list stands for color k of the dialog's color list.
inline constexpr std::array<std::string_view, 4> kScreenColorNames = {
    "Heading Color", "Data Color", "Highlighted Background Color", "Highlighted Data Color"};

} // namespace discora
