// The CD player window as the user meets it: Play in the view opens it on the selected songs or
// the chosen album, its buttons and track list drive a scripted drive, the drive's notices come
// back queued, and closing it lets the drive go and enables Play again.
#include "core/cdplayer/cdplayer.h"
#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/libcdiodevice.h"
#include "core/cdplayer/nullpcmoutput.h"
#include "core/fileformat/cataloguereader.h"
#include "support/discimage.h"
#include "support/fakecddrive.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/app/viewhandlers.h"
#include "ui/cdplayer/bitmapbutton.h"
#include "ui/cdplayer/cdplayerdialog.h"
#include "ui/entry/albumsheet.h"
#include "ui/view/catalogueview.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include <sys/stat.h>

namespace discora {
namespace {

using Actions = std::vector<std::string>;
using Button = CdPlayerDialog::Button;

AlbumRecord album(const char* artist, const char* name,
                  std::vector<std::pair<const char*, const char*>> songs)
{
    AlbumRecord a;
    a.artist = artist;
    a.albumName = name;
    a.musicType = "Folk";
    a.number = "3";
    for (std::size_t i = 0; i < songs.size(); ++i) {
        a.songs[i].trackNumber = songs[i].first;
        a.songs[i].title = songs[i].second;
    }
    return a;
}

class CdPlayerWindowTest : public ::testing::Test
{
protected:
    CdPlayerWindowTest()
        : m_app(m_store, &m_prompter,
                [this](const std::string& drive, CdDeviceUse use, CdNoticeSink notices) {
                    m_madeFor.push_back(drive);
                    if (use == CdDeviceUse::Playback)
                        m_notices = std::move(notices);
                    return m_drive.makeDevice();
                })
    {
        m_app.start();
        window().resize(900, 700);
        QApplication::processEvents();
        LoadedCatalogue loaded;
        loaded.albums.appendAlbum(
            album("Ash Grove", "Rivers",
                  {{"01", "Spring"}, {"02", "Brook"}, {"03", ""}, {"04", "Delta"}, {"05", "Estuary"}}));
        loaded.albums.appendAlbum(album("Birch Lane", "Roads", {{"01", "Avenue"}, {"02", "Bypass"}}));
        loaded.layouts = doc().columnLayouts();
        doc().adoptLoaded(std::move(loaded));
        QApplication::processEvents();
    }

    MainWindow& window() { return m_app.mainWindow(); }
    CatalogueDocument& doc() { return m_app.document(); }
    CatalogueView& view() { return *window().view(); }
    CdPlayerDialog* player() { return qobject_cast<CdPlayerDialog*>(window().viewHandlers().playerWindow()); }
    bool playEnabled() { return window().action(CommandId::Play)->isEnabled(); }

