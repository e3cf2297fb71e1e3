// The song, producer and performer lists: what they hold, how they are ordered, where the artist and
// performer headings go, and what the status area shows while they are built.
#include "support/orderfixture.h"

#include "core/order/orders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace discora {
namespace {

using namespace ordertest;
using Lines = std::vector<std::string>;

AlbumRecord albumWithSongs(std::string artist, std::vector<std::string> titles)
{
    AlbumRecord r;
    r.artist = std::move(artist);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        r.songs[i].title = titles[i];
        r.songs[i].trackNumber = std::to_string(i + 1);
    }
    return r;
}

// A header as "[artist]", a song as its title.
Lines songLines(const CatalogueDocument& doc)
{
    Lines lines;
    for (const SongEntry& e : doc.derivedLists().songs)
        lines.push_back(e.isHeader()
                            ? "[" + std::string(doc.text(Field::Artist, static_cast<int>(e.album))) + "]"
                            : std::string(songTitle(doc, e)));
    return lines;
}

Lines producerLines(const CatalogueDocument& doc)
{
    Lines lines;
    for (std::size_t i = 0; i < doc.derivedLists().producers.size(); ++i)
        lines.emplace_back(producerName(doc, i));
    return lines;
}

// A header as "== name", an entry as "name / instrument".
Lines performerLines(const CatalogueDocument& doc)
{
    Lines lines;
    for (const PerformerEntry& e : doc.derivedLists().performers)
        lines.push_back(e.header ? "== " + std::string(performerName(doc, e))
                                 : std::string(performerName(doc, e)) + " / " +
                                       std::string(performerInstrument(doc, e)));
    return lines;
}

// ---- Song list ---------------------------------------------------------------------------------

TEST(SongList, ListsEverySongWithATitleByTitle)
{
    AlbumRecord sparse = albumWithSongs("B", {"Zebra", "", "Apple"});
    sparse.songs[1].time = "3:00"; // a time without a title is still no song
    sparse.songs[25].title = "Last Slot";
    auto doc = documentOf({sparse, albumWithSongs("A", {"Mango", "Cherry"}), albumWithSongs("C", {})});

    doc->runOrder(SortOrder::BySong);

    EXPECT_EQ(songLines(*doc), (Lines{"Apple", "Cherry", "Last Slot", "Mango", "Zebra"}));
    EXPECT_EQ(doc->currentOrder(), SortOrder::BySong);
    EXPECT_FALSE(doc->albumOrderCurrent());
    EXPECT_EQ(songTrack(*doc, doc->derivedLists().songs[0]), "3");
    EXPECT_EQ(doc->derivedLists().songs[2].slot, 26);
}

struct SongTheCase
{
    const char* name;
    SortOrder order;
    int songThe;
    int artistThe;
    Lines expected;
};

class SongTheRule : public ::testing::TestWithParam<SongTheCase>
{
};

TEST_P(SongTheRule, FollowsTheListsOwnOption)
{
    const SongTheCase& c = GetParam();
    const auto options = optionsWith({{ViewOption::SongThe, c.songThe},
                                      {ViewOption::ArtistThe, c.artistThe},
                                      {ViewOption::NlViewThe, 1},
                                      {ViewOption::ArtistSongSort, 1}});
    auto doc = documentOf(
        {albumWithSongs("Band", {"The End", "Help", "Theme", "Yesterday"}), albumWithSongs("Band", {"Fire"})},
        options);
    doc->runOrder(c.order);
    EXPECT_EQ(songLines(*doc), c.expected);
}

const Lines kEndUnderE = {"The End", "Fire", "Help", "Theme", "Yesterday"};
const Lines kEndUnderT = {"Fire", "Help", "The End", "Theme", "Yesterday"};

