// --save-as after an import never writes over a file the import reads: the comma-separated file,
// or one of the audio folder's files.
#include "cli/commandlinemodes.h"
#include "core/settings/settingsstore.h"
#include "support/audiofiles.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace discora {
namespace {

namespace fs = std::filesystem;

TEST(ImportSource, SaveAsRefusesTheFileTheImportReads)
{
    const fs::path dir = fs::temp_directory_path() / ("discora-importsource-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "music" / "Cole");
    const std::string csv = "Group/Artist,Album Name\r\nAmber,First Light\r\n";
    fixture::putFileBytes(dir / "rows.csv", csv);
    const std::string song =
        fixture::flacBytes({{"ARTIST", "Cole"}, {"ALBUM", "Wires"}, {"TITLE", "Tin"}}, 3);
    fixture::writeBytes(dir / "music" / "Cole" / "1.flac", song);
    fs::create_symlink(dir / "rows.csv", dir / "link.csv");

    struct Case
    {
        const char* name;
        std::vector<std::string> args;
        fs::path kept;
        std::string bytes;
    };
    const std::string music = (dir / "music").string();
    const Case cases[] = {
        {"the same csv",
         {"--import-csv", (dir / "rows.csv").string(), "--save-as", (dir / "rows.csv").string()},
         dir / "rows.csv",
         csv},
        {"the csv through a link",
         {"--import-csv", (dir / "link.csv").string(), "--save-as", (dir / "rows.csv").string()},
         dir / "rows.csv",
         csv},
        {"a song of the folder",
         {"--import-audio", music, "--save-as", (dir / "music" / "Cole" / "1.flac").string()},
         dir / "music" / "Cole" / "1.flac",
         song},
        {"a song named from inside the folder",
         {"--import-audio", music, "--save-as", (dir / "music" / "Cole" / ".." / "Cole" / "1.flac").string()},
         dir / "music" / "Cole" / "1.flac",
         song},
    };
    MemorySettingsStore store;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::internal::CaptureStderr();
        EXPECT_EQ(runCommandLineMode(parseCommandLine(c.args), store), kExitFailure);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("It is a file being imported"), std::string::npos) << err;
        EXPECT_EQ(fixture::fileBytes(c.kept), c.bytes);
    }
    // A new file beside them is written as before.
    testing::internal::CaptureStderr();
    EXPECT_EQ(runCommandLineMode(parseCommandLine({"--import-audio", music, "--save-as",
                                                   (dir / "music" / "all.dcf").string()}),
                                 store),
              kExitSuccess);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(fs::is_regular_file(dir / "music" / "all.dcf"));
    fs::remove_all(dir);
}

} // namespace
} // namespace discora
