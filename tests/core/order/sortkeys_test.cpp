// The precomputed sort keys must order texts exactly as CompareNames does, including the characters
// that take more than one byte in UTF-8 and those outside Windows-1252.
#include "core/order/comparenames.h"
#include "core/order/orderprogress.h"
#include "core/order/sortkeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace discora {
namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

int keyOrder(std::string_view a, std::string_view b)
{
    return sign(nameKey(a).compare(nameKey(b)));
}

struct KeyPair
{
    const char* name;
    std::string a;
    std::string b;
};

class KeyOrder : public ::testing::TestWithParam<KeyPair>
{
};

TEST_P(KeyOrder, AgreesWithCompareNames)
{
    const KeyPair& c = GetParam();
    EXPECT_EQ(keyOrder(c.a, c.b), sign(CompareNames(c.a, c.b)));
    EXPECT_EQ(keyOrder(c.b, c.a), sign(CompareNames(c.b, c.a)));
}

// ÿ is the last Windows-1252 byte; the characters outside the code page must still come after it,
// whatever follows either of them.
INSTANTIATE_TEST_SUITE_P(
    Pairs, KeyOrder,
    ::testing::Values(KeyPair{"FoldedCase", "ABBA", "abba"}, KeyPair{"Prefix", "Abb", "abba"},
                      KeyPair{"EmptyFirst", "", "a"}, KeyPair{"BlankBeforeLetters", "a b", "ab"},
                      KeyPair{"BracketAfterCapitals", "[x", "Zx"},
                      KeyPair{"AccentedCapitalNotFolded", "\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
                      KeyPair{"EuroBelowYDiaeresis", "\xE2\x82\xAC", "\xC3\xBF"},
                      KeyPair{"YDiaeresisThenLetterBeforeForeign",
                              "\xC3\xBF"
                              "a",
                              "\xC4\x80"},
                      KeyPair{"YDiaeresisBeforeForeignThenLetter", "\xC3\xBF",
                              "\xC4\x80"
                              "a"},
                      KeyPair{"ForeignByCodePoint", "\xE6\x97\xA5", "\xF0\x9F\x98\x80"},
                      KeyPair{"ForeignAfterEveryByte", "\xC3\xBF\xC3\xBF", "\xC4\x80"},
                      KeyPair{"MalformedAsReplacement", "\xC3", "\xEF\xBF\xBD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyOrder, AgreesWithCompareNamesOnRandomTexts)
{
    const std::vector<std::string> pieces = {"a",
                                             "A",
                                             "b",
                                             "B",
                                             " ",
                                             "\t",
                                             "z",
                                             "[",
                                             "The ",
                                             "\xC3\xBF",
                                             "\xC5\xB8",
                                             "\xE2\x82\xAC",
                                             "\xC3\xA9",
                                             "\xC3\x89",
                                             "\xC4\x80",
                                             "\xE6\x97\xA5",
                                             "\xF0\x9F\x98\x80",
                                             "\xC3",
                                             "\x7F"};
    std::mt19937 random(7);
    const auto text = [&] {
        std::string t;
        const int length = static_cast<int>(random() % 5);
        for (int i = 0; i < length; ++i)
            t += pieces[random() % pieces.size()];
        return t;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = text();
        const std::string b = text();
        ASSERT_EQ(keyOrder(a, b), sign(CompareNames(a, b))) << '"' << a << "\" vs \"" << b << '"';
    }
}

TEST(SortKeys, StableOrderKeepsEqualKeysAndSortsMajorsFirst)
{
    const std::vector<std::pair<std::string, std::uint32_t>> entries = {
        {"beta", 0},
        {"Alpha", 1},
        {"ALPHA", 0},
        {"alpha", 0},
        {"alphabet-with-a-long-shared-prefix", 0},
        {"alphabet-with-a-long-shared-prefiX", 0},
        {"", 0},
    };
    // Set in reverse: the order keys are set in must not matter.
    SortKeys keys(entries.size());
    for (std::size_t i = entries.size(); i-- > 0;)
        keys.set(i, entries[i].first, entries[i].second);
    EXPECT_EQ(keys.stableOrder(), (std::vector<std::uint32_t>{6, 2, 3, 4, 5, 0, 1}));
}

// Long shared beginnings, keys ending exactly at and around the seven-byte chunks, zero bytes; and
// lists of many distinct keys, which are sorted by their bytes instead of by comparing, among them
// keys that all begin alike (as catalogue numbers do).
TEST(SortKeys, StableOrderEqualsAStableSortByCompareNames)
{
    const std::vector<std::string> pieces = {
        "Theodora's ",        "theodora", "abcdefg",  "ABCDEFGH", "x", "",
        std::string(1, '\0'), "\xC3\xBF", "\xC4\x80", " "};
    const struct
    {
        std::size_t count;
        std::string lead; // before every key
        bool numbered;    // a number after most keys
    } cases[] = {{3000, "", false}, {60000, "", true}, {60000, "Catalogue number ", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " '" + c.lead + "'");
        std::mt19937 random(13);
        std::vector<std::string> texts;
        std::vector<std::uint32_t> majors;
        SortKeys keys(c.count);
        // The same keys set in two tables, as two threads set them, the same text often in both.
        SortKeys first(c.count, 0, SortKeys::Entries::Some);
        SortKeys second(c.count, 0, SortKeys::Entries::Some);
        for (std::size_t i = 0; i < c.count; ++i) {
            std::string t = c.lead;
            for (int k = static_cast<int>(random() % 5); k > 0; --k)
                t += pieces[random() % pieces.size()];
            if (c.numbered && random() % 4 != 0)
                t += std::to_string(random() % 100000);
            texts.push_back(t);
            majors.push_back(static_cast<std::uint32_t>(random() % 3));
            keys.set(i, texts.back(), majors.back());
            (c.lead.empty() && random() % 3 == 0 ? second : first).set(i, texts.back(), majors.back());
        }
        std::vector<std::uint32_t> expected(texts.size());
        for (std::uint32_t i = 0; i < expected.size(); ++i)
            expected[i] = i;
        std::stable_sort(expected.begin(), expected.end(), [&](std::uint32_t a, std::uint32_t b) {
            if (majors[a] != majors[b])
                return majors[a] < majors[b];
            return CompareNames(texts[a], texts[b]) < 0;
        });
        EXPECT_EQ(keys.stableOrder(), expected);
        EXPECT_EQ(SortKeys::stableOrder(first, second), expected);
    }
}

TEST(SortKeys, SpelledKeysOrderByNameThenByExactBytes)
{
    // Zero bytes inside names must not end the name part early.
    const std::vector<std::string> pieces = {"ann", "ANN",      "Ann",     std::string(1, '\0'), "\x01", "b",
                                             " ",   "\xC3\xA9", "\xC3\x89"};
    std::mt19937 random(17);
    std::vector<std::string> texts;
    SortKeys keys(3000);
    for (std::size_t i = 0; i < 3000; ++i) {
        std::string t;
        for (int k = static_cast<int>(random() % 4); k > 0; --k)
            t += pieces[random() % pieces.size()];
        texts.push_back(t);
        keys.setSpelled(i, t);
    }
    std::vector<std::uint32_t> expected(texts.size());
    for (std::uint32_t i = 0; i < expected.size(); ++i)
        expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (const int c = CompareNames(texts[a], texts[b]); c != 0)
            return c < 0;
        return texts[a] < texts[b];
    });
    const std::vector<std::uint32_t> order = keys.stableOrder();
    ASSERT_EQ(order, expected);
    for (std::size_t i = 1; i < order.size(); ++i) {
        ASSERT_EQ(keys.sameName(order[i], order[i - 1]),
                  CompareNames(texts[order[i]], texts[order[i - 1]]) == 0)
            << i;
        ASSERT_EQ(keys.key(order[i]) == keys.key(order[i - 1]), texts[order[i]] == texts[order[i - 1]]) << i;
    }
}

TEST(InCatalogueOrder, VisitsEveryEntryOnceByAlbumKeepingEachAlbumsEntriesTogether)
{
    const std::vector<std::uint32_t> albums = {7, 7, 2, 9, 2, 2, 7, 0};
    const auto visit = inCatalogueOrder(albums.size(), [&](std::uint32_t i) { return albums[i]; });
    EXPECT_EQ(visit, (std::vector<std::uint32_t>{7, 2, 4, 5, 0, 1, 6, 3}));
}

TEST(GapCount, CountsEveryGapValueAndAtLeastOne)
{
    EXPECT_EQ(gapCount(0), 1);
    EXPECT_EQ(gapCount(1), 1);
    EXPECT_EQ(gapCount(3), 1);
    EXPECT_EQ(gapCount(4), 2);
    EXPECT_EQ(gapCount(10), 3);
    EXPECT_EQ(gapCount(1000), 9);
}

} // namespace
} // namespace discora
