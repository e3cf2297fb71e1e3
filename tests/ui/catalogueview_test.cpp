// The catalogue view in the main window, driven by the mouse, the keys and the commands as a user
// would drive it, and painted into an image to check what it shows.
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/coverfolder.h"
#include "core/order/orders.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "support/pictures.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/app/viewhandlers.h"
#include "ui/dialogs/addcolumndialog.h"
#include "ui/dialogs/gotodialog.h"
#include "ui/entry/albumsheet.h"
#include "ui/view/catalogueview.h"

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace discora {
namespace {

AlbumRecord album(const std::string& artist, const std::string& name = "Album")
{
    AlbumRecord a;
    a.artist = artist;
    a.albumName = name;
    return a;
}

std::vector<AlbumRecord> numberedAlbums(int count)
{
    std::vector<AlbumRecord> albums;
    for (int i = 0; i < count; ++i) {
        char artist[32];
        std::snprintf(artist, sizeof artist, "Artist %04d", i);
        albums.push_back(album(artist));
    }
    return albums;
}

ViewOptions switchesOff()
{
    ViewOptions o;
    for (ViewOption s : {ViewOption::ShowSongs, ViewOption::ShowProducers, ViewOption::ShowQuality,
                         ViewOption::ShowPeople, ViewOption::ShowLabel, ViewOption::ShowCatalogNum,
                         ViewOption::ShowNotes, ViewOption::ShowCustom1, ViewOption::ShowCustom2})
        o.set(s, 0);
    return o;
}

std::vector<int> selectedPositions(const ViewSelection& s)
{
    std::vector<int> out;
    for (int i = 0; i < s.size(); ++i)
        if (s.isSelected(i))
            out.push_back(i);
    return out;
}

class CatalogueViewTest : public ::testing::Test
{
protected:
    CatalogueViewTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        window().resize(900, 700);
        QApplication::processEvents();
        doc().setViewOptions(switchesOff());
    }

    MainWindow& window() { return m_app.mainWindow(); }
    CatalogueDocument& doc() { return m_app.document(); }
    CatalogueView& view() { return *window().view(); }
    QWidget* viewport() { return view().viewport(); }
    int lineHeight() { return view().metrics().lineHeight; }

    void load(const std::vector<AlbumRecord>& albums)
    {
        LoadedCatalogue loaded;
        for (const AlbumRecord& a : albums)
            loaded.albums.appendAlbum(a);
        loaded.layouts = defaultColumnLayouts(view().metrics().dpi);
        doc().adoptLoaded(std::move(loaded));
        QApplication::processEvents();
    }

    // A point on the first value line of an entry (block layouts) or on its row (column lists).
    QPoint pointOf(int position)
    {
        const int lh = lineHeight();
        const int top =
            view().linesPerRecord() == 1 ? (position + 1) * lh : position * view().linesPerRecord() * lh + lh;
        return {40, top + lh / 2 - view().scrollY()};
    }

    void click(int position, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, modifiers, pointOf(position));
    }

    // What the view paints, as a user would see it.
    QImage paint()
    {
        QImage image(viewport()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        painter.fillRect(image.rect(), view().colors().background);
        view().paintContents(painter);
        return image;
    }

    // Runs fn on the popup menu that the next action opens, then closes it.
    void onPopup(std::function<void(QMenu*)> fn)
    {
        QTimer::singleShot(0, [fn] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            fn(menu);
            menu->close();
        });
    }

    static QAction* actionNamed(QMenu* menu, const QString& text)
    {
        for (QAction* a : menu->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }

    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

// ---- Hit tests and selection ---------------------------------------------------------------

TEST_F(CatalogueViewTest, ClicksSelectTheAlbumUnderThePointer)
{
    load(numberedAlbums(6));
    ASSERT_EQ(view().linesPerRecord(), 5);
    click(2);
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{2}));
    EXPECT_TRUE(window().uiState().anySelected);

    // The first line of the window and the space below the last album are not entries.
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, lineHeight() / 2));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 6 * 5 * lineHeight() + 3));
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{2}));
    // Clicking it again clears the selection.
    click(2);
    EXPECT_FALSE(view().selection().anySelected());
}

TEST_F(CatalogueViewTest, ListRowsStartBelowTheHeadingRow)
{
    load(numberedAlbums(6));
    window().runCommand(CommandId::ViewSingleLine);
    ASSERT_EQ(view().layoutKind(), LayoutKind::SingleLine);
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, lineHeight() / 2));
    EXPECT_FALSE(view().selection().anySelected());
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, lineHeight() + 1));
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{0}));
    click(5);
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{5}));
}

