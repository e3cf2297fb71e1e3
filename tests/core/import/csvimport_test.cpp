// Rows into albums: Discora's own export read back field for field and byte for byte under several
// display switches, a spreadsheet's columns, rows skipped or shortened, and what the status bar says.
#include "core/export/csvexport.h"
#include "core/import/csvimport.h"
#include "core/import/csvreader.h"
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

std::vector<AlbumRecord> variedAlbums(bool beyondWindows1252)
{
    AlbumRecord full;
    for (Field f : importableFields())
        full.text(f) = csvHeading(f, {"c1", "c2"}) + " text";
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
    return {entered(full), entered(sparse), entered(plain), entered(noName)};
}

ViewOptions switchesOf(unsigned mask)
{
    ViewOptions switches;
    for (std::size_t s = 0; s < kCsvColumnSwitches.size(); ++s)
        switches.set(kCsvColumnSwitches[s], (mask >> s) & 1u);
    return switches;
}

// What an export with these switches carries of an album, read back as Enter stores it.
AlbumRecord exportedPart(const AlbumRecord& a, const ExportSettings& settings)
{
    AlbumRecord part;
    for (const CsvColumn& c : csvColumns(settings.switches, settings.headings))
        part.text(c.field) = a.text(c.field);
    return entered(part);
}

struct RoundTripCase
{
    const char* name;
    unsigned switches;
    std::array<std::string, 2> headings;
    bool beyondWindows1252;
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
    const ExportSettings settings{switchesOf(c.switches), c.headings};
    CatalogueDocument source;
    source.newDocument();
    fixture::loadAlbums(source, variedAlbums(c.beyondWindows1252));
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
        if (c.switches == 0x1FF) {
            EXPECT_EQ(target.album(i), original) << "album " << i;
        }
    }
    EXPECT_EQ(csvExport(target, settings, albumsOfEntries(target, {})).bytes, file.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, RoundTrip,
    ::testing::Values(RoundTripCase{"EverySwitchOn", 0x1FF, {"Box", "Shelf"}, true},
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

} // namespace
} // namespace discora
