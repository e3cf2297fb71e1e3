#include "core/order/sortkeys.h"

#include "core/base/cp1252.h"
#include "core/base/texthash.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

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

// Sorts items as std::sort with before would, for items that come in order of index (or whose
// major and chunk are all equal so far, and which are in order of index among those): a stable
// sort by chunk and then by major, a byte at a time from the last, which for a long run is several
// times quicker than comparing. Bytes that are the same in every item are passed over.
void sortByDigits(KeyedItem* first, KeyedItem* last, std::vector<KeyedItem>& scratch)
{
    const std::size_t n = static_cast<std::size_t>(last - first);
    constexpr int kChunkDigits = 8;
    constexpr int kMajorDigits = 4;
    std::vector<std::array<std::size_t, 256>> counts(kChunkDigits + kMajorDigits);
    for (auto& c : counts)
        c.fill(0);
    for (const KeyedItem* item = first; item != last; ++item) {
        for (int d = 0; d < kChunkDigits; ++d)
            ++counts[static_cast<std::size_t>(d)][(item->chunk >> (8 * d)) & 0xFF];
        for (int d = 0; d < kMajorDigits; ++d)
            ++counts[static_cast<std::size_t>(kChunkDigits + d)][(item->major >> (8 * d)) & 0xFF];
    }
    scratch.resize(n);
    KeyedItem* from = first;
    KeyedItem* to = scratch.data();
    for (int d = 0; d < kChunkDigits + kMajorDigits; ++d) {
        auto& count = counts[static_cast<std::size_t>(d)];
        if (std::count(count.begin(), count.end(), n) == 1)
            continue; // every item has the same byte here
        std::size_t at = 0;
        for (std::size_t& c : count)
            at += std::exchange(c, at);
        const int shift = d < kChunkDigits ? 8 * d : 8 * (d - kChunkDigits);
        for (const KeyedItem* item = from; item != from + n; ++item) {
            const std::uint64_t key = d < kChunkDigits ? item->chunk : item->major;
            to[count[(key >> shift) & 0xFF]++] = *item;
        }
        std::swap(from, to);
    }
    if (from != first)
        std::copy(from, from + n, first);
}

// Runs shorter than this are sorted by comparison.
constexpr std::size_t kDigitSortFrom = std::size_t{1} << 14;

} // namespace

void appendNameKey(std::string& out, std::string_view text)
{
    // Most texts are plain ASCII: fold them in one pass over a buffer of the right size.
    const std::size_t base = out.size();
    out.resize(base + text.size());
    char* ascii = out.data() + base;
    std::size_t pos = 0;
    for (; pos + 8 <= text.size(); pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, sizeof word);
        if (word & 0x8080808080808080)
            break;
        word = cp1252::foldAsciiWord(word);
        std::memcpy(ascii + pos, &word, sizeof word);
    }
    if (pos < text.size() && text.size() >= 8) {
        // The last bytes as one word too, overlapping the one before: a hash that reads the key
        // word by word right after then finds each word as it was stored.
        std::uint64_t word;
        std::memcpy(&word, text.data() + text.size() - 8, sizeof word);
        if (!(word & 0x8080808080808080) && pos + 8 > text.size()) {
            word = cp1252::foldAsciiWord(word);
            std::memcpy(ascii + text.size() - 8, &word, sizeof word);
            pos = text.size();
        }
    }
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

namespace {

constexpr std::uint64_t kNoKey = ~std::uint64_t{0};

// A table slot: the key's number in the low half, the high half of its hash in the high half, so
// that a probe rarely needs to look further than the table.
std::uint64_t slotOf(std::uint32_t d, std::uint64_t hash)
{
    return (hash & 0xFFFFFFFF00000000) | d;
}

} // namespace

SortKeys::SortKeys(std::size_t count, std::size_t bytesHint, Entries entries)
    : m_entryKey(count, entries == Entries::Some ? kNotSet : 0)
{
    m_arena.reserve(bytesHint);
    m_table.assign(1024, kNoKey);
}

