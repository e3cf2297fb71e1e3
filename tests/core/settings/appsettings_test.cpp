#include "core/document/cataloguedocument.h"
#include "core/settings/appsettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace discora {
namespace {

const SystemColors kSystem{};

TEST(AppSettings, FirstRunWritesEveryKeyWithItsDefault)
{
    MemorySettingsStore store;
    AppSettings settings(store);
    CatalogueDocument doc;
    settings.applyAllAtStartup(kSystem, doc);

    EXPECT_EQ(store.readInt(kUserData, "DataColor"), 0);
    EXPECT_EQ(store.readInt(kUserData, "HeadingColor"), 16711680);
    EXPECT_EQ(store.readInt(kUserData, "HDataColor"), 16777215);
    EXPECT_EQ(store.readInt(kUserData, "HBkColor"), 0);
    EXPECT_EQ(store.readString(kUserData, "Face Name"), "MS Sans Serif");
    EXPECT_EQ(store.readInt(kUserData, "Font Size"), 80);
    EXPECT_EQ(store.readInt(kUserData, "Font Weight"), 400);
    EXPECT_EQ(store.readInt(kUserData, "Bold"), 0);
    EXPECT_EQ(store.readInt(kUserData, "Italic"), 0);
    EXPECT_EQ(store.readString(kUserData, "Custom1"), "Custom 1");
    EXPECT_EQ(store.readString(kUserData, "Custom2"), "Custom 2");
    EXPECT_EQ(store.readInt(kUserData, "LoadLast"), 0);
    EXPECT_EQ(store.readString(kUserData, "CD drive"), ""); // the system's default drive
    EXPECT_EQ(store.readString(kUserData, "MusicBrainz server"), "https://musicbrainz.org");
    EXPECT_EQ(store.readInt(kUserData, "FetchCovers"), 1);
    for (const auto& info : kViewOptionInfo)
        EXPECT_EQ(store.readInt(kUserData, info.key), info.defaultValue) << info.key;
    // 4 colors, 5 font keys, 2 headings, LoadLast, the CD drive, the MusicBrainz server,
    // FetchCovers and the view options.
    EXPECT_EQ(store.size(), 4u + 5u + 2u + 1u + 1u + 1u + 1u + kViewOptionCount);

    EXPECT_EQ(doc.colors().dataText, 0);
    EXPECT_EQ(doc.colors().headingText, 0xFF0000);
    EXPECT_EQ(doc.colors().highlightedText, 0xFFFFFF);
    EXPECT_EQ(doc.colors().highlightBackground, 0);
    EXPECT_EQ(doc.font(), ScreenFont{});
    EXPECT_EQ(doc.heading(0), "Custom 1");
    EXPECT_EQ(doc.viewOptions(), ViewOptions{});
}

TEST(AppSettings, OnlyTheDataColorDecidesWhetherColorsDefault)
{
    MemorySettingsStore store;
    store.writeInt(kUserData, "DataColor", 0x123456);
    AppSettings settings(store);
    CatalogueDocument doc;
    const UserColors applied = settings.applyColors(settings.readColors(), kSystem, &doc);
    EXPECT_EQ(applied.data, 0x123456);
    EXPECT_EQ(applied.heading, -1);
    EXPECT_EQ(store.readInt(kUserData, "HeadingColor"), -1);
    EXPECT_EQ(doc.colors().headingText, -1);
}

TEST(AppSettings, ColorsReachTheDocumentInOrderWithTheSystemColors)
{
    MemorySettingsStore store;
    AppSettings settings(store);
    CatalogueDocument doc;
    SystemColors system{0x111111, 0x222222, 0x333333, 0x444444};
    settings.applyColors(UserColors{1, 2, 3, 4}, system, &doc);
    const DisplayColors& c = doc.colors();
    EXPECT_EQ(c.windowBackground, 0x111111);
    EXPECT_EQ(c.dataText, 1);
    EXPECT_EQ(c.headingText, 2);
    EXPECT_EQ(c.buttonFace, 0x222222);
    EXPECT_EQ(c.buttonShadow, 0x333333);
    EXPECT_EQ(c.menuText, 0x444444);
    EXPECT_EQ(c.highlightedText, 3);
    EXPECT_EQ(c.highlightBackground, 4);
}

struct FontCase
{
    const char* name;
    ScreenFont stored;
    bool resets;
};

class FontRule : public ::testing::TestWithParam<FontCase>
{
};

TEST_P(FontRule, ABrokenFontRecordResetsTheWholeFont)
{
    MemorySettingsStore store;
    AppSettings settings(store);
    const ScreenFont applied = settings.applyFont(GetParam().stored, nullptr);
    EXPECT_EQ(applied, GetParam().resets ? ScreenFont{} : GetParam().stored);
    EXPECT_EQ(store.readString(kUserData, "Face Name"), applied.faceName);
}

INSTANTIATE_TEST_SUITE_P(Cases, FontRule,
                         ::testing::Values(FontCase{"EmptyFace", {"", 100, 700, true, true}, true},
                                           FontCase{"ZeroSize", {"Arial", 0, 700, true, false}, true},
                                           FontCase{"ZeroWeight", {"Arial", 120, 0, false, true}, true},
                                           FontCase{"NegativeSize", {"Arial", -50, 400, false, false}, true},
                                           FontCase{"NegativeWeight", {"Arial", 120, -1, false, false}, true},
                                           FontCase{"Complete", {"Arial", 120, 700, true, false}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A damaged or hand-edited settings file cannot ask for more than the screen and the printer can
// work with: the font stops at 1,638 points and its heaviest weight, a page-break choice is one of
// its buttons.
TEST(AppSettings, NumbersOutOfReachAreBroughtIntoRange)
{
    MemorySettingsStore store;
    store.writeString(kUserData, "Face Name", "Arial");
    store.writeInt(kUserData, "Font Size", 2147483647);
    store.writeInt(kUserData, "Font Weight", 2147483647);
    store.writeInt(kUserData, "NlViewPrint", 77);
    store.writeInt(kUserData, "GroupViewPrint", -3);
    store.writeInt(kUserData, "ArtistPrint", 2);
    const AppSettings settings(store);
    const ScreenFont font = settings.fontWithDefaults();
    EXPECT_EQ(font.size, 16380);
    EXPECT_EQ(font.weight, 1000);
    const ViewOptions options = settings.readViewOptions();
    EXPECT_EQ(options.value(ViewOption::NlViewPrint), ViewOptions{}.value(ViewOption::NlViewPrint));
    EXPECT_EQ(options.value(ViewOption::GroupViewPrint), ViewOptions{}.value(ViewOption::GroupViewPrint));
    EXPECT_EQ(options.value(ViewOption::ArtistPrint), 2);
}

TEST(AppSettings, EmptyHeadingsBecomeTheDefaultNames)
{
    MemorySettingsStore store;
    store.writeString(kUserData, "Custom1", "");
    store.writeString(kUserData, "Custom2", "Year");
    AppSettings settings(store);
    const auto headings = settings.applyHeadings(settings.readHeadings(), nullptr);
    EXPECT_EQ(headings[0], "Custom 1");
    EXPECT_EQ(headings[1], "Year");
    EXPECT_EQ(store.readString(kUserData, "Custom1"), "Custom 1");
}

TEST(AppSettings, ACatalogueKeepsItsOwnHeadingsAtStartUp)
{
    MemorySettingsStore store;
    store.writeString(kUserData, "Custom1", "Composer");
    store.writeString(kUserData, "Custom2", "Year");
    AppSettings settings(store);
    CatalogueDocument doc;
    doc.setHeadings("Conductor", "");
    settings.applyAllAtStartup(kSystem, doc);
    EXPECT_EQ(doc.heading(0), "Conductor");
    EXPECT_EQ(doc.heading(1), "Year");
    EXPECT_EQ(settings.headings()[0], "Composer");
}

TEST(AppSettings, TheCdDriveComesFromTheCommandLineThenTheEnvironmentThenTheSetting)
{
    struct Row
    {
        const char* name;
        std::string commandLine;
        const char* environment;
        std::string setting;
        std::string chosen;
    };
    const Row rows[] = {
        {"command line first", "/tmp/a.cue", "/dev/sr1", "/dev/sr0", "/tmp/a.cue"},
        {"then the environment", "", "/dev/sr1", "/dev/sr0", "/dev/sr1"},
        {"an empty variable counts as unset", "", "", "/dev/sr0", "/dev/sr0"},
        {"then the setting", "", nullptr, "/dev/sr0", "/dev/sr0"},
        {"else the default drive", "", nullptr, "", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(chooseCdDrive(row.commandLine, row.environment, row.setting), row.chosen) << row.name;

    MemorySettingsStore store;
    AppSettings settings(store);
    settings.writeCdDrive("/home/me/disc.cue");
    EXPECT_EQ(store.readString(kUserData, "CD drive"), "/home/me/disc.cue");
    EXPECT_EQ(settings.readCdDrive(), "/home/me/disc.cue");
}

TEST(AppSettings, CoversAreFetchedUnlessTurnedOff)
{
    MemorySettingsStore store;
    AppSettings settings(store);
    EXPECT_TRUE(settings.readFetchCovers()) << "on when never set";
    settings.writeFetchCovers(false);
    EXPECT_EQ(store.readInt(kUserData, "FetchCovers"), 0);
    EXPECT_FALSE(settings.readFetchCovers());
    store.writeInt(kUserData, "FetchCovers", 7);
    EXPECT_TRUE(settings.readFetchCovers());
    store.writeString(kUserData, "FetchCovers", "garbage");
    EXPECT_TRUE(settings.readFetchCovers()) << "a value that is no number gives the default";
}

TEST(AppSettings, ViewOptionsAreReadWrittenAndHandedOverInOrder)
{
    MemorySettingsStore store;
    store.writeInt(kUserData, "ShowNotes", 1);
    store.writeInt(kUserData, "NlViewThe", 0);
    store.writeString(kUserData, "SongGrid", "garbage");
    AppSettings settings(store);
    CatalogueDocument doc;
    ViewOptions options = settings.readViewOptions();
    EXPECT_EQ(options.value(ViewOption::ShowNotes), 1);
    EXPECT_EQ(options.value(ViewOption::NlViewThe), 0);
    EXPECT_EQ(options.value(ViewOption::SongGrid), 1); // garbage gives the default
    settings.applyViewOptions(options, true, &doc);
    EXPECT_EQ(doc.viewOptions(), options);
    EXPECT_EQ(store.readInt(kUserData, "LoadLast"), 1);
    EXPECT_EQ(store.readInt(kUserData, "SongGrid"), 1);
}

TEST(AppSettings, RecentFilesKeepTheirOrderAndSkipEmptyEntries)
{
    MemorySettingsStore store;
    AppSettings settings(store);
    settings.writeRecentFiles({"/a.dcf", "/b.dcf"});
    EXPECT_EQ(store.readString(kRecentFileList, "File1"), "/a.dcf");
    EXPECT_EQ(store.readString(kRecentFileList, "File3"), "");
    EXPECT_EQ(settings.readRecentFiles(), (std::vector<std::string>{"/a.dcf", "/b.dcf"}));
}

bool alwaysReadable(const std::string&)
{
    return true;
}
bool neverReadable(const std::string&)
{
    return false;
}

TEST(LastFileRule, ChoosesWhatToOpenAtStartUp)
{
    // A named file wins, whatever LoadLast says.
    EXPECT_EQ(chooseStartupFile("/named.dcf", "/last.dcf", false, &alwaysReadable), "/named.dcf");
    EXPECT_EQ(chooseStartupFile("/named.dcf", "/last.dcf", true, &neverReadable), "/named.dcf");
    // The last file only with LoadLast on and when it can be read.
    EXPECT_EQ(chooseStartupFile("", "/last.dcf", true, &alwaysReadable), "/last.dcf");
    EXPECT_EQ(chooseStartupFile("", "/last.dcf", false, &alwaysReadable), "");
    EXPECT_EQ(chooseStartupFile("", "/last.dcf", true, &neverReadable), "");
    EXPECT_EQ(chooseStartupFile("", "", true, &alwaysReadable), "");
}

TEST(LastFileRule, ADeletedFileIsNotReadable)
{
    const auto path = std::filesystem::temp_directory_path() / "discora-last-file-test.dcf";
    std::ofstream(path) << "x";
    EXPECT_TRUE(fileIsReadable(path.string()));
    std::filesystem::remove(path);
    EXPECT_FALSE(fileIsReadable(path.string()));
    EXPECT_EQ(chooseStartupFile("", path.string(), true, &fileIsReadable), "");
}

TEST(LastFileRule, AFolderIsNotReadable)
{
    const auto path = std::filesystem::temp_directory_path() / "discora-last-file-folder";
    std::filesystem::create_directory(path);
    EXPECT_FALSE(fileIsReadable(path.string()));
    std::filesystem::remove(path);
}

} // namespace
} // namespace discora
