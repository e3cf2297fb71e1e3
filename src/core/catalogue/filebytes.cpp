#include "core/catalogue/filebytes.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discora {

namespace {

// Reads the file at path into the memory allocate(size) returns (null when there is none). Only a
// regular file is read: a pipe would hold the program until something writes into it, and a device
// has no size to read to (an endless one would fill the memory).
// allocate may also take the file itself: given the descriptor, it returns null with the file
// taken (size bytes mapped) instead of memory to read into, and nothing is read.
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
    bool taken = false;
    try {
        to = allocate(bytes, fd, taken);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    if (taken) {
        ::close(fd);
        return success();
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

void FileBytes::Free::operator()(char* p) const
{
    if (mapped > 0)
        ::munmap(p, mapped);
    else
        std::free(p);
}

Result<FileBytes> FileBytes::read(const std::string& path)
{
    FileBytes file;
    const Status status = readInto(path, [&](std::size_t size, int, bool&) {
        file.m_bytes.reset(static_cast<char*>(std::malloc(size + 1)));
        file.m_size = size;
        return file.m_bytes.get();
    });
    if (!status)
        return Error{status.error()};
    return file;
}

Result<FileBytes> FileBytes::map(const std::string& path)
{
    FileBytes file;
    const Status status = readInto(path, [&](std::size_t size, int fd, bool& taken) {
        if (size > 0) {
            void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (at != MAP_FAILED) {
                file.m_bytes = std::unique_ptr<char, Free>(static_cast<char*>(at), Free{size});
                file.m_size = size;
                taken = true;
                return static_cast<char*>(nullptr);
            }
        }
        file.m_bytes.reset(static_cast<char*>(std::malloc(size + 1)));
        file.m_size = size;
        return file.m_bytes.get();
    });
    if (!status)
        return Error{status.error()};
    return file;
}

void FileBytes::release(std::size_t begin, std::size_t end) const
{
    if (m_bytes.get_deleter().mapped == 0 || end > m_size)
        return;
    static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const auto base = reinterpret_cast<std::uintptr_t>(m_bytes.get());
    const std::uintptr_t first = (base + begin + page - 1) / page * page;
    const std::uintptr_t last = (base + end) / page * page;
    if (first < last)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

Result<std::string> readWholeFile(const std::string& path)
{
    std::string bytes;
    const Status status = readInto(path, [&](std::size_t size, int, bool&) {
        bytes.resize(size);
        return bytes.data();
    });
    if (!status)
        return Error{status.error()};
    return bytes;
}

} // namespace discora