TEST_F(CatalogueViewTest, ShiftAndCtrlComeFromTheMouseEventItself)
{
    load(numberedAlbums(10));
    window().runCommand(CommandId::ViewSingleLine);
    click(1);
    // A Shift key pressed and never released in this window does not stick.
    QTest::keyPress(viewport(), Qt::Key_Shift);
    click(3, Qt::ControlModifier);
    click(6, Qt::ShiftModifier);
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{1, 3, 4, 5, 6}));
    click(8);
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{8}));
    EXPECT_EQ(view().selection().playOrder(), (std::vector<int>{8}));
    EXPECT_EQ(view().selection().playInsertPos(), 1);
}

TEST_F(CatalogueViewTest, DoubleClickSelectsOnlyThatEntryAndModifiesIt)
{
    load(numberedAlbums(6));
    click(1);
    click(3, Qt::ControlModifier);
    // The double click selects entry 4 alone and runs Modify, whose sheet shows that one album.
    std::vector<int> selectedWhileOpen;
    QString artistShown;
    QTimer::singleShot(0, [&] {
        selectedWhileOpen = selectedPositions(view().selection());
        if (auto* sheet = qobject_cast<AlbumSheet*>(QApplication::activeModalWidget())) {
            artistShown = sheet->comboBox(Field::Artist)->currentText();
            sheet->reject();
        }
    });
    QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::NoModifier, pointOf(4));
    EXPECT_EQ(selectedWhileOpen, (std::vector<int>{4}));
    EXPECT_EQ(artistShown, "Artist 0004");
}

TEST_F(CatalogueViewTest, SongListPlayOrderStopsAtTwentySixAndSkipsTrackZero)
{
    AlbumRecord a = album("Solo");
    for (int i = 0; i < kSongSlots; ++i)
        a.songs[i] = {"Song " + std::string(1, char('A' + i)), "1:00", std::to_string(i + 1)};
    AlbumRecord b = album("Other");
    b.songs[0] = {"Zero Track", "1:00", "0"};
    b.songs[1] = {"Zz Last", "1:00", "2"};
    load({a, b});
    doc().setViewOptions(switchesOff());
    doc().runOrder(SortOrder::BySong);
    ASSERT_EQ(view().entryCount(), 28);
    // Songs A to Z, then "Zero Track", then "Zz Last".
    click(26);
    EXPECT_TRUE(view().selection().isSelected(26));
    EXPECT_TRUE(view().selection().playOrder().empty());
    EXPECT_EQ(view().selection().lastUnplayable(), 26);

    click(0);
    for (int i = 1; i < 26; ++i)
        click(i, Qt::ControlModifier);
    click(27, Qt::ControlModifier); // the 27th selection
    EXPECT_EQ(view().selection().selectedCount(), 27);
    ASSERT_EQ(view().selection().playOrder().size(), 26u);
    EXPECT_EQ(view().selection().playOrder().back(), 25);
}

TEST_F(CatalogueViewTest, SelectAllTogglesAndEveryUpdateClearsTheSelection)
{
    window().refreshActions();
    EXPECT_FALSE(window().action(CommandId::SelectAll)->isEnabled());
    EXPECT_FALSE(window().action(CommandId::GoTo)->isEnabled());
    EXPECT_FALSE(window().action(CommandId::ViewSingleLine)->isEnabled());
    load(numberedAlbums(4));
    window().refreshActions();
    EXPECT_TRUE(window().action(CommandId::SelectAll)->isEnabled());
    window().runCommand(CommandId::SelectAll);
    EXPECT_EQ(view().selection().selectedCount(), 4);
    window().runCommand(CommandId::SelectAll);
    EXPECT_EQ(view().selection().selectedCount(), 0);

    click(1);
    doc().runOrder(doc().currentOrder());
    EXPECT_FALSE(view().selection().anySelected());
    EXPECT_EQ(view().selection().size(), 4);
}

TEST_F(CatalogueViewTest, TheEntryCountOfAnAlbumOrderIsTheDisplayedAlbums)
{
    std::vector<AlbumRecord> albums = numberedAlbums(5);
    albums[1].label = albums[3].label = "Kept";
    load(albums);
    doc().setFilter(FilterField::Label, "Kept");
    EXPECT_EQ(view().entryCount(), 2);
    EXPECT_EQ(view().scrollGeometry().contentHeight, 0); // two albums fit the window
}

// ---- Scrolling -----------------------------------------------------------------------------

