// Reading a disc's track times: the count and lengths the player keeps, and the checked reading
// behind the entry sheet's "Load Times from CD" and `discora --cd-info`. Each opens the device and
// closes it again, as the player's own commands do.
#pragma once

#include "core/cdplayer/cddevice.h"

#include <string>
#include <vector>

namespace discora {

// The lists of times hold at most one time per song slot.
inline constexpr int kMaxDiscTimes = 26;

// The number of tracks, its low byte only; 0 when the device cannot be opened or asked.
int readTrackCount(CdDevice& device);

// The lengths of tracks 1 to n (n at most 26) as "MM:SS". A failed query ends the list early.
std::vector<std::string> readTrackLengths(CdDevice& device);

struct DiscReading
{
    CdError error = CdError::None;
    // What to tell the user about a failure, or null for a failure without a message.
    const char* message = nullptr;
    std::vector<std::string> times; // at most 26
    CdText text;
    bool ok() const { return error == CdError::None; }
};

// Reads the times of an audio disc: refuses a missing disc ("No CD detected!") and a disc whose
// track 1 is not audio ("No Audio CD detected!"); any other failure comes back without a message.
DiscReading readDiscTimes(CdDevice& device);

} // namespace discora
