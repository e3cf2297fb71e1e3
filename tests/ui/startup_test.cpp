#include "cli/commandlinemodes.h"
#include "core/base/filebytes.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/app/qtsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace discora {
namespace {

class Startup : public ::testing::Test
{
protected:
    std::string path(const char* name) const { return (m_dir.path() + "/" + name).toStdString(); }

    std::string writeCatalogue(const char* name, const std::string& artist)
    {
        CatalogueDocument doc;
        AlbumRecord album;
        album.artist = artist;
        fixture::appendAlbums(doc, {album});
        const std::string file = path(name);
        EXPECT_TRUE(doc.saveFile(file));
        return file;
    }

    void writeBytes(const std::string& file, const std::string& bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
};

TEST_F(Startup, OpensTheFileNamedOnTheCommandLine)
{
    const std::string file = writeCatalogue("named.dcf", "Named");
    Application app(m_store, &m_prompter);
    WindowStart cl;
    cl.file = file;
    app.start(cl);
    ASSERT_EQ(app.document().albumCount(), 1);
    EXPECT_EQ(app.document().text(Field::Artist, 0), "Named");
    EXPECT_TRUE(app.mainWindow().isVisible());
    EXPECT_TRUE(app.document().progressEnabled());
    EXPECT_TRUE(m_prompter.errors.empty());
    EXPECT_TRUE(app.mainWindow().windowTitle().startsWith("named.dcf"));
}

TEST_F(Startup, TheFileOpenedAtStartUpBecomesTheMostRecentFile)
{
    const std::string file = writeCatalogue("named.dcf", "Named");
    Application app(m_store, &m_prompter);
    WindowStart cl;
    cl.file = QDir::current().relativeFilePath(QString::fromStdString(file)).toStdString();
    app.start(cl);
    ASSERT_EQ(app.document().albumCount(), 1);
    EXPECT_EQ(app.mainWindow().currentFile().toStdString(), file);
    EXPECT_EQ(app.mainWindow().recentFiles(), QStringList{QString::fromStdString(file)});
    EXPECT_EQ(m_store.readString(kRecentFileList, "File1"), file);
}

TEST_F(Startup, LoadLastLooksAtTheFirstRecentFileOnly)
{
    const std::string file = writeCatalogue("second.dcf", "Second");
    m_store.writeInt(kUserData, "LoadLast", 1);
    m_store.writeString(kRecentFileList, "File1", "");
    m_store.writeString(kRecentFileList, "File2", file);
    Application app(m_store, &m_prompter);
    app.start();
    EXPECT_EQ(app.document().albumCount(), 0);
    EXPECT_TRUE(m_prompter.errors.empty());
}

TEST_F(Startup, AnUnreadableNamedFileIsReportedAndAnEmptyCatalogueStarts)
{
    const std::string file = path("notes.dcf");
    writeBytes(file, "Group/Artist,Album Name\r\n");
    Application app(m_store, &m_prompter);
    WindowStart cl;
    cl.file = file;
    app.start(cl);
    ASSERT_EQ(m_prompter.errors.size(), 1u);
    EXPECT_NE(m_prompter.errors[0].find("notes.dcf"), std::string::npos);
    EXPECT_EQ(app.document().albumCount(), 0);
    EXPECT_TRUE(app.document().readyForEntry());
    EXPECT_TRUE(app.mainWindow().isVisible());
    EXPECT_TRUE(app.mainWindow().windowTitle().startsWith("Untitled"));
}

TEST_F(Startup, LoadLastReopensTheMostRecentFile)
{
    const std::string file = writeCatalogue("last.dcf", "Last");
    m_store.writeInt(kUserData, "LoadLast", 1);
    m_store.writeString(kRecentFileList, "File1", file);
    Application app(m_store, &m_prompter);
    app.start();
    ASSERT_EQ(app.document().albumCount(), 1);
    EXPECT_EQ(app.document().text(Field::Artist, 0), "Last");
}

TEST_F(Startup, LoadLastWithADeletedFileStartsEmptyWithoutAMessage)
{
    m_store.writeInt(kUserData, "LoadLast", 1);
    m_store.writeString(kRecentFileList, "File1", path("gone.dcf"));
    Application app(m_store, &m_prompter);
    app.start();
    EXPECT_EQ(app.document().albumCount(), 0);
    EXPECT_TRUE(m_prompter.errors.empty());
}

TEST_F(Startup, LoadLastWithADamagedFileSaysSoAndStartsEmpty)
{
    const std::string file = path("damaged.dcf");
    writeBytes(file, std::string("\xF9\xFF\xFF\xFF\x05\x00", 6));
    m_store.writeInt(kUserData, "LoadLast", 1);
    m_store.writeString(kRecentFileList, "File1", file);
    Application app(m_store, &m_prompter);
    app.start();
    EXPECT_EQ(app.document().albumCount(), 0);
    EXPECT_EQ(m_prompter.errors.size(), 1u);
}

TEST_F(Startup, TheSettingsAreAppliedAfterTheFileIsOpened)
{
    m_store.writeInt(kUserData, "ShowNotes", 1);
    m_store.writeString(kUserData, "Custom1", "Composer");
    Application app(m_store, &m_prompter);
    app.start();
    EXPECT_TRUE(app.document().viewOptions().on(ViewOption::ShowNotes));
    EXPECT_EQ(app.document().heading(0), "Composer");
    EXPECT_EQ(app.document().heading(1), "Custom 2");
    EXPECT_EQ(m_store.readString(kUserData, "Face Name"), "MS Sans Serif");
}

TEST(QtSettings, GarbageValuesAndGarbageFilesGiveDefaults)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/Discora.conf";
    {
        std::ofstream out(file.toStdString());
        out << "[User%20Data]\nFont%20Size=big\nShowNotes=1\nLoadLast=99999999999999\n";
    }
    QtSettingsStore store(file);
    AppSettings settings(store);
    EXPECT_EQ(settings.readFont().size, 80);
    EXPECT_TRUE(settings.readViewOptions().on(ViewOption::ShowNotes));
    EXPECT_FALSE(settings.readLoadLast());

