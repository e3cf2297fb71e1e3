// What the Options sheet edits: copies of the colors, the screen font, the 28 view options,
// "LoadLast" and "FetchCovers", reached by their settings keys, and the rule that hands them back
// on OK.
#pragma once

#include "core/settings/appsettings.h"
#include "core/view/displaysettings.h"

#include <optional>
#include <string_view>

namespace discora {

class CatalogueDocument;

inline constexpr std::string_view kLoadLastKey = "LoadLast";

struct OptionValues
{
    UserColors colors;
    ScreenFont font;
    ViewOptions view;
    bool loadLast = false;
    bool fetchCovers = true;

    // The value behind a settings key: one of the 28 view options, "LoadLast" or "FetchCovers". An
    // unknown key reads as 0 and is not written.
    int value(std::string_view key) const;
    void setValue(std::string_view key, int value);
    bool operator==(const OptionValues&) const = default;
};

std::optional<ViewOption> viewOptionByKey(std::string_view key);

// The settings as they are in force: what the document shows, and "LoadLast" and "FetchCovers"
// from the store.
OptionValues currentOptionValues(const AppSettings& settings, const CatalogueDocument& doc);

// OK of the Options sheet: colors, then the font, then the view options, each through its apply
// rule, so defaults are filled, the keys written and the document told; "FetchCovers" is written
// last. The system colors are
// the ones read at start-up, which the document still holds. Fails as the document's order does
// when the view options re-run it.
Status applyOptionValues(const OptionValues& values, AppSettings& settings, CatalogueDocument& doc);

} // namespace discora
