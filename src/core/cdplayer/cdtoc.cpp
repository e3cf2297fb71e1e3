#include "core/cdplayer/cdtoc.h"

#include <cstdio>

namespace discora {

CdToc::CdToc(std::vector<CdTocTrack> tracks, std::int32_t leadOut,
             std::optional<std::int32_t> lastSessionStart)
    : m_tracks(std::move(tracks)), m_leadOut(leadOut), m_lastSessionStart(lastSessionStart)
{
    m_count = static_cast<int>(m_tracks.size());
    if (!m_tracks.empty() && m_tracks.front().audio)
        while (m_count > 1 && !m_tracks[static_cast<std::size_t>(m_count - 1)].audio)
            --m_count;
}

bool CdToc::isAudio(int track) const
{
    return track >= 1 && track <= static_cast<int>(m_tracks.size()) &&
           m_tracks[static_cast<std::size_t>(track - 1)].audio;
}

std::int32_t CdToc::start(int track) const
{
    if (track < 1 || track > static_cast<int>(m_tracks.size()))
        return m_leadOut;
    return m_tracks[static_cast<std::size_t>(track - 1)].start;
}

std::int32_t CdToc::sectors(int track) const
{
    if (track < 1 || track > static_cast<int>(m_tracks.size()))
        return 0;
    const std::int32_t next = start(track + 1);
    std::int32_t count = next - start(track);
    const bool beforeLaterSessionData = isAudio(track) && track < static_cast<int>(m_tracks.size()) &&
                                        !isAudio(track + 1) && m_lastSessionStart &&
                                        *m_lastSessionStart > 0 && next >= *m_lastSessionStart;
    if (beforeLaterSessionData && count > kSessionGapSectors)
        count -= kSessionGapSectors;
    return count < 0 ? 0 : count;
}

bool CdToc::complete() const
{
    const int all = static_cast<int>(m_tracks.size());
    for (int track = 1; track <= all; ++track)
        if (start(track + 1) <= start(track))
            return false;
    return true;
}

bool CdToc::lastTrackTooShort() const
{
    return !m_tracks.empty() && sectors(static_cast<int>(m_tracks.size())) < kShortestTrackSectors;
}

DiscLayout CdToc::audioLayout() const
{
    DiscLayout layout;
    for (int track = 1; track <= m_count; ++track)
        layout.starts.push_back(start(track));
    layout.leadOut = start(m_count + 1);
    if (m_count < static_cast<int>(m_tracks.size()))
        layout.leadOut -= kSessionGapSectors;
    return layout;
}

CdTime CdToc::length(int track) const
{
    const int seconds = sectors(track) / kSectorsPerSecond;
    return {seconds / 60, seconds % 60};
}

std::string formatTrackTime(CdTime time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", time.minutes, time.seconds);
    return text;
}

} // namespace discora
