// File > Import > Audio Files Folder...: the scan off the window's thread, the dialog's albums (those
// the catalogue has already unticked), the albums added with the status bar's account, one Undo,
// Cancel, and a folder refused before the dialog.
#include "support/audiofiles.h"
#include "support/dialoganswerer.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/documenthandlers.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/dialogs/audioimportdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace discora {
namespace {

using AudioDialogAnswerer = fixture::DialogAnswerer<AudioImportDialog>;

class AudioImportWindowTest : public ::testing::Test
{
protected:
    AudioImportWindowTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        fixture::loadAlbums(doc(), {fixture::albumOf("Amber", "First Light")});
        const std::filesystem::path dir = m_dir.path().toStdString();
        fixture::writeBytes(
            dir / "Amber/First Light/1.flac",
            fixture::flacBytes({{"ARTIST", "amber"}, {"ALBUM", "FIRST LIGHT"}, {"TITLE", "Dawn"}}, 30));
        fixture::writeBytes(dir / "Cole/Wires/1.flac", fixture::flacBytes({{"ARTIST", "Cole"},
                                                                           {"ALBUM", "Wires"},
                                                                           {"TITLE", "Copper"},
                                                                           {"TRACKNUMBER", "1"},
                                                                           {"DATE", "2011"}},
                                                                          200));
        fixture::writeBytes(
            dir / "Cole/Wires/2.flac",
            fixture::flacBytes(
                {{"ARTIST", "Cole"}, {"ALBUM", "Wires"}, {"TITLE", "Tin"}, {"TRACKNUMBER", "2"}}, 7));
        fixture::writeBytes(dir / "Cole/Wires/folder.jpg", "\xFF\xD8\xFF");
        QApplication::processEvents();
    }

    CatalogueDocument& doc() { return m_app.document(); }
    MainWindow& window() { return m_app.mainWindow(); }
    // Imports a folder and waits until the import is over: whether albums were added.
    bool importAudio(const QString& folder)
    {
        std::optional<bool> added;
        m_app.documentHandlers().importAudio(folder, [&](bool a) { added = a; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return added.has_value(); }, 60000));
        return added.value_or(false);
    }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(AudioImportWindowTest, TickedAlbumsAreAddedAndOneUndoTakesThemBack)
{
    window().refreshActions();
    ASSERT_TRUE(window().action(CommandId::ImportAudio)->isEnabled());
    AudioDialogAnswerer answerer([](AudioImportDialog& dialog) {
        QTreeWidget* list = dialog.albumList();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        QTreeWidgetItem* owned = list->topLevelItem(0);
        EXPECT_EQ(owned->text(AudioImportDialog::ProblemColumn), "already in the catalogue");
        EXPECT_EQ(owned->checkState(AudioImportDialog::ArtistColumn), Qt::Unchecked);
        QTreeWidgetItem* wires = list->topLevelItem(1);
        EXPECT_EQ(wires->text(AudioImportDialog::AlbumColumn), "Wires");
        EXPECT_EQ(wires->text(AudioImportDialog::SongsColumn), "2");
        EXPECT_EQ(wires->text(AudioImportDialog::FormatColumn), "FLAC");
        EXPECT_EQ(wires->checkState(AudioImportDialog::ArtistColumn), Qt::Checked);
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        wires->setCheckState(AudioImportDialog::ArtistColumn, Qt::Unchecked);
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        wires->setCheckState(AudioImportDialog::ArtistColumn, Qt::Checked);
        dialog.yearBox()->setCurrentIndex(dialog.yearBox()->findText("Custom 2"));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(importAudio(m_dir.path()));
    EXPECT_EQ(answerer.shown(), 1);

    ASSERT_EQ(doc().albumCount(), 2);
    const AlbumRecord wires = doc().album(1);
    EXPECT_EQ(wires.artist, "Cole");
    EXPECT_EQ(wires.mediaType, "FLAC");
    EXPECT_EQ(wires.custom2, "2011");
    EXPECT_EQ(wires.songs[0], (Song{"Copper", "03:20", "01"}));
    EXPECT_EQ(wires.songs[1], (Song{"Tin", "00:07", "02"}));
    EXPECT_EQ(
        window().mainStatusBar()->statusText(),
        "Imported 1 album with 2 songs; skipped 1 album already in the catalogue, 1 file of another kind.");

    window().refreshActions();
    window().action(CommandId::Undo)->trigger();
    EXPECT_EQ(fixture::albumNames(doc()), std::vector<std::string>{"First Light"});
}

TEST_F(AudioImportWindowTest, TheDialogListsEverySkippedFolderAndFileWithItsReason)
{
    auto scan = scanAudioFolder(m_dir.path().toStdString());
    ASSERT_TRUE(scan) << scan.error();
    scan->unreadable = {{"Locked", "not readable: Permission denied", true},
                        {"Cole/Wires/3.flac", "not readable: Permission denied"},
                        {"Cole/Wires/4.flac", "no longer a file"}};
    auto plan = planAudioImport(doc(), "Music", std::move(*scan));
    ASSERT_TRUE(plan) << plan.error();
    AudioImportDialog dialog(*plan, {"Custom 1", "Custom 2"}, &window());
    EXPECT_TRUE(dialog.description()->text().endsWith(
        "skipped 1 unreadable folder, 2 unreadable files, 1 file of another kind."))
        << dialog.description()->text().toStdString();
    QTreeWidget* skipped = dialog.skippedList();
    ASSERT_EQ(skipped->topLevelItemCount(), 3);
    const std::pair<const char*, const char*> rows[] = {
        {"Locked/", "not readable: Permission denied"},
        {"Cole/Wires/3.flac", "not readable: Permission denied"},
        {"Cole/Wires/4.flac", "no longer a file"}};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(skipped->topLevelItem(r)->text(0), rows[r].first);
        EXPECT_EQ(skipped->topLevelItem(r)->text(1), rows[r].second);
    }
}

TEST_F(AudioImportWindowTest, CancelAndBadFoldersChangeNothing)
{
    AudioDialogAnswerer answerer([](AudioImportDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(importAudio(m_dir.path()));
    EXPECT_EQ(answerer.shown(), 1);
    EXPECT_FALSE(importAudio(m_dir.path() + "/nowhere"));
    EXPECT_EQ(answerer.shown(), 1);
    ASSERT_EQ(m_prompter.errors.size(), 1u);
    EXPECT_NE(m_prompter.errors[0].find("There is no such folder."), std::string::npos);
    EXPECT_EQ(doc().albumCount(), 1);
    EXPECT_FALSE(doc().isModified());
}

} // namespace
} // namespace discora
