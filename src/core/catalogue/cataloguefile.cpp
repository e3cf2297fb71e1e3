#include "core/catalogue/cataloguefile.h"

#include "core/catalogue/cp1252.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <span>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace discora {

namespace {

struct EdgeRef
{
    LayoutId layout;
    int first; // 1-based edge numbers, inclusive
    int last;
};

// The two groups of left edges, in file order.
constexpr EdgeRef kEdgeGroupA[] = {
    {LayoutId::ByNumber, 1, 5},        {LayoutId::ByArtistShort, 5, 5}, {LayoutId::ByAlbumName, 3, 5},
    {LayoutId::ByCatalogNumber, 4, 5}, {LayoutId::ByCustom1, 4, 5},     {LayoutId::ByCustom2, 4, 5},
    {LayoutId::ByArtist, 3, 5},        {LayoutId::ByLabel, 4, 5},       {LayoutId::ByQuality, 4, 5},
    {LayoutId::ByMediaType, 4, 5},     {LayoutId::ByMusicType, 4, 5},   {LayoutId::ByPerformer, 4, 5},
    {LayoutId::ByProducer, 3, 5},      {LayoutId::BySong, 4, 5},
};

constexpr EdgeRef kEdgeGroupB[] = {
    {LayoutId::ByArtistShort, 1, 4}, {LayoutId::ByAlbumName, 1, 2}, {LayoutId::ByCatalogNumber, 1, 3},
    {LayoutId::ByCustom1, 1, 3},     {LayoutId::ByCustom2, 1, 3},   {LayoutId::ByArtist, 1, 2},
    {LayoutId::ByLabel, 1, 3},       {LayoutId::ByQuality, 1, 3},   {LayoutId::ByMediaType, 1, 3},
    {LayoutId::ByMusicType, 1, 3},   {LayoutId::ByPerformer, 1, 3}, {LayoutId::ByProducer, 1, 2},
    {LayoutId::BySong, 1, 3},
};

constexpr int kMaxLeftEdge = 30000;

// The lists of the older layouts, in file order.
std::vector<Field> listsOfVersion(int v)
{
    std::vector<Field> lists;
    if (v <= -4) {
        lists.push_back(Field::Custom1);
        lists.push_back(Field::Custom2);
    }
    if (v <= -3) {
        for (int f = fieldIndex(Field::Artist); f < kFieldCount; ++f)
            lists.push_back(fieldAt(f));
        return lists;
    }
    const int titles = v == -2 ? kSongSlots : 21;
    lists.push_back(Field::Artist);
    // push_back rather than insert of an initializer list: GCC 12 at -O3 warns falsely on the latter.
    if (v < 0) {
        lists.push_back(Field::Producer1);
        lists.push_back(Field::Producer2);
    }
    for (Field f : {Field::MediaType, Field::MusicType, Field::AlbumName, Field::Number})
        lists.push_back(f);
    for (int k = 1; k <= titles; ++k)
        lists.push_back(titleField(k));
    if (v == -2) {
        for (int k = 1; k <= kSongSlots; ++k)
            lists.push_back(timeField(k));
        for (int k = 1; k <= kSongSlots; ++k)
            lists.push_back(trackField(k));
    }
    return lists;
}

int progressRangeOf(int v)
{
    switch (v) {
    case -7: return 104;
    case -6: return 103;
    case -5: return 102;
    case -4: return 100;
    case -3: return 99;
    case -2: return 86;
    case -1: return 29;
    default: return 27;
    }
}

struct Malformed
{
    std::string what;
    std::size_t offset;
};

class ByteReader
{
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    std::size_t offset() const { return m_pos; }

    void need(std::size_t count, const char* what) const
    {
        if (count > remaining())
            throw Malformed{what, m_pos};
    }

