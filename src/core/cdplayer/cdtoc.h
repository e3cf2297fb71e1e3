// A disc's table of contents, and the track lengths and play ranges worked out from it. Sectors
// are 1/75 of a second; positions are logical sector numbers.
#pragma once

#include "core/cdplayer/cddevice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace discora {

inline constexpr int kSectorsPerSecond = 75;
inline constexpr int kBytesPerSector = 2352;
inline constexpr int kFramesPerSector = 588; // 44.1 kHz stereo frames of 16-bit samples
// Lead-out of the first session, lead-in of the second and the data track's pregap: the stretch
// an Enhanced CD puts between its last audio track and its data track.
inline constexpr std::int32_t kSessionGapSectors = 11400;
// No track on a CD is shorter than four seconds.
inline constexpr std::int32_t kShortestTrackSectors = 4 * kSectorsPerSecond;

struct CdTocTrack
{
    std::int32_t start = 0;
    bool audio = true;
};

class CdToc
{
public:
    CdToc() = default;
    // lastSessionStart: where the disc's last session starts, when the drive tells.
    CdToc(std::vector<CdTocTrack> tracks, std::int32_t leadOut,
          std::optional<std::int32_t> lastSessionStart = std::nullopt);

    bool empty() const { return m_tracks.empty(); }
    // The tracks the player offers: all of them, except the data tracks an Enhanced CD keeps after
    // its music.
    int trackCount() const { return m_count; }
    bool isAudio(int track) const;
    std::int32_t start(int track) const;
    // From the track's start to the next track's (or the lead-out), less the session gap when an
    // audio track is followed by a data track of a later session.
    std::int32_t sectors(int track) const;
    std::int32_t end(int track) const { return start(track) + sectors(track); }
    // Whether every track, data tracks included, starts before the next one and before the
    // lead-out: an image cut short puts its lead-out before its last tracks.
    bool complete() const;
    // Whether the last track, data or audio, is shorter than any track on a CD may be. A disc
    // image's cue sheet gives no length for its last track, so an image cut short inside that
    // track shows only so.
    bool lastTrackTooShort() const;
    // The audio tracks' starts and the end of their session: an Enhanced CD's audio ends one session
    // gap before its data track starts.
    DiscLayout audioLayout() const;
    // The length in whole minutes and seconds, the frames dropped.
    CdTime length(int track) const;

private:
    std::vector<CdTocTrack> m_tracks;
    std::int32_t m_leadOut = 0;
    std::optional<std::int32_t> m_lastSessionStart;
    int m_count = 0;
};

// Minutes ":" seconds, each at least two digits with a leading zero: "03:05".
std::string formatTrackTime(CdTime time);

} // namespace discora
