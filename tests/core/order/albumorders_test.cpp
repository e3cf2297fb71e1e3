// The ten album orders: which of them drop a leading "The " under which view style and option,
// that the exchange-sort orders give exactly a plain exchange sort's result, the number order, and
// the status texts and bars they show.
#include "support/orderfixture.h"

#include "core/order/albumorders.h"
#include "core/order/orders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>

namespace discora {
namespace {

using namespace ordertest;

struct AlbumOrderField
{
    SortOrder order;
    Field field;
    const char* name;
};

constexpr AlbumOrderField kViewRuleOrders[] = {
    {SortOrder::ByArtist, Field::Artist, "ByArtist"},
    {SortOrder::ByAlbumName, Field::AlbumName, "ByAlbumName"},
    {SortOrder::ByCatalogNumber, Field::CatalogNumber, "ByCatalogNumber"},
    {SortOrder::ByCustom1, Field::Custom1, "ByCustom1"},
    {SortOrder::ByCustom2, Field::Custom2, "ByCustom2"},
    {SortOrder::ByLabel, Field::Label, "ByLabel"},
};

constexpr AlbumOrderField kNeverTheOrders[] = {
    {SortOrder::ByMediaType, Field::MediaType, "ByMediaType"},
    {SortOrder::ByMusicType, Field::MusicType, "ByMusicType"},
    {SortOrder::ByQuality, Field::Quality, "ByQuality"},
};

const std::vector<std::string> kTheTexts = {"Zappa", "The Beatles", "Theatre",   "The",  "THE WHO",
                                            "The ",  "Abba",        "The\tBand", "Cream"};
// 'The', 'The ' (exactly four characters), 'Theatre' and 'The<tab>Band' keep their article either way.
const std::vector<std::string> kTheKept = {"Abba",        "Cream",   "The",     "The\tBand", "The ",
                                           "The Beatles", "THE WHO", "Theatre", "Zappa"};
const std::vector<std::string> kTheDropped = {"Abba", "The Beatles", "Cream",   "The",  "The\tBand",
                                              "The ", "Theatre",     "THE WHO", "Zappa"};

struct StyleCase
{
    const char* name;
    ViewStyle style;
    int nlViewThe;
    int groupViewThe;
    bool drops;
};

// Each style reads its own option; the other style's option is set the opposite way.
constexpr StyleCase kStyleCases[] = {
    {"Normal, NlViewThe on", ViewStyle::Normal, 1, 0, true},
    {"Normal, NlViewThe off", ViewStyle::Normal, 0, 1, false},
    {"SingleLine, GroupViewThe on", ViewStyle::SingleLineSorts, 0, 1, true},
    {"SingleLine, GroupViewThe off", ViewStyle::SingleLineSorts, 1, 0, false},
};

class ViewRuleOrder : public ::testing::TestWithParam<AlbumOrderField>
{
};

TEST_P(ViewRuleOrder, DropsTheOnlyWhenTheStylesOptionIsOn)
{
    const AlbumOrderField& o = GetParam();
    for (const StyleCase& c : kStyleCases) {
        // The artist short list's option must not leak into the plain album orders.
        const auto options = optionsWith({{ViewOption::NlViewThe, c.nlViewThe},
                                          {ViewOption::GroupViewThe, c.groupViewThe},
                                          {ViewOption::ArtistThe, c.drops ? 0 : 1}});
        auto doc = documentOf(albumsWith(o.field, kTheTexts), options, c.style);
        doc->runOrder(o.order);
        EXPECT_EQ(displayedTexts(*doc, o.field), c.drops ? kTheDropped : kTheKept) << c.name;
        EXPECT_EQ(doc->currentOrder(), o.order) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, ViewRuleOrder, ::testing::ValuesIn(kViewRuleOrders),
                         [](const auto& info) { return std::string(info.param.name); });

class NeverTheOrder : public ::testing::TestWithParam<AlbumOrderField>
{
};

TEST_P(NeverTheOrder, KeepsTheWhateverTheOptions)
{
    const AlbumOrderField& o = GetParam();
    const auto allOn = optionsWith({{ViewOption::NlViewThe, 1},
                                    {ViewOption::GroupViewThe, 1},
                                    {ViewOption::ArtistThe, 1},
                                    {ViewOption::SongThe, 1}});
    for (ViewStyle style : {ViewStyle::Normal, ViewStyle::SingleLineSorts}) {
        auto doc = documentOf(albumsWith(o.field, kTheTexts), allOn, style);
        doc->runOrder(o.order);
        EXPECT_EQ(displayedTexts(*doc, o.field), kTheKept);
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, NeverTheOrder, ::testing::ValuesIn(kNeverTheOrders),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Exactly the exchange sort's result --------------------------------------------------------

constexpr AlbumOrderField kExchangeOrders[] = {
    {SortOrder::ByArtist, Field::Artist, "ByArtist"},
    {SortOrder::ByCatalogNumber, Field::CatalogNumber, "ByCatalogNumber"},
    {SortOrder::ByCustom1, Field::Custom1, "ByCustom1"},
    {SortOrder::ByCustom2, Field::Custom2, "ByCustom2"},
    {SortOrder::ByLabel, Field::Label, "ByLabel"},
    {SortOrder::ByMediaType, Field::MediaType, "ByMediaType"},
    {SortOrder::ByMusicType, Field::MusicType, "ByMusicType"},
};

// Texts with many case-only twins, articles and characters beyond ASCII, so equal keys abound.
std::vector<std::string> twinTexts(int count, unsigned seed)
{
    const std::vector<std::string> words = {"abba", "ABBA", "Abba",  "the who", "The Who",
                                            "WHO",  "who",  "Émile", "émile",   "\xE6\x97\xA5",
                                            "",     " x",   "x",     "X"};
    std::mt19937 random(seed);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(words[random() % words.size()]);
    return texts;
}

class ExchangeOrder : public ::testing::TestWithParam<AlbumOrderField>
{
};

TEST_P(ExchangeOrder, MatchesAStableExchangeSortOfTheKeys)
{
    const AlbumOrderField& o = GetParam();
    for (int ignoreThe = 0; ignoreThe <= 1; ++ignoreThe) {
        auto albums = albumsWith(o.field, twinTexts(200, 11));
        // A previous order that is not catalogue order, so keeping it is visible.
        for (std::size_t i = 0; i < albums.size(); ++i)
            albums[i].quality = std::to_string((i * 37) % 200);
        auto doc = documentOf(albums, optionsWith({{ViewOption::NlViewThe, ignoreThe}}));
        doc->runOrder(SortOrder::ByQuality);
        std::vector<std::uint32_t> expected = doc->displayOrder();
        referenceExchangeSort(*doc, expected, o.field, albumOrderIgnoresThe(*doc, o.order));

        doc->runOrder(o.order);
        EXPECT_EQ(doc->displayOrder(), expected) << "ignore The " << ignoreThe;
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, ExchangeOrder, ::testing::ValuesIn(kExchangeOrders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExchangeOrder, CaseTwinsKeepTheirPreviousOrder)
{
    // Catalogue order is the previous order; 'b' and 'B' compare equal and are never exchanged.
    auto doc = documentOf(albumsWith(Field::Label, {"b", "a", "B", "A", "b"}));
    doc->runOrder(SortOrder::ByLabel);
    EXPECT_EQ(doc->displayOrder(), (std::vector<std::uint32_t>{1, 3, 0, 2, 4}));
}

TEST(GapOrder, AlbumNameAndQualityGiveSortedPermutations)
{
    for (const auto& [order, field] : {std::pair{SortOrder::ByAlbumName, Field::AlbumName},
                                       std::pair{SortOrder::ByQuality, Field::Quality}}) {
        auto doc =
            documentOf(albumsWith(field, twinTexts(300, 5)), optionsWith({{ViewOption::NlViewThe, 0}}));
        doc->runOrder(order);
        const auto texts = displayedTexts(*doc, field);
        ASSERT_EQ(texts.size(), 300u);
        for (std::size_t i = 1; i < texts.size(); ++i)
            ASSERT_LE(CompareNames(texts[i - 1], texts[i]), 0) << texts[i - 1] << " before " << texts[i];
        auto sortedOrder = doc->displayOrder();
        std::sort(sortedOrder.begin(), sortedOrder.end());
        for (std::uint32_t i = 0; i < 300; ++i)
            ASSERT_EQ(sortedOrder[i], i);
    }
}

// ---- By number ---------------------------------------------------------------------------------

struct NumberValueCase
{
    const char* text;
    std::optional<std::int64_t> value;
};

TEST(AlbumNumberValue, ReadsTheLeadingSignAndDigits)
{
    const NumberValueCase cases[] = {
        {"", std::nullopt}, {" 12", std::nullopt},
        {"12", 12},         {"007", 7},
        {"10b", 10},        {"A12", 0},
        {"-3", -3},         {"+4", 4},
        {"-", 0},           {"--2", 0},
        {"\t9", 0},         {"-0", 0},
    };
    for (const NumberValueCase& c : cases)
        EXPECT_EQ(albumNumberValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(AlbumNumberValue, AnAbsurdlyLongNumberStaysLargeWithoutOverflowing)
{
    const auto big = albumNumberValue("99999999999999999999999");
    const auto small = albumNumberValue("-99999999999999999999999");
    ASSERT_TRUE(big && small);
    EXPECT_GT(*big, 100'000'000'000'000'000LL);
    EXPECT_EQ(*small, -*big);
}

TEST(ByNumber, NumbersAscendThenTheUnnumberedInTheirPreviousOrder)
{
    std::vector<AlbumRecord> albums;
    const std::vector<std::pair<std::string, std::string>> numberAndLabel = {
        {"10", "a"}, {"", "h"},    {"2", "b"},  {" 5", "c"}, {"A12", "d"}, {"-3", "e"},
        {"", "f"},   {"-20", "g"}, {"+4", "i"}, {" ", "j"},  {"7x", "k"},
    };
    for (const auto& [number, label] : numberAndLabel)
        albums.push_back(albumWith({{Field::Number, number}, {Field::Label, label}}));
    auto doc = documentOf(albums);
    doc->runOrder(SortOrder::ByLabel); // unnumbered by label: ' 5'(c), ''(f), ''(h), ' '(j)

    doc->runOrder(SortOrder::ByNumber);
    EXPECT_EQ(displayedTexts(*doc, Field::Number),
              (std::vector<std::string>{"-20", "-3", "A12", "2", "+4", "7x", "10", " 5", "", "", " "}));
    EXPECT_EQ(displayedTexts(*doc, Field::Label),
              (std::vector<std::string>{"g", "e", "d", "b", "i", "k", "a", "c", "f", "h", "j"}));
}

TEST(ByNumber, ManyNegativeNumbersFinishInOrder)
{
    std::mt19937 random(3);
    std::vector<std::string> numbers;
    for (int i = 0; i < 500; ++i)
        numbers.push_back(std::to_string(static_cast<int>(random() % 2001) - 1000));
    auto doc = documentOf(albumsWith(Field::Number, numbers));
    doc->runOrder(SortOrder::ByNumber);
    const auto sorted = displayedTexts(*doc, Field::Number);
    for (std::size_t i = 1; i < sorted.size(); ++i)
        ASSERT_LE(std::stoi(sorted[i - 1]), std::stoi(sorted[i]));
}

// ---- What an album order shows and changes ----------------------------------------------------

struct ProgressCase
{
    SortOrder order;
    const char* text;
    int range; // for ten albums: nine passes, or the gap values 5, 2, 1
};

class AlbumOrderProgress : public ::testing::TestWithParam<ProgressCase>
{
};

TEST_P(AlbumOrderProgress, ShowsItsStatusTextAndFillsTheBar)
{
    const ProgressCase& c = GetParam();
    auto doc = documentOf(albumsWith(Field::Artist, twinTexts(10, 2)));
    RecordingProgress progress;
    doc->setProgressSink(&progress);
    CountingObserver observer;
    doc->addObserver(&observer);

    doc->runOrder(c.order);

    EXPECT_EQ(progress.phases(), (std::vector<RecordingProgress::Phase>{{c.text, c.range, c.range}}));
    EXPECT_TRUE(progress.balanced());
    EXPECT_EQ(observer.updates, 1);
    EXPECT_EQ(doc->currentOrder(), c.order);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, AlbumOrderProgress,
    ::testing::Values(ProgressCase{SortOrder::ByArtist, "Sorting by Group/Artist Name", 9},
                      ProgressCase{SortOrder::ByAlbumName, "Sorting by Album Name", 3},
                      ProgressCase{SortOrder::ByCatalogNumber, "Sorting by Catalog Number", 9},
                      ProgressCase{SortOrder::ByCustom1, "Sorting by Custom1", 9},
                      ProgressCase{SortOrder::ByCustom2, "Sorting by Custom2", 9},
                      ProgressCase{SortOrder::ByLabel, "Sorting by Label", 9},
                      ProgressCase{SortOrder::ByMediaType, "Sorting by Media Type", 9},
                      ProgressCase{SortOrder::ByMusicType, "Sorting by Music Type", 9},
                      ProgressCase{SortOrder::ByNumber, "Sorting by Number", 3},
                      ProgressCase{SortOrder::ByQuality, "Sorting by Quality", 3}),
    [](const auto& info) {
        std::string name = info.param.text;
        std::erase_if(name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); });
        return name;
    });

TEST(AlbumOrder, ShowsNothingWhileProgressIsOff)
{
    auto doc = documentOf(albumsWith(Field::Label, {"b", "a", "c"}));
    RecordingProgress progress;
    doc->setProgressSink(&progress);
    doc->setProgressEnabled(false);
    doc->runOrder(SortOrder::ByLabel);
    EXPECT_TRUE(progress.phases().empty());
    EXPECT_EQ(displayedTexts(*doc, Field::Label), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(AlbumOrder, DiscardsTheDerivedListShown)
{
    auto albums = albumsWith(Field::Label, {"b", "a"});
    albums[0].songs[0].title = "Song";
    albums[1].performers[0].name = "Player";
    albums[1].producer1 = "Producer";
    auto doc = documentOf(albums);
    for (SortOrder derived : {SortOrder::BySong, SortOrder::ByProducer, SortOrder::ByPerformer}) {
        doc->runOrder(derived);
        doc->runOrder(SortOrder::ByLabel);
        EXPECT_TRUE(doc->derivedLists().songs.empty());
        EXPECT_TRUE(doc->derivedLists().producers.empty());
        EXPECT_TRUE(doc->derivedLists().performers.empty());
        EXPECT_TRUE(doc->albumOrderCurrent());
    }
}

} // namespace
} // namespace discora
