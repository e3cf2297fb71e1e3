#include "core/base/filebytes.h"
#include "core/fileformat/albumdetailsblock.h"
#include "core/fileformat/cataloguelock.h"
#include "core/fileformat/cataloguewriter.h"
#include "support/fakeprompter.h"
#include "support/files.h"
#include "ui/app/application.h"
#include "ui/app/commandkeys.h"
#include "ui/app/inputhold.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/app/viewhandlers.h"
#include "ui/dialogs/gotodialog.h"
#include "ui/support/dialogtitles.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace discora {
namespace {

// One line per menu entry: nesting shown by indentation, "-" a separator, the keys after a tab as
// the menu shows them (a text with its own tab shows that instead of the shortcut).
QStringList describeMenu(const QMenu* menu, int depth = 0)
{
    QStringList lines;
    const QString indent(depth * 2, QLatin1Char(' '));
    for (const QAction* a : menu->actions()) {
        if (!a->isVisible())
            continue;
        if (a->isSeparator()) {
            lines << indent + "-";
        } else if (a->menu()) {
            lines << indent + a->text();
            lines += describeMenu(a->menu(), depth + 1);
        } else {
            QString line = indent + a->text();
            if (!a->shortcut().isEmpty() && !a->text().contains('\t'))
                line += "\t" + a->shortcut().toString();
            lines << line;
        }
    }
    return lines;
}

// A menu line with our own key and the keys this desktop binds to the standard action besides.
QString menuLine(const QString& text, const QString& own, QKeySequence::StandardKey standard)
{
    QStringList keys;
    if (!own.isEmpty())
        keys << own;
    for (const QKeySequence& key : QKeySequence::keyBindings(standard))
        if (!keys.contains(key.toString()))
            keys << key.toString();
    return keys.isEmpty() ? text : text + "\t" + keys.join(", ");
}

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() : m_app(m_store, &m_prompter) { m_app.start(); }

    MainWindow& window() { return m_app.mainWindow(); }
    CatalogueDocument& doc() { return m_app.document(); }
    QString path(const char* name) const { return m_dir.path() + "/" + name; }