    void click(int position, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const int lh = view().metrics().lineHeight;
        const int lines = view().linesPerRecord();
        const int top = lines == 1 ? (position + 1) * lh : position * lines * lh + lh;
        QTest::mouseClick(view().viewport(), Qt::LeftButton, modifiers,
                          QPoint(40, top + lh / 2 - view().scrollY()));
    }
    int songPosition(const char* title)
    {
        const auto& songs = doc().derivedLists().songs;
        for (std::size_t p = 0; p < songs.size(); ++p)
            if (!songs[p].isHeader() &&
                doc().text(titleField(songs[p].slot), static_cast<int>(songs[p].album)) == title)
                return static_cast<int>(p);
        ADD_FAILURE() << "no song " << title;
        return 0;
    }
    void press(Button which)
    {
        QTest::mouseClick(player()->button(which), Qt::LeftButton);
        deliver();
    }
    // The drive's notices travel the way the playback thread sends them: through the bridge,
    // queued to the window.
    void deliver()
    {
        for (int round = 0; round < 10 && !m_drive.notices.empty(); ++round) {
            while (!m_drive.notices.empty()) {
                const PlayId id = m_drive.notices.front();
                m_drive.notices.pop_front();
                m_notices(id);
            }
            QApplication::processEvents();
        }
        QApplication::processEvents();
    }
    Actions endTrack()
    {
        m_drive.finishPlay();
        deliver();
        return m_drive.takeActions();
    }
    QStringList listed()
    {
        QStringList rows;
        for (int r = 0; r < player()->trackList()->count(); ++r)
            rows << player()->trackList()->item(r)->text();
        return rows;
    }

    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    FakeCdDrive m_drive;
    CdNoticeSink m_notices;
    std::vector<std::string> m_madeFor;
    Application m_app;
};

TEST_F(CdPlayerWindowTest, PlayOpensThePlayerOnTheSelectedSongsAndClosingItEnablesPlayAgain)
{
    m_drive.insert(FakeCdDrive::discOf(5));
    doc().runOrder(SortOrder::BySong);
    QApplication::processEvents();
    click(songPosition("Delta"));
    click(songPosition("Brook"), Qt::ControlModifier);
    ASSERT_TRUE(playEnabled());
    window().runCommand(CommandId::Play);

    ASSERT_NE(player(), nullptr);
    EXPECT_TRUE(player()->isVisible());
    EXPECT_EQ(player()->windowTitle(), "Discora CD Player - Rivers") << "the album playing";
    EXPECT_FALSE(playEnabled());
    EXPECT_EQ(player()->albumLabel(0)->text(), "Ash Grove");
    EXPECT_EQ(player()->albumLabel(1)->text(), "Rivers");
    EXPECT_EQ(player()->albumLabel(2)->text(), "Folk");
    EXPECT_EQ(player()->albumLabel(3)->text(), "3");
    EXPECT_EQ(listed(), (QStringList{" 4 - Delta", " 2 - Brook"}));
    EXPECT_EQ(player()->playingTrackLabel()->text(), "4");
    EXPECT_EQ(m_drive.takeActions(), Actions{"play 4-5"});

    EXPECT_EQ(endTrack(), Actions{"play 2-3"});
    EXPECT_EQ(player()->playingTrackLabel()->text(), "2");
    press(Button::Stop);
    EXPECT_EQ(m_drive.takeActions(), Actions{"stop"});

    player()->close();
    QApplication::processEvents();
    EXPECT_EQ(player(), nullptr);
    EXPECT_TRUE(playEnabled());
    EXPECT_TRUE(m_prompter.errors.empty());
}

// The title the window system shows: Qt appends the application's display name, when one is set,
// to a title that does not already end with it.
QString titleAsShown(const QWidget& shown)
{
    const QString title = shown.windowTitle();
    const QString name = QGuiApplication::applicationDisplayName();
    if (name == QCoreApplication::applicationName() || title.endsWith(name))
        return title;
    return title + QStringLiteral(" \u2014 ") + name;
}

TEST_F(CdPlayerWindowTest, ThePlayerAndTheEntrySheetAreTitledWithTheirOwnTextsOnly)
{
    setApplicationIdentity();
    m_drive.insert(FakeCdDrive::discOf(3));
    window().runCommand(CommandId::Play);
    ASSERT_NE(player(), nullptr);
    EXPECT_EQ(titleAsShown(*player()), "Discora CD Player");
    EXPECT_EQ(titleAsShown(m_app.albumSheet()), "Enter/Edit Albums");
}

TEST_F(CdPlayerWindowTest, EveryControlOfThePlayerIsHeardByNameAndContinuousPlayAsAToggle)
{
    m_drive.insert(FakeCdDrive::discOf(3));
    window().runCommand(CommandId::Play);
    ASSERT_NE(player(), nullptr);
    QStringList names;
    for (QWidget* control : player()->findChildren<QWidget*>()) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << control->metaObject()->className();
        names << name;
    }
    for (const char* button : {"Play", "Pause", "Stop", "Previous", "Next", "Continuous Play"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(button))) << button;
    QAccessibleInterface* continuous = nullptr;
    for (QPushButton* button : player()->findChildren<QPushButton*>())
        if (button->text() == "Continuous Play")
            continuous = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(continuous, nullptr);
    EXPECT_TRUE(continuous->state().checkable);
}

TEST_F(CdPlayerWindowTest, ThePlayerShowsItsStateTheTrackTimeAndPosition)
{
    // The player's clock is one the test moves by hand: no real time passes.
    PlayerTime now{};
    m_app.cdPlayer().setClock([&now] { return now; });
    m_drive.insert(FakeCdDrive::discOf(3, {4, 5}));
    window().runCommand(CommandId::Play);
    ASSERT_NE(player(), nullptr);
    m_drive.takeActions();

    struct Step
    {
        const char* name;
        std::function<void()> act;
        const char* state;
        const char* spoken;
        const char* time;
        int position;
    };
    const Step steps[] = {
        {"started", [] {}, "Playing", "Playing track 1", "0:00 / 4:05", 0},
        {"83 seconds on", [&] { now += std::chrono::seconds(83); }, "Playing", "Playing track 1",
         "1:23 / 4:05", 83},
        {"paused", [&] { press(Button::Pause); }, "Paused", "Paused at track 1", "1:23 / 4:05", 83},
        {"time passing while paused", [&] { now += std::chrono::seconds(30); }, "Paused", "Paused at track 1",
         "1:23 / 4:05", 83},
        {"resumed and on",
         [&] {
             press(Button::Pause);
             now += std::chrono::seconds(10);
         },
         "Playing", "Playing track 1", "1:33 / 4:05", 93},
        {"stopped", [&] { press(Button::Stop); }, "Stopped", "Stopped", "0:00 / 4:05", 0},
    };
    for (const Step& step : steps) {
        step.act();
        player()->updatePlayback();
        EXPECT_EQ(player()->stateLabel()->text(), step.state) << step.name;
        EXPECT_EQ(player()->stateLabel()->accessibleName(), step.spoken) << step.name;
        EXPECT_EQ(player()->timeLabel()->text(), step.time) << step.name;
        EXPECT_EQ(player()->positionBar()->maximum(), 245) << step.name;
        EXPECT_EQ(player()->positionBar()->value(), step.position) << step.name;
    }
    EXPECT_EQ(player()->playingTrackLabel()->text(), "1");
}

TEST_F(CdPlayerWindowTest, TheButtonsPlayPauseSkipAndTheirPicturesGoDownWhilePressed)
{
    m_drive.insert(FakeCdDrive::discOf(3));
    doc().runOrder(SortOrder::ByAlbumName);
    QApplication::processEvents();
    click(1); // "Roads"
    window().runCommand(CommandId::Play);
    ASSERT_NE(player(), nullptr);
    EXPECT_EQ(player()->albumLabel(1)->text(), "Roads");
    EXPECT_EQ(listed(), (QStringList{" 1 - Avenue", " 2 - Bypass"}));
    EXPECT_EQ(m_drive.takeActions(), Actions{"play 1-2"});
    EXPECT_EQ(player()->stateLabel()->accessibleName(), "Playing track 1");

    BitmapButton* next = player()->button(Button::Next);
    EXPECT_EQ(next->shownImage(), ":/cdplayer/next-up.svg");
    QTest::mousePress(next, Qt::LeftButton);
    EXPECT_EQ(next->shownImage(), ":/cdplayer/next-down.svg");
    QTest::mouseRelease(next, Qt::LeftButton);
    deliver();
    EXPECT_EQ(next->shownImage(), ":/cdplayer/next-up.svg");
    EXPECT_EQ(m_drive.takeActions(), (Actions{"stop", "play 2-3"}));

    press(Button::Pause);
    press(Button::Pause);
    EXPECT_EQ(m_drive.takeActions(), (Actions{"pause", "resume 3"}));
    EXPECT_EQ(player()->stateLabel()->accessibleName(), "Playing track 2");
    press(Button::Previous);
    EXPECT_EQ(m_drive.takeActions(), (Actions{"stop", "play 1-2"}));

    press(Button::Stop);
    press(Button::Play);
    EXPECT_EQ(m_drive.takeActions(), (Actions{"stop", "play 1-2"}));

    EXPECT_TRUE(player()->continuousButton()->isChecked());
    QTest::mouseClick(player()->continuousButton(), Qt::LeftButton);
    EXPECT_FALSE(m_app.cdPlayer().continuous());
}

TEST_F(CdPlayerWindowTest, PickingAnEntryOfTheTrackListPlaysTheTrackItNames)
{
    m_drive.insert(FakeCdDrive::discOf(5));
    click(0); // "Rivers", whose song 3 has no title
    window().runCommand(CommandId::Play);
    ASSERT_NE(player(), nullptr);
    EXPECT_EQ(listed(), (QStringList{" 1 - Spring", " 2 - Brook", " 4 - Delta", " 5 - Estuary"}));
    m_drive.takeActions();
    player()->trackList()->setCurrentRow(2);
    deliver();
    EXPECT_EQ(m_drive.takeActions(), (Actions{"stop", "play 4-5"}));
    EXPECT_EQ(player()->playingTrackLabel()->text(), "4");
}

TEST_F(CdPlayerWindowTest, TabbingIntoTheTrackListPicksNothingButArrowsAndEnterDo)
{
    m_drive.insert(FakeCdDrive::discOf(5));
    doc().runOrder(SortOrder::BySong);
    QApplication::processEvents();
    click(songPosition("Delta"));
    click(songPosition("Brook"), Qt::ControlModifier);
    window().runCommand(CommandId::Play);
    ASSERT_NE(player(), nullptr);
    EXPECT_EQ(m_drive.takeActions(), Actions{"play 4-5"});
    EXPECT_EQ(endTrack(), Actions{"play 2-3"});
    ASSERT_EQ(player()->playingTrackLabel()->text(), "2");

    player()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(player()));
    player()->continuousButton()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(player()->continuousButton(), Qt::Key_Tab);
    deliver();
    ASSERT_TRUE(player()->trackList()->hasFocus());
    EXPECT_EQ(m_drive.takeActions(), Actions{});
    EXPECT_EQ(player()->playingTrackLabel()->text(), "2");

