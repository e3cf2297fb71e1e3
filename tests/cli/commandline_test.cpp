#include "cli/commandline.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, UnderstandsTheWindowAndCommandLineForms)
{
    EXPECT_EQ(parseCommandLine({}).mode, CommandLine::Mode::Window);
    const CommandLine open = parseCommandLine({"music.dcf"});
    EXPECT_EQ(open.file, "music.dcf");
    EXPECT_TRUE(open.error.empty());

    const CommandLine save = parseCommandLine({"--save-as", "out.dcf", "in.dcf"});
    EXPECT_EQ(save.mode, CommandLine::Mode::SaveAs);
    EXPECT_EQ(save.output, "out.dcf");
    EXPECT_EQ(save.file, "in.dcf");
    EXPECT_EQ(parseCommandLine({"in.dcf", "--save-as", "out.dcf"}).file, "in.dcf");

    EXPECT_EQ(parseCommandLine({"--version"}).mode, CommandLine::Mode::Version);
    EXPECT_EQ(parseCommandLine({"--help"}).mode, CommandLine::Mode::Help);
    EXPECT_TRUE(isCommandLineMode({"x.dcf", "--save-as", "y"}));
    EXPECT_FALSE(isCommandLineMode({"x.dcf"}));
}

TEST(CommandLine, ReportsWhatItCannotUnderstand)
{
    for (const Args& args :
         {Args{"--save-as"}, Args{"--save-as", "out.dcf"}, Args{"--bogus"}, Args{"a.dcf", "b.dcf"}})
        EXPECT_FALSE(parseCommandLine(args).error.empty()) << args[0];
}

} // namespace
} // namespace discora