    void addAlbum(const char* artist)
    {
        AlbumRecord album;
        album.artist = artist;
        doc().enterAlbum(album);
    }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(MainWindowTest, TheMenuBarHoldsEveryCommandInItsPlace)
{
    QStringList all;
    for (QAction* top : window().menuBar()->actions()) {
        all << top->text();
        all += describeMenu(top->menu(), 1);
    }
    const QStringList expected = {
        "&File",
        "  &New\tCtrl+N",
        "  &Open...\tCtrl+O",
        "  &Save\tCtrl+S",
        menuLine("  Save &As...", "", QKeySequence::SaveAs),
        "  -",
        "  &Print...\tCtrl+P",
        "  Print Pre&view",
        "  P&rint Setup...",
        "  -",
        "  Recent File",
        "  -",
        "  &Import",
        "    &Comma Separated Values...",
        "    &Audio Files Folder...",
        "  &Export",
        "    &Comma Separated Volume (csv)",
        "    &Doc File (doc)",
        "    &Web Page...",
        "  -",
        menuLine("  E&xit", "", QKeySequence::Quit),
        "&Edit",
        "  &Undo\tCtrl+Z",
        menuLine("  &Redo", "Ctrl+Y", QKeySequence::Redo),
        "  -",
        menuLine("  &Delete", "Ctrl+D", QKeySequence::Delete),
        "  &Enter...\tCtrl+E",
        "  &Modify\tCtrl+M",
        "  -",
        menuLine("  &Select/Unselect All", "", QKeySequence::SelectAll),
        "  -",
        menuLine("  &Find", "", QKeySequence::Find),
        "  -",
        "  Edit Custom &Headings",
        "&View",
        "  &Toolbar",
        "  &Status Bar",
        "  -",
        "  So&rt",
        "    Sort by &Artist",
        "      &All info",
        "      Artist - &Short List",
        "    Sort by Album &Name",
        "    Sort by &Catalog Number",
        "    Sort by Custom &1",
        "    Sort by Custom &2",
        "    Sort by &Label",
        "    Sort by &Media Type",
        "    Sort by Music &Type",
        "    Sort by N&umber",
        "    Sort by Per&former",
        "    Sort by &Producer",
        "    Sort by &Quality",
        "    Sort by &Songs",
        "      &Song, Track #, Artist, Album #",
        "      Song, Artist, Album Name, &Catalog #, Label - 6 lines",
        "  &Options...",
        "  &View by",
        "    &Normal",
        "    &Single Line Sorts",
        "    &Covers\tCtrl+Shift+C",
        "  &Go To...",
        "  &Filters",
        "  &Want List\tCtrl+Shift+W",
        "  St&atistics...",
        "&Help",
        "  &Help Topics",
        "  -",
        "  &About Discora...",
    };
    EXPECT_EQ(all, expected) << all.join("\n").toStdString();
    EXPECT_EQ(window().action(CommandId::Undo)->shortcuts().size(), 2);
    EXPECT_EQ(window().action(CommandId::Undo)->shortcuts()[1], QKeySequence("Alt+Backspace"));
}

TEST_F(MainWindowTest, RedoAnswersCtrlYAndMenusShowOnlyTypedKeys)
{
    EXPECT_TRUE(window().action(CommandId::Redo)->shortcuts().contains(QKeySequence("Ctrl+Y")));
    addAlbum("x");
    window().action(CommandId::Undo)->trigger();
    ASSERT_EQ(doc().albumCount(), 0);
    window().refreshActions();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(window().view(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc().albumCount(), 1) << "Ctrl+Y did not redo";

    EXPECT_FALSE(isTypedKey(QKeySequence(Qt::Key_F14)));
    EXPECT_FALSE(isTypedKey(QKeySequence(Qt::Key_F20)));
    EXPECT_TRUE(isTypedKey(QKeySequence(QStringLiteral("Ctrl+Z"))));
    EXPECT_TRUE(isTypedKey(QKeySequence(Qt::Key_F12)));
    EXPECT_FALSE(commandKeysText(CommandId::Undo, KeyList::ForMenu).contains(QStringLiteral("F14")));
}

TEST_F(MainWindowTest, ContextAndFieldsMenusUseTheirOwnTexts)
{
    QMenu* context = window().createContextMenu(&window());
    EXPECT_EQ(describeMenu(context),
              (QStringList{"Delete ", "Modify", "Select/Unselect All", "Undo", "Find"}));
    QMenu* fields = window().createFieldsMenu(&window());
    EXPECT_EQ(fields->title(), "Fields");
    EXPECT_EQ(describeMenu(fields), (QStringList{"Remove Field", "Add a new field"}));
    delete context;
    delete fields;
}

TEST_F(MainWindowTest, TheToolbarFollowsTheCommandOrder)
{
    QStringList buttons;
    for (QAction* a : window().toolBar()->actions())
        buttons << (a->isSeparator() ? QString("|") : QString::number(a->data().toInt()));
    EXPECT_EQ(buttons.join(" "),
              "57600 57601 57603 57607 | 32771 32777 32776 | 32784 32785 32831 | 32778 32803 32779 "
              "32780 32781 32782 32783 32800 | 57664 57669 | 32805 | 32806 32820");
    for (QAction* a : window().toolBar()->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
        }
    }
}

TEST_F(MainWindowTest, PromptsSplitIntoStatusTextAndTooltip)
{
    const QAction* enter = window().action(CommandId::Enter);
    EXPECT_EQ(enter->statusTip(), "Enter a new album");
    EXPECT_EQ(enter->toolTip(), "Enter a new Album");
    const QAction* custom2 = window().action(CommandId::SortByCustom2);
    EXPECT_EQ(custom2->statusTip(), "Sort by Custom2");
    EXPECT_EQ(custom2->toolTip(), "Sort by Custom 2");
    EXPECT_EQ(window().action(CommandId::About)->toolTip(), "About");
}

TEST_F(MainWindowTest, UpdateRulesEnableOnlyWhatCanRun)
{
    window().refreshActions();
    EXPECT_TRUE(window().action(CommandId::New)->isEnabled());
    EXPECT_TRUE(window().action(CommandId::Save)->isEnabled());
    EXPECT_TRUE(window().action(CommandId::ToggleToolBar)->isChecked());
    EXPECT_TRUE(window().action(CommandId::ToggleStatusBar)->isChecked());
    // Commands that have nothing to work on stay disabled.
    for (CommandId id : {CommandId::Find, CommandId::ExportCsv})
        EXPECT_FALSE(window().action(id)->isEnabled()) << static_cast<int>(id);
    // An empty catalogue still prints, one page without entries.
    for (CommandId id : {CommandId::Print, CommandId::PrintPreview, CommandId::PrintSetup})
        EXPECT_TRUE(window().action(id)->isEnabled()) << static_cast<int>(id);

    window().runCommand(CommandId::ToggleToolBar);
    EXPECT_TRUE(window().toolBar()->isHidden());
    EXPECT_FALSE(window().action(CommandId::ToggleToolBar)->isChecked());
    window().runCommand(CommandId::ToggleStatusBar);
    EXPECT_FALSE(window().action(CommandId::ToggleStatusBar)->isChecked());
}

TEST(CommandRules, SortOrdersFollowTheDisplayedCountAndTheStyle)
{
    UiState s;
    s.displayedCount = 1;
    EXPECT_FALSE(commandStatus(CommandId::SortByAlbumName, s).enabled);
    EXPECT_FALSE(commandStatus(CommandId::SortBySong, s).enabled);
    s.displayedCount = 2;
    EXPECT_TRUE(commandStatus(CommandId::SortByAlbumName, s).enabled);
    EXPECT_TRUE(commandStatus(CommandId::SortBySong, s).enabled);
    s.viewStyle = ViewStyle::SingleLineSorts;
    EXPECT_TRUE(commandStatus(CommandId::SortByAlbumName, s).enabled);
    EXPECT_FALSE(commandStatus(CommandId::SortByPerformer, s).enabled);
    s.currentOrder = SortOrder::ByLabel;
    EXPECT_TRUE(commandStatus(CommandId::SortByLabel, s).checked);
    EXPECT_FALSE(commandStatus(CommandId::SortByArtist, s).checked);
}

TEST_F(MainWindowTest, TheStatusBarSwitchesToProgressAndBackEvenWhenNested)
{
    MainStatusBar* bar = window().mainStatusBar();
    EXPECT_FALSE(bar->inProgressLayout());
    EXPECT_TRUE(bar->lockIndicator(0)->isVisibleTo(bar));

    bar->begin("Loading file", 10);
    EXPECT_TRUE(bar->inProgressLayout());
    EXPECT_FALSE(bar->lockIndicator(0)->isVisibleTo(bar));
    EXPECT_EQ(bar->statusText(), "Loading file");
    const int blanks = bar->fontMetrics().horizontalAdvance(QString(110, ' '));
    EXPECT_EQ(bar->progressBar()->width(), blanks);
    bar->step();
    bar->step();
    EXPECT_EQ(bar->progressBar()->value(), 2);

    bar->begin("Sorting by Group/Artist Name", 4);
    EXPECT_EQ(bar->statusText(), "Sorting by Group/Artist Name");
    EXPECT_EQ(bar->progressBar()->maximum(), 4);
    bar->end();
    // The outer operation continues where it was.
    EXPECT_TRUE(bar->inProgressLayout());
    EXPECT_EQ(bar->statusText(), "Loading file");
    EXPECT_EQ(bar->progressBar()->maximum(), 10);
    EXPECT_EQ(bar->progressBar()->value(), 2);

    bar->end();
    EXPECT_FALSE(bar->inProgressLayout());
    EXPECT_TRUE(bar->lockIndicator(2)->isVisibleTo(bar));
}

TEST_F(MainWindowTest, FirstRunOpensAtThreeQuartersOfTheScreenCentred)
{
    QApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const ScreenRect shown = window().currentPlacement().normal;
    EXPECT_EQ(shown.width(), screen.width() * 3 / 4);
    EXPECT_EQ(shown.height(), screen.height() * 3 / 4);
    EXPECT_EQ(shown.left - screen.left(),
              screen.right() + 1 - (shown.left + shown.width()) - (screen.width() % 4 != 0));
}

TEST_F(MainWindowTest, DialogsOpenWideEnoughForTheirTitles)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);

    addAlbum("Roads");
    window().runCommand(CommandId::GoTo);
    GoToDialog* goTo = window().viewHandlers().goToWindow();
    ASSERT_NE(goTo, nullptr);
    EXPECT_GE(goTo->width(), widthForTitle(goTo->windowTitle(), metrics));
    EXPECT_GT(widthForTitle(goTo->windowTitle(), metrics), metrics.horizontalAdvance(goTo->windowTitle()));
    goTo->close();

    // A dialog whose fields alone would make it narrow, and one already wide enough, which is left be.
    QDialog narrow(&window());
    narrow.setWindowTitle(QStringLiteral("Enter/Edit Albums: a title longer than its one small field"));
    narrow.resize(60, 40);
    narrow.show();
    EXPECT_GE(narrow.width(), widthForTitle(narrow.windowTitle(), metrics));
    QDialog wide(&window());
    wide.setWindowTitle(QStringLiteral("Go"));
    wide.resize(900, 40);
    wide.show();
    EXPECT_EQ(wide.width(), 900);
}