    QListWidget* list = player()->trackList();
    QTest::keyClick(list, Qt::Key_Down);
    deliver();
    EXPECT_EQ(m_drive.takeActions(), (Actions{"stop", "play 2-3"}));
    QTest::keyClick(list, Qt::Key_Up);
    deliver();
    EXPECT_EQ(m_drive.takeActions(), (Actions{"stop", "play 4-5"}));
    QTest::keyClick(list, Qt::Key_Return);
    deliver();
    EXPECT_EQ(m_drive.takeActions(), (Actions{"stop", "play 4-5"}));
    EXPECT_EQ(player()->playingTrackLabel()->text(), "4");
}

TEST_F(CdPlayerWindowTest, WithoutADiscThePlayerSaysSoAndCloses)
{
    window().runCommand(CommandId::Play);
    EXPECT_EQ(m_prompter.errors, std::vector<std::string>{kNoAudioTracks});
    QApplication::processEvents();
    EXPECT_EQ(player(), nullptr);
    EXPECT_TRUE(playEnabled());
}

TEST_F(CdPlayerWindowTest, WithoutADiscChooseDriveKeepsThePlayerOpenAtItsDriveField)
{
    m_prompter.chooseDriveAnswers = {true};
    window().runCommand(CommandId::Play);
    EXPECT_EQ(m_prompter.errors, std::vector<std::string>{kNoAudioTracks});
    QApplication::processEvents();
    ASSERT_NE(player(), nullptr) << "the player closed, taking its drive field with it";
    EXPECT_TRUE(player()->isVisible());
    EXPECT_EQ(player()->focusWidget(), player()->driveEdit());
}

