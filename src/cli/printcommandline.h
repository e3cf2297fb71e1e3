// The printing modes of the command line: --print FILE on the default printer, and
// --print-pdf OUT FILE, which writes the same pages to a PDF file without a display.
#pragma once

#include "cli/commandline.h"

namespace discora {

class SettingsStore;

// Runs --print or --print-pdf; returns the process exit code. Needs a QGuiApplication.
int runPrintingMode(const CommandLine& commandLine, SettingsStore& store);

} // namespace discora