TEST_F(CatalogueViewTest, KeysScrollWithinTheContent)
{
    load(numberedAlbums(200));
    const int lh = lineHeight();
    const ScrollGeometry g = view().scrollGeometry();
    ASSERT_EQ(g.contentHeight, 200 * 5 * lh);
    const int maximum = g.contentHeight - g.pageHeight;

    QTest::keyClick(&view(), Qt::Key_Down);
    EXPECT_EQ(view().scrollY(), lh);
    QTest::keyClick(&view(), Qt::Key_PageDown);
    EXPECT_EQ(view().scrollY(), lh + g.pageHeight);
    QTest::keyClick(&view(), Qt::Key_End);
    EXPECT_EQ(view().scrollY(), maximum);
    QTest::keyClick(&view(), Qt::Key_PageDown);
    EXPECT_EQ(view().scrollY(), maximum);
    EXPECT_EQ(view().verticalScrollBar()->value(), maximum);
    QTest::keyClick(&view(), Qt::Key_Home);
    EXPECT_EQ(view().scrollY(), 0);
    QTest::keyClick(&view(), Qt::Key_Up);
    EXPECT_EQ(view().scrollY(), 0);
}

TEST_F(CatalogueViewTest, TheVerticalThumbScrollsOnReleaseByWholeLines)
{
    load(numberedAlbums(200));
    const int lh = lineHeight();
    QScrollBar* bar = view().verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(10 * lh + 3);
    EXPECT_EQ(view().scrollY(), 0); // no scrolling while the thumb is dragged
    bar->setSliderDown(false);
    EXPECT_EQ(view().scrollY(), 10 * lh);
    EXPECT_EQ(bar->value(), 10 * lh);
}

TEST_F(CatalogueViewTest, TheHorizontalThumbTracksAndTheWindowClamps)
{
    load(numberedAlbums(200));
    window().resize(400, 500);
    QApplication::processEvents();
    QScrollBar* bar = view().horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 40);
    bar->setSliderDown(true);
    bar->setSliderPosition(37);
    EXPECT_EQ(view().scrollX(), 37);
    bar->setSliderDown(false);
    QTest::keyClick(&view(), Qt::Key_End);
    EXPECT_EQ(view().scrollX(), 0); // End goes to the left end
    QTest::keyClick(&view(), Qt::Key_Right);
    EXPECT_EQ(view().scrollX(), view().metrics().charWidth);

    // A window wider than the content loses the scroll bar and the offset.
    window().resize(2400, 500);
    QApplication::processEvents();
    EXPECT_EQ(view().scrollX(), 0);
    EXPECT_EQ(view().scrollGeometry().contentWidth, 0);
}

TEST_F(CatalogueViewTest, ANewLayoutOrEntryCountStartsAtTheTopAndAnotherAlbumOrderKeepsThePlace)
{
    load(numberedAlbums(200));
    QTest::keyClick(&view(), Qt::Key_PageDown);
    const int y = view().scrollY();
    ASSERT_GT(y, 0);
    doc().runOrder(SortOrder::ByAlbumName);
    EXPECT_EQ(view().scrollY(), y);

    window().runCommand(CommandId::ViewSingleLine);
    EXPECT_EQ(view().scrollY(), 0);
    QTest::keyClick(&view(), Qt::Key_PageDown);
    doc().runOrder(SortOrder::ByLabel);
    EXPECT_GT(view().scrollY(), 0);

    window().runCommand(CommandId::ViewNormal);
    QTest::keyClick(&view(), Qt::Key_PageDown);
    doc().enterAlbum(album("Newcomer"));
    EXPECT_EQ(view().scrollY(), 0);

    QTest::keyClick(&view(), Qt::Key_PageDown);
    doc().runOrder(SortOrder::BySong);
    EXPECT_EQ(view().scrollY(), 0);
}

// ---- Go To ---------------------------------------------------------------------------------

class GoToTest : public CatalogueViewTest
{
protected:
    // "Artist 0000" to "Artist 0099", then The Lanterns, then "Zed 0000" to "Zed 0099", with
    // or without the article ignored.
    void loadLanterns(bool ignoreThe)
    {
        std::vector<AlbumRecord> albums = numberedAlbums(100);
        for (int i = 0; i < 100; ++i) {
            char artist[32];
            std::snprintf(artist, sizeof artist, "Zed %04d", i);
            albums.push_back(album(artist));
        }
        albums.push_back(album("The Lanterns"));
        load(albums);
        ViewOptions options = switchesOff();
        options.set(ViewOption::NlViewThe, ignoreThe ? 1 : 0);
        doc().setViewOptions(options);
        doc().runOrder(SortOrder::ByArtist);
    }

    GoToDialog* openGoTo()
    {
        window().runCommand(CommandId::GoTo);
        return window().viewHandlers().goToWindow();
    }

    void type(GoToDialog* dialog, const QString& text)
    {
        dialog->edit()->clear();
        QTest::keyClicks(dialog->edit(), text);
        QApplication::processEvents();
    }

    // The entry the window's top shows.
    int topEntry() { return view().scrollY() / (lineHeight() * view().linesPerRecord()); }
};

