// The entry sheet's value lists: one entry per text, whatever its letter case, in the order the
// texts first came. Texts are compared a word of eight bytes at a time, so lengths around eight
// and sixteen and letters outside A-Z get cases of their own.
#include "core/model/valuelist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace discora {
namespace {

using Texts = std::vector<std::string>;

struct ValueCase
{
    const char* name;
    Texts added;
    Texts kept;
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << c.name;
}

class ValueListEntries : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(ValueListEntries, KeepTheFirstOfEachTextInAnyLetterCase)
{
    ValueList list;
    for (const std::string& text : GetParam().added)
        list.addDistinctValue(text);
    EXPECT_EQ(list.values(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueListEntries,
    ::testing::Values(
        ValueCase{"Empty", {"", ""}, {}},
        ValueCase{"LetterCase", {"Abba", "ABBA", "abba", "Blondie"}, {"Abba", "Blondie"}},
        ValueCase{"SevenEightNineBytes",
                  {"Abcdefg", "Abcdefgh", "Abcdefghi", "ABCDEFG", "ABCDEFGH", "ABCDEFGHI", "Abcdefgx"},
                  {"Abcdefg", "Abcdefgh", "Abcdefghi", "Abcdefgx"}},
        ValueCase{"DifferingOnlyInTheLastByteOfALongText",
                  {"The Long And Winding Road", "the long and winding roaD", "The Long And Winding Roam"},
                  {"The Long And Winding Road", "The Long And Winding Roam"}},
        ValueCase{
            "LettersOutsideAToZ",
            {"Éditions Lumière", "éditions lumière", "ÉDITIONS LUMIÈRE", "Šum", "šum", "Œuvre", "œuvre"},
            {"Éditions Lumière", "Šum", "Œuvre"}},
        ValueCase{"PunctuationIsNotFolded", {"[x]", "{x}", "@", "`"}, {"[x]", "{x}", "@", "`"}},
        ValueCase{"OutsideWindows1252", {"東京", "東京", "Zoë", "ZOË"}, {"東京", "Zoë"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueListEntries, StayDistinctAsTheTableGrows)
{
    ValueList list;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 5000; ++i)
            list.addDistinctValue((round ? "LABEL " : "label ") + std::to_string(i));
    ASSERT_EQ(list.count(), 5000);
    EXPECT_EQ(list.values().front(), "label 0");
    EXPECT_EQ(list.values().back(), "label 4999");
    list.clear();
    EXPECT_TRUE(list.addDistinctValue("LABEL 1"));
    EXPECT_EQ(list.values(), (Texts{"LABEL 1"}));
}

} // namespace
} // namespace discora
