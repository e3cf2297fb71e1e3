// One field list of the catalogue, stored compactly: all texts of the column share one buffer and
// each album holds only an offset and a length. A catalogue of 100,000 albums has 11 million texts,
// most of them empty or short, so one std::string each would cost several times the file's size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class TextColumn
{
public:
    std::size_t size() const { return m_refs.size(); }

    std::string_view at(std::size_t i) const
    {
        const Ref& r = m_refs[i];
        return {m_data.data() + r.offset, r.length};
    }

    // set and append change nothing when memory runs out (std::bad_alloc). After reserveFor(i, text),
    // set(i, text) needs no memory.
    void set(std::size_t i, std::string_view text);
    void reserveFor(std::size_t i, std::string_view text);
    void append(std::string_view text);
    // Appends every entry of other, in order.
    void appendColumn(const TextColumn& other);
    // Appends an entry whose bytes the caller writes into the returned buffer.
    char* appendUninitialised(std::size_t length);
    // Shrinking and erasing never fail.
    void resize(std::size_t count);
    void erase(std::size_t i);
    void clear();
    void reserve(std::size_t count, std::size_t bytes);
    void shrinkToFit();

    std::size_t memoryUsage() const { return m_data.capacity() + m_refs.capacity() * sizeof(Ref); }

private:
    struct Ref
    {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    std::uint32_t store(std::string_view text);
    void compactIfWasteful();

    std::string m_data;
    std::vector<Ref> m_refs;
    std::size_t m_unused = 0; // bytes of m_data no entry refers to any more
};

} // namespace discora
