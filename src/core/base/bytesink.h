// Where the catalogue writer puts its bytes: a block that is handed on whenever it fills, so that a
// file of any size is written with one block of memory. After the first failure to hand a block on,
// the rest is dropped and finish() reports it.
#pragma once

#include <cstdint>
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

    // A sink writing into a file can also take bytes at any place past those written so far,
    // counted from its first byte, so that a writer that knows how long each part will be fills
    // the parts side by side. Once bytes are placed, nothing more is written in order.
    virtual bool canPlace() const { return false; }
    // False, and the sink failed, when the bytes could not be written (or cannot be placed).
    bool place(std::uint64_t offset, std::string_view bytes);

protected:
    // Takes one block; false when it could not.
    virtual bool consume(std::string_view block) = 0;
    virtual bool consumeAt(std::uint64_t, std::string_view) { return false; }

private:
    void flush();
    void writeLong(std::string_view bytes);

    std::unique_ptr<char[]> m_block;
    std::size_t m_blockSize;
    std::size_t m_used = 0;
    bool m_failed = false;
};

} // namespace discora
