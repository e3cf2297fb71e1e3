// What a screen reader finds in the window: the catalogue view as a table of its entries in every
// order, the entry the keyboard is on announced as the focus, named controls, and Tab walking the
// fields of every sheet and dialog in reading order.
#include "core/document/audioimportplan.h"
#include "core/document/csvimportplan.h"
#include "core/fileformat/cataloguereader.h"
#include "core/import/csvreader.h"
#include "core/model/albumdetails.h"
#include "core/order/orders.h"
#include "core/view/contrast.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/app/viewhandlers.h"
#include "ui/dialogs/addcolumndialog.h"
#include "ui/dialogs/audioimportdialog.h"
#include "ui/dialogs/deletealbumsdialog.h"
#include "ui/dialogs/filtersdialog.h"
#include "ui/dialogs/finddialog.h"
#include "ui/dialogs/gotodialog.h"
#include "ui/dialogs/importdialog.h"
#include "ui/entry/albumcollectionpage.h"
#include "ui/entry/albumsheet.h"
#include "ui/entry/lenddialog.h"
#include "ui/options/customheadingsdialog.h"
#include "ui/options/optionssheet.h"
#include "ui/options/screencolordialog.h"
#include "ui/support/accessiblelabels.h"
#include "ui/support/colors.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace discora {
namespace {

struct Heard
{
    QAccessible::Event type;
    int child;
};
std::vector<Heard> g_heard;

void listen(QAccessibleEvent* event)
{
    g_heard.push_back({event->type(), event->child()});
}

AlbumRecord album(const std::string& artist, const std::string& name, std::vector<std::string> songs = {})
{
    AlbumRecord a;
    a.artist = artist;
    a.albumName = name;
    a.musicType = "Jazz";
    for (std::size_t i = 0; i < songs.size(); ++i)
        a.songs[i] = {songs[i], "", std::to_string(i + 1)};
    return a;
}

class AccessibilityTest : public ::testing::Test
{
protected:
    AccessibilityTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        window().resize(900, 600);
        window().show();
        QApplication::processEvents();
        LoadedCatalogue loaded;
        for (const AlbumRecord& a : {album("Cobalt", "Night Lines", {"Zephyr", "Arc"}),
                                     album("Amber", "Dawn"), album("Birch", "Aurora", {"Moss"})})
            loaded.albums.appendAlbum(a);
        loaded.layouts = defaultColumnLayouts(view().metrics().dpi);
        doc().adoptLoaded(std::move(loaded));
        QApplication::processEvents();
        g_heard.clear();
        QAccessible::installUpdateHandler(listen);
        QAccessible::setActive(true);
    }
    ~AccessibilityTest() override
    {
        QAccessible::setActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }

    MainWindow& window() { return m_app.mainWindow(); }
    CatalogueDocument& doc() { return m_app.document(); }
    CatalogueView& view() { return *window().view(); }
    QAccessibleInterface* table() { return QAccessible::queryAccessibleInterface(&view()); }

    QStringList rowNames()
    {
        QStringList names;
        QAccessibleInterface* t = table();
        for (int i = 0; i < t->childCount(); ++i)
            names << t->child(i)->text(QAccessible::Name);
        return names;
    }

    bool heardFocusOn(int row) const
    {
        for (const Heard& h : g_heard)
            if (h.type == QAccessible::Focus && h.child == row)
                return true;
        return false;
    }

    void focusView()
    {
        window().activateWindow();
        view().setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        ASSERT_TRUE(view().hasFocus());
    }

