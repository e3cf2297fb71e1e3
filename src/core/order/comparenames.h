// The comparison every order, filter and search uses: case-insensitive for A to Z only, by the
// characters' Windows-1252 values; characters outside Windows-1252 rank after all of them.
#pragma once

#include <string_view>

namespace discora {

int CompareNames(std::string_view a, std::string_view b);

// The key to compare when the leading "The " rule is active: a key longer than four characters
// whose first four equal "The " (any case) loses them.
std::string_view stripLeadingThe(std::string_view key);

// True when value begins with prefix under CompareNames; a prefix longer than the value never matches.
bool beginsWithName(std::string_view value, std::string_view prefix);

} // namespace discora
