// What the program was asked to do on its command line: open the window (on a file, or a new
// catalogue), or run one of the scripting commands that need no display.
#pragma once

#include <string>
#include <vector>

namespace discora {

struct CommandLine
{
    enum class Mode { Window, SaveAs, Version, Help };
    Mode mode = Mode::Window;
    std::string file;   // the catalogue to open or convert
    std::string output; // --save-as OUT
    std::string error;  // set when the arguments cannot be understood
};

// True when the arguments ask for a command that runs without a window.
bool isScriptingCommand(const std::vector<std::string>& args);
// args excludes the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);
std::string usageText();

} // namespace discora
