// File > Import > Comma Separated Values...: the dialog's choice of fields, the albums added after
// the catalogue's with the status bar's account, Undo, Cancel, and files refused before the dialog.
#include "core/import/csvreader.h"
#include "support/dialoganswerer.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "support/files.h"
#include "support/spreadsheetcsv.h"
#include "ui/app/application.h"
#include "ui/app/documenthandlers.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/dialogs/importdialog.h"
#include "ui/support/qttext.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace discora {
namespace {

// Picks the entry labelled text in a column's list, as a click on it would.
void choose(ImportDialog& dialog, int column, const QString& text)
{
    QComboBox* box = dialog.fieldBox(column);
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

using DialogAnswerer = fixture::DialogAnswerer<ImportDialog>;

class ImportTest : public ::testing::Test
{
protected:
    ImportTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        fixture::loadAlbums(doc(),
                            {fixture::albumOf("Amber", "First Light"), fixture::albumOf("Birch", "Hello")});
        QApplication::processEvents();
    }

    CatalogueDocument& doc() { return m_app.document(); }
    MainWindow& window() { return m_app.mainWindow(); }
    QString write(const char* name, const std::string& bytes)
    {
        const QString path = m_dir.path() + "/" + name;
        fixture::putFileBytes(toStd(path), bytes);
        return path;
    }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(ImportTest, ASpreadsheetsAlbumsFollowTheCataloguesAndOneUndoTakesThemBack)
{
    window().refreshActions();
    ASSERT_TRUE(window().action(CommandId::ImportCsv)->isEnabled());
    const QString file = write("albums.csv", fixture::spreadsheetCsv());
    DialogAnswerer answerer([](ImportDialog& dialog) {
        EXPECT_EQ(dialog.description()->text(),
                  "albums.csv: 3 rows below the headings, separated by comma, UTF-8.");
        EXPECT_EQ(dialog.fieldBox(0)->currentText(), "Group/Artist");
        EXPECT_EQ(dialog.fieldBox(1)->currentText(), "Album Name");
        EXPECT_EQ(dialog.fieldBox(2)->currentText(), "Year");
        EXPECT_EQ(dialog.fieldBox(3)->currentText(), "Music Type");
        EXPECT_EQ(dialog.fieldBox(15)->currentText(), "Song12");
        EXPECT_EQ(dialog.preview()->item(1, 0)->text(), "Nina Simone");
        choose(dialog, 2, "Custom 1");
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(m_app.documentHandlers().importCsv(file));
    EXPECT_EQ(answerer.shown(), 1);

    ASSERT_EQ(doc().albumCount(), 4);
    EXPECT_EQ(doc().album(2), fixture::spreadsheetAlbums(3)[0]);
    EXPECT_EQ(doc().album(3), fixture::spreadsheetAlbums(3)[1]);
    // Shown by artist: Amber, Birch, Crosby, Stills & Nash, Nina Simone.
    EXPECT_EQ(fixture::displayedNames(doc()),
              (std::vector<std::string>{"First Light", "Hello", "Crosby Stills & Nash", "Pastel Blues"}));
    EXPECT_EQ(window().mainStatusBar()->statusText(), "Imported 2 albums; skipped 1 row (1 empty).");
    EXPECT_TRUE(doc().isModified());

    window().refreshActions();
    ASSERT_TRUE(window().action(CommandId::Undo)->isEnabled());
    window().action(CommandId::Undo)->trigger();
    EXPECT_EQ(fixture::albumNames(doc()), (std::vector<std::string>{"First Light", "Hello"}));
}

TEST_F(ImportTest, CancelAddsNothing)
{
    const QString file = write("albums.csv", fixture::spreadsheetCsv());
    DialogAnswerer answerer([](ImportDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(m_app.documentHandlers().importCsv(file));
    EXPECT_EQ(answerer.shown(), 1);
    EXPECT_EQ(doc().albumCount(), 2);
    EXPECT_FALSE(doc().isModified());
}

TEST_F(ImportTest, BadFilesAreRefusedBeforeTheDialogWithTheReason)
{
    DialogAnswerer answerer([](ImportDialog& dialog) { dialog.reject(); });
    const std::pair<std::string, std::string> files[] = {
        {"", kImportEmptyFile},
        {"Mood;Colour\nglad;blue\n", kImportNoFields},
        {"Artist\n\"Nina\n", openQuoteMessage(2)},
        {std::string("\x7F"
                     "ELF\x02\x01\x01\0\0\0\0",
                     12),
         kImportNotText},
    };
    for (const auto& [bytes, reason] : files) {
        m_prompter.errors.clear();
        const QString file = write("bad.csv", bytes);
        EXPECT_FALSE(m_app.documentHandlers().importCsv(file));
        EXPECT_EQ(m_prompter.errors, std::vector<std::string>{cannotImport(toPath(file), reason)});
    }
    EXPECT_FALSE(m_app.documentHandlers().importCsv(m_dir.path() + "/missing.csv"));
    EXPECT_EQ(answerer.shown(), 0);
    EXPECT_EQ(doc().albumCount(), 2);
}

TEST(ImportDialogTest, AFieldMovesToTheColumnLastGivenItAndOkNeedsOne)
{
    const auto table = readCsv("Artist,Band,Song27\nA,B,C\n");
    ASSERT_TRUE(table.ok());
    const std::array<std::string, 2> headings = {"Box", "Shelf"};
    ImportDialog dialog("x.csv", *table, ColumnMapping::fromHeadings(table->headings(), headings), headings);
    EXPECT_EQ(dialog.fieldBox(0)->currentText(), "Group/Artist");
    EXPECT_EQ(dialog.fieldBox(1)->currentText(), "(ignore)");
    EXPECT_EQ(dialog.fieldBox(2)->currentText(), "Song27 (not kept: an album holds 26 songs)");
    EXPECT_EQ(dialog.fieldBox(1)->count(), 86 + kCollectionDetailCount);
    EXPECT_NE(dialog.fieldBox(1)->findText("Box"), -1);

    choose(dialog, 1, "Group/Artist");
    EXPECT_EQ(dialog.fieldBox(0)->currentText(), "(ignore)");
    EXPECT_EQ(dialog.mapping().columnOf(Field::Artist), 1);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    choose(dialog, 1, "(ignore)");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

} // namespace
} // namespace discora
