#include "core/cdplayer/digitalplayback.h"

#include "core/cdplayer/cdtoc.h"

#include <algorithm>
#include <array>

namespace discora {

namespace {

enum Fade
{
    kNoFade,
    kFadeIn,
    kFadeOut
};

// Scales the sector's samples along a straight ramp from silence up, or down to silence.
void applyFade(std::span<std::uint8_t> sector, int fade)
{
    for (int frame = 0; frame < kFramesPerSector; ++frame) {
        const int step = fade == kFadeIn ? frame : kFramesPerSector - 1 - frame;
        for (int channel = 0; channel < 2; ++channel) {
            const auto at = static_cast<std::size_t>((frame * 2 + channel) * 2);
            const auto raw = static_cast<std::int16_t>(sector[at] | (sector[at + 1] << 8));
            const auto scaled = static_cast<std::int16_t>(raw * step / kFramesPerSector);
            const auto bits = static_cast<std::uint16_t>(scaled);
            sector[at] = static_cast<std::uint8_t>(bits & 0xFF);
            sector[at + 1] = static_cast<std::uint8_t>(bits >> 8);
        }
    }
}

} // namespace

DigitalPlayback::DigitalPlayback(PcmOutput& output, ReadSectors read, Finished finished)
    : m_output(output), m_read(std::move(read)), m_finished(std::move(finished)),
      m_buffer(static_cast<std::size_t>(kMaxSectorsPerRead * kBytesPerSector))
{}

DigitalPlayback::~DigitalPlayback()
{
    stop();
}

void DigitalPlayback::play(std::int32_t begin, std::int32_t end, PlayId id)
{
    stop();
    {
        const std::lock_guard lock(m_mutex);
        m_state = State::Playing;
        m_stopRequested = false;
        m_fadeOutPending = false;
        m_fadeInPending = false;
        m_failed = false;
        m_position = begin;
        m_end = end;
        m_id = id;
    }
    m_bufferCount = 0;
    m_thread = std::thread([this] { run(); });
}

bool DigitalPlayback::pause()
{
    const std::lock_guard lock(m_mutex);
    if (m_state != State::Playing)
        return false;
    m_state = State::Paused;
    if (m_fadeInPending)
        m_fadeInPending = false; // nothing was heard since the last pause
    else
        m_fadeOutPending = true;
    m_wake.notify_all();
    return true;
}

bool DigitalPlayback::resume(std::int32_t end, PlayId id)
{
    const std::lock_guard lock(m_mutex);
    if (m_state != State::Paused)
        return false;
    m_state = State::Playing;
    m_end = end;
    m_id = id;
    if (m_fadeOutPending)
        m_fadeOutPending = false; // resumed before the sound went down: it just goes on
    else
        m_fadeInPending = true;
    m_wake.notify_all();
    return true;
}

void DigitalPlayback::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopRequested = true;
        m_wake.notify_all();
    }
    join();
}

void DigitalPlayback::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

DigitalPlayback::State DigitalPlayback::state() const
{
    const std::lock_guard lock(m_mutex);
    return m_state;
}

bool DigitalPlayback::failed() const
{
    const std::lock_guard lock(m_mutex);
    return m_failed;
}

DigitalPlayback::Step DigitalPlayback::nextStep(bool& fadeIn)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_stopRequested || m_state != State::Paused || m_fadeOutPending; });
    const bool atEnd = m_position >= m_end;
    if (m_stopRequested) {
        const bool audible = m_state == State::Playing || m_fadeOutPending;
        return audible && !atEnd ? Step::FadeOutAndEnd : Step::End;
    }
    if (m_state == State::Paused) {
        m_fadeOutPending = false;
        return atEnd ? Step::End : Step::FadeOutAndPause;
    }
    if (atEnd)
        return Step::End;
    fadeIn = m_fadeInPending;
    m_fadeInPending = false;
    return Step::Write;
}

void DigitalPlayback::run()
{
    for (;;) {
        bool fadeIn = false;
        const Step step = nextStep(fadeIn);
        std::int32_t position = 0;
        {
            const std::lock_guard lock(m_mutex);
            position = m_position;
        }
        bool ok = true;
        if (step == Step::Write)
            ok = writeSector(position, fadeIn ? kFadeIn : kNoFade);
        else if (step == Step::FadeOutAndPause || step == Step::FadeOutAndEnd)
            ok = writeSector(position, kFadeOut);
        {
            const std::lock_guard lock(m_mutex);
            if (ok && step != Step::End)
                ++m_position;
            if (!ok)
                m_failed = true;
        }
        if (ok && (step == Step::Write || step == Step::FadeOutAndPause))
            continue;
        PlayId id = 0;
        {
            const std::lock_guard lock(m_mutex);
            m_state = State::Idle;
            id = m_id;
        }
        m_finished(id);
        return;
    }
}

bool DigitalPlayback::writeSector(std::int32_t lsn, int fade)
{
    if (lsn < m_bufferStart || lsn >= m_bufferStart + m_bufferCount) {
        std::int32_t end = 0;
        {
            const std::lock_guard lock(m_mutex);
            end = m_end;
        }
        const int count = static_cast<int>(std::clamp<std::int32_t>(end - lsn, 1, kMaxSectorsPerRead));
        m_bufferCount = 0;
        if (!m_read(lsn, count, m_buffer.data()))
            return false;
        m_bufferStart = lsn;
        m_bufferCount = count;
    }
    std::array<std::uint8_t, kBytesPerSector> sector;
    const auto offset = static_cast<std::size_t>((lsn - m_bufferStart) * kBytesPerSector);
    std::copy_n(m_buffer.begin() + static_cast<std::ptrdiff_t>(offset), kBytesPerSector, sector.begin());
    if (fade != kNoFade)
        applyFade(sector, fade);
    // A broken connection to the sound server ends the play as a read error would.
    return m_output.write(sector);
}

} // namespace discora
