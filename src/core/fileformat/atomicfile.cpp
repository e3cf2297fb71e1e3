#include "core/fileformat/atomicfile.h"

#include "core/base/stringsink.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discora {

namespace {

// Why a write failed, in the user's words rather than the system's.
std::string systemError(int err)
{
    switch (err) {
    case ENOSPC: return "The disk is full.";
    case EDQUOT: return "Your disk quota is used up.";
    case EACCES:
    case EPERM: return "Permission denied: you may not write there.";
    case EROFS: return "The disk is read-only (a read-only file system).";
    case ENOENT: return "The folder it would go in does not exist.";
    case ENOTDIR: return "A part of its path is not a folder.";
    case EISDIR: return "It is a folder, not a file.";
    case ENAMETOOLONG: return "Its name is too long.";
    case ELOOP: return "Its path goes through too many symbolic links.";
    case EFBIG: return "It would be larger than the disk allows for one file.";
    case EIO: return "The disk reported an error while it was written.";
    case ENOMEM: return "Not enough memory to write it.";
    case EMFILE:
    case ENFILE: return "Too many files are open.";
    case EBUSY:
    case ETXTBSY: return "It is in use.";
    case ENODEV:
    case ENXIO:
    case EOPNOTSUPP: return "The disk it is on cannot hold a file written this way.";
    default: return std::string("It cannot be written: ") + std::strerror(err) + ".";
    }
}

// The file a path finally names: symbolic links are followed (relative ones from the folder of
// the link) until a path that is not a link, which need not exist yet.
Result<std::string> followLinks(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path current(path);
    // The same limit the kernel sets on the links it follows in one lookup.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st
        {
        };
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current.string();
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0)
            return Error{systemError(errno)};
        target.resize(static_cast<std::size_t>(n));
        const fs::path next(target);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return Error{systemError(ELOOP)};
}

// Writes all of bytes at offset at; 0 or the error number of the write that failed.
int writeAll(int fd, std::string_view bytes, off_t at)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Writes each block to a file as it fills, or where it is placed; remembers why the first write
// failed. What is written starts on its way to the disk every few megabytes, while the rest is
// still being made: the fsync that ends the save then waits for the last few blocks instead of
// the whole file.
class FileSink : public ByteSink
{
public:
    explicit FileSink(int fd) : m_fd(fd) {}
    int error() const { return m_error; }
    bool canPlace() const override { return true; }

protected:
    bool consume(std::string_view block) override
    {
        const bool written = consumeAt(static_cast<std::uint64_t>(m_written), block);
        m_written += static_cast<off_t>(block.size());
        return written;
    }
    bool consumeAt(std::uint64_t offset, std::string_view bytes) override
    {
        m_error = writeAll(m_fd, bytes, static_cast<off_t>(offset));
        m_unflushed += bytes.size();
        if (m_error == 0 && m_unflushed >= kWritebackEvery) {
            // Only a hint: the fsync still decides whether the bytes reached the disk.
            ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            m_unflushed = 0;
        }
        return m_error == 0;
    }

private:
    static constexpr std::size_t kWritebackEvery = std::size_t{8} << 20;
    int m_fd;
    off_t m_written = 0;
    std::size_t m_unflushed = 0;
    int m_error = 0;
};

// For a folder where the file may be changed but no file created: the new bytes go into the file
// itself. The space is claimed before the first byte is overwritten, so a full disk fails with
// the old contents intact; only a crash during the write itself can leave a mix.
Status writeInPlace(const std::string& path, std::string_view bytes, off_t oldSize)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return Error{systemError(errno)};
    const auto fail = [&](int err) -> Status {
        ::close(fd);
        return Error{systemError(err)};
    };
    const auto size = static_cast<off_t>(bytes.size());
    if (size > oldSize) {
        if (const int err = ::posix_fallocate(fd, 0, size); err != 0) {
            // Nothing was overwritten; the file may only have grown, and shrinks back.
            [[maybe_unused]] const int ignored = ::ftruncate(fd, oldSize);
            return fail(err);
        }
    }
    if (const int err = writeAll(fd, bytes, 0); err != 0)
        return fail(err);
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0)
        return Error{systemError(errno)};
    return success();
}

// The temporary files of a save are named ".NAME.XXXXXX.part" beside the target NAME: hidden, and
// not ending in ".dcf", so one left behind by a crash is never taken for a catalogue. The six
// characters come from the alphabet mkstemp uses.
constexpr std::string_view kTempAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTempRandomLength = 6;
constexpr std::string_view kTempSuffix = ".part";

// Appended piece by piece: GCC 12 at -O3 warns falsely on "." + std::string.
std::string tempPrefix(const std::filesystem::path& target)
{
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += '.';
    return prefix;
}

bool isTempName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kTempRandomLength + kTempSuffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(kTempSuffix))
        return false;
    const std::string_view random = name.substr(prefix.size(), kTempRandomLength);
    return random.find_first_not_of(kTempAlphabet) == std::string_view::npos;
}

// Removes what killed saves of the same target left in its folder: regular files with exactly the
// name a save gives its temporary file, which no running save holds. (A save holds a lock on its
// temporary file for as long as the file has a name.) Anything else, and anything in doubt, stays.
void removeLeftovers(const std::filesystem::path& dir, const std::string& prefix)
{
    DIR* folder = ::opendir(dir.c_str());
    if (!folder)
        return;
    const int dirFd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        if (!isTempName(entry->d_name, prefix))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st
        {
        };
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(folder);
}