TEST_F(MainWindowTest, TheProgressPaneNeverWidensTheWindow)
{
    window().setGeometry(20, 20, 300, 300);
    QApplication::processEvents();
    ASSERT_EQ(window().width(), 300);
    MainStatusBar* bar = window().mainStatusBar();
    bar->begin("Sorting by Group/Artist Name", 10);
    QApplication::processEvents();
    EXPECT_EQ(window().width(), 300);
    bar->end();
    QApplication::processEvents();
    EXPECT_EQ(window().width(), 300);
}

TEST_F(MainWindowTest, PlacementRoundTripsThroughTheSettings)
{
    window().setGeometry(-4, 30, 600, 450);
    window().savePlacement();
    EXPECT_EQ(m_store.readString(kWindowSize, "Rect"), "-004 0030 0596 0480");
    EXPECT_EQ(m_store.readInt(kWindowSize, "Icon"), 0);
    EXPECT_EQ(m_store.readInt(kWindowSize, "Maximized"), 0);

    MemorySettingsStore store;
    store.writeString(kWindowSize, "Rect", "-004 0030 0596 0480");
    FakePrompter prompter;
    Application second(store, &prompter);
    second.start();
    EXPECT_EQ(second.mainWindow().currentPlacement().normal, (ScreenRect{-4, 30, 596, 480}));
}

