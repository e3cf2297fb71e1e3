// `discora --cd-info`: the disc's times as "Load Times from CD" reads them, from the drive named by
// --cd-device, DISCORA_CD_DEVICE or the "CD drive" setting.
#include "cli/commandline.h"
#include "cli/commandlinemodes.h"
#include "core/cdplayer/cdplayertext.h"
#include "core/settings/appsettings.h"
#include "support/discimage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

namespace discora {
namespace {

using Args = std::vector<std::string>;
namespace image = testimage;

TEST(CdInfoCommandLine, TakesADriveAndNothingElse)
{
    EXPECT_TRUE(isCommandLineMode({"--cd-info"}));
    const CommandLine info = parseCommandLine({"--cd-info", "--cd-device", "/tmp/disc.cue"});
    ASSERT_TRUE(info.error.empty()) << info.error;
    EXPECT_EQ(info.mode, CommandLine::Mode::CdInfo);
    EXPECT_EQ(info.cdDevice, "/tmp/disc.cue");

    const CommandLine window = parseCommandLine({"--cd-device", "/dev/sr1", "music.dcf"});
    ASSERT_TRUE(window.error.empty()) << window.error;
    EXPECT_EQ(window.mode, CommandLine::Mode::Window);
    EXPECT_EQ(window.cdDevice, "/dev/sr1");
    EXPECT_FALSE(isCommandLineMode({"--cd-device", "/dev/sr1"}));

    for (const Args& args : {Args{"--cd-info", "music.dcf"}, Args{"--cd-info", "--cd-device"},
                             Args{"--cd-info", "--list", "by-artist", "x.dcf"},
                             Args{"--save-as", "out.dcf", "--cd-device", "/dev/sr0", "in.dcf"}})
        EXPECT_FALSE(parseCommandLine(args).error.empty()) << args[0] << " " << args[1];
}

class CdInfoTest : public ::testing::Test
{
protected:
    ~CdInfoTest() override { unsetenv(kCdDeviceVariable); }

    struct Output
    {
        int code = 0;
        std::string out;
        std::string err;
    };
    Output run(const Args& args)
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        Output o;
        o.code = runCommandLineMode(parseCommandLine(args), m_store);
        o.out = testing::internal::GetCapturedStdout();
        o.err = testing::internal::GetCapturedStderr();
        return o;
    }

    image::TempDir m_dir;
    MemorySettingsStore m_store;
};

TEST_F(CdInfoTest, PrintsOneLinePerTrackOfTheWholeDisc)
{
    image::Disc disc({image::seconds(3, 5), image::seconds(0, 59)});
    for (int k = 3; k <= 29; ++k)
        disc.tracks.push_back(image::seconds(0, 1));
    disc.tracks.push_back(image::seconds(0, 4)); // the shortest a CD's last track can be
    const std::string cue = image::write(m_dir.path(), "long", disc);
    const Output o = run({"--cd-info", "--cd-device", cue});
    EXPECT_EQ(o.code, 0);
    std::string expected = "01\t03:05\n02\t00:59\n";
    for (int k = 3; k <= 30; ++k) {
        char line[16];
        std::snprintf(line, sizeof line, "%02d\t00:%02d\n", k, k < 30 ? 1 : 4);
        expected.append(line);
    }
    EXPECT_EQ(o.out, expected);
    EXPECT_EQ(o.err, "");
}

TEST_F(CdInfoTest, TheDriveComesFromTheEnvironmentOrTheSettingWhenNotNamed)
{
    const std::string one = image::write(m_dir.path(), "one", {{image::seconds(0, 4)}});
    const std::string two = image::write(m_dir.path(), "two", {{image::seconds(0, 5)}});
    AppSettings(m_store).writeCdDrive(one);
    EXPECT_EQ(run({"--cd-info"}).out, "01\t00:04\n");
    setenv(kCdDeviceVariable, two.c_str(), 1);
    EXPECT_EQ(run({"--cd-info"}).out, "01\t00:05\n");
    EXPECT_EQ(run({"--cd-info", "--cd-device", one}).out, "01\t00:04\n");
}

TEST_F(CdInfoTest, WithoutAWholeAudioDiscItSaysWhatTheEntrySheetWouldSay)
{
    image::Track data = image::seconds(0, 4);
    data.audio = false;
    const std::string mixed = image::write(m_dir.path(), "mixed", {{data, image::seconds(0, 5)}});
    const std::string cut = image::write(
        m_dir.path(), "cut", {{image::seconds(0, 3), image::seconds(0, 3), image::seconds(0, 3)}});
    std::filesystem::resize_file(m_dir.path() / "cut.bin", 4 * 75 * image::kSectorBytes);
    // Three tracks of five seconds cut 20 sectors into the third, and cut inside their last sector.
    const image::Disc fives{{image::seconds(0, 5), image::seconds(0, 5), image::seconds(0, 5)}};
    const std::string cutInLast = image::write(m_dir.path(), "cut in last", fives);
    std::filesystem::resize_file(m_dir.path() / "cut in last.bin", (2 * 375 + 20) * image::kSectorBytes);
    const std::string cutInSector = image::write(m_dir.path(), "cut in sector", fives);
    std::filesystem::resize_file(m_dir.path() / "cut in sector.bin", 3 * 375 * image::kSectorBytes - 1000);
    const std::string none = (m_dir.path() / "none.cue").string();
    const std::string pipe = (m_dir.path() / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    struct Row
    {
        const char* name;
        std::string drive;
        std::string message;
    };
    for (const Row& row :
         {Row{"a data first track", mixed, kNoAudioTrackOne},
          Row{"an image that ends inside track 2", cut, kDamagedDisc},
          Row{"an image that ends inside its last track", cutInLast, kDamagedDisc},
          Row{"an image that ends inside a sector", cutInSector, kDamagedDisc},
          Row{"no such image", none, "The disc image file " + none + " cannot be found."},
          Row{"a named pipe", pipe, pipe + " is neither a CD drive nor a disc image file."}}) {
        const Output o = run({"--cd-info", "--cd-device", row.drive});
        EXPECT_EQ(o.code, 1) << row.name;
        EXPECT_EQ(o.out, "") << row.name;
        EXPECT_EQ(o.err, row.message + "\n") << row.name;
    }
}

} // namespace
} // namespace discora