// Gives the anonymous file fd the name name: through /proc, which needs no privilege, or else by
// its descriptor, which needs CAP_DAC_READ_SEARCH. 0 or the error number.
int linkAnonymous(int fd, const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int err = errno;
    if (err == EEXIST)
        return err;
    if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    return err;
}

std::string randomTempName(const std::filesystem::path& dir, const std::string& prefix)
{
    static thread_local std::minstd_rand random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, kTempAlphabet.size() - 1);
    std::string name = prefix;
    for (std::size_t i = 0; i < kTempRandomLength; ++i)
        name += kTempAlphabet[pick(random)];
    name += kTempSuffix;
    return (dir / name).string();
}

// Where the new bytes go before they replace the target: an anonymous file, which a crash cannot
// leave behind, where the file system has them; otherwise a named temporary file.
struct TempFile
{
    int fd = -1;
    std::string name; // empty while the file is anonymous
};

} // namespace

bool isSameFile(const std::string& first, const std::string& second)
{
    if (first.empty() || second.empty())
        return false;
    struct stat a
    {
    };
    struct stat b
    {
    };
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

Status writeFileAtomically(const std::string& path, std::string_view bytes)
{
    return writeFileAtomically(path, [bytes](ByteSink& sink) { sink.write(bytes); });
}

Status writeFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& writeBody)
{
    namespace fs = std::filesystem;
    const Result<std::string> resolved = followLinks(path);
    if (!resolved)
        return Error{resolved.error()};
    const std::string& target = resolved.value();
    struct stat old
    {
    };
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return Error{"It is a folder, not a file."};
    // A device or a pipe would be replaced by a plain file under its name.
    if (exists && !S_ISREG(old.st_mode))
        return Error{kNotARegularFile};

    const fs::path targetPath(target);
    fs::path dir = targetPath.parent_path();
    if (dir.empty())
        dir = ".";
    const std::string prefix = tempPrefix(targetPath);

    // A file system without anonymous files says so with one of these; a named file is used there.
    bool anonymous = true;
    for (;;) {
        TempFile temp;
        if (anonymous) {
            temp.fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (temp.fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
                anonymous = false;
                continue;
            }
        } else {
            temp.name = (dir / (prefix + "XXXXXX.part")).string();
            temp.fd = ::mkostemps(temp.name.data(), static_cast<int>(kTempSuffix.size()), O_CLOEXEC);
            // Held until the file is renamed: a later save takes a file it can lock for a leftover.
            if (temp.fd >= 0)
                ::flock(temp.fd, LOCK_EX | LOCK_NB);
        }
        if (temp.fd < 0) {
            const int err = errno;
            if (exists && (err == EACCES || err == EPERM) && ::access(target.c_str(), W_OK) == 0) {
                // The file is overwritten only once every byte of it is ready.
                StringSink whole;
                writeBody(whole);
                return writeInPlace(target, whole.take(), old.st_size);
            }
            return Error{systemError(err)};
        }

        const auto discard = [&] {
            if (!temp.name.empty())
                ::unlink(temp.name.c_str());
            ::close(temp.fd);
        };
        const auto fail = [&](int err) -> Status {
            discard();
            return Error{systemError(err)};
        };
        std::optional<FileSink> sink;
        try {
            sink.emplace(temp.fd);
            writeBody(*sink);
        } catch (...) {
            discard();
            throw;
        }
        if (!sink->finish())
            return fail(sink->error());
        // The replacement keeps the permissions (and, where allowed, the owner and group) of the
        // file it replaces; a new file gets the usual ones.
        if (exists) {
            // Neither is allowed to someone who is not the owner nor in the group; the file is then
            // ours.
            if (::fchown(temp.fd, old.st_uid, old.st_gid) != 0) {
                [[maybe_unused]] const int ignored = ::fchown(temp.fd, static_cast<uid_t>(-1), old.st_gid);
            }
            if (::fchmod(temp.fd, old.st_mode & 07777) != 0)
                return fail(errno);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            if (::fchmod(temp.fd, 0666 & ~mask) != 0)
                return fail(errno);
        }
        if (::fsync(temp.fd) != 0)
            return fail(errno);
        if (temp.name.empty()) {
            // The complete file gets a name only to be renamed over the target at once (a rename
            // cannot take an anonymous file); should a crash fall between the two, the next save
            // removes it.
            ::flock(temp.fd, LOCK_EX | LOCK_NB);
            int err = EEXIST;
            for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
                temp.name = randomTempName(dir, prefix);
                err = linkAnonymous(temp.fd, temp.name);
            }
            if (err != 0) {
                temp.name.clear();
                ::close(temp.fd);
                // Neither /proc nor the privilege to link a descriptor: a named file after all.
                if (err != ENOENT && err != EPERM && err != EACCES && err != EINVAL && err != EXDEV)
                    return Error{systemError(err)};
                anonymous = false;
                continue;
            }
        }
        if (::rename(temp.name.c_str(), target.c_str()) != 0)
            return fail(errno);
        // After the rename, so that no other save takes the named file for a leftover meanwhile.
        // Its bytes reached the disk with the fsync above.
        ::close(temp.fd);
        break;
    }
    // The rename itself reaches the disk with the folder.
    if (const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    removeLeftovers(dir, prefix);
    return success();
}

} // namespace discora
