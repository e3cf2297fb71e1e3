// Enter, Modify, Delete, Undo, Find and the exports, driven through the main window's commands,
// the real entry sheet and the view, as a user would.
#include "cli/commandlineexport.h"
#include "core/fileformat/atomicfile.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/coverfolder.h"
#include "core/import/csvreader.h"
#include "core/model/albumdetails.h"
#include "support/dialoganswerer.h"
#include "support/fakeprompter.h"
#include "support/files.h"
#include "ui/app/application.h"
#include "ui/app/documenthandlers.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/dialogs/deletealbumsdialog.h"
#include "ui/dialogs/finddialog.h"
#include "ui/entry/albumcollectionpage.h"
#include "ui/entry/albumsheet.h"
#include "ui/entry/coverbox.h"
#include "ui/entry/lenddialog.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace discora {
namespace {

AlbumRecord album(const char* artist, const char* name)
{
    AlbumRecord a;
    a.artist = artist;
    a.albumName = name;
    return a;
}

// Answers every entry sheet that opens, in turn, with the next scripted action.
class SheetAnswerer
{
public:
    using Answer = std::function<void(AlbumSheet&)>;
    explicit SheetAnswerer(std::deque<Answer> answers) : m_answers(std::move(answers))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* sheet = qobject_cast<AlbumSheet*>(QApplication::activeModalWidget());
            if (!sheet || m_answers.empty())
                return;
            const Answer answer = m_answers.front();
            m_answers.pop_front();
            ++m_shown;
            answer(*sheet);
        });
        m_timer.start(5);
    }
    int shown() const { return m_shown; }

private:
    QTimer m_timer;
    std::deque<Answer> m_answers;
    int m_shown = 0;
};

void typeArtistAndConfirm(AlbumSheet& sheet, const QString& artist)
{
    QComboBox* box = sheet.comboBox(Field::Artist);
    box->setEditText(QString());
    // QTest types ASCII only; inserting is what typing any other script does to the field.
    box->lineEdit()->insert(artist);
    QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
}

void cancelSheet(AlbumSheet& sheet)
{
    QTest::mouseClick(sheet.cancelButton(), Qt::LeftButton);
}

class EditingTest : public ::testing::Test
{
protected:
    EditingTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        window().resize(900, 700);
        LoadedCatalogue loaded;
        for (const AlbumRecord& a : {album("Amber", "First Light"), album("Birch", "Hello, world"),
                                     album("Cedar", "Hello world."), album("Dune", "Quiet")})
            loaded.albums.appendAlbum(a);
        loaded.layouts = defaultColumnLayouts(96);
        doc().adoptLoaded(std::move(loaded));
        QApplication::processEvents();
    }

    MainWindow& window() { return m_app.mainWindow(); }
    CatalogueDocument& doc() { return m_app.document(); }
    CatalogueView& view() { return *window().view(); }

    void click(int position)
    {
        const int lh = view().metrics().lineHeight;
        const int top =
            view().linesPerRecord() == 1 ? (position + 1) * lh : position * view().linesPerRecord() * lh + lh;
        QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier,
                          {40, top + lh / 2 - view().scrollY()});
    }

    // A click on an entry that is selected already (as one just modified is) unselects it.
    void selectOnly(int position)
    {
        view().clearSelection();
        view().clickEntry(position, {});
    }

    bool enabled(CommandId id)
    {
        window().refreshActions();
        return window().action(id)->isEnabled();
    }

    std::vector<std::string> artists()
    {
        std::vector<std::string> out;
        for (int a = 0; a < doc().albumCount(); ++a)
            out.emplace_back(doc().text(Field::Artist, a));
        return out;
    }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(EditingTest, EnterAddsTheTypedAlbumAndUndoTakesItAway)
{
    EXPECT_TRUE(enabled(CommandId::Enter));
    EXPECT_FALSE(enabled(CommandId::Undo));
    SheetAnswerer answerer({[](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.lineEdit(Field::Number)->text(), "5"); // the count plus one
        typeArtistAndConfirm(sheet, "Ébène 東京");
    }});
    window().action(CommandId::Enter)->trigger();
    ASSERT_EQ(answerer.shown(), 1);
    ASSERT_EQ(doc().albumCount(), 5);
    EXPECT_EQ(doc().text(Field::Artist, 4), "Ébène 東京");
    EXPECT_TRUE(doc().isModified());
    EXPECT_TRUE(enabled(CommandId::Undo));

    window().action(CommandId::Undo)->trigger();
    EXPECT_EQ(doc().albumCount(), 4);
    EXPECT_FALSE(enabled(CommandId::Undo));
}

