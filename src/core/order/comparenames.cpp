#include "core/order/comparenames.h"

#include "core/base/cp1252.h"

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

// Base letters of U+0100 to U+017F; '*' marks the ligatures spelled out in foldedLetter.
constexpr std::string_view kExtendedA = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi**JjKkkLlLlLlLlLl"
                                        "NnNnNnnNnOoOoOo**RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(kExtendedA.size() == 0x80);

// What a code point folds to; empty when it is no accented Latin letter.
std::string_view foldedLetter(char32_t cp)
{
    // U+00C0 to U+00FF, one entry of up to two letters each.
    static constexpr std::string_view kLatin1[] = {
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
        "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
        "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",
    };
    if (cp >= 0xC0 && cp <= 0xFF)
        return kLatin1[cp - 0xC0];
    if (cp >= 0x100 && cp <= 0x17F) {
        switch (cp) {
        case 0x132: return "IJ";
        case 0x133: return "ij";
        case 0x152: return "OE";
        case 0x153: return "oe";
        default: return kExtendedA.substr(cp - 0x100, 1);
        }
    }
    return {};
}

bool isCombiningMark(char32_t cp)
{
    return cp >= 0x300 && cp <= 0x36F;
}

} // namespace

std::string foldAccents(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t cp = cp1252::decodeUtf8(text, pos);
        if (const std::string_view base = foldedLetter(cp); !base.empty())
            out += base;
        else if (!isCombiningMark(cp))
            out.append(text.substr(start, pos - start));
    }
    return out;
}

std::string_view comparisonForm(std::string_view name, LetterFolding folding, std::string& buffer)
{
    if (folding == LetterFolding::AsciiOnly || cp1252::isAscii(name))
        return name;
    buffer = foldAccents(name);
    return buffer;
}

int CompareNames(std::string_view a, std::string_view b, LetterFolding folding)
{
    std::string foldedA;
    std::string foldedB;
    return CompareNames(comparisonForm(a, folding, foldedA), comparisonForm(b, folding, foldedB));
}

bool beginsWithName(std::string_view value, std::string_view prefix, LetterFolding folding)
{
    std::string foldedValue;
    std::string foldedPrefix;
    return beginsWithName(comparisonForm(value, folding, foldedValue),
                          comparisonForm(prefix, folding, foldedPrefix));
}

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

bool sameNameAtoZ(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
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
