#include "cli/commandline.h"

#include "core/order/filters.h"

#include <algorithm>
#include <array>

namespace discora {

namespace {

template <typename Table> std::string namesOf(const Table& table)
{
    std::string names;
    for (const auto& row : table) {
        const std::string_view name = row.name;
        if (!names.empty())
            names += ", ";
        names += name;
    }
    return names;
}

// The options that choose a command and take a value.
bool isCommandOption(std::string_view a)
{
    return a == "--save-as" || a == "--list" || a == "--export-csv" || a == "--export-text" ||
           a == "--export-html" || a == "--print-pdf";
}

CommandLine::Mode modeOfOutputOption(std::string_view a)
{
    if (a == "--save-as")
        return CommandLine::Mode::SaveAs;
    if (a == "--export-csv")
        return CommandLine::Mode::ExportCsv;
    if (a == "--export-text")
        return CommandLine::Mode::ExportText;
    if (a == "--export-html")
        return CommandLine::Mode::ExportHtml;
    return CommandLine::Mode::PrintPdf;
}

// The fields an audio tag can fill, for the messages about --map TAG=FIELD.
std::string albumFieldNameList()
{
    std::string names;
    for (Field field : importableFields())
        if (isAlbumField(field))
            names += importFieldName(field) + ", ";
    return names + "ignore";
}

// --map COLUMN=FIELD of --import-csv; the column is named by its heading, so the last '=' parts.
std::optional<std::string> readColumnMap(const std::string& mapArg, CommandLine& cl)
{
    const auto eq = mapArg.rfind('=');
    const auto target = eq == std::string::npos ? std::nullopt : importTargetFromName(mapArg.substr(eq + 1));
    if (!target || eq == 0)
        return "cannot read --map \"" + mapArg +
               "\"; write COLUMN=FIELD with FIELD one of: " + importFieldNameList();
    cl.columnMaps.emplace_back(mapArg.substr(0, eq), *target);
    return std::nullopt;
}

// --map TAG=FIELD of --import-audio.
std::optional<std::string> readTagMap(const std::string& mapArg, CommandLine& cl)
{
    const auto eq = mapArg.find('=');
    const auto tag = eq == std::string::npos ? std::nullopt : audioTagFromName(mapArg.substr(0, eq));
    const auto target = eq == std::string::npos ? std::nullopt : importTargetFromName(mapArg.substr(eq + 1));
    if (!tag || !target || (target->fillsField() && !isAlbumField(target->field)) || target->isExtra())
        return "cannot read --map \"" + mapArg +
               "\"; write TAG=FIELD with TAG one of: " + audioTagNameList() +
               "; and FIELD one of: " + albumFieldNameList();
    if (!isAlbumTag(*tag))
        return "--map \"" + mapArg + "\": title, track and disc make the songs and discs, not a field";
    cl.tagMaps.emplace_back(*tag, target->fillsField() ? std::optional<Field>(target->field) : std::nullopt);
    return std::nullopt;
}

constexpr const char* kOneCommand =
    "only one of --save-as, --list, --export-csv, --export-text, --export-html, --print, --print-pdf, "
    "--stats, --cd-info, --disc-id and --lookup can be given";

std::optional<CommandLine::Mode> discModeOf(std::string_view a)
{
    if (a == "--cd-info")
        return CommandLine::Mode::CdInfo;
    if (a == "--disc-id")
        return CommandLine::Mode::DiscId;
    if (a == "--lookup")
        return CommandLine::Mode::Lookup;
    return std::nullopt;
}

// The options the toolkit takes for itself when the window starts, with or without a value; the
// window removes them before it reads the rest, so the first reading must skip them too.
constexpr std::array<std::string_view, 12> kToolkitOptionsWithValue = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "qwindowicon",
    "qwindowtitle",    "style",
    "stylesheet",      "session",
    "display",         "geometry"};
constexpr std::array<std::string_view, 4> kToolkitFlags = {"reverse", "widgetcount", "nograb", "dograb"};

std::string_view toolkitOptionName(std::string_view a)
{
    if (a.starts_with("--"))
        a.remove_prefix(2);
    else if (a.starts_with("-"))
        a.remove_prefix(1);
    else
        return {};
    if (const auto eq = a.find('='); eq != std::string_view::npos)
        a = a.substr(0, eq);
    return a;
}

} // namespace

std::optional<SortOrder> orderFromName(std::string_view name)
{
    for (const SortOrderInfo& info : kSortOrders)
        if (info.name == name)
            return info.order;
    return std::nullopt;
}

std::string_view orderName(SortOrder order)
{
    return sortOrderInfo(order).name;
}

std::optional<FilterField> filterFieldFromName(std::string_view name)
{
    for (const FilterFieldInfo& info : kFilterFields)
        if (info.name == name)
            return info.id;
    return std::nullopt;
}