    MemorySettingsStore m_store;
    QTemporaryDir m_folder;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(AccessibilityTest, TheViewReadsAsATableOfItsEntriesInEveryOrder)
{
    const struct
    {
        SortOrder order;
        ViewStyle style;
        QStringList rows;
    } cases[] = {
        {SortOrder::ByArtist,
         ViewStyle::Normal,
         {"Amber, Dawn, Jazz", "Birch, Aurora, Jazz", "Cobalt, Night Lines, Jazz"}},
        {SortOrder::ByAlbumName,
         ViewStyle::Normal,
         {"Birch, Aurora, Jazz", "Amber, Dawn, Jazz", "Cobalt, Night Lines, Jazz"}},
        {SortOrder::BySong, ViewStyle::Normal, {"Arc, 2, Cobalt", "Moss, 1, Birch", "Zephyr, 1, Cobalt"}},
        {SortOrder::ByArtistShort,
         ViewStyle::Normal,
         {"Amber", "Birch", "Moss, 1", "Cobalt", "Zephyr, 1", "Arc, 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(sortOrderInfo(c.order).name));
        doc().setViewStyle(c.style);
        ASSERT_TRUE(doc().runOrder(c.order));
        QApplication::processEvents();
        QAccessibleInterface* t = table();
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->role(), QAccessible::Table);
        ASSERT_NE(t->tableInterface(), nullptr);
        EXPECT_EQ(t->tableInterface()->rowCount(), c.rows.size());
        EXPECT_EQ(rowNames(), c.rows);
        QAccessibleInterface* last = t->child(t->childCount() - 1);
        EXPECT_EQ(last->role(), QAccessible::Row);
        EXPECT_EQ(t->indexOfChild(last), t->childCount() - 1);
        EXPECT_EQ(last->parent(), t);
        EXPECT_EQ(t->child(t->childCount()), nullptr);
        // Each column of the row is a cell of the table, read with the row.
        QAccessibleInterface* cell = t->tableInterface()->cellAt(0, 0);
        ASSERT_NE(cell, nullptr);
        EXPECT_TRUE(c.rows.front().startsWith(cell->text(QAccessible::Name)));
        EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 0);
    }
}

TEST_F(AccessibilityTest, AnAlbumsSongsAreItsRowsDescription)
{
    ASSERT_TRUE(doc().runOrder(SortOrder::ByArtist));
    EXPECT_EQ(table()->child(2)->text(QAccessible::Description), "Songs: 1 Zephyr; 2 Arc");
    EXPECT_EQ(table()->child(0)->text(QAccessible::Description), "");
}

TEST_F(AccessibilityTest, AnEditIsReadAtOnceAndOldRowsAreNotReused)
{
    ASSERT_TRUE(doc().runOrder(SortOrder::ByArtist));
    EXPECT_EQ(table()->child(0)->text(QAccessible::Name), "Amber, Dawn, Jazz");
    const QAccessible::Id before = QAccessible::uniqueId(table()->child(0));
    LoadedCatalogue loaded;
    loaded.albums.appendAlbum(album("Aardvark", "First"));
    loaded.layouts = doc().columnLayouts();
    doc().adoptLoaded(std::move(loaded));
    QApplication::processEvents();
    EXPECT_EQ(rowNames(), QStringList{"Aardvark, First, Jazz"});
    EXPECT_EQ(QAccessible::accessibleInterface(before), nullptr);
}

TEST_F(AccessibilityTest, SelectionAndTheKeyboardsEntryAreHeardAsStateAndFocus)
{
    ASSERT_TRUE(doc().runOrder(SortOrder::ByArtist));
    focusView();
    QAccessibleInterface* t = table();

    QTest::keyClick(&view(), Qt::Key_Down, Qt::ControlModifier); // the top entry
    QTest::keyClick(&view(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(view().currentEntry(), 1);
    EXPECT_TRUE(t->child(1)->state().focused);
    EXPECT_FALSE(t->child(0)->state().focused);
    EXPECT_EQ(t->focusChild(), t->child(1));

    QTest::keyClick(&view(), Qt::Key_Space);
    EXPECT_TRUE(t->child(1)->state().selected);
    EXPECT_FALSE(t->child(0)->state().selected);
    EXPECT_EQ(t->tableInterface()->selectedRows(), QList<int>{1});
    QTest::keyClick(&view(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&view(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(t->tableInterface()->selectedRows(), (QList<int>{1, 2}));
    EXPECT_EQ(view().selection().playOrder(), (std::vector<int>{1, 2}));

    // A tool may select too, as a Ctrl click would.
    EXPECT_TRUE(t->tableInterface()->selectRow(0));
    EXPECT_EQ(t->tableInterface()->selectedRowCount(), 3);
}

TEST_F(AccessibilityTest, TheKeyboardsEntryWearsAVisibleFrameSelectedOrNot)
{
    ASSERT_TRUE(doc().runOrder(SortOrder::ByArtist));
    focusView();
    // Pixels of the frame: in the data colour, where the entry's own painting does not put it.
    const auto framePixels = [&] {
        const QColor text = view().colors().data;
        const QImage with = view().viewport()->grab().toImage();
        view().clearFocus();
        const QImage without = view().viewport()->grab().toImage();
        focusView();
        int count = 0;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                count += with.pixelColor(x, y) == text && without.pixelColor(x, y) != text;
        return count;
    };
    QTest::keyClick(&view(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_GT(framePixels(), 40);
    QTest::keyClick(&view(), Qt::Key_Space);
    ASSERT_TRUE(view().selection().isSelected(0));
    EXPECT_GT(framePixels(), 40);
    window().runCommand(CommandId::ViewSingleLine); // a selected row filled with the selection colour
    QTest::keyClick(&view(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&view(), Qt::Key_Space);
    ASSERT_TRUE(view().selection().isSelected(0));
    EXPECT_GT(framePixels(), 40);
}

TEST_F(AccessibilityTest, GoToMovesTheFocusToTheEntryItFinds)
{
    std::vector<AlbumRecord> many;
    for (int i = 0; i < 200; ++i)
        many.push_back(album("Artist " + std::to_string(1000 + i), "Album"));
    LoadedCatalogue loaded;
    for (const AlbumRecord& a : many)
        loaded.albums.appendAlbum(a);
    loaded.layouts = doc().columnLayouts();
    doc().adoptLoaded(std::move(loaded));
    ASSERT_TRUE(doc().runOrder(SortOrder::ByArtist));
    focusView();
    window().runCommand(CommandId::GoTo);
    GoToDialog* goTo = window().viewHandlers().goToWindow();
    ASSERT_NE(goTo, nullptr);
    QTest::keyClicks(goTo->edit(), QStringLiteral("Artist 1150"));
    QApplication::processEvents();
    EXPECT_EQ(view().currentEntry(), 150);
    EXPECT_FALSE(table()->child(150)->state().offscreen);
    EXPECT_TRUE(table()->child(0)->state().offscreen);

    goTo->close();
    focusView();
    EXPECT_EQ(table()->focusChild(), table()->child(150));
    EXPECT_EQ(table()->child(150)->text(QAccessible::Name), "Artist 1150, Album, Jazz");
}

TEST_F(AccessibilityTest, EveryToolbarButtonHasAName)
{
    const QList<QToolButton*> buttons = window().toolBar()->findChildren<QToolButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (QToolButton* button : buttons) {
        if (!button->isVisible())
            continue;
        const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << button->objectName().toStdString();
        EXPECT_FALSE(name.contains(QLatin1Char('\t'))) << name.toStdString(); // no keys read out
    }
    for (QWidget* field : window().mainStatusBar()->findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(field) || qobject_cast<QProgressBar*>(field)) {
            EXPECT_FALSE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).isEmpty())
                << field->metaObject()->className();
        }
    }
}

// Every command can be reached without a mouse: the menus open by their Alt letters (each letter
// used once on its bar or in its menu) and are walked with the arrows; a toolbar command found in no
// menu has keys of its own.
void collectMenuActions(QMenu* menu, QSet<QAction*>& actions, const std::string& path)
{
    QSet<QKeyCombination> letters;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        actions.insert(action);
        const QKeySequence letter = QKeySequence::mnemonic(action->text());
        if (!letter.isEmpty()) {
            EXPECT_FALSE(letters.contains(letter[0])) << path << " / " << action->text().toStdString();
            letters.insert(letter[0]);
        }
        if (action->menu()) {
            EXPECT_FALSE(letter.isEmpty())
                << path << " / " << action->text().toStdString() << " has no letter";
            collectMenuActions(action->menu(), actions, path + " / " + action->text().toStdString());
        }
    }
}

TEST_F(AccessibilityTest, EveryCommandHasAWayFromTheKeyboard)
{
    QSet<QAction*> inMenus;
    QSet<QKeyCombination> barLetters;
    for (QAction* top : window().menuBar()->actions()) {
        const QKeySequence letter = QKeySequence::mnemonic(top->text());
        ASSERT_FALSE(letter.isEmpty()) << top->text().toStdString();
        EXPECT_FALSE(barLetters.contains(letter[0])) << top->text().toStdString();
        barLetters.insert(letter[0]);
        collectMenuActions(top->menu(), inMenus, top->text().toStdString());
    }
    for (QAction* button : window().toolBar()->actions()) {
        if (!button->isSeparator() && !inMenus.contains(button)) {
            EXPECT_FALSE(button->shortcuts().isEmpty()) << button->text().toStdString() << " needs keys";
        }
    }

    // Play, from the toolbar alone, plays the selected album from its keys.
    view().clickEntry(0, {});
    QTest::keyClick(&view(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(window().viewHandlers().playerWindow(), nullptr);
}

TEST_F(AccessibilityTest, ADarkDesktopThemeIsFollowedAndTheCatalogueStaysReadable)
{
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Button, QColor(0x31, 0x36, 0x3B));
    dark.setColor(QPalette::Dark, QColor(0x18, 0x1A, 0x1C));
    dark.setColor(QPalette::WindowText, QColor(0xEF, 0xF0, 0xF1));
    QApplication::setPalette(dark);
    QApplication::processEvents();
    const ViewColors shown = view().colors();
    QApplication::setPalette(before);
    QApplication::processEvents();

    EXPECT_EQ(shown.background, QColor(0x23, 0x26, 0x29));
    EXPECT_EQ(shown.band, QColor(0x31, 0x36, 0x3B));
    EXPECT_GE(contrastRatio(toColorValue(shown.data), toColorValue(shown.background)), kReadableContrast);
    EXPECT_GE(contrastRatio(toColorValue(shown.heading), toColorValue(shown.band)), kReadableContrast);
    EXPECT_EQ(view().colors().background, before.color(QPalette::Base)) << "back to the light theme";
}

// ---- Tab order -------------------------------------------------------------------------------

// The widgets Tab visits from the dialog's first focus, once round.
std::vector<QWidget*> tabWalk(QWidget* dialog)
{
    std::vector<QWidget*> walked;
    QWidget* start = QApplication::focusWidget();
    if (!start)
        return walked;
    QWidget* w = start;
    for (int guard = 0; guard < 400; ++guard) {
        walked.push_back(w);
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
        if (!w || w == start || !dialog->isAncestorOf(w))
            break;
    }
    return walked;
}

// Whether b comes after a for someone reading left to right, top to bottom: lower down, or on the
// same line further right.
bool readsAfter(const QWidget* a, const QWidget* b, const QWidget* root)
{
    const QRect ra(a->mapTo(root, QPoint(0, 0)), a->size());
    const QRect rb(b->mapTo(root, QPoint(0, 0)), b->size());
    const bool sameLine = rb.top() < ra.bottom() && ra.top() < rb.bottom();
    return sameLine ? rb.left() >= ra.right() - 2 || rb.top() > ra.top() : rb.top() >= ra.bottom() - 2;
}

// Checks one page: every enabled field reached once, in reading order, each with a name.
void checkTabOrder(QWidget* dialog, QWidget* page, const std::string& what)
{
    SCOPED_TRACE(what);
    const std::vector<QWidget*> walked = tabWalk(dialog);
    if (walked.empty())
        return;
    std::vector<QWidget*> onPage;
    for (QWidget* w : walked)
        if (page->isAncestorOf(w))
            onPage.push_back(w);
    for (QWidget* w : onPage)
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
            << w->metaObject()->className() << " " << w->objectName().toStdString();
    for (std::size_t i = 1; i < onPage.size(); ++i)
        EXPECT_TRUE(readsAfter(onPage[i - 1], onPage[i], page))
            << QAccessible::queryAccessibleInterface(onPage[i - 1])->text(QAccessible::Name).toStdString()
            << " -> "
            << QAccessible::queryAccessibleInterface(onPage[i])->text(QAccessible::Name).toStdString();
    for (QWidget* field : page->findChildren<QWidget*>()) {
        if (!field->isVisibleTo(dialog) || !field->isEnabled() || !(field->focusPolicy() & Qt::TabFocus) ||
            field->focusProxy() || qobject_cast<QTabBar*>(field) || !field->isVisible())
            continue;
        EXPECT_EQ(std::count(walked.begin(), walked.end(), field), 1) << field->metaObject()->className();
    }
}

// Puts the focus on the first field of the page that Tab would reach.
void focusFirstField(QWidget* page)
{
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void walkDialog(QDialog& dialog, const std::string& what)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    if (auto* tabs = dialog.findChild<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QWidget* page = tabs->currentWidget();
            for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
                if (page->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
                    (w->focusPolicy() & Qt::TabFocus)) {
                    w->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
            QApplication::processEvents();
            checkTabOrder(&dialog, tabs->currentWidget(), what + " / " + tabs->tabText(i).toStdString());
        }
    } else {
        if (!QApplication::focusWidget() || !dialog.isAncestorOf(QApplication::focusWidget()))
            focusFirstField(&dialog);
        checkTabOrder(&dialog, &dialog, what);
    }
    dialog.hide();
}

// The entry sheet's group/artist field and a filter, filled, as a screen reader hears them: the
// field's name, then its value, and in the edit line typed into.
TEST_F(AccessibilityTest, AFilledComboBoxIsHeardByItsFieldsNameThenItsValue)
{
    std::array<std::vector<std::string>, kFilterCount> values;
    values[static_cast<int>(FilterField::Label)] = {"Blue Note", "ECM"};
    FiltersDialog filters(values, {}, m_prompter, &window());
    QComboBox* label = filters.comboBox(FilterField::Label);
    label->setCurrentIndex(label->findText(QStringLiteral("ECM")));
    QComboBox* artist = m_app.albumSheet().comboBox(Field::Artist);
    artist->setEditText(QStringLiteral("the Quiet Foxes"));
    const struct
    {
        QComboBox* box;
        QString name;
        QString value;
    } cases[] = {{artist, "Group/Artist Name", "the Quiet Foxes"}, {label, "Label", "ECM"}};
    for (const auto& c : cases) {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(c.box);
        EXPECT_EQ(box->text(QAccessible::Name), c.name);
        EXPECT_EQ(box->text(QAccessible::Value), c.value);
        EXPECT_TRUE(box->state().editable);
        ASSERT_NE(box->focusChild(), nullptr);
        EXPECT_EQ(box->focusChild()->object(), c.box->lineEdit());
        EXPECT_EQ(box->focusChild()->text(QAccessible::Value), c.value);
        EXPECT_EQ(box->indexOfChild(box->focusChild()), 1);
        EXPECT_EQ(box->child(0)->object(), c.box->view()); // the drop-down list
    }
}

TEST_F(AccessibilityTest, TabWalksEveryFieldOfEverySheetAndDialogInReadingOrder)
{
    walkDialog(m_app.albumSheet(), "album sheet");
    OptionsSheet options(OptionValues{}, &window());
    walkDialog(options, "options");
    std::array<std::vector<std::string>, kFilterCount> values;
    FiltersDialog filters(values, {}, m_prompter, &window());
    walkDialog(filters, "filters");
    FindDialog find(FindQuery{}, &window());
    walkDialog(find, "find");
    GoToDialog goTo(QStringLiteral("Enter the Group/Artist name to go to."), &window());
    walkDialog(goTo, "go to");
    CustomHeadingsDialog headings("Custom 1", "Custom 2", &window());
    walkDialog(headings, "custom headings");
    ScreenColorDialog colors(&window());
    walkDialog(colors, "screen colours");
    AddColumnDialog addColumn(&window());
    walkDialog(addColumn, "add column");
    DeleteAlbumsDialog deleteAlbums(&window());
    walkDialog(deleteAlbums, "delete albums");
    const QString csv = QDir(m_folder.path()).filePath(QStringLiteral("albums.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Artist,Album,Song1\nCobalt,Night Lines,Zephyr\n");
    file.close();
    auto csvPlan = planCsvImport(doc(), toPath(csv));
    ASSERT_TRUE(csvPlan);
    ImportDialog import(QStringLiteral("albums.csv"), csvPlan->table, csvPlan->mapping, csvPlan->headings,
                        &window());
    walkDialog(import, "import");
    AudioImportPlan audioPlan;
    AudioImportDialog audioImport(audioPlan, {"Custom 1", "Custom 2"}, &window());
    walkDialog(audioImport, "audio import");
    LendDialog lend(QDate(2024, 3, 1), &window());
    walkDialog(lend, "lend");
    lend.dueBox()->setChecked(true);
    walkDialog(lend, "lend with a due date");
}

// Fields are named by their labels: the Options sheet's server field and the import's album list
// had no name at all, and a filled combo box was named by its value.
TEST_F(AccessibilityTest, LabelledFieldsAndListsAreNamed)
{
    OptionsSheet options(OptionValues{}, &window());
    std::array<std::vector<std::string>, kFilterCount> values;
    FiltersDialog filters(values, {}, m_prompter, &window());
    for (QWidget* dialog : {static_cast<QWidget*>(&m_app.albumSheet()), static_cast<QWidget*>(&filters),
                            static_cast<QWidget*>(&options)}) {
        SCOPED_TRACE(dialog->metaObject()->className());
        QSet<QString> names;
        int labelled = 0;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->buddy() || label->text().isEmpty()) // a custom field, named by its heading
                continue;
            ++labelled;
            EXPECT_EQ(label->buddy()->accessibleName(), labelName(*label)) << label->text().toStdString();
            names.insert(label->buddy()->accessibleName());
            QAccessibleInterface* field = QAccessible::queryAccessibleInterface(label->buddy());
            EXPECT_EQ(field->text(QAccessible::Name), labelName(*label));
            if (auto* box = qobject_cast<QComboBox*>(label->buddy())) {
                if (box->isEditable())
                    box->setEditText(QStringLiteral("the Quiet Foxes"));
                else
                    box->setCurrentIndex(box->count() - 1);
                EXPECT_EQ(field->role(), QAccessible::ComboBox);
                EXPECT_EQ(field->text(QAccessible::Name), labelName(*label)) << "filled";
                EXPECT_EQ(field->text(QAccessible::Value), box->currentText());
            }
        }
        EXPECT_GT(labelled, 0);
        EXPECT_EQ(names.size(), labelled) << "two fields share a name";
    }
    // The Collection page's fields are heard by the names the CSV export gives their columns, and
    // each of its labels and buttons has a letter of its own beside OK and Cancel.
    AlbumSheet& sheet = m_app.albumSheet();
    for (int f = kFirstDetail; f < kCollectionDetailEnd; ++f) {
        const Field field = fieldAt(f);
        if (field == Field::Loans)
            continue;
        ASSERT_NE(sheet.control(field), nullptr) << detailName(field);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet.control(field))
                      ->text(QAccessible::Name)
                      .toStdString(),
                  detailName(field));
    }
    AlbumCollectionPage* page = sheet.collectionPage();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(page->loanHistory())->text(QAccessible::Name),
              "Loan History");
    QSet<QKeyCombination> letters;
    for (const QString& text : {sheet.okButton()->text(), sheet.cancelButton()->text()})
        if (const QKeySequence letter = QKeySequence::mnemonic(text); !letter.isEmpty())
            letters.insert(letter[0]);
    QStringList texts;
    for (const QLabel* label : page->findChildren<QLabel*>())
        if (label->buddy())
            texts << label->text();
    for (const QPushButton* button : page->findChildren<QPushButton*>())
        texts << button->text();
    for (const QString& text : texts) {
        const QKeySequence letter = QKeySequence::mnemonic(text);
        ASSERT_FALSE(letter.isEmpty()) << text.toStdString() << " has no letter";
        EXPECT_FALSE(letters.contains(letter[0])) << text.toStdString();
        letters.insert(letter[0]);
    }

    AudioImportPlan plan;
    AudioImportDialog audioImport(plan, {"Custom 1", "Custom 2"}, &window());
    for (const QTreeWidget* list : audioImport.findChildren<QTreeWidget*>())
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(const_cast<QTreeWidget*>(list))
                         ->text(QAccessible::Name)
                         .isEmpty());
}

} // namespace
} // namespace discora