QKeySequence firstBinding(QKeySequence::StandardKey key)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? QKeySequence() : keys.first();
}

TEST_F(EditingTest, EachStandardKeyReachesItsCommand)
{
    struct KeyCase
    {
        const char* name;
        QKeySequence key;
        CommandId command;
    };
    const KeyCase cases[] = {
        {"Del deletes", QKeySequence(Qt::Key_Delete), CommandId::Delete},
        {"Ctrl+D still deletes", QKeySequence(Qt::CTRL | Qt::Key_D), CommandId::Delete},
        {"Ctrl+F finds", QKeySequence(Qt::CTRL | Qt::Key_F), CommandId::Find},
        {"Ctrl+A selects all", QKeySequence(Qt::CTRL | Qt::Key_A), CommandId::SelectAll},
        {"Ctrl+Z undoes", QKeySequence(Qt::CTRL | Qt::Key_Z), CommandId::Undo},
        // The desktop's own keys for Redo and Quit, whichever this platform binds.
        {"Redo", firstBinding(QKeySequence::Redo), CommandId::Redo},
        {"Quit", firstBinding(QKeySequence::Quit), CommandId::Exit},
    };
    // Something to undo and to redo, and a selection, so that every command is enabled.
    doc().enterAlbum(album("Elm", "Rings"));
    doc().enterAlbum(album("Fir", "Cones"));
    doc().undo();
    click(0);
    std::map<CommandId, int> reached;
    for (const KeyCase& c : cases)
        window().setHandler(c.command, [&reached, id = c.command] { ++reached[id]; });
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    for (const KeyCase& c : cases) {
        if (c.key.isEmpty())
            continue; // not bound on this desktop
        const int before = reached[c.command];
        QTest::keySequence(view().viewport(), c.key);
        EXPECT_EQ(reached[c.command], before + 1) << c.name;
    }
}

TEST_F(EditingTest, TheEditMenuNamesWhatUndoAndRedoWouldChange)
{
    click(0);
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::ControlModifier,
                      {40, 2 * view().linesPerRecord() * view().metrics().lineHeight +
                               view().metrics().lineHeight * 3 / 2});
    m_prompter.deleteAnswers = {DeleteAnswer::YesToAll};
    window().action(CommandId::Delete)->trigger();
    ASSERT_EQ(doc().albumCount(), 2);
    window().refreshActions();
    EXPECT_EQ(window().action(CommandId::Undo)->text(), "&Undo Delete 2 Albums");
    EXPECT_FALSE(enabled(CommandId::Redo));

    window().action(CommandId::Undo)->trigger();
    EXPECT_EQ(artists(), (std::vector<std::string>{"Amber", "Birch", "Cedar", "Dune"}));
    EXPECT_FALSE(window().isWindowModified()) << "back at the catalogue as opened";
    window().refreshActions();
    EXPECT_EQ(window().action(CommandId::Redo)->text().section('\t', 0, 0), "&Redo Delete 2 Albums");
    EXPECT_FALSE(enabled(CommandId::Undo));

    window().action(CommandId::Redo)->trigger();
    EXPECT_EQ(artists(), (std::vector<std::string>{"Birch", "Dune"}));
    EXPECT_TRUE(window().isWindowModified());
}

