// The player's engine over a scripted drive: which track each button and each end of a track
// starts, what the window shows, and when the player gives up.
#include "core/cdplayer/cdplayer.h"
#include "core/cdplayer/cdplayerobserver.h"
#include "core/cdplayer/cdplayertext.h"
#include "support/fakecddrive.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using Actions = std::vector<std::string>;

std::vector<std::string> albumTitles(std::initializer_list<const char*> first)
{
    std::vector<std::string> titles(kSongSlots);
    std::size_t i = 0;
    for (const char* t : first)
        titles[i++] = t;
    return titles;
}

PlayRequest albumRequest(std::vector<std::string> titles)
{
    PlayRequest r;
    r.wholeDisc = true;
    r.albumTexts = {"The Band", "First Light", "Rock", "7"};
    r.trackTitles = std::move(titles);
    return r;
}

PlayRequest songsRequest(std::vector<int> tracks)
{
    PlayRequest r;
    r.wholeDisc = false;
    r.playList = tracks;
    for (int t : tracks)
        r.trackTitles.push_back("Song " + std::to_string(t));
    r.albumTexts = {"The Band", "First Light", "Rock", "7"};
    return r;
}

class CdPlayerTest : public ::testing::Test, public CdPlayerObserver
{
protected:
    CdPlayerTest() { player.setObserver(this); }

    void showMessage(const std::string& message) override { messages.push_back(message); }
    void closeRequested() override { ++closeRequests; }

    // The window's event loop: every notice waiting, and those the deliveries bring.
    void deliver()
    {
        while (!drive.notices.empty()) {
            const PlayId id = drive.notices.front();
            drive.notices.pop_front();
            player.completionNotice(id);
        }
    }
    void start(int tracks, const PlayRequest& request = {})
    {
        drive.insert(FakeCdDrive::discOf(tracks));
        player.load(request);
        player.start();
    }
    // The playing track reaches its end.
    Actions endTrack()
    {
        drive.finishPlay();
        deliver();
        return drive.takeActions();
    }
    Actions press(void (CdPlayer::*button)())
    {
        (player.*button)();
        deliver();
        return drive.takeActions();
    }

    FakeCdDrive drive;
    CdPlayer player{[this] { return drive.makeDevice(); }};
    std::vector<std::string> messages;
    int closeRequests = 0;
};

TEST_F(CdPlayerTest, TheWholeDiscPlaysTrackAfterTrackEachToTheNextOneStartAndWrapsAround)
{
    start(3);
    EXPECT_EQ(drive.takeActions(), Actions{"play 1-2"});
    EXPECT_EQ(player.playingTrack(), "1");
    EXPECT_EQ(endTrack(), Actions{"play 2-3"});
    EXPECT_EQ(endTrack(), Actions{"play 3-end"}); // the last track plays to the end of the disc
    EXPECT_EQ(endTrack(), Actions{"play 1-2"});
    EXPECT_EQ(player.playingTrack(), "1");
    EXPECT_TRUE(messages.empty());
    // Every track opens the device and its end closes it again.
    EXPECT_EQ(drive.state, CdMode::Playing);
}

TEST_F(CdPlayerTest, WithoutContinuousPlayTheDiscStopsAfterItsLastTrackButNextStillWraps)
{
    player.setContinuous(false);
    start(3);
    endTrack();
    endTrack();
    EXPECT_EQ(drive.takeActions(), Actions{});
    EXPECT_EQ(endTrack(), Actions{});
    EXPECT_TRUE(player.stopped());
    EXPECT_EQ(drive.state, CdMode::Idle);

    EXPECT_EQ(press(&CdPlayer::play), Actions{"play 1-2"});
    endTrack();
    endTrack();
    EXPECT_EQ(press(&CdPlayer::next), (Actions{"stop", "play 1-2"}));

    // Stopped on the last track, Next still goes round to the first.
    endTrack();
    endTrack();
    EXPECT_EQ(press(&CdPlayer::stop), Actions{"stop"});
    EXPECT_EQ(press(&CdPlayer::next), Actions{"play 1-2"});
}

