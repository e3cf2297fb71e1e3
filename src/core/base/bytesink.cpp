#include "core/base/bytesink.h"

#include <algorithm>

namespace discora {

ByteSink::ByteSink(std::size_t blockSize)
    : m_block(std::make_unique_for_overwrite<char[]>(blockSize)), m_blockSize(blockSize)
{}

void ByteSink::flush()
{
    if (m_used > 0 && !m_failed)
        m_failed = !consume({m_block.get(), m_used});
    m_used = 0;
}

void ByteSink::writeLong(std::string_view bytes)
{
    // A piece as large as a block is handed on as it is, after what is held before it.
    if (bytes.size() >= m_blockSize) {
        flush();
        if (!m_failed)
            m_failed = !consume(bytes);
        return;
    }
    while (!bytes.empty()) {
        if (m_used == m_blockSize)
            flush();
        const std::size_t n = std::min(bytes.size(), m_blockSize - m_used);
        std::memcpy(m_block.get() + m_used, bytes.data(), n);
        m_used += n;
        bytes.remove_prefix(n);
    }
}

bool ByteSink::place(std::uint64_t offset, std::string_view bytes)
{
    flush();
    if (!m_failed)
        m_failed = !consumeAt(offset, bytes);
    return !m_failed;
}

bool ByteSink::finish()
{
    flush();
    return !m_failed;
}

} // namespace discora