TEST_F(EditingTest, ANewAlbumIsSelectedAndScrolledIntoViewAndTheCountFollows)
{
    // Enough albums that the last one entered lies below the first page.
    for (int i = 0; i < 40; ++i)
        doc().enterAlbum(album("Aa", "filler"));
    doc().setModified(false);
    QApplication::processEvents();
    EXPECT_EQ(window().mainStatusBar()->albumCountField()->text(), "44 albums");
    EXPECT_EQ(window().mainStatusBar()->orderField()->text(), "Sorted by Artist");
    ASSERT_EQ(view().scrollY(), 0);

    SheetAnswerer answerer({[](AlbumSheet& sheet) { typeArtistAndConfirm(sheet, "Zinnia"); }});
    window().action(CommandId::Enter)->trigger();
    ASSERT_EQ(answerer.shown(), 1);
    const int last = doc().displayedCount() - 1;
    ASSERT_EQ(doc().text(Field::Artist, static_cast<int>(doc().displayOrder()[last])), "Zinnia");
    EXPECT_EQ(view().selection().positions(), std::vector<int>{last});
    const int height = view().linesPerRecord() * view().metrics().lineHeight;
    EXPECT_LE(view().scrollY(), last * height);
    EXPECT_GE(view().scrollY() + view().viewport()->height(), (last + 1) * height) << "wholly on the page";
    EXPECT_EQ(window().mainStatusBar()->albumCountField()->text(), "45 albums");
}

TEST_F(EditingTest, AFilterShowsHowManyAlbumsItLeavesAndWhichFilterIsOn)
{
    ASSERT_TRUE(doc().setFilter(FilterField::Artist, "Birch"));
    EXPECT_EQ(window().mainStatusBar()->albumCountField()->text(), "1 of 4 albums (Group/Artist: Birch)");
    ASSERT_TRUE(doc().setFilter(FilterField::Artist, kNoFilter));
    EXPECT_EQ(window().mainStatusBar()->albumCountField()->text(), "4 albums");
    doc().runOrder(SortOrder::ByAlbumName);
    EXPECT_EQ(window().mainStatusBar()->orderField()->text(), "Sorted by Album Name");
}

TEST_F(EditingTest, SavingSaysWhatWasSaved)
{
    const QString file = m_dir.path() + "/Jazz.dcf";
    ASSERT_TRUE(window().saveFile(file));
    EXPECT_EQ(window().mainStatusBar()->statusText(), "Saved 4 albums to Jazz.dcf");
}

TEST_F(EditingTest, ModifyAndDeleteNeedASelection)
{
    EXPECT_FALSE(enabled(CommandId::Modify));
    EXPECT_FALSE(enabled(CommandId::Delete));
    click(1);
    EXPECT_TRUE(enabled(CommandId::Modify));
    EXPECT_TRUE(enabled(CommandId::Delete));
}

TEST_F(EditingTest, DoubleClickOpensTheSheetForThatAlbum)
{
    SheetAnswerer answerer({[](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.comboBox(Field::Artist)->currentText(), "Cedar");
        typeArtistAndConfirm(sheet, "Cypress");
    }});
    const int lh = view().metrics().lineHeight;
    QTest::mouseDClick(view().viewport(), Qt::LeftButton, Qt::NoModifier,
                       {40, 2 * view().linesPerRecord() * lh + lh + lh / 2});
    ASSERT_EQ(answerer.shown(), 1);
    EXPECT_EQ(artists(), (std::vector<std::string>{"Amber", "Birch", "Cypress", "Dune"}));
}