template <class Equal, class Append>
void SortKeys::place(std::size_t i, std::uint32_t major, std::uint64_t hash, Equal equal, Append append)
{
    // Most orders have no groups: the groups take room only once there is one.
    if (major != 0) {
        if (m_entryMajor.empty())
            m_entryMajor.assign(m_entryKey.size(), 0);
        m_entryMajor[i] = major;
        m_maxMajor = std::max(m_maxMajor, major);
    }
    const std::size_t mask = m_table.size() - 1;
    std::size_t pos = hash & mask;
    for (; m_table[pos] != kNoKey; pos = (pos + 1) & mask) {
        const std::uint64_t slot = m_table[pos];
        const auto d = static_cast<std::uint32_t>(slot);
        if ((slot ^ hash) >> 32 == 0 && equal(distinctKey(d))) {
            m_entryKey[i] = d;
            return;
        }
    }
    const std::size_t start = m_arena.size();
    append();
    const auto d = static_cast<std::uint32_t>(m_spans.size());
    m_spans.emplace_back(start, m_arena.size() - start);
    m_hashes.push_back(hash);
    m_table[pos] = slotOf(d, hash);
    m_entryKey[i] = d;
    if (m_spans.size() * 2 > m_table.size())
        growTable();
}

void SortKeys::set(std::size_t i, std::string_view text, std::uint32_t major)
{
    if (!cp1252::isAscii(text)) {
        if (m_folding == LetterFolding::WithAccents) {
            m_folded = foldAccents(text);
            if (cp1252::isAscii(m_folded)) {
                // The same key as the plain spelling gets: "Eric" and "Éric" are one name.
                const std::string folded = std::move(m_folded);
                set(i, folded, major);
                return;
            }
            text = m_folded;
        }
        m_scratch.clear();
        appendNameKey(m_scratch, text);
        placeScratch(i, major);
        return;
    }
    // Plain ASCII, the common case: the key is the text folded. It is hashed and compared from the
    // folded words themselves, and written out only when it is new.
    const auto folded = [&](std::size_t at) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        return cp1252::foldAsciiWord(word);
    };
    const auto foldedByte = [&](std::size_t at) {
        const auto c = static_cast<unsigned char>(text[at]);
        return c >= 'A' && c <= 'Z' ? c + 32u : c;
    };
    const auto equal = [&](std::string_view key) {
        if (key.size() != text.size())
            return false;
        std::size_t at = 0;
        for (; at + 8 <= key.size(); at += 8) {
            std::uint64_t word;
            std::memcpy(&word, key.data() + at, sizeof word);
            if (word != folded(at))
                return false;
        }
        for (; at < key.size(); ++at)
            if (static_cast<unsigned char>(key[at]) != foldedByte(at))
                return false;
        return true;
    };
    const auto append = [&] {
        const std::size_t start = m_arena.size();
        m_arena.resize(start + text.size());
        char* key = m_arena.data() + start;
        std::size_t at = 0;
        for (; at + 8 <= text.size(); at += 8) {
            const std::uint64_t word = folded(at);
            std::memcpy(key + at, &word, sizeof word);
        }
        for (; at < text.size(); ++at)
            key[at] = static_cast<char>(foldedByte(at));
    };
    place(i, major, hashWords(text.size(), folded, foldedByte), equal, append);
}

// The name key with its zero bytes written as 0x00 0x01, then 0x00 0x00, then the text itself: the
// pair 0x00 0x00 sorts before anything that could continue a longer name, so names still order as
// CompareNames orders them, and only equal names reach the exact bytes.
void SortKeys::setSpelled(std::size_t i, std::string_view text)
{
    m_scratch.clear();
    appendNameKey(m_scratch, comparisonForm(text, m_folding, m_folded));
    if (m_scratch.find('\0') != std::string::npos) {
        const std::string name = m_scratch;
        m_scratch.clear();
        for (char c : name) {
            m_scratch.push_back(c);
            if (c == '\0')
                m_scratch.push_back('\1');
        }
    }
    m_scratch.append(2, '\0');
    m_scratch.append(text);
    placeScratch(i, 0);
}

