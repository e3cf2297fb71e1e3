// Rows into albums: Discora's own export read back field for field and byte for byte under several
// display switches, a spreadsheet's columns, rows skipped or shortened, and what the status bar says.
#include "core/export/csvexport.h"
#include "core/import/csvimport.h"
#include "core/import/csvreader.h"
#include "core/model/albumdetails.h"
#include "core/order/orderentries.h"
#include "core/view/csvcolumns.h"
#include "support/documentfixture.h"
#include "support/spreadsheetcsv.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

// As Enter stores it: a track number wherever a song has a title or a time.
AlbumRecord entered(AlbumRecord a)
{
    for (int k = 1; k <= kSongSlots; ++k) {
        Song& s = a.songs[k - 1];
        s.trackNumber = s.title.empty() && s.time.empty() ? "" : presetTrackNumber(k);
    }
    return a;
}

// With dated, every album has a date added, as albums entered or imported do.
std::vector<AlbumRecord> variedAlbums(bool beyondWindows1252, bool dated)
{
    AlbumRecord full;
    for (Field f : importableFields())
        if (!isDetail(fieldIndex(f)))
            full.text(f) = csvHeading(f, {"c1", "c2"}) + " text";
    // Every detail, as the album keeps it.
    const std::pair<Field, const char*> details[] = {
        {Field::Status, "Wanted"},
        {Field::Year, "1971"},
        {Field::Barcode, "5 099902 987521"},
        {Field::MusicBrainzId, "b84ee12a-09ef-421b-82de-0441a926375b"},
        {Field::DiscogsId, "367104"},
        {Field::Location, "Shelf 3, \"top\""},
        {Field::PurchaseDate, "2024-05-01"},
        {Field::PurchasePrice, "12.50"},
        {Field::Currency, "EUR"},
        {Field::BoughtFrom, "Market; stall 4"},
        {Field::CurrentValue, "30"},
        {Field::MediaCondition, "VG+"},
        {Field::SleeveCondition, "NM"},
        {Field::Rating, "4"},
        {Field::DateAdded, "2024-05-02"},
        {Field::DateModified, "2024-06-01"},
        {Field::Loans, "Ann\t2024-07-01\t2024-07-15\t2024-07-10\nBob\t2024-08-01\t\t"},
    };
    for (const auto& [field, text] : details)
        full.text(field) = text;
    full.artist = "Quotes \"inside\", commas; semicolons\tand a tab";
    full.notes = "Two lines\r\nand a bare\nline feed, \"quoted\"";
    full.songs[4] = {};
    full.songs[7].title = std::string(120, 'x'); // longer than the sheet lets anyone type
    full.songs[7].time = "1:02:03:04";
    AlbumRecord sparse =
        fixture::albumOf(beyondWindows1252 ? "\xE5\xAE\x87\xE5\xA4\x9A\xE7\x94\xB0" : "Bj\xC3\xB6rk",
                         "  Leading and trailing blanks  ");
    sparse.number = "12";
    sparse.songs[2].time = "3:05"; // a time with no title keeps its track number
    sparse.songs[25].title = "Last slot";
    sparse.performers[9] = {"Tenth", ""};
    AlbumRecord plain = fixture::albumOf("The Beatles", "Abbey Road");
    plain.number = "3";
    plain.custom2 = "only the second custom field";
    AlbumRecord noName = fixture::albumOf("", "");
    noName.number = "4";
    std::vector<AlbumRecord> albums{entered(full), entered(sparse), entered(plain), entered(noName)};
    for (AlbumRecord& album : albums)
        album.text(Field::DateAdded) = dated ? "2024-05-02" : "";
    return albums;
}

ViewOptions switchesOf(unsigned mask)
{
    ViewOptions switches;
    for (std::size_t s = 0; s < kCsvColumnSwitches.size(); ++s)
        switches.set(kCsvColumnSwitches[s], (mask >> s) & 1u);
    return switches;
}

// What an export with these switches carries of an album, read back as Enter stores it: an
// album without a date added gets today's.
AlbumRecord exportedPart(const AlbumRecord& a, const ExportSettings& settings)
{
    AlbumRecord part;
    for (const CsvColumn& c : csvColumns(settings.switches, settings.headings, settings.withDetails))
        part.text(c.field) = a.text(c.field);
    if (part.text(Field::DateAdded).empty())
        part.text(Field::DateAdded) = todaysDate();
    return entered(part);
}

struct RoundTripCase
{
    const char* name;
    unsigned switches;
    std::array<std::string, 2> headings;
    bool beyondWindows1252;
    bool withDetails = false;
};

