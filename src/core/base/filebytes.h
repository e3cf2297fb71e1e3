// Reading a whole file into memory, the one reader for catalogues and imported files, with one set
// of error texts. FileBytes holds memory that is not cleared first: a large catalogue is tens of
// megabytes, and clearing them before reading over them costs as much as the read. A catalogue is
// read in pieces instead (FileReader): a file of hundreds of megabytes is never held whole beside
// the albums made from it, and a file another program shortens while it is read is a failed read,
// not a fault (as it would be for a mapped file).
#pragma once

#include "core/base/result.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace discora {

inline constexpr const char* kLoadOutOfMemory = "Not enough memory to load the file.";
inline constexpr const char* kNotARegularInput =
    "It is not a regular file (a device or a pipe, for instance), so it is not read.";

class FileBytes
{
public:
    // Fails with the reason, without the file's name: a folder, a device or a pipe, a file that
    // cannot be opened or read to its end, one too large for memory.
    static Result<FileBytes> read(const std::string& path);

    std::string_view view() const { return {m_bytes.get(), m_size}; }

private:
    struct Free
    {
        void operator()(char* p) const { std::free(p); }
    };
    std::unique_ptr<char, Free> m_bytes;
    std::size_t m_size = 0;
};

// A regular file open for reading at any offset, with the size it had when it was opened. The same
// checks and errors as FileBytes::read.
class FileReader
{
public:
    static Result<FileReader> open(const std::string& path);
    FileReader(FileReader&& other) noexcept;
    FileReader& operator=(FileReader&&) = delete;
    ~FileReader();

    std::size_t size() const { return m_size; }
    // Reads count bytes from offset into to; false when the file no longer has them all or cannot
    // be read (another program has shortened it, or the disk failed).
    bool readAt(std::size_t offset, char* to, std::size_t count) const;
    // Whether the file still has the size and modification time it had when opened.
    bool unchanged() const;

private:
    FileReader() = default;
    int m_fd = -1;
    std::size_t m_size = 0;
    long long m_modifiedSeconds = 0;
    long m_modifiedNanoseconds = 0;
};

inline constexpr const char* kChangedWhileRead =
    "Another program changed or shortened it while it was being read; open it again.";

// The same reading into a string, for callers that go on to change the bytes.
Result<std::string> readWholeFile(const std::string& path);

} // namespace discora
