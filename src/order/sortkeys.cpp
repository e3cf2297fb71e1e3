#include "sortkeys.h"

#include "catalogue/cp1252.h"

#include <algorithm>

namespace discora {

namespace {

constexpr std::size_t kChunkBytes = 7;

std::uint64_t chunkAt(std::string_view key, std::size_t start)
{
    const std::size_t remaining = key.size() > start ? key.size() - start : 0;
    std::uint64_t chunk = 0;
    for (std::size_t i = 0; i < kChunkBytes; ++i)
        chunk = (chunk << 8) | (i < remaining ? static_cast<unsigned char>(key[start + i]) : 0u);
    return (chunk << 8) | std::min<std::size_t>(remaining, kChunkBytes + 1);
}

bool continues(const KeyedItem& item)
{
    return (item.chunk & 0xFF) > kChunkBytes;
}

// A lambda rather than a function, so that std::sort inlines it.
constexpr auto before = [](const KeyedItem& a, const KeyedItem& b) {
    if (a.major != b.major)
        return a.major < b.major;
    if (a.chunk != b.chunk)
        return a.chunk < b.chunk;
    return a.index < b.index;
};

} // namespace

void appendNameKey(std::string& out, std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
            ++pos;
            continue;
        }
        const char32_t cp = cp1252::decodeUtf8(text, pos);
        const auto byte = cp1252::fromCodePoint(cp);
        const std::uint32_t rank = byte ? *byte : 0x100u + cp;
        if (rank < 0xFF) {
            out.push_back(static_cast<char>(rank));
            continue;
        }
        const std::uint32_t above = rank - 0xFF;
        out.push_back(static_cast<char>(0xFF));
        out.push_back(static_cast<char>(above >> 16));
        out.push_back(static_cast<char>((above >> 8) & 0xFF));
        out.push_back(static_cast<char>(above & 0xFF));
    }
}

std::string nameKey(std::string_view text)
{
    std::string key;
    key.reserve(text.size());
    appendNameKey(key, text);
    return key;
}

SortKeys::SortKeys(std::size_t count, std::size_t bytesHint) : m_spans(count), m_items(count)
{
    m_arena.reserve(bytesHint);
}

void SortKeys::set(std::size_t i, std::string_view text, std::uint32_t major)
{
    const std::size_t start = m_arena.size();
    appendNameKey(m_arena, text);
    finishKey(i, start, major);
}

// The name key with its zero bytes written as 0x00 0x01, then 0x00 0x00, then the text itself: the
// pair 0x00 0x00 sorts before anything that could continue a longer name, so names still order as
// CompareNames orders them, and only equal names reach the exact bytes.
void SortKeys::setSpelled(std::size_t i, std::string_view text)
{
    const std::size_t start = m_arena.size();
    appendNameKey(m_arena, text);
    if (m_arena.find('\0', start) != std::string::npos) {
        const std::string name = m_arena.substr(start);
        m_arena.resize(start);
        for (char c : name) {
            m_arena.push_back(c);
            if (c == '\0')
                m_arena.push_back('\1');
        }
    }
    m_arena.append(2, '\0');
    m_arena.append(text);
    finishKey(i, start, 0);
}

bool SortKeys::sameName(std::size_t i, std::size_t j) const
{
    const auto nameOf = [](std::string_view key) {
        for (std::size_t p = 0; p + 1 < key.size(); ++p) {
            if (key[p] != '\0')
                continue;
            if (key[p + 1] == '\0')
                return key.substr(0, p);
            ++p; // an escaped zero byte of the name
        }
        return key;
    };
    return nameOf(key(i)) == nameOf(key(j));
}

void SortKeys::finishKey(std::size_t i, std::size_t start, std::uint32_t major)
{
    m_spans[i] = {start, m_arena.size() - start};
    m_items[i] = {chunkAt(key(i), 0), major, static_cast<std::uint32_t>(i)};
}

// A most-significant-first sort: all entries by their first chunk, then each run that agrees so
// far by its next chunk. Long shared beginnings ("Theodora's ...") cost one pass per seven bytes
// over their own run instead of a full key comparison at every step of the sort.
std::vector<std::uint32_t> SortKeys::stableOrder() const
{
    struct Run
    {
        std::size_t begin;
        std::size_t end;
        std::size_t start; // key offset of the chunk that decides within the run
    };
    std::vector<KeyedItem> items = m_items;
    std::vector<Run> pending;
    const auto findUndecided = [&](std::size_t begin, std::size_t end, std::size_t start) {
        for (std::size_t i = begin; i < end;) {
            std::size_t j = i + 1;
            if (continues(items[i]))
                while (j < end && items[j].major == items[i].major && items[j].chunk == items[i].chunk)
                    ++j;
            if (j - i > 1)
                pending.push_back({i, j, start + kChunkBytes});
            i = j;
        }
    };
    std::sort(items.begin(), items.end(), before);
    findUndecided(0, items.size(), 0);
    while (!pending.empty()) {
        const Run run = pending.back();
        pending.pop_back();
        for (std::size_t i = run.begin; i < run.end; ++i)
            items[i].chunk = chunkAt(key(items[i].index), run.start);
        // Runs of one title repeated many times are common; they are in index order already.
        const auto first = items.begin() + static_cast<std::ptrdiff_t>(run.begin);
        const auto last = items.begin() + static_cast<std::ptrdiff_t>(run.end);
        if (!std::is_sorted(first, last, before))
            std::sort(first, last, before);
        findUndecided(run.begin, run.end, run.start);
    }
    std::vector<std::uint32_t> order(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        order[i] = items[i].index;
    return order;
}

} // namespace discora
