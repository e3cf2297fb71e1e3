// The command-line modes that run without a window: --help, --version, --save-as (after an --import-csv,
// an --import-audio or neither), --list, the exports and --cd-info.
#pragma once

#include "cli/commandline.h"
#include "core/base/result.h"

namespace discora {

class AppSettings;
class CatalogueDocument;
class SettingsStore;

// The exit code of a finished mode; a failure's message goes to standard error first.
int exitCodeFor(const Status& status);

// Runs a command line whose mode needs no window; returns the process exit code. The printing
// modes are run by the window library, not here.
int runCommandLineMode(const CommandLine& commandLine, SettingsStore& store);

// Reads the command line's catalogue as the running program reads it after start-up: the settings'
// view options, the command line's style and filters in force before the load (whose last step
// sorts by artist), and the settings' headings filling the file's empty ones.
Status loadForCommandLine(CatalogueDocument& doc, const CommandLine& commandLine,
                          const AppSettings& settings);

} // namespace discora
