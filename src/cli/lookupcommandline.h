// `discora --lookup`: the releases holding the disc in the drive, asked of the online music
// database, one tab-separated line per release, then the tracks of the disc.
#pragma once

#include "cli/commandline.h"
#include "ui/lookup/musicbrainzclient.h"

#include <iosfwd>

namespace discora {

class SettingsStore;

// Returns the process exit code: 0 with at least one release, 1 when the disc cannot be read, is
// unknown, or the service cannot be reached or answers with something else. Needs a
// QCoreApplication.
int runLookupMode(const CommandLine& commandLine, SettingsStore& store, std::ostream& out, std::ostream& err,
                  const LookupTimings& timings = {});

} // namespace discora
