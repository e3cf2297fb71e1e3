// The pages of the Options sheet: their tab titles and, top to bottom, each check box and radio
// group with its texts and the settings key it edits. The sheet is built from this table.
#pragma once

#include <span>
#include <string_view>

namespace discora {

enum class OptionControlKind
{
    CheckBox,
    RadioGroup
};

struct OptionControl
{
    OptionControlKind kind;
    std::string_view key;
    // A check box's text, or a radio group's buttons in order: the value is the button's index.
    std::span<const std::string_view> texts;
};

struct OptionPageInfo
{
    std::string_view title;
    // The General page also carries "Change Font..." and "Change Colors...".
    bool fontAndColorButtons;
    std::span<const OptionControl> controls;
};

std::span<const OptionPageInfo> optionPages();
// How many buttons the radio group stored under key has; 0 when key is not a radio group.
int optionChoiceCount(std::string_view key);

inline constexpr std::string_view kChangeFontText = "Change Font...";
inline constexpr std::string_view kChangeColorsText = "Change Colors...";

} // namespace discora