    const QString binary = dir.path() + "/Binary.conf";
    {
        std::ofstream out(binary.toStdString(), std::ios::binary);
        for (int i = 0; i < 4096; ++i)
            out.put(static_cast<char>((i * 7919) & 0xFF));
    }
    QtSettingsStore garbage(binary);
    AppSettings fromGarbage(garbage);
    EXPECT_EQ(fromGarbage.readFont().size, 80);
    EXPECT_EQ(fromGarbage.readViewOptions().value(ViewOption::SongGrid), 1);
}

TEST(QtSettings, TheUsersSettingsLiveInTheConfigurationFolder)
{
    QtSettingsStore store;
    EXPECT_TRUE(store.fileName().endsWith("/Quorvane/Discora.conf")) << store.fileName().toStdString();
}

TEST(QtSettings, ValuesRoundTripThroughTheFile)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/Discora.conf";
    {
        QtSettingsStore store(file);
        store.writeInt(kUserData, "Font Size", 120);
        store.writeString(kUserData, "Custom1", "Année, Komponist");
        store.writeString(kWindowSize, "Rect", "0010 0010 0500 0400");
    }
    QtSettingsStore store(file);
    EXPECT_EQ(store.readInt(kUserData, "Font Size"), 120);
    EXPECT_EQ(store.readString(kUserData, "Custom1"), "Année, Komponist");
    EXPECT_EQ(store.readString(kWindowSize, "Rect"), "0010 0010 0500 0400");
    EXPECT_FALSE(store.readInt(kUserData, "Missing").has_value());
}

class SaveAsCommand : public Startup
{
};

TEST_F(SaveAsCommand, ConvertsTheOldestLayoutToTheCurrentOne)
{
    // Oldest layout: the album count, then 26 lists (artist, media type, music type, album name,
    // number, titles 1 to 21), each holding one text.
    std::string bytes("\x01\x00\x00\x00", 4);
    const char* texts[] = {"Artist", "CD", "Rock", "Album", "7"};
    for (int list = 0; list < 26; ++list) {
        const std::string text = list < 5 ? texts[list] : (list == 5 ? "First Song" : "");
        bytes += std::string("\x01\x00", 2);
        bytes += static_cast<char>(text.size());
        bytes += text;
    }
    const std::string in = path("old.dcf");
    const std::string out = path("new.dcf");
    writeBytes(in, bytes);

    CommandLine cl = parseCommandLine({"--save-as", out, in});
    ASSERT_EQ(runCommandLineMode(cl, m_store), 0);
    auto written = readWholeFile(out);
    ASSERT_TRUE(written);
    auto loaded = readCatalogue(*written, LoadBase{}, nullptr);
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->version, -7);
    EXPECT_EQ(loaded->headings[0], "Custom 1");
    EXPECT_EQ(loaded->headings[1], "Custom 2");
    EXPECT_EQ(loaded->layouts, defaultColumnLayouts(96));
    EXPECT_EQ(loaded->albums.text(Field::Artist, 0), "Artist");
    EXPECT_EQ(loaded->albums.text(titleField(1), 0), "First Song");
    EXPECT_EQ(loaded->albums.text(trackField(1), 0), "01");
    EXPECT_EQ(loaded->albums.text(trackField(2), 0), "");
}

TEST_F(SaveAsCommand, AFailureWritesNothingAndExitsWithOne)
{
    const std::string in = path("bad.dcf");
    const std::string out = path("out.dcf");
    writeBytes(in, "not a catalogue at all");
    EXPECT_EQ(runCommandLineMode(parseCommandLine({"--save-as", out, in}), m_store), 1);
    EXPECT_FALSE(std::ifstream(out).good());
    EXPECT_EQ(runCommandLineMode(parseCommandLine({"--save-as", out, path("missing.dcf")}), m_store), 1);
    EXPECT_FALSE(std::ifstream(out).good());
}

} // namespace
} // namespace discora
