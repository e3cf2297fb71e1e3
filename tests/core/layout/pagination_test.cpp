// Printed pages without a printer: lines and entries per page, the letter and name breaks of each
// layout, selections, and which entries each page prints.
#include "core/layout/pagination.h"
#include "core/layout/viewlayout.h"
#include "core/order/orderentries.h"
#include "support/orderfixture.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using ordertest::albumsWith;
using ordertest::albumWith;
using ordertest::documentOf;
using ordertest::optionsWith;

constexpr int kLine = 10; // printer pixels per line in these tests

PageMetrics pageOfLines(int lines)
{
    return {lines * kLine, kLine};
}

// The normal layout with every display switch off: 5 lines per album.
ViewOptions shortAlbums(std::initializer_list<std::pair<ViewOption, int>> more = {})
{
    ViewOptions o = optionsWith(more);
    o.set(ViewOption::ShowSongs, 0);
    return o;
}

// What each page prints: the text of field of each entry's album.
std::vector<std::vector<std::string>> pagesOf(const Catalogue& doc, const Pagination& p, Field field)
{
    std::vector<std::vector<std::string>> pages;
    for (int page = 1; page <= p.pageCount; ++page) {
        auto& texts = pages.emplace_back();
        const EntryRange r = p.entriesOn(page);
        for (int n = r.first; n <= r.last; ++n)
            texts.emplace_back(doc.text(field, static_cast<int>(*albumOfEntry(doc, p.positionOf(n)))));
    }
    return pages;
}

// What each page of a derived list prints: each entry's grouping key.
std::vector<std::vector<std::string>> keysOf(const Catalogue& doc, const Pagination& p)
{
    std::vector<std::vector<std::string>> pages;
    for (int page = 1; page <= p.pageCount; ++page) {
        auto& keys = pages.emplace_back();
        const EntryRange r = p.entriesOn(page);
        for (int n = r.first; n <= r.last; ++n)
            keys.emplace_back(groupKey(doc, p.kind, p.positionOf(n)));
    }
    return pages;
}

using Pages = std::vector<std::vector<std::string>>;

TEST(Pagination, LinesAndEntriesPerPage)
{
    struct Case
    {
        const char* name;
        ViewOptions options;
        ViewStyle style;
        SortOrder order;
        int pageLines;
        int linesPerPage;
        int entriesPerPage;
        int pageCount; // of 23 albums
    };
    const Case cases[] = {
        {"normal, 5 lines an album, footer reserved", shortAlbums(), ViewStyle::Normal, SortOrder::ByArtist,
         52, 50, 10, 3},
        {"normal without page numbers", shortAlbums({{ViewOption::ShowPageNum, 0}}), ViewStyle::Normal,
         SortOrder::ByArtist, 52, 52, 10, 3},
        {"normal, songs shown: 19 lines an album", ViewOptions{}, ViewStyle::Normal, SortOrder::ByArtist, 60,
         58, 3, 8},
        {"one record per page", shortAlbums({{ViewOption::NlViewPrint, 1}}), ViewStyle::Normal,
         SortOrder::ByArtist, 52, 50, 1, 23},
        {"single line: heading row and footer reserved", ViewOptions{}, ViewStyle::SingleLineSorts,
         SortOrder::ByLabel, 13, 10, 10, 3},
        {"single line without page numbers gains two lines", optionsWith({{ViewOption::ShowPageNum, 0}}),
         ViewStyle::SingleLineSorts, SortOrder::ByLabel, 13, 12, 12, 2},
        {"an album taller than the page still prints, one a page", optionsWith({{ViewOption::ShowPeople, 1}}),
         ViewStyle::Normal, SortOrder::ByArtist, 20, 18, 1, 23},
        {"a line taller than the page", ViewOptions{}, ViewStyle::SingleLineSorts, SortOrder::ByLabel, 0, 1,
         1, 23},
    };
    std::vector<std::string> artists;
    for (int i = 0; i < 23; ++i)
        artists.push_back("Artist " + std::to_string(100 + i));
    for (const Case& c : cases) {
        auto doc = documentOf(albumsWith(Field::Artist, artists), c.options, c.style);
        doc->runOrder(c.order);
        const Pagination p = paginate(*doc, pageOfLines(c.pageLines), std::nullopt);
        EXPECT_EQ(p.linesPerPage, c.linesPerPage) << c.name;
        EXPECT_EQ(p.entriesPerPage, c.entriesPerPage) << c.name;
        EXPECT_EQ(p.pageCount, c.pageCount) << c.name;
        // Every entry is printed once, in order.
        int next = 0;
        for (int page = 1; page <= p.pageCount; ++page) {
            const EntryRange r = p.entriesOn(page);
            EXPECT_EQ(r.first, next) << c.name << " page " << page;
            next = r.last + 1;
        }
        EXPECT_EQ(next, 23) << c.name;
    }
}

