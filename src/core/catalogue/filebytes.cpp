#include "core/catalogue/filebytes.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discora {

namespace {

// Reads the file at path into the memory allocate(size) returns (null when there is none). Only a
// regular file is read: a pipe would hold the program until something writes into it, and a device
// has no size to read to (an endless one would fill the memory).
template <typename Allocate> Status readInto(const std::string& path, Allocate&& allocate)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Error{"It is a folder, not a file."};
    // Without O_NONBLOCK, opening a named pipe waits for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Error{std::string("It cannot be read: ") + std::strerror(errno) + "."};
    const auto fail = [fd](const char* reason) -> Status {
        ::close(fd);
        return Error{reason};
    };
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return fail("It cannot be read.");
    if (!S_ISREG(st.st_mode))
        return fail(kNotARegularInput);
    const off_t size = st.st_size;
    const auto bytes = static_cast<std::size_t>(size);
    char* to = nullptr;
    try {
        to = allocate(bytes);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    if (!to)
        return fail(kLoadOutOfMemory);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t n = ::read(fd, to + done, bytes - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (done < bytes)
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
