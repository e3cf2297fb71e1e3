// Conversion between the catalogue file's Windows-1252 bytes and the UTF-8 text the program holds,
// plus the letter folding used where texts are compared without regard to case. The one set of
// converters the catalogue file and the import share.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace discora::cp1252 {

// The code point a Windows-1252 byte stands for. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so every byte round-trips.
char32_t toCodePoint(std::uint8_t byte);

// The Windows-1252 byte for a code point, or nothing when the code page cannot hold it.
std::optional<std::uint8_t> fromCodePoint(char32_t codePoint);

// Windows-1252 bytes to UTF-8, appended to out.
void appendUtf8(std::string& out, std::string_view bytes);
std::string toUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; nothing when a character does not fit (or the UTF-8 is malformed).
std::optional<std::string> fromUtf8(std::string_view utf8);
bool fits(std::string_view utf8);

inline bool isAscii(std::string_view text)
{
    // Eight bytes at a time: every text of the catalogue passes here on loading and saving.
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t high = 0;
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        high |= word;
    }
    for (; n > 0; ++p, --n)
        high |= static_cast<unsigned char>(*p);
    return (high & 0x8080808080808080) == 0;
}

// A-Z to a-z in eight bytes at once, all of them ASCII.
inline std::uint64_t foldAsciiWord(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    const std::uint64_t fromA = word + (0x80 - 'A') * kOnes;      // high bit set for 'A' and above
    const std::uint64_t aboveZ = word + (0x80 - 'Z' - 1) * kOnes; // high bit set above 'Z'
    return word | (((fromA & ~aboveZ) & (0x80 * kOnes)) >> 2);
}

// UTF-8 decoding and encoding of single code points. decode returns U+FFFD for a malformed sequence
// and advances by one byte in that case.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);
void appendCodePoint(std::string& out, char32_t codePoint);

// Whether bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF,
// no sequence cut short.
bool isValidUtf8(std::string_view bytes);

// UTF-16 code units (as read from the file's 2-byte-character strings) to UTF-8 and back. A lone
// surrogate becomes U+FFFD.
std::string utf16ToUtf8(const char16_t* units, std::size_t count);
std::u16string utf8ToUtf16(std::string_view utf8);
// The same from bytes, two to a code unit, little-endian unless bigEndian; an odd last byte is
// dropped.
std::string utf16BytesToUtf8(std::string_view bytes, bool bigEndian = false);

// Folds every letter that Windows-1252 holds in both cases to its small form: A-Z, the accented
// capitals, Š, Œ, Ž and Ÿ. Other characters are left as they are.
char32_t foldLetter(char32_t codePoint);
std::string foldCase(std::string_view utf8);
// The same into out, replacing what it held (and reusing its memory).
void foldCaseInto(std::string& out, std::string_view utf8);

} // namespace discora::cp1252
