// The CSV export: golden bytes with every display switch off and on, values holding quotes and
// line breaks read back by an RFC 4180 reader, the selection rule, the encoding and the file write.
#include "core/export/csvexport.h"
#include "core/fileformat/atomicfile.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "support/documentfixture.h"
#include "support/exportswitches.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::loadAlbums;
using Row = std::vector<std::string>;

// Reads CSV as RFC 4180 defines it: quoted fields, "" for a quote, CR LF ending a record outside
// quotes. Anything else inside quotes is taken as it stands.
std::vector<Row> readCsv(std::string_view bytes)
{
    std::vector<Row> rows;
    Row row;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quoted) {
            if (c == '"' && i + 1 < bytes.size() && bytes[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
        } else if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            row.push_back(std::move(field));
            rows.push_back(std::move(row));
            field.clear();
            row.clear();
            fieldStarted = false;
            ++i;
        } else {
            ADD_FAILURE() << "unquoted byte " << int(c) << " at " << i;
            field += c;
            fieldStarted = true;
        }
    }
    EXPECT_FALSE(quoted) << "a quote is left open";
    EXPECT_TRUE(row.empty() && field.empty()) << "the last record has no CR LF";
    return rows;
}

std::string repeat(std::string_view s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

ExportSettings allSwitches(bool on)
{
    return switchesAll(on, "Box", "Shelf");
}

AlbumRecord fullAlbum()
{
    AlbumRecord a = albumOf("Artist", "Album");
    a.musicType = "Rock";
    a.mediaType = "CD";
    a.number = "7";
    a.producer1 = "P1";
    a.label = "Lab";
    a.catalogNumber = "C-1";
    a.custom1 = "c1";
    a.custom2 = "c2";
    a.quality = "Good";
    a.songs[0] = {"Intro", "1:00", "01"};
    a.songs[25] = {"Outro", "9:59", "26"};
    a.notes = "n";
    a.performers[0] = {"Ann", "Bass"};
    a.performers[9] = {"Zed", "Voc"};
    return a;
}

class CsvExport : public ::testing::Test
{
protected:
    std::string exportAll(const ExportSettings& settings)
    {
        const auto albums = albumsOfEntries(doc, {});
        return csvExport(doc, settings, albums).bytes;
    }
    CatalogueDocument doc;
};

TEST_F(CsvExport, EverySwitchOffGivesFiveFieldsEachEndingInQuoteComma)
{
    loadAlbums(doc, {fullAlbum(), albumOf("Abba", "")});
    EXPECT_EQ(exportAll(allSwitches(false)),
              "\"Group/Artist\",\"Album Name\",\"Music Type\",\"Media Type\",\"Number\",\r\n"
              "\"Abba\",\"\",\"\",\"\",\"\",\r\n"
              "\"Artist\",\"Album\",\"Rock\",\"CD\",\"7\",\r\n");
}

TEST_F(CsvExport, EverySwitchOnGivesAllColumnsInTheirOrder)
{
    loadAlbums(doc, {fullAlbum()});
    const std::string songHeadings =
        R"("Song1","Time1","Song2","Time2","Song3","Time3","Song4","Time4","Song5","Time5","Song6","Time6",)"
        R"("Song7","Time7","Song8","Time8","Song9","Time9","Song10","Time10","Song11","Time11","Song12",)"
        R"("Time12","Song13","Time13","Song14","Time14","Song15","Time15","Song16","Time16","Song17","Time17",)"
        R"("Song18","Time18","Song19","Time19","Song20","Time20","Song21","Time21","Song22","Time22","Song23",)"
        R"("Time23","Song24","Time24","Song25","Time25","Song26","Time26",)";
    const std::string performerHeadings =
        R"("Performers1","Instrument/Vocals1","Performers2","Instrument/Vocals2","Performers3",)"
        R"("Instrument/Vocals3","Performers4","Instrument/Vocals4","Performers5","Instrument/Vocals5",)"
        R"("Performers6","Instrument/Vocals6","Performers7","Instrument/Vocals7","Performers8",)"
        R"("Instrument/Vocals8","Performers9","Instrument/Vocals9","Performers10","Instrument/Vocals10",)";
    const std::string expected =
        R"("Group/Artist","Album Name","Music Type","Media Type","Number","Producers1","Producers2","Label",)"
        R"("Catalog Number","Box","Shelf","Quality",)" +
        songHeadings + R"("Notes",)" + performerHeadings + "\r\n" +
        R"("Artist","Album","Rock","CD","7","P1","","Lab","C-1","c1","c2","Good","Intro","1:00",)" +
        repeat(R"("","",)", 24) + R"("Outro","9:59","n","Ann","Bass",)" + repeat(R"("","",)", 8) +
        R"("Zed","Voc",)" + "\r\n";
    const std::string bytes = exportAll(allSwitches(true));
    EXPECT_EQ(bytes, expected);
    const auto rows = readCsv(bytes);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), 5u + 2 + 1 + 1 + 1 + 1 + 1 + 52 + 1 + 20 + 1) << "the trailing comma adds one";
    EXPECT_EQ(rows[1].size(), rows[0].size());
}

