#include "core/model/albumstore.h"

#include "core/base/bytecopy.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include <sys/mman.h>

namespace discora {

namespace {

template <class T> void storeAt(char* at, std::uint64_t value)
{
    const auto v = static_cast<T>(value);
    std::memcpy(at, &v, sizeof v);
}

std::array<FieldText, kStoredFieldCount> textsOf(const AlbumRecord& record)
{
    std::array<FieldText, kStoredFieldCount> texts;
    for (int f = 0; f < kStoredFieldCount; ++f)
        texts[static_cast<std::size_t>(f)] = {fieldAt(f), record.text(fieldAt(f))};
    return texts;
}

} // namespace

AlbumId newAlbumId()
{
    // Seeded once per thread from the system's randomness; zero is never handed out, so that it
    // can stand for "no album".
    thread_local std::mt19937_64 generator{[] {
        std::random_device device;
        return (std::uint64_t{device()} << 32) ^ device();
    }()};
    AlbumId id = 0;
    while (id == 0)
        id = generator();
    return id;
}

bool AlbumStore::hasDetails() const
{
    for (const Entry& e : m_index)
        if (e.high >> (kFirstDetail - 64) != 0 || e.beyond != 0)
            return true;
    return false;
}

AlbumStore::AlbumStore(const AlbumStore& other) : m_index(other.m_index)
{
    if (other.m_size == 0)
        return;
    m_bytes = static_cast<char*>(std::malloc(other.m_size + kReadableAfterText));
    if (!m_bytes)
        throw std::bad_alloc();
    std::memcpy(m_bytes, other.m_bytes, other.m_size);
    m_size = other.m_size;
    m_capacity = other.m_size;
    m_unused = other.m_unused;
}

AlbumStore& AlbumStore::operator=(const AlbumStore& other)
{
    if (this != &other) {
        AlbumStore copy(other);
        *this = std::move(copy);
    }
    return *this;
}

// A thread asking the system for the pages of a range, a piece at a time, until told to stop.
struct AlbumStore::Warming
{
    std::atomic<bool> stop{false};
    std::thread thread;
};

void AlbumStore::StopWarming::operator()(Warming* warming) const noexcept
{
    warming->stop = true;
    warming->thread.join();
    delete warming;
}

void AlbumStore::stopWarming() noexcept
{
    m_warming.reset();
}

namespace {

constexpr std::size_t kWorthAThread = std::size_t{32} << 20;
constexpr std::size_t kWarmPiece = std::size_t{8} << 20;

} // namespace

void AlbumStore::warmSpareRoom()
{
    stopWarming();
    if (m_capacity - m_size < kWorthAThread)
        return;
    const std::uintptr_t page = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(m_bytes) + m_size + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(m_bytes) + m_capacity) & ~(page - 1);
    try {
        auto warming = std::make_unique<Warming>();
        std::atomic<bool>& stop = warming->stop;
        warming->thread = std::thread([begin, end, &stop] {
            // Pages the first thread has reached already are left as they are: the system fills
            // in only what is missing. A system without this request refuses it, and nothing is
            // done.
            for (std::uintptr_t at = begin; at < end && !stop; at += kWarmPiece)
                if (::madvise(reinterpret_cast<void*>(at), std::min<std::size_t>(kWarmPiece, end - at),
                              MADV_POPULATE_WRITE) != 0)
                    return;
        });
        m_warming.reset(warming.release());
    } catch (const std::system_error&) {
        // No thread: the pages are cleared as they are written.
    } catch (const std::bad_alloc&) {
    }
}

AlbumStore::AlbumStore(AlbumStore&& other) noexcept
    : m_bytes(std::exchange(other.m_bytes, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)), m_unused(std::exchange(other.m_unused, 0)),
      m_index(std::move(other.m_index))
{
    other.stopWarming();
    other.m_index.clear();
}