TEST(Pagination, AZeroLineHeightIsTakenAsOnePixel)
{
    auto doc = documentOf(albumsWith(Field::Artist, {"A", "B"}), shortAlbums());
    const Pagination p = paginate(*doc, PageMetrics{100, 0}, std::nullopt);
    EXPECT_EQ(p.lineHeight, 1);
    EXPECT_EQ(p.linesPerPage, 98);
    EXPECT_EQ(p.pageCount, 1);
}

TEST(Pagination, NothingToPrintStillPrintsOneEmptyPage)
{
    for (int option : {0, 1, 2, 3}) {
        auto doc = documentOf({}, shortAlbums({{ViewOption::NlViewPrint, option}}));
        const Pagination p = paginate(*doc, pageOfLines(52), std::nullopt);
        EXPECT_EQ(p.printCount, 0) << option;
        EXPECT_EQ(p.pageCount, 1) << option;
        EXPECT_TRUE(p.entriesOn(1).empty()) << option;
        EXPECT_TRUE(p.entriesOn(2).empty()) << option;
    }
}

TEST(Pagination, LetterBreaksFollowTheIgnoreTheSwitch)
{
    const std::vector<std::string> artists = {"Toto", "The Band", "Blondie", "Air", "Television", "Cure"};
    const auto pagesWith = [&](int ignoreThe) {
        auto doc =
            documentOf(albumsWith(Field::Artist, artists),
                       shortAlbums({{ViewOption::NlViewPrint, 2}, {ViewOption::NlViewThe, ignoreThe}}));
        doc->runOrder(SortOrder::ByArtist);
        return pagesOf(*doc, paginate(*doc, pageOfLines(52), std::nullopt), Field::Artist);
    };
    EXPECT_EQ(pagesWith(1), (Pages{{"Air"}, {"The Band", "Blondie"}, {"Cure"}, {"Television", "Toto"}}));
    EXPECT_EQ(pagesWith(0), (Pages{{"Air"}, {"Blondie"}, {"Cure"}, {"Television", "The Band", "Toto"}}));
}

TEST(Pagination, AlbumNamesStartingWithDigitsJoinTheGroupTheyFollow)
{
    const std::vector<std::string> names = {"Blue", "1999", "Abbey Road", "2 Become 1", "(What's the Story)",
                                            "Bad"};
    const auto pagesOfOrder = [&](SortOrder order, Field field) {
        auto doc = documentOf(albumsWith(field, names), shortAlbums({{ViewOption::NlViewPrint, 2}}));
        doc->runOrder(order);
        return pagesOf(*doc, paginate(*doc, pageOfLines(52), std::nullopt), field);
    };
    EXPECT_EQ(pagesOfOrder(SortOrder::ByAlbumName, Field::AlbumName),
              (Pages{{"(What's the Story)", "1999", "2 Become 1"}, {"Abbey Road"}, {"Bad", "Blue"}}));
    // Other orders give every first character its own pages.
    EXPECT_EQ(pagesOfOrder(SortOrder::ByArtist, Field::Artist),
              (Pages{{"(What's the Story)"}, {"1999"}, {"2 Become 1"}, {"Abbey Road"}, {"Bad", "Blue"}}));
}

TEST(Pagination, ALetterGroupFillsWholePagesAndTheNextLetterStartsAFreshOne)
{
    std::vector<std::string> artists;
    for (int i = 0; i < 25; ++i)
        artists.push_back("A" + std::to_string(10 + i));
    for (int i = 0; i < 3; ++i)
        artists.push_back("B" + std::to_string(10 + i));
    auto doc = documentOf(albumsWith(Field::Artist, artists), shortAlbums({{ViewOption::NlViewPrint, 2}}));
    const Pagination p = paginate(*doc, pageOfLines(52), std::nullopt);
    ASSERT_EQ(p.entriesPerPage, 10);
    EXPECT_EQ(p.pageTable, (std::vector<EntryRange>{{0, 9}, {10, 19}, {20, 24}, {25, 27}}));
    EXPECT_EQ(p.pageCount, 4);
}