TEST_F(GoToTest, IgnoringTheArticleFindsTheLanterns)
{
    loadLanterns(true);
    GoToDialog* dialog = openGoTo();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->prompt(), "Enter the Group/Artist name to go to.");
    EXPECT_EQ(dialog->windowTitle(), "Go To Record");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());

    QTest::keyClicks(dialog->edit(), "lan");
    EXPECT_EQ(view().scrollY(), 0); // the notice arrives queued
    QApplication::processEvents();
    EXPECT_EQ(topEntry(), 100);
    EXPECT_FALSE(view().selection().anySelected());

    type(dialog, "zed 0007");
    EXPECT_EQ(topEntry(), 108);
    type(dialog, "the l");
    EXPECT_EQ(topEntry(), 100);
    type(dialog, "");
    EXPECT_EQ(view().scrollY(), 0);
}

TEST_F(GoToTest, WithoutTheOptionOnlyTheFullNameFindsIt)
{
    loadLanterns(false);
    GoToDialog* dialog = openGoTo();
    type(dialog, "zed 0050");
    EXPECT_EQ(topEntry(), 151);
    type(dialog, "lan");
    EXPECT_EQ(topEntry(), 151); // not found: nothing moves
    type(dialog, "the l");
    EXPECT_EQ(topEntry(), 100);
    type(dialog, "zed 0099 and more");
    EXPECT_EQ(topEntry(), 100); // longer than every key
    // The last album cannot come to the top; the view stops at its end.
    type(dialog, "zed 0099");
    EXPECT_EQ(view().scrollY(), view().scrollGeometry().contentHeight - view().scrollGeometry().pageHeight);
}

TEST_F(GoToTest, CloseDestroysTheWindowAndTheCommandReopensItEmpty)
{
    loadLanterns(true);
    QPointer<GoToDialog> dialog = openGoTo();
    type(dialog, "art");
    window().runCommand(CommandId::GoTo); // already open: stays as it is
    EXPECT_EQ(window().viewHandlers().goToWindow(), dialog.data());
    EXPECT_EQ(dialog->text(), "art");

    dialog->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(window().viewHandlers().goToWindow(), nullptr);

    doc().runOrder(SortOrder::ByAlbumName);
    GoToDialog* again = openGoTo();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->text(), "");
    EXPECT_EQ(again->prompt(), "Enter the Album name to go to.");
}

TEST_F(GoToTest, NewAndOpenLeaveTheWindowOpenOnTheCatalogueShown)
{
    loadLanterns(true);
    QPointer<GoToDialog> dialog = openGoTo();
    type(dialog, "lan");
    ASSERT_EQ(topEntry(), 100);

    window().runCommand(CommandId::New);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_TRUE(dialog->isVisible());

    QTemporaryDir dir;
    CatalogueDocument other;
    fixture::loadAlbums(other, numberedAlbums(60));
    const QString file = dir.path() + "/other.dcf";
    ASSERT_TRUE(other.saveFile(file.toStdString()));
    ASSERT_TRUE(window().openFile(file));
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_TRUE(dialog->isVisible());
    type(dialog, "artist 0042");
    EXPECT_EQ(topEntry(), 42);
}

// ---- Column editing ------------------------------------------------------------------------

class ColumnEditingTest : public CatalogueViewTest
{
protected:
    ColumnEditingTest()
    {
        load(numberedAlbums(5));
        window().runCommand(CommandId::ViewSingleLine);
    }

    const ColumnLayout& layout() { return doc().columnLayout(LayoutId::ByArtist); }

