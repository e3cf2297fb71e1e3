// Sound to the PulseAudio server (or PipeWire's PulseAudio service) through libpulse's simple API.
// The server is the one the environment names (PULSE_SERVER), else the user's own.
#pragma once

#include "core/cdplayer/pcmoutput.h"

struct pa_simple;

namespace discora {

class PulsePcmOutput : public PcmOutput
{
public:
    PulsePcmOutput() = default;
    ~PulsePcmOutput() override;
    PulsePcmOutput(const PulsePcmOutput&) = delete;
    PulsePcmOutput& operator=(const PulsePcmOutput&) = delete;

    std::string open() override;
    bool write(std::span<const std::uint8_t> bytes) override;
    void close() override;

private:
    pa_simple* m_stream = nullptr;
};

} // namespace discora
