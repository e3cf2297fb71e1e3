// Filters: which albums a selection lets through, the values the Filters dialog offers and the text
// each of its boxes shows for a stored selection.
#include "support/orderfixture.h"

#include "core/order/filters.h"
#include "core/order/orders.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using namespace ordertest;
using Lines = std::vector<std::string>;

Lines displayedSorted(const CatalogueDocument& doc, Field field)
{
    Lines texts = displayedTexts(doc, field);
    std::sort(texts.begin(), texts.end());
    return texts;
}

struct FilterCase
{
    const char* name;
    FilterField filter;
    Field field;
    std::string selection;
    Lines shown; // sorted
};

class FilterMatching : public ::testing::TestWithParam<FilterCase>
{
};

const Lines kValues = {"Rock", "rock", "Rock and Roll", "Hard Rock", "Ro", "Pop", ""};

TEST_P(FilterMatching, ShowsTheValuesThatBeginWithTheSelection)
{
    const FilterCase& c = GetParam();
    auto doc = documentOf(albumsWith(c.field, kValues));
    doc->setFilter(c.filter, c.selection);
    EXPECT_EQ(displayedSorted(*doc, c.field), c.shown);
}

const Lines kAllValues = [] {
    Lines all = kValues;
    std::sort(all.begin(), all.end());
    return all;
}();

