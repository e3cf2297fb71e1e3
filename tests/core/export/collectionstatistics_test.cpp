// The statistics: the figures of a generated catalogue with details against a count made here in
// another way (whole album records, standard containers, the texts parsed afresh); the rules for
// times, prices, names and loans on small catalogues; that a click on a chart filters to the albums
// its bar counts; and the text --stats prints.
#include "core/document/cataloguedocument.h"
#include "core/export/collectionstatistics.h"
#include "core/export/statisticscharts.h"
#include "core/export/statisticslisting.h"
#include "core/fileformat/cataloguereader.h"
#include "core/model/albumstore.h"
#include "core/model/columnlayout.h"

#include "cataloguegenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <numeric>
#include <regex>
#include <set>

namespace discora {
namespace {

constexpr std::string_view kToday = "2024-06-01";

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c);
    });
    return out;
}

// Counts by lower-cased name; the total of the albums behind each.
using Counts = std::map<std::string, int>;

// What the figures must be, counted album record by album record.
struct Expected
{
    int albums = 0;
    std::int64_t songs = 0, timedSongs = 0, seconds = 0;
    std::set<std::string> performers;
    int onLoan = 0, overdue = 0;
    std::map<std::string, int> statuses;
    Counts mediaTypes, musicTypes, artists, labels, producers;
    int withoutMediaType = 0, withoutMusicType = 0, withoutYear = 0;
    std::map<int, int> years, decades;
    std::map<std::string, int> mediaGrades, sleeveGrades; // upper-cased grade, "" for none
    std::map<std::string, int> eitherGrades;              // albums under each grade of media or sleeve
    std::map<int, int> ratings;
    std::map<std::string, std::pair<std::int64_t, int>> prices, values; // by upper-cased currency
};

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::int64_t centsOf(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return std::llround(std::stod(text) * 100);
}

Expected countIndependently(const AlbumStore& store, const std::vector<std::uint32_t>& shown)
{
    Expected e;
    for (std::uint32_t index : shown) {
        const AlbumRecord a = store.album(static_cast<int>(index));
        ++e.albums;
        for (const Song& song : a.songs) {
            if (song.title.empty())
                continue;
            ++e.songs;
            // The generator writes minutes, a colon and two digits of seconds.
            int minutes = 0, seconds = 0, length = 0;
            if (std::sscanf(song.time.c_str(), "%d:%2d%n", &minutes, &seconds, &length) == 2 &&
                length == static_cast<int>(song.time.size()) && song.time.size() - song.time.find(':') == 3) {
                ++e.timedSongs;
                e.seconds += minutes * 60 + seconds;
            }
        }
        for (const Performer& p : a.performers) {
            std::string name = p.name;
            name.erase(0, name.find_first_not_of(" \t\r\n"));
            if (!name.empty())
                e.performers.insert(lower(name));
        }
        const auto tally = [](Counts& counts, const std::string& name) {
            if (!name.empty())
                ++counts[lower(name)];
        };
        tally(e.artists, a.artist);
        tally(e.labels, a.label);
        tally(e.mediaTypes, a.mediaType);
        tally(e.musicTypes, a.musicType);
        e.withoutMediaType += a.mediaType.empty();
        e.withoutMusicType += a.musicType.empty();
        const auto named = [](const std::string& p) { return !p.empty() && p[0] != ' '; };
        if (named(a.producer1))
            ++e.producers[lower(a.producer1)];
        if (named(a.producer2) && lower(a.producer2) != lower(a.producer1))
            ++e.producers[lower(a.producer2)];

        const std::string& status = a.text(Field::Status);
        ++e.statuses[status.empty() ? "In Collection" : status];
        const std::string& year = a.text(Field::Year);
        if (year.empty()) {
            ++e.withoutYear;
        } else {
            ++e.years[std::stoi(year)];
            ++e.decades[std::stoi(year) - std::stoi(year) % 10];
        }
        ++e.mediaGrades[upper(a.text(Field::MediaCondition))];
        ++e.sleeveGrades[upper(a.text(Field::SleeveCondition))];
        std::set<std::string> either{upper(a.text(Field::MediaCondition)),
                                     upper(a.text(Field::SleeveCondition))};
        if (either.size() > 1)
            either.erase("");
        for (const std::string& grade : either)
            ++e.eitherGrades[grade];
        const std::string& rating = a.text(Field::Rating);
        ++e.ratings[rating.empty() ? 0 : std::stoi(rating)];
        const std::string currency = upper(a.text(Field::Currency));
        if (!a.text(Field::PurchasePrice).empty()) {
            e.prices[currency].first += centsOf(a.text(Field::PurchasePrice));
            ++e.prices[currency].second;
        }
        if (!a.text(Field::CurrentValue).empty()) {
            e.values[currency].first += centsOf(a.text(Field::CurrentValue));
            ++e.values[currency].second;
        }
        // The last line of the loans, when it has no return date, is a loan that is out.
        const std::string& loans = a.text(Field::Loans);
        if (!loans.empty()) {
            const std::string last =
                loans.substr(loans.rfind('\n') == std::string::npos ? 0 : loans.rfind('\n') + 1);
            const std::regex out(R"(^[^\t]*\t[^\t]*\t([^\t]*)\t$)");
            std::smatch m;
            if (std::regex_match(last, m, out)) {
                ++e.onLoan;
                e.overdue += !m[1].str().empty() && m[1].str() < kToday;
            }
        }
    }
    return e;
}