    // Right-clicks the heading row at client x and reads the Fields menu.
    std::pair<bool, bool> fieldsMenuAt(int x)
    {
        bool remove = false;
        bool add = false;
        onPopup([&](QMenu* menu) {
            EXPECT_EQ(menu->title(), "Fields");
            remove = actionNamed(menu, "Remove Field")->isEnabled();
            add = actionNamed(menu, "Add a new field")->isEnabled();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(x, 2),
                                viewport()->mapToGlobal(QPoint(x, 2)));
        QApplication::sendEvent(viewport(), &event);
        return {remove, add};
    }

    void addWithDialog(int entry)
    {
        QTimer::singleShot(0, [entry] {
            auto* dialog = qobject_cast<AddColumnDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Add Column");
            EXPECT_EQ(dialog->list()->currentIndex(), -1);
            dialog->list()->setCurrentIndex(entry);
            dialog->accept();
        });
        window().runCommand(CommandId::AddField);
    }
};

TEST_F(ColumnEditingTest, TheFieldsMenuOverTheFirstColumnOnlyAdds)
{
    EXPECT_EQ(fieldsMenuAt(30), std::make_pair(false, true));
    EXPECT_EQ(view().clickedColumn(), 1);
    const int edge2 = layout().leftEdges[0];
    EXPECT_EQ(fieldsMenuAt(edge2 + 10), std::make_pair(true, true));
    EXPECT_EQ(view().clickedColumn(), 2);
}

TEST_F(ColumnEditingTest, AddingAColumnAfterTheSecondMarksTheCatalogueModified)
{
    doc().setModified(false);
    fieldsMenuAt(layout().leftEdges[0] + 10);
    addWithDialog(5); // "Label"
    EXPECT_EQ(layout().fieldColumns, (std::vector<int>{1, 2, 6, 9, 0, 0}));
    const int step = view().metrics().dpi * 75 / 100;
    EXPECT_EQ(layout().leftEdges[1], layout().leftEdges[0] + step);
    EXPECT_TRUE(doc().isModified());
    EXPECT_EQ(view().columnCount(), 4);
}

TEST_F(ColumnEditingTest, OkWithNothingChosenLeavesTheLayoutAlone)
{
    doc().setModified(false);
    const ColumnLayout before = layout();
    fieldsMenuAt(layout().leftEdges[0] + 10);
    addWithDialog(-1);
    EXPECT_EQ(layout(), before);
    EXPECT_FALSE(doc().isModified());
}

TEST_F(ColumnEditingTest, RemoveFieldTakesTheClickedColumnAway)
{
    doc().setModified(false);
    fieldsMenuAt(layout().leftEdges[0] + 10);
    window().runCommand(CommandId::RemoveField);
    EXPECT_EQ(layout().fieldColumns, (std::vector<int>{1, 9, 0, 0, 0, 0}));
    EXPECT_TRUE(doc().isModified());
}

TEST_F(ColumnEditingTest, DraggingAnEdgeMovesItAndShowsTheSizingCursor)
{
    doc().setModified(false);
    const int edge = layout().leftEdges[0];
    QTest::mouseMove(viewport(), QPoint(edge + 2, 3));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(viewport(), QPoint(edge + 20, 3));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);

    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge + 1, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + 31, 3), viewport()->mapToGlobal(QPointF(edge + 31, 3)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &move);
    EXPECT_EQ(layout().leftEdges[0], edge + 31);
    // Within 3 pixels of the next edge the edge stays where it was.
    const int next = layout().leftEdges[1];
    QMouseEvent tooFar(QEvent::MouseMove, QPointF(next - 2, 3), viewport()->mapToGlobal(QPointF(next - 2, 3)),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &tooFar);
    EXPECT_EQ(layout().leftEdges[0], edge + 31);
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(next - 2, 3));
    EXPECT_TRUE(doc().isModified());
}

TEST_F(CatalogueViewTest, SingleLineSortsLeavesTheDerivedLists)
{
    load(numberedAlbums(3));
    doc().runOrder(SortOrder::ByProducer);
    EXPECT_EQ(view().layoutKind(), LayoutKind::ProducerList);
    window().runCommand(CommandId::ViewSingleLine);
    EXPECT_EQ(doc().currentOrder(), SortOrder::ByArtist);
    EXPECT_EQ(view().layoutKind(), LayoutKind::SingleLine);
    EXPECT_TRUE(window().action(CommandId::ViewSingleLine)->isChecked());
    window().runCommand(CommandId::ViewNormal);
    EXPECT_EQ(view().layoutKind(), LayoutKind::Normal);
}

TEST_F(CatalogueViewTest, TheDataAreaOffersTheContextMenu)
{
    load(numberedAlbums(3));
    click(1);
    QStringList enabled;
    onPopup([&](QMenu* menu) {
        for (QAction* a : menu->actions())
            if (a->isEnabled())
                enabled << a->text();
    });
    const QPoint at = pointOf(2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport()->mapToGlobal(at));
    QApplication::sendEvent(viewport(), &event);
    EXPECT_TRUE(enabled.contains("Select/Unselect All"));
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{1})); // a right click selects nothing
}

// ---- Painting ------------------------------------------------------------------------------

TEST_F(CatalogueViewTest, ASelectedAlbumShowsItsValuesInTheSelectedColors)
{
    load({album("Wide Album Artist Name")});
    ViewOptions options = switchesOff();
    options.set(ViewOption::NlViewGrid, 0);
    doc().setViewOptions(options);
    DisplayColors colors = doc().colors();
    colors.highlightBackground = 0x0000FF; // red
    colors.highlightedText = 0x00FF00;     // green
    doc().setColors(colors);
    const int lh = lineHeight();
    // The top pixel row of the artist's cell, above the letters.
    const QPoint behindText(kFirstColumnX + 1, lh);
    EXPECT_EQ(paint().pixelColor(behindText), view().colors().background);
    click(0);
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(behindText), QColor(255, 0, 0));
    // Only the text gets the background: far right on the line it stays the data background.
    EXPECT_EQ(image.pixelColor(kFirstColumnX + 300, lh), view().colors().background);
    // The letters are drawn in the selected text color.
    bool green = false;
    for (int x = kFirstColumnX; x < kFirstColumnX + 60 && !green; ++x)
        for (int y = lh; y < 2 * lh && !green; ++y)
            green = image.pixelColor(x, y) == QColor(0, 255, 0);
    EXPECT_TRUE(green);
    // The heading line above keeps its band color.
    EXPECT_EQ(image.pixelColor(5, 1), view().colors().band);
}

