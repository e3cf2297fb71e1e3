// Saving and exporting as the disk sees it: through symbolic links, keeping permissions, in a
// folder where no file can be created, and killed at random moments.
#include "cataloguegenerator.h"
#include "core/document/cataloguedocument.h"
#include "core/export/exportfile.h"
#include "core/fileformat/atomicfile.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/model/columnlayout.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::fileBytes;
using fixture::putFileBytes;

mode_t permissions(const fs::path& p)
{
    struct stat st
    {
    };
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
}

class FileWrite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char name[] = "/tmp/discora-filewrite-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_dir = name;
        // Searchable by the unprivileged user some tests run as.
        fs::permissions(m_dir, fs::perms(0755));
    }
    void TearDown() override
    {
        for (const auto& e : fs::recursive_directory_iterator(m_dir))
            if (fs::is_directory(e.symlink_status()))
                fs::permissions(e.path(), fs::perms(0755));
        fs::remove_all(m_dir);
    }

    // Everything in folder, links included, by name.
    std::vector<std::string> entries(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
};

struct LinkCase
{
    const char* name;
    const char* link;   // what the path given to the save is a link to, relative to the folder
    bool targetExists;  // whether the file the links end at is there before the save
    const char* target; // the file the links end at
};

TEST_F(FileWrite, SaveAndExportWriteThroughSymbolicLinksAndKeepPermissions)
{
    const LinkCase cases[] = {
        {"relative", "real.dcf", true, "real.dcf"},
        {"into a subfolder", "sub/real.dcf", true, "sub/real.dcf"},
        {"chain of two", "hop", true, "sub/real.dcf"}, // hop -> sub/real.dcf
        {"absolute", "", true, "sub/real.dcf"},        // an absolute path to sub/real.dcf
        {"dangling", "sub/new.dcf", false, "sub/new.dcf"},
    };
    CatalogueDocument doc;
    doc.newDocument();
    doc.enterAlbum(AlbumRecord{});
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "sub");
        if (c.targetExists) {
            putFileBytes(m_dir / c.target, "old");
            fs::permissions(m_dir / c.target, fs::perms(0640));
        }
        fs::create_symlink("sub/real.dcf", m_dir / "hop");
        const std::string linkText = *c.link ? std::string(c.link) : (m_dir / c.target).string();
        fs::create_symlink(linkText, m_dir / "link.dcf");
        const std::vector<std::string> before = entries(m_dir);

        ASSERT_TRUE(doc.saveFile((m_dir / "link.dcf").string()));
        EXPECT_TRUE(fs::is_symlink(m_dir / "link.dcf"));
        EXPECT_EQ(fs::read_symlink(m_dir / "link.dcf"), linkText);
        EXPECT_EQ(fileBytes(m_dir / c.target), doc.save());
        if (c.targetExists) {
            EXPECT_EQ(permissions(m_dir / c.target), 0640u);
        }

        ASSERT_TRUE(writeExportFile((m_dir / "link.dcf").string(), {"exported", false}));
        EXPECT_TRUE(fs::is_symlink(m_dir / "link.dcf"));
        EXPECT_EQ(fileBytes(m_dir / c.target), "exported");
        EXPECT_EQ(entries(m_dir), before) << "no file left over";
    }
}