TEST_F(CdPlayerTest, PreviousGoesBackOneTrackAndFromTheFirstToTheLast)
{
    start(3);
    drive.takeActions();
    EXPECT_EQ(press(&CdPlayer::previous), (Actions{"stop", "play 3-end"}));
    EXPECT_EQ(press(&CdPlayer::previous), (Actions{"stop", "play 2-3"}));
    EXPECT_EQ(press(&CdPlayer::next), (Actions{"stop", "play 3-end"}));
    EXPECT_EQ(press(&CdPlayer::stop), Actions{"stop"});
    EXPECT_EQ(press(&CdPlayer::previous), Actions{"play 2-3"});
}

TEST_F(CdPlayerTest, PauseTwiceResumesToTheEndOfTheCurrentTrack)
{
    start(3);
    endTrack();
    EXPECT_EQ(press(&CdPlayer::pause), Actions{"pause"});
    EXPECT_TRUE(player.paused());
    EXPECT_EQ(press(&CdPlayer::pause), Actions{"resume 3"});
    EXPECT_FALSE(player.paused());
    EXPECT_EQ(endTrack(), Actions{"play 3-end"});
    press(&CdPlayer::pause);
    EXPECT_EQ(press(&CdPlayer::play), Actions{"resume end"}); // Play resumes too
    EXPECT_EQ(endTrack(), Actions{"play 1-2"});
}

TEST_F(CdPlayerTest, StopWhilePausedStopsAndPlayStartsTheTrackAgain)
{
    start(3);
    endTrack();
    press(&CdPlayer::pause);
    EXPECT_EQ(press(&CdPlayer::stop), Actions{"stop"});
    EXPECT_TRUE(player.stopped());
    EXPECT_FALSE(player.paused());
    EXPECT_EQ(press(&CdPlayer::pause), Actions{}); // nothing to pause once stopped
    EXPECT_EQ(press(&CdPlayer::play), Actions{"play 2-3"});
}

TEST_F(CdPlayerTest, AFailedResumeStartsTheTrackAgain)
{
    start(3);
    endTrack();
    press(&CdPlayer::pause);
    drive.resumeFails = true;
    EXPECT_EQ(press(&CdPlayer::pause), (Actions{"resume 3", "play 2-3"}));
    EXPECT_EQ(endTrack(), Actions{"play 3-end"});
}

TEST_F(CdPlayerTest, SelectedSongsPlayInTheOrderTheyWereSelected)
{
    start(10, songsRequest({5, 2, 7}));
    EXPECT_FALSE(player.wholeDisc());
    EXPECT_EQ(drive.takeActions(), Actions{"play 5-6"});
    EXPECT_EQ(endTrack(), Actions{"play 2-3"});
    EXPECT_EQ(endTrack(), Actions{"play 7-8"});
    EXPECT_EQ(endTrack(), Actions{"play 5-6"});
    EXPECT_EQ(press(&CdPlayer::previous), (Actions{"stop", "play 7-8"}));
    const std::vector<TrackListEntry> list = {{" 5 - Song 5", 0}, {" 2 - Song 2", 1}, {" 7 - Song 7", 2}};
    EXPECT_EQ(player.trackList(), list);
}

TEST_F(CdPlayerTest, AnUnplayableTrackNumberClosesThePlayer)
{
    struct Row
    {
        const char* name;
        int track;
    };
    for (const Row row : {Row{"beyond a 10-track disc", 12}, Row{"track 0 of the six-line song list", 0},
                          Row{"a negative number", -3}}) {
        FakeCdDrive fresh;
        CdPlayer p([&] { return fresh.makeDevice(); });
        p.setObserver(this);
        messages.clear();
        closeRequests = 0;
        fresh.insert(FakeCdDrive::discOf(10));
        p.load(songsRequest({row.track}));
        p.start();
        EXPECT_EQ(messages, std::vector<std::string>{kIncorrectTrackNumber}) << row.name;
        EXPECT_EQ(closeRequests, 1) << row.name;
        EXPECT_EQ(fresh.takeActions(), Actions{}) << row.name;
    }
}