TEST_F(EditingTest, DeleteAsksThroughTheDialogAndUndoPutsTheAlbumsBack)
{
    click(0);
    QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::ControlModifier,
                      {40, 2 * view().linesPerRecord() * view().metrics().lineHeight +
                               view().metrics().lineHeight * 3 / 2});
    m_prompter.deleteAnswers = {DeleteAnswer::Yes, DeleteAnswer::Yes};
    window().action(CommandId::Delete)->trigger();
    ASSERT_EQ(m_prompter.deleteQuestions.size(), 2u);
    EXPECT_EQ(m_prompter.deleteQuestions[0], "Are you sure you want to delete Amber - First Light?");
    EXPECT_EQ(artists(), (std::vector<std::string>{"Birch", "Dune"}));
    window().action(CommandId::Undo)->trigger();
    EXPECT_EQ(artists(), (std::vector<std::string>{"Amber", "Birch", "Cedar", "Dune"}));
}

TEST(DeleteAlbumsDialog, EscapeAnswersNoToAll)
{
    DeleteAlbumsDialog dialog;
    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.ask("Are you sure you want to delete A - B?"), DeleteAnswer::NoToAll);
    QTimer::singleShot(0, [&] { QTest::mouseClick(dialog.button(DeleteAnswer::YesToAll), Qt::LeftButton); });
    EXPECT_EQ(dialog.ask("again"), DeleteAnswer::YesToAll);
    EXPECT_EQ(dialog.question(), "again");
    EXPECT_EQ(dialog.windowTitle(), "Delete Albums");
}

TEST_F(EditingTest, FindOpensEachWholeWordMatchAndAsksToContinue)
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<FindDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->textField()->setText("Hello");
        dialog->wholeWordBox()->setChecked(true);
        dialog->accept();
    });
    m_prompter.continueAnswers = {true, true};
    SheetAnswerer answerer({&cancelSheet, &cancelSheet});
    window().action(CommandId::Find)->trigger();
    // "Hello, world" and "Hello world." both hold the word Hello.
    EXPECT_EQ(answerer.shown(), 2);
    EXPECT_EQ(m_prompter.continueQuestions, 2);
    ASSERT_FALSE(m_prompter.messages.empty());
    EXPECT_EQ(m_prompter.messages.back(), "Finished search. No more matches");
    EXPECT_EQ(doc().findQuery().text, "Hello");
    EXPECT_TRUE(doc().findQuery().wholeWord);
}

TEST_F(EditingTest, ExportWritesTheDisplayedOrTheSelectedAlbums)
{
    const QString all = m_dir.path() + "/all.csv";
    ASSERT_TRUE(m_app.documentHandlers().exportTo(ExportFormat::Csv, all));
    QFile file(all);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\"Group/Artist\",\"Album Name\","));
    EXPECT_EQ(bytes.count("\r\n"), 5); // the heading and four albums
    file.close();

    click(3);
    const QString one = m_dir.path() + "/one.doc";
    ASSERT_TRUE(m_app.documentHandlers().exportTo(ExportFormat::Text, one));
    QFile text(one);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray doc = text.readAll();
    EXPECT_TRUE(doc.contains("Dune"));
    EXPECT_FALSE(doc.contains("Amber"));
}

TEST_F(EditingTest, WebPageExportWritesTheShownOrSelectedAlbumsAndRefusesAForeignFolder)
{
    EXPECT_TRUE(enabled(CommandId::ExportWebPage));
    const QString site = m_dir.path() + "/site";
    ASSERT_TRUE(m_app.documentHandlers().exportWebPage(site));
    const std::string page = fixture::fileBytes(toPath(site) + "/index.html");
    EXPECT_NE(page.find("<h2>Hello, world</h2>"), std::string::npos);
    EXPECT_NE(page.find("<dt>Albums</dt><dd>4</dd>"), std::string::npos);
    EXPECT_EQ(window().mainStatusBar()->statusText(), "Exported 4 albums to site");

    click(3);
    ASSERT_TRUE(m_app.documentHandlers().exportWebPage(site));
    const std::string one = fixture::fileBytes(toPath(site) + "/index.html");
    EXPECT_NE(one.find("<h2>Quiet</h2>"), std::string::npos);
    EXPECT_EQ(one.find("First Light"), std::string::npos);

    const QString mine = m_dir.path() + "/mine";
    QDir().mkpath(mine);
    fixture::putFileBytes(toPath(mine) + "/notes.txt", "mine");
    EXPECT_FALSE(m_app.documentHandlers().exportWebPage(mine));
    ASSERT_EQ(m_prompter.errors.size(), 1u);
    EXPECT_NE(m_prompter.errors[0].find("The folder holds other files"), std::string::npos);
    EXPECT_FALSE(QFile::exists(mine + "/index.html"));

    doc().setFilter(FilterField::Artist, "nobody");
    EXPECT_FALSE(enabled(CommandId::ExportWebPage));
}