TEST_F(CdPlayerWindowTest, ClosingWhileATrackPlaysStopsTheDiscAndTheLateNoticeFindsNothing)
{
    m_drive.insert(FakeCdDrive::discOf(3));
    window().runCommand(CommandId::Play);
    m_drive.takeCalls();
    player()->close();
    QApplication::processEvents();
    EXPECT_EQ(player(), nullptr);
    EXPECT_EQ(m_drive.takeCalls(), (Actions{"stop", "close"}));
    deliver(); // the stopped play's notice, after the window has gone
    EXPECT_EQ(m_drive.takeCalls(), Actions{});
}

TEST_F(CdPlayerWindowTest, TheCdDriveNamedInThePlayerIsStoredAndUsedFromThenOn)
{
    m_drive.insert(FakeCdDrive::discOf(3));
    window().runCommand(CommandId::Play);
    QLineEdit* edit = player()->driveEdit();
    EXPECT_EQ(edit->text(), "");
    testimage::TempDir dir;
    const std::string live = testimage::write(dir.path(), "live", {{testimage::seconds(0, 4)}});
    edit->setText(QString::fromStdString(live));
    emit edit->editingFinished();
    EXPECT_EQ(m_store.readString(kUserData, "CD drive"), live);
    EXPECT_EQ(m_app.cdDrive(), live);
    press(Button::Play);
    EXPECT_EQ(m_madeFor.back(), live);

    // What is neither a drive nor a file is refused at once and the field goes back.
    const std::string pipe = (dir.path() / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    edit->setText(QString::fromStdString(pipe));
    emit edit->editingFinished();
    EXPECT_EQ(m_prompter.errors,
              std::vector<std::string>{pipe + " is neither a CD drive nor a disc image file."});
    EXPECT_EQ(edit->text().toStdString(), live);
    EXPECT_EQ(m_store.readString(kUserData, "CD drive"), live);
    EXPECT_EQ(m_app.cdDrive(), live);
}

TEST_F(CdPlayerWindowTest, EnterOffersThePlayingDiscsTimesWhenAutoLoadIsOn)
{
    m_drive.insert({{3, 5}, {0, 59}});
    ViewOptions options = doc().viewOptions();
    options.set(ViewOption::AutoLoad, 1);
    doc().setViewOptions(options);
    window().runCommand(CommandId::Play);
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<AlbumSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        shown << sheet->lineEdit(timeField(1))->text() << sheet->lineEdit(timeField(2))->text()
              << sheet->lineEdit(timeField(3))->text();
        sheet->reject();
    });
    window().runCommand(CommandId::Enter);
    EXPECT_EQ(shown, (QStringList{"03:05", "00:59", ""}));
}

