#include "core/cdplayer/cdplayer.h"

#include "core/cdplayer/cdplayerobserver.h"
#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/disctimes.h"

#include <algorithm>
#include <cstdio>

namespace discora {

namespace {

std::string trackListText(int track, const std::string& title)
{
    char number[16];
    std::snprintf(number, sizeof number, "%2d", track);
    return std::string(number) + " - " + title;
}

std::vector<int> wholeDiscPlayList(int trackCount)
{
    std::vector<int> list;
    for (int track = 1; track <= trackCount; ++track)
        list.push_back(track);
    return list;
}

} // namespace

CdPlayer::CdPlayer(CdDeviceFactory makeDevice) : m_makeDevice(std::move(makeDevice)) {}

CdPlayer::~CdPlayer()
{
    if (m_device)
        m_device->close();
}

CdDevice& CdPlayer::device()
{
    if (!m_device)
        m_device = m_makeDevice();
    return *m_device;
}

CdMode CdPlayer::currentMode()
{
    // A device that cannot answer counts as idle.
    const CdAnswer<CdMode> mode = device().mode();
    return mode.ok() ? mode.value : CdMode::Idle;
}

void CdPlayer::tell(const std::string& message)
{
    if (m_observer)
        m_observer->showMessage(message);
}

void CdPlayer::changed()
{
    if (m_observer)
        m_observer->playerChanged();
}

// ---- The Play command ----------------------------------------------------------------------

void CdPlayer::load(const PlayRequest& request)
{
    m_wholeDisc = request.wholeDisc;
    m_playList = request.playList;
    m_trackTitles = request.trackTitles;
    m_albumTexts = request.albumTexts;
}

void CdPlayer::start()
{
    m_userSkip = false;
    m_pickPending = false;
    m_pickIndex = 0;
    m_stopped = false;
    changed();
    m_trackCount = readTrackCount();
    if (!m_driveProblem.empty()) {
        // A drive that is not there says which; the CD drive setting is on the Options sheet too.
        tell(m_driveProblem);
        close();
        return;
    }
    if (m_wholeDisc && m_trackCount > 0)
        m_playList = wholeDiscPlayList(m_trackCount);
    buildTrackList();
    m_paused = false;
    readDiscTimes();
    m_playPos = 0;
    if (!m_wholeDisc && !m_playList.empty())
        m_currentTrack = m_playList.front();
    changed();
    play();
}

int CdPlayer::readTrackCount()
{
    CdDevice& d = device();
    m_driveProblem.clear();
    if (d.open() != CdError::None) {
        m_driveProblem = d.driveProblem();
        return 0;
    }
    const CdAnswer<int> count = discTrackCount(d);
    d.close();
    return count.ok() ? count.value : 0;
}

void CdPlayer::readDiscTimes()
{
    m_discTimes = readTrackLengths(device());
}

void CdPlayer::buildTrackList()
{
    m_trackList.clear();
    // A disc no album is playing from lists its own tracks, so that any of them can be picked.
    if (m_trackTitles.empty()) {
        for (std::size_t i = 0; i < m_playList.size(); ++i) {
            const int track = m_playList[i];
            std::string text = "Track " + std::to_string(track);
            if (track >= 1 && static_cast<std::size_t>(track) <= m_discTimes.size())
                text += "  " + m_discTimes[static_cast<std::size_t>(track) - 1];
            m_trackList.push_back({text, static_cast<int>(i)});
        }
        return;
    }
    // The list follows the album: without its titles for every position there is no list, and a
    // song it leaves untitled is not listed. A disc's CD-Text fills the entry sheet, not this list.
    if (m_trackTitles.size() < m_playList.size())
        return;
    for (std::size_t i = 0; i < m_playList.size(); ++i) {
        const std::string& title = m_trackTitles[i];
        if (!title.empty())
            m_trackList.push_back({trackListText(m_playList[i], title), static_cast<int>(i)});
    }
}

// ---- Buttons -------------------------------------------------------------------------------

void CdPlayer::play()
{
    if (m_paused) {
        resume();
        return;
    }
    const CdMode mode = currentMode();
    if (mode == CdMode::NotReady || mode == CdMode::Playing)
        return;
    if (m_discTimes.empty())
        readDiscTimes();
    const int n = readTrackCount();
    if (m_trackCount > 0 && !sameDisc(n)) {
        // Another disc: its tracks from the first, with nothing of the album chosen before.
        m_wholeDisc = true;
        m_playPos = 0;
        m_albumTexts = {};
        m_trackTitles.clear();
        m_playList = wholeDiscPlayList(n);
        readDiscTimes();
        buildTrackList();
        changed();
    }
    m_trackCount = n;
    startOneTrack();
}

bool CdPlayer::sameDisc(int n)
{
    const std::vector<std::string> times = readTrackLengths(device());
    // The lists hold at most 26 times, so a longer disc is compared on its first 26 tracks.
    const auto compared = static_cast<std::size_t>(std::min(n, kMaxDiscTimes));
    return n == m_trackCount && m_discTimes.size() == compared && times == m_discTimes;
}

void CdPlayer::startOneTrack()
{
    const int n = m_trackCount;
    CdError result = CdError::None;
    if (n == 0) {
        // The message comes with the way to another drive; taken, the window stays open for it.
        if (m_observer && m_observer->offerDriveChoice(kNoAudioTracks))
            return;
        result = CdError::NoMedium;
    } else if (m_wholeDisc) {
        if (m_playPos < 0 || m_playPos >= n)
            m_playPos = 0;
        result = playTrack(m_playPos + 1, std::min(n, m_playPos + 2));
    } else if (m_currentTrack >= 1 && m_currentTrack <= n) {
        result = playTrack(m_currentTrack, m_currentTrack + 1);
    } else {
        // Track 0, an empty or a negative track number, or one beyond the disc.
        tell(kIncorrectTrackNumber);
        result = CdError::NoSuchTrack;
    }
    if (result != CdError::None)
        close();
}

CdError CdPlayer::playTrack(int from, int to)
{
    m_stopped = false;
    m_paused = false;
    m_playingTrack = std::to_string(from);
    changed();
    CdDevice& d = device();
    if (const CdError error = d.open(); error != CdError::None)
        return error;
    const auto fail = [&](CdError error, const char* message = nullptr) {
        if (message)
            tell(message);
        d.close();
        return error;
    };
    if (const DiscCheck check = checkAudioDisc(d); !check.ok())
        return fail(check.error, check.message);
    const PlayId id = nextPlayId();
    const CdError error = from == m_trackCount ? d.play(from, std::nullopt, id) : d.play(from, to, id);
    if (error != CdError::None)
        return fail(error);
    m_currentPlay = id;
    const CdAnswer<CdTime> length = d.trackLength(from);
    m_trackSeconds = length.ok() ? length.value.minutes * 60 + length.value.seconds : 0;
    m_playedBefore = {};
    runTrackClock();
    changed(); // now playing, with the track's length
    if (const std::string problem = d.soundProblem(); !problem.empty() && !m_soundProblemTold) {
        m_soundProblemTold = true;
        tell(problem);
    }
    return CdError::None;
}

void CdPlayer::resume()
{
    const int endTrack = m_wholeDisc ? std::min(m_trackCount, m_playPos + 2) : m_currentTrack + 1;
    m_paused = false;
    const int playing = m_wholeDisc ? m_playPos + 1 : m_currentTrack;
    const PlayId id = nextPlayId();
    const CdError error =
        playing == m_trackCount ? device().resume(std::nullopt, id) : device().resume(endTrack, id);
    if (error != CdError::None) {
        // The track starts again from its beginning.
        m_currentPlay = 0;
        device().close();
        play();
        return;
    }
    m_currentPlay = id;
    runTrackClock();
    changed();
}

void CdPlayer::holdTrackClock()
{
    m_playedBefore += m_clock() - m_runningSince;
}

std::string_view playbackStateText(PlaybackState state)
{
    switch (state) {
    case PlaybackState::Playing: return "Playing";
    case PlaybackState::Paused: return "Paused";
    case PlaybackState::Stopped: break;
    }
    return "Stopped";
}

std::string trackTimeText(int elapsedSeconds, int trackSeconds)
{
    const auto clock = [](int seconds) {
        char text[16];
        std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
        return std::string(text);
    };
    std::string text = clock(elapsedSeconds);
    if (trackSeconds > 0)
        text += " / " + clock(trackSeconds);
    return text;
}

std::string playerWindowTitle(const PlayerAlbumTexts& album)
{
    std::string title = kCdPlayerTitle;
    if (!album[1].empty())
        title += " - " + album[1];
    return title;
}

PlaybackState CdPlayer::playbackState() const
{
    if (m_stopped || m_currentPlay == 0)
        return PlaybackState::Stopped;
    return m_paused ? PlaybackState::Paused : PlaybackState::Playing;
}

int CdPlayer::elapsedSeconds() const
{
    std::chrono::steady_clock::duration played{};
    switch (playbackState()) {
    case PlaybackState::Stopped: return 0;
    case PlaybackState::Paused: played = m_playedBefore; break;
    case PlaybackState::Playing: played = m_playedBefore + (m_clock() - m_runningSince); break;
    }
    const auto seconds = static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(played).count());
    return m_trackSeconds > 0 ? std::clamp(seconds, 0, m_trackSeconds) : std::max(seconds, 0);
}