void SortKeys::placeScratch(std::size_t i, std::uint32_t major)
{
    place(
        i, major, hashText(m_scratch), [&](std::string_view key) { return key == m_scratch; },
        [&] { m_arena.append(m_scratch); });
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

void SortKeys::growTable()
{
    m_table.assign(m_table.size() * 2, kNoKey);
    const std::size_t mask = m_table.size() - 1;
    for (std::uint32_t d = 0; d < m_hashes.size(); ++d) {
        std::size_t pos = m_hashes[d] & mask;
        while (m_table[pos] != kNoKey)
            pos = (pos + 1) & mask;
        m_table[pos] = slotOf(d, m_hashes[d]);
    }
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
    std::vector<KeyedItem> scratch;
    const auto sortRun = [&](std::size_t begin, std::size_t end) {
        KeyedItem* first = items.data() + begin;
        KeyedItem* last = items.data() + end;
        if (end - begin >= kDigitSortFrom)
            sortByDigits(first, last, scratch);
        else if (!std::is_sorted(first, last, before))
            std::sort(first, last, before);
    };
    sortRun(0, items.size());
    findUndecided(0, items.size(), 0);
    while (!pending.empty()) {
        const Run run = pending.back();
        pending.pop_back();
        for (std::size_t i = run.begin; i < run.end; ++i)
            items[i].chunk = chunkAt(distinctKey(items[i].index), run.start);
        sortRun(run.begin, run.end);
        findUndecided(run.begin, run.end, run.start);
    }
}

std::vector<std::uint32_t> SortKeys::distinctInOrder() const
{
    std::vector<KeyedItem> distinct(m_spans.size());
    for (std::uint32_t d = 0; d < distinct.size(); ++d)
        distinct[d] = {chunkAt(distinctKey(d), 0), 0, d};
    sortByChunks(distinct);
    std::vector<std::uint32_t> inOrder(distinct.size());
    for (std::size_t r = 0; r < distinct.size(); ++r)
        inOrder[r] = distinct[r].index;
    return inOrder;
}

// The entries are laid out by (major, rank) with two counting sorts, which keep entry order among
// equals.
template <class RankOf, class MajorOf>
std::vector<std::uint32_t> SortKeys::byRank(std::size_t n, std::size_t ranks, RankOf rankOf,
                                            std::uint32_t maxMajor, MajorOf majorOf)
{
    // Sorts the entries that forEach gives, in their order, by bucketOf.
    const auto countingSort = [n](auto forEach, std::size_t buckets, auto bucketOf) {
        std::vector<std::size_t> next(buckets + 1, 0);
        forEach([&](std::uint32_t i) { ++next[bucketOf(i) + 1]; });
        for (std::size_t b = 1; b <= buckets; ++b)
            next[b] += next[b - 1];
        std::vector<std::uint32_t> sorted(n);
        forEach([&](std::uint32_t i) { sorted[next[bucketOf(i)]++] = i; });
        return sorted;
    };
    const auto everyEntry = [n](auto visit) {
        for (std::uint32_t i = 0; i < n; ++i)
            visit(i);
    };
    std::vector<std::uint32_t> order = countingSort(everyEntry, ranks, rankOf);
    if (maxMajor > 0) {
        const auto inOrder = [&order](auto visit) {
            for (std::uint32_t i : order)
                visit(i);
        };
        order = countingSort(inOrder, std::size_t{maxMajor} + 1, majorOf);
    }
    return order;
}

// Each distinct key is sorted once; the entries then take their key's rank.
std::vector<std::uint32_t> SortKeys::stableOrder() const
{
    const std::vector<std::uint32_t> inOrder = distinctInOrder();
    std::vector<std::uint32_t> rankOf(inOrder.size());
    for (std::size_t r = 0; r < inOrder.size(); ++r)
        rankOf[inOrder[r]] = static_cast<std::uint32_t>(r);
    return byRank(
        m_entryKey.size(), inOrder.size(), [&](std::uint32_t i) { return rankOf[m_entryKey[i]]; }, m_maxMajor,
        [&](std::uint32_t i) { return majorOf(i); });
}

// Each table's distinct keys are sorted on a thread of its own, and the two runs merged into ranks
// that equal keys share.
std::vector<std::uint32_t> SortKeys::stableOrder(const SortKeys& first, const SortKeys& second)
{
    std::vector<std::uint32_t> firstInOrder;
    std::vector<std::uint32_t> secondInOrder;
    onTwoThreads([&](int part) {
        if (part == 0)
            firstInOrder = first.distinctInOrder();
        else
            secondInOrder = second.distinctInOrder();
    });
    std::vector<std::uint32_t> firstRank(firstInOrder.size());
    std::vector<std::uint32_t> secondRank(secondInOrder.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0, j = 0; i < firstInOrder.size() || j < secondInOrder.size(); ++rank) {
        const int c = i == firstInOrder.size() ? 1
                      : j == secondInOrder.size()
                          ? -1
                          : first.distinctKey(firstInOrder[i]).compare(second.distinctKey(secondInOrder[j]));
        if (c <= 0)
            firstRank[firstInOrder[i++]] = rank;
        if (c >= 0)
            secondRank[secondInOrder[j++]] = rank;
    }
    const auto inFirst = [&](std::uint32_t i) { return first.m_entryKey[i] != kNotSet; };
    return byRank(
        first.m_entryKey.size(), rank,
        [&](std::uint32_t i) {
            return inFirst(i) ? firstRank[first.m_entryKey[i]] : secondRank[second.m_entryKey[i]];
        },
        std::max(first.m_maxMajor, second.m_maxMajor),
        [&](std::uint32_t i) { return inFirst(i) ? first.majorOf(i) : second.majorOf(i); });
}

} // namespace discora
