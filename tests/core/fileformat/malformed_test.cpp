// Damaged and foreign files: every one must fail the whole open with a message and leave the
// catalogue that was open untouched. Lists whose count disagrees with the album count are mended.
#include "core/document/cataloguedocument.h"
#include "support/testcatalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

namespace discora {
namespace {

using fixture::Bytes;
using fixture::catalogueBytes;
using fixture::CatalogueContent;
using fixture::kOldest;

constexpr int kArtistList = 2; // in the current layout

CatalogueContent sampleContent(int version)
{
    CatalogueContent c;
    c.version = version;
    c.albums = {fixture::distinctAlbum(1), fixture::distinctAlbum(2), fixture::distinctAlbum(3)};
    c.headings = {"Year", "Ripped"};
    return c;
}

std::string validFile(int version)
{
    return catalogueBytes(sampleContent(version));
}

std::string cut(std::string bytes, std::size_t keep)
{
    bytes.resize(keep);
    return bytes;
}

// A current-layout file of one album whose list number `list` is replaced by raw bytes.
std::string withList(int list, const std::string& raw, int version = -7)
{
    CatalogueContent c;
    c.version = version;
    c.albums = {fixture::distinctAlbum(1)};
    c.replacedLists[list] = raw;
    return catalogueBytes(c);
}

std::string randomBytes(unsigned seed, std::size_t size, std::string prefix = {})
{
    std::mt19937 gen(seed);
    std::string out = std::move(prefix);
    while (out.size() < size)
        out.push_back(static_cast<char>(gen() & 0xFF));
    return out;
}

struct MalformedCase
{
    std::string name;
    std::function<std::string()> bytes;
};

void PrintTo(const MalformedCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<MalformedCase> malformedCases()
{
    std::vector<MalformedCase> cases = {
        {"EmptyFile", [] { return std::string(); }},
        {"ShorterThanTheFirstInteger", [] { return std::string("\xF9\xFF\xFF"); }},
        {"OnlyTheVersion", [] { return Bytes().i32(-7).str(); }},
        {"CutInTheColumnTables", [] { return cut(validFile(-7), 100); }},
        {"CutBeforeTheHeadings", [] { return cut(validFile(-7), 624); }},
        {"CutInsideAHeading", [] { return cut(validFile(-7), 627); }},
        {"CutInsideTheLists",
         [] {
             const auto f = validFile(-7);
             return cut(f, f.size() / 2);
         }},
        {"CutInsideTheLastText",
         [] {
             const auto f = validFile(-7);
             return cut(f, f.size() - 3);
         }},

        {"TextPrefixPastTheEnd1Byte", [] { return withList(110, Bytes().count(1).u8(200).raw("short")); }},
        {"TextPrefixPastTheEnd2Byte",
         [] { return withList(110, Bytes().count(1).u8(0xFF).u16(0x1000).raw("abc")); }},
        {"TextPrefixPastTheEnd4Byte",
         [] { return withList(kArtistList, Bytes().count(1).u8(0xFF).u16(0xFFFF).u32(0x7FFFFFFF)); }},
        {"TextPrefixOfFourBillion",
         [] { return withList(kArtistList, Bytes().count(1).u8(0xFF).u16(0xFFFF).u32(4000000000u)); }},
        {"WideTextPastTheEnd",
         [] {
             return withList(kArtistList, Bytes().count(1).u8(0xFF).u16(0xFFFE).length(0x7FFF).raw("ab"));
         }},
        {"WideTextOfTwoBillionUnits",
         [] {
             return withList(kArtistList,
                             Bytes().count(1).u8(0xFF).u16(0xFFFE).u8(0xFF).u16(0xFFFF).u32(0x80000000u));
         }},
        {"HeadingPrefixPastTheEnd",
         [] { return cut(validFile(-7), 624) + Bytes().u8(0xFF).u16(0xFFFF).u32(1000000000).str(); }},

        {"ListCountOfFourBillion", [] { return withList(kArtistList, Bytes().count(4000000000u)); }},
        {"ListCountOfFourBillionOldestLayout",
         [] { return withList(0, Bytes().count(4000000000u), kOldest); }},
        {"ListCountAboveTheBytesLeft",
         [] { return withList(kArtistList, Bytes().count(60000).text("a").text("b").text("c")); }},

        {"AlbumCountNegative", [] { return Bytes().i32(-7).i32(-1).str() + validFile(-7).substr(8); }},
        {"AlbumCountOfFourBillion",
         [] { return Bytes().i32(-7).u32(4000000000u).str() + validFile(-7).substr(8); }},
        {"AlbumCountLargestInteger",
         [] { return Bytes().i32(-7).i32(INT_MAX).str() + validFile(-7).substr(8); }},
        {"OldestLayoutLargestInteger",
         [] { return Bytes().i32(INT_MAX).str() + validFile(kOldest).substr(4); }},

        {"VersionMinus8", [] { return Bytes().i32(-8).str() + validFile(-7).substr(4); }},
        {"VersionSmallestInteger", [] { return Bytes().i32(INT_MIN).str() + validFile(-7).substr(4); }},

        {"ExportedCsv",
         [] {
             return std::string(
                 "Group/Artist Name,Album Name,Number,Music Type\r\nThe Beatles,Abbey Road,1,Rock\r\n");
         }},
        {"ExportedCsvQuoted",
         [] { return std::string("\"Group/Artist Name\",\"Album Name\"\r\n\"ABBA\",\"Arrival\"\r\n"); }},
        {"ExportedCsvWithByteOrderMark",
         [] {
             return std::string("\xEF\xBB\xBF\"Group/Artist Name\",\"Album Name\"\r\n\"Björk\",\"Post\"\r\n");
         }},
        {"ExportedTextDocument",
         [] { return std::string("Discora Catalogue\r\n\r\nThe Beatles\tAbbey Road\r\n"); }},
    };

    for (int v : {-7, -6, -5, -4, -3, -2, -1, kOldest}) {
        const std::string name = v == kOldest ? "Oldest" : "Minus" + std::to_string(-v);
        cases.push_back({"LastByteMissing" + name, [v] {
                             const auto f = validFile(v);
                             return cut(f, f.size() - 1);
                         }});
        cases.push_back(
            {"CutAfterTheAlbumCount" + name, [v] { return cut(validFile(v), v == kOldest ? 4 : 8); }});
    }
    const std::size_t sizes[] = {1, 7, 64, 700, 4096, 65536};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const std::size_t size = sizes[seed - 1];
        cases.push_back(
            {"RandomBytes" + std::to_string(size), [seed, size] { return randomBytes(seed, size); }});
    }
    for (unsigned seed = 11; seed <= 14; ++seed) {
        cases.push_back({"RandomAfterTheCurrentHeader" + std::to_string(seed),
                         [seed] { return randomBytes(seed, 4096, cut(validFile(-7), 8)); }});
        cases.push_back({"RandomAfterAnOldestHeader" + std::to_string(seed),
                         [seed] { return randomBytes(seed, 4096, Bytes().i32(2).str()); }});
    }
    return cases;
}

// Everything of the open catalogue that a failed open could disturb.
struct DocumentState
{
    explicit DocumentState(const CatalogueDocument& doc)
        : headings(doc.headings()), layouts(doc.columnLayouts()), modified(doc.isModified()),
          readyForEntry(doc.readyForEntry()), displayOrder(doc.displayOrder()), order(doc.currentOrder())
    {
        for (int a = 0; a < doc.albumCount(); ++a)
            albums.push_back(doc.album(a));
        for (int id = 0; id < kValueListCount; ++id)
            values[id] = doc.valueList(static_cast<ValueListId>(id)).values();
    }