TEST_F(CsvExport, QuotesAreDoubledAndLineBreaksStaySoEveryReaderGetsTheValuesBack)
{
    AlbumRecord tricky = albumOf("The \"Best\" Band", "Say \"hi\", then\r\nleave");
    tricky.musicType = "\"";
    tricky.number = "a,b";
    tricky.notes = "one\r\ntwo\nthree\r";
    loadAlbums(doc, {tricky});
    ExportSettings settings = allSwitches(false);
    settings.switches.set(ViewOption::ShowNotes, 1);
    settings.headings = {"My \"Box\"", "Shelf"};
    settings.switches.set(ViewOption::ShowCustom1, 1);

    const std::string bytes = exportAll(settings);
    EXPECT_NE(bytes.find(R"("The ""Best"" Band","Say ""hi"", then)"
                         "\r\nleave\",\"\"\"\",\"\",\"a,b\","),
              std::string::npos)
        << bytes;
    const auto rows = readCsv(bytes);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Row{"Group/Artist", "Album Name", "Music Type", "Media Type", "Number", "My \"Box\"",
                            "Notes", ""}));
    EXPECT_EQ(rows[1], (Row{tricky.artist, tricky.albumName, "\"", "", "a,b", "", tricky.notes, ""}));
}

TEST_F(CsvExport, SelectedAlbumsOnlyInDisplayOrderAndEachAlbumOnceFromASongList)
{
    std::vector<AlbumRecord> albums;
    for (char c = 'J'; c >= 'A'; --c) {
        AlbumRecord a = albumOf(std::string(1, c), std::string(1, c));
        a.songs[0].title = std::string("song ") + c;
        a.songs[1].title = std::string("another ") + c;
        albums.push_back(a);
    }
    loadAlbums(doc, albums);
    const ExportSettings settings = allSwitches(false);

    const std::vector<int> picked = {7, 2};
    const auto chosen = albumsOfEntries(doc, picked);
    const auto rows = readCsv(csvText(doc, settings, chosen));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][0], "C");
    EXPECT_EQ(rows[2][0], "H");

    doc.runOrder(SortOrder::BySong);
    ASSERT_EQ(orderEntryCount(doc), 20);
    // Titles sort "another A" ... "another J", "song A" ... "song J".
    const std::vector<int> songs = {15, 4, 10, 14};
    const auto fromSongs = albumsOfEntries(doc, songs);
    std::vector<std::string> artists;
    for (std::uint32_t a : fromSongs)
        artists.emplace_back(doc.text(Field::Artist, static_cast<int>(a)));
    EXPECT_EQ(artists, (std::vector<std::string>{"A", "E", "F"}))
        << "each album once, in the album sequence beneath the song list";
}

