// The commands that run without a window: --help, --version, --save-as (after an --import-csv or
// not), --list and the exports.
#pragma once

#include "core/commands/commandline.h"

namespace discora {

class SettingsStore;

// Runs a command line whose mode needs no window; returns the process exit code.
int runScriptingCommand(const CommandLine& commandLine, SettingsStore& store);

} // namespace discora
