#include "core/catalogue/filebytes.h"

#include "core/catalogue/cataloguefile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discora {

Result<FileBytes> FileBytes::read(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st
    {
    };
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        // Folders, devices and pipes as readWholeFile has them.
        auto bytes = readWholeFile(path);
        if (!bytes)
            return Error{bytes.error()};
        FileBytes file;
        file.m_size = bytes->size();
        file.m_bytes.reset(static_cast<char*>(std::malloc(file.m_size + 1)));
        if (!file.m_bytes)
            return Error{"Not enough memory to load the file."};
        std::memcpy(file.m_bytes.get(), bytes->data(), file.m_size);
        return file;
    }
    FileBytes file;
    const auto size = static_cast<std::size_t>(st.st_size);
    file.m_bytes.reset(static_cast<char*>(std::malloc(size + 1)));
    if (!file.m_bytes) {
        ::close(fd);
        return Error{"Not enough memory to load the file."};
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, file.m_bytes.get() + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (done < size)
        return Error{"It cannot be read completely."};
    file.m_size = size;
    return file;
}

} // namespace discora