// ---- Collection details --------------------------------------------------------------------

void showCollection(AlbumSheet& sheet)
{
    sheet.tabs()->setCurrentWidget(sheet.collectionPage());
}

void choose(QComboBox* box, const QString& text)
{
    box->setCurrentIndex(box->findText(text));
}

TEST_F(EditingTest, DetailsGoIntoTheCatalogueAndComeBackInTheSheet)
{
    selectOnly(0); // Amber
    SheetAnswerer modify({[](AlbumSheet& sheet) {
        showCollection(sheet);
        choose(sheet.comboBox(Field::Status), "Ordered");
        choose(sheet.comboBox(Field::Rating), "5 stars");
        choose(sheet.comboBox(Field::MediaCondition), "NM (Near Mint)");
        sheet.comboBox(Field::Location)->setEditText("Attic");
        sheet.lineEdit(Field::Year)->setText("1975");
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
    }});
    window().action(CommandId::Modify)->trigger();
    ASSERT_EQ(modify.shown(), 1);
    const std::pair<Field, std::string> stored[] = {
        {Field::Status, "Ordered"},   {Field::Rating, "5"},  {Field::MediaCondition, "NM"},
        {Field::Location, "Attic"},   {Field::Year, "1975"}, {Field::DateModified, todaysDate()},
        {Field::SleeveCondition, ""}, {Field::Loans, ""},
    };
    for (const auto& [field, text] : stored)
        EXPECT_EQ(doc().text(field, 0), text) << detailName(field);

    selectOnly(0);
    SheetAnswerer reopen({[](AlbumSheet& sheet) {
        EXPECT_EQ(sheet.comboBox(Field::Status)->currentText(), "Ordered");
        EXPECT_EQ(sheet.comboBox(Field::Rating)->currentText(), "5 stars");
        EXPECT_EQ(sheet.comboBox(Field::MediaCondition)->currentText(), "NM (Near Mint)");
        EXPECT_EQ(sheet.comboBox(Field::Location)->currentText(), "Attic");
        EXPECT_GE(sheet.comboBox(Field::Location)->currentIndex(), 0) << "a value of the list now";
        EXPECT_EQ(sheet.lineEdit(Field::Year)->text(), "1975");
        EXPECT_EQ(sheet.lineEdit(Field::DateModified)->text().toStdString(), todaysDate());
        cancelSheet(sheet);
    }});
    window().action(CommandId::Modify)->trigger();
    EXPECT_EQ(reopen.shown(), 1);
}

