// discora --stats run as a user runs it: the figures of a generated catalogue with details, whole
// and filtered, as NAME<TAB>VALUE lines under [Heading] lines, checked against counts made here;
// and what it refuses.
#include "cli/commandline.h"
#include "core/document/cataloguedocument.h"
#include "core/fileformat/cataloguereader.h"
#include "core/model/columnlayout.h"
#include "support/shellrun.h"

#include "cataloguegenerator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include <sys/wait.h>

namespace discora {
namespace {

namespace fs = std::filesystem;

using Sections = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;

struct ProgramRun
{
    int exitCode = -1;
    std::string out;
};

ProgramRun runDiscora(const std::string& args)
{
    const fixture::ShellRun run =
        fixture::runShell(std::string(DISCORA_EXECUTABLE) + " " + args + " 2>/dev/null");
    return {run.exitCode, run.printed};
}

// Reads the printed figures; every line must be a heading, a figure under one, or the blank line
// before the next heading.
Sections readSections(const std::string& text)
{
    Sections sections;
    std::istringstream lines(text);
    std::string heading;
    bool blankBefore = true;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) {
            EXPECT_FALSE(blankBefore) << "two blank lines";
            blankBefore = true;
            continue;
        }
        if (line.front() == '[') {
            EXPECT_TRUE(blankBefore) << line;
            EXPECT_EQ(line.back(), ']') << line;
            heading = line.substr(1, line.size() - 2);
            EXPECT_FALSE(sections.count(heading)) << heading << " twice";
            sections[heading];
            blankBefore = false;
            continue;
        }
        const auto tab = line.find('\t');
        EXPECT_FALSE(heading.empty()) << line;
        EXPECT_NE(tab, std::string::npos) << line;
        EXPECT_EQ(line.find('\t', tab + 1), std::string::npos) << line;
        sections[heading].emplace_back(line.substr(0, tab), line.substr(tab + 1));
        blankBefore = false;
    }
    return sections;
}

std::string figure(const Sections& sections, const std::string& heading, const std::string& name)
{
    for (const auto& [n, value] : sections.at(heading))
        if (n == name)
            return value;
    ADD_FAILURE() << heading << ": no " << name;
    return {};
}

long sumOf(const Sections& sections, const std::string& heading)
{
    long sum = 0;
    for (const auto& [name, value] : sections.at(heading))
        sum += std::stol(value);
    return sum;
}

class StatsCommand : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = fs::temp_directory_path() / ("discora-stats-" + std::to_string(::getpid()));
        fs::create_directories(s_dir);
        GeneratorOptions options;
        options.collectionDetails = true;
        LoadedCatalogue loaded;
        loaded.albums = generateCatalogue(1500, 11, options);
        loaded.layouts = defaultColumnLayouts(96);
        loaded.headings = {"Custom 1", "Custom 2"};
        s_albums = new AlbumStore(loaded.albums);
        CatalogueDocument doc;
        doc.newDocument();
        doc.adoptLoaded(std::move(loaded));
        ASSERT_TRUE(doc.saveFile((s_dir / "cat.dcf").string()));
    }
    static void TearDownTestSuite()
    {
        fs::remove_all(s_dir);
        delete s_albums;
    }

    static std::string file() { return (s_dir / "cat.dcf").string(); }

    static fs::path s_dir;
    static AlbumStore* s_albums;
};
fs::path StatsCommand::s_dir;
AlbumStore* StatsCommand::s_albums = nullptr;

