// A byte sink that collects everything in one string: the catalogue file's bytes where they are
// wanted whole (the tests, the generator).
#pragma once

#include "core/base/bytesink.h"

#include <string>
#include <string_view>

namespace discora {

class StringSink : public ByteSink
{
public:
    StringSink() : ByteSink(std::size_t{1} << 16) {}
    std::string take()
    {
        finish();
        return std::move(m_bytes);
    }

protected:
    bool consume(std::string_view block) override
    {
        m_bytes.append(block);
        return true;
    }

private:
    std::string m_bytes;
};

} // namespace discora