void CdPlayer::stop()
{
    if (m_stopped)
        return;
    m_pickIndex = 0;
    const CdMode mode = currentMode();
    if (mode == CdMode::NotReady) {
        tell(kPlayerNotReady);
        return;
    }
    // A paused disc stops as it is, without first being heard again.
    if (mode == CdMode::Playing || mode == CdMode::Paused || m_paused) {
        if (device().stop() == CdError::None) {
            m_paused = false;
            m_stopped = true;
            changed();
        }
    }
}

void CdPlayer::pause()
{
    if (m_stopped)
        return;
    const CdMode mode = currentMode();
    if (mode == CdMode::NotReady) {
        tell(kPlayerNotReady);
        return;
    }
    if (mode == CdMode::Playing) {
        if (device().pause() == CdError::None) {
            m_paused = true;
            holdTrackClock();
            changed();
        }
    } else if (m_paused) {
        resume();
    }
}

void CdPlayer::next()
{
    // Marked in both cases, so that Next on the last track wraps to the first even after Stop.
    m_userSkip = true;
    if (m_stopped) {
        m_paused = false;
        m_stopped = false;
        handleCompletion();
        return;
    }
    const CdMode mode = currentMode();
    if (mode == CdMode::NotReady) {
        m_userSkip = false; // the press is dropped, not kept for a later track's end
        tell(kPlayerNotReady);
        return;
    }
    if ((mode == CdMode::Playing || mode == CdMode::Paused) && device().stop() == CdError::None)
        m_paused = false;
}

