// discora --import-csv IN [--map COLUMN=FIELD]... --save-as OUT [FILE]: the arguments, a
// spreadsheet's albums into a new catalogue or after an existing one, and bad input that writes
// nothing.
#include "cli/commandlinemodes.h"
#include "core/import/csvreader.h"
#include "core/settings/settingsstore.h"
#include "support/documentfixture.h"
#include "support/files.h"
#include "support/spreadsheetcsv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace discora {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

TEST(ImportCommandLine, TakesTheFileTheAssignmentsAndAnOptionalCatalogue)
{
    const CommandLine cl = parseCommandLine(
        {"--import-csv", "in.csv", "--map", "Year=custom1", "--map", "3=IGNORE", "--save-as", "out.dcf"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.mode, CommandLine::Mode::SaveAs);
    EXPECT_EQ(cl.importCsv, "in.csv");
    EXPECT_EQ(cl.file, "");
    ASSERT_EQ(cl.columnMaps.size(), 2u);
    EXPECT_EQ(cl.columnMaps[0].first, "Year");
    EXPECT_EQ(cl.columnMaps[0].second, ImportTarget::of(Field::Custom1));
    EXPECT_EQ(cl.columnMaps[1].second, ImportTarget{});
    EXPECT_EQ(parseCommandLine({"--import-csv", "in.csv", "--save-as", "o.dcf", "music.dcf"}).file,
              "music.dcf");
    EXPECT_EQ(
        parseCommandLine({"--map", "a=b=artist", "--import-csv", "i", "--save-as", "o"}).columnMaps[0].first,
        "a=b");
    EXPECT_TRUE(isCommandLineMode({"--import-csv", "in.csv"}));
}

TEST(ImportCommandLine, ReportsWhatItCannotUnderstand)
{
    for (const Args& args :
         {Args{"--import-csv", "in.csv"}, Args{"--import-csv", "in.csv", "--list", "by-artist", "x"},
          Args{"--import-csv"}, Args{"--map", "Year=custom1", "--save-as", "o", "x.dcf"},
          Args{"--import-csv", "i", "--map", "Year=colour", "--save-as", "o"},
          Args{"--import-csv", "i", "--map", "Year", "--save-as", "o"},
          Args{"--import-csv", "i", "--map", "=artist", "--save-as", "o"}})
        EXPECT_FALSE(parseCommandLine(args).error.empty()) << ::testing::PrintToString(args);
    EXPECT_NE(parseCommandLine({"--import-csv", "i", "--map", "Year=colour", "--save-as", "o"})
                  .error.find("song1..song26"),
              std::string::npos);
}

class ImportCommand : public ::testing::Test
{
protected:
    ImportCommand() : m_dir(fs::temp_directory_path() / ("discora-import-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_dir);
    }
    ~ImportCommand() override { fs::remove_all(m_dir); }

    std::string path(const char* name) const { return (m_dir / name).string(); }
    int run(const Args& args) { return runCommandLineMode(parseCommandLine(args), m_store); }

    std::vector<AlbumRecord> albumsIn(const std::string& file)
    {
        CatalogueDocument doc;
        EXPECT_TRUE(doc.openFile(file));
        std::vector<AlbumRecord> albums;
        for (int a = 0; a < doc.albumCount(); ++a)
            albums.push_back(doc.album(a));
        return albums;
    }

    fs::path m_dir;
    MemorySettingsStore m_store;
};

TEST_F(ImportCommand, ASpreadsheetBecomesANewCatalogue)
{
    fixture::putFileBytes(path("albums.csv"), fixture::spreadsheetCsv());
    ASSERT_EQ(
        run({"--import-csv", path("albums.csv"), "--map", "year=custom1", "--save-as", path("out.dcf")}), 0);
    EXPECT_EQ(albumsIn(path("out.dcf")), fixture::spreadsheetAlbums(1));
}

TEST_F(ImportCommand, TheRowsFollowTheAlbumsOfTheCatalogueNamed)
{
    CatalogueDocument existing;
    existing.newDocument();
    fixture::loadAlbums(existing, {fixture::albumOf("ABBA", "Arrival")});
    ASSERT_TRUE(existing.saveFile(path("music.dcf")));
    fixture::putFileBytes(path("albums.csv"), fixture::spreadsheetCsv());
    ASSERT_EQ(run({"--import-csv", path("albums.csv"), "--map", "3=custom1", "--save-as", path("out.dcf"),
                   path("music.dcf")}),
              0);
    std::vector<AlbumRecord> expected = {fixture::albumOf("ABBA", "Arrival")};
    for (const AlbumRecord& a : fixture::spreadsheetAlbums(2))
        expected.push_back(a);
    EXPECT_EQ(albumsIn(path("out.dcf")), expected);
}

struct BadInputCase
{
    const char* name;
    std::string bytes;
    Args maps;
    std::string reason;
};

void PrintTo(const BadInputCase& c, std::ostream* os)
{
    *os << c.name;
}

class ImportCommandRefuses : public ImportCommand, public ::testing::WithParamInterface<BadInputCase>
{
};

TEST_P(ImportCommandRefuses, WritesNothingAndExitsWithOne)
{
    fixture::putFileBytes(path("in.csv"), GetParam().bytes);
    Args args = {"--import-csv", path("in.csv"), "--save-as", path("out.dcf")};
    args.insert(args.end(), GetParam().maps.begin(), GetParam().maps.end());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run(args), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "discora: " + cannotImport(path("in.csv"), GetParam().reason) + "\n");
    EXPECT_FALSE(fs::exists(path("out.dcf")));
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, ImportCommandRefuses,
    ::testing::Values(
        BadInputCase{"Empty", "", {}, kImportEmptyFile},
        BadInputCase{"NoHeadingNamesAField", "Mood,Colour\nglad,blue\n", {}, kImportNoFields},
        BadInputCase{"QuoteLeftOpen", "Artist\n\"Nina\n", {}, openQuoteMessage(2)},
        BadInputCase{"NotText", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), {}, kImportNotText},
        BadInputCase{
            "NoSuchColumn", "Artist\nNina\n", {"--map", "Year=custom1"}, "It has no column \"Year\"."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportCommand, AMissingFileIsReported)
{
    EXPECT_EQ(run({"--import-csv", path("missing.csv"), "--save-as", path("out.dcf")}), 1);
    EXPECT_FALSE(fs::exists(path("out.dcf")));
}

} // namespace
} // namespace discora