TEST_F(CatalogueViewTest, TheGridFollowsItsSwitch)
{
    load(numberedAlbums(4));
    window().runCommand(CommandId::ViewSingleLine);
    const int lh = lineHeight();
    const QPoint rowTop(500, 3 * lh);
    ViewOptions options = switchesOff();
    options.set(ViewOption::GroupViewGrid, 1);
    doc().setViewOptions(options);
    EXPECT_EQ(paint().pixelColor(rowTop), QColor(Qt::black));
    options.set(ViewOption::GroupViewGrid, 0);
    doc().setViewOptions(options);
    EXPECT_EQ(paint().pixelColor(rowTop), view().colors().background);
}

TEST_F(CatalogueViewTest, TheHeadingRowIsABandOfRaisedButtons)
{
    load(numberedAlbums(4));
    window().runCommand(CommandId::ViewSingleLine);
    DisplayColors colors = doc().colors();
    colors.buttonFace = 0x00C0C0; // olive-ish, unlike any other color on screen
    colors.buttonShadow = 0x404040;
    doc().setColors(colors);
    const QImage image = paint();
    const int lh = lineHeight();
    const int edge = doc().columnLayout(LayoutId::ByArtist).leftEdges[0];
    EXPECT_EQ(image.pixelColor(edge - 8, lh / 2 - 3), QColor(0xC0, 0xC0, 0)); // the face
    EXPECT_EQ(image.pixelColor(edge - 8, 0), QColor(0xC0, 0xC0, 0));          // outer top edge
    EXPECT_EQ(image.pixelColor(edge - 8, 1), QColor(Qt::white));              // inner top edge
    EXPECT_EQ(image.pixelColor(edge - 8, lh - 2), QColor(0x40, 0x40, 0x40));  // inner bottom edge
    EXPECT_EQ(image.pixelColor(edge - 1, lh / 2), QColor(Qt::black));         // outer right edge
    EXPECT_EQ(image.pixelColor(edge, lh / 2), QColor(0xC0, 0xC0, 0));         // next button's left edge
    // The band reaches the right end of the window.
    EXPECT_EQ(image.pixelColor(image.width() - 10, lh / 2 - 3), QColor(0xC0, 0xC0, 0));
}

TEST_F(CatalogueViewTest, TheButtonFramesLeaveTheHeadingTextsWhole)
{
    load(numberedAlbums(4));
    window().runCommand(CommandId::ViewSingleLine);
    DisplayColors colors = doc().colors();
    colors.menuText = 0x000080; // dark red (readable on the grey, so drawn as it is), where the band and the
                                // frames are grey
    colors.buttonFace = 0xC0C0C0;
    colors.buttonShadow = 0x404040;
    doc().setColors(colors);
    const QImage image = paint();
    const int lh = lineHeight();
    const int edge = doc().columnLayout(LayoutId::ByArtist).leftEdges[0];

    // The first heading as it looks drawn alone on the band.
    QImage alone(image.size(), QImage::Format_RGB32);
    alone.fill(view().colors().band);
    {
        QPainter p(&alone);
        p.setFont(view().screenFont());
        p.setPen(QColor(0x80, 0, 0));
        p.setClipRect(QRect(kFirstColumnX, 0, edge - 4 - kFirstColumnX, lh));
        p.drawText(kFirstColumnX, QFontMetrics(view().screenFont()).ascent(),
                   QStringLiteral(" Group/Artist"));
    }
    // Over a grey g, red 128 drawn at coverage c raises red above green by c * 128 whatever g is:
    // count the pixels the text covers by at least half, whichever grey lies below.
    const auto redPixels = [&](const QImage& img) {
        int count = 0;
        for (int y = 0; y < lh; ++y)
            for (int x = 0; x < edge; ++x) {
                const QColor c = img.pixelColor(x, y);
                count += c.red() - std::max(c.green(), c.blue()) >= 64;
            }
        return count;
    };
    ASSERT_GT(redPixels(alone), 0);
    EXPECT_EQ(redPixels(image), redPixels(alone));
}

// The pixels of one row of a column list, from the left end to x.
QImage rowImage(const QImage& image, int row, int lineHeight, int width)
{
    return image.copy(0, (row + 1) * lineHeight, width, lineHeight);
}

