// Reading a whole file into memory, the one reader for catalogues and imported files, with one set
// of error texts. FileBytes holds memory that is not cleared first: a large catalogue is tens of
// megabytes, and clearing them before reading over them costs as much as the read.
#pragma once

#include "core/catalogue/result.h"

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

// The same reading into a string, for callers that go on to change the bytes.
Result<std::string> readWholeFile(const std::string& path);

} // namespace discora