// Runs work in a child process, as an unprivileged user when the tests run as root (root may
// create files in any folder), and returns its exit code.
int runUnprivileged(const std::function<int()>& work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(FileWrite, AFolderWhereNoFileCanBeCreatedIsWrittenInPlace)
{
    const fs::path locked = m_dir / "locked";
    fs::create_directory(locked);
    const fs::path writable = locked / "music.dcf";
    const fs::path readOnly = locked / "kept.dcf";
    putFileBytes(writable, "the old catalogue, longer than the new one");
    putFileBytes(readOnly, "kept");
    fs::permissions(writable, fs::perms(0666));
    fs::permissions(readOnly, fs::perms(0444));
    fs::permissions(locked, fs::perms(0555));
    struct stat before
    {
    };
    ASSERT_EQ(::stat(writable.c_str(), &before), 0);

    const int wrote = runUnprivileged([&] { return writeFileAtomically(writable.string(), "new") ? 0 : 1; });
    EXPECT_EQ(wrote, 0);
    EXPECT_EQ(fileBytes(writable), "new");
    struct stat after
    {
    };
    ASSERT_EQ(::stat(writable.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0666u);

    const int refused =
        runUnprivileged([&] { return writeFileAtomically(readOnly.string(), "new") ? 0 : 1; });
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(fileBytes(readOnly), "kept");
    EXPECT_EQ(entries(locked), (std::vector<std::string>{"kept.dcf", "music.dcf"}));
}

// Returns once the save pid has written at least bytes bytes of its temporary file into dir (at once
// for a negative count), or has ended; the save is left unreaped. The temporary file may have no
// name, so it is found among the files the save has open.
void waitUntilWritten(pid_t pid, const fs::path& dir, long long bytes)
{
    const fs::path open = fs::path("/proc") / std::to_string(pid) / "fd";
    while (bytes >= 0) {
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == pid)
            return;
        std::error_code error;
        for (const auto& e : fs::directory_iterator(open, error)) {
            std::error_code gone;
            const fs::path file = fs::read_symlink(e.path(), gone);
            struct stat st
            {
            };
            if (!gone && file.parent_path() == dir && ::stat(e.path().c_str(), &st) == 0 &&
                S_ISREG(st.st_mode) && file.filename() != "big.dcf" && st.st_size >= bytes)
                return;
        }
        std::this_thread::yield();
    }
}

// A save of 20,000 albums over an existing catalogue of 2,000, killed at 30 moments spread over its
// writing to the disk, measured in bytes written (the bytes are made in memory, which a kill cannot
// harm): before the temporary file exists, while it fills, once it is full and being synced and
// renamed, and after. The target is always one whole file, and what a kill leaves behind is a
// hidden file whose name does not end in ".dcf".
TEST_F(FileWrite, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    // Few songs and performers keep the generator quick; the file still holds every list, and the
    // new one collection details after them.
    const auto bytesOf = [](int albums, std::uint32_t seed) {
        AlbumStore store = generateCatalogue(albums, seed, {3.0, 1.0, 1});
        if (seed == 2)
            for (int a = 0; a < albums; a += 7)
                store.setText(Field::Location, a, "Shelf " + std::to_string(a));
        return writeCatalogue(store, defaultColumnLayouts(96), {"Custom 1", "Custom 2"});
    };
    const std::string oldBytes = bytesOf(2000, 1);
    const std::string newBytes = bytesOf(20000, 2);
    ASSERT_NE(oldBytes, newBytes);
    const fs::path target = m_dir / "big.dcf";
    const auto save = [&] {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(writeFileAtomically(target.string(), newBytes) ? 0 : 1);
        return pid;
    };

    std::mt19937 random(20240611);
    // A count beyond the file's size is never reached: that save runs to its end.
    const auto size = static_cast<long long>(newBytes.size());
    std::uniform_int_distribution<long long> written(-1, size + size / 4);
    int oldKept = 0;
    int newWritten = 0;
    int leftOver = 0;
    for (int kill = 0; kill < 30; ++kill) {
        putFileBytes(target, oldBytes);
        const pid_t pid = save();
        waitUntilWritten(pid, m_dir, written(random));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);

        const std::string found = fileBytes(target);
        EXPECT_TRUE(found == oldBytes || found == newBytes)
            << "kill " << kill << ": " << found.size() << " bytes";
        oldKept += found == oldBytes;
        newWritten += found == newBytes;
        for (const auto& e : fs::directory_iterator(m_dir)) {
            const std::string name = e.path().filename().string();
            if (name == "big.dcf")
                continue;
            EXPECT_TRUE(name.front() == '.' && !name.ends_with(".dcf")) << name;
            fs::remove(e.path());
            ++leftOver;
        }
    }
    std::cout << "30 killed saves of " << newBytes.size() << " bytes: " << oldKept << " left the old file, "
              << newWritten << " the new one, " << leftOver << " a temporary file\n";

    // Not killed, the same save gives the new file.
    putFileBytes(target, oldBytes);
    int status = 0;
    ::waitpid(save(), &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(fileBytes(target), newBytes);
}

// A save killed between naming its finished file and renaming it, or on a file system without
// anonymous files, leaves ".NAME.XXXXXX.part" behind; the next save of NAME removes exactly those,
// and never a file another save is still writing.
TEST_F(FileWrite, ASaveRemovesTheLeftoversOfItsOwnKilledSavesAndNothingElse)
{
    const fs::path target = m_dir / "music.dcf";
    putFileBytes(target, "old");
    const std::vector<std::string> leftovers = {".music.dcf.Ab3xYz.part", ".music.dcf.000000.part"};
    const std::vector<std::string> lookalikes = {
        ".music.dcf.Ab3xY.part",   ".music.dcf.Ab3xYzz.part", ".music.dcf.Ab-xYz.part",
        ".other.dcf.Ab3xYz.part",  "music.dcf.Ab3xYz.part",   ".music.dcf.Ab3xYz.part.bak",
        ".music.dcf.Ab3xYz.parts", ".music.dcfAb3xYz.part",   ".Music.dcf.Ab3xYz.part",
        ".music.dcf.Held00.part", // the temporary file of a save still running
    };
    for (const std::string& name : leftovers)
        putFileBytes(m_dir / name, "half a catalogue");
    for (const std::string& name : lookalikes)
        putFileBytes(m_dir / name, "someone's file");
    fs::create_directory(m_dir / ".music.dcf.Folder.part");
    fs::create_symlink("music.dcf", m_dir / ".music.dcf.Linked.part");
    const int held = ::open((m_dir / ".music.dcf.Held00.part").c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(writeFileAtomically(target.string(), "new"));
    ::close(held);

    EXPECT_EQ(fileBytes(target), "new");
    std::vector<std::string> kept = lookalikes;
    kept.insert(kept.end(), {".music.dcf.Folder.part", ".music.dcf.Linked.part", "music.dcf"});
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(entries(m_dir), kept);
    for (const std::string& name : lookalikes)
        EXPECT_EQ(fileBytes(m_dir / name), "someone's file") << name;
}

// While a save writes, the folder shows only what was there: the new bytes have no name until they
// are complete, so there is nothing a kill could leave behind. A save that fails leaves the folder
// as it was.
TEST_F(FileWrite, NoTemporaryFileIsSeenWhileASaveWrites)
{
    const std::string body(3 << 20, 'x'); // several of the sink's blocks reach the disk first
    const struct
    {
        const char* name;
        bool targetExists;
        bool fails;
    } cases[] = {
        {"a new file", false, false},
        {"over a file", true, false},
        {"a failing save of a new file", false, true},
        {"a failing save over a file", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path target = m_dir / "music.dcf";
        fs::remove(target);
        if (c.targetExists)
            putFileBytes(target, "old");
        const std::vector<std::string> before = entries(m_dir);
        std::vector<std::string> during;
        const auto save = [&] {
            return writeFileAtomically(target.string(), [&](ByteSink& sink) {
                sink.write(body);
                sink.write(body);
                during = entries(m_dir);
                if (c.fails)
                    throw std::runtime_error("the sink failed");
                sink.write("end");
            });
        };
        if (c.fails) {
            EXPECT_THROW(save(), std::runtime_error);
            EXPECT_EQ(entries(m_dir), before);
            if (c.targetExists) {
                EXPECT_EQ(fileBytes(target), "old");
            }
        } else {
            EXPECT_TRUE(save());
            EXPECT_EQ(entries(m_dir), (std::vector<std::string>{"music.dcf"}));
            EXPECT_EQ(fs::file_size(target), 2 * body.size() + 3);
        }
        EXPECT_EQ(during, before);
    }
}

} // namespace
} // namespace discora
