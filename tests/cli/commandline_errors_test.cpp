// The program run from the command line as a user runs it: every error exits with its documented
// code, says why on standard error and writes nothing; --save-as through a link replaces the file
// the link names.
#include "cli/commandline.h"
#include "core/document/cataloguedocument.h"
#include "support/documentfixture.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::fileBytes;

struct Outcome
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// What the program finds in its environment: variables taken away, then variables set.
struct Environment
{
    std::vector<const char*> unset;
    std::vector<std::pair<const char*, const char*>> set;
};

// Runs discora with args; as an unprivileged user when asked and the tests run as root (root reads
// and writes whatever the permissions say).
Outcome runDiscora(const std::vector<std::string>& args, const fs::path& scratch, bool unprivileged,
                   const Environment& env = {})
{
    const fs::path outFile = scratch / "stdout";
    const fs::path errFile = scratch / "stderr";
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, 1);
        ::dup2(err, 2);
        // A run that hangs is ended, and fails its test, rather than holding every other test.
        ::alarm(60);
        for (const char* name : env.unset)
            ::unsetenv(name);
        for (const auto& [name, value] : env.set)
            ::setenv(name, value, 1);
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        std::vector<char*> argv{const_cast<char*>(DISCORA_EXECUTABLE)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(DISCORA_EXECUTABLE, argv.data());
        ::_exit(98);
    }
    ::close(out);
    ::close(err);
    int status = 0;
    ::waitpid(pid, &status, 0);
    // Qt's notice about a missing XDG_RUNTIME_DIR concerns the test machine, not the program.
    std::istringstream errLines(fileBytes(errFile));
    std::string errText;
    for (std::string line; std::getline(errLines, line);)
        if (!line.starts_with("QStandardPaths: "))
            errText += line + "\n";
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileBytes(outFile), errText};
}

// Every file and folder under root with its contents, to see that nothing was written.
std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        files[fs::relative(e.path(), root).string()] = e.is_regular_file() ? fileBytes(e.path()) : "(folder)";
    return files;
}

class CommandLineRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char base[] = "/tmp/discora-cli-XXXXXX";
        ASSERT_NE(::mkdtemp(base), nullptr);
        m_base = base;
        m_dir = m_base / "work";
        fs::create_directories(m_dir / "folder");
        fs::create_directories(m_dir / "locked");
        fs::create_directories(m_base / "scratch");
        CatalogueDocument doc;
        fixture::loadAlbums(doc, {fixture::albumOf("Can", "Tago Mago"), fixture::albumOf("Ant", "Kings")});
        ASSERT_TRUE(doc.saveFile((m_dir / "cat.dcf").string()));
        std::ofstream(m_dir / "damaged.dcf") << "not a catalogue";
        fs::create_hard_link(m_dir / "cat.dcf", m_dir / "same.dcf");
        ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0644), 0);
        std::ofstream(m_dir / "albums.csv") << "Group/Artist,Album Name\nCan,Soon Over Babaluma\n";
        fs::copy_file(m_dir / "cat.dcf", m_dir / "secret.dcf");
        fs::permissions(m_dir / "secret.dcf", fs::perms::none);
        fs::permissions(m_dir / "locked", fs::perms(0555));
        for (const fs::path& p : {m_base, m_dir, m_dir / "folder"})
            fs::permissions(p, fs::perms(0755));
        fs::permissions(m_base / "scratch", fs::perms(0777));
    }
    void TearDown() override
    {
        fs::permissions(m_dir / "locked", fs::perms(0755));
        fs::remove_all(m_base);
    }

    std::vector<std::string> expand(const std::vector<std::string>& args) const
    {
        std::vector<std::string> out;
        for (std::string a : args) {
            if (const auto at = a.find("$DIR"); at != std::string::npos)
                a.replace(at, 4, m_dir.string());
            out.push_back(a);
        }
        return out;
    }

    fs::path m_base;
    fs::path m_dir;
};

struct ErrorCase
{
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    bool unprivileged = false;
    const char* mentioned = ""; // a text the message must contain
};