TEST_F(EditingTest, AChosenCoverShowsInTheSheetIsKeptOnSaveAndRemovingItIsOneStepToUndo)
{
    // A picture of a kind the folder does not keep comes in as a PNG; a file that is no picture
    // is refused with the reason and leaves the album as it was.
    const QString picture = m_dir.path() + "/front.bmp";
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(picture, "BMP"));
    const QString notPicture = m_dir.path() + "/notes.txt";
    fixture::putFileBytes(toPath(notPicture), "not a picture");

    selectOnly(0);
    SheetAnswerer choose({[&](AlbumSheet& sheet) {
        EXPECT_FALSE(sheet.coverBox()->showsPicture());
        EXPECT_FALSE(sheet.setCoverFromFile(notPicture));
        EXPECT_TRUE(sheet.setCoverFromFile(picture));
        EXPECT_TRUE(sheet.coverBox()->showsPicture());
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
    }});
    window().action(CommandId::Modify)->trigger();
    ASSERT_EQ(choose.shown(), 1);
    ASSERT_EQ(m_prompter.errors.size(), 1u);
    EXPECT_NE(m_prompter.errors[0].find("it is not a picture"), std::string::npos) << m_prompter.errors[0];
    const std::string cover(doc().text(Field::Cover, 0));
    ASSERT_TRUE(isCoverName(cover)) << cover;
    EXPECT_TRUE(cover.ends_with(".png"));
    QImage kept;
    const std::optional<std::string> bytes = doc().coverImage(cover);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(
        kept.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size())));
    EXPECT_EQ(kept.size(), QSize(40, 30));

    // Saved, the picture is in the covers folder beside the file.
    const QString file = m_dir.path() + "/Covers.dcf";
    ASSERT_TRUE(doc().saveFile(toPath(file)));
    EXPECT_TRUE(coverPresent(coverFolderOf(toPath(file)), cover));

    selectOnly(0);
    SheetAnswerer remove({[](AlbumSheet& sheet) {
        EXPECT_TRUE(sheet.coverBox()->showsPicture());
        QTest::mouseClick(sheet.coverBox()->removeButton(), Qt::LeftButton);
        EXPECT_FALSE(sheet.coverBox()->showsPicture());
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
    }});
    window().action(CommandId::Modify)->trigger();
    EXPECT_EQ(doc().text(Field::Cover, 0), "");
    doc().undo();
    EXPECT_EQ(doc().text(Field::Cover, 0), cover);
}

