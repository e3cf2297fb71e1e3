// Plays a stretch of a disc's audio sectors to a PcmOutput on a thread of its own. The thread reads
// at most 25 sectors at a time and writes them a sector at a time, so pause and stop take effect
// within a sector; the sector written on pause or stop fades out and the first one after a resume
// fades in, so neither clicks. The end of every play is reported once, on the playback thread.
#pragma once

#include "core/cdplayer/cddevice.h"
#include "core/cdplayer/pcmoutput.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace discora {

inline constexpr int kMaxSectorsPerRead = 25;

class DigitalPlayback
{
public:
    // Reads count sectors from sector lsn into out (count * 2352 bytes); false on a read error.
    // Called on the playback thread.
    using ReadSectors = std::function<bool(std::int32_t lsn, int count, std::uint8_t* out)>;
    using Finished = std::function<void(PlayId)>;

    enum class State
    {
        Idle,
        Playing,
        Paused
    };

    DigitalPlayback(PcmOutput& output, ReadSectors read, Finished finished);
    ~DigitalPlayback();
    DigitalPlayback(const DigitalPlayback&) = delete;
    DigitalPlayback& operator=(const DigitalPlayback&) = delete;

    // Plays sectors begin up to end (not included); a play still running is stopped first.
    void play(std::int32_t begin, std::int32_t end, PlayId id);
    // False when nothing plays.
    bool pause();
    // Plays on from the pause up to end; the play's notice then carries id. False when not paused.
    bool resume(std::int32_t end, PlayId id);
    // Ends the play, if any, and waits until its thread is done.
    void stop();

    State state() const;
    // The last play ended because the disc could not be read or the sound not be written.
    bool failed() const;

private:
    enum class Step
    {
        Write,
        FadeOutAndPause,
        FadeOutAndEnd,
        End
    };
    void run();
    Step nextStep(bool& fadeIn);
    bool writeSector(std::int32_t lsn, int fade);
    void join();

    PcmOutput& m_output;
    ReadSectors m_read;
    Finished m_finished;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    State m_state = State::Idle;
    bool m_stopRequested = false;
    bool m_fadeOutPending = false; // paused, the fading sector not yet written
    bool m_fadeInPending = false;
    bool m_failed = false;
    std::int32_t m_position = 0;
    std::int32_t m_end = 0;
    PlayId m_id = 0;

    // Owned by the playback thread: the sectors read last.
    std::vector<std::uint8_t> m_buffer;
    std::int32_t m_bufferStart = 0;
    int m_bufferCount = 0;
};

} // namespace discora