TEST_F(CsvExport, WindowsCodePageWhenEverythingFitsElseUtf8WithByteOrderMark)
{
    loadAlbums(doc, {albumOf("Café", "€")});
    const ExportedFile latin = csvExport(doc, allSwitches(false), albumsOfEntries(doc, {}));
    EXPECT_FALSE(latin.utf8);
    EXPECT_NE(latin.bytes.find("\"Caf\xE9\",\"\x80\","), std::string::npos);

    loadAlbums(doc, {albumOf("Café", "東京")});
    const ExportedFile wide = csvExport(doc, allSwitches(false), albumsOfEntries(doc, {}));
    EXPECT_TRUE(wide.utf8);
    EXPECT_EQ(wide.bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(wide.bytes.find("\"Café\",\"東京\","), std::string::npos);
}

class ExportWrite : public ::testing::Test
{
protected:
    ExportWrite()
    {
        dir = std::filesystem::temp_directory_path() /
              ("discora-export-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~ExportWrite() override { std::filesystem::remove_all(dir); }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path dir;
};

TEST_F(ExportWrite, WritesTheBytesAndReplacesAnOlderFile)
{
    const std::string path = (dir / "out.csv").string();
    std::ofstream(path) << "older and longer contents";
    ASSERT_TRUE(writeExportFile(path, ExportedFile{"\"a\",\r\n", false}));
    EXPECT_EQ(fixture::fileBytes(path), "\"a\",\r\n");
    EXPECT_EQ(entries(), (std::vector<std::string>{"out.csv"}));
}

TEST_F(ExportWrite, AFileThatCannotBeWrittenGivesAMessageAndLeavesNothingBehind)
{
    std::filesystem::create_directory(dir / "taken.csv");
    const Status overDirectory = writeExportFile((dir / "taken.csv").string(), ExportedFile{"x", false});
    ASSERT_FALSE(overDirectory);
    EXPECT_NE(overDirectory.error().find("taken.csv"), std::string::npos) << overDirectory.error();
    EXPECT_EQ(entries(), (std::vector<std::string>{"taken.csv"})) << "no temporary file is left";

    const Status noFolder = writeExportFile((dir / "missing" / "out.csv").string(), ExportedFile{"x", false});
    ASSERT_FALSE(noFolder);
    EXPECT_NE(noFolder.error().find("out.csv"), std::string::npos);
}

TEST_F(ExportWrite, AnExportOverTheCatalogueBeingExportedIsRefusedHoweverItIsNamed)
{
    namespace fs = std::filesystem;
    const fs::path catalogue = dir / "cat.dcf";
    fixture::putFileBytes(catalogue, "the albums");
    fixture::putFileBytes(dir / "other.csv", "another file");
    fs::create_symlink("cat.dcf", dir / "link.dcf");
    fs::create_hard_link(catalogue, dir / "hard.dcf");
    const struct
    {
        const char* name;
        fs::path output;
    } spellings[] = {
        {"the same name", catalogue},
        {"another spelling", dir / "." / "cat.dcf"},
        {"a symbolic link to it", dir / "link.dcf"},
        {"a hard link to it", dir / "hard.dcf"},
    };
    const auto before = entries();
    for (const auto& s : spellings) {
        SCOPED_TRACE(s.name);
        const Status status =
            writeExportFile(s.output.string(), ExportedFile{"x", false}, catalogue.string());
        ASSERT_FALSE(status);
        EXPECT_NE(status.error().find(kOutputIsSource), std::string::npos) << status.error();
        EXPECT_EQ(fixture::fileBytes(catalogue), "the albums");
        EXPECT_EQ(entries(), before);
    }
    // Another file, a new one, and an export of a catalogue that has no file yet are written.
    EXPECT_TRUE(writeExportFile((dir / "other.csv").string(), ExportedFile{"x", false}, catalogue.string()));
    EXPECT_TRUE(writeExportFile((dir / "new.csv").string(), ExportedFile{"x", false}, catalogue.string()));
    EXPECT_TRUE(writeExportFile((dir / "hard.dcf").string(), ExportedFile{"x", false}, ""));
}

} // namespace
} // namespace discora