TEST_F(CatalogueViewTest, ALineBreakInAOneLineCellShowsAsABlank)
{
    load({album("Top\nBottom", "a"), album("Top Bottom", "b"), album("Top\r\nBottom", "c")});
    window().runCommand(CommandId::ViewSingleLine);
    doc().runOrder(SortOrder::ByAlbumName);
    ViewOptions options = switchesOff();
    options.set(ViewOption::GroupViewGrid, 0);
    doc().setViewOptions(options);
    const QImage image = paint();
    const int lh = lineHeight();
    const int edge = doc().columnLayout(LayoutId::ByAlbumName).leftEdges[0];
    // Column 2 holds the artists; compare their cells.
    const QImage spaced = rowImage(image, 1, lh, image.width()).copy(edge, 0, 150, lh);
    EXPECT_EQ(rowImage(image, 0, lh, image.width()).copy(edge, 0, 150, lh), spaced);
    EXPECT_EQ(rowImage(image, 2, lh, image.width()).copy(edge, 0, 150, lh), spaced);
}

TEST_F(CatalogueViewTest, AColumnIdOutsideOneToTenShowsFailed)
{
    load({album("Failed"), album("Other")});
    window().runCommand(CommandId::ViewSingleLine);
    ViewOptions options = switchesOff();
    options.set(ViewOption::GroupViewGrid, 0);
    doc().setViewOptions(options);
    const int lh = lineHeight();
    const QImage byArtist = paint();
    ColumnLayout corrupted = doc().columnLayout(LayoutId::ByArtist);
    corrupted.fieldColumns = {11, 2, 9, 0, 0, 0};
    doc().setColumnLayout(LayoutId::ByArtist, corrupted);
    doc().runOrder(SortOrder::ByArtist);
    const QImage corrupt = paint();
    // Row 0 shows the artist "Failed" in column 1; with a bad id every row shows "Failed" there.
    const QImage failed = rowImage(byArtist, 0, lh, 150);
    EXPECT_EQ(rowImage(corrupt, 0, lh, 150), failed);
    EXPECT_EQ(rowImage(corrupt, 1, lh, 150), failed);
    EXPECT_NE(rowImage(byArtist, 1, lh, 150), failed);
}

} // namespace
} // namespace discora

// ---- The Covers view -------------------------------------------------------------------------

namespace discora {
namespace {

std::string pngOf(QColor color)
{
    return fixture::pictureBytes(60, 60, color);
}

class CoversViewTest : public CatalogueViewTest
{
protected:
    CoversViewTest() { view().thumbnails().setCacheFolder(m_cache.path()); }

    // Ten albums; 1 and 7 with a red cover (kept in memory, the catalogue has no file yet), 4 with
    // a cover whose file is gone.
    void loadWithCovers()
    {
        const std::string red = pngOf(Qt::red);
        m_red = coverNameOf(red).value();
        std::vector<AlbumRecord> albums = numberedAlbums(10);
        albums[1].text(Field::Cover) = m_red;
        albums[7].text(Field::Cover) = m_red;
        albums[4].text(Field::Cover) = kGone;
        load(albums);
        ASSERT_EQ(doc().addCoverImage(red).value(), m_red);
        window().runCommand(CommandId::ViewCovers);
        QApplication::processEvents();
    }

    // Paints until every thumbnail asked for has come.
    QImage paintWithThumbnails()
    {
        paint();
        view().thumbnails().waitForDone();
        QApplication::processEvents();
        return paint();
    }

    QPoint centreOf(const TileRect& r) { return {r.x + r.width / 2, r.y + r.height / 2 - view().scrollY()}; }

    static constexpr const char* kGone = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.jpg";
    QTemporaryDir m_cache;
    std::string m_red;
};

TEST_F(CoversViewTest, TilesShowTheCoverOrAPlaceholderWhereTheGridSays)
{
    loadWithCovers();
    ASSERT_TRUE(view().showsCovers());
    EXPECT_TRUE(window().action(CommandId::ViewCovers)->isChecked());
    const CoverGrid& g = view().coverGrid();
    ASSERT_GT(g.columns, 1);
    const QImage shown = paintWithThumbnails();
    // The covered albums' pictures are red in the middle; the others are not, nor the gaps.
    EXPECT_EQ(QColor(shown.pixel(centreOf(g.picture(1)))), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(centreOf(g.picture(7)))), QColor(Qt::red));
    const QColor placeholder(shown.pixel(g.picture(2).x + 2, g.picture(2).y + 2 - view().scrollY()));
    EXPECT_NE(placeholder, QColor(Qt::red));
    EXPECT_NE(placeholder, view().colors().background);
    EXPECT_EQ(QColor(shown.pixel(g.tile(0).x + g.tileWidth + g.gap / 2, g.tile(0).y + 3)),
              view().colors().background);
    // A cover whose file is gone is told apart, and its thumbnail went to the disk cache otherwise.
    EXPECT_TRUE(view().thumbnails().unreadable(QString::fromStdString(kGone)));
    EXPECT_FALSE(QDir(m_cache.path()).entryList(QDir::Files).isEmpty());