TEST_F(CdPlayerTest, StartingWithoutAPlayableDiscSaysWhyAndClosesThePlayer)
{
    struct Row
    {
        const char* name;
        int tracks;
        bool dataFirst;
        bool canOpen;
        const char* message;
        bool damaged = false;
        const char* driveProblem = "";
    };
    for (const Row row :
         {Row{"no disc", 0, false, true, kNoAudioTracks},
          Row{"a data first track", 4, true, true, kNoAudioTrackOne},
          Row{"no drive", 4, false, false, kNoAudioTracks},
          Row{"a disc ending before its last track", 4, false, true, kDamagedDisc, true},
          Row{"a missing image file", 4, false, false, "The disc image file /m/a.cue cannot be found.", false,
              "The disc image file /m/a.cue cannot be found."}}) {
        FakeCdDrive fresh;
        fresh.insert(FakeCdDrive::discOf(row.tracks));
        fresh.firstTrackData = row.dataFirst;
        fresh.canOpen = row.canOpen;
        fresh.damaged = row.damaged;
        fresh.driveProblem = row.driveProblem;
        CdPlayer p([&] { return fresh.makeDevice(); });
        p.setObserver(this);
        messages.clear();
        closeRequests = 0;
        p.load(albumRequest(albumTitles({"One"})));
        p.start();
        EXPECT_EQ(messages, std::vector<std::string>{row.message}) << row.name;
        EXPECT_EQ(closeRequests, 1) << row.name;
        EXPECT_EQ(fresh.takeActions(), Actions{}) << row.name;
    }
}

TEST_F(CdPlayerTest, AnotherDiscFoundAtPlayMeansTheWholeNewDiscFromTrackOne)
{
    start(10, songsRequest({5, 2}));
    EXPECT_EQ(press(&CdPlayer::stop), (Actions{"play 5-6", "stop"}));
    drive.insert(FakeCdDrive::discOf(4, {2, 30}));
    EXPECT_EQ(press(&CdPlayer::play), Actions{"play 1-2"});
    EXPECT_TRUE(player.wholeDisc());
    EXPECT_EQ(player.albumTexts(), PlayerAlbumTexts{});
    // No album names the new disc's tracks: the list shows the disc's own, each one to pick.
    ASSERT_EQ(player.trackList().size(), 4u);
    EXPECT_EQ(player.trackList()[3], (TrackListEntry{"Track 4  02:30", 3}));
    EXPECT_EQ(player.trackList()[0].text.rfind("Track 1  ", 0), 0u) << player.trackList()[0].text;
    EXPECT_EQ(endTrack(), Actions{"play 2-3"});
    std::array<std::string, kSongSlots> times;
    player.fillPlayerTimes(times);
    EXPECT_EQ(times[3], "02:30");
    EXPECT_EQ(times[4], "");
}

TEST_F(CdPlayerTest, ADiscOfThirtyTracksPlaysEveryTrackWithoutATrackList)
{
    std::vector<std::string> titles(kSongSlots, "Song");
    start(30, albumRequest(titles));
    EXPECT_TRUE(player.trackList().empty());
    EXPECT_EQ(drive.takeActions(), Actions{"play 1-2"});
    // Each track start compares the disc again; only its first 26 times are kept, and they match.
    for (int track = 2; track < 30; ++track)
        ASSERT_EQ(endTrack(), Actions{"play " + std::to_string(track) + "-" + std::to_string(track + 1)});
    EXPECT_EQ(endTrack(), Actions{"play 30-end"});
    EXPECT_EQ(player.discTimes().size(), 26u);
}

TEST_F(CdPlayerTest, AnAlbumWithoutATitleForSongThreeListsTheOthersAndAPickPlaysTheTrackItNames)
{
    start(5, albumRequest(albumTitles({"One", "Two", "", "Four", "Five"})));
    const std::vector<TrackListEntry> list = {
        {" 1 - One", 0}, {" 2 - Two", 1}, {" 4 - Four", 3}, {" 5 - Five", 4}};
    EXPECT_EQ(player.trackList(), list);
    drive.takeActions();
    player.pick(2);
    deliver();
    EXPECT_EQ(drive.takeActions(), (Actions{"stop", "play 4-5"}));
    EXPECT_EQ(player.playingTrack(), "4");
    EXPECT_EQ(endTrack(), Actions{"play 5-end"});
}

TEST_F(CdPlayerTest, PickingWhileStoppedOrPausedPlaysThePickedTrack)
{
    start(5, albumRequest(albumTitles({"One", "Two", "Three", "Four", "Five"})));
    press(&CdPlayer::stop);
    drive.takeActions();
    player.pick(3);
    deliver();
    EXPECT_EQ(drive.takeActions(), Actions{"play 4-5"});
    press(&CdPlayer::pause);
    drive.takeActions();
    player.pick(0);
    deliver();
    EXPECT_EQ(drive.takeActions(), (Actions{"stop", "play 1-2"}));
    EXPECT_FALSE(player.paused());
}

