#include "core/cdplayer/pulsepcmoutput.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace discora {

namespace {

// About a tenth of a second queued at the server: short enough that pause and stop are heard at
// once, long enough to ride out a slow read from the drive.
constexpr std::uint32_t kTargetBytes = 44100 * 4 / 10;

} // namespace

PulsePcmOutput::~PulsePcmOutput()
{
    close();
}

std::string PulsePcmOutput::open()
{
    if (m_stream)
        return {};
    pa_sample_spec format{};
    format.format = PA_SAMPLE_S16LE;
    format.rate = 44100;
    format.channels = 2;
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = kTargetBytes;
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    m_stream = pa_simple_new(nullptr, "Discora", PA_STREAM_PLAYBACK, nullptr, "Audio CD", &format, nullptr,
                             &buffer, &error);
    return m_stream ? std::string() : std::string(pa_strerror(error));
}

bool PulsePcmOutput::write(std::span<const std::uint8_t> bytes)
{
    if (!m_stream)
        return false;
    int error = 0;
    if (pa_simple_write(m_stream, bytes.data(), bytes.size(), &error) == 0)
        return true;
    // The server went away; the next open connects afresh.
    close();
    return false;
}

void PulsePcmOutput::close()
{
    if (!m_stream)
        return;
    pa_simple_free(m_stream);
    m_stream = nullptr;
}

} // namespace discora
