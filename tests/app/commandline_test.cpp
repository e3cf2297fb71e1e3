#include "app/commandline.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, UnderstandsTheWindowAndScriptingForms)
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
    EXPECT_TRUE(isScriptingCommand({"x.dcf", "--save-as", "y"}));
    EXPECT_FALSE(isScriptingCommand({"x.dcf"}));
}

TEST(CommandLine, ReportsWhatItCannotUnderstand)
{
    for (const Args& args : {Args{"--save-as"}, Args{"--save-as", "out.dcf"}, Args{"--bogus"}, Args{"a.dcf", "b.dcf"}})
        EXPECT_FALSE(parseCommandLine(args).error.empty()) << args[0];
}

} // namespace
} // namespace discora