void CdPlayer::previous()
{
    if (m_stopped) {
        m_paused = false;
        m_stopped = false;
        m_skipBack = true;
        handleCompletion();
        return;
    }
    m_skipBack = true;
    const CdMode mode = currentMode();
    if (mode == CdMode::NotReady) {
        m_skipBack = false;
        tell(kPlayerNotReady);
        return;
    }
    if ((mode == CdMode::Playing || mode == CdMode::Paused) && device().stop() == CdError::None)
        m_paused = false;
}

void CdPlayer::pick(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(m_trackList.size()))
        return;
    m_pickIndex = m_trackList[static_cast<std::size_t>(entry)].position;
    m_pickPending = true;
    if (m_stopped && device().open() != CdError::None)
        return;
    const CdMode mode = currentMode();
    if (mode == CdMode::NotReady) {
        m_pickPending = false;
        tell(kPlayerNotReady);
        return;
    }
    if (mode == CdMode::Playing || mode == CdMode::Paused) {
        // The stopped play's notice moves to the pick; a pause would make it wait.
        if (device().stop() == CdError::None)
            m_paused = false;
        return;
    }
    m_stopped = false;
    handleCompletion();
}

void CdPlayer::close()
{
    m_stopped = false;
    stop();
    if (m_observer)
        m_observer->closeRequested();
}

void CdPlayer::windowClosed()
{
    m_currentTrack = 0;
    m_paused = false;
    m_pickIndex = 0;
    m_pickPending = false;
    m_playList.clear();
    m_discTimes.clear();
    m_trackTitles.clear();
    m_trackList.clear();
    m_albumTexts = {};
    m_playingTrack.clear();
    m_currentPlay = 0;
    if (m_device) {
        m_device->close();
        m_device.reset();
    }
}

void CdPlayer::replaceDevice()
{
    m_currentPlay = 0;
    if (m_device) {
        m_device->close();
        m_device.reset();
    }
    m_paused = false;
    m_stopped = true;
}

// ---- Completion ----------------------------------------------------------------------------

void CdPlayer::completionNotice(PlayId id)
{
    if (id == 0 || id != m_currentPlay)
        return;
    // A play that ended because the disc could not be read stops the player: going on to the next
    // track would only fail again, track after track.
    if (!m_paused && currentMode() == CdMode::NotReady) {
        m_stopped = true;
        tell(kPlayerNotReady);
    }
    handleCompletion();
}

void CdPlayer::handleCompletion()
{
    if (m_paused)
        return; // a pause leaves the device open
    if (m_device)
        m_device->close();
    m_currentPlay = 0;
    const int count = m_wholeDisc ? m_trackCount : static_cast<int>(m_playList.size());
    bool wrapped = false;
    if (m_pickPending) {
        m_playPos = m_pickIndex;
    } else if (m_skipBack) {
        m_playPos = m_playPos <= 0 ? std::max(count - 1, 0) : m_playPos - 1;
    } else if (!m_stopped) {
        ++m_playPos;
        if (m_playPos >= count) {
            m_playPos = 0;
            wrapped = true;
        }
    }
    if (!m_wholeDisc && !m_playList.empty())
        m_currentTrack = m_playList[static_cast<std::size_t>(std::clamp(m_playPos, 0, count - 1))];
    // Only the last track's own end stops the disc; Next, Previous and a pick wrap around.
    if (wrapped && !m_userSkip && !m_continuous)
        m_stopped = true;
    m_userSkip = false;
    m_skipBack = false;
    m_pickPending = false;
    if (!m_paused && !m_stopped)
        play();
}

// ---- Times for the catalogue ---------------------------------------------------------------

void CdPlayer::fillPlayerTimes(std::array<std::string, kSongSlots>& times)
{
    if (m_discTimes.empty() || m_stopped)
        return;
    const std::size_t n = std::min(m_discTimes.size(), times.size());
    std::copy_n(m_discTimes.begin(), n, times.begin());
}

std::string CdPlayer::stateText() const
{
    const PlaybackState state = playbackState();
    if (state == PlaybackState::Stopped || m_playingTrack.empty())
        return "Stopped";
    return (state == PlaybackState::Paused ? "Paused at track " : "Playing track ") + m_playingTrack;
}

} // namespace discora