namespace discora {
namespace {

TEST(CommandLine, ListTakesAnOrderAStyleAndFilters)
{
    const CommandLine cl = parseCommandLine({"--list", "by-performer", "--style", "single-line", "--filter",
                                             "music-type=Rock", "--filter", "performer=", "music.dcf"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.mode, CommandLine::Mode::List);
    EXPECT_EQ(cl.order, SortOrder::ByPerformer);
    EXPECT_EQ(cl.style, ViewStyle::SingleLineSorts);
    ASSERT_EQ(cl.filters.size(), 2u);
    EXPECT_EQ(cl.filters[0].first, FilterField::MusicType);
    EXPECT_EQ(cl.filters[0].second, "Rock");
    EXPECT_EQ(cl.filters[1].first, FilterField::Performer);
    EXPECT_EQ(cl.filters[1].second, "");
}

TEST(CommandLine, UnknownOrdersAndFieldsListTheValidNames)
{
    const CommandLine order = parseCommandLine({"--list", "by-color", "x.dcf"});
    EXPECT_NE(order.error.find("by-song-detail"), std::string::npos);
    const CommandLine field = parseCommandLine({"--list", "by-artist", "--filter", "colour=red", "x.dcf"});
    EXPECT_NE(field.error.find("media-type"), std::string::npos);
    EXPECT_NE(field.error.find("on-loan"), std::string::npos);
    EXPECT_FALSE(parseCommandLine({"--list", "by-artist", "--style", "wide", "x.dcf"}).error.empty());
}

TEST(CommandLine, TheCollectionsFiltersAndDetailColumnsAreCheckedAsTheyAreRead)
{
    const CommandLine ok = parseCommandLine({"--export-csv", "o.csv", "--filter", "status=Want List",
                                             "--filter", "year=1970-1979", "--with-details", "x.dcf"});
    ASSERT_EQ(ok.error, "");
    EXPECT_TRUE(ok.withDetails);
    ASSERT_EQ(ok.filters.size(), 2u);
    EXPECT_EQ(ok.filters[0].first, FilterField::Status);
    EXPECT_EQ(ok.filters[1].second, "1970-1979");

    for (const auto& [args, says] :
         {std::pair{std::vector<std::string>{"--list", "by-artist", "--filter", "year=soon", "x.dcf"},
                    "1970-1979"},
          std::pair{std::vector<std::string>{"--list", "by-artist", "--filter", "on-loan=perhaps", "x.dcf"},
                    "Yes or No"},
          std::pair{std::vector<std::string>{"--list", "by-artist", "--filter", "status=Lent", "x.dcf"},
                    "Want List"},
          std::pair{std::vector<std::string>{"--list", "by-artist", "--with-details", "x.dcf"},
                    "--export-csv"}}) {
        const std::string error = parseCommandLine(args).error;
        EXPECT_NE(error.find(says), std::string::npos) << error;
    }
}

TEST(CommandLine, EveryOrderHasAName)
{
    for (int o = 0; o < kSortOrderCount; ++o) {
        const auto order = static_cast<SortOrder>(o);
        EXPECT_EQ(orderFromName(orderName(order)), order);
    }
}

TEST(CommandLine, ExportsTakeAnOrder)
{
    const CommandLine cl = parseCommandLine({"--export-csv", "out.csv", "--order", "by-song", "in.dcf"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.mode, CommandLine::Mode::ExportCsv);
    EXPECT_EQ(cl.output, "out.csv");
    EXPECT_EQ(cl.order, SortOrder::BySong);
    EXPECT_FALSE(parseCommandLine({"--order", "by-song", "in.dcf"}).error.empty());
}

} // namespace
} // namespace discora

namespace discora {
namespace {

TEST(CommandLine, PrintingToPdfTakesAnOrderAStyleAndFilters)
{
    const CommandLine cl = parseCommandLine({"--print-pdf", "out.pdf", "--order", "by-label", "--style",
                                             "single-line", "--filter", "label=EMI", "in.dcf"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.mode, CommandLine::Mode::PrintPdf);
    EXPECT_EQ(cl.output, "out.pdf");
    EXPECT_EQ(cl.file, "in.dcf");
    EXPECT_EQ(cl.order, SortOrder::ByLabel);
    EXPECT_EQ(cl.style, ViewStyle::SingleLineSorts);
    ASSERT_EQ(cl.filters.size(), 1u);
    EXPECT_TRUE(isPrintingMode(cl.mode));

    const CommandLine print = parseCommandLine({"--print", "in.dcf"});
    EXPECT_EQ(print.mode, CommandLine::Mode::Print);
    EXPECT_EQ(print.file, "in.dcf");
    EXPECT_TRUE(isCommandLineMode({"--print", "in.dcf"}));
}

TEST(CommandLine, PrintingArgumentsThatCannotBeUnderstood)
{
    for (const Args& args :
         {Args{"--print-pdf"}, Args{"--print-pdf", "out.pdf"}, Args{"--print"},
          Args{"--print", "--order", "by-label", "in.dcf"}, Args{"--print", "--list", "by-song", "in.dcf"},
          Args{"--print-pdf", "a.pdf", "--print", "in.dcf"}})
        EXPECT_FALSE(parseCommandLine(args).error.empty()) << args[0] << " " << args.size();
}

TEST(LookupCommandLine, DiscModesTakeTheDriveAndNoFile)
{
    const struct
    {
        std::vector<std::string> args;
        CommandLine::Mode mode;
        bool error;
    } cases[] = {
        {{"--disc-id"}, CommandLine::Mode::DiscId, false},
        {{"--lookup", "--cd-device", "disc.cue"}, CommandLine::Mode::Lookup, false},
        {{"--lookup", "albums.dcf"}, CommandLine::Mode::Lookup, true},
        {{"--disc-id", "--lookup"}, CommandLine::Mode::DiscId, true},
        {{"--cd-info", "--disc-id"}, CommandLine::Mode::CdInfo, true},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(isCommandLineMode(c.args));
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(!cl.error.empty(), c.error) << c.args.front() << ": " << cl.error;
        if (!c.error) {
            EXPECT_EQ(cl.mode, c.mode);
        }
    }
}

} // namespace
} // namespace discora
