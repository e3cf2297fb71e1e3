#include "core/base/cp1252.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8)
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = cp1252::toUtf8(byte);
        const auto back = cp1252::fromUtf8(utf8);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, byte) << "byte " << b;
    }
}

TEST(Cp1252, MapsTheSpecialRangeToItsCharacters)
{
    EXPECT_EQ(cp1252::toCodePoint(0x80), U'\u20AC');
    EXPECT_EQ(cp1252::toCodePoint(0x8A), U'\u0160');
    EXPECT_EQ(cp1252::toCodePoint(0x9F), U'\u0178');
    EXPECT_EQ(cp1252::toCodePoint(0xE9), U'\u00E9');
    EXPECT_EQ(cp1252::toUtf8("Bj\xF6rk"), "Björk");
    EXPECT_EQ(cp1252::fromUtf8("Motörhead €5"), std::string("Mot\xF6rhead \x80"
                                                            "5"));
}

TEST(Cp1252, TextOutsideTheCodePageDoesNotFit)
{
    EXPECT_TRUE(cp1252::fits("Sigur Rós"));
    EXPECT_FALSE(cp1252::fits("東京"));
    EXPECT_FALSE(cp1252::fits("Ω"));
    EXPECT_FALSE(cp1252::fromUtf8("\xC3").has_value()); // malformed UTF-8
}

TEST(Cp1252, Utf16RoundTripKeepsSupplementaryCharacters)
{
    const std::string text = "a東🎵z";
    const std::u16string units = cp1252::utf8ToUtf16(text);
    EXPECT_EQ(units.size(), 5u);
    EXPECT_EQ(cp1252::utf16ToUtf8(units.data(), units.size()), text);
}

TEST(Cp1252, Utf16BytesInEitherOrderGiveTheSameText)
{
    EXPECT_EQ(cp1252::utf16BytesToUtf8(std::string("a\0\x3C\xD8\xB5\xDFz\0", 8)), "a🎵z");
    EXPECT_EQ(cp1252::utf16BytesToUtf8(std::string("\0a\xD8\x3C\xDF\xB5\0z", 8), true), "a🎵z");
    // A lone surrogate is replaced, an odd last byte dropped.
    EXPECT_EQ(cp1252::utf16BytesToUtf8(std::string("\x3D\xD8"
                                                   "b\0c",
                                                   5)),
              "\xEF\xBF\xBD"
              "b");
}

TEST(Cp1252, ValidUtf8IsToldFromOtherBytes)
{
    EXPECT_TRUE(cp1252::isValidUtf8("plain ascii text, long enough for the fast path"));
    EXPECT_TRUE(cp1252::isValidUtf8("\xF0\x9F\x8E\xB5 \xE2\x82\xAC"));
    EXPECT_FALSE(cp1252::isValidUtf8("caf\xE9"));
    EXPECT_FALSE(cp1252::isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(cp1252::isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(cp1252::isValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(cp1252::isValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
}

TEST(Cp1252, FoldsEveryLetterOfTheCodePage)
{
    EXPECT_EQ(cp1252::foldCase("ROCK"), "rock");
    EXPECT_EQ(cp1252::foldCase("É"), "é");
    EXPECT_EQ(cp1252::foldCase("ŠŒŽŸÀÞ"), "šœžÿàþ");
    EXPECT_EQ(cp1252::foldCase("×"), "×"); // not a letter
    EXPECT_EQ(cp1252::foldCase("Ω"), "Ω"); // outside the code page
}

} // namespace
} // namespace discora
