#include "core/base/linetext.h"

#include <cstdint>
#include <cstring>

namespace discora {

namespace {

// Whether any of the eight bytes of word is a tab, a line break, a carriage return or a backslash.
bool hasEscapeByte(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHigh = 0x8080808080808080;
    const auto hasZeroByte = [](std::uint64_t w) { return ((w - kOnes) & ~w & kHigh) != 0; };
    return hasZeroByte(word ^ (kOnes * '\t')) || hasZeroByte(word ^ (kOnes * '\n')) ||
           hasZeroByte(word ^ (kOnes * '\r')) || hasZeroByte(word ^ (kOnes * '\\'));
}

// Whether text holds a byte appendText writes as an escape.
bool anyEscapeByte(std::string_view text)
{
    // Looked through eight bytes at a time, the last few as a word with zeros after them.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (hasEscapeByte(word))
            return true;
    }
    if (i == text.size())
        return false;
    std::uint64_t rest = 0;
    std::memcpy(&rest, text.data() + i, text.size() - i);
    return hasEscapeByte(rest);
}

} // namespace

void appendText(std::string& line, std::string_view text)
{
    // Most texts have nothing to escape.
    if (!anyEscapeByte(text)) {
        line.append(text);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* escape = c == '\t'   ? "\\t"
                             : c == '\n' ? "\\n"
                             : c == '\r' ? "\\r"
                             : c == '\\' ? "\\\\"
                                         : nullptr;
        if (!escape)
            continue;
        line.append(text.substr(start, i - start));
        line += escape;
        start = i + 1;
    }
    line.append(text.substr(start));
}

} // namespace discora
