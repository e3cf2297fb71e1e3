// The comparison every order, filter and search uses: case-insensitive for A to Z only, by the
// characters' Windows-1252 values; characters outside Windows-1252 rank after all of them.
#pragma once

#include "core/view/displaysettings.h"

#include <string>
#include <string_view>

namespace discora {

// Whether names compare with A to Z folded only (how catalogues have always sorted, and how their
// printed groups fall), or with accented Latin letters folded to their base letters as well.
enum class LetterFolding
{
    AsciiOnly,
    WithAccents,
};

inline LetterFolding letterFoldingOf(const ViewOptions& options)
{
    return options.on(ViewOption::SortAccents) ? LetterFolding::WithAccents : LetterFolding::AsciiOnly;
}

// The text with every Latin letter that carries a diacritic replaced by its base letter, "É" by
// "E", "ø" by "o", "ß" by "ss", "Æ" by "AE", and combining marks dropped. Case is kept; other
// characters are left as they are.
std::string foldAccents(std::string_view text);
// The form of a name that the comparison below reads: the name itself, or its folded form.
std::string_view comparisonForm(std::string_view name, LetterFolding folding, std::string& buffer);

int CompareNames(std::string_view a, std::string_view b);
int CompareNames(std::string_view a, std::string_view b, LetterFolding folding);

// The key to compare when the leading "The " rule is active: a key longer than four characters
// whose first four equal "The " (any case) loses them.
std::string_view stripLeadingThe(std::string_view key);

// True when a and b are the same text but for the letter case of A to Z: how the statistics tell
// names apart, and how a filter in double quotes matches.
bool sameNameAtoZ(std::string_view a, std::string_view b);

// True when value begins with prefix under CompareNames; a prefix longer than the value never matches.
bool beginsWithName(std::string_view value, std::string_view prefix);
bool beginsWithName(std::string_view value, std::string_view prefix, LetterFolding folding);

} // namespace discora
