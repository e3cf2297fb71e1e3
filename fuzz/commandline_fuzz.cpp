// Any arguments (NUL-separated in the input): the parser either names the error or gives a
// command that can run (one that reads a catalogue names it, unless an import into a new one
// or of audio files is saved), and every order and field name it accepted is one of the table's.
#include "cli/commandline.h"
#include "fuzzcheck.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace discora;
using fuzz::check;

namespace {} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(std::move(current));
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (!current.empty())
        args.push_back(std::move(current));

    const bool commandLineMode = isCommandLineMode(args);
    const CommandLine cl = parseCommandLine(args);
    if (!cl.error.empty())
        return 0;
    using Mode = CommandLine::Mode;
    check(commandLineMode || cl.mode == Mode::Window, "a command-line mode from arguments that ask for none");
    if (cl.mode == Mode::SaveAs || cl.mode == Mode::List || cl.mode == Mode::ExportCsv ||
        cl.mode == Mode::ExportText)
        check(!cl.file.empty() ||
                  (cl.mode == Mode::SaveAs && (!cl.importCsv.empty() || !cl.importAudio.empty())),
              "a command without a catalogue to read");
    check(orderFromName(orderName(cl.order)) == cl.order, "an order outside the table");
    for (const auto& [field, text] : cl.filters)
        check(static_cast<int>(field) >= 0 && static_cast<int>(field) < kFilterCount,
              "a field outside the table");
    return 0;
}
