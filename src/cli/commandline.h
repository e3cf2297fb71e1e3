// What the program was asked to do on its command line: open the window (on a file, or a new
// catalogue), run one of the command-line modes that need no display, or print.
#pragma once

#include "core/document/audioimportplan.h"
#include "core/document/cataloguedocument.h"
#include "core/import/importtarget.h"
#include "core/view/sortorder.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace discora {

struct CommandLine
{
    enum class Mode
    {
        Window,
        SaveAs,
        List,
        ExportCsv,
        ExportText,
        Stats,      // the statistics of the displayed albums, printed
        ExportHtml, // a web page, into a folder
        Print,      // to the default printer, as the desktop's print request asks
        PrintPdf,   // the printed pages as a PDF file
        CdInfo,
        DiscId, // the disc's IDs, computed without asking anyone
        Lookup, // the disc's releases, asked of the online music database
        Version,
        Help
    };
    Mode mode = Mode::Window;
    std::string file; // the catalogue to open, convert, list or export
    std::string
        output; // --save-as OUT, --export-csv OUT, --export-text OUT, --export-html OUTDIR, --print-pdf OUT
    SortOrder order = SortOrder::ByArtist;
    ViewStyle style = ViewStyle::Normal;
    std::vector<std::pair<FilterField, std::string>> filters;
    bool withDetails = false; // --with-details: the export's detail columns
    std::string cdDevice;     // --cd-device: the drive or disc image the CD player uses
    std::string error;        // set when the arguments cannot be understood
    // --import-csv IN and its --map COLUMN=FIELD assignments; with --save-as, FILE may be left out.
    std::string importCsv;
    std::vector<std::pair<std::string, ImportTarget>> columnMaps;
    // --import-audio DIR, its --media-type TEXT and its --map TAG=FIELD assignments; with --save-as.
    std::string importAudio;
    std::string mediaType;
    std::vector<TagAssignment> tagMaps;
};

// Exit codes of the commands without a window.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;    // a file could not be read or written
inline constexpr int kExitUsageError = 2; // arguments that cannot be understood

// True when the arguments ask for a command that runs without a window.
bool isCommandLineMode(const std::vector<std::string>& args);
// The commands that draw pages, which the window library runs.
constexpr bool isPrintingMode(CommandLine::Mode mode)
{
    return mode == CommandLine::Mode::Print || mode == CommandLine::Mode::PrintPdf;
}
// The command that needs the network, which the window library runs too.
constexpr bool isNetworkMode(CommandLine::Mode mode)
{
    return mode == CommandLine::Mode::Lookup;
}
// The commands that read the disc in the drive and take --cd-device.
constexpr bool isDiscMode(CommandLine::Mode mode)
{
    return mode == CommandLine::Mode::CdInfo || mode == CommandLine::Mode::DiscId ||
           mode == CommandLine::Mode::Lookup;
}
// args excludes the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);
std::string usageText();
// The arguments without the options the toolkit takes for itself when the window starts (such as
// -platform NAME or --style=NAME), so that they are not read as the program's own.
std::vector<std::string> withoutToolkitOptions(const std::vector<std::string>& args);

// The names orders and filter fields have on the command line.
std::optional<SortOrder> orderFromName(std::string_view name);
std::string_view orderName(SortOrder order);
std::optional<FilterField> filterFieldFromName(std::string_view name);

} // namespace discora
