// Reading a whole file into memory, the one reader for catalogues and imported files, with one set
// of error texts. FileBytes holds memory that is not cleared first: a large catalogue is tens of
// megabytes, and clearing them before reading over them costs as much as the read. A catalogue is
// mapped instead of read: its pages come from the system's file cache as they are first touched and
// can be handed back once read, so that a file of hundreds of megabytes is never held whole beside
// the albums made from it.
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
    // The same checks and errors, with the file mapped rather than read where the system allows it
    // (read otherwise). Another program shortening the file while it is mapped ends this one, as
    // for any mapped file; a file that is only replaced (saved anew) is not affected.
    static Result<FileBytes> map(const std::string& path);

    std::string_view view() const { return {m_bytes.get(), m_size}; }

    // Says that bytes begin to end of the view will not be read again: the whole pages among them
    // leave this process's memory (a mapped file's pages stay in the file cache, to be read again
    // at the cost of a page fault should they be needed after all). Read bytes are kept.
    void release(std::size_t begin, std::size_t end) const;

private:
    struct Free
    {
        std::size_t mapped; // the length of the mapping, or 0 for memory from malloc (the default)
        void operator()(char* p) const;
    };
    std::unique_ptr<char, Free> m_bytes;
    std::size_t m_size = 0;
};

// The same reading into a string, for callers that go on to change the bytes.
Result<std::string> readWholeFile(const std::string& path);

} // namespace discora