TEST_F(MainWindowTest, TheSavePromptGuardsUnsavedChanges)
{
    addAlbum("Kept");
    // Cancel keeps the catalogue open and unchanged.
    m_prompter.saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(window().newFile());
    EXPECT_EQ(doc().albumCount(), 1);
    EXPECT_TRUE(doc().isModified());
    EXPECT_FALSE(window().close());
    EXPECT_EQ(doc().albumCount(), 1);

    // Yes saves (to the current file) before going on.
    const QString file = path("kept.dcf");
    ASSERT_TRUE(window().saveFile(file));
    addAlbum("Second");
    m_prompter.saveAnswers = {SaveAnswer::Save};
    EXPECT_TRUE(window().newFile());
    EXPECT_EQ(doc().albumCount(), 0);
    CatalogueDocument reread;
    ASSERT_TRUE(reread.openFile(file.toStdString()));
    EXPECT_EQ(reread.albumCount(), 2);

    // No discards.
    addAlbum("Dropped");
    m_prompter.saveAnswers = {SaveAnswer::Discard};
    EXPECT_TRUE(window().newFile());
    EXPECT_EQ(doc().albumCount(), 0);
    ASSERT_TRUE(reread.openFile(file.toStdString()));
    EXPECT_EQ(reread.albumCount(), 2);
    EXPECT_EQ(m_prompter.saveQuestions, 4);
}

// The other roads away from a modified catalogue: a recent file, a dropped file and Exit.
enum class Road
{
    RecentFile,
    DroppedFile,
    Exit
};

struct SavePromptCase
{
    const char* name;
    Road road;
    SaveAnswer answer;
};

void PrintTo(const SavePromptCase& c, std::ostream* os)
{
    *os << c.name;
}

class SavePromptRoads : public MainWindowTest
{
protected:
    int albumsIn(const QString& file)
    {
        CatalogueDocument reread;
        EXPECT_TRUE(reread.openFile(file.toStdString()));
        return reread.albumCount();
    }

    // other.dcf on the recent list, current.dcf open with one saved and one unsaved album.
    void prepare(const QString& current)
    {
        CatalogueDocument other;
        AlbumRecord album;
        album.artist = "Other";
        fixture::appendAlbums(other, {album});
        ASSERT_TRUE(other.saveFile(path("other.dcf").toStdString()));
        ASSERT_TRUE(window().openFile(path("other.dcf")));
        ASSERT_TRUE(window().newFile());
        addAlbum("Saved");
        ASSERT_TRUE(window().saveFile(current));
        addAlbum("Unsaved");
        ASSERT_EQ(window().recentFiles(), (QStringList{current, path("other.dcf")}));
    }