    std::vector<AlbumRecord> albums;
    std::array<std::string, 2> headings;
    ColumnLayouts layouts;
    bool modified;
    bool readyForEntry;
    std::vector<std::uint32_t> displayOrder;
    SortOrder order;
    std::array<std::vector<std::string>, kValueListCount> values;
};

void expectUnchanged(const CatalogueDocument& doc, const DocumentState& before)
{
    const DocumentState now(doc);
    ASSERT_EQ(now.albums.size(), before.albums.size());
    for (std::size_t a = 0; a < now.albums.size(); ++a)
        EXPECT_EQ(now.albums[a], before.albums[a]) << "album " << a;
    EXPECT_EQ(now.headings, before.headings);
    EXPECT_EQ(now.layouts, before.layouts);
    EXPECT_EQ(now.modified, before.modified);
    EXPECT_EQ(now.readyForEntry, before.readyForEntry);
    EXPECT_EQ(now.displayOrder, before.displayOrder);
    EXPECT_EQ(now.order, before.order);
    EXPECT_EQ(now.values, before.values);
}

class MalformedFile : public ::testing::TestWithParam<MalformedCase>
{
protected:
    void SetUp() override
    {
        m_doc.newDocument();
        CatalogueContent open = sampleContent(-7);
        open.albums[0].artist = "The Who";
        open.layouts = fixture::distinctLayouts(9);
        ASSERT_TRUE(m_doc.load(catalogueBytes(open)));
        m_doc.setModified(true);
    }

