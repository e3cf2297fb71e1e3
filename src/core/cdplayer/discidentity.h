// A disc's identity in the online music database: its disc ID, its FreeDB ID, the address where
// an unknown disc can be added, and the table of contents the database's similar-disc search
// takes. Computed from the table of contents alone; nothing is sent anywhere.
#pragma once

#include "core/base/result.h"
#include "core/cdplayer/cddevice.h"

#include <string>

namespace discora {

struct DiscIdentity
{
    std::string discId;        // 28 characters
    std::string freedbId;      // 8 lower-case hex digits
    std::string submissionUrl; // where the disc can be added to the database
    std::string toc;           // "first last lead-out offset...", sectors counted from the lead-in
    int trackCount = 0;
};

// Fails for a layout no disc can have (no tracks, more than 99, starts out of order or past the
// lead-out).
Result<DiscIdentity> identifyDisc(const DiscLayout& layout);

struct DiscIdReading
{
    CdError error = CdError::None;
    // What to tell the user about a failure; never empty on failure.
    std::string message;
    DiscIdentity identity;
    bool ok() const { return error == CdError::None; }
};

// Opens the device, checks that an audio disc is in, as "Load Times from CD" does, and identifies it.
DiscIdReading readDiscIdentity(CdDevice& device);

} // namespace discora
