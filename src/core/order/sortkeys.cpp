#include "core/order/sortkeys.h"

#include "core/catalogue/cp1252.h"

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
    // Most texts are plain ASCII: fold them in one pass over a buffer of the right size.
    const std::size_t base = out.size();
    out.resize(base + text.size());
    char* ascii = out.data() + base;
    std::size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c >= 0x80)
            break;
        ascii[pos] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    out.resize(base + pos);
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

// A most-significant-first sort: all items by their first chunk, then each run that agrees so far
// by its next chunk, so that long shared beginnings cost one pass per seven bytes over their run.
void SortKeys::sortByChunks(std::vector<KeyedItem>& items) const
{
    struct Run
    {
        std::size_t begin;
        std::size_t end;
        std::size_t start; // key offset of the chunk that decides within the run
    };
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
        const auto first = items.begin() + static_cast<std::ptrdiff_t>(run.begin);
        const auto last = items.begin() + static_cast<std::ptrdiff_t>(run.end);
        if (!std::is_sorted(first, last, before))
            std::sort(first, last, before);
        findUndecided(run.begin, run.end, run.start);
    }
}

// Numbers the distinct keys in order of first appearance. Open addressing over the key bytes:
// texts repeat a lot in a catalogue (a title on many albums, a player on many records), and
// telling repeats apart by hash is much cheaper than sorting every copy by its bytes.
std::vector<std::uint32_t> SortKeys::distinctKeys(std::vector<std::uint32_t>& firstEntry) const
{
    constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    std::size_t capacity = 1024;
    std::vector<std::uint32_t> slots(capacity, kEmpty);
    std::vector<std::uint64_t> hashes;
    const auto place = [&](std::uint32_t id) {
        std::size_t pos = hashes[id] & (capacity - 1);
        while (slots[pos] != kEmpty)
            pos = (pos + 1) & (capacity - 1);
        slots[pos] = id;
    };
    std::vector<std::uint32_t> idOf(m_items.size());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const std::string_view k = key(i);
        const std::uint64_t hash = std::hash<std::string_view>{}(k);
        std::size_t pos = hash & (capacity - 1);
        while (slots[pos] != kEmpty && (hashes[slots[pos]] != hash || key(firstEntry[slots[pos]]) != k))
            pos = (pos + 1) & (capacity - 1);
        if (slots[pos] != kEmpty) {
            idOf[i] = slots[pos];
            continue;
        }
        const auto id = static_cast<std::uint32_t>(hashes.size());
        idOf[i] = id;
        hashes.push_back(hash);
        firstEntry.push_back(static_cast<std::uint32_t>(i));
        slots[pos] = id;
        if (hashes.size() * 2 > capacity) {
            capacity *= 2;
            slots.assign(capacity, kEmpty);
            for (std::uint32_t d = 0; d < hashes.size(); ++d)
                place(d);
        }
    }
    return idOf;
}

// Each distinct key is sorted once; the entries then take their key's rank and are laid out by
// (major, rank) with two counting sorts, which keep entry order among equals.
std::vector<std::uint32_t> SortKeys::stableOrder() const
{
    const std::size_t n = m_items.size();
    std::vector<std::uint32_t> firstEntry;
    const std::vector<std::uint32_t> idOf = distinctKeys(firstEntry);

    std::vector<KeyedItem> distinct(firstEntry.size());
    for (std::size_t d = 0; d < firstEntry.size(); ++d)
        distinct[d] = {m_items[firstEntry[d]].chunk, 0, firstEntry[d]};
    sortByChunks(distinct);
    std::vector<std::uint32_t> rankOf(distinct.size());
    for (std::size_t r = 0; r < distinct.size(); ++r)
        rankOf[idOf[distinct[r].index]] = static_cast<std::uint32_t>(r);

    const auto countingSort = [n](const std::vector<std::uint32_t>& entries, std::size_t buckets,
                                  auto bucketOf) {
        std::vector<std::size_t> next(buckets + 1, 0);
        for (std::uint32_t i : entries)
            ++next[bucketOf(i) + 1];
        for (std::size_t b = 1; b <= buckets; ++b)
            next[b] += next[b - 1];
        std::vector<std::uint32_t> sorted(n);
        for (std::uint32_t i : entries)
            sorted[next[bucketOf(i)]++] = i;
        return sorted;
    };
    std::vector<std::uint32_t> order(n);
    for (std::uint32_t i = 0; i < n; ++i)
        order[i] = i;
    order = countingSort(order, distinct.size(), [&](std::uint32_t i) { return rankOf[idOf[i]]; });
    std::uint32_t maxMajor = 0;
    for (const KeyedItem& item : m_items)
        maxMajor = std::max(maxMajor, item.major);
    if (maxMajor > 0)
        order =
            countingSort(order, std::size_t{maxMajor} + 1, [&](std::uint32_t i) { return m_items[i].major; });
    return order;
}

} // namespace discora
