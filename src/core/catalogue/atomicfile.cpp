#include "core/catalogue/atomicfile.h"

#include "core/catalogue/stringsink.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <optional>

#include <fcntl.h>
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

// Writes each block to a file as it fills; remembers why the first write failed.
class FileSink : public ByteSink
{
public:
    explicit FileSink(int fd) : m_fd(fd) {}
    int error() const { return m_error; }

protected:
    bool consume(std::string_view block) override
    {
        m_error = writeAll(m_fd, block, m_written);
        m_written += static_cast<off_t>(block.size());
        return m_error == 0;
    }

private:
    int m_fd;
    off_t m_written = 0;
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
    // A hidden name that does not end in ".dcf", so a file left behind by a crash is never taken
    // for a catalogue. Appended piece by piece: GCC 12 at -O3 warns falsely on "." + std::string.
    std::string name = ".";
    name += targetPath.filename().string();
    name += ".XXXXXX.part";
    std::string temp = (dir / name).string();
    const int fd = ::mkostemps(temp.data(), 5, O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (exists && (err == EACCES || err == EPERM) && ::access(target.c_str(), W_OK) == 0) {
            // The file is overwritten only once every byte of it is ready.
            StringSink whole;
            writeBody(whole);
            return writeInPlace(target, whole.take(), old.st_size);
        }
        return Error{systemError(err)};
    }

    const auto fail = [&](int err) -> Status {
        ::close(fd);
        ::unlink(temp.c_str());
        return Error{systemError(err)};
    };
    std::optional<FileSink> sink;
    try {
        sink.emplace(fd);
        writeBody(*sink);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (!sink->finish())
        return fail(sink->error());
    // The replacement keeps the permissions (and, where allowed, the owner and group) of the file
    // it replaces; a new file gets the usual ones.
    if (exists) {
        // Neither is allowed to someone who is not the owner nor in the group; the file is then ours.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return fail(errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd, 0666 & ~mask) != 0)
            return fail(errno);
    }
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Error{systemError(err)};
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Error{systemError(err)};
    }
    // The rename itself reaches the disk with the folder.
    if (const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return success();
}

} // namespace discora