void PrintTo(const RoundTripCase& c, std::ostream* os)
{
    *os << c.name;
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(RoundTrip, GivesTheSameAlbumsAndTheSameBytes)
{
    const RoundTripCase& c = GetParam();
    const ExportSettings settings{switchesOf(c.switches), c.headings, c.withDetails};
    CatalogueDocument source;
    source.newDocument();
    fixture::loadAlbums(source, variedAlbums(c.beyondWindows1252, c.withDetails));
    const std::vector<std::uint32_t> order = albumsOfEntries(source, {});
    const ExportedFile file = csvExport(source, settings, order);
    ASSERT_EQ(file.utf8, c.beyondWindows1252);

    CatalogueDocument target;
    target.newDocument();
    target.setHeadings(c.headings[0], c.headings[1]);
    const auto table = readCsv(file.bytes);
    ASSERT_TRUE(table.ok()) << table.error();
    ImportedAlbums imported =
        importRows(*table, ColumnMapping::fromHeadings(table->headings(), target.headings()), 0);
    EXPECT_EQ(imported.report.added, static_cast<int>(order.size()));
    EXPECT_EQ(imported.report.skipped(), 0);
    target.importAlbums(std::move(imported.albums));

    ASSERT_EQ(target.albumCount(), source.albumCount());
    for (int i = 0; i < target.albumCount(); ++i) {
        const AlbumRecord original = source.album(static_cast<int>(order[static_cast<std::size_t>(i)]));
        EXPECT_EQ(target.album(i), exportedPart(original, settings)) << "album " << i;
        if (c.switches == 0x1FF && c.withDetails) {
            EXPECT_EQ(target.album(i), original) << "album " << i;
        }
    }
    EXPECT_EQ(csvExport(target, settings, albumsOfEntries(target, {})).bytes, file.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, RoundTrip,
    ::testing::Values(RoundTripCase{"EverySwitchOn", 0x1FF, {"Box", "Shelf"}, true},
                      RoundTripCase{"EverySwitchAndTheDetails", 0x1FF, {"Box", "Shelf"}, true, true},
                      // a custom heading that is also a detail's
                      RoundTripCase{"TheDetailsAndACustomYear", 0x1FF, {"Year", "Location"}, false, true},
                      // the second custom heading repeats the notes' heading
                      RoundTripCase{"EverySwitchOnInWindows1252", 0x1FF, {"Year", "Notes"}, false},
                      RoundTripCase{"FixedColumnsOnly", 0, {"Custom 1", "Custom 2"}, false},
                      RoundTripCase{"SongsPeopleAndSecondCustom", 0x150, {"Box", "Shelf"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

ImportedAlbums importText(const std::string& csv, int albumCount = 0,
                          const std::vector<std::pair<int, ImportTarget>>& assignments = {})
{
    const auto table = readCsv(csv);
    EXPECT_TRUE(table.ok()) << table.error();
    ColumnMapping mapping = ColumnMapping::fromHeadings(table->headings(), {"Custom 1", "Custom 2"});
    for (const auto& [column, target] : assignments)
        mapping.assign(column, target);
    return importRows(*table, mapping, albumCount);
}

std::vector<AlbumRecord> albumsOf(const AlbumStore& store)
{
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < store.albumCount(); ++a)
        albums.push_back(store.album(a));
    return albums;
}

TEST(CsvImport, ASpreadsheetsAlbumsAreNumberedAfterTheCatalogues)
{
    const ImportedAlbums imported =
        importText(fixture::spreadsheetCsv(), 41, {{2, ImportTarget::of(Field::Custom1)}});
    EXPECT_EQ(albumsOf(imported.albums), fixture::spreadsheetAlbums(42));
    EXPECT_EQ(imported.report.added, 2);
    EXPECT_EQ(imported.report.emptyRows, 1);
    EXPECT_EQ(importSummary(imported.report), "Imported 2 albums; skipped 1 row (1 empty).");
}

TEST(CsvImport, AnIgnoredColumnFillsNothing)
{
    const ImportedAlbums imported = importText(fixture::spreadsheetCsv(), 0, {{3, {}}});
    EXPECT_EQ(imported.albums.text(Field::MusicType, 0), "");
    EXPECT_EQ(imported.albums.text(Field::Custom1, 0), "");
    EXPECT_EQ(imported.albums.text(Field::Artist, 0), "Nina Simone");
}

TEST(CsvImport, RowsBeyondTheSlotsAreShortenedAndRepeatedHeadingsSkipped)
{
    const std::string csv = "Artist,Song26,Song27,Performers10,Performers11\n"
                            "A,twenty-six,twenty-seven,ten,\n"
                            "B,,,,eleven\n"
                            "Artist,Song26,Song27,Performers10,Performers11\n"
                            "C\n"
                            "\n"
                            ",,\n";
    const ImportedAlbums imported = importText(csv);
    ASSERT_EQ(imported.albums.albumCount(), 3);
    EXPECT_EQ(imported.albums.text(titleField(26), 0), "twenty-six");
    EXPECT_EQ(imported.albums.text(trackField(26), 0), "26");
    EXPECT_EQ(imported.albums.text(performerField(10), 0), "ten");
    EXPECT_EQ(imported.albums.text(Field::Artist, 1), "B");
    EXPECT_EQ(imported.albums.text(Field::Artist, 2), "C");
    EXPECT_EQ(imported.report.shortened, 2);
    EXPECT_EQ(imported.report.headingRows, 1);
    EXPECT_EQ(imported.report.emptyRows, 2);
    EXPECT_EQ(importSummary(imported.report),
              "Imported 3 albums; skipped 3 rows (2 empty, 1 repeating the headings); 2 albums keep only "
              "the first 26 songs and 10 performers.");
}

TEST(CsvImport, AnAlbumSummary)
{
    ImportReport report;
    report.added = 1;
    EXPECT_EQ(importSummary(report), "Imported 1 album.");
    report.shortened = 1;
    report.headingRows = 1;
    EXPECT_EQ(importSummary(report), "Imported 1 album; skipped 1 row (1 repeating the headings); 1 album "
                                     "keeps only the first 26 songs and 10 performers.");
}

TEST(CsvImport, ADiscogsCollectionExportComesInWithoutAMapping)
{
    const std::string csv =
        "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,Date Added,"
        "Collection Media Condition,Collection Sleeve Condition,Collection Notes\r\n"
        "SHVL 804,Pink Floyd,The Dark Side Of The Moon,Harvest,\"Vinyl, LP, Album, Gatefold\",5,1973,"
        "1873013,Uncategorized,2021-03-04 10:22:33,Near Mint (NM or M-),Very Good Plus (VG+),"
        "Bought at a fair\r\n"
        "4509-91887-2,Nightjar (2),Harbour Lights,Polar (3),\"CD, Album\",0,1994-05-00,99,Jazz,"
        "2022-11-30 08:00:00,Mint (M),Generic,\r\n";
    const ImportedAlbums imported = importText(csv, 7);
    ASSERT_EQ(imported.albums.albumCount(), 2);
    struct Expected
    {
        Field field;
        const char* first;
        const char* second;
    };
    for (const Expected& e : {
             Expected{Field::CatalogNumber, "SHVL 804", "4509-91887-2"},
             Expected{Field::Artist, "Pink Floyd", "Nightjar"},
             Expected{Field::AlbumName, "The Dark Side Of The Moon", "Harbour Lights"},
             Expected{Field::Label, "Harvest", "Polar"}, Expected{Field::MediaType, "Vinyl", "CD"},
             Expected{Field::Rating, "5", ""}, Expected{Field::Year, "1973", "1994"},
             Expected{Field::DiscogsId, "1873013", "99"},
             Expected{Field::DateAdded, "2021-03-04", "2022-11-30"},
             Expected{Field::MediaCondition, "NM", "M"}, Expected{Field::SleeveCondition, "VG+", "Generic"},
             Expected{Field::Notes, "Bought at a fair", ""}, Expected{Field::Number, "8", "9"},
             Expected{Field::Location, "", ""}, // the collection folder is Discogs's own
         }) {
        EXPECT_EQ(imported.albums.text(e.field, 0), e.first) << csvHeading(e.field, {});
        EXPECT_EQ(imported.albums.text(e.field, 1), e.second) << csvHeading(e.field, {});
    }
}

TEST(CsvImport, OnlyADiscogsExportLosesTheFormatsDetailAndTheNamesNumber)
{
    // The same headings without Discogs's own columns: the texts stay as they are.
    const ImportedAlbums imported =
        importText("Artist,Format,Released\r\nNightjar (2),\"CD, Album\",Spring 1994\r\n");
    EXPECT_EQ(imported.albums.text(Field::Artist, 0), "Nightjar (2)");
    EXPECT_EQ(imported.albums.text(Field::MediaType, 0), "CD, Album");
    EXPECT_EQ(imported.albums.text(Field::Year, 0), ""); // not a year
    EXPECT_EQ(imported.albums.text(Field::DateAdded, 0), todaysDate());
}

} // namespace
} // namespace discora
