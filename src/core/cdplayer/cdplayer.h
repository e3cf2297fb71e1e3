// The CD player's engine: which track plays next, and what the player window shows. It drives a
// CdDevice and hears of each play's end through completionNotice, which the window delivers on its
// own thread. Every button and notice is a function of the state below, so tests script a device
// and fire the notices themselves. The view holds one player for its whole life; the window comes
// and goes.
#pragma once

#include "core/cdplayer/cddevice.h"
#include "core/cdplayer/playrequest.h"
#include "core/document/playertimessource.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class CdPlayerObserver;

using CdDeviceFactory = std::function<std::unique_ptr<CdDevice>()>;
using PlayerTime = std::chrono::steady_clock::time_point;
using PlayerClock = std::function<PlayerTime()>;

enum class PlaybackState
{
    Stopped,
    Playing,
    Paused
};

// One line of the track list and the play list position it stands for.
struct TrackListEntry
{
    std::string text;
    int position = 0;
    bool operator==(const TrackListEntry&) const = default;
};

// "Playing", "Paused", "Stopped"
std::string_view playbackStateText(PlaybackState state);
// "1:23 / 4:05", or "1:23" when the length is not known.
std::string trackTimeText(int elapsedSeconds, int trackSeconds);
// The player window's title: "Discora CD Player - Album Name" once an album is shown.
std::string playerWindowTitle(const PlayerAlbumTexts& album);

class CdPlayer : public PlayerTimesSource
{
public:
    explicit CdPlayer(CdDeviceFactory makeDevice);
    ~CdPlayer() override;
    CdPlayer(const CdPlayer&) = delete;
    CdPlayer& operator=(const CdPlayer&) = delete;

    void setObserver(CdPlayerObserver* observer) { m_observer = observer; }

    // The Play command: what to play, then Start.
    void load(const PlayRequest& request);
    void start();

    // The window's buttons and track list.
    void play();
    void stop();
    void pause();
    void next();
    void previous();
    void pick(int entry); // an entry of trackList()
    void setContinuous(bool on) { m_continuous = on; }
    // The window's close command: stops the disc and asks for the window to go.
    void close();
    // Once the window is gone: the lists are emptied and the device let go, so a notice of the
    // stopped play that comes later finds nothing to do.
    void windowClosed();
    // The drive changed: the device in use is let go; the next access makes a new one.
    void replaceDevice();

    // The end of a play; a notice of any play but the last one started is dropped.
    void completionNotice(PlayId id);

    // PlayerTimesSource: the disc's times while the player holds them and has not stopped.
    void fillPlayerTimes(std::array<std::string, kSongSlots>& times) override;

    // What the window shows.
    const PlayerAlbumTexts& albumTexts() const { return m_albumTexts; }
    const std::string& playingTrack() const { return m_playingTrack; }
    const std::vector<TrackListEntry>& trackList() const { return m_trackList; }
    bool continuous() const { return m_continuous; }
    // The player's state in words, for the window and screen readers: "Playing track 3",
    // "Paused at track 3" or "Stopped".
    std::string stateText() const;
    PlaybackState playbackState() const;
    // Of the track playing: how far it has played, and how long it is (0 when the disc does not
    // say). Both in seconds; a stopped track stands at its start.
    int elapsedSeconds() const;
    int trackSeconds() const { return m_trackSeconds; }
    // Where the time comes from; tests set their own clock.
    void setClock(PlayerClock clock) { m_clock = std::move(clock); }

    // The state, for tests.
    bool wholeDisc() const { return m_wholeDisc; }
    bool paused() const { return m_paused; }
    bool stopped() const { return m_stopped; }
    int playPos() const { return m_playPos; }
    int currentTrack() const { return m_currentTrack; }
    int trackCount() const { return m_trackCount; }
    const std::vector<int>& playList() const { return m_playList; }
    const std::vector<std::string>& discTimes() const { return m_discTimes; }

private:
    CdDevice& device();
    CdMode currentMode();
    void tell(const std::string& message);
    void changed();
    int readTrackCount();
    void readDiscTimes();
    void buildTrackList();
    void startOneTrack();
    bool sameDisc(int trackCount);
    CdError playTrack(int from, int to);
    void resume();
    void handleCompletion();
    PlayId nextPlayId() { return ++m_lastPlayId; }
    // The track's clock runs while it plays and holds still while it is paused.
    void runTrackClock() { m_runningSince = m_clock(); }
    void holdTrackClock();

    CdDeviceFactory m_makeDevice;
    std::unique_ptr<CdDevice> m_device;
    CdPlayerObserver* m_observer = nullptr;

    std::vector<int> m_playList;
    std::vector<std::string> m_trackTitles;
    // Why the drive could not be opened at the last Play, when its path is at fault.
    std::string m_driveProblem;
    PlayerAlbumTexts m_albumTexts;
    std::vector<std::string> m_discTimes;
    std::vector<TrackListEntry> m_trackList;
    std::string m_playingTrack;
    int m_trackCount = 0;
    bool m_wholeDisc = true;
    int m_playPos = 0;
    int m_currentTrack = 0;
    bool m_paused = false;
    bool m_stopped = false;
    bool m_continuous = true;
    bool m_userSkip = false;
    bool m_skipBack = false;
    bool m_pickPending = false;
    int m_pickIndex = 0;
    // The play whose notice counts; 0 when none is outstanding.
    PlayId m_currentPlay = 0;
    PlayId m_lastPlayId = 0;
    bool m_soundProblemTold = false;
    PlayerClock m_clock = [] { return std::chrono::steady_clock::now(); };
    std::chrono::steady_clock::time_point m_runningSince;
    std::chrono::steady_clock::duration m_playedBefore{}; // of the track, before its last pause
    int m_trackSeconds = 0;
};

} // namespace discora
