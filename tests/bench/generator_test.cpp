// The generated catalogues the benchmarks and the sample file rely on: the same for a seed, shaped
// as asked, and carried through the catalogue file unchanged.
#include "cataloguegenerator.h"

#include "core/base/cp1252.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/model/albumdetails.h"
#include "core/model/columnlayout.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

namespace discora {
namespace {

// The first differing text, named by field and album, or empty when the stores are equal.
std::string firstDifference(const AlbumStore& a, const AlbumStore& b)
{
    if (a.albumCount() != b.albumCount())
        return "album counts " + std::to_string(a.albumCount()) + " and " + std::to_string(b.albumCount());
    for (int album = 0; album < a.albumCount(); ++album)
        for (int f = 0; f < kFieldCount; ++f)
            if (a.text(fieldAt(f), album) != b.text(fieldAt(f), album))
                return "field " + std::to_string(f) + " of album " + std::to_string(album) + ": \"" +
                       std::string(a.text(fieldAt(f), album)) + "\" and \"" +
                       std::string(b.text(fieldAt(f), album)) + "\"";
    return {};
}

TEST(CatalogueGenerator, SameSeedGivesTheSameCatalogue)
{
    const AlbumStore first = generateCatalogue(300, 7);
    EXPECT_EQ(firstDifference(first, generateCatalogue(300, 7)), "");
    EXPECT_NE(firstDifference(first, generateCatalogue(300, 8)), "");
}

// Common titles come on top of the usual catalogue: the share asked for, the same albums otherwise
// (artists drawn alike), and none of them without the option.
TEST(CatalogueGenerator, RepeatsCommonTitlesOnlyWhenAsked)
{
    GeneratorOptions options;
    options.commonTitlePercent = 25;
    const AlbumStore plain = generateCatalogue(1000, 5);
    const AlbumStore common = generateCatalogue(1000, 5, options);
    const auto countTitled = [](const AlbumStore& store, std::string_view title) {
        int songs = 0, titled = 0;
        for (int a = 0; a < store.albumCount(); ++a)
            for (int s = 1; s <= kSongSlots; ++s) {
                const std::string_view text = store.text(titleField(s), a);
                songs += !text.empty();
                titled += text == title;
            }
        return std::pair{songs, titled};
    };
    const auto [songs, intros] = countTitled(common, "Intro");
    // 25% of the songs share 24 titles: about one in a hundred is "Intro".
    EXPECT_GT(intros, songs / 200);
    EXPECT_LT(intros, songs / 50);
    EXPECT_EQ(countTitled(plain, "Intro").second, 0);
    EXPECT_EQ(plain.text(Field::Artist, 0), common.text(Field::Artist, 0));
}

// Collection details come on top of the same albums, each kept as the Collection page keeps it,
// and none without the option.
TEST(CatalogueGenerator, AddsCollectionDetailsOnlyWhenAsked)
{
    GeneratorOptions options;
    options.collectionDetails = true;
    const AlbumStore plain = generateCatalogue(2000, 5);
    const AlbumStore detailed = generateCatalogue(2000, 5, options);
    EXPECT_EQ(firstDifference(plain, detailed), "");
    EXPECT_FALSE(plain.hasDetails());
    std::map<Field, int> filled;
    int loansOut = 0;
    for (int a = 0; a < detailed.albumCount(); ++a) {
        for (int f = kFirstDetail; f < kCollectionDetailEnd; ++f)
            filled[fieldAt(f)] += detailed.hasText(fieldAt(f), a);
        EXPECT_TRUE(statusNamed(detailed.text(Field::Status, a)).has_value());
        EXPECT_TRUE(validYear(detailed.text(Field::Year, a)));
        loansOut += currentLoan(detailed.text(Field::Loans, a)).has_value();
    }
    for (Field f : {Field::Status, Field::Year, Field::MediaCondition, Field::SleeveCondition, Field::Rating,
                    Field::PurchasePrice, Field::Currency, Field::CurrentValue, Field::Loans})
        EXPECT_GT(filled[f], 40) << detailName(f);
    EXPECT_GT(loansOut, 20);
}

TEST(CatalogueGenerator, ACatalogueOfNoAlbumsIsEmpty)
{
    EXPECT_EQ(generateCatalogue(0, 1).albumCount(), 0);
    EXPECT_EQ(generateCatalogue(-5, 1).albumCount(), 0);
}

// A track number as the generator writes it: "01" to "26".
std::string twoDigits(int n)
{
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

struct ShapeCase
{
    const char* name;
    double songs;
    double performers;
};

void PrintTo(const ShapeCase& c, std::ostream* os)
{
    *os << c.name;
}

class GeneratorShape : public testing::TestWithParam<ShapeCase>
{
};

// Songs and performers fill slots from the first, with numbered tracks and m:ss times, and their
// numbers average what was asked: the benchmarks' figures depend on it.
TEST_P(GeneratorShape, FillsSlotsInOrderWithTheAskedAverages)
{
    const ShapeCase& c = GetParam();
    constexpr int kAlbums = 3000;
    const AlbumStore store = generateCatalogue(kAlbums, 11, {c.songs, c.performers, 1});
    const std::regex time("[0-9]{1,2}:[0-5][0-9]");
    long songs = 0;
    long performers = 0;
    for (int a = 0; a < kAlbums; ++a) {
        int count = 0;
        while (count < kSongSlots && !store.text(titleField(count + 1), a).empty())
            ++count;
        for (int s = 1; s <= kSongSlots; ++s) {
            const std::string track = s <= count ? twoDigits(s) : "";
            ASSERT_EQ(store.text(trackField(s), a), track) << "album " << a << " slot " << s;
            const std::string t(store.text(timeField(s), a));
            if (s > count) {
                ASSERT_EQ(store.text(titleField(s), a), "") << "album " << a << " slot " << s;
                ASSERT_EQ(t, "") << "album " << a << " slot " << s;
            } else if (!t.empty()) {
                ASSERT_TRUE(std::regex_match(t, time)) << t;
            }
        }
        songs += count;
        int cast = 0;
        while (cast < kPerformerSlots && !store.text(performerField(cast + 1), a).empty())
            ++cast;
        for (int p = cast + 1; p <= kPerformerSlots; ++p) {
            ASSERT_EQ(store.text(performerField(p), a), "") << "album " << a;
            ASSERT_EQ(store.text(instrumentField(p), a), "") << "album " << a;
        }
        performers += cast;
    }
    EXPECT_NEAR(static_cast<double>(songs) / kAlbums, c.songs, 0.3);
    EXPECT_NEAR(static_cast<double>(performers) / kAlbums, c.performers, 0.2);
}

INSTANTIATE_TEST_SUITE_P(Averages, GeneratorShape,
                         testing::Values(ShapeCase{"Default", 12, 3}, ShapeCase{"Sparse", 2, 0.5},
                                         ShapeCase{"Crowded", 24, 9}, ShapeCase{"None", 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The untidiness the orders and filters must cope with is really there.
TEST(CatalogueGenerator, HasTheVarietyOfARealShelf)
{
    const AlbumStore store = generateCatalogue(2000, 3);
    std::map<std::string, int> albumsPerArtist;
    int theArtists = 0, lowerThe = 0, upperThe = 0, leadingBlank = 0;
    int latin = 0, foreign = 0, crlfNotes = 0, oddNumbers = 0;
    std::map<std::string, int> musicTypes;
    for (int a = 0; a < store.albumCount(); ++a) {
        const std::string artist(store.text(Field::Artist, a));
        ++albumsPerArtist[artist];
        theArtists += artist.starts_with("The ");
        lowerThe += artist.starts_with("the ");
        upperThe += artist.starts_with("THE ");
        leadingBlank += artist.starts_with(" ");
        ++musicTypes[std::string(store.text(Field::MusicType, a))];
        crlfNotes += store.text(Field::Notes, a).find("\r\n") != std::string_view::npos;
        const std::string_view number = store.text(Field::Number, a);
        oddNumbers += number.starts_with("-") || (!number.empty() && number[0] >= 'A' && number[0] <= 'Z');
        for (int f = 0; f < kFieldCount; ++f) {
            const std::string_view text = store.text(fieldAt(f), a);
            if (cp1252::isAscii(text))
                continue;
            if (cp1252::fits(text))
                ++latin;
            else
                ++foreign;
        }
    }
    int mostAlbums = 0;
    for (const auto& [artist, count] : albumsPerArtist)
        mostAlbums = std::max(mostAlbums, count);
    EXPECT_GE(mostAlbums, 20);
    EXPECT_GE(albumsPerArtist.size(), 300u);
    EXPECT_GE(theArtists, 200);
    EXPECT_GE(lowerThe, 5);
    EXPECT_GE(upperThe, 3);
    EXPECT_GE(leadingBlank, 1);
    EXPECT_TRUE(musicTypes.contains("Rock") && musicTypes.contains("rock") &&
                musicTypes.contains("Rock and Roll"));
    EXPECT_GE(latin, 100);
    EXPECT_GE(foreign, 5);
    EXPECT_GE(crlfNotes, 20);
    EXPECT_GE(oddNumbers, 10);
}

TEST(CatalogueGenerator, RoundTripsThroughTheCatalogueFile)
{
    for (const int albums : {0, 1, 1500}) {
        SCOPED_TRACE(albums);
        const AlbumStore store = generateCatalogue(albums, 5, {12, 3, 20});
        const ColumnLayouts layouts = defaultColumnLayouts(96);
        const std::string bytes = writeCatalogue(store, layouts, {"Composer", "Année"});
        auto loaded = readCatalogue(bytes, LoadBase{}, nullptr);
        ASSERT_TRUE(loaded.ok()) << loaded.error();
        EXPECT_EQ(firstDifference(store, loaded->albums), "");
        EXPECT_EQ(loaded->layouts, layouts);
        EXPECT_EQ(loaded->headings[0], "Composer");
        EXPECT_EQ(loaded->headings[1], "Année");
        // Written again, the file is the same bytes.
        EXPECT_EQ(writeCatalogue(loaded->albums, loaded->layouts, loaded->headings), bytes);
    }
}

} // namespace
} // namespace discora
