// A hash of a text for the tables that tell repeated texts apart (value lists, sort keys): eight
// bytes at a time and inline, as those tables take a look-up per album or per song.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace discora {

inline std::uint64_t hashText(std::string_view text)
{
    std::uint64_t hash = text.size() * 0x9E3779B97F4A7C15;
    const auto mix = [&](std::uint64_t word) {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCD;
        hash ^= hash >> 32;
    };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        mix(word);
    }
    if (i < text.size()) {
        // The last bytes read as one word from its end (when the text is that long), which costs
        // less than assembling them.
        std::uint64_t tail = 0;
        if (text.size() >= 8) {
            std::memcpy(&tail, text.data() + text.size() - 8, sizeof tail);
        } else {
            for (std::size_t k = i; k < text.size(); ++k)
                tail = (tail << 8) | static_cast<unsigned char>(text[k]);
        }
        mix(tail);
    }
    return hash ^ (hash >> 29);
}

} // namespace discora
