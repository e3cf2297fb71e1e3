// The headings of the two fields the user names, and what stands for a heading left empty.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace discora {

inline constexpr std::array<std::string_view, 2> kDefaultHeadings = {"Custom 1", "Custom 2"};

// which: 0 for the first custom field, 1 for the second.
inline std::string_view headingOrDefault(std::string_view heading, int which)
{
    return heading.empty() ? kDefaultHeadings[static_cast<std::size_t>(which)] : heading;
}

inline std::array<std::string, 2> withDefaultHeadings(const std::array<std::string, 2>& headings)
{
    return {std::string(headingOrDefault(headings[0], 0)), std::string(headingOrDefault(headings[1], 1))};
}

} // namespace discora
