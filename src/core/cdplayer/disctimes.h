// Reading a disc: the one check that an audio disc is in, the one reading of its track count, the
// lengths the player keeps, and the checked reading behind the entry sheet's "Load Times from CD"
// and `discora --cd-info`. The readings open the device and close it again, as the player's own
// commands do.
#pragma once

#include "core/cdplayer/cddevice.h"

#include <string>
#include <vector>

namespace discora {

// The lists of times hold at most one time per song slot.
inline constexpr int kMaxDiscTimes = 26;

// What is wrong with the drive's path, to be told to the user, or empty when it names a device or
// a regular file (or is empty, for the default drive). Anything else, a named pipe say, would
// leave the reading waiting, and a missing image file is named.
std::string cdDriveProblem(const std::string& drive);

// On an open device: whether a disc is in, whole, and its track 1 is audio. A missing disc fails
// with "No CD detected!", a first track that is not audio with "No Audio CD detected!", a disc
// that ends before its last track does with kDamagedDisc; a device that cannot answer fails without a
// message.
struct DiscCheck
{
    CdError error = CdError::None;
    const char* message = nullptr;
    bool ok() const { return error == CdError::None; }
};
DiscCheck checkAudioDisc(CdDevice& device);

// On an open device: the number of tracks, its low byte only.
CdAnswer<int> discTrackCount(CdDevice& device);

// The lengths of tracks 1 to n (n at most 26) as "MM:SS". A failed query ends the list early.
std::vector<std::string> readTrackLengths(CdDevice& device);

struct DiscReading
{
    CdError error = CdError::None;
    // What to tell the user about a failure, or empty for a failure without a message.
    std::string message;
    // Every track of the disc; the entry sheet takes as many as the album has song slots.
    std::vector<std::string> times;
    CdText text;
    bool ok() const { return error == CdError::None; }
};

// Reads the times of an audio disc: refuses what checkAudioDisc refuses, and a drive whose path
// is at fault with the device's word for it; any other failure comes back without a message.
DiscReading readDiscTimes(CdDevice& device);

} // namespace discora
