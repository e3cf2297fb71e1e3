// A whole file's bytes, read into memory that is not cleared first: a large catalogue is tens of
// megabytes, and clearing them before reading over them costs as much as the read.
#pragma once

#include "core/catalogue/result.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace discora {

class FileBytes
{
public:
    // The same errors as readWholeFile.
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

} // namespace discora
