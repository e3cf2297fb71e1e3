#include "core/commands/commandline.h"

#include <array>

namespace discora {

namespace {

constexpr std::array<std::pair<std::string_view, SortOrder>, kSortOrderCount> kOrderNames = {{
    {"by-artist", SortOrder::ByArtist},
    {"artist-short-list", SortOrder::ByArtistShort},
    {"by-album-name", SortOrder::ByAlbumName},
    {"by-catalog-number", SortOrder::ByCatalogNumber},
    {"by-custom1", SortOrder::ByCustom1},
    {"by-custom2", SortOrder::ByCustom2},
    {"by-label", SortOrder::ByLabel},
    {"by-media-type", SortOrder::ByMediaType},
    {"by-music-type", SortOrder::ByMusicType},
    {"by-number", SortOrder::ByNumber},
    {"by-performer", SortOrder::ByPerformer},
    {"by-producer", SortOrder::ByProducer},
    {"by-quality", SortOrder::ByQuality},
    {"by-song", SortOrder::BySong},
    {"by-song-detail", SortOrder::BySongDetail},
}};

constexpr std::array<std::pair<std::string_view, FilterField>, kFilterCount> kFilterNames = {{
    {"artist", FilterField::Artist},
    {"label", FilterField::Label},
    {"media-type", FilterField::MediaType},
    {"music-type", FilterField::MusicType},
    {"quality", FilterField::Quality},
    {"performer", FilterField::Performer},
}};

template <typename Table> std::string namesOf(const Table& table)
{
    std::string names;
    for (const auto& [name, value] : table) {
        if (!names.empty())
            names += ", ";
        names += name;
    }
    return names;
}

bool isCommandOption(std::string_view a)
{
    return a == "--save-as" || a == "--list" || a == "--export-csv" || a == "--export-text";
}

} // namespace

std::optional<SortOrder> orderFromName(std::string_view name)
{
    for (const auto& [n, order] : kOrderNames)
        if (n == name)
            return order;
    return std::nullopt;
}

std::string_view orderName(SortOrder order)
{
    for (const auto& [n, o] : kOrderNames)
        if (o == order)
            return n;
    return {};
}

std::optional<FilterField> filterFieldFromName(std::string_view name)
{
    for (const auto& [n, field] : kFilterNames)
        if (n == name)
            return field;
    return std::nullopt;
}

bool isScriptingCommand(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (isCommandOption(a) || a == "--version" || a == "--help" || a == "-h")
            return true;
    return false;
}

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine cl;
    const auto fail = [&](std::string message, int code = 2) {
        cl.error = std::move(message);
        cl.errorExitCode = code;
        return cl;
    };
    bool orderGiven = false;
    bool styleGiven = false;
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
        if (isCommandOption(a)) {
            if (cl.mode != CommandLine::Mode::Window)
                return fail("only one of --save-as, --list, --export-csv and --export-text can be given");
            if (!hasValue)
                return fail(a + " needs " + (a == "--list" ? "an order" : "the name of the file to write"));
            const std::string& value = args[++i];
            if (a == "--list") {
                const auto order = orderFromName(value);
                if (!order)
                    return fail("unknown order \"" + value + "\"; the orders are: " + namesOf(kOrderNames));
                cl.mode = CommandLine::Mode::List;
                cl.order = *order;
            } else {
                cl.mode = a == "--save-as"      ? CommandLine::Mode::SaveAs
                          : a == "--export-csv" ? CommandLine::Mode::ExportCsv
                                                : CommandLine::Mode::ExportText;
                cl.output = value;
            }
        } else if (a == "--order") {
            if (!hasValue)
                return fail("--order needs an order");
            const auto order = orderFromName(args[++i]);
            if (!order)
                return fail("unknown order \"" + args[i] + "\"; the orders are: " + namesOf(kOrderNames));
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
                            "\"; write FIELD=TEXT with FIELD one of: " + namesOf(kFilterNames));
            cl.filters.emplace_back(*field, filterArg.substr(eq + 1));
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + a);
        } else if (cl.file.empty()) {
            cl.file = a;
        } else {
            return fail("only one catalogue file can be named");
        }
    }
    const bool exporting =
        cl.mode == CommandLine::Mode::ExportCsv || cl.mode == CommandLine::Mode::ExportText;
    if (orderGiven && !exporting)
        return fail("--order goes with --export-csv or --export-text");
    if (styleGiven && cl.mode != CommandLine::Mode::List)
        return fail("--style goes with --list");
    if (!cl.filters.empty() && cl.mode != CommandLine::Mode::List && !exporting)
        return fail("--filter goes with --list, --export-csv or --export-text");
    if (cl.mode != CommandLine::Mode::Window && cl.file.empty())
        return fail("name the catalogue file to read");
    return cl;
}

std::string usageText()
{
    return "Usage: discora [FILE]\n"
           "       discora --save-as OUT FILE\n"
           "       discora --list ORDER [--style normal|single-line] [--filter FIELD=TEXT]... FILE\n"
           "       discora --export-csv OUT [--order ORDER] [--filter FIELD=TEXT]... FILE\n"
           "       discora --export-text OUT [--order ORDER] [--filter FIELD=TEXT]... FILE\n"
           "       discora --version | --help\n"
           "\n"
           "Discora keeps a catalogue of a music collection in a .dcf file.\n"
           "\n"
           "  FILE                open this catalogue in the window\n"
           "  --save-as OUT FILE  read FILE (any version) and write it to OUT in the current format\n"
           "  --list ORDER FILE   print the entries of ORDER one per line, fields separated by tabs\n"
           "  --style STYLE       the view style whose ignore-\"The\" switch the order follows\n"
           "  --filter FIELD=TEXT show only albums whose FIELD begins with TEXT (any letter case)\n"
           "  --export-csv OUT    write the displayed albums as comma-separated values\n"
           "  --export-text OUT   write the displayed albums as a text document\n"
           "  --order ORDER       the album sequence of the export (by-artist by default)\n"
           "  --version           print the version and exit\n"
           "  --help              print this text and exit\n"
           "\n"
           "ORDER: " +
           namesOf(kOrderNames) + "\nFIELD: " + namesOf(kFilterNames) + "\n";
}

} // namespace discora