    // A second set of thumbnails finds the picture on disk without its source.
    CoverThumbnails again;
    again.setCacheFolder(m_cache.path());
    again.request({{QString::fromStdString(m_red), QStringLiteral("/nonexistent/x.png"), {}}}, g.side);
    again.waitForDone();
    QApplication::processEvents();
    const QColor fromDisk(again.find(QString::fromStdString(m_red), g.side).pixel(5, 5));
    EXPECT_GT(fromDisk.red(), 230);
    EXPECT_LT(fromDisk.green(), 30);
}

TEST_F(CoversViewTest, TheMouseAndTheKeysWorkOnTiles)
{
    loadWithCovers();
    const CoverGrid& g = view().coverGrid();
    const int columns = g.columns;
    ASSERT_GE(columns, 3);
    // A click selects the tile under it; a click in a gap selects nothing new.
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(g.tile(2)));
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{2}));
    EXPECT_EQ(view().currentEntry(), 2);
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(g.tile(0).x + g.tileWidth + g.gap / 2, g.tile(0).y + 5 - view().scrollY()));
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{2}));
    // The arrows walk the grid; Space selects, Enter asks to modify.
    QTest::keyClick(&view(), Qt::Key_Right);
    EXPECT_EQ(view().currentEntry(), 3);
    QTest::keyClick(&view(), Qt::Key_Down);
    EXPECT_EQ(view().currentEntry(), std::min(9, 3 + columns));
    QTest::keyClick(&view(), Qt::Key_End);
    EXPECT_EQ(view().currentEntry(), 9);
    QTest::keyClick(&view(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(selectedPositions(view().selection()), (std::vector<int>{2, 9}));
    // A double click modifies the album under it, alone selected.
    QString artistShown;
    std::vector<int> selectedWhileOpen;
    QTimer::singleShot(0, [&] {
        selectedWhileOpen = selectedPositions(view().selection());
        if (auto* sheet = qobject_cast<AlbumSheet*>(QApplication::activeModalWidget())) {
            artistShown = sheet->comboBox(Field::Artist)->currentText();
            sheet->reject();
        }
    });
    QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(g.tile(5)));
    EXPECT_EQ(artistShown, "Artist 0005");
    EXPECT_EQ(selectedWhileOpen, (std::vector<int>{5}));
    // The tile the keyboard is on is framed.
    EXPECT_EQ(view().entryRect(5),
              QRect(g.tile(5).x, g.tile(5).y - view().scrollY(), g.tileWidth, g.tileHeight));

    // Ctrl+plus and Ctrl+minus size the covers, within the steps there are.
    const int side = g.side;
    QTest::keyClick(&view(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(view().coverGrid().side, side);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&view(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view().coverZoom(), 0);
    QTest::keyClick(&view(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view().coverZoom(), kDefaultCoverZoom);
}

TEST_F(CoversViewTest, TheDerivedListsKeepTheirLayoutsAndTheAlbumOrdersComeBackAsCovers)
{
    load(numberedAlbums(10));
    window().runCommand(CommandId::SortBySong);
    window().runCommand(CommandId::ViewCovers);
    // Choosing Covers over a song list goes back to the albums.
    EXPECT_TRUE(isAlbumOrder(doc().currentOrder()));
    EXPECT_TRUE(view().showsCovers());
    window().runCommand(CommandId::SortByProducer);
    EXPECT_FALSE(view().showsCovers());
    EXPECT_EQ(view().layoutKind(), LayoutKind::ProducerList);
    window().runCommand(CommandId::SortByAlbumName);
    EXPECT_TRUE(view().showsCovers());
    window().runCommand(CommandId::ViewNormal);
    EXPECT_FALSE(view().showsCovers());
    EXPECT_FALSE(window().action(CommandId::ViewCovers)->isChecked());
}

TEST_F(CoversViewTest, ATileIsReadAsTheAlbumItShows)
{
    QAccessible::setActive(true);
    loadWithCovers();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->childCount(), 10);
    QAccessibleInterface* tile = table->child(3);
    ASSERT_NE(tile, nullptr);
    EXPECT_TRUE(tile->text(QAccessible::Name).contains(QStringLiteral("Artist 0003")));
    const TileRect r = view().coverGrid().tile(3);
    EXPECT_EQ(tile->rect(),
              QRect(viewport()->mapToGlobal(QPoint(r.x, r.y - view().scrollY())), QSize(r.width, r.height)));
    QAccessible::setActive(false);
}

} // namespace
} // namespace discora