TEST_F(StatsCommand, PrintsEveryFigureOfTheCatalogueUnderItsHeading)
{
    const ProgramRun run = runDiscora("--stats " + file());
    ASSERT_EQ(run.exitCode, kExitSuccess);
    const Sections s = readSections(run.out);
    for (const char* heading :
         {"Totals", "Status", "Media types", "Music types", "Decades", "Years", "Artists", "Labels",
          "Producers", "Media condition", "Sleeve condition", "Rating", "Purchase price", "Current value"})
        EXPECT_TRUE(s.count(heading)) << heading;

    const AlbumStore& albums = *s_albums;
    long songs = 0, withYear = 0, rated = 0;
    for (int a = 0; a < albums.albumCount(); ++a) {
        for (int slot = 1; slot <= kSongSlots; ++slot)
            songs += albums.hasText(titleField(slot), a);
        withYear += albums.hasText(Field::Year, a);
        rated += albums.hasText(Field::Rating, a);
    }
    EXPECT_EQ(figure(s, "Totals", "Albums"), "1500");
    EXPECT_EQ(figure(s, "Totals", "Songs"), std::to_string(songs));
    EXPECT_EQ(figure(s, "Totals", "With a year"), std::to_string(withYear));
    EXPECT_EQ(figure(s, "Rating", "No rating"), std::to_string(1500 - rated));
    // Every spread covers every album once.
    for (const char* heading :
         {"Status", "Media types", "Music types", "Media condition", "Sleeve condition", "Rating"})
        EXPECT_EQ(sumOf(s, heading), 1500) << heading;
    EXPECT_EQ(sumOf(s, "Decades"), withYear);
    EXPECT_EQ(sumOf(s, "Years"), withYear);
    EXPECT_EQ(s.at("Artists").size(), 15u);
    const std::string time = figure(s, "Totals", "Playing time");
    EXPECT_EQ(time.substr(time.size() - 6, 1), ":");
    EXPECT_NE(figure(s, "Purchase price", "EUR"), "");
}

TEST_F(StatsCommand, FiltersNarrowTheAlbumsCounted)
{
    const ProgramRun run = runDiscora("--stats --filter media-type=cd --filter year=1970-1979 " + file());
    ASSERT_EQ(run.exitCode, kExitSuccess);
    const Sections s = readSections(run.out);
    const AlbumStore& albums = *s_albums;
    int expected = 0;
    for (int a = 0; a < albums.albumCount(); ++a) {
        const std::string_view media = albums.text(Field::MediaType, a);
        const std::string_view year = albums.text(Field::Year, a);
        const bool cd =
            media.size() >= 2 && (media[0] == 'C' || media[0] == 'c') && (media[1] == 'D' || media[1] == 'd');
        expected += cd && year.size() == 4 && year >= "1970" && year <= "1979";
    }
    ASSERT_GT(expected, 20);
    EXPECT_EQ(figure(s, "Totals", "Albums"), std::to_string(expected));
    EXPECT_EQ(s.at("Decades").size(), 1u);
    EXPECT_EQ(figure(s, "Decades", "1970s"), std::to_string(expected));
    EXPECT_EQ(s.at("Media types").size(), 1u);
    EXPECT_EQ(s.at("Media types")[0].first, "CD");
}

TEST_F(StatsCommand, RefusesWhatItCannotDo)
{
    EXPECT_EQ(parseCommandLine({"--stats", "x.dcf"}).mode, CommandLine::Mode::Stats);
    EXPECT_TRUE(isCommandLineMode({"--stats", "x.dcf"}));
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--stats"},
                                                 {"--stats", "--order", "by-label", "x.dcf"},
                                                 {"--stats", "--list", "by-artist", "x.dcf"},
                                                 {"--stats", "--style", "normal", "x.dcf"},
                                                 {"--stats", "--filter", "year=soon", "x.dcf"}})
        EXPECT_NE(parseCommandLine(args).error, "") << args[1];
    EXPECT_EQ(runDiscora("--stats " + (s_dir / "missing.dcf").string()).exitCode, kExitFailure);
    EXPECT_EQ(runDiscora("--stats --filter colour=red " + file()).exitCode, kExitUsageError);
    EXPECT_NE(usageText().find("--stats [--filter FIELD=TEXT]... FILE"), std::string::npos);
}

} // namespace
} // namespace discora