INSTANTIATE_TEST_SUITE_P(
    Fields, FilterMatching,
    ::testing::Values(
        FilterCase{"MusicTypeRock",
                   FilterField::MusicType,
                   Field::MusicType,
                   "Rock",
                   {"Rock", "Rock and Roll", "rock"}},
        FilterCase{
            "ArtistLowerCase", FilterField::Artist, Field::Artist, "rOCK", {"Rock", "Rock and Roll", "rock"}},
        FilterCase{"LabelLongerThanValue", FilterField::Label, Field::Label, "Rock and Rolls", {}},
        FilterCase{"MediaTypePrefix",
                   FilterField::MediaType,
                   Field::MediaType,
                   "r",
                   {"Ro", "Rock", "Rock and Roll", "rock"}},
        FilterCase{"QualityEmptyShowsAll", FilterField::Quality, Field::Quality, "", kAllValues},
        FilterCase{"AllInAnyCase", FilterField::MusicType, Field::MusicType, "aLL", kAllValues},
        // In double quotes: the whole text, A to Z in any letter case.
        FilterCase{
            "QuotedIsTheWholeText", FilterField::MusicType, Field::MusicType, "\"Rock\"", {"Rock", "rock"}},
        FilterCase{"QuotedAnyCase", FilterField::Label, Field::Label, "\"ROCK AND ROLL\"", {"Rock and Roll"}},
        FilterCase{"QuotedBeginningIsNoMatch", FilterField::Artist, Field::Artist, "\"Ro\"", {"Ro"}},
        FilterCase{"QuotedEmptyIsTheEmptyField", FilterField::MediaType, Field::MediaType, "\"\"", {""}},
        FilterCase{"QuotedInsideIsKept", FilterField::Location, Field::Location, "\"\"Rock\"\"", {}},
        // A lone quote or one only at the start is a beginning as it always was.
        FilterCase{"LoneQuoteIsABeginning", FilterField::Quality, Field::Quality, "\"", {}},
        FilterCase{"OpenQuoteIsABeginning", FilterField::Quality, Field::Quality, "\"Rock", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PerformerFilter, MatchesWhenAnyOfTheTenPerformersBeginsWithIt)
{
    AlbumRecord tenth = albumWith({{Field::AlbumName, "tenth"}});
    tenth.performers[9].name = "Benny Andersson";
    AlbumRecord first = albumWith({{Field::AlbumName, "first"}});
    first.performers[0].name = "benny";
    AlbumRecord inside = albumWith({{Field::AlbumName, "inside"}});
    inside.performers[3].name = "Sir Benny";
    auto doc = documentOf({tenth, first, inside, albumWith({{Field::AlbumName, "none"}})});
    doc->setFilter(FilterField::Performer, "Benny");
    EXPECT_EQ(displayedSorted(*doc, Field::AlbumName), (Lines{"first", "tenth"}));
}

TEST(PerformerFilter, InQuotesMatchesAWholeNameAndEmptyQuotesTheAlbumsWithoutPerformers)
{
    AlbumRecord trimmed = albumWith({{Field::AlbumName, "trimmed"}});
    trimmed.performers[2].name = "  benny";
    AlbumRecord longer = albumWith({{Field::AlbumName, "longer"}});
    longer.performers[0].name = "Benny Andersson";
    AlbumRecord blank = albumWith({{Field::AlbumName, "blank"}});
    blank.performers[0].name = " ";
    auto doc = documentOf({trimmed, longer, blank, albumWith({{Field::AlbumName, "none"}})});
    const std::pair<const char*, Lines> cases[] = {
        {"\"Benny\"", {"trimmed"}},
        {"Benny", {"longer", "trimmed"}},
        {"\"\"", {"blank", "none"}},
    };
    for (const auto& [text, shown] : cases) {
        ASSERT_TRUE(doc->setFilter(FilterField::Performer, text));
        EXPECT_EQ(displayedSorted(*doc, Field::AlbumName), shown) << text;
    }
}

TEST(ProducerFilter, MatchesEitherProducerFieldAsTheOtherTextFiltersDo)
{
    const auto album = [](const char* name, const char* first, const char* second) {
        return albumWith({{Field::AlbumName, name}, {Field::Producer1, first}, {Field::Producer2, second}});
    };
    auto doc = documentOf({album("first", "George Martin", ""), album("second", "", "george martin"),
                           album("both", "George Martin", "Geoff Emerick"),
                           album("longer", "George Martinez", ""), album("none", "", "")});
    const std::pair<const char*, Lines> cases[] = {
        {"George", {"both", "first", "longer", "second"}},
        {"\"George Martin\"", {"both", "first", "second"}},
        {"\"geoff emerick\"", {"both"}},
        {"ge", {"both", "first", "longer", "second"}},
        {"\"George\"", {}},
        {"\"\"", {"none"}},
        {"", {"both", "first", "longer", "second"}},
    };
    for (const auto& [text, shown] : cases) {
        ASSERT_TRUE(doc->setFilter(FilterField::Producer, text));
        EXPECT_EQ(displayedSorted(*doc, Field::AlbumName), shown) << text;
    }
}

TEST(RatingFilter, KeepsTheAlbumsOfTheNamedNumberOfStars)
{
    // A rating the album keeps as some other text counts as none, as the statistics count it.
    auto doc = documentOf({albumWith({{Field::AlbumName, "three"}, {Field::Rating, "3"}}),
                           albumWith({{Field::AlbumName, "one"}, {Field::Rating, "1"}}),
                           albumWith({{Field::AlbumName, "odd"}, {Field::Rating, "7"}}),
                           albumWith({{Field::AlbumName, "unrated"}})});
    const std::pair<const char*, Lines> cases[] = {
        {"3", {"three"}},
        {"3 stars", {"three"}},
        {"1 STAR", {"one"}},
        {"5", {}},
        {"No rating", {"odd", "unrated"}},
        {"0", {"odd", "unrated"}},
    };
    for (const auto& [text, shown] : cases) {
        ASSERT_TRUE(doc->setFilter(FilterField::Rating, text)) << text;
        EXPECT_EQ(displayedSorted(*doc, Field::AlbumName), shown) << text;
    }
    for (const char* refused : {"6", "three", "3 star s", "-1", ""})
        EXPECT_TRUE(filterProblem(FilterField::Rating, refused).has_value()) << refused;
    EXPECT_EQ(filterChoices(FilterField::Rating),
              (Lines{"No rating", "1 star", "2 stars", "3 stars", "4 stars", "5 stars"}));
}

TEST(NarrowedFilter, KeepsTheAlbumsOfBothFiltersOrSaysNoTextCan)
{
    struct Case
    {
        FilterField field;
        const char* current;
        const char* chosen;
        std::optional<std::string> narrowed;
    };
    const Case cases[] = {
        {FilterField::Year, "All", "1970-1979", "1970-1979"},
        {FilterField::Year, "1975", "1970-1979", "1975"},
        {FilterField::Year, "1975-1985", "1970-1979", "1975-1979"},
        {FilterField::Year, "-1972", "1970-1979", "1970-1972"},
        {FilterField::Year, "1970-1979", "1971", "1971"},
        {FilterField::Year, "0005-", "0000-0009", "0005-0009"},
        {FilterField::MusicType, "ro", "\"Rock\"", "\"Rock\""},
        {FilterField::MusicType, "\"rock\"", "\"Rock\"", "\"Rock\""},
        {FilterField::MediaType, "", "\"\"", "\"\""},
        {FilterField::Producer, "G", "\"George Martin\"", "\"George Martin\""},
        {FilterField::Producer, "\"Geoff Emerick\"", "\"George Martin\"", std::nullopt},
        {FilterField::Producer, "\"Geoff Emerick\"", "\"GEOFF EMERICK\"", "\"GEOFF EMERICK\""},
        {FilterField::Producer, "G", "\"\"", std::nullopt},
        {FilterField::Condition, "VG+", "VG+", "VG+"},
        {FilterField::Condition, "M", "VG+", std::nullopt},
        {FilterField::Rating, "3", "3 stars", "3 stars"},
        {FilterField::Rating, "3", "1 star", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(narrowedFilter(c.field, c.current, c.chosen), c.narrowed) << c.current << " + " << c.chosen;
}

// ---- What the Filters dialog offers -------------------------------------------------------------

TEST(FilterValues, OrderedWithTheArticleIgnoredWhateverTheOptions)
{
    const auto off = optionsWith({{ViewOption::NlViewThe, 0},
                                  {ViewOption::GroupViewThe, 0},
                                  {ViewOption::ArtistThe, 0},
                                  {ViewOption::SongThe, 0}});
    auto doc = documentOf(
        albumsWith(Field::Artist, {"the Who", "Cream", "The Band", "Theatre of Tragedy", "ABBA", "The"}),
        off);
    EXPECT_EQ(sortedFilterValues(*doc, ValueListId::Artist),
              (Lines{"ABBA", "The Band", "Cream", "The", "Theatre of Tragedy", "the Who"}));
    // The document's own list keeps the order the entry sheet shows.
    EXPECT_EQ(doc->valueList(ValueListId::Artist).values().front(), "the Who");
}

TEST(DistinctPerformerNames, SortedTrimmedAndDistinctWithoutLetterCase)
{
    AlbumRecord a = albumWith({{Field::Label, "Shown"}});
    a.performers[0].name = "  zoe";
    a.performers[1].name = "Anni-Frid";
    a.performers[2].name = "ZOE";
    AlbumRecord b = albumWith({{Field::Label, "Shown"}});
    b.performers[4].name = "Benny";
    b.performers[5].name = "anni-frid";
    b.performers[6].name = "\t";
    AlbumRecord hidden = albumWith({{Field::Label, "Hidden"}});
    hidden.performers[0].name = "Hidden Player";
    auto doc = documentOf({a, b, hidden});
    doc->setFilter(FilterField::Label, "Sh"); // only the displayed albums count

    const Lines names = distinctPerformerNames(*doc);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(CompareNames(names[0], "anni-frid"), 0);
    EXPECT_EQ(names[1], "Benny");
    EXPECT_EQ(CompareNames(names[2], "zoe"), 0);
    EXPECT_NE(names[2], "  zoe");
}

TEST(DistinctPerformerNames, LeavesTheListOnScreenAlone)
{
    AlbumRecord a;
    a.performers[0] = {"Benny", "piano"};
    AlbumRecord b;
    b.performers[0] = {"Agnetha", "vocals"};
    auto doc = documentOf({a, b});
    doc->runOrder(SortOrder::ByPerformer);
    const auto before = doc->derivedLists().performers;
    ASSERT_EQ(before.size(), 4u);

    EXPECT_EQ(distinctPerformerNames(*doc), (Lines{"Agnetha", "Benny"}));
    EXPECT_EQ(doc->derivedLists().performers, before);
    EXPECT_EQ(doc->currentOrder(), SortOrder::ByPerformer);
}

struct SelectionCase
{
    const char* stored;
    const char* shown;
};

TEST(FilterSelectionShown, OnlyAllInAnyCaseIsNoFilterAndEveryOtherTextReopensAsStored)
{
    // "A" and "Al" begin "All" but are filters of their own; "Ro" must not become "Rock".
    const SelectionCase cases[] = {
        {"All", "All"}, {"all", "All"},   {"ALL", "All"}, {"A", "A"},       {"Al", "Al"},
        {"Ro", "Ro"},   {"rock", "rock"}, {"", ""},       {"All ", "All "},
    };
    for (const SelectionCase& c : cases)
        EXPECT_EQ(filterSelectionShown(c.stored), c.shown) << c.stored;
}

} // namespace
} // namespace discora
