// Small checks of typed texts: blanks around them, and digits.
#pragma once

#include <algorithm>
#include <string_view>

namespace discora {

// The text without the spaces and tabs around it.
inline std::string_view trimmedBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Whether the text is one or more of the digits 0 to 9 and nothing else.
inline bool allDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace discora