AlbumStore& AlbumStore::operator=(AlbumStore&& other) noexcept
{
    if (this != &other) {
        stopWarming();
        other.stopWarming();
        std::free(m_bytes);
        m_bytes = std::exchange(other.m_bytes, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_unused = std::exchange(other.m_unused, 0);
        m_index = std::move(other.m_index);
        other.m_index.clear();
    }
    return *this;
}

AlbumStore::~AlbumStore()
{
    stopWarming();
    std::free(m_bytes);
}

std::uint64_t AlbumStore::recordSize(std::size_t presentTexts, std::uint64_t textBytes)
{
    const std::uint64_t narrow = presentTexts * 2 + textBytes;
    return narrow <= 0xFFFF ? narrow : presentTexts * 4 + textBytes;
}

std::uint64_t AlbumStore::sizeOf(const Entry& e) const
{
    const std::size_t present = presentTexts(e);
    if (present == 0)
        return 0;
    const char* record = m_bytes + e.offset;
    return e.wide ? load<std::uint32_t>(record + (present - 1) * 4)
                  : load<std::uint16_t>(record + (present - 1) * 2);
}

void AlbumStore::reallocate(std::size_t capacity)
{
    stopWarming();
    if (capacity == 0) {
        std::free(m_bytes);
        m_bytes = nullptr;
        m_capacity = 0;
        return;
    }
    char* bytes = static_cast<char*>(std::realloc(m_bytes, capacity + kReadableAfterText));
    if (!bytes)
        throw std::bad_alloc();
    m_bytes = bytes;
    m_capacity = capacity;
    // A large catalogue's records are read in every order (a sorted list visits its albums
    // anywhere): with 4 KiB pages nearly every visit also misses the processor's table of pages.
    // Large pages, where the system gives them, cover the buffer with a few hundred entries.
    constexpr std::uintptr_t kLargePage = std::uintptr_t{1} << 21;
    if (capacity >= 2 * kLargePage) {
        const auto begin = (reinterpret_cast<std::uintptr_t>(bytes) + kLargePage - 1) & ~(kLargePage - 1);
        const auto end = (reinterpret_cast<std::uintptr_t>(bytes) + capacity) & ~(kLargePage - 1);
        if (begin < end)
            ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

void AlbumStore::ensureRoom(std::size_t extra)
{
    if (extra <= m_capacity - m_size)
        return;
    reallocate(std::max({m_size + extra, m_capacity + m_capacity / 2, std::size_t{4096}}));
}

void AlbumStore::reserve(std::size_t albums, std::size_t bytes)
{
    m_index.reserve(m_index.size() + albums);
    if (bytes > m_capacity - m_size)
        reallocate(m_size + bytes);
    warmSpareRoom();
}

AlbumStore::Entry AlbumStore::entryFor(std::span<const FieldText> texts, std::uint64_t& size)
{
    Entry e;
    std::size_t present = 0;
    std::uint64_t textBytes = 0;
    for (const FieldText& t : texts) {
        if (t.text.empty())
            continue;
        const int f = fieldIndex(t.field);
        ++present;
        textBytes += t.text.size();
        if (f < 64)
            e.low |= std::uint64_t{1} << f;
        else if (f < 128)
            e.high |= std::uint64_t{1} << (f - 64);
        else
            e.beyond |= std::uint64_t{1} << (f - 128);
    }
    size = recordSize(present, textBytes);
    if (size > kMaxRecordBytes)
        throw StoreFull();
    if (size > 0xFFFF)
        e.wide = 1;
    return e;
}

void AlbumStore::writeRecord(char* record, const Entry& e, std::span<const FieldText> texts)
{
    const bool wide = e.wide != 0;
    const std::size_t present = presentTexts(e);
    std::size_t end = present * (wide ? 4 : 2);
    std::size_t slot = 0;
    for (const FieldText& t : texts) {
        if (t.text.empty())
            continue;
        copyBytes(record + end, t.text.data(), t.text.size());
        end += t.text.size();
        if (wide)
            storeAt<std::uint32_t>(record + slot * 4, end);
        else
            storeAt<std::uint16_t>(record + slot * 2, end);
        ++slot;
    }
}

AlbumStore::Entry AlbumStore::pack(std::span<const FieldText> texts)
{
    std::uint64_t size = 0;
    Entry e = entryFor(texts, size);
    ensureRoom(static_cast<std::size_t>(size));
    e.offset = m_size;
    writeRecord(m_bytes + m_size, e, texts);
    m_size += static_cast<std::size_t>(size);
    return e;
}

std::array<AlbumStore::Room, 2> AlbumStore::splitRoom(std::size_t firstBytes)
{
    // The two rooms fill side by side: the second thread that readies pages would only compete.
    stopWarming();
    const std::size_t middle = m_size + std::min(firstBytes, m_capacity - m_size);
    return {Room{m_size, middle}, Room{middle, m_capacity}};
}

bool AlbumStore::fillIn(Room& room, int index, std::span<const FieldText> texts)
{
    std::uint64_t size = 0;
    Entry e = entryFor(texts, size);
    if (size > room.end - room.next)
        return false;
    e.offset = room.next;
    writeRecord(m_bytes + room.next, e, texts);
    room.next += static_cast<std::size_t>(size);
    e.id = newAlbumId();
    m_index[static_cast<std::size_t>(index)] = e;
    return true;
}

void AlbumStore::closeRooms(const std::array<Room, 2>& rooms)
{
    m_unused += rooms[0].end - rooms[0].next;
    m_size = rooms[1].next;
}

void AlbumStore::fillAlbum(int index, std::span<const FieldText> texts)
{
    Entry e = pack(texts);
    e.id = newAlbumId();
    m_index[static_cast<std::size_t>(index)] = e;
}

int AlbumStore::appendAlbum(std::span<const FieldText> texts)
{
    if (m_index.size() >= 0x7FFFFFFF)
        throw StoreFull();
    Entry e = pack(texts);
    e.id = newAlbumId();
    try {
        m_index.push_back(e);
    } catch (...) {
        m_size = e.offset;
        throw;
    }
    return static_cast<int>(m_index.size() - 1);
}

int AlbumStore::appendAlbum(const AlbumRecord& record)
{
    return appendAlbum(textsOf(record));
}

void AlbumStore::replace(int index, std::span<FieldText> texts)
{
    std::size_t present = 0;
    std::uint64_t textBytes = 0;
    for (const FieldText& t : texts) {
        present += t.text.empty() ? 0 : 1;
        textBytes += t.text.size();
    }
    const std::uint64_t size = recordSize(present, textBytes);
    if (size > kMaxRecordBytes)
        throw StoreFull();

    // Texts the store holds itself are found again by their offset once the buffer has moved.
    if (size > m_capacity - m_size) {
        const char* base = m_bytes;
        std::array<std::ptrdiff_t, kStoredFieldCount> inside;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const char* data = texts[i].text.data();
            const bool held = !texts[i].text.empty() && std::less_equal<>()(base, data) &&
                              std::less<>()(data, base + m_size);
            inside[i] = held ? data - base : -1;
        }
        ensureRoom(static_cast<std::size_t>(size));
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (inside[i] >= 0)
                texts[i].text = {m_bytes + inside[i], texts[i].text.size()};
    }
    Entry& e = m_index[static_cast<std::size_t>(index)];
    const std::uint64_t before = sizeOf(e);
    const AlbumId id = e.id;
    e = pack(texts);
    e.id = id;
    m_unused += static_cast<std::size_t>(before);
    compactIfWasteful();
}

void AlbumStore::setText(Field f, int album, std::string_view text)
{
    std::array<FieldText, kStoredFieldCount> texts;
    for (int i = 0; i < kStoredFieldCount; ++i)
        texts[static_cast<std::size_t>(i)] = {fieldAt(i), this->text(fieldAt(i), album)};
    texts[static_cast<std::size_t>(fieldIndex(f))].text = text;
    replace(album, texts);
}

void AlbumStore::setAlbum(int index, const AlbumRecord& record)
{
    auto texts = textsOf(record);
    replace(index, texts);
}

AlbumRecord AlbumStore::album(int index) const
{
    AlbumRecord record;
    for (int f = 0; f < kStoredFieldCount; ++f)
        record.text(fieldAt(f)) = std::string(text(fieldAt(f), index));
    return record;
}

template <class Keep>
void AlbumStore::appendRecordsOf(const AlbumStore& other, Keep keep, std::size_t begin, std::size_t end)
{
    end = std::min(end, other.m_index.size());
    std::size_t albums = 0;
    std::size_t bytes = 0;
    for (std::size_t a = begin; a < end; ++a) {
        if (keep(a)) {
            ++albums;
            bytes += static_cast<std::size_t>(other.sizeOf(other.m_index[a]));
        }
    }
    if (albums > 0x7FFFFFFF - m_index.size())
        throw StoreFull();
    // Both reservations come before the first change, so the albums arrive all or none.
    m_index.reserve(m_index.size() + albums);
    ensureRoom(bytes);
    for (std::size_t a = begin; a < end; ++a) {
        if (!keep(a))
            continue;
        Entry e = other.m_index[a];
        const auto length = static_cast<std::size_t>(other.sizeOf(e));
        if (length > 0)
            std::memcpy(m_bytes + m_size, other.m_bytes + e.offset, length);
        e.offset = m_size;
        m_size += length;
        m_index.push_back(e);
    }
}

int AlbumStore::appendAlbums(const AlbumStore& other)
{
    if (&other == this) {
        const AlbumStore copy(other);
        return appendAlbums(copy);
    }
    const int first = albumCount();
    appendRecordsOf(other, [](std::size_t) { return true; });
    return first;
}

void AlbumStore::appendAlbums(const AlbumStore& other, int first, int last)
{
    if (&other == this) {
        const AlbumStore copy(other);
        appendAlbums(copy, first, last);
        return;
    }
    const auto from = static_cast<std::size_t>(std::max(first, 0));
    const auto to = static_cast<std::size_t>(std::max(last, 0));
    appendRecordsOf(
        other, [](std::size_t) { return true; }, from, std::max(from, to));
}

AlbumStore AlbumStore::without(const std::vector<bool>& marked) const
{
    AlbumStore kept;
    kept.appendRecordsOf(*this, [&](std::size_t a) { return a >= marked.size() || !marked[a]; });
    return kept;
}

void AlbumStore::removeAlbum(int index)
{
    const auto at = m_index.begin() + index;
    m_unused += static_cast<std::size_t>(sizeOf(*at));
    m_index.erase(at);
    compactIfWasteful();
}

void AlbumStore::clear()
{
    reallocate(0);
    m_size = 0;
    m_unused = 0;
    m_index.clear();
    m_index.shrink_to_fit();
}

void AlbumStore::resize(int count)
{
    const auto n = static_cast<std::size_t>(std::max(count, 0));
    if (n < m_index.size()) {
        for (std::size_t a = n; a < m_index.size(); ++a)
            m_unused += static_cast<std::size_t>(sizeOf(m_index[a]));
        m_index.resize(n);
        compactIfWasteful();
    } else {
        m_index.resize(n);
    }
}

void AlbumStore::compactIfWasteful()
{
    if (m_unused >= 4096 && m_unused * 2 >= m_size)
        compact();
}

bool AlbumStore::compact()
{
    // Into a new buffer in album order, which is the order the orders and the writer visit them in.
    std::size_t size = 0;
    for (const Entry& e : m_index)
        size += static_cast<std::size_t>(sizeOf(e));
    char* packed = size > 0 ? static_cast<char*>(std::malloc(size + kReadableAfterText)) : nullptr;
    if (size > 0 && !packed)
        return false; // the waste stays until memory allows
    std::size_t at = 0;
    for (Entry& e : m_index) {
        const auto length = static_cast<std::size_t>(sizeOf(e));
        if (length > 0)
            std::memcpy(packed + at, m_bytes + e.offset, length);
        e.offset = at;
        at += length;
    }
    stopWarming();
    std::free(m_bytes);
    m_bytes = packed;
    m_size = size;
    m_capacity = size;
    m_unused = 0;
    return true;
}

void AlbumStore::shrinkToFit()
{
    if (m_unused <= m_size / 16 || !compact()) {
        if (m_capacity > m_size) {
            try {
                reallocate(m_size);
            } catch (const std::bad_alloc&) {
                // The spare room stays.
            }
        }
    }
    m_index.shrink_to_fit();
}

} // namespace discora