    std::uint8_t u8()
    {
        need(1, "the file ends unexpectedly");
        return static_cast<std::uint8_t>(m_bytes[m_pos++]);
    }
    std::uint16_t u16()
    {
        need(2, "the file ends unexpectedly");
        const auto v = static_cast<std::uint16_t>(byte(0) | (byte(1) << 8));
        m_pos += 2;
        return v;
    }
    std::uint32_t u32()
    {
        need(4, "the file ends unexpectedly");
        const std::uint32_t v = byte(0) | (byte(1) << 8) | (byte(2) << 16) | (std::uint32_t(byte(3)) << 24);
        m_pos += 4;
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    std::string_view take(std::size_t count)
    {
        need(count, "a text runs past the end of the file");
        const std::string_view s = m_bytes.substr(m_pos, count);
        m_pos += count;
        return s;
    }

private:
    std::uint32_t byte(std::size_t i) const { return static_cast<unsigned char>(m_bytes[m_pos + i]); }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

class CatalogueReader
{
public:
    CatalogueReader(std::string_view bytes, const LoadBase& base, ProgressSink* progress)
        : m_in(bytes), m_base(base), m_progressSink(progress)
    {}

    LoadedCatalogue read()
    {
        LoadedCatalogue out;
        out.layouts = m_base.layouts;
        out.headings = m_base.headings;

        const std::int32_t v = m_in.i32();
        if (v < kCurrentFileVersion)
            throw Malformed{"it was written by a newer program or is not a catalogue", 0};
        out.version = v;
        ProgressScope progress(m_progressSink, "Loading file", 102);
        progress.setRange(progressRangeOf(v));

        const std::int64_t n = v < 0 ? m_in.i32() : v;
        // Every album has at least one byte in every list the file carries.
        const auto lists = listsOfVersion(v);
        if (n < 0 || static_cast<std::uint64_t>(n) * lists.size() > m_in.remaining())
            throw Malformed{"the album count does not fit the file's size", v < 0 ? 4u : 0u};
        m_albumCount = static_cast<std::size_t>(n);

        if (v == -7) {
            for (int i = 0; i < kLayoutCount; ++i) {
                auto& fields = out.layouts[i].fieldColumns;
                fields.assign(columnSlotCount(static_cast<LayoutId>(i)), 0);
                for (int& field : fields)
                    field = m_in.i32();
            }
            readEdges(out.layouts, kEdgeGroupA);
            progress.step();
        }
        if (v <= -6) {
            readEdges(out.layouts, kEdgeGroupB);
            for (int i = 0; i < 4; ++i)
                m_in.i32();
            progress.step();
        }
        if (v <= -5) {
            for (int h = 0; h < 2; ++h) {
                std::string heading = readText();
                if (!heading.empty())
                    out.headings[h] = std::move(heading);
                progress.step();
            }
        }
        for (Field f : lists) {
            readList(out.albums.column(f));
            progress.step();
        }
        out.albums.resize(static_cast<int>(m_albumCount));

        if (v == -1 || v >= 0)
            numberTracks(out.albums);
        return out;
    }

private:
    void readEdges(ColumnLayouts& layouts, std::span<const EdgeRef> group)
    {
        for (const EdgeRef& ref : group) {
            auto& edges = layouts[static_cast<int>(ref.layout)].leftEdges;
            for (int e = ref.first; e <= ref.last; ++e)
                edges[e - 1] = std::clamp(m_in.i32(), 0, kMaxLeftEdge);
        }
    }

    struct Prefix
    {
        std::size_t length;
        bool wide;
    };

    std::size_t readLength()
    {
        const std::uint8_t b = m_in.u8();
        if (b < 0xFF)
            return b;
        const std::uint16_t w = m_in.u16();
        if (w < 0xFFFF)
            return w;
        return m_in.u32();
    }

    Prefix readPrefix()
    {
        const std::uint8_t b = m_in.u8();
        if (b < 0xFF)
            return {b, false};
        const std::uint16_t w = m_in.u16();
        if (w == 0xFFFE)
            return {readLength(), true};
        if (w < 0xFFFF)
            return {w, false};
        return {m_in.u32(), false};
    }

    // Appends the next string to column (or skips it when column is null).
    void readString(TextColumn* column)
    {
        const Prefix prefix = readPrefix();
        if (!prefix.wide) {
            const std::string_view bytes = m_in.take(prefix.length);
            if (!column)
                return;
            if (cp1252::isAscii(bytes)) {
                std::memcpy(column->appendUninitialised(bytes.size()), bytes.data(), bytes.size());
            } else {
                m_scratch.clear();
                cp1252::appendUtf8(m_scratch, bytes);
                column->append(m_scratch);
            }
            return;
        }
        if (prefix.length > m_in.remaining() / 2)
            throw Malformed{"a text runs past the end of the file", m_in.offset()};
        const std::string_view bytes = m_in.take(prefix.length * 2);
        if (!column)
            return;
        m_units.resize(prefix.length);
        for (std::size_t i = 0; i < prefix.length; ++i)
            m_units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                               (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
        column->append(cp1252::utf16ToUtf8(m_units.data(), m_units.size()));
    }

    std::string readText()
    {
        TextColumn one;
        readString(&one);
        return std::string(one.at(0));
    }

    void readList(TextColumn& column)
    {
        const std::size_t at = m_in.offset();
        std::size_t count = m_in.u16();
        if (count == 0xFFFF)
            count = m_in.u32();
        if (count > m_in.remaining())
            throw Malformed{"a list holds more entries than the file has bytes", at};
        const std::size_t kept = std::min(count, m_albumCount);
        column.clear();
        column.reserve(kept, 0);
        for (std::size_t i = 0; i < count; ++i)
            readString(i < kept ? &column : nullptr);
        column.resize(m_albumCount);
        column.shrinkToFit();
    }

    static void numberTracks(AlbumStore& albums)
    {
        for (int k = 1; k <= kSongSlots; ++k) {
            const char track[3] = {static_cast<char>('0' + k / 10), static_cast<char>('0' + k % 10), 0};
            for (int a = 0; a < albums.albumCount(); ++a)
                if (!albums.text(titleField(k), a).empty())
                    albums.setText(trackField(k), a, track);
        }
    }

    ByteReader m_in;
    const LoadBase& m_base;
    ProgressSink* m_progressSink;
    std::size_t m_albumCount = 0;
    std::string m_scratch;
    std::vector<char16_t> m_units;
};

class ByteWriter
{
public:
    void reserve(std::size_t bytes) { m_out.reserve(bytes); }
    void u8(std::uint8_t v) { m_out.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v)
    {
        u8(v & 0xFF);
        u8(v >> 8);
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }

    void length(std::size_t n)
    {
        if (n < 0xFF) {
            u8(static_cast<std::uint8_t>(n));
        } else if (n < 0xFFFE) {
            u8(0xFF);
            u16(static_cast<std::uint16_t>(n));
        } else {
            u8(0xFF);
            u16(0xFFFF);
            u32(static_cast<std::uint32_t>(n));
        }
    }

    void count(std::size_t n)
    {
        if (n < 0xFFFF) {
            u16(static_cast<std::uint16_t>(n));
        } else {
            u16(0xFFFF);
            u32(static_cast<std::uint32_t>(n));
        }
    }

    // Windows-1252 bytes when the text fits, else the 2-byte-character form.
    void text(std::string_view utf8)
    {
        if (cp1252::isAscii(utf8)) {
            length(utf8.size());
            m_out.append(utf8);
            return;
        }
        if (const auto bytes = cp1252::fromUtf8(utf8)) {
            length(bytes->size());
            m_out.append(*bytes);
            return;
        }
        const std::u16string units = cp1252::utf8ToUtf16(utf8);
        u8(0xFF);
        u16(0xFFFE);
        length(units.size());
        for (char16_t unit : units)
            u16(unit);
    }

    std::string take() { return std::move(m_out); }

private:
    std::string m_out;
};

void writeEdges(ByteWriter& out, const ColumnLayouts& layouts, std::span<const EdgeRef> group)
{
    for (const EdgeRef& ref : group)
        for (int e = ref.first; e <= ref.last; ++e)
            out.i32(layouts[static_cast<int>(ref.layout)].leftEdges[e - 1]);
}

} // namespace

Result<LoadedCatalogue> readCatalogue(std::string_view bytes, const LoadBase& base, ProgressSink* progress)
{
    try {
        return CatalogueReader(bytes, base, progress).read();
    } catch (const Malformed& m) {
        return Error{"The file is damaged or is not a Discora catalogue: " + m.what + " (at byte " +
                     std::to_string(m.offset) + ")."};
    } catch (const std::bad_alloc&) {
        return Error{"Not enough memory to load the file."};
    } catch (const std::length_error&) {
        return Error{"Not enough memory to load the file."};
    }
}

std::string writeCatalogue(const AlbumStore& albums, const ColumnLayouts& layouts,
                           const std::array<std::string, 2>& headings)
{
    ByteWriter out;
    std::size_t estimate = 700;
    for (int f = 0; f < kFieldCount; ++f)
        estimate += albums.column(fieldAt(f)).memoryUsage();
    out.reserve(estimate);

    out.i32(kCurrentFileVersion);
    out.i32(albums.albumCount());
    for (int i = 0; i < kLayoutCount; ++i) {
        const auto& fields = layouts[i].fieldColumns;
        const int slots = columnSlotCount(static_cast<LayoutId>(i));
        for (int s = 0; s < slots; ++s)
            out.i32(s < static_cast<int>(fields.size()) ? fields[s] : 0);
    }
    writeEdges(out, layouts, kEdgeGroupA);
    writeEdges(out, layouts, kEdgeGroupB);
    for (int i = 0; i < 4; ++i)
        out.i32(0);
    out.text(headings[0]);
    out.text(headings[1]);
    for (int f = 0; f < kFieldCount; ++f) {
        const TextColumn& column = albums.column(fieldAt(f));
        out.count(column.size());
        for (std::size_t a = 0; a < column.size(); ++a)
            out.text(column.at(a));
    }
    return out.take();
}

Result<std::string> readWholeFile(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Error{"It is a folder, not a file."};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error{std::string("It cannot be read: ") + std::strerror(errno) + "."};
    try {
        std::string bytes;
        in.seekg(0, std::ios::end);
        const auto size = in.tellg();
        if (size < 0)
            return Error{"It cannot be read."};
        bytes.resize(static_cast<std::size_t>(size));
        in.seekg(0);
        in.read(bytes.data(), size);
        if (!in)
            return Error{"It cannot be read completely."};
        return bytes;
    } catch (const std::bad_alloc&) {
        return Error{"Not enough memory to load the file."};
    }
}

namespace {

std::string systemError(int err)
{
    return std::string("It cannot be written: ") + std::strerror(err) + ".";
}

// The file a path finally names: symbolic links are followed (relative ones from the folder of
// the link) until a path that is not a link, which need not exist yet.
Result<std::string> followLinks(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path current(path);
    // The same limit the kernel sets on the links it follows in one lookup.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st
        {
        };
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current.string();
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0)
            return Error{systemError(errno)};
        target.resize(static_cast<std::size_t>(n));
        const fs::path next(target);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return Error{systemError(ELOOP)};
}

Status writeAll(int fd, std::string_view bytes, off_t at)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Error{systemError(errno)};
        }
        done += static_cast<std::size_t>(n);
    }
    return success();
}

