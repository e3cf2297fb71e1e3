#include "core/order/comparenames.h"

#include "core/catalogue/cp1252.h"

#include <cstdint>

namespace discora {

namespace {

// Rank of the next character: ASCII folded A-Z, Windows-1252 bytes by value, the rest after 0xFF.
std::uint32_t nextRank(std::string_view s, std::size_t& pos)
{
    const auto c = static_cast<unsigned char>(s[pos]);
    if (c < 0x80) {
        ++pos;
        return (c >= 'A' && c <= 'Z') ? c + 32u : c;
    }
    const char32_t cp = cp1252::decodeUtf8(s, pos);
    if (const auto byte = cp1252::fromCodePoint(cp))
        return *byte;
    return 0x100u + cp;
}

} // namespace

int CompareNames(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const std::uint32_t ra = nextRank(a, i);
        const std::uint32_t rb = nextRank(b, j);
        if (ra != rb)
            return ra < rb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

std::string_view stripLeadingThe(std::string_view key)
{
    // Four characters of "The " are four bytes, so a byte count tells "more than four characters";
    // the name comparison folds A to Z only, so the bytes can be compared directly.
    const auto is = [&](std::size_t i, char small) {
        return key[i] == small || key[i] == small - ('a' - 'A');
    };
    if (key.size() > 4 && is(0, 't') && is(1, 'h') && is(2, 'e') && key[3] == ' ')
        return key.substr(4);
    return key;
}

bool beginsWithName(std::string_view value, std::string_view prefix)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (j < prefix.size()) {
        if (i >= value.size())
            return false;
        if (nextRank(value, i) != nextRank(prefix, j))
            return false;
    }
    return true;
}

} // namespace discora