// A new user with a disc image named as the drive: enters an album whose times and titles come
// from the disc, then plays it through the real device, its playback thread and the queued notices.
TEST(CdPlayerWithAnImage, AnAlbumEnteredFromTheDiscPlaysTrackAfterTrack)
{
    testimage::TempDir dir;
    testimage::Disc disc;
    for (int k = 1; k <= 3; ++k) {
        testimage::Track t;
        t.sectors = k < 3 ? 75 : 300; // a CD's last track lasts four seconds at least
        t.toneHz = 220 * k;
        t.title = "Part " + std::to_string(k);
        disc.tracks.push_back(t);
    }
    disc.title = "Suite";
    disc.performer = "Quartet";
    const std::string cue = testimage::write(dir.path(), "suite", disc);

    MemorySettingsStore store;
    FakePrompter prompter;
    std::vector<NullPcmOutput*> outputs;
    Application app(store, &prompter, [&](const std::string& drive, CdDeviceUse use, CdNoticeSink notices) {
        if (use == CdDeviceUse::Reading)
            return std::unique_ptr<CdDevice>(std::make_unique<LibcdioDevice>(drive));
        auto output = std::make_unique<NullPcmOutput>();
        outputs.push_back(output.get());
        return std::unique_ptr<CdDevice>(
            std::make_unique<LibcdioDevice>(drive, std::move(output), std::move(notices)));
    });
    WindowStart cl;
    cl.cdDevice = cue;
    app.start(cl);
    MainWindow& window = app.mainWindow();

    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<AlbumSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        sheet->tabs()->setCurrentIndex(1);
        QTest::mouseClick(sheet->loadTimesButton(), Qt::LeftButton);
        QTest::mouseClick(sheet->okButton(), Qt::LeftButton);
    });
    window.runCommand(CommandId::Enter);
    ASSERT_EQ(app.document().albumCount(), 1);
    const AlbumRecord entered = app.document().album(0);
    EXPECT_EQ(entered.artist, "Quartet");
    EXPECT_EQ(entered.albumName, "Suite");
    EXPECT_EQ(entered.songs[0].title, "Part 1");
    EXPECT_EQ(entered.songs[2].time, "00:04");
    EXPECT_EQ(entered.songs[3].time, "");
    EXPECT_TRUE(prompter.errors.empty());

    QApplication::processEvents();
    CatalogueView& view = *window.view();
    // The album just entered is selected already, so Play shows it.
    EXPECT_EQ(view.selection().positions(), std::vector<int>{0});
    window.runCommand(CommandId::Play);
    auto* player = qobject_cast<CdPlayerDialog*>(window.viewHandlers().playerWindow());
    ASSERT_NE(player, nullptr);
    QTest::mouseClick(player->continuousButton(), Qt::LeftButton); // stop after the last track
    // The disc plays at its own pace; the end of each track comes back as a queued
    // notice, which wakes the wait. (A player that never stops ends in CTest's time limit.)
    while (!app.cdPlayer().stopped())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_TRUE(app.cdPlayer().stopped());
    EXPECT_EQ(player->playingTrackLabel()->text(), "3");
    EXPECT_EQ(player->albumLabel(1)->text(), "Suite");
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0]->bytesWritten(), (75u + 75u + 300u) * 2352u);
    EXPECT_TRUE(prompter.errors.empty());
    player->close();
    QApplication::processEvents();
    EXPECT_EQ(window.viewHandlers().playerWindow(), nullptr);
}

} // namespace
} // namespace discora