INSTANTIATE_TEST_SUITE_P(
    Options, SongTheRule,
    ::testing::Values(SongTheCase{"BySongSongTheOn", SortOrder::BySong, 1, 0, kEndUnderE},
                      SongTheCase{"BySongSongTheOff", SortOrder::BySong, 0, 1, kEndUnderT},
                      SongTheCase{"BySongDetailSongTheOn", SortOrder::BySongDetail, 1, 0, kEndUnderE},
                      SongTheCase{"BySongDetailSongTheOff", SortOrder::BySongDetail, 0, 1, kEndUnderT},
                      SongTheCase{"ArtistShortArtistTheOn", SortOrder::ByArtistShort, 0, 1,
                                  [] {
                                      Lines l = kEndUnderE;
                                      l.insert(l.begin(), "[Band]");
                                      return l;
                                  }()},
                      SongTheCase{"ArtistShortArtistTheOff", SortOrder::ByArtistShort, 1, 0,
                                  [] {
                                      Lines l = kEndUnderT;
                                      l.insert(l.begin(), "[Band]");
                                      return l;
                                  }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SongList, EntriesPointAtTheCatalogueIndexNotTheDisplayPosition)
{
    // Catalogue order Zed, Abe; ByArtist shows Abe first.
    AlbumRecord zed = albumWithSongs("Zed", {"Zed's Song"});
    zed.label = "1";
    AlbumRecord abe = albumWithSongs("Abe", {"Abe's Song"});
    abe.label = "2";
    auto doc = documentOf({zed, abe});
    ASSERT_EQ(doc->displayOrder(), (std::vector<std::uint32_t>{1, 0}));

    for (SortOrder first : {SortOrder::ByArtist, SortOrder::ByLabel}) {
        doc->runOrder(first);
        doc->runOrder(SortOrder::BySong);
        for (const SongEntry& e : doc->derivedLists().songs) {
            const std::string artist(doc->text(Field::Artist, static_cast<int>(e.album)));
            EXPECT_EQ(std::string(songTitle(*doc, e)), artist + "'s Song");
        }
    }
}

// A long list has its keys made on two threads, each for half the albums; titles and artists
// recur across both halves, so equal keys from the two must still keep the display order.
TEST(SongList, ALongListIsOrderedAsAStableSortByTitle)
{
    const std::vector<std::string> words = {"Intro", "intro", "Blue", "Blue Moon",
                                            "Élan",  "Zed",   "",     "Outro"};
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < 3000; ++a) {
        std::vector<std::string> titles;
        for (int s = 0; s < 26; ++s)
            titles.push_back(words[static_cast<std::size_t>((a * 7 + s * 3) % 8)] +
                             (s % 5 == 0 ? "" : " " + std::to_string((a + s) % 97)));
        albums.push_back(
            albumWithSongs(std::string("Artist ") + std::to_string(a % 40) + (a % 3 ? "" : "x"), titles));
    }
    auto doc = documentOf(albums, optionsWith({{ViewOption::ArtistSongSort, 1}}));
    doc->runOrder(SortOrder::ByArtist); // a display order other than the catalogue's

    // The songs of the displayed albums in display order, stably sorted by title.
    std::vector<SongEntry> expected;
    for (std::uint32_t album : doc->displayOrder())
        for (int slot = 1; slot <= kSongSlots; ++slot)
            if (!doc->text(titleField(slot), static_cast<int>(album)).empty())
                expected.push_back({album, static_cast<std::uint8_t>(slot)});
    ASSERT_GT(expected.size(), std::size_t{1} << 16);
    std::stable_sort(expected.begin(), expected.end(), [&](const SongEntry& a, const SongEntry& b) {
        return CompareNames(songTitle(*doc, a), songTitle(*doc, b)) < 0;
    });
    doc->runOrder(SortOrder::BySong);
    EXPECT_TRUE(doc->derivedLists().songs == expected);

    // The artist short list with its songs sorted: by artist, then by title within each artist.
    doc->runOrder(SortOrder::ByArtistShort);
    const auto& songs = doc->derivedLists().songs;
    std::size_t headers = 0;
    for (std::size_t i = 1; i < songs.size(); ++i) {
        if (songs[i].isHeader()) {
            ++headers;
            continue;
        }
        if (songs[i - 1].isHeader())
            continue;
        const std::string_view artist = doc->text(Field::Artist, static_cast<int>(songs[i].album));
        ASSERT_EQ(CompareNames(artist, doc->text(Field::Artist, static_cast<int>(songs[i - 1].album))), 0)
            << i;
        ASSERT_LE(CompareNames(songTitle(*doc, songs[i - 1]), songTitle(*doc, songs[i])), 0) << i;
    }
    EXPECT_EQ(headers + 1, 80u);
}

// The performers of a long list too: by name, a name's spellings by their bytes, then as displayed.
TEST(PerformerList, ALongListIsOrderedByNameThenSpellingThenDisplay)
{
    const std::vector<std::string> names = {"Ann Lee", "ann lee", "ANN LEE", "Bob", "Émile", "Emile", "Zoë"};
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < 6600; ++a) {
        AlbumRecord r;
        r.artist = "Artist " + std::to_string(a % 50);
        for (std::size_t slot = 0; slot < r.performers.size(); ++slot)
            r.performers[slot].name =
                names[(static_cast<std::size_t>(a) * 3 + slot * 5) % names.size()] +
                (slot % 4 == 0 ? "" : " " + std::to_string((a + static_cast<int>(slot)) % 13));
        albums.push_back(r);
    }
    auto doc = documentOf(albums);
    std::vector<std::uint32_t> positionOf(albums.size());
    for (std::size_t p = 0; p < doc->displayOrder().size(); ++p)
        positionOf[doc->displayOrder()[p]] = static_cast<std::uint32_t>(p);
    doc->runOrder(SortOrder::ByPerformer);

    const auto& list = doc->derivedLists().performers;
    std::size_t entries = 0;
    const PerformerEntry* previous = nullptr;
    for (const PerformerEntry& e : list) {
        if (e.header)
            continue;
        ++entries;
        if (previous) {
            const std::string_view a = performerName(*doc, *previous);
            const std::string_view b = performerName(*doc, e);
            const int byName = CompareNames(a, b);
            ASSERT_LE(byName, 0) << a << " / " << b;
            if (byName == 0 && a != b) {
                ASSERT_LT(a, b);
            }
            if (a == b) {
                ASSERT_LT(std::make_pair(positionOf[previous->album], previous->slot),
                          std::make_pair(positionOf[e.album], e.slot));
            }
        }
        previous = &e;
    }
    EXPECT_EQ(entries, albums.size() * 10);
}

