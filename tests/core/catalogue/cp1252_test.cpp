#include "core/catalogue/cp1252.h"

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
