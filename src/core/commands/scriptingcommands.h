// The commands that run without a window: --help, --version, --save-as, --list, the exports and
// --cd-info.
#pragma once

#include "core/commands/commandline.h"

namespace discora {

class SettingsStore;

// Runs a command line whose mode needs no window; returns the process exit code.
int runScriptingCommand(const CommandLine& commandLine, SettingsStore& store);

} // namespace discora