// ---- Artist short list -------------------------------------------------------------------------

std::vector<AlbumRecord> caseTwinArtists()
{
    return {albumWithSongs("abba", {"Waterloo", "Hasta Mañana"}),
            albumWithSongs("Cream", {"Badge"}),
            albumWithSongs("ABBA", {"Fernando"}),
            albumWithSongs("ABBA", {}),
            albumWithSongs("Devo", {}),
            albumWithSongs("ABBA", {"Chiquitita"})};
}

TEST(ArtistShortList, HeadsEachChangeOfArtistByteForByte)
{
    auto doc = documentOf(caseTwinArtists(), optionsWith({{ViewOption::ArtistSongSort, 0}}));
    doc->runOrder(SortOrder::ByArtistShort);
    // Sorted by artist first (abba and ABBA compare equal and keep their order); an album without
    // songs gets a header only when its artist is new.
    EXPECT_EQ(songLines(*doc), (Lines{"[abba]", "Waterloo", "Hasta Mañana", "[ABBA]", "Fernando",
                                      "Chiquitita", "[Cream]", "Badge", "[Devo]"}));
    EXPECT_EQ(doc->currentOrder(), SortOrder::ByArtistShort);
}

TEST(ArtistShortList, SortSongsAlsoMergesArtistsThatCompareEqual)
{
    auto doc = documentOf(caseTwinArtists(), optionsWith({{ViewOption::ArtistSongSort, 1}}));
    doc->runOrder(SortOrder::ByArtistShort);
    EXPECT_EQ(songLines(*doc), (Lines{"[abba]", "[ABBA]", "Chiquitita", "Fernando", "Hasta Mañana",
                                      "Waterloo", "[Cream]", "Badge", "[Devo]"}));
}

