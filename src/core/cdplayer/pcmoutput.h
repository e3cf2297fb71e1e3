// Where the player's sound goes: 44.1 kHz, 16-bit little-endian stereo, the samples of an audio CD
// as they come off the disc. Only the playback thread writes; open and close come from the thread
// that owns the device while no playback runs.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace discora {

class PcmOutput
{
public:
    virtual ~PcmOutput() = default;
    // Connects to the sound system, unless connected; returns what went wrong, or an empty text.
    virtual std::string open() = 0;
    // Blocks until the sound system has taken every byte; false when the connection broke, which
    // the next open mends.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    virtual void close() = 0;
};

} // namespace discora