    CatalogueDocument m_doc;
};

TEST_P(MalformedFile, FailsWithAMessageAndLeavesTheOpenCatalogueAlone)
{
    const DocumentState before(m_doc);
    const Status status = m_doc.load(GetParam().bytes());
    ASSERT_FALSE(status);
    EXPECT_FALSE(status.error().empty());
    expectUnchanged(m_doc, before);
}

INSTANTIATE_TEST_SUITE_P(Inputs, MalformedFile, ::testing::ValuesIn(malformedCases()),
                         [](const auto& info) { return info.param.name; });

// ---- Lists whose count is not the album count --------------------------------------------------

TEST(ListCountMismatch, ShortListsArePaddedWithEmptyTexts)
{
    CatalogueContent c = sampleContent(-7);
    c.replacedLists[kArtistList] = Bytes().count(1).text("Only");
    c.replacedLists[110] = Bytes().count(0); // notes

    CatalogueDocument doc;
    const Status status = doc.load(catalogueBytes(c));
    ASSERT_TRUE(status) << status.error();
    ASSERT_EQ(doc.albumCount(), 3);
    EXPECT_EQ(doc.text(Field::Artist, 0), "Only");
    EXPECT_EQ(doc.text(Field::Artist, 1), "");
    EXPECT_EQ(doc.text(Field::Artist, 2), "");
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(doc.text(Field::Notes, a), "");
    EXPECT_EQ(doc.text(Field::Producer1, 2), "ProducerA#3");
    EXPECT_EQ(doc.text(Field::Label, 2), "Label#3");
    EXPECT_EQ(doc.displayedCount(), 3);
}

TEST(ListCountMismatch, LongListsAreCutAndTheNextListReadsOn)
{
    CatalogueContent c = sampleContent(-7);
    c.replacedLists[kArtistList] = Bytes()
                                       .count(6)
                                       .text("A1")
                                       .text("A2")
                                       .text("A3")
                                       .text("Extra")
                                       .wide(u"\u6771\u4EAC")
                                       .text(std::string(70000, 'x'));

    CatalogueDocument doc;
    const Status status = doc.load(catalogueBytes(c));
    ASSERT_TRUE(status) << status.error();
    ASSERT_EQ(doc.albumCount(), 3);
    EXPECT_EQ(doc.text(Field::Artist, 2), "A3");
    EXPECT_EQ(doc.text(Field::Producer1, 0), "ProducerA#1");
    EXPECT_EQ(doc.text(Field::Notes, 2), fixture::distinctAlbum(3).notes);
    EXPECT_EQ(doc.valueList(ValueListId::Artist).values(), (std::vector<std::string>{"A1", "A2", "A3"}));
}

TEST(ListCountMismatch, OldestLayoutIsMendedToo)
{
    CatalogueContent c = sampleContent(kOldest);
    c.replacedLists[0] = Bytes().count(4).text("A1").text("A2").text("A3").text("A4"); // artist
    c.replacedLists[5] = Bytes().count(1).text("Opening");                             // title 1

    CatalogueDocument doc;
    const Status status = doc.load(catalogueBytes(c));
    ASSERT_TRUE(status) << status.error();
    ASSERT_EQ(doc.albumCount(), 3);
    EXPECT_EQ(doc.text(Field::Artist, 2), "A3");
    EXPECT_EQ(doc.text(titleField(1), 0), "Opening");
    EXPECT_EQ(doc.text(trackField(1), 0), "01");
    EXPECT_EQ(doc.text(titleField(1), 1), "");
    EXPECT_EQ(doc.text(trackField(1), 1), "");
    EXPECT_EQ(doc.text(titleField(2), 1), "Title2#2");
}

} // namespace
} // namespace discora
