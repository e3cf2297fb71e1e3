// An output that plays nothing: at once, for tests, or at the pace of real sound, so a player with
// no sound server still moves from track to track at the right times.
#pragma once

#include "core/cdplayer/pcmoutput.h"

#include <chrono>
#include <cstddef>

namespace discora {

class NullPcmOutput : public PcmOutput
{
public:
    enum class Pace
    {
        Instant,
        RealTime
    };
    explicit NullPcmOutput(Pace pace = Pace::Instant) : m_pace(pace) {}

    std::string open() override;
    bool write(std::span<const std::uint8_t> bytes) override;
    void close() override {}

    // Everything written, for tests that look at the samples.
    std::size_t bytesWritten() const { return m_written; }

private:
    Pace m_pace;
    std::size_t m_written = 0;
    // When the sound written so far would have finished playing.
    std::chrono::steady_clock::time_point m_playedUntil{};
};

} // namespace discora