TEST_F(EditingTest, ACoverCanBePastedOrDroppedAndShownLarger)
{
    const auto coverSize = [this] {
        QImage kept;
        const std::optional<std::string> bytes = doc().coverImage(doc().text(Field::Cover, 0));
        if (bytes)
            kept.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()));
        return kept.size();
    };
    QImage pasted(20, 20, QImage::Format_RGB32);
    pasted.fill(Qt::darkRed);
    QApplication::clipboard()->setImage(pasted);
    QString largerTitle;
    selectOnly(0);
    SheetAnswerer paste({[&](AlbumSheet& s) {
        CoverBox& box = *s.coverBox();
        box.picture()->setFocus();
        QTest::keyClick(box.picture(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_TRUE(box.showsPicture());
        // Enter on the picture shows it larger, in a window of its own.
        QTimer::singleShot(0, [&] {
            if (QWidget* larger = QApplication::activeModalWidget(); larger && larger != &s) {
                largerTitle = larger->windowTitle();
                larger->close();
            }
        });
        QTest::keyClick(box.picture(), Qt::Key_Return);
        QTest::mouseClick(s.okButton(), Qt::LeftButton);
    }});
    window().action(CommandId::Modify)->trigger();
    ASSERT_EQ(paste.shown(), 1);
    EXPECT_EQ(coverSize(), QSize(20, 20));
    EXPECT_EQ(largerTitle, "Front Cover");

    const QString dropped = m_dir.path() + "/dropped.png";
    QImage file(30, 10, QImage::Format_RGB32);
    file.fill(Qt::darkBlue);
    ASSERT_TRUE(file.save(dropped, "PNG"));
    selectOnly(0);
    SheetAnswerer drop({[&](AlbumSheet& s) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.coverBox(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        s.coverBox()->dropPicture(data);
        QTest::mouseClick(s.okButton(), Qt::LeftButton);
    }});
    window().action(CommandId::Modify)->trigger();
    ASSERT_EQ(drop.shown(), 1);
    EXPECT_EQ(coverSize(), QSize(30, 10));
}

TEST_F(EditingTest, ALoanAndItsReturnAreEachOneStepToUndo)
{
    const std::string today = todaysDate();
    fixture::DialogAnswerer<LendDialog> lendAnswer([](LendDialog& dialog) {
        QTest::keyClicks(dialog.borrowerEdit(), "Ann");
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    selectOnly(1); // Birch
    SheetAnswerer lend({[](AlbumSheet& sheet) {
        showCollection(sheet);
        QTest::mouseClick(sheet.collectionPage()->lendButton(), Qt::LeftButton);
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
    }});
    window().action(CommandId::Modify)->trigger();
    ASSERT_EQ(lendAnswer.shown(), 1);
    const std::string lent = storedLoans({{"Ann", today, "", ""}});
    EXPECT_EQ(doc().text(Field::Loans, 1), lent);
    EXPECT_NE(window().mainStatusBar()->albumCountField()->text().indexOf("1 on loan"), -1)
        << window().mainStatusBar()->albumCountField()->text().toStdString();

    selectOnly(1);
    SheetAnswerer giveBack({[](AlbumSheet& sheet) {
        showCollection(sheet);
        EXPECT_EQ(sheet.collectionPage()->loanLine()->text().toStdString(),
                  "Lent to Ann since " + todaysDate() + ".");
        QTest::mouseClick(sheet.collectionPage()->returnedButton(), Qt::LeftButton);
        sheet.comboBox(Field::Location)->setEditText("Shelf 9");
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
    }});
    window().action(CommandId::Modify)->trigger();
    const std::string back = storedLoans({{"Ann", today, "", today}});
    EXPECT_EQ(doc().text(Field::Loans, 1), back);
    EXPECT_EQ(doc().text(Field::Location, 1), "Shelf 9");

    // Undo takes the whole second Modify back: the loan is out again and the location empty.
    window().action(CommandId::Undo)->trigger();
    EXPECT_EQ(doc().text(Field::Loans, 1), lent);
    EXPECT_EQ(doc().text(Field::Location, 1), "");
    window().action(CommandId::Redo)->trigger();
    EXPECT_EQ(doc().text(Field::Loans, 1), back);
    window().action(CommandId::Undo)->trigger();
    window().action(CommandId::Undo)->trigger();
    EXPECT_EQ(doc().text(Field::Loans, 1), "");
    EXPECT_EQ(doc().text(Field::DateModified, 1), "");
}

// The headings of an exported file and the value under one of them for one album.
struct ExportedCsv
{
    std::vector<std::string> headings;
    std::string yearOf(const std::string& artist) const
    {
        for (const auto& row : rows)
            if (row.at(0) == artist)
                for (std::size_t c = 0; c < headings.size(); ++c)
                    if (headings[c] == "Year")
                        return row.at(c);
        return "(none)";
    }
    std::vector<std::vector<std::string>> rows;
};

ExportedCsv readExport(const QString& file)
{
    auto table = readCsvFile(toPath(file));
    EXPECT_TRUE(table);
    ExportedCsv out;
    if (!table)
        return out;
    for (std::string_view h : table->headings())
        out.headings.emplace_back(h);
    for (int r = 1; r < table->rowCount(); ++r) {
        std::vector<std::string> row;
        for (std::string_view cell : table->row(r))
            row.emplace_back(cell);
        out.rows.push_back(std::move(row));
    }
    return out;
}

bool hasHeading(const ExportedCsv& csv, const char* heading)
{
    return std::find(csv.headings.begin(), csv.headings.end(), heading) != csv.headings.end();
}

TEST_F(EditingTest, TheCsvExportsCheckBoxAddsTheCollectionDetailsAndIsRemembered)
{
    const std::uint32_t amber[] = {0};
    doc().modifyAlbums(amber, [](const AlbumRecord& a) {
        AlbumRecord changed = a;
        changed.text(Field::Year) = "1975";
        return std::optional<AlbumRecord>(changed);
    });
    // Answers the export's file dialog: the box set as given, the file named.
    const auto exportThrough = [this](const QString& file, bool details, bool expectShown) {
        fixture::DialogAnswerer<QFileDialog> answer([&](QFileDialog& dialog) {
            QCheckBox* box = nullptr;
            for (QCheckBox* b : dialog.findChildren<QCheckBox*>())
                if (b->text() == QString::fromUtf8(kIncludeDetailsText))
                    box = b;
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->isVisible());
            EXPECT_EQ(box->isChecked(), expectShown);
            box->setChecked(details);
            dialog.selectFile(file);
            static_cast<QDialog&>(dialog).accept(); // as Save does
        });
        window().action(CommandId::ExportCsv)->trigger();
        EXPECT_EQ(answer.shown(), 1);
    };

    const QString plain = m_dir.path() + "/plain.csv";
    ASSERT_TRUE(m_app.documentHandlers().exportTo(ExportFormat::Csv, plain));
    EXPECT_FALSE(hasHeading(readExport(plain), "Year")) << "without the box, the export is as it was";

    const QString withDetails = m_dir.path() + "/details.csv";
    exportThrough(withDetails, true, false);
    const ExportedCsv detailed = readExport(withDetails);
    for (const char* heading : {"Status", "Year", "Location", "Rating", "Date Added", "Loans"})
        EXPECT_TRUE(hasHeading(detailed, heading)) << heading;
    EXPECT_EQ(detailed.yearOf("Amber"), "1975");
    EXPECT_EQ(detailed.yearOf("Birch"), "");
    EXPECT_EQ(detailed.headings.front(), "Group/Artist") << "the details come after the usual columns";

    // The choice stays for the next export, until the box is cleared again.
    const QString again = m_dir.path() + "/again.csv";
    ASSERT_TRUE(m_app.documentHandlers().exportTo(ExportFormat::Csv, again));
    EXPECT_TRUE(hasHeading(readExport(again), "Year"));
    const QString cleared = m_dir.path() + "/cleared.csv";
    exportThrough(cleared, false, true);
    EXPECT_FALSE(hasHeading(readExport(cleared), "Year"));
}

TEST_F(EditingTest, AnExportOrSaveThatCannotBeWrittenSaysSoAndLeavesTheFileAsItWas)
{
    const QString catalogue = m_dir.path() + "/cat.dcf";
    ASSERT_TRUE(window().saveFile(catalogue));
    ASSERT_TRUE(QFile::link(catalogue, m_dir.path() + "/link.dcf"));
    const std::string saved = fixture::fileBytes(toPath(catalogue));
    const QString pipe = m_dir.path() + "/pipe";
    ASSERT_EQ(::mkfifo(toPath(pipe).c_str(), 0644), 0);
    const struct
    {
        const char* name;
        QString file;
        const char* reason;
    } cases[] = {
        {"a missing folder", m_dir.path() + "/missing/x.csv", ""},
        {"the open catalogue", catalogue, kOutputIsSource},
        {"a link to the open catalogue", m_dir.path() + "/link.dcf", kOutputIsSource},
        {"a pipe", pipe, kNotARegularFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_prompter.errors.clear();
        EXPECT_FALSE(m_app.documentHandlers().exportTo(ExportFormat::Csv, c.file));
        ASSERT_EQ(m_prompter.errors.size(), 1u);
        EXPECT_NE(m_prompter.errors[0].find(c.reason), std::string::npos) << m_prompter.errors[0];
        EXPECT_EQ(fixture::fileBytes(toPath(catalogue)), saved);
    }
    // Saving refuses a pipe the same way, and it stays a pipe.
    m_prompter.errors.clear();
    EXPECT_FALSE(window().saveFile(pipe));
    ASSERT_EQ(m_prompter.errors.size(), 1u);
    EXPECT_NE(m_prompter.errors[0].find(kNotARegularFile), std::string::npos) << m_prompter.errors[0];
    struct stat st
    {
    };
    ASSERT_EQ(::stat(toPath(pipe).c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

} // namespace
} // namespace discora
