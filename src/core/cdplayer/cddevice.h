// What the player and the entry sheet ask of a CD drive: whether a disc is in, its tracks and
// their lengths, and playing a range of tracks with a completion notice. A real drive or a disc
// image sits behind it (LibcdioDevice); tests script their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace discora {

// Why a device command failed; None is success. The callers show their own messages.
enum class CdError
{
    None,
    CannotOpen,  // no such drive or image, or it cannot be read
    NotOpen,     // a command on a device that is not open
    NoMedium,    // the command needs a disc
    NoSuchTrack, // a track number outside the disc
    NotAudio,    // a data track cannot be played
    NotPaused,   // resume without a pause
    NoOutput,    // the device plays nothing (opened for reading only)
    Damaged,     // the disc ends before its last track does, as an image cut short does
};

enum class CdMode
{
    NotReady,
    Playing,
    Paused,
    Idle
};

enum class CdTrackType
{
    Audio,
    Data
};

struct CdTime
{
    int minutes = 0;
    int seconds = 0;
    bool operator==(const CdTime&) const = default;
};

// The titles a disc may carry as CD-Text; empty texts where it carries none.
struct CdText
{
    std::string albumTitle;
    std::string performer;
    std::vector<std::string> trackTitles; // track k at k - 1
    bool empty() const { return albumTitle.empty() && performer.empty() && trackTitles.empty(); }
    std::string trackTitle(int track) const
    {
        const auto index = static_cast<std::size_t>(track - 1);
        return track >= 1 && index < trackTitles.size() ? trackTitles[index] : std::string();
    }
};

// Where a disc's music lies, as a disc ID is computed from it: the logical sector of each audio
// track's start, and the end of the music (for an Enhanced CD, the end of its audio session).
struct DiscLayout
{
    int firstTrack = 1;
    std::vector<std::int32_t> starts;
    std::int32_t leadOut = 0;
};

// A value or the reason there is none.
template <typename T> struct CdAnswer
{
    T value{};
    CdError error = CdError::None;
    bool ok() const { return error == CdError::None; }
};

// Every play request is numbered by the caller; its completion notice carries that number.
using PlayId = std::uint64_t;
// Receives completion notices; the device may call it on any thread.
using CdNoticeSink = std::function<void(PlayId)>;

class CdDevice
{
public:
    virtual ~CdDevice() = default;

    // Opening an open device that is not playing reads the disc afresh, so a changed disc is seen.
    virtual CdError open() = 0;
    // Stops what plays (its notice still comes) and lets the drive go.
    virtual void close() = 0;

    virtual CdAnswer<bool> mediaPresent() = 0;
    virtual CdAnswer<CdTrackType> trackType(int track) = 0;
    virtual CdAnswer<int> trackCount() = 0;
    virtual CdAnswer<CdTime> trackLength(int track) = 0;
    virtual CdAnswer<CdMode> mode() = 0;
    virtual CdText cdText() { return {}; }
    // On an open device with a disc: where its audio tracks lie.
    virtual CdAnswer<DiscLayout> discLayout() { return {{}, CdError::NoMedium}; }
    // On an open device: whether the disc ends before its last track does, so that the table of
    // contents promises music that is not there (a disc image shorter than its cue sheet).
    virtual bool damaged() const { return false; }
    // Why the last open failed when the drive's path is at fault (a missing image file, a path
    // that is neither a drive nor a file), or empty.
    virtual std::string driveProblem() const { return {}; }

    // Plays from the start of track from to the start of track to, or to the end of the disc
    // without one. When the play ends, by reaching its end or by stop, close or another play,
    // the notice sink receives id exactly once.
    virtual CdError play(int from, std::optional<int> to, PlayId id) = 0;
    virtual CdError pause() = 0;
    // Plays on from where the pause left off, up to the start of track to or the end of the
    // disc; the outstanding play's notice then carries id.
    virtual CdError resume(std::optional<int> to, PlayId id) = 0;
    virtual CdError stop() = 0;

    // A problem with the sound output worth telling the user once (no sound server), or empty.
    virtual std::string soundProblem() const { return {}; }
};

} // namespace discora