TEST(ArtistShortList, SortsArtistsByItsOwnTheOption)
{
    const std::vector<AlbumRecord> albums = {albumWithSongs("Queen", {"Bohemian Rhapsody"}),
                                             albumWithSongs("The Alarm", {"Sixty Eight Guns"})};
    const Lines alarmFirst = {"[The Alarm]", "Sixty Eight Guns", "[Queen]", "Bohemian Rhapsody"};
    const Lines queenFirst = {"[Queen]", "Bohemian Rhapsody", "[The Alarm]", "Sixty Eight Guns"};
    for (int songSort = 0; songSort <= 1; ++songSort) {
        // The Normal view's option says the opposite each time.
        auto dropping = documentOf(albums, optionsWith({{ViewOption::ArtistThe, 1},
                                                        {ViewOption::NlViewThe, 0},
                                                        {ViewOption::ArtistSongSort, songSort}}));
        dropping->runOrder(SortOrder::ByArtistShort);
        EXPECT_EQ(songLines(*dropping), alarmFirst) << "Sort Songs also " << songSort;

        auto keeping = documentOf(albums, optionsWith({{ViewOption::ArtistThe, 0},
                                                       {ViewOption::NlViewThe, 1},
                                                       {ViewOption::ArtistSongSort, songSort}}));
        keeping->runOrder(SortOrder::ByArtistShort);
        EXPECT_EQ(songLines(*keeping), queenFirst) << "Sort Songs also " << songSort;
    }
}

// ---- Producer list -----------------------------------------------------------------------------

TEST(ProducerList, NamedProducersFirstThenThoseWithoutAUsableName)
{
    const std::vector<std::pair<std::string, std::string>> producers = {
        {"Smith", ""}, {"", "Adams"}, {"", ""}, {" Jones", "smith"}, {"No producer listed", "Baker"},
        {"", ""},
    };
    std::vector<AlbumRecord> albums;
    for (const auto& [first, second] : producers)
        albums.push_back(albumWith({{Field::Producer1, first}, {Field::Producer2, second}}));
    auto doc = documentOf(albums);

    doc->runOrder(SortOrder::ByProducer);

    const Lines lines = producerLines(*doc);
    ASSERT_EQ(lines.size(), 8u); // two albums name two producers each
    EXPECT_EQ((Lines{lines.begin(), lines.begin() + 2}), (Lines{"Adams", "Baker"}));
    EXPECT_EQ(CompareNames(lines[2], "smith"), 0);
    EXPECT_EQ(CompareNames(lines[3], "smith"), 0);
    Lines unnamed(lines.begin() + 4, lines.end());
    std::sort(unnamed.begin(), unnamed.end());
    EXPECT_EQ(unnamed, (Lines{" Jones", "No producer listed", "No producer listed", "No producer listed"}));
    EXPECT_EQ(doc->currentOrder(), SortOrder::ByProducer);
}

TEST(ProducerList, AnAlbumWithOnlyASecondProducerIsListedOnceUnderIt)
{
    auto doc =
        documentOf({albumWith({{Field::Producer2, "Eno"}}), albumWith({{Field::Producer1, "Lanois"}})});
    doc->runOrder(SortOrder::ByProducer);
    EXPECT_EQ(producerLines(*doc), (Lines{"Eno", "Lanois"}));
    EXPECT_EQ(doc->derivedLists().producers[0].producer, 2);
}

// ---- Performer list ----------------------------------------------------------------------------

AlbumRecord albumWithPerformers(std::vector<std::pair<std::string, std::string>> performers)
{
    AlbumRecord r;
    for (std::size_t i = 0; i < performers.size(); ++i)
        r.performers[i] = {performers[i].first, performers[i].second};
    return r;
}

TEST(PerformerList, OneHeaderBeforeEachRunOfIdenticalNames)
{
    AlbumRecord tenth;
    tenth.performers[9] = {"\t Zoe", "drums"};
    auto doc = documentOf({
        albumWithPerformers({{"john smith", "bass"}, {"  Ann", "vocals"}}),
        albumWithPerformers({{"John Smith", "guitar"}, {"Bob", "HEADER!"}}),
        albumWithPerformers({{"john smith", "piano"}, {"Ann", "organ"}, {"Ann", "flute"}}),
        albumWithPerformers({}),
        albumWithPerformers({{"Ann ", "harp"}, {"   ", "nobody"}}),
        tenth,
    });

    doc->runOrder(SortOrder::ByPerformer);

    // Leading white space goes, trailing stays and makes a group of its own; 'john smith' and
    // 'John Smith' sort together under a header each; "HEADER!" is just an instrument.
    const Lines lines = performerLines(*doc);
    EXPECT_EQ((Lines{lines.begin(), lines.begin() + 8}),
              (Lines{"== Ann", "Ann / vocals", "Ann / organ", "Ann / flute", "== Ann ", "Ann  / harp",
                     "== Bob", "Bob / HEADER!"}));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ((Lines{lines.end() - 2, lines.end()}), (Lines{"== Zoe", "Zoe / drums"}));
    Lines smiths(lines.begin() + 8, lines.end() - 2);
    std::sort(smiths.begin(), smiths.end());
    EXPECT_EQ(smiths, (Lines{"== John Smith", "== john smith", "John Smith / guitar", "john smith / bass",
                             "john smith / piano"}));
    // Each heading directly precedes its own name's entries.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("== ")) {
            EXPECT_TRUE(lines[i + 1].starts_with(lines[i].substr(3) + " / ")) << lines[i];
        }
    }
    const auto& bob = doc->derivedLists().performers[7];
    EXPECT_FALSE(bob.header);
    EXPECT_EQ(doc->currentOrder(), SortOrder::ByPerformer);
}

