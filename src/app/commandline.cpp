#include "commandline.h"

namespace discora {

bool isScriptingCommand(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a == "--save-as" || a == "--version" || a == "--help" || a == "-h")
            return true;
    return false;
}

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.mode = CommandLine::Mode::Help;
            return cl;
        }
        if (a == "--version") {
            cl.mode = CommandLine::Mode::Version;
            return cl;
        }
        if (a == "--save-as") {
            if (i + 1 >= args.size()) {
                cl.error = "--save-as needs the name of the file to write";
                return cl;
            }
            cl.mode = CommandLine::Mode::SaveAs;
            cl.output = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            cl.error = "unknown option " + a;
            return cl;
        } else if (cl.file.empty()) {
            cl.file = a;
        } else {
            cl.error = "only one catalogue file can be named";
            return cl;
        }
    }
    if (cl.mode == CommandLine::Mode::SaveAs && cl.file.empty())
        cl.error = "--save-as needs the catalogue file to read";
    return cl;
}

std::string usageText()
{
    return "Usage: discora [FILE]\n"
           "       discora --save-as OUT FILE\n"
           "       discora --version | --help\n"
           "\n"
           "Discora keeps a catalogue of a music collection in a .dcf file.\n"
           "\n"
           "  FILE               open this catalogue in the window\n"
           "  --save-as OUT FILE read FILE (any version) and write it to OUT in the current format\n"
           "  --version          print the version and exit\n"
           "  --help             print this text and exit\n";
}

} // namespace discora
