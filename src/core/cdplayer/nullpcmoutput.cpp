#include "core/cdplayer/nullpcmoutput.h"

#include <thread>

namespace discora {

namespace {

constexpr long long kBytesPerSecond = 44100LL * 4;

} // namespace

std::string NullPcmOutput::open()
{
    m_playedUntil = std::chrono::steady_clock::now();
    return {};
}

bool NullPcmOutput::write(std::span<const std::uint8_t> bytes)
{
    m_written += bytes.size();
    if (m_pace == Pace::Instant)
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (m_playedUntil < now)
        m_playedUntil = now;
    m_playedUntil +=
        std::chrono::microseconds(static_cast<long long>(bytes.size()) * 1000000 / kBytesPerSecond);
    // Like a sound server, it takes a little ahead of what is heard.
    const auto ahead = std::chrono::milliseconds(100);
    if (m_playedUntil - now > ahead)
        std::this_thread::sleep_until(m_playedUntil - ahead);
    return true;
}

} // namespace discora