// Every name of a list with its count as the independent count has it, and the list holds the
// names with most albums: none left out has more than the last one kept.
void expectMostFirst(const std::vector<NamedCount>& got, const Counts& expected, std::size_t limit,
                     const char* what)
{
    SCOPED_TRACE(what);
    ASSERT_EQ(got.size(), std::min(limit, expected.size()));
    std::set<std::string> listed;
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(expected.count(lower(got[i].name)), 1u) << got[i].name;
        EXPECT_EQ(got[i].albums, expected.at(lower(got[i].name))) << got[i].name;
        if (i > 0) {
            EXPECT_GE(got[i - 1].albums, got[i].albums);
        }
        listed.insert(lower(got[i].name));
    }
    // A name left out has no more albums than the last one listed.
    const auto fewestListed = got.back().albums;
    for (const auto& [name, count] : expected)
        if (!listed.count(name)) {
            EXPECT_GE(fewestListed, count) << name << " left out";
        }
}

void expectFigures(const CollectionStatistics& s, const Expected& e)
{
    EXPECT_EQ(s.albums, e.albums);
    EXPECT_EQ(s.songs, e.songs);
    EXPECT_EQ(s.timedSongs, e.timedSongs);
    EXPECT_EQ(s.playingSeconds, e.seconds);
    EXPECT_EQ(s.performers, static_cast<int>(e.performers.size()));
    EXPECT_EQ(s.onLoan, e.onLoan);
    EXPECT_EQ(s.overdue, e.overdue);
    for (AlbumStatus status : kAlbumStatuses)
        EXPECT_EQ(s.statuses[static_cast<std::size_t>(status)],
                  e.statuses.count(std::string(statusName(status)))
                      ? e.statuses.at(std::string(statusName(status)))
                      : 0)
            << statusName(status);
    EXPECT_EQ(s.wantList(), e.statuses.at("Wanted") + e.statuses.at("Ordered"));

    expectMostFirst(s.mediaTypes, e.mediaTypes, e.mediaTypes.size(), "media types");
    expectMostFirst(s.musicTypes, e.musicTypes, e.musicTypes.size(), "music types");
    EXPECT_EQ(s.withoutMediaType, e.withoutMediaType);
    EXPECT_EQ(s.withoutMusicType, e.withoutMusicType);
    expectMostFirst(s.topArtists, e.artists, kTopNames, "artists");
    expectMostFirst(s.topLabels, e.labels, kTopNames, "labels");
    expectMostFirst(s.topProducers, e.producers, kTopNames, "producers");
    EXPECT_EQ(s.artists, static_cast<int>(e.artists.size()));
    EXPECT_EQ(s.labels, static_cast<int>(e.labels.size()));
    EXPECT_EQ(s.producers, static_cast<int>(e.producers.size()));

    std::map<int, int> years, decades;
    for (const YearCount& y : s.years)
        years[y.year] = y.albums;
    for (const YearCount& d : s.decades)
        decades[d.year] = d.albums;
    EXPECT_EQ(years, e.years);
    EXPECT_EQ(decades, e.decades);
    EXPECT_TRUE(std::is_sorted(s.years.begin(), s.years.end(),
                               [](const YearCount& a, const YearCount& b) { return a.year < b.year; }));
    EXPECT_EQ(s.withoutYear, e.withoutYear);

    const auto grades = [](const ConditionSpread& spread) {
        std::map<std::string, int> m;
        for (std::size_t g = 0; g < kConditionGrades.size(); ++g)
            if (spread.grades[g] > 0)
                m[std::string(kConditionGrades[g])] = spread.grades[g];
        if (spread.ungraded > 0)
            m[""] = spread.ungraded;
        EXPECT_EQ(spread.other, 0);
        return m;
    };
    EXPECT_EQ(grades(s.mediaCondition), e.mediaGrades);
    EXPECT_EQ(grades(s.sleeveCondition), e.sleeveGrades);
    EXPECT_EQ(grades(s.eitherCondition), e.eitherGrades);
    std::map<int, int> ratings;
    for (int r = 0; r <= 5; ++r)
        if (s.ratings[static_cast<std::size_t>(r)] > 0)
            ratings[r] = s.ratings[static_cast<std::size_t>(r)];
    EXPECT_EQ(ratings, e.ratings);

    std::map<std::string, std::pair<std::int64_t, int>> prices, values;
    for (const CurrencyTotal& c : s.currencies) {
        if (c.priced > 0)
            prices[c.currency] = {c.purchaseCents, c.priced};
        if (c.valued > 0)
            values[c.currency] = {c.valueCents, c.valued};
    }
    EXPECT_EQ(prices, e.prices);
    EXPECT_EQ(values, e.values);
    EXPECT_EQ(s.unreadPrices, 0);
}