TEST(Pagination, NamesThatDifferOnlyInLetterCaseAreDifferentNames)
{
    auto doc = documentOf(albumsWith(Field::Label, {"Decca", "EMI", "decca", "Decca"}),
                          shortAlbums({{ViewOption::NlViewPrint, 3}}));
    doc->runOrder(SortOrder::ByLabel);
    const Pagination p = paginate(*doc, pageOfLines(52), std::nullopt);
    EXPECT_EQ(pagesOf(*doc, p, Field::Label), (Pages{{"Decca"}, {"decca"}, {"Decca"}, {"EMI"}}));
}

TEST(Pagination, OrdersWithoutANameAreNeverGrouped)
{
    struct Case
    {
        const char* name;
        ViewStyle style;
        SortOrder order;
        ViewOption option;
        int value;
        PageBreak expected;
    };
    const Case cases[] = {
        {"number, normal, letters", ViewStyle::Normal, SortOrder::ByNumber, ViewOption::NlViewPrint, 2,
         PageBreak::None},
        {"number, normal, names", ViewStyle::Normal, SortOrder::ByNumber, ViewOption::NlViewPrint, 3,
         PageBreak::None},
        {"number, one record a page", ViewStyle::Normal, SortOrder::ByNumber, ViewOption::NlViewPrint, 1,
         PageBreak::OneRecordPerPage},
        {"number, single line", ViewStyle::SingleLineSorts, SortOrder::ByNumber, ViewOption::GroupViewPrint,
         1, PageBreak::None},
        {"quality, normal", ViewStyle::Normal, SortOrder::ByQuality, ViewOption::NlViewPrint, 2,
         PageBreak::None},
        {"quality, single line", ViewStyle::SingleLineSorts, SortOrder::ByQuality, ViewOption::GroupViewPrint,
         1, PageBreak::Letter},
        {"label, single line, names", ViewStyle::SingleLineSorts, SortOrder::ByLabel,
         ViewOption::GroupViewPrint, 2, PageBreak::NameChange},
        {"songs", ViewStyle::Normal, SortOrder::BySongDetail, ViewOption::SongPrint, 1, PageBreak::Letter},
        {"artist short list, names", ViewStyle::Normal, SortOrder::ByArtistShort, ViewOption::ArtistPrint, 2,
         PageBreak::NameChange},
        {"an option value out of range", ViewStyle::Normal, SortOrder::ByProducer, ViewOption::ProducerPrint,
         7, PageBreak::None},
    };
    for (const Case& c : cases) {
        const ViewOptions o = optionsWith({{c.option, c.value}});
        EXPECT_EQ(pageBreakOf(layoutKindOf(c.order, c.style), c.order, o), c.expected) << c.name;
    }
    // Twelve albums numbered A to L print ten to a page with the letter option on.
    std::vector<std::string> numbers;
    for (char c = 'A'; c <= 'L'; ++c)
        numbers.emplace_back(1, c);
    auto doc = documentOf(albumsWith(Field::Number, numbers), shortAlbums({{ViewOption::NlViewPrint, 2}}));
    doc->runOrder(SortOrder::ByNumber);
    const Pagination p = paginate(*doc, pageOfLines(52), std::nullopt);
    EXPECT_FALSE(p.grouped());
    EXPECT_EQ(p.pageCount, 2);
}

TEST(Pagination, ASelectionPrintsOnlyItsEntriesInOrder)
{
    const std::vector<std::string> artists = {"Ann", "Bob", "Abe", "Cat", "Amy", "Ben"};
    auto doc = documentOf(albumsWith(Field::Artist, artists), shortAlbums({{ViewOption::NlViewPrint, 2}}));
    // Sorted: Abe Amy Ann Ben Bob Cat; the selection skips Amy and Bob, and a stale position goes.
    Pagination p = paginate(*doc, pageOfLines(52), std::vector<int>{0, 2, 3, 5, 9});
    EXPECT_EQ(p.printCount, 4);
    EXPECT_EQ(pagesOf(*doc, p, Field::Artist), (Pages{{"Abe", "Ann"}, {"Ben"}, {"Cat"}}));

    auto plain = documentOf(albumsWith(Field::Artist, artists), shortAlbums({{ViewOption::NlViewPrint, 1}}));
    p = paginate(*plain, pageOfLines(52), std::vector<int>{1, 4});
    EXPECT_EQ(p.pageCount, 2);
    EXPECT_EQ(pagesOf(*plain, p, Field::Artist), (Pages{{"Amy"}, {"Bob"}}));
}