    // Whether the road was taken.
    bool take(Road road)
    {
        switch (road) {
        case Road::RecentFile: return window().openRecentFile(1);
        case Road::DroppedFile: {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(path("other.dcf"))});
            // A drop reaches the widget that accepted the drag's entry.
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window(), &enter);
            QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window(), &drop);
            QApplication::processEvents();
            return doc().albumCount() == 1 && doc().text(Field::Artist, 0) == "Other";
        }
        case Road::Exit: window().runCommand(CommandId::Exit); return !window().isVisible();
        }
        return false;
    }
};

class SavePrompt : public SavePromptRoads, public ::testing::WithParamInterface<SavePromptCase>
{
};

TEST_P(SavePrompt, AsksFirstAndFollowsTheAnswer)
{
    const SavePromptCase& c = GetParam();
    const QString current = path("current.dcf");
    prepare(current);
    m_prompter.saveAnswers = {c.answer};
    const bool taken = take(c.road);
    EXPECT_EQ(m_prompter.saveQuestions, 1);
    EXPECT_EQ(taken, c.answer != SaveAnswer::Cancel);
    EXPECT_EQ(albumsIn(current), c.answer == SaveAnswer::Save ? 2 : 1);
    if (c.answer == SaveAnswer::Cancel) {
        EXPECT_EQ(doc().albumCount(), 2);
        EXPECT_TRUE(doc().isModified());
        EXPECT_EQ(window().currentFile(), current);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Roads, SavePrompt,
    ::testing::Values(SavePromptCase{"RecentFileYes", Road::RecentFile, SaveAnswer::Save},
                      SavePromptCase{"RecentFileNo", Road::RecentFile, SaveAnswer::Discard},
                      SavePromptCase{"RecentFileCancel", Road::RecentFile, SaveAnswer::Cancel},
                      SavePromptCase{"DroppedFileYes", Road::DroppedFile, SaveAnswer::Save},
                      SavePromptCase{"DroppedFileNo", Road::DroppedFile, SaveAnswer::Discard},
                      SavePromptCase{"DroppedFileCancel", Road::DroppedFile, SaveAnswer::Cancel},
                      SavePromptCase{"ExitYes", Road::Exit, SaveAnswer::Save},
                      SavePromptCase{"ExitNo", Road::Exit, SaveAnswer::Discard},
                      SavePromptCase{"ExitCancel", Road::Exit, SaveAnswer::Cancel}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavePromptRoads, YesStopsWhenTheSaveFails)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("gone"));
    const QString current = path("gone/current.dcf");
    prepare(current);
    ASSERT_TRUE(QDir(path("gone")).removeRecursively());
    for (const Road road : {Road::RecentFile, Road::DroppedFile, Road::Exit}) {
        m_prompter.saveAnswers = {SaveAnswer::Save};
        EXPECT_FALSE(take(road));
    }
    m_prompter.saveAnswers = {SaveAnswer::Save};
    EXPECT_FALSE(window().newFile());
    EXPECT_EQ(m_prompter.errors.size(), 4u);
    EXPECT_EQ(doc().albumCount(), 2);
    EXPECT_TRUE(doc().isModified());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(MainWindowTest, RecentFilesAreMostRecentFirstAndDropMissingOnes)
{
    for (const char* name : {"a.dcf", "b.dcf", "c.dcf", "d.dcf", "e.dcf"}) {
        addAlbum(name);
        ASSERT_TRUE(window().saveFile(path(name)));
    }
    EXPECT_EQ(window().recentFiles(),
              (QStringList{path("e.dcf"), path("d.dcf"), path("c.dcf"), path("b.dcf")}));
    EXPECT_EQ(m_store.readString(kRecentFileList, "File1"), path("e.dcf").toStdString());
    EXPECT_EQ(window().action(CommandId::RecentFile1)->text(), "&1 " + path("e.dcf"));

    ASSERT_TRUE(window().openRecentFile(2)); // c.dcf moves to the top
    EXPECT_EQ(window().recentFiles().first(), path("c.dcf"));
    EXPECT_EQ(window().currentFile(), path("c.dcf"));

    QFile::remove(path("d.dcf"));
    const int index = static_cast<int>(window().recentFiles().indexOf(path("d.dcf")));
    EXPECT_FALSE(window().openRecentFile(index));
    EXPECT_EQ(m_prompter.errors.size(), 1u);
    EXPECT_FALSE(window().recentFiles().contains(path("d.dcf")));
    EXPECT_EQ(window().recentFiles().size(), 3);
    EXPECT_FALSE(window().action(CommandId::RecentFile4)->isVisible());
}

TEST_F(MainWindowTest, OpenRefusesADeviceOrAPipeAtOnceAndKeepsTheCatalogue)
{
    addAlbum("Kept");
    ASSERT_TRUE(window().saveFile(path("kept.dcf")));
    ASSERT_EQ(::mkfifo(path("pipe.dcf").toLocal8Bit().constData(), 0644), 0);
    for (const QString& file : {QStringLiteral("/dev/zero"), path("pipe.dcf")}) {
        SCOPED_TRACE(file.toStdString());
        m_prompter.errors.clear();
        EXPECT_FALSE(window().openFile(file));
        ASSERT_EQ(m_prompter.errors.size(), 1u);
        EXPECT_NE(m_prompter.errors[0].find(kNotARegularInput), std::string::npos) << m_prompter.errors[0];
        EXPECT_EQ(window().currentFile(), path("kept.dcf"));
        EXPECT_EQ(doc().albumCount(), 1);
    }
}

TEST_F(MainWindowTest, SavingOverAFileAnotherProgramChangedAsksFirst)
{
    addAlbum("Mine");
    ASSERT_TRUE(window().saveFile(path("shared.dcf")));
    // Another Discora (or a sync tool) writes the file meanwhile.
    CatalogueDocument other;
    AlbumRecord theirs;
    theirs.artist = "Theirs";
    other.enterAlbum(theirs);
    other.enterAlbum(theirs);
    ASSERT_TRUE(other.saveFile(toStd(path("shared.dcf"))));
    const std::string written = fixture::fileBytes(toStd(path("shared.dcf")));

    addAlbum("More of mine");
    m_prompter.changedAnswers = {ChangedAnswer::Cancel};
    EXPECT_FALSE(window().save());
    EXPECT_EQ(m_prompter.changedQuestions, 1);
    EXPECT_EQ(fixture::fileBytes(toStd(path("shared.dcf"))), written)
        << "the other program's changes were lost";
    EXPECT_TRUE(doc().isModified());

    m_prompter.changedAnswers = {ChangedAnswer::Overwrite};
    EXPECT_TRUE(window().save());
    EXPECT_NE(fixture::fileBytes(toStd(path("shared.dcf"))), written);
    // Saved from here, the file is as this window knows it: the next save asks nothing.
    addAlbum("Last");
    EXPECT_TRUE(window().save());
    EXPECT_EQ(m_prompter.changedQuestions, 2);
}

TEST_F(MainWindowTest, ACatalogueOpenInAnotherDiscoraIsOfferedReadOnly)
{
    addAlbum("x");
    ASSERT_TRUE(window().saveFile(path("locked.dcf")));
    const std::string lock = lockPathOf(toStd(path("locked.dcf")));
    EXPECT_EQ(lockHolderOf(toStd(path("locked.dcf"))), LockHolder::ThisProcess);
    ASSERT_TRUE(window().newFile());
    EXPECT_FALSE(std::filesystem::exists(lock)) << "New left the lock behind";

    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    // Process 1 runs for as long as the machine does.
    fixture::putFileBytes(lock, std::string(host) + "\n1\n");
    m_prompter.lockedAnswers = {LockedAnswer::Cancel, LockedAnswer::ReadOnly};
    EXPECT_FALSE(window().openFile(path("locked.dcf")));
    EXPECT_EQ(doc().albumCount(), 0);
    ASSERT_TRUE(window().openFile(path("locked.dcf")));
    ASSERT_EQ(m_prompter.lockedQuestions.size(), 2u);
    EXPECT_NE(m_prompter.lockedQuestions[0].find("process 1"), std::string::npos)
        << m_prompter.lockedQuestions[0];
    EXPECT_TRUE(window().isReadOnly());
    EXPECT_TRUE(window().windowTitle().startsWith("locked.dcf (read-only)"));
    EXPECT_EQ(fixture::fileBytes(lock), std::string(host) + "\n1\n")
        << "the other Discora's lock was touched";

    // A lock whose process is gone was left by a crash: the next open takes it over unasked.
    ASSERT_TRUE(window().newFile());
    fixture::putFileBytes(lock, std::string(host) + "\n2147483646\n");
    ASSERT_TRUE(window().openFile(path("locked.dcf")));
    EXPECT_EQ(m_prompter.lockedQuestions.size(), 2u);
    EXPECT_FALSE(window().isReadOnly());
    EXPECT_EQ(lockHolderOf(toStd(path("locked.dcf"))), LockHolder::ThisProcess);
}

// Tells what the status bar's album field says when a load begins.
struct FieldAtBegin : ProgressSink
{
    explicit FieldAtBegin(QLabel* field) : field(field) {}
    void begin(std::string_view, int) override
    {
        if (seen.isEmpty())
            seen = field->text();
    }
    void setRange(int) override {}
    void step() override {}
    void end() override {}
    QLabel* field;
    QString seen;
};

TEST_F(MainWindowTest, WhileACatalogueLoadsTheStatusBarSaysSo)
{
    for (const char* artist : {"a", "b", "c"})
        addAlbum(artist);
    ASSERT_TRUE(window().saveFile(path("three.dcf")));
    ASSERT_TRUE(window().newFile());
    addAlbum("only");
    ASSERT_EQ(window().mainStatusBar()->albumCountField()->text(), "1 album");
    doc().setModified(false);
    FieldAtBegin field(window().mainStatusBar()->albumCountField());
    doc().setProgressSink(&field);
    ASSERT_TRUE(window().openFile(path("three.dcf")));
    doc().setProgressSink(window().mainStatusBar());
    EXPECT_EQ(field.seen, "Loading three.dcf...");
    EXPECT_EQ(window().mainStatusBar()->albumCountField()->text(), "3 albums");
}

// A catalogue whose details block no longer fits its albums: another program changed an album's
// artist in the lists after Discora saved it.
std::string catalogueWithStaleDetails()
{
    AlbumStore store;
    AlbumRecord album;
    album.artist = "Harbour Lights";
    album.text(Field::Location) = "Shelf 2";
    store.appendAlbum(album);
    album.artist = "Birch";
    album.text(Field::Year) = "1969";
    store.appendAlbum(album);
    std::string bytes = writeCatalogue(store, defaultColumnLayouts(96), {"Custom 1", "Custom 2"});
    bytes[bytes.find("Harbour Lights")] = 'h';
    return bytes;
}

TEST_F(MainWindowTest, OpeningAFileWhoseDetailsCannotBeReadSaysWhyOnceAndOpensTheAlbums)
{
    fixture::putFileBytes(toStd(path("stale.dcf")), catalogueWithStaleDetails());
    addAlbum("kept");
    ASSERT_TRUE(window().saveFile(path("plain.dcf")));
    m_prompter.errors.clear();

    ASSERT_TRUE(window().openFile(path("stale.dcf")));
    EXPECT_EQ(doc().albumCount(), 2);
    EXPECT_EQ(doc().text(Field::Artist, 0), "harbour Lights");
    EXPECT_EQ(doc().text(Field::Location, 0), "");
    EXPECT_EQ(m_prompter.errors, std::vector<std::string>{detailsNotApplied(kDetailsDoNotMatch)});

    // The next file opened does not bring it up again.
    ASSERT_TRUE(window().openFile(path("plain.dcf")));
    EXPECT_EQ(m_prompter.errors.size(), 1u);

    // The file named at start-up says the same, once the window is up.
    MemorySettingsStore store;
    FakePrompter prompter;
    Application app(store, &prompter);
    app.start({toPath(path("stale.dcf")), ""});
    EXPECT_EQ(app.document().albumCount(), 2);
    EXPECT_EQ(prompter.errors, std::vector<std::string>{detailsNotApplied(kDetailsDoNotMatch)});
}

TEST_F(MainWindowTest, TheTitleNamesTheFileAndMarksChanges)
{
    EXPECT_EQ(window().windowTitle(), "Untitled[*] - Discora and CD Player");
    addAlbum("x");
    EXPECT_TRUE(window().isWindowModified());
    ASSERT_TRUE(window().saveFile(path("titled.dcf")));
    EXPECT_EQ(window().windowTitle(), "titled.dcf[*] - Discora and CD Player");
    EXPECT_FALSE(window().isWindowModified());
}

// An order's work beside the window ends with the runner's finished signal.
bool waitForTheTask(MainWindow& window)
{
    if (!window.taskRunner().busy())
        return true;
    QSignalSpy finished(&window.taskRunner(), &TaskRunner::finished);
    return finished.wait(10000);
}

TEST_F(MainWindowTest, AnOrderBuiltBesideTheWindowIsTheOrderBuiltAtOnce)
{
    for (const char* artist : {"Cobalt", "abba", "Blue", "Azure", "cobalt"}) {
        AlbumRecord album;
        album.artist = artist;
        album.songs[0].title = std::string(artist) + " song";
        album.songs[1].title = "Intro";
        album.performers[0].name = artist;
        doc().enterAlbum(album);
    }
    window().setLongOrderFrom(2);
    for (const SortOrder order :
         {SortOrder::BySong, SortOrder::ByArtistShort, SortOrder::ByPerformer, SortOrder::ByAlbumName}) {
        SCOPED_TRACE(static_cast<int>(order));
        const std::vector<std::uint32_t> before = doc().displayOrder();
        const SortOrder shownBefore = doc().currentOrder();
        window().runCommand(sortCommandOf(order));
        // The command returned with the work still going: the document is as it was until the
        // result is handed over.
        EXPECT_EQ(doc().displayOrder(), before);
        EXPECT_EQ(doc().currentOrder(), shownBefore);
        ASSERT_TRUE(waitForTheTask(window()));
        ASSERT_EQ(doc().currentOrder(), order);
        const std::vector<std::uint32_t> shown = doc().displayOrder();
        const DerivedLists lists = doc().derivedLists();
        // The same order once more, at once.
        ASSERT_TRUE(doc().runOrder(order));
        EXPECT_EQ(doc().displayOrder(), shown);
        EXPECT_TRUE(doc().derivedLists().songs == lists.songs);
        EXPECT_TRUE(doc().derivedLists().performers == lists.performers);
        EXPECT_FALSE(window().mainStatusBar()->inProgressLayout());
    }
}

TEST_F(MainWindowTest, ACommandThatComesWhileLongWorkRunsRunsAfterIt)
{
    for (const char* artist : {"b", "a", "c"})
        addAlbum(artist);
    ASSERT_TRUE(doc().runOrder(SortOrder::ByArtist));
    std::atomic<bool> release = false;
    window().taskRunner().start<int>(
        [&](ProgressSink*) {
            while (!release)
                QThread::yieldCurrentThread();
            return 0;
        },
        [](TaskResult<int>) {});
    window().runCommand(CommandId::SortByAlbumName);
    EXPECT_EQ(doc().currentOrder(), SortOrder::ByArtist) << "ran while the work read the document";
    release = true;
    ASSERT_TRUE(waitForTheTask(window()));
    EXPECT_EQ(doc().currentOrder(), SortOrder::ByAlbumName) << "the command was lost";
}

// A window with a line edit, held while long work runs.
struct HeldWindow
{
    HeldWindow()
        : hold(
              window, [this] { ++refusals; }, [this] { ++cancels; })
    {
        edit = new QLineEdit(&window);
        window.show();
        edit->setFocus();
    }
    QWidget window;
    QLineEdit* edit;
    int refusals = 0;
    int cancels = 0;
    InputHold hold;
};

TEST(InputHoldTest, KeysAndClicksWaitAndAreDeliveredInOrder)
{
    HeldWindow w;
    w.hold.engage();
    QTest::keyClicks(w.edit, "ab");
    QTest::keyClick(w.edit, Qt::Key_Backspace);
    QTest::keyClicks(w.edit, "c");
    EXPECT_EQ(w.edit->text(), "") << "typed while held";
    w.hold.release();
    QApplication::processEvents();
    EXPECT_EQ(w.edit->text(), "ac");
    // Released, the window takes its input at once again.
    QTest::keyClicks(w.edit, "d");
    EXPECT_EQ(w.edit->text(), "acd");
}

TEST(InputHoldTest, ADropIsRefusedWithAWordEscapeCancelsAndACloseWaits)
{
    HeldWindow w;
    w.window.setAcceptDrops(true);
    w.hold.engage();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/other.dcf"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.window, &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.window, &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(w.refusals, 1);

    QTest::keyClick(w.edit, Qt::Key_Escape);
    EXPECT_EQ(w.cancels, 1);

    EXPECT_FALSE(w.window.close());
    EXPECT_TRUE(w.window.isVisible());
    w.hold.release();
    QApplication::processEvents();
    EXPECT_FALSE(w.window.isVisible()) << "the close asked for meanwhile was lost";
    EXPECT_EQ(w.edit->text(), "") << "Escape went on to the window as well";
}

} // namespace
} // namespace discora
