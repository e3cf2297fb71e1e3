// A hash of a text for the tables that tell repeated texts apart (value lists, sort keys): eight
// bytes at a time and inline, as those tables take a look-up per album or per song.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace discora {

// The hash of a text of size bytes, read through wordAt(i) (the eight bytes from i on, i + 8 <= size)
// and byteAt(i), so that a caller may hash bytes it has in registers rather than in memory.
template <class WordAt, class ByteAt> std::uint64_t hashWords(std::size_t size, WordAt wordAt, ByteAt byteAt)
{
    std::uint64_t hash = size * 0x9E3779B97F4A7C15;
    const auto mix = [&](std::uint64_t word) {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCD;
        hash ^= hash >> 32;
    };
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8)
        mix(wordAt(i));
    if (i < size) {
        // The last bytes as the word that ends the text, where the text is that long.
        std::uint64_t tail = 0;
        if (size >= 8) {
            tail = wordAt(size - 8);
        } else {
            for (std::size_t k = i; k < size; ++k)
                tail = (tail << 8) | byteAt(k);
        }
        mix(tail);
    }
    return hash ^ (hash >> 29);
}

inline std::uint64_t hashText(std::string_view text)
{
    return hashWords(
        text.size(),
        [&](std::size_t i) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + i, sizeof word);
            return word;
        },
        [&](std::size_t i) { return static_cast<unsigned char>(text[i]); });
}

} // namespace discora
