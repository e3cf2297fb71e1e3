#include "core/base/filebytes.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discora {

namespace {

// Opens the file at path for reading, into fd and st. Only a regular file is read: a pipe would hold
// the program until something writes into it, and a device has no size to read to (an endless one
// would fill the memory).
Status openRegular(const std::string& path, int& fd, struct stat& st)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Error{"It is a folder, not a file."};
    // Without O_NONBLOCK, opening a named pipe waits for a writer.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Error{std::string("It cannot be read: ") + std::strerror(errno) + "."};
    const auto fail = [&fd](const char* reason) -> Status {
        ::close(fd);
        fd = -1;
        return Error{reason};
    };
    if (::fstat(fd, &st) != 0)
        return fail("It cannot be read.");
    if (!S_ISREG(st.st_mode))
        return fail(kNotARegularInput);
    return success();
}

// Reads count bytes at offset, false when fewer are there.
bool preadAll(int fd, std::size_t offset, char* to, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, to + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads the file at path into the memory allocate(size) returns (null when there is none).
template <typename Allocate> Status readInto(const std::string& path, Allocate&& allocate)
{
    int fd = -1;
    struct stat st
    {
    };
    if (const Status opened = openRegular(path, fd, st); !opened)
        return opened;
    const auto bytes = static_cast<std::size_t>(st.st_size);
    char* to = nullptr;
    try {
        to = allocate(bytes);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    if (!to) {
        ::close(fd);
        return Error{kLoadOutOfMemory};
    }
    const bool complete = preadAll(fd, 0, to, bytes);
    ::close(fd);
    if (!complete)
        return Error{"It cannot be read completely."};
    return success();
}

} // namespace

Result<FileBytes> FileBytes::read(const std::string& path)
{
    FileBytes file;
    const Status status = readInto(path, [&](std::size_t size) {
        file.m_bytes.reset(static_cast<char*>(std::malloc(size + 1)));
        file.m_size = size;
        return file.m_bytes.get();
    });
    if (!status)
        return Error{status.error()};
    return file;
}

Result<FileReader> FileReader::open(const std::string& path)
{
    FileReader file;
    struct stat st
    {
    };
    if (const Status opened = openRegular(path, file.m_fd, st); !opened)
        return Error{opened.error()};
    file.m_size = static_cast<std::size_t>(st.st_size);
    file.m_modifiedSeconds = st.st_mtim.tv_sec;
    file.m_modifiedNanoseconds = st.st_mtim.tv_nsec;
    return file;
}

FileReader::FileReader(FileReader&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size), m_modifiedSeconds(other.m_modifiedSeconds),
      m_modifiedNanoseconds(other.m_modifiedNanoseconds)
{}

FileReader::~FileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileReader::readAt(std::size_t offset, char* to, std::size_t count) const
{
    return offset <= m_size && count <= m_size - offset && preadAll(m_fd, offset, to, count);
}

bool FileReader::unchanged() const
{
    struct stat st
    {
    };
    return ::fstat(m_fd, &st) == 0 && static_cast<std::size_t>(st.st_size) == m_size &&
           st.st_mtim.tv_sec == m_modifiedSeconds && st.st_mtim.tv_nsec == m_modifiedNanoseconds;
}

Result<std::string> readWholeFile(const std::string& path)
{
    std::string bytes;
    const Status status = readInto(path, [&](std::size_t size) {
        bytes.resize(size);
        return bytes.data();
    });
    if (!status)
        return Error{status.error()};
    return bytes;
}

} // namespace discora
