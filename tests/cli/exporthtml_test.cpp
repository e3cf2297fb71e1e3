// discora --export-html run as a user runs it: the displayed albums in the chosen order, their
// covers as thumbnails beside the page, a missing cover named and left out, a folder of other files
// refused untouched, and an earlier export replaced.
#include "cli/commandline.h"
#include "core/document/cataloguedocument.h"
#include "core/fileformat/coverfolder.h"
#include "support/documentfixture.h"
#include "support/files.h"
#include "support/pictures.h"
#include "support/shellrun.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <regex>

#include <stdlib.h>
#include <sys/wait.h>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::albumOf;
using fixture::fileBytes;
using fixture::putFileBytes;

struct Outcome
{
    int exitCode = -1;
    std::string err;
};

Outcome runDiscora(const std::vector<std::string>& args)
{
    std::string command = DISCORA_EXECUTABLE;
    for (const std::string& a : args)
        command += " '" + a + "'";
    const fixture::ShellRun run = fixture::runShell(command + " 2>&1 >/dev/null");
    return {run.exitCode, run.printed};
}

std::string pngOf(int width, int height, QColor color)
{
    return fixture::pictureBytes(width, height, color);
}

std::vector<std::string> matches(const std::string& text, const std::regex& pattern)
{
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator();
         ++it)
        found.push_back((*it)[1]);
    return found;
}

class ExportHtml : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char name[] = "/tmp/discora-exporthtml-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_dir = name;
        m_catalogue = (m_dir / "Jazz.dcf").string();
        const std::string folder = coverFolderOf(m_catalogue);
        m_wide = addCover(folder, pngOf(600, 300, Qt::red)).value();
        const std::string gone = addCover(folder, pngOf(20, 20, Qt::blue)).value();

        AlbumRecord zulu = albumOf("Cat", "Zulu");
        zulu.musicType = "Rock";
        zulu.text(Field::Cover) = m_wide;
        AlbumRecord alpha = albumOf("Bat", "Alpha");
        alpha.musicType = "Rock";
        alpha.text(Field::Cover) = gone;
        AlbumRecord jazz = albumOf("Ant", "Mid");
        jazz.musicType = "Jazz";
        jazz.text(Field::Cover) = m_wide;
        CatalogueDocument doc;
        fixture::loadAlbums(doc, {zulu, alpha, jazz});
        ASSERT_TRUE(doc.saveFile(m_catalogue));
        fs::remove(fs::path(folder) / gone);
        m_goneThumbnail = gone.substr(0, 32) + ".jpg";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    std::string m_catalogue;
    std::string m_wide;
    std::string m_goneThumbnail;
};

TEST_F(ExportHtml, WritesTheDisplayedAlbumsInOrderWithTheirCovers)
{
    const fs::path site = m_dir / "site";
    const Outcome run = runDiscora({"--export-html", site.string(), "--order", "by-album-name", "--filter",
                                    "music-type=Rock", m_catalogue});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The missing cover is named, and the page shows no picture for its album.
    EXPECT_NE(run.err.find(m_goneThumbnail.substr(0, 32)), std::string::npos) << run.err;

    const std::string page = fileBytes(site / "index.html");
    EXPECT_EQ(matches(page, std::regex("<h2>([^<]*)</h2>")), (std::vector<std::string>{"Alpha", "Zulu"}));
    EXPECT_NE(page.find("<title>Jazz</title>"), std::string::npos);
    EXPECT_NE(page.find("<dt>Albums</dt><dd>2</dd>"), std::string::npos);
    const std::string thumbnail = "covers/" + m_wide.substr(0, 32) + ".jpg";
    EXPECT_EQ(matches(page, std::regex("<img [^>]*src=\"([^\"]*)\"")), std::vector<std::string>{thumbnail});

    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString((site / thumbnail).string()), "JPEG"));
    EXPECT_EQ(image.size(), QSize(250, 125));
    EXPECT_FALSE(fs::exists(site / "covers" / m_goneThumbnail));
    EXPECT_TRUE(fs::exists(site / ".discora-web-page"));
}

TEST_F(ExportHtml, RefusesAFolderOfOtherFilesAndReplacesItsOwn)
{
    const fs::path mine = m_dir / "mine";
    fs::create_directory(mine);
    putFileBytes(mine / "index.html", "my own page");
    const Outcome refused = runDiscora({"--export-html", mine.string(), m_catalogue});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("The folder holds other files"), std::string::npos) << refused.err;
    EXPECT_EQ(fileBytes(mine / "index.html"), "my own page");
    EXPECT_EQ(std::distance(fs::directory_iterator(mine), fs::directory_iterator()), 1);

    // Again into a folder of its own: only the jazz album now, and the rock covers' thumbnails go.
    const fs::path site = m_dir / "site";
    ASSERT_EQ(runDiscora({"--export-html", site.string(), m_catalogue}).exitCode, 0);
    putFileBytes(site / "covers" / (std::string(32, 'f') + ".jpg"), "left by an older export");
    ASSERT_EQ(
        runDiscora({"--export-html", site.string(), "--filter", "music-type=Jazz", m_catalogue}).exitCode, 0);
    EXPECT_EQ(matches(fileBytes(site / "index.html"), std::regex("<h2>([^<]*)</h2>")),
              std::vector<std::string>{"Mid"});
    std::vector<std::string> covers;
    for (const auto& entry : fs::directory_iterator(site / "covers"))
        covers.push_back(entry.path().filename().string());
    EXPECT_EQ(covers, std::vector<std::string>{m_wide.substr(0, 32) + ".jpg"});
}

TEST(ExportHtmlArguments, TakeAFolderAnOrderAndFilters)
{
    const CommandLine cl = parseCommandLine(
        {"--export-html", "site", "--order", "by-label", "--filter", "music-type=Jazz", "in.dcf"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.mode, CommandLine::Mode::ExportHtml);
    EXPECT_EQ(cl.output, "site");
    EXPECT_EQ(cl.order, SortOrder::ByLabel);
    EXPECT_EQ(cl.filters.size(), 1u);
    const std::pair<std::vector<std::string>, const char*> wrong[] = {
        {{"--export-html"}, "--export-html needs the folder to write"},
        {{"--export-html", "site", "--with-details", "in.dcf"}, "--with-details goes with --export-csv"},
        {{"--export-html", "site", "--export-csv", "out.csv", "in.dcf"}, "only one of"},
        {{"--export-html", "site"}, "name the catalogue file to read"},
    };
    for (const auto& [args, message] : wrong)
        EXPECT_NE(parseCommandLine(args).error.find(message), std::string::npos) << message;
}

} // namespace
} // namespace discora