TEST_F(CdPlayerTest, TheTrackListFollowsTheAlbumEvenWhenTheDiscNamesItsTracks)
{
    drive.text.trackTitles = {"Disc One", "Disc Two", "Disc Three"};
    start(3, albumRequest(albumTitles({"One", "", "Three"})));
    const std::vector<TrackListEntry> list = {{" 1 - One", 0}, {" 3 - Three", 2}};
    EXPECT_EQ(player.trackList(), list);
}

TEST_F(CdPlayerTest, ClosingWhileATrackPlaysStopsTheDiscAndLetsTheDeviceGoAtOnce)
{
    start(3);
    drive.takeCalls();
    player.close();
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(drive.takeCalls(), Actions{"stop"});
    // The view answers before the stopped play's notice arrives.
    player.windowClosed();
    EXPECT_EQ(drive.takeCalls(), Actions{"close"});
    deliver();
    EXPECT_EQ(drive.takeCalls(), Actions{});
    std::array<std::string, kSongSlots> times;
    player.fillPlayerTimes(times);
    EXPECT_EQ(times[0], "");
}

TEST_F(CdPlayerTest, ANoticeOfAnEarlierPlayIsDropped)
{
    start(3);
    player.stop(); // its notice is still on its way
    drive.takeActions();
    player.play();
    EXPECT_EQ(drive.takeActions(), Actions{"play 1-2"});
    deliver(); // the stopped play's notice
    EXPECT_EQ(drive.takeActions(), Actions{});
    EXPECT_EQ(drive.state, CdMode::Playing);
    EXPECT_EQ(endTrack(), Actions{"play 2-3"});
}

TEST_F(CdPlayerTest, ADriveThatIsNotReadyDropsEveryButtonWithAMessage)
{
    start(3, albumRequest(albumTitles({"One", "Two", "Three"})));
    drive.takeActions();
    drive.notReady = true;
    for (void (CdPlayer::*button)() :
         {&CdPlayer::stop, &CdPlayer::pause, &CdPlayer::next, &CdPlayer::previous})
        EXPECT_EQ(press(button), Actions{});
    player.pick(0);
    EXPECT_EQ(drive.takeActions(), Actions{});
    EXPECT_EQ(messages, std::vector<std::string>(5, kPlayerNotReady));
    // The dropped Previous does not send the track's own end backwards.
    drive.notReady = false;
    EXPECT_EQ(endTrack(), Actions{"play 2-3"});
}

TEST_F(CdPlayerTest, APlayThatEndsOnAnUnreadableDiscStopsThePlayerInsteadOfRunningOn)
{
    start(3);
    drive.takeActions();
    drive.notReady = true; // the drive could not read the track
    EXPECT_EQ(endTrack(), Actions{});
    EXPECT_TRUE(player.stopped());
    EXPECT_EQ(messages, std::vector<std::string>{kPlayerNotReady});
    drive.notReady = false;
    EXPECT_EQ(press(&CdPlayer::play), Actions{"play 1-2"});
}

TEST_F(CdPlayerTest, TheDiscTimesGoToTheCatalogueWhileThePlayerHasNotStopped)
{
    drive.insert({{3, 5}, {0, 59}, {12, 0}});
    player.load({});
    player.start();
    std::array<std::string, kSongSlots> times;
    player.fillPlayerTimes(times);
    EXPECT_EQ(times[0], "03:05");
    EXPECT_EQ(times[1], "00:59");
    EXPECT_EQ(times[2], "12:00");
    EXPECT_EQ(times[3], "");
    player.stop();
    std::array<std::string, kSongSlots> afterStop;
    player.fillPlayerTimes(afterStop);
    EXPECT_EQ(afterStop[0], "");
}

TEST_F(CdPlayerTest, ASoundProblemIsToldOnce)
{
    drive.soundProblem = kNoSoundServer;
    start(3);
    endTrack();
    player.close();
    player.windowClosed();
    player.start();
    EXPECT_EQ(messages, std::vector<std::string>{kNoSoundServer});
}

} // namespace
} // namespace discora