bool isCommandLineMode(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (isCommandOption(a) || a == "--print" || a == "--stats" || discModeOf(a) || a == "--import-csv" ||
            a == "--import-audio" || a == "--version" || a == "--help" || a == "-h")
            return true;
    return false;
}

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine cl;
    const auto fail = [&](std::string message) {
        cl.error = std::move(message);
        return cl;
    };
    bool orderGiven = false;
    bool styleGiven = false;
    bool mediaTypeGiven = false;
    std::vector<std::string> maps;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--help" || a == "-h") {
            cl.mode = CommandLine::Mode::Help;
            return cl;
        }
        if (a == "--version") {
            cl.mode = CommandLine::Mode::Version;
            return cl;
        }
        if (a == "--print") {
            if (cl.mode != CommandLine::Mode::Window)
                return fail(kOneCommand);
            cl.mode = CommandLine::Mode::Print;
        } else if (a == "--stats") {
            if (cl.mode != CommandLine::Mode::Window)
                return fail(kOneCommand);
            cl.mode = CommandLine::Mode::Stats;
        } else if (const auto discMode = discModeOf(a)) {
            if (cl.mode != CommandLine::Mode::Window)
                return fail(kOneCommand);
            cl.mode = *discMode;
        } else if (a == "--cd-device") {
            if (!hasValue)
                return fail("--cd-device needs the drive's device file or a disc image");
            cl.cdDevice = args[++i];
            if (cl.cdDevice.empty())
                return fail("--cd-device needs the drive's device file or a disc image");
        } else if (isCommandOption(a)) {
            if (cl.mode != CommandLine::Mode::Window)
                return fail(kOneCommand);
            if (!hasValue)
                return fail(a + " needs " +
                            (a == "--list"          ? "an order"
                             : a == "--export-html" ? "the folder to write"
                                                    : "the name of the file to write"));
            const std::string& value = args[++i];
            if (a == "--list") {
                const auto order = orderFromName(value);
                if (!order)
                    return fail("unknown order \"" + value + "\"; the orders are: " + namesOf(kSortOrders));
                cl.mode = CommandLine::Mode::List;
                cl.order = *order;
            } else {
                cl.mode = modeOfOutputOption(a);
                cl.output = value;
            }
        } else if (a == "--order") {
            if (!hasValue)
                return fail("--order needs an order");
            const auto order = orderFromName(args[++i]);
            if (!order)
                return fail("unknown order \"" + args[i] + "\"; the orders are: " + namesOf(kSortOrders));
            cl.order = *order;
            orderGiven = true;
        } else if (a == "--style") {
            if (!hasValue)
                return fail("--style needs normal or single-line");
            const std::string& style = args[++i];
            if (style == "normal")
                cl.style = ViewStyle::Normal;
            else if (style == "single-line")
                cl.style = ViewStyle::SingleLineSorts;
            else
                return fail("unknown style \"" + style + "\"; the styles are: normal, single-line");
            styleGiven = true;
        } else if (a == "--filter") {
            if (!hasValue)
                return fail("--filter needs FIELD=TEXT");
            const std::string& filterArg = args[++i];
            const auto eq = filterArg.find('=');
            const auto field = filterFieldFromName(filterArg.substr(0, eq));
            if (eq == std::string::npos || !field)
                return fail("unknown filter \"" + filterArg +
                            "\"; write FIELD=TEXT with FIELD one of: " + namesOf(kFilterFields));
            if (auto problem = filterProblem(*field, filterArg.substr(eq + 1)))
                return fail("--filter " + filterArg + ": " + *problem);
            cl.filters.emplace_back(*field, filterArg.substr(eq + 1));
        } else if (a == "--with-details") {
            cl.withDetails = true;
        } else if (a == "--import-csv") {
            if (!hasValue)
                return fail("--import-csv needs the name of the file to read");
            cl.importCsv = args[++i];
        } else if (a == "--import-audio") {
            if (!hasValue || args[i + 1].empty())
                return fail("--import-audio needs the folder to read");
            cl.importAudio = args[++i];
        } else if (a == "--media-type") {
            if (!hasValue)
                return fail("--media-type needs the text for the albums' media type");
            cl.mediaType = args[++i];
            mediaTypeGiven = true;
        } else if (a == "--map") {
            if (!hasValue)
                return fail("--map needs COLUMN=FIELD or TAG=FIELD");
            maps.push_back(args[++i]);
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + a);
        } else if (cl.file.empty()) {
            cl.file = a;
        } else {
            return fail("only one catalogue file can be named");
        }
    }
    const bool exporting = cl.mode == CommandLine::Mode::ExportCsv ||
                           cl.mode == CommandLine::Mode::ExportText ||
                           cl.mode == CommandLine::Mode::ExportHtml;
    const bool toPdf = cl.mode == CommandLine::Mode::PrintPdf;
    if (orderGiven && !exporting && !toPdf)
        return fail("--order goes with --export-csv, --export-text, --export-html or --print-pdf");
    if (styleGiven && cl.mode != CommandLine::Mode::List && !toPdf)
        return fail("--style goes with --list or --print-pdf");
    if (!cl.filters.empty() && cl.mode != CommandLine::Mode::List && cl.mode != CommandLine::Mode::Stats &&
        !exporting && !toPdf)
        return fail(
            "--filter goes with --list, --stats, --export-csv, --export-text, --export-html or --print-pdf");
    if (cl.withDetails && cl.mode != CommandLine::Mode::ExportCsv)
        return fail("--with-details goes with --export-csv");
    if (!cl.cdDevice.empty() && cl.mode != CommandLine::Mode::Window && !isDiscMode(cl.mode))
        return fail("--cd-device goes with --cd-info, --disc-id, --lookup or the window");
    if (!cl.importCsv.empty() && !cl.importAudio.empty())
        return fail("only one of --import-csv and --import-audio can be given");
    if (!cl.importCsv.empty() && cl.mode != CommandLine::Mode::SaveAs)
        return fail("--import-csv goes with --save-as");
    if (!cl.importAudio.empty() && cl.mode != CommandLine::Mode::SaveAs)
        return fail("--import-audio goes with --save-as");
    if (mediaTypeGiven && cl.importAudio.empty())
        return fail("--media-type goes with --import-audio");
    if (!maps.empty() && cl.importCsv.empty() && cl.importAudio.empty())
        return fail("--map goes with --import-csv or --import-audio");
    for (const std::string& mapArg : maps)
        if (auto error = cl.importAudio.empty() ? readColumnMap(mapArg, cl) : readTagMap(mapArg, cl))
            return fail(std::move(*error));
    if (isDiscMode(cl.mode)) {
        if (!cl.file.empty())
            return fail(std::string(cl.mode == CommandLine::Mode::CdInfo   ? "--cd-info"
                                    : cl.mode == CommandLine::Mode::DiscId ? "--disc-id"
                                                                           : "--lookup") +
                        " reads the disc, not a catalogue file");
        return cl;
    }
    if (cl.mode != CommandLine::Mode::Window && cl.file.empty() && cl.importCsv.empty() &&
        cl.importAudio.empty())
        return fail("name the catalogue file to read");
    return cl;
}

