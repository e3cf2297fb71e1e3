// The ".dcf" reader and writer against bytes built by hand: the exact layout of what we write, the
// length and count prefixes at their boundaries, text outside Windows-1252, and every older layout.
#include "core/document/cataloguedocument.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"
#include "support/discimage.h"
#include "support/documentfixture.h"
#include "support/files.h"
#include "support/testcatalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace discora {
namespace {

using namespace std::string_literals;
using fixture::Bytes;
using fixture::catalogueBytes;
using fixture::CatalogueContent;
using fixture::kOldest;

// With two empty headings the first list (custom 1) starts here.
constexpr std::size_t kListsOffset = 626;
// ...and with one album and empty custom fields, the artist text's prefix is here.
constexpr std::size_t kArtistTextOffset = kListsOffset + 3 + 3 + 2;

std::string hex(std::string_view bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

// Compares two byte strings and reports the first difference, not two screens of binary.
::testing::AssertionResult sameBytes(std::string_view actual, std::string_view expected)
{
    const std::size_t n = std::min(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (actual[i] != expected[i]) {
            const std::size_t from = i < 8 ? 0 : i - 8;
            return ::testing::AssertionFailure()
                   << "first difference at byte " << i << "\n  actual:   " << hex(actual.substr(from, 24))
                   << "\n  expected: " << hex(expected.substr(from, 24));
        }
    }
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
               << "sizes differ: " << actual.size() << " vs " << expected.size();
    return ::testing::AssertionSuccess();
}

void expectSameAlbum(const AlbumRecord& actual, const AlbumRecord& expected, int album)
{
    const auto a = fixture::listTexts(actual, -7);
    const auto e = fixture::listTexts(expected, -7);
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(*a[i], *e[i]) << "album " << album << ", list " << i << " of the current layout";
}

std::string patterned(std::size_t length)
{
    std::string s(length, ' ');
    for (std::size_t i = 0; i < length; ++i)
        s[i] = static_cast<char>('a' + i % 26);
    return s;
}

void addAlbums(CatalogueDocument& doc, const std::vector<AlbumRecord>& albums)
{
    fixture::appendAlbums(doc, albums);
}

void setLayouts(CatalogueDocument& doc, const ColumnLayouts& layouts)
{
    for (std::size_t i = 0; i < layouts.size(); ++i)
        doc.setColumnLayout(static_cast<LayoutId>(i), layouts[i]);
}

std::string savedWith(const std::vector<AlbumRecord>& albums)
{
    CatalogueDocument doc;
    addAlbums(doc, albums);
    return doc.save();
}

// ---- What we write ---------------------------------------------------------------------------

TEST(CatalogueFileWrite, EmptyCatalogueMatchesTheLayoutByteForByte)
{
    // Column entries of the default layouts, ByArtist to BySong.
    const std::vector<std::vector<int>> columns = {
        {1, 2, 9, 0, 0, 0}, {9, 3, 6, 0, 0},    {2, 1, 9, 0, 0, 0},  {3, 1, 2, 9, 0, 0}, {4, 1, 2, 0, 0, 0},
        {5, 1, 2, 0, 0, 0}, {6, 1, 2, 9, 0, 0}, {7, 1, 2, 9, 0, 0},  {8, 1, 2, 9, 0, 0}, {9, 1, 2, 0, 0, 0},
        {1, 2, 9, 0, 0},    {1, 9, 0, 0, 0},    {10, 1, 2, 9, 0, 0}, {1, 9, 0, 0, 0},
    };
    // Default left edges at 96 dpi: ByArtistShort has its own, every other layout the same five.
    const std::array<int, 5> standard = {192, 336, 480, 624, 768};
    const std::array<int, 5> artistShort = {288, 316, 354, 546, 672};

    Bytes expected;
    expected.raw("\xF9\xFF\xFF\xFF"s).raw("\x00\x00\x00\x00"s);
    for (const auto& layout : columns)
        for (int c : layout)
            expected.i32(c);
    for (const auto* group : {&fixture::kGroupA, &fixture::kGroupB})
        for (const auto& r : *group)
            for (int e = r.first; e <= r.last; ++e)
                expected.i32((r.layout == LayoutId::ByArtistShort ? artistShort : standard)[e - 1]);
    expected.raw(std::string(16, '\0'));
    expected.raw("\x04Year\x00"s);
    for (int list = 0; list < 111; ++list)
        expected.raw("\x00\x00"s);
    ASSERT_EQ(expected.str().size(), 8u + 320 + 132 + 148 + 16 + 6 + 222);

    CatalogueDocument doc;
    doc.newDocument();
    doc.setHeadings("Year", "");
    EXPECT_TRUE(sameBytes(doc.save(), expected.str()));
}

TEST(CatalogueFileWrite, EveryIntegerAndListIsWhereTheLayoutPutsIt)
{
    CatalogueContent content;
    content.albums = {fixture::distinctAlbum(1), fixture::distinctAlbum(2), fixture::distinctAlbum(3)};
    content.headings = {"Year", "Ripped"};
    content.layouts = fixture::distinctLayouts(5);

    CatalogueDocument doc;
    addAlbums(doc, content.albums);
    doc.setHeadings("Year", "Ripped");
    setLayouts(doc, content.layouts);
    EXPECT_TRUE(sameBytes(doc.save(), catalogueBytes(content)));
}

TEST(CatalogueFileWrite, SavingChangesNothingInTheDocument)
{
    CatalogueDocument doc;
    addAlbums(doc, {fixture::distinctAlbum(1)});
    doc.setModified(true);
    const std::string first = doc.save();
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.save(), first);
}

// ---- String length prefixes ------------------------------------------------------------------

struct PrefixCase
{
    const char* name;
    std::size_t length;
    std::string prefix;
};

void PrintTo(const PrefixCase& c, std::ostream* os)
{
    *os << c.name;
}

class StringPrefix : public ::testing::TestWithParam<PrefixCase>
{
};

TEST_P(StringPrefix, HasTheExactPrefixAndReadsBack)
{
    const PrefixCase& c = GetParam();
    AlbumRecord album;
    album.artist = patterned(c.length);
    album.producer1 = "next";
    const std::string bytes = savedWith({album});

    ASSERT_GT(bytes.size(), kArtistTextOffset + c.prefix.size() + c.length);
    EXPECT_EQ(hex(bytes.substr(kArtistTextOffset, c.prefix.size())), hex(c.prefix));
    EXPECT_EQ(bytes.substr(kArtistTextOffset + c.prefix.size(), c.length), album.artist);
    // The producer list follows the text directly.
    EXPECT_EQ(hex(bytes.substr(kArtistTextOffset + c.prefix.size() + c.length, 7)), hex("\x01\x00\x04next"s));

    CatalogueDocument loaded;
    ASSERT_TRUE(loaded.load(bytes));
    ASSERT_EQ(loaded.albumCount(), 1);
    EXPECT_EQ(loaded.text(Field::Artist, 0), album.artist);
    EXPECT_EQ(loaded.text(Field::Producer1, 0), "next");
}

INSTANTIATE_TEST_SUITE_P(Lengths, StringPrefix,
                         ::testing::Values(PrefixCase{"Empty", 0, "\x00"s}, PrefixCase{"One", 1, "\x01"s},
                                           PrefixCase{"Longest1Byte", 254, "\xFE"s},
                                           PrefixCase{"Shortest2Byte", 255, "\xFF\xFF\x00"s},
                                           PrefixCase{"Length256", 256, "\xFF\x00\x01"s},
                                           PrefixCase{"Longest2Byte", 65533, "\xFF\xFD\xFF"s},
                                           PrefixCase{"Shortest4Byte", 65534,
                                                      "\xFF\xFF\xFF\xFE\xFF\x00\x00"s},
                                           PrefixCase{"Length70000", 70000, "\xFF\xFF\xFF\x70\x11\x01\x00"s}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- List counts -----------------------------------------------------------------------------

struct CountCase
{
    const char* name;
    int albums;
    std::string count;
};

void PrintTo(const CountCase& c, std::ostream* os)
{
    *os << c.name;
}

class ListCount : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(ListCount, HasTheExactCountAndReadsBack)
{
    const CountCase& c = GetParam();
    AlbumStore store;
    store.resize(c.albums);
    store.setText(Field::Notes, 0, "First");
    store.setText(Field::Artist, c.albums - 1, "Last");
    const std::string bytes = writeCatalogue(store, defaultColumnLayouts(96), {});

    EXPECT_EQ(hex(bytes.substr(kListsOffset, c.count.size())), hex(c.count));
    EXPECT_EQ(bytes.size(), kListsOffset + 111 * (c.count.size() + c.albums) + 4 + 5);

    auto loaded = readCatalogue(bytes, LoadBase{defaultColumnLayouts(96), {}}, nullptr);
    ASSERT_TRUE(loaded) << loaded.error();
    ASSERT_EQ(loaded->albums.albumCount(), c.albums);
    EXPECT_EQ(loaded->albums.text(Field::Notes, 0), "First");
    EXPECT_EQ(loaded->albums.text(Field::Artist, c.albums - 1), "Last");
    EXPECT_EQ(loaded->albums.text(Field::Artist, c.albums - 2), "");
    EXPECT_EQ(loaded->albums.text(Field::Notes, c.albums - 1), "");
}

INSTANTIATE_TEST_SUITE_P(Counts, ListCount,
                         ::testing::Values(CountCase{"Largest2Byte", 65534, "\xFE\xFF"s},
                                           CountCase{"Smallest4Byte", 65535, "\xFF\xFF\xFF\xFF\x00\x00"s},
                                           CountCase{"Count70000", 70000, "\xFF\xFF\x70\x11\x01\x00"s}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Round trips -----------------------------------------------------------------------------

TEST(CatalogueFileRoundTrip, EveryFieldOfEveryAlbumSurvives)
{
    std::vector<AlbumRecord> albums = {fixture::distinctAlbum(1), fixture::distinctAlbum(2),
                                       fixture::distinctAlbum(3), fixture::distinctAlbum(4)};
    albums[3].artist = "Björk";
    albums[3].songs[0].title = "東京";
    albums[3].songs[25].time = "4′33″";
    albums[3].performers[9].name = "Zoë Keating";
    albums[3].custom2 = "🎵 €5";
    albums[3].notes = "line one\r\nline two — “quoted”";
    albums[2].label = "";
    albums[2].songs[13].trackNumber = "";

    CatalogueDocument doc;
    addAlbums(doc, albums);
    doc.setHeadings("Year", "Ripped by Zoë 東");
    setLayouts(doc, fixture::distinctLayouts(3));
    const std::string bytes = doc.save();

    CatalogueDocument other;
    addAlbums(other, {fixture::distinctAlbum(50)});
    ASSERT_TRUE(other.load(bytes));
    ASSERT_EQ(other.albumCount(), 4);
    for (int a = 0; a < 4; ++a)
        expectSameAlbum(other.album(a), albums[a], a);
    EXPECT_EQ(other.headings(), doc.headings());
    EXPECT_EQ(other.columnLayouts(), doc.columnLayouts());
    EXPECT_TRUE(sameBytes(other.save(), bytes));
}

struct TextCase
{
    const char* name;
    std::string utf8;
    std::string stored; // prefix and bytes as they appear in the file
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class TextEncoding : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(TextEncoding, IsStoredAsExpectedAndReadsBackEqual)
{
    const TextCase& c = GetParam();
    AlbumRecord album;
    album.artist = c.utf8;
    album.producer1 = "after";
    const std::string bytes = savedWith({album});
    EXPECT_EQ(hex(bytes.substr(kArtistTextOffset, c.stored.size() + 3)), hex(c.stored + "\x01\x00\x05"s));

    CatalogueDocument loaded;
    ASSERT_TRUE(loaded.load(bytes));
    EXPECT_EQ(loaded.text(Field::Artist, 0), c.utf8);
    EXPECT_EQ(loaded.text(Field::Producer1, 0), "after");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextEncoding,
    ::testing::Values(TextCase{"Ascii", "ABBA",
                               "\x04"
                               "ABBA"s},
                      TextCase{"Latin1", "Björk",
                               "\x05"
                               "Bj\xF6rk"s},
                      TextCase{"Windows1252Only", "€ “Œ” ™", "\x07\x80 \x93\x8C\x94 \x99"s},
                      TextCase{"OutsideCodePage", "東京", "\xFF\xFE\xFF\x02\x71\x67\xAC\x4E"s},
                      TextCase{"LatinWithGreek", "öΩ", "\xFF\xFE\xFF\x02\xF6\x00\xA9\x03"s},
                      TextCase{"SurrogatePair", "🎵", "\xFF\xFE\xFF\x02\x3C\xD8\xB5\xDF"s}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextEncoding, LongWideTextUsesTheLongerLengthPrefixInside)
{
    std::string omegas;
    for (int i = 0; i < 300; ++i)
        omegas += "Ω";
    AlbumRecord album;
    album.artist = omegas;
    const std::string bytes = savedWith({album});
    EXPECT_EQ(hex(bytes.substr(kArtistTextOffset, 8)), hex("\xFF\xFE\xFF\xFF\x2C\x01\xA9\x03"s));

    CatalogueDocument loaded;
    ASSERT_TRUE(loaded.load(bytes));
    EXPECT_EQ(loaded.text(Field::Artist, 0), omegas);
}

TEST(TextEncoding, ReadsTheWideFormWithEveryLengthPrefix)
{
    std::u16string huge(70000, u'\u00E9');
    huge[69999] = u'\u6771';
    std::string hugeUtf8;
    for (int i = 0; i < 69999; ++i)
        hugeUtf8 += "é";
    hugeUtf8 += "東";

    CatalogueContent content;
    content.version = -3;
    content.albums.resize(3);
    // The artist list, written in the 2-byte-character form throughout.
    content.replacedLists[0] =
        Bytes().count(3).wide(u"Bj\u00F6rk").wide(std::u16string(300, u'x')).wide(huge).str();

    CatalogueDocument doc;
    ASSERT_TRUE(doc.load(catalogueBytes(content)));
    EXPECT_EQ(doc.text(Field::Artist, 0), "Björk");
    EXPECT_EQ(doc.text(Field::Artist, 1), std::string(300, 'x'));
    EXPECT_EQ(doc.text(Field::Artist, 2), hugeUtf8);
    EXPECT_EQ(doc.text(Field::Producer1, 2), "");
}

// ---- Older layouts ---------------------------------------------------------------------------

// Albums as an older program stored them: a Windows-1252 text, songs without titles (one with a
// stored track number), a title without a track number.
std::vector<AlbumRecord> storedAlbums()
{
    std::vector<AlbumRecord> albums = {fixture::distinctAlbum(1), fixture::distinctAlbum(2),
                                       fixture::distinctAlbum(3)};
    albums[0].artist = "Bj\xF6rk";
    albums[0].songs[20].title = "Caf\xE9";
    albums[1].songs[1].title = "";
    albums[1].songs[4].title = "";
    albums[1].songs[21].title = "";
    for (int k = 0; k < kSongSlots; ++k)
        if (k != 20 && k != 25)
            albums[2].songs[k].title = "";
    albums[2].songs[20].trackNumber = "";
    return albums;
}

struct VersionCase
{
    const char* name;
    int version;
    std::array<std::string, 2> fileHeadings;
    std::array<std::string, 2> expectedHeadings;
};

void PrintTo(const VersionCase& c, std::ostream* os)
{
    *os << c.name;
}

class OlderLayout : public ::testing::TestWithParam<VersionCase>
{
};

TEST_P(OlderLayout, ReadsIntoACleanDocument)
{
    const VersionCase& c = GetParam();

    // The catalogue open before: more albums, every field filled, its own headings and layouts.
    CatalogueContent previous;
    for (int a = 0; a < 5; ++a)
        previous.albums.push_back(fixture::distinctAlbum(100 + a));
    previous.headings = {"Shown 1", "Shown 2"};
    previous.layouts = fixture::distinctLayouts(20);
    CatalogueDocument doc;
    doc.newDocument();
    ASSERT_TRUE(doc.load(catalogueBytes(previous)));
    const ColumnLayouts shown = doc.columnLayouts();

    CatalogueContent content;
    content.version = c.version;
    content.albums = storedAlbums();
    content.headings = c.fileHeadings;
    content.layouts = fixture::distinctLayouts(40);
    const std::string bytes = catalogueBytes(content);
    if (c.version == kOldest) {
        ASSERT_EQ(hex(bytes.substr(0, 4)), hex("\x03\x00\x00\x00"s));
    }

    const Status status = doc.load(bytes);
    ASSERT_TRUE(status) << status.error();
    ASSERT_EQ(doc.albumCount(), 3);
    for (int a = 0; a < 3; ++a)
        expectSameAlbum(doc.album(a), fixture::expectedAfterLoad(content.albums[a], c.version), a);
    EXPECT_EQ(doc.headings(), c.expectedHeadings);

    ColumnLayouts expectedLayouts = c.version == -7 ? content.layouts : shown;
    if (c.version == -6)
        for (const auto& r : fixture::kGroupB)
            for (int e = r.first; e <= r.last; ++e)
                expectedLayouts[static_cast<int>(r.layout)].leftEdges[e - 1] =
                    content.layouts[static_cast<int>(r.layout)].leftEdges[e - 1];
    EXPECT_EQ(doc.columnLayouts(), expectedLayouts);

    // Nothing of the previous catalogue's values is offered any more.
    EXPECT_EQ(doc.valueList(ValueListId::Artist).values(),
              (std::vector<std::string>{"Björk", "Artist#2", "Artist#3"}));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OlderLayout,
    ::testing::Values(VersionCase{"Current", -7, {"File 1", "File 2"}, {"File 1", "File 2"}},
                      VersionCase{"Minus6", -6, {"File 1", "File 2"}, {"File 1", "File 2"}},
                      VersionCase{"Minus5EmptyFirstHeading", -5, {"", "File 2"}, {"Shown 1", "File 2"}},
                      VersionCase{"Minus4", -4, {}, {"Shown 1", "Shown 2"}},
                      VersionCase{"Minus3", -3, {}, {"Shown 1", "Shown 2"}},
                      VersionCase{"Minus2", -2, {}, {"Shown 1", "Shown 2"}},
                      VersionCase{"Minus1", -1, {}, {"Shown 1", "Shown 2"}},
                      VersionCase{"Oldest", kOldest, {}, {"Shown 1", "Shown 2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OlderLayout, OldestLayoutNumbersTheTitledSongsAndLeavesTheRestEmpty)
{
    CatalogueContent content;
    content.version = kOldest;
    content.albums = storedAlbums();
    CatalogueDocument doc;
    ASSERT_TRUE(doc.load(catalogueBytes(content)));
    ASSERT_EQ(doc.albumCount(), 3);

    EXPECT_EQ(doc.text(Field::Artist, 0), "Björk");
    EXPECT_EQ(doc.text(Field::MediaType, 0), "MediaType#1");
    EXPECT_EQ(doc.text(titleField(21), 0), "Café");
    EXPECT_EQ(doc.text(trackField(1), 0), "01");
    EXPECT_EQ(doc.text(trackField(21), 0), "21");
    EXPECT_EQ(doc.text(titleField(22), 0), "");
    EXPECT_EQ(doc.text(trackField(22), 0), "");
    EXPECT_EQ(doc.text(trackField(2), 1), ""); // no title
    EXPECT_EQ(doc.text(trackField(3), 1), "03");
    EXPECT_EQ(doc.text(trackField(21), 2), "21"); // the only title of the third album
    EXPECT_EQ(doc.text(trackField(1), 2), "");
    for (Field f :
         {Field::Producer1, Field::Producer2, Field::Custom1, Field::Custom2, Field::CatalogNumber,
          Field::Label, Field::Quality, Field::Notes, timeField(1), performerField(1), instrumentField(10)})
        EXPECT_EQ(doc.text(f, 0), "") << "field " << fieldIndex(f);
}

TEST(OlderLayout, Minus2KeepsItsStoredTrackNumbers)
{
    CatalogueContent content;
    content.version = -2;
    content.albums = storedAlbums();
    CatalogueDocument doc;
    ASSERT_TRUE(doc.load(catalogueBytes(content)));
    EXPECT_EQ(doc.text(trackField(1), 0), "Track1#1");
    EXPECT_EQ(doc.text(trackField(2), 1), "Track2#2"); // stored without a title
    EXPECT_EQ(doc.text(trackField(21), 2), "");        // a title stored without a track number
    EXPECT_EQ(doc.text(titleField(26), 2), "Title26#3");
    EXPECT_EQ(doc.text(performerField(1), 0), "");
}

// ---- Many albums ------------------------------------------------------------------------------

// Albums of every shape the reader takes apart differently: texts of one to three hundred bytes
// (lengths around eight and sixteen, and past the one-byte length), Windows-1252 letters, runs of
// albums with nothing at all (longer than the blocks the albums are read in), slots used out of
// order, and albums whose lists are all full.
std::vector<AlbumRecord> manyAlbums(int count)
{
    std::vector<AlbumRecord> albums(static_cast<std::size_t>(count));
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245 + 12345;
        return (seed >> 16) & 0x7FFF;
    };
    const std::size_t lengths[] = {1, 7, 8, 9, 15, 16, 17, 30, 254, 255, 300};
    for (int a = 0; a < count; ++a) {
        if (a >= 100 && a < 250)
            continue; // nothing in any list for a while
        AlbumRecord& album = albums[static_cast<std::size_t>(a)];
        const bool full = a % 37 == 0;
        for (int f = 0; f < kFieldCount; ++f) {
            if (!full && next() % 4 != 0)
                continue;
            std::string text = patterned(lengths[next() % std::size(lengths)]);
            if (next() % 5 == 0)
                text += "\xE9t\xE9"; // été in Windows-1252
            album.text(fieldAt(f)) = text + "#" + std::to_string(a);
        }
    }
    return albums;
}

class ManyAlbums : public ::testing::TestWithParam<int>
{
};

// Loads count albums of every shape in the test's layout and checks each against what it stored.
void expectManyAlbumsReadAsStored(int version, int count, CatalogueContent& content, CatalogueDocument& doc)
{
    content.version = version;
    content.albums = manyAlbums(count);
    const Status status = doc.load(catalogueBytes(content));
    ASSERT_TRUE(status) << status.error();
    ASSERT_EQ(doc.albumCount(), count);
    for (int a = 0; a < count; ++a)
        expectSameAlbum(
            doc.album(a),
            fixture::expectedAfterLoad(content.albums[static_cast<std::size_t>(a)], content.version), a);
}

TEST_P(ManyAlbums, ReadEveryTextIntoItsAlbumAndWriteTheSameBytes)
{
    CatalogueContent content;
    CatalogueDocument doc;
    expectManyAlbumsReadAsStored(GetParam(), 400, content, doc);
    if (content.version == -7) {
        EXPECT_TRUE(sameBytes(doc.save(), catalogueBytes(content)));
    }
}

// A catalogue large enough to be read in two parts, the second on a second thread, from the middle
// of every list (the middle falling inside runs of empty texts, and after the end of lists that stop
// short), in every layout.
TEST_P(ManyAlbums, ReadInTwoPartsIntoTheSameAlbums)
{
    CatalogueContent content;
    CatalogueDocument doc;
    expectManyAlbumsReadAsStored(GetParam(), 9000, content, doc);
}

// The two parts of a large load each fill a room of the store sized by the file's bytes; texts that
// grow as they become UTF-8 overflow it, in the first part (Windows-1252 letters) and in the second
// (texts outside Windows-1252, stored in two-byte characters). Every album still gets its texts,
// read from memory or from the file.
TEST(CatalogueFileOnDisk, ReadsALargeCatalogueWhoseTextsGrowInEitherPart)
{
    std::string accented;
    std::string outside;
    for (int i = 0; i < 200; ++i)
        accented += "\xC3\xA9"; // é: one byte in the file, two in memory
    for (int i = 0; i < 60; ++i)
        outside += "\xE6\x97\xA5"; // outside Windows-1252: two bytes in the file, three in memory
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < 10000; ++a) {
        AlbumRecord album;
        album.text(Field::Artist) = "Artist " + std::to_string(a);
        if (a < 5000 && a % 3 == 0)
            album.text(Field::Notes) = accented + std::to_string(a);
        if (a >= 5000 && a % 2 == 0)
            album.text(titleField(1)) = outside + std::to_string(a);
        albums.push_back(album);
    }
    CatalogueDocument doc;
    fixture::loadAlbums(doc, albums);
    const testimage::TempDir dir;
    const std::string path = (dir.path() / "albums.dcf").string();
    ASSERT_TRUE(doc.saveFile(path));

    CatalogueDocument fromMemory;
    ASSERT_TRUE(fromMemory.load(fixture::fileBytes(path)));
    CatalogueDocument fromFile;
    ASSERT_TRUE(fromFile.openFile(path));
    for (const CatalogueDocument* read : {&fromMemory, &fromFile}) {
        ASSERT_EQ(read->albumCount(), 10000);
        for (int a = 0; a < 10000; ++a)
            ASSERT_EQ(read->album(a), albums[static_cast<std::size_t>(a)]) << "album " << a;
    }
}

// A file is written list beside list at places counted beforehand, and read from a mapping whose
// pages are given back as they are passed: both must give exactly the bytes and albums that the
// in-memory writer and reader give, with lists long enough to be handed on in several pieces, texts
// in every length form and texts outside Windows-1252.
TEST(CatalogueFileOnDisk, WritesAndReadsTheSameAsInMemory)
{
    CatalogueContent content;
    content.albums = manyAlbums(400);
    for (int a = 0; a < 1500; ++a) {
        AlbumRecord album;
        album.text(Field::Notes) = patterned(300) + "#" + std::to_string(a);
        album.text(titleField(1 + a % kSongSlots)) = "Song " + std::to_string(a);
        content.albums.push_back(album);
    }
    CatalogueDocument doc;
    ASSERT_TRUE(doc.load(catalogueBytes(content)));
    // Outside Windows-1252, and longer than a two-byte length can say.
    AlbumRecord wide;
    wide.text(Field::Artist) = "\xE6\x97\xA5\xE6\x9C\xAC";
    wide.text(Field::Notes) = std::string(70000, 'n');
    doc.enterAlbum(wide);
    const std::string expected = doc.save();

    const testimage::TempDir dir;
    const std::string path = (dir.path() / "albums.dcf").string();
    const Status saved = doc.saveFile(path);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_TRUE(sameBytes(fixture::fileBytes(path), expected));

    CatalogueDocument reopened;
    const Status opened = reopened.openFile(path);
    ASSERT_TRUE(opened) << opened.error();
    ASSERT_EQ(reopened.albumCount(), doc.albumCount());
    for (int a = 0; a < doc.albumCount(); ++a)
        ASSERT_EQ(reopened.album(a), doc.album(a)) << "album " << a;
}

// A catalogue large enough to be saved in two halves on two threads gives the same bytes as the
// in-memory writer, with long and non-ASCII texts on both sides of the split.
TEST(CatalogueFileOnDisk, WritesALargeCatalogueInHalvesAsInMemory)
{
    CatalogueContent content;
    for (int a = 0; a < 4500; ++a) {
        AlbumRecord album;
        album.text(Field::Artist) = "Artist " + std::to_string(a % 300);
        album.text(titleField(1 + a % kSongSlots)) =
            a % 97 == 0 ? "Caf\xC3\xA9 " + std::to_string(a) : "Song";
        if (a % 1000 == 999)
            album.text(Field::Notes) = std::string(300 + a / 100, 'n');
        content.albums.push_back(album);
    }
    CatalogueDocument doc;
    ASSERT_TRUE(doc.load(catalogueBytes(content)));
    const std::string expected = doc.save();

    const testimage::TempDir dir;
    const std::string path = (dir.path() / "albums.dcf").string();
    const Status saved = doc.saveFile(path);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_TRUE(sameBytes(fixture::fileBytes(path), expected));
}

// Shortens the file at path to size bytes at the given step of the load's progress, as another
// program might while the albums are read.
class ShortenAtStep : public ProgressSink
{
public:
    ShortenAtStep(std::string path, int atStep, std::uintmax_t size)
        : m_path(std::move(path)), m_atStep(atStep), m_size(size)
    {}
    void begin(std::string_view, int) override {}
    void setRange(int) override {}
    void end() override {}
    void step() override
    {
        if (++m_steps == m_atStep)
            std::filesystem::resize_file(m_path, m_size);
    }
    int steps() const { return m_steps; }

private:
    std::string m_path;
    int m_atStep;
    std::uintmax_t m_size;
    int m_steps = 0;
};

// A file shortened while its albums are read is a failed open that says so, never a fault; the
// lists are long enough that most of them are still to be read from the file when it shrinks.
TEST(CatalogueFileOnDisk, ShortenedWhileReadFailsTheOpen)
{
    CatalogueContent content;
    for (int a = 0; a < 3000; ++a) {
        AlbumRecord album;
        album.text(Field::Artist) = "Artist " + std::to_string(a);
        album.text(Field::Notes) = patterned(200) + "#" + std::to_string(a);
        album.text(titleField(1 + a % kSongSlots)) = "Song " + std::to_string(a);
        content.albums.push_back(album);
    }
    const std::string bytes = catalogueBytes(content);
    const testimage::TempDir dir;
    const std::string path = (dir.path() / "albums.dcf").string();

    ShortenAtStep count(path, -1, 0);
    fixture::putFileBytes(path, bytes);
    ASSERT_TRUE(readCatalogueFile(path, {}, &count));
    const struct
    {
        int atStep;
        std::uintmax_t size;
    } cases[] = {{count.steps() / 2, bytes.size() / 2}, {count.steps() / 2, 0}, {count.steps() - 1, 10}};
    for (const auto& c : cases) {
        fixture::putFileBytes(path, bytes);
        ShortenAtStep shorten(path, c.atStep, c.size);
        const auto loaded = readCatalogueFile(path, {}, &shorten);
        ASSERT_FALSE(loaded) << "shortened to " << c.size << " at step " << c.atStep;
        EXPECT_NE(loaded.error().find("changed or shortened it while it was being read"), std::string::npos)
            << loaded.error();
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, ManyAlbums, ::testing::Values(-7, -2, -1, kOldest), [](const auto& info) {
    return info.param == kOldest ? std::string("Oldest") : "Minus" + std::to_string(-info.param);
});

TEST(CurrentLayout, KeepsAnyColumnIdAndClampsLeftEdges)
{
    CatalogueContent content;
    content.albums = {fixture::distinctAlbum(1)};
    auto& byArtist = content.layouts[static_cast<int>(LayoutId::ByArtist)];
    byArtist.fieldColumns = {0, 11, -3, 1000000, 10, 1};
    byArtist.leftEdges = {30001, 25, 30000, -1, 0}; // edges 1-2 in group B, 3-5 in group A
    content.layouts[static_cast<int>(LayoutId::ByNumber)].leftEdges[0] = 99999;
    content.layouts[static_cast<int>(LayoutId::ByArtistShort)].leftEdges[0] = -5;
    content.layouts[static_cast<int>(LayoutId::BySong)].leftEdges[4] = INT_MIN;

    CatalogueDocument doc;
    ASSERT_TRUE(doc.load(catalogueBytes(content)));
    const auto& loaded = doc.columnLayout(LayoutId::ByArtist);
    EXPECT_EQ(loaded.fieldColumns, (std::vector<int>{0, 11, -3, 1000000, 10, 1}));
    EXPECT_EQ(loaded.leftEdges, (std::array<int, 5>{30000, 25, 30000, 0, 0}));
    EXPECT_EQ(doc.columnLayout(LayoutId::ByNumber).leftEdges[0], 30000);
    EXPECT_EQ(doc.columnLayout(LayoutId::ByArtistShort).leftEdges[0], 0);
    EXPECT_EQ(doc.columnLayout(LayoutId::BySong).leftEdges[4], 0);
    EXPECT_EQ(doc.columnLayout(LayoutId::BySong).leftEdges[3], 624);
}

} // namespace
} // namespace discora
