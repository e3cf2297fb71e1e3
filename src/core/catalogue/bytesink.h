// Where the catalogue writer puts its bytes: a block that is handed on whenever it fills, so that a
// file of any size is written with one block of memory. After the first failure to hand a block on,
// the rest is dropped and finish() reports it.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>

namespace discora {

class ByteSink
{
public:
    explicit ByteSink(std::size_t blockSize = std::size_t{1} << 20);
    virtual ~ByteSink() = default;
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void put(char c)
    {
        if (m_used == m_blockSize)
            flush();
        m_block[m_used++] = c;
    }
    void write(std::string_view bytes)
    {
        if (bytes.size() <= m_blockSize - m_used) {
            std::memcpy(m_block.get() + m_used, bytes.data(), bytes.size());
            m_used += bytes.size();
            return;
        }
        writeLong(bytes);
    }

    // Hands on what is still held; false when any block could not be handed on.
    bool finish();
    bool failed() const { return m_failed; }

protected:
    // Takes one block; false when it could not.
    virtual bool consume(std::string_view block) = 0;

private:
    void flush();
    void writeLong(std::string_view bytes);

    std::unique_ptr<char[]> m_block;
    std::size_t m_blockSize;
    std::size_t m_used = 0;
    bool m_failed = false;
};

} // namespace discora