TEST(Pagination, DerivedListsGroupByTheirOwnKeys)
{
    AlbumRecord first = albumWith({{Field::Artist, "Zed"}, {Field::Producer1, "Bob Rock"}});
    first.songs[0].title = "Angie";
    first.songs[1].title = "2000 Light Years";
    first.songs[2].title = "Bad";
    first.songs[3].title = "The Boxer";
    AlbumRecord second = albumWith({{Field::Artist, "Abba"}, {Field::Producer1, "The Brian Eno"}});
    second.songs[0].title = "1999";
    second.songs[1].title = "Another Day";
    const auto pagesOfList = [&](SortOrder order, ViewOptions options) {
        auto doc = documentOf({first, second}, options);
        doc->runOrder(order);
        return keysOf(*doc, paginate(*doc, pageOfLines(20), std::nullopt));
    };
    // Digits join the group of the song before them; "The" is dropped by the song switch.
    EXPECT_EQ(pagesOfList(SortOrder::BySong, optionsWith({{ViewOption::SongPrint, 1}})),
              (Pages{{"1999", "2000 Light Years"}, {"Angie", "Another Day"}, {"Bad", "The Boxer"}}));
    EXPECT_EQ(
        pagesOfList(SortOrder::BySong, optionsWith({{ViewOption::SongPrint, 1}, {ViewOption::SongThe, 0}})),
        (Pages{{"1999", "2000 Light Years"}, {"Angie", "Another Day"}, {"Bad"}, {"The Boxer"}}));
    // The artist short list: each artist, heading and songs, on pages of its own.
    EXPECT_EQ(pagesOfList(SortOrder::ByArtistShort, optionsWith({{ViewOption::ArtistPrint, 2}})),
              (Pages{{"Abba", "Abba", "Abba"}, {"Zed", "Zed", "Zed", "Zed", "Zed"}}));
    // The producers' letters always skip "The", though the list sorts it under T.
    EXPECT_EQ(pagesOfList(SortOrder::ByProducer, optionsWith({{ViewOption::ProducerPrint, 1}})),
              (Pages{{"Bob Rock", "The Brian Eno"}}));
    EXPECT_EQ(pagesOfList(SortOrder::ByProducer, optionsWith({{ViewOption::ProducerPrint, 2}})),
              (Pages{{"Bob Rock"}, {"The Brian Eno"}}));
}

TEST(Pagination, GroupLetters)
{
    struct Case
    {
        const char* key;
        bool ignoreThe;
        char32_t letter;
    };
    const Case cases[] = {
        {"Beatles", false, U'b'},   {"the beatles", true, U'b'}, {"The Beatles", false, U't'},
        {"The", true, U't'},        {"The ", true, U't'},        {"The  X", true, U' '},
        {"Élan", false, U'\u00C9'}, {"", true, kNoLetter},       {"7 Seconds", true, U'7'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(groupLetter(c.key, c.ignoreThe), c.letter) << c.key;
}

TEST(Pagination, WhereThePageStartsAndTheFooterGoes)
{
    struct Case
    {
        const char* name;
        ViewOptions options;
        ViewStyle style;
        int firstLine;
        int footerLine;
    };
    const Case cases[] = {
        // 50 lines hold ten 5-line albums exactly; 52 leave two over, and the albums start a line down.
        {"albums fill the page", shortAlbums(), ViewStyle::Normal, 0, 51},
        {"a line over", shortAlbums({{ViewOption::ShowPageNum, 0}}), ViewStyle::Normal, 1, 53},
        {"one record a page starts at the top",
         shortAlbums({{ViewOption::NlViewPrint, 1}, {ViewOption::ShowPageNum, 0}}), ViewStyle::Normal, 0, 53},
        {"a column list starts below its heading row", ViewOptions{}, ViewStyle::SingleLineSorts, 1, 51},
    };
    for (const Case& c : cases) {
        auto doc = documentOf(albumsWith(Field::Artist, {"A"}), c.options, c.style);
        const Pagination p = paginate(*doc, pageOfLines(52), std::nullopt);
        EXPECT_EQ(p.firstEntryLine(), c.firstLine) << c.name;
        EXPECT_EQ(p.footerLine(), c.footerLine) << c.name;
    }
    EXPECT_EQ(pageFooter(3, 12), "Page Number 3 of 12");
}

} // namespace
} // namespace discora