AlbumStore generatedWithDetails(int albums)
{
    GeneratorOptions options;
    options.collectionDetails = true;
    return generateCatalogue(albums, 37, options);
}

// All but every twentieth album, in an order that is not the catalogue's, as a filter and an order
// leave them.
std::vector<std::uint32_t> someShown(int albums)
{
    std::vector<std::uint32_t> shown;
    for (int a = albums - 1; a >= 0; --a)
        if (a % 20 != 1)
            shown.push_back(static_cast<std::uint32_t>(a));
    return shown;
}

TEST(CollectionStatistics, GeneratedCatalogueMatchesAnIndependentCount)
{
    const AlbumStore store = generatedWithDetails(4000);
    std::vector<std::uint32_t> all(static_cast<std::size_t>(store.albumCount()));
    std::iota(all.begin(), all.end(), 0u);
    const CollectionStatistics stats = collectionStatistics(store, all, kToday);
    const Expected expected = countIndependently(store, all);
    expectFigures(stats, expected);
    // The catalogue has what makes each figure worth testing.
    EXPECT_GT(expected.onLoan, 10);
    EXPECT_GT(expected.overdue, 3);
    EXPECT_GT(expected.prices.size(), 2u);
    EXPECT_GT(expected.decades.size(), 5u);

    const std::vector<std::uint32_t> shown = someShown(store.albumCount());
    expectFigures(collectionStatistics(store, shown, kToday), countIndependently(store, shown));
}