TEST(PerformerList, AlbumsWithoutPerformersGiveAnEmptyListWithoutHeader)
{
    auto doc = documentOf({albumWithPerformers({}), albumWithPerformers({{" ", "air"}})});
    doc->runOrder(SortOrder::ByPerformer);
    EXPECT_TRUE(doc->derivedLists().performers.empty());
}

// ---- Status texts ------------------------------------------------------------------------------

struct DerivedProgressCase
{
    const char* name;
    SortOrder order;
    int artistSongSort;
    std::vector<RecordingProgress::Phase> phases;
};

class DerivedListProgress : public ::testing::TestWithParam<DerivedProgressCase>
{
};

TEST_P(DerivedListProgress, ShowsEachStageWithItsRange)
{
    const DerivedProgressCase& c = GetParam();
    // Four albums: 9 songs, 5 producer entries, 5 performer entries under 3 names.
    std::vector<AlbumRecord> albums = {albumWithSongs("A", {"1", "2", "3"}), albumWithSongs("B", {"4", "5"}),
                                       albumWithSongs("A", {"6", "7", "8"}), albumWithSongs("C", {"9"})};
    albums[0].producer1 = "P";
    albums[0].producer2 = "Q";
    albums[1].producer1 = "R";
    albums[0].performers[0].name = "X";
    albums[1].performers[0].name = "X";
    albums[1].performers[1].name = "Y";
    albums[2].performers[0].name = "Z";
    albums[3].performers[3].name = "Z";
    albums[3].performers[5].name = "  "; // names nobody, so it counts nowhere
    auto doc = documentOf(albums, optionsWith({{ViewOption::ArtistSongSort, c.artistSongSort}}));
    RecordingProgress progress;
    doc->setProgressSink(&progress);
    CountingObserver observer;
    doc->addObserver(&observer);

    doc->runOrder(c.order);

    EXPECT_EQ(progress.phases(), c.phases);
    EXPECT_TRUE(progress.balanced());
    EXPECT_EQ(observer.updates, 1);
}

using P = RecordingProgress::Phase;
INSTANTIATE_TEST_SUITE_P(
    Orders, DerivedListProgress,
    ::testing::Values(
        // Nine songs: gaps 4, 2, 1.
        DerivedProgressCase{"BySong",
                            SortOrder::BySong,
                            0,
                            {P{"Building the Song List", 4, 4}, P{"Sorting by Song Title", 3, 3}}},
        DerivedProgressCase{"ArtistShort",
                            SortOrder::ByArtistShort,
                            0,
                            {P{"Sorting by Group/Artist Name", 3, 3}, P{"Building the Song List", 4, 4}}},
        // Nine songs and three artist headers: gaps 6, 3, 1.
        DerivedProgressCase{"ArtistShortSortingSongs",
                            SortOrder::ByArtistShort,
                            1,
                            {P{"Sorting by Group/Artist Name", 3, 3}, P{"Building the Song List", 4, 4},
                             P{"Sorting by Song Title", 3, 3}}},
        DerivedProgressCase{"ByProducer",
                            SortOrder::ByProducer,
                            0,
                            {P{"Building the Producer List", 4, 4}, P{"Sorting by Producer", 2, 2}}},
        // Organizing is sized by the five entries, before the three headers go in.
        DerivedProgressCase{"ByPerformer",
                            SortOrder::ByPerformer,
                            0,
                            {P{"Building the Performer List", 4, 4}, P{"Sorting by Performer", 2, 2},
                             P{"Organizing Performer list", 5, 5}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace discora
