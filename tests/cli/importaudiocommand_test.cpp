// discora --import-audio DIR [--media-type TEXT] [--map TAG=FIELD]... --save-as OUT [FILE]: the
// arguments, a folder's albums written and listed again, and bad folders that write nothing.
#include "cli/commandlinemodes.h"
#include "core/import/csvreader.h"
#include "core/settings/settingsstore.h"
#include "support/audiofiles.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace discora {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

TEST(ImportAudioCommandLine, TakesTheFolderMediaTypeAndTagAssignments)
{
    const CommandLine cl =
        parseCommandLine({"--map", "Year=custom1", "--import-audio", "music", "--map", "comment=ignore",
                          "--media-type", "MP3 CD", "--save-as", "o.dcf"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.mode, CommandLine::Mode::SaveAs);
    EXPECT_EQ(cl.importAudio, "music");
    EXPECT_EQ(cl.mediaType, "MP3 CD");
    EXPECT_EQ(cl.tagMaps, (std::vector<TagAssignment>{{AudioTag::Year, Field::Custom1},
                                                      {AudioTag::Comment, std::nullopt}}));
    EXPECT_TRUE(cl.columnMaps.empty());
    EXPECT_TRUE(isCommandLineMode({"--import-audio", "music"}));

    for (const Args& args :
         {Args{"--import-audio", "d"}, Args{"--import-audio", "d", "--list", "by-artist", "x"},
          Args{"--import-audio", "d", "--import-csv", "c", "--save-as", "o"},
          Args{"--media-type", "CD", "--save-as", "o", "x.dcf"},
          Args{"--import-audio", "d", "--map", "title=notes", "--save-as", "o"},
          Args{"--import-audio", "d", "--map", "year=song3", "--save-as", "o"},
          Args{"--import-audio", "d", "--map", "colour=notes", "--save-as", "o"}})
        EXPECT_FALSE(parseCommandLine(args).error.empty()) << ::testing::PrintToString(args);
}

class ImportAudioCommand : public ::testing::Test
{
protected:
    ImportAudioCommand()
        : m_dir(fs::temp_directory_path() / ("discora-audiocmd-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "music");
    }
    ~ImportAudioCommand() override { fs::remove_all(m_dir); }

    std::string path(const char* name) const { return (m_dir / name).string(); }
    int run(const Args& args) { return runCommandLineMode(parseCommandLine(args), m_store); }

    fs::path m_dir;
    MemorySettingsStore m_store;
};

TEST_F(ImportAudioCommand, AFoldersAlbumsAreWrittenAndListedBack)
{
    const auto song = [&](const char* file, const char* title, const char* track, const char* disc,
                          int seconds) {
        fixture::writeBytes(m_dir / "music" / file, fixture::flacBytes({{"ALBUMARTIST", "Kim"},
                                                                        {"ARTIST", "Kim"},
                                                                        {"ALBUM", "Tides"},
                                                                        {"TITLE", title},
                                                                        {"TRACKNUMBER", track},
                                                                        {"DISCNUMBER", disc},
                                                                        {"GENRE", "Folk"}},
                                                                       seconds));
    };
    song("d2t1.flac", "Ebb", "1", "2", 125);
    song("d1t2.flac", "Flow", "2", "1", 59);
    song("d1t1.flac", "Swell", "1", "1", 600);
    fixture::writeBytes(m_dir / "music/notes.txt", "liner notes");

    ::testing::internal::CaptureStderr();
    ASSERT_EQ(run({"--import-audio", path("music"), "--save-as", path("out.dcf")}), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "discora: Imported 2 albums with 3 songs; skipped 1 file of another kind.\n");

    ::testing::internal::CaptureStdout();
    ASSERT_EQ(run({"--list", "by-song", path("out.dcf")}), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Ebb\t01\tKim\t2\nFlow\t02\tKim\t1\nSwell\t01\tKim\t1\n");

    CatalogueDocument written;
    ASSERT_TRUE(written.openFile(path("out.dcf")));
    ASSERT_EQ(written.albumCount(), 2);
    const AlbumRecord first = written.album(0);
    EXPECT_EQ(first.albumName, "Tides (Disc 1)");
    EXPECT_EQ(first.musicType, "Folk");
    EXPECT_EQ(first.mediaType, "FLAC");
    EXPECT_EQ(first.songs[0].time, "10:00");
    EXPECT_EQ(first.songs[1].time, "00:59");
    EXPECT_EQ(written.album(1).albumName, "Tides (Disc 2)");
}

TEST_F(ImportAudioCommand, BadFoldersWriteNothingAndExitWithOne)
{
    fixture::writeBytes(m_dir / "fake/song.mp3", "not really a song");
    fs::create_directories(m_dir / "empty");
    const std::pair<const char*, std::string> cases[] = {
        {"missing", kAudioFolderMissing},
        {"empty", kAudioFolderEmpty},
        {"fake", "No audio file could be read; \"song.mp3\" is not a readable MP3 file."},
    };
    for (const auto& [folder, reason] : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(run({"--import-audio", path(folder), "--save-as", path("out.dcf")}), 1) << folder;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "discora: " + cannotImport(path(folder), reason) + "\n");
        EXPECT_FALSE(fs::exists(path("out.dcf")));
    }
}

TEST_F(ImportAudioCommand, AFolderBeyondThePathLimitIsNamedWithTheReason)
{
    fs::create_directories(m_dir / "deep");
    const std::string deep = fixture::makeDeepFolders(m_dir / "deep");
    ::testing::internal::CaptureStderr();
    const int status = run({"--import-audio", path("deep"), "--save-as", path("out.dcf")});
    const std::string said = ::testing::internal::GetCapturedStderr();
    fixture::removeDeepFolders(m_dir / "deep");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(said, "discora: " +
                        cannotImport(path("deep"), "No audio file could be read; \"" + deep +
                                                       "\" is not readable: File name too long.") +
                        "\n");
}

} // namespace
} // namespace discora