TEST_F(CommandLineRun, EveryErrorExitsWithItsCodeAndWritesNothing)
{
    const ErrorCase cases[] = {
        {"unknown order to list",
         {"--list", "by-colour", "$DIR/cat.dcf"},
         kExitUsageError,
         false,
         "by-artist"},
        {"unknown order to export",
         {"--export-csv", "$DIR/out.csv", "--order", "by-colour", "$DIR/cat.dcf"},
         kExitUsageError,
         false,
         "by-song-detail"},
        {"unknown field",
         {"--export-text", "$DIR/out.doc", "--filter", "colour=red", "$DIR/cat.dcf"},
         kExitUsageError,
         false,
         "media-type"},
        {"no file named", {"--save-as", "$DIR/out.dcf"}, kExitUsageError},
        {"missing file",
         {"--export-csv", "$DIR/out.csv", "$DIR/missing.dcf"},
         kExitFailure,
         false,
         "missing.dcf"},
        {"not a catalogue",
         {"--save-as", "$DIR/out.dcf", "$DIR/damaged.dcf"},
         kExitFailure,
         false,
         "damaged"},
        {"unreadable file", {"--list", "by-artist", "$DIR/secret.dcf"}, kExitFailure, true, "secret.dcf"},
        {"a folder to read", {"--list", "by-song", "$DIR/folder"}, kExitFailure, false, "folder"},
        {"unwritable output",
         {"--export-csv", "$DIR/locked/out.csv", "$DIR/cat.dcf"},
         kExitFailure,
         true,
         "Permission denied"},
        {"output in a missing folder",
         {"--save-as", "$DIR/none/out.dcf", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "does not exist"},
        {"a folder as output",
         {"--export-text", "$DIR/folder", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "folder"},
        {"a pipe as the catalogue",
         {"--list", "by-artist", "$DIR/pipe"},
         kExitFailure,
         false,
         "not a regular file"},
        {"a device to import",
         {"--import-csv", "/dev/zero", "--save-as", "$DIR/out.dcf"},
         kExitFailure,
         false,
         "not a regular file"},
        {"a pipe to save to",
         {"--save-as", "$DIR/pipe", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "not a regular file"},
        {"a pipe to export to",
         {"--export-csv", "$DIR/pipe", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "not a regular file"},
        {"a pipe to print to",
         {"--print-pdf", "$DIR/pipe", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "not a regular file"},
        {"a pipe to import into",
         {"--import-csv", "$DIR/albums.csv", "--save-as", "$DIR/pipe"},
         kExitFailure,
         false,
         "not a regular file"},
        {"a PDF over its own catalogue",
         {"--print-pdf", "$DIR/cat.dcf", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "catalogue itself"},
        {"an export over its catalogue spelled otherwise",
         {"--export-csv", "$DIR/../work/./cat.dcf", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "catalogue itself"},
        {"an export over a link to its catalogue",
         {"--export-text", "$DIR/same.dcf", "$DIR/cat.dcf"},
         kExitFailure,
         false,
         "catalogue itself"},
    };
    const auto before = snapshot(m_dir);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = runDiscora(expand(c.args), m_base / "scratch", c.unprivileged);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("discora: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.mentioned), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(m_dir), before);
    }
}

TEST_F(CommandLineRun, SaveAsThroughALinkReplacesTheFileTheLinkNames)
{
    std::ofstream(m_dir / "folder" / "real.dcf") << "old";
    fs::create_symlink("folder/real.dcf", m_dir / "link.dcf");
    const Outcome run = runDiscora({"--save-as", (m_dir / "link.dcf").string(), (m_dir / "cat.dcf").string()},
                                   m_base / "scratch", false);
    ASSERT_EQ(run.exitCode, kExitSuccess) << run.err;
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.dcf"));
    EXPECT_EQ(fileBytes(m_dir / "folder" / "real.dcf"), fileBytes(m_dir / "cat.dcf"));
}

TEST_F(CommandLineRun, SaveAsOverItsOwnFileConvertsInPlace)
{
    const std::string before = fileBytes(m_dir / "cat.dcf");
    const Outcome run = runDiscora({"--save-as", (m_dir / "cat.dcf").string(), (m_dir / "cat.dcf").string()},
                                   m_base / "scratch", false);
    EXPECT_EQ(run.exitCode, kExitSuccess) << run.err;
    EXPECT_EQ(fileBytes(m_dir / "cat.dcf"), before);
}

TEST_F(CommandLineRun, NoModeButTheWindowNeedsADisplay)
{
    const Environment environments[] = {
        {{"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, {{"DISPLAY", ":99"}}},
        {{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, {}},
    };
    const fs::path pdf = m_dir / "out.pdf";
    for (const Environment& env : environments) {
        SCOPED_TRACE(env.set.empty() ? "no display" : "a display that is not there");
        const Outcome help = runDiscora({"--help"}, m_base / "scratch", false, env);
        EXPECT_EQ(help.exitCode, kExitSuccess) << help.err;
        EXPECT_EQ(help.out, usageText());

        for (const char* unknown : {"--colour", "-x"}) {
            const Outcome wrong =
                runDiscora({unknown, (m_dir / "cat.dcf").string()}, m_base / "scratch", false, env);
            EXPECT_EQ(wrong.exitCode, kExitUsageError) << wrong.err;
            EXPECT_EQ(wrong.err.rfind("discora: unknown option", 0), 0u) << wrong.err;
            EXPECT_NE(wrong.err.find(usageText()), std::string::npos) << wrong.err;
        }

        fs::remove(pdf);
        const Outcome printed = runDiscora({"--print-pdf", pdf.string(), (m_dir / "cat.dcf").string()},
                                           m_base / "scratch", false, env);
        EXPECT_EQ(printed.exitCode, kExitSuccess) << printed.err;
        EXPECT_EQ(fileBytes(pdf).rfind("%PDF-", 0), 0u);
    }
}

} // namespace
} // namespace discora