// A large catalogue is read on two threads; the figures are the same as one count of them all.
TEST(CollectionStatistics, LargeCatalogueReadOnTwoThreadsMatchesAnIndependentCount)
{
    const AlbumStore store = generatedWithDetails(70'000);
    const std::vector<std::uint32_t> shown = someShown(store.albumCount());
    ASSERT_GT(shown.size(), 65536u);
    expectFigures(collectionStatistics(store, shown, kToday), countIndependently(store, shown));
}

// Every bar or slice that takes a click names the filter that shows just the albums it counts:
// "Rock" leaves "Rock and Roll" out, a condition counts as the Condition filter keeps it (media or
// sleeve), a producer or rating has its filter; with filters already set, the click narrows them or
// is not offered.
TEST(ChartFilters, EveryClickableBarShowsTheAlbumsItCounts)
{
    AlbumStore store = generatedWithDetails(1500);
    const auto add = [&](std::initializer_list<std::pair<Field, std::string>> fields) {
        AlbumRecord r;
        for (const auto& [field, text] : fields)
            r.text(field) = text;
        store.appendAlbum(r);
    };
    add({{Field::MusicType, "rOCK"}, {Field::Producer1, "Ann Lee"}, {Field::Producer2, "ann lee"}});
    add({{Field::MediaType, ""}, {Field::MediaCondition, "vg+"}, {Field::SleeveCondition, "VG+"}});
    add({{Field::Producer2, "ANN LEE"}, {Field::Rating, "9"}, {Field::MediaCondition, "Mint-ish"}});
    auto doc = std::make_unique<CatalogueDocument>();
    doc->newDocument();
    LoadedCatalogue loaded;
    loaded.albums = std::move(store);
    loaded.layouts = defaultColumnLayouts(96);
    doc->adoptLoaded(std::move(loaded));

    using Filters = std::vector<std::pair<FilterField, std::string>>;
    const Filters starts[] = {
        {},
        {{FilterField::Year, "1975-1992"}, {FilterField::MusicType, "Ro"}},
        {{FilterField::Condition, "VG+"}},
        {{FilterField::Producer, "\"Ann Lee\""}, {FilterField::Rating, "3"}},
    };
    int clicks = 0;
    int refused = 0;
    for (const Filters& start : starts) {
        std::array<std::string, kFilterCount> base;
        base.fill(kNoFilter);
        for (const auto& [field, text] : start)
            base[static_cast<std::size_t>(field)] = text;
        ASSERT_TRUE(doc->setFilters(base));
        const std::vector<std::uint32_t> shown = doc->displayOrder();
        const CollectionStatistics stats = collectionStatistics(doc->albums(), shown, kToday);
        for (const StatisticsChart& chart : statisticsCharts(stats, doc->filters())) {
            for (std::size_t c = 0; c < chart.categories.size(); ++c) {
                if (!chart.filters[c]) {
                    ++refused;
                    continue;
                }
                ASSERT_EQ(chart.series.size(), 1u) << chart.title;
                ASSERT_FALSE(chart.amounts) << chart.title;
                std::array<std::string, kFilterCount> clicked = base;
                clicked[static_cast<std::size_t>(chart.filters[c]->field)] = chart.filters[c]->text;
                ASSERT_TRUE(doc->setFilters(clicked)) << chart.filters[c]->text;
                EXPECT_EQ(doc->displayedCount(), static_cast<int>(chart.series[0].values[c]))
                    << chart.title << ": " << chart.categories[c] << " as " << chart.filters[c]->text;
                // The albums shown are among those shown before the click.
                for (std::uint32_t a : doc->displayOrder())
                    ASSERT_TRUE(std::find(shown.begin(), shown.end(), a) != shown.end());
                ++clicks;
            }
        }
    }
    EXPECT_GT(clicks, 150);
    EXPECT_GT(refused, 10);
}

TEST(CollectionStatistics, NoAlbumsGiveZeroes)
{
    const CollectionStatistics stats = collectionStatistics(AlbumStore(), {}, kToday);
    EXPECT_EQ(stats, CollectionStatistics());
}

AlbumStore storeOf(const std::vector<AlbumRecord>& records)
{
    AlbumStore store;
    for (const AlbumRecord& r : records)
        store.appendAlbum(r);
    return store;
}

CollectionStatistics statsOfAll(const AlbumStore& store)
{
    std::vector<std::uint32_t> all(static_cast<std::size_t>(store.albumCount()));
    std::iota(all.begin(), all.end(), 0u);
    return collectionStatistics(store, all, kToday);
}

// Names differing in the case of A to Z are one, under the spelling most of them have; leading blanks
// of performers do not count, nor a producer named twice on one album, nor a producer the producer
// list counts as none.
TEST(CollectionStatistics, NamesCountAsTheFiltersAndListsTellThemApart)
{
    std::vector<AlbumRecord> records(5);
    records[0].artist = "the owls";
    records[1].artist = "The Owls";
    records[4].artist = "The Owls";
    records[2].artist = "Zoë";
    records[3].artist = "ZOË"; // Ë is not A to Z: another name
    records[0].producer1 = "Ann Lee";
    records[0].producer2 = "ann lee";
    records[1].producer1 = " Bob";
    records[1].producer2 = "No producer listed";
    records[2].producer2 = "Ann Lee";
    records[0].performers[0].name = " Cy";
    records[1].performers[0].name = "cy";
    records[1].performers[1].name = "Dee";
    records[2].mediaType = "CD";
    records[3].mediaType = "cd";
    const CollectionStatistics s = statsOfAll(storeOf(records));
    EXPECT_EQ(s.topArtists, (std::vector<NamedCount>{{"The Owls", 3}, {"ZOË", 1}, {"Zoë", 1}}));
    EXPECT_EQ(s.artists, 3);
    EXPECT_EQ(s.topProducers, (std::vector<NamedCount>{{"Ann Lee", 2}}));
    EXPECT_EQ(s.performers, 2);
    EXPECT_EQ(s.mediaTypes, (std::vector<NamedCount>{{"CD", 2}}));
    EXPECT_EQ(s.withoutMediaType, 3);
    EXPECT_EQ(s.withoutMusicType, 5);
}

TEST(CollectionStatistics, KeepsFifteenNamesWithMostAlbumsTiesByName)
{
    std::vector<AlbumRecord> records;
    for (int n = 0; n < 20; ++n)
        for (int k = 0; k <= n % 4; ++k) {
            AlbumRecord r;
            r.label = "Label " + std::string(1, static_cast<char>('T' - n));
            records.push_back(r);
        }
    const CollectionStatistics s = statsOfAll(storeOf(records));
    ASSERT_EQ(s.topLabels.size(), kTopNames);
    EXPECT_EQ(s.labels, 20);
    // Five labels of 4 albums, then five of 3 and five of 2, each by name.
    EXPECT_EQ(s.topLabels[0], (NamedCount{"Label A", 4}));
    EXPECT_EQ(s.topLabels[4], (NamedCount{"Label Q", 4}));
    EXPECT_EQ(s.topLabels[5], (NamedCount{"Label B", 3}));
    EXPECT_EQ(s.topLabels[14].albums, 2);
}

TEST(CollectionStatistics, SongTimesAreReadAsPeopleTypeThem)
{
    EXPECT_EQ(songSeconds("3:05"), 185);
    EXPECT_EQ(songSeconds("03:05"), 185);
    EXPECT_EQ(songSeconds(" 12:00 "), 720);
    EXPECT_EQ(songSeconds("1:02:03"), 3723);
    EXPECT_EQ(songSeconds("0:7"), 7);
    EXPECT_EQ(songSeconds("75:30"), 4530);
    for (std::string_view bad : {"", "45", "3:60", "3:005", "3.05", "3:", ":05", "a:05", "1:2:3:4", "-3:05"})
        EXPECT_EQ(songSeconds(bad), -1) << bad;
}

TEST(CollectionStatistics, PricesAreReadWithTheirDecimalAndGroupSeparators)
{
    EXPECT_EQ(amountCents("12.99"), 1299);
    EXPECT_EQ(amountCents("12,99"), 1299);
    EXPECT_EQ(amountCents("12,5"), 1250);
    EXPECT_EQ(amountCents("12"), 1200);
    EXPECT_EQ(amountCents("$12.99"), 1299);
    EXPECT_EQ(amountCents("12.99 EUR"), 1299);
    EXPECT_EQ(amountCents("€ 7"), 700);
    EXPECT_EQ(amountCents("1,234.50"), 123450);
    EXPECT_EQ(amountCents("1.234,50"), 123450);
    EXPECT_EQ(amountCents("1,234"), 123400);
    EXPECT_EQ(amountCents("1.234.567"), 123456700);
    for (std::string_view bad : {"", "free", "-5", "1,23,45", "12.99.1", "1.234.5678", "12,345.6.7", "1,2345",
                                 "1.234.50", "5 to 6", "12.", "99999999999999999"})
        EXPECT_EQ(amountCents(bad), -1) << bad;
}

// Loans, statuses, grades, ratings and prices as the Collection page keeps them, on four albums.
TEST(CollectionStatistics, DetailsAreCountedPerAlbum)
{
    std::vector<AlbumRecord> records(4);
    records[0].text(Field::Loans) = "Ann\t2024-01-01\t2024-02-01\t";          // out, overdue
    records[1].text(Field::Loans) = "Bob\t2024-01-01\t2099-01-01\t";          // out, not due
    records[2].text(Field::Loans) = "Cy\t2023-01-01\t2023-02-01\t2023-03-01"; // back
    records[0].text(Field::Status) = "Wanted";
    records[1].text(Field::Status) = "ordered";
    records[2].text(Field::Status) = "Sold";
    records[0].text(Field::MediaCondition) = "vg+";
    records[1].text(Field::MediaCondition) = "Shiny";
    records[2].text(Field::SleeveCondition) = "P";
    records[0].text(Field::Rating) = "5";
    records[1].text(Field::Rating) = "2";
    records[0].text(Field::PurchasePrice) = "10.50";
    records[0].text(Field::Currency) = "eur";
    records[0].text(Field::CurrentValue) = "20";
    records[1].text(Field::PurchasePrice) = "4,50";
    records[1].text(Field::Currency) = " EUR ";
    records[2].text(Field::PurchasePrice) = "a lot";
    records[2].text(Field::Currency) = "GBP";
    records[3].text(Field::CurrentValue) = "3";
    records[0].text(Field::Year) = "1975";
    records[1].text(Field::Year) = "1979";
    records[2].text(Field::Year) = "1980";
    records[3].text(Field::Year) = "75";
    const CollectionStatistics s = statsOfAll(storeOf(records));
    EXPECT_EQ(s.onLoan, 2);
    EXPECT_EQ(s.overdue, 1);
    EXPECT_EQ(s.statuses, (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_EQ(s.wantList(), 2);
    EXPECT_EQ(s.mediaCondition.grades[2], 1);
    EXPECT_EQ(s.mediaCondition.other, 1);
    EXPECT_EQ(s.mediaCondition.ungraded, 2);
    EXPECT_EQ(s.sleeveCondition.grades[7], 1);
    EXPECT_EQ(s.ratings, (std::array<int, 6>{2, 0, 1, 0, 0, 1}));
    EXPECT_EQ(s.currencies, (std::vector<CurrencyTotal>{{"", 0, 0, 300, 1}, {"EUR", 1500, 2, 2000, 1}}));
    EXPECT_EQ(s.unreadPrices, 1);
    EXPECT_EQ(s.decades, (std::vector<YearCount>{{1970, 2}, {1980, 1}}));
    EXPECT_EQ(s.years, (std::vector<YearCount>{{1975, 1}, {1979, 1}, {1980, 1}}));
    EXPECT_EQ(s.withoutYear, 1);
}

TEST(StatisticsListing, PrintsNamedFiguresUnderHeadings)
{
    std::vector<AlbumRecord> records(3);
    records[0].artist = "Tab\tMan";
    records[0].mediaType = "LP";
    records[1].mediaType = "LP";
    records[0].songs[0] = {"One", "1:00:01", "01"};
    records[0].songs[1] = {"Two", "2:30", "02"};
    records[1].songs[0] = {"Three", "", "01"};
    records[1].text(Field::Year) = "1968";
    records[0].text(Field::PurchasePrice) = "12.5";
    records[0].text(Field::Currency) = "USD";
    const std::string text = statisticsText(statisticsSections(statsOfAll(storeOf(records))));
    EXPECT_EQ(
        text,
        "[Totals]\n"
        "Albums\t3\n"
        "Songs\t3\n"
        "Songs with a time\t2\n"
        "Playing time\t1:02:31\n"
        "Artists\t1\n"
        "Performers\t0\n"
        "Labels\t0\n"
        "Producers\t0\n"
        "On loan\t0\n"
        "Overdue\t0\n"
        "Want list\t0\n"
        "With a year\t1\n"
        "Prices not read\t0\n"
        "\n[Status]\nIn Collection\t3\nWanted\t0\nOrdered\t0\nSold\t0\n"
        "\n[Media types]\nLP\t2\n(none)\t1\n"
        "\n[Music types]\n(none)\t3\n"
        "\n[Decades]\n1960s\t1\n"
        "\n[Years]\n1968\t1\n"
        "\n[Artists]\nTab\\tMan\t1\n"
        "\n[Labels]\n"
        "\n[Producers]\n"
        "\n[Media condition]\nM\t0\nNM\t0\nVG+\t0\nVG\t0\nG+\t0\nG\t0\nF\t0\nP\t0\nOther\t0\nNot graded\t3\n"
        "\n[Sleeve condition]\nM\t0\nNM\t0\nVG+\t0\nVG\t0\nG+\t0\nG\t0\nF\t0\nP\t0\nOther\t0\nNot graded\t3\n"
        "\n[Media or sleeve condition]\nM\t0\nNM\t0\nVG+\t0\nVG\t0\nG+\t0\nG\t0\nF\t0\nP\t0\nOther\t0\nNot "
        "graded\t3\n"
        "\n[Rating]\nNo rating\t3\n1 star\t0\n2 stars\t0\n3 stars\t0\n4 stars\t0\n5 stars\t0\n"
        "\n[Purchase price]\nUSD\t12.50\nUSD albums\t1\n"
        "\n[Current value]\n");
}

} // namespace
} // namespace discora