std::vector<std::string> withoutToolkitOptions(const std::vector<std::string>& args)
{
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = toolkitOptionName(args[i]);
        const auto in = [&](const auto& names) {
            return std::find(names.begin(), names.end(), name) != names.end();
        };
        if (!name.empty() && in(kToolkitOptionsWithValue)) {
            if (args[i].find('=') == std::string::npos)
                ++i;
            continue;
        }
        if (!name.empty() && in(kToolkitFlags))
            continue;
        kept.push_back(args[i]);
    }
    return kept;
}

std::string usageText()
{
    return "Usage: discora [--cd-device PATH] [FILE]\n"
           "       discora --save-as OUT FILE\n"
           "       discora --import-csv IN [--map COLUMN=FIELD]... --save-as OUT [FILE]\n"
           "       discora --import-audio DIR [--media-type TEXT] [--map TAG=FIELD]... --save-as OUT [FILE]\n"
           "       discora --list ORDER [--style normal|single-line] [--filter FIELD=TEXT]... FILE\n"
           "       discora --export-csv OUT [--order ORDER] [--filter FIELD=TEXT]... [--with-details] FILE\n"
           "       discora --export-text OUT [--order ORDER] [--filter FIELD=TEXT]... FILE\n"
           "       discora --export-html OUTDIR [--order ORDER] [--filter FIELD=TEXT]... FILE\n"
           "       discora --stats [--filter FIELD=TEXT]... FILE\n"
           "       discora --print FILE\n"
           "       discora --print-pdf OUT [--order ORDER] [--style normal|single-line] [--filter "
           "FIELD=TEXT]... "
           "FILE\n"
           "       discora --cd-info [--cd-device PATH]\n"
           "       discora --disc-id [--cd-device PATH]\n"
           "       discora --lookup [--cd-device PATH]\n"
           "       discora --version | --help\n"
           "\n"
           "Discora keeps a catalogue of a music collection in a .dcf file.\n"
           "\n"
           "  FILE                open this catalogue in the window\n"
           "  --save-as OUT FILE  read FILE (any version) and write it to OUT in the current format\n"
           "  --import-csv IN     add the rows of the comma-separated file IN to the albums of FILE (or of\n"
           "                      a new catalogue) and write the result to OUT\n"
           "  --map COLUMN=FIELD  fill FIELD from COLUMN (its heading, or its number counted from 1);\n"
           "                      the columns are otherwise chosen from their headings\n"
           "  --import-audio DIR  add the albums of the audio files in the folder DIR and below (FLAC, Ogg\n"
           "                      Vorbis, Opus, MP3, MP4/M4A, WAV, AIFF), one album a disc, to the albums\n"
           "                      of FILE (or of a new catalogue) and write the result to OUT\n"
           "  --media-type TEXT   the media type of those albums (normally each album's format)\n"
           "  --map TAG=FIELD     with --import-audio: fill FIELD from the tag TAG, or ignore it\n"
           "  --list ORDER FILE   print the entries of ORDER one per line, fields separated by tabs;\n"
           "                      a tab, line break, carriage return or backslash inside a text is\n"
           "                      written \\t, \\n, \\r or \\\\\n"
           "  --style STYLE       the view style: whose ignore-\"The\" switch the order follows, and\n"
           "                      how --print-pdf lays out an album order\n"
           "  --filter FIELD=TEXT show only albums whose FIELD begins with TEXT (any letter case);\n"
           "                      TEXT in double quotes keeps only that whole text: music-type='\"Rock\"'\n"
           "                      leaves out Rock and Roll, media-type='\"\"' keeps the albums without\n"
           "                      one; performer and producer match any performer or producer;\n"
           "                      status=Wanted (In Collection, Wanted, Ordered, Sold, or Want List for\n"
           "                      Wanted and Ordered), year=1970-1979 (or 1975, 1970-, -1979),\n"
           "                      condition=VG+ (the media's or the sleeve's grade), rating=3 (0 to 5\n"
           "                      stars, 0 for no rating), on-loan=yes|no, overdue=yes|no\n"
           "  --export-csv OUT    write the displayed albums as comma-separated values\n"
           "  --with-details      with --export-csv: the collection details (status, year, barcode,\n"
           "                      location, purchase, value, condition, rating, dates, loans) as\n"
           "                      further columns\n"
           "  --export-text OUT   write the displayed albums as a text document\n"
           "  --export-html OUTDIR write the displayed albums as a web page: OUTDIR/index.html (and\n"
           "                      page-2.html on for many albums) with the covers' thumbnails in\n"
           "                      OUTDIR/covers; OUTDIR must be new, empty or an earlier web page\n"
           "  --stats FILE        print the statistics of the displayed albums: a [Heading] line for\n"
           "                      each group, then one NAME<TAB>VALUE line a figure\n"
           "  --order ORDER       the album sequence of the export, or the order --print-pdf prints\n"
           "                      (by-artist by default)\n"
           "  --print FILE        print FILE on the default printer\n"
           "  --print-pdf OUT     write the printed pages of FILE to the PDF file OUT\n"
           "  --cd-info           print the track times of the disc in the CD drive, one track a line\n"
           "  --disc-id           print the disc's MusicBrainz disc ID, its FreeDB ID and the address\n"
           "                      where the disc can be added to MusicBrainz; nothing is sent\n"
           "  --lookup            send the disc's ID to MusicBrainz and print the releases holding it,\n"
           "                      then the tracks of this disc: number, MM:SS and title, tab-separated\n"
           "  --cd-device PATH    the CD drive (a device file) or disc image (.cue) to use instead of\n"
           "                      the \"CD drive\" setting; DISCORA_CD_DEVICE does the same\n"
           "  --version           print the version and exit\n"
           "  --help              print this text and exit\n"
           "\n"
           "ORDER: " +
           namesOf(kSortOrders) + "\nFIELD: " + namesOf(kFilterFields) +
           "\nFIELD of --map: " + importFieldNameList() + "\nTAG of --map: " + audioTagNameList() +
           " (an audio TAG fills one of the album's fields, not a song)" +
           "\n"
           "\n"
           "Settings: $XDG_CONFIG_HOME/Quorvane/Discora.conf (normally ~/.config/Quorvane/Discora.conf);\n"
           "the commands without a window read them too.\n"
           "Environment: XDG_CONFIG_HOME, DISPLAY or WAYLAND_DISPLAY for the window, QT_QPA_PLATFORM,\n"
           "DISCORA_CD_DEVICE (the CD drive when --cd-device is not given), DISCORA_MUSICBRAINZ_URL (the\n"
           "MusicBrainz server instead of the \"MusicBrainz server\" setting), DISCORA_COVERART_URL (the\n"
           "Cover Art Archive the window's Look Up Online fetches front covers from).\n"
           "Exit status: 0 success, 1 a file could not be read or written (nothing is written) or the\n"
           "disc could not be read or looked up,\n"
           "2 arguments that cannot be understood.\n"
           "More: man discora, and Help Topics (F1) in the window.\n";
}

} // namespace discora