// For a folder where the file may be changed but no file created: the new bytes go into the file
// itself. The space is claimed before the first byte is overwritten, so a full disk fails with
// the old contents intact; only a crash during the write itself can leave a mix.
Status writeInPlace(const std::string& path, std::string_view bytes, off_t oldSize)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return Error{systemError(errno)};
    const auto fail = [&](int err) -> Status {
        ::close(fd);
        return Error{systemError(err)};
    };
    const auto size = static_cast<off_t>(bytes.size());
    if (size > oldSize) {
        if (const int err = ::posix_fallocate(fd, 0, size); err != 0) {
            // Nothing was overwritten; the file may only have grown, and shrinks back.
            [[maybe_unused]] const int ignored = ::ftruncate(fd, oldSize);
            return fail(err);
        }
    }
    if (Status written = writeAll(fd, bytes, 0); !written) {
        ::close(fd);
        return written;
    }
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0)
        return Error{systemError(errno)};
    return success();
}

} // namespace

Status writeFileAtomically(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    const Result<std::string> resolved = followLinks(path);
    if (!resolved)
        return Error{resolved.error()};
    const std::string& target = resolved.value();
    struct stat old
    {
    };
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return Error{"It is a folder, not a file."};

    const fs::path targetPath(target);
    fs::path dir = targetPath.parent_path();
    if (dir.empty())
        dir = ".";
    // A hidden name that does not end in ".dcf", so a file left behind by a crash is never taken
    // for a catalogue. Appended piece by piece: GCC 12 at -O3 warns falsely on "." + std::string.
    std::string name = ".";
    name += targetPath.filename().string();
    name += ".XXXXXX.part";
    std::string temp = (dir / name).string();
    const int fd = ::mkostemps(temp.data(), 5, O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (exists && (err == EACCES || err == EPERM) && ::access(target.c_str(), W_OK) == 0)
            return writeInPlace(target, bytes, old.st_size);
        return Error{systemError(err)};
    }

    const auto fail = [&](int err) -> Status {
        ::close(fd);
        ::unlink(temp.c_str());
        return Error{systemError(err)};
    };
    if (Status written = writeAll(fd, bytes, 0); !written) {
        ::close(fd);
        ::unlink(temp.c_str());
        return written;
    }
    // The replacement keeps the permissions (and, where allowed, the owner and group) of the file
    // it replaces; a new file gets the usual ones.
    if (exists) {
        // Neither is allowed to someone who is not the owner nor in the group; the file is then ours.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return fail(errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd, 0666 & ~mask) != 0)
            return fail(errno);
    }
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Error{systemError(err)};
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Error{systemError(err)};
    }
    // The rename itself reaches the disk with the folder.
    if (const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return success();
}

} // namespace discora
