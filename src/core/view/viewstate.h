// How the catalogue is shown: the current order and view style, the filters, the view options,
// and the colors, font and resolution of the screen. A new catalogue is shown in the state the
// last one was (but for its order), so this is kept apart from the contents.
#pragma once

#include "core/view/displaysettings.h"
#include "core/view/filterfield.h"
#include "core/view/sortorder.h"

#include <array>
#include <string>

namespace discora {

struct ViewState
{
    ViewState() { filters.fill(kNoFilter); }

    std::array<std::string, kFilterCount> filters;
    SortOrder order = SortOrder::ByArtist;
    ViewStyle style = ViewStyle::Normal;
    ViewOptions options;
    DisplayColors colors;
    ScreenFont font;
    int dpi = 96;
};

} // namespace discora
