// Every command-line mode that runs without a window, each on the Qt application it needs: the
// printing modes draw pages with fonts, the lookup speaks to the network, the rest need neither.
#pragma once

#include "cli/commandline.h"

namespace discora {

// The usage error's message and the help text on standard error; returns the exit code.
int reportUsageError(const CommandLine& commandLine);

// Runs a parsed command line whose mode needs no window and returns the process exit code.
// argc and argv are the program's own, for the Qt application the mode runs on.
int runWithoutWindow(const CommandLine& commandLine, int& argc, char* argv[]);

} // namespace discora
