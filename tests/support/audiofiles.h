// Small audio files written byte by byte for the import's tests and benchmark: a FLAC file is its
// stream header and a comment block (the length comes from the stated sample count, so a file of a
// few hundred bytes can last minutes); an MP3 file is an ID3v2.3 tag before constant-rate frames of
// silence. Nothing is encoded, so thousands can be written in moments.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace discora::fixture {

using AudioTags = std::vector<std::pair<std::string, std::string>>; // KEY=value, as in a comment

inline void appendBigEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int b = bytes - 1; b >= 0; --b)
        out += static_cast<char>((value >> (8 * b)) & 0xFF);
}

inline void appendLittleEndian32(std::string& out, std::uint32_t value)
{
    for (int b = 0; b < 4; ++b)
        out += static_cast<char>((value >> (8 * b)) & 0xFF);
}

inline std::string flacBytes(const AudioTags& tags, int seconds)
{
    constexpr std::uint64_t kRate = 44100;
    std::string out = "fLaC";
    out += '\0'; // STREAMINFO, not the last block
    appendBigEndian(out, 34, 3);
    appendBigEndian(out, 4096, 2);
    appendBigEndian(out, 4096, 2);
    appendBigEndian(out, 0, 3);
    appendBigEndian(out, 0, 3);
    // sample rate (20 bits), channels - 1 (3), bits per sample - 1 (5), total samples (36)
    const std::uint64_t packed = (kRate << 44) | (std::uint64_t{1} << 41) | (std::uint64_t{15} << 36) |
                                 (kRate * static_cast<std::uint64_t>(seconds));
    appendBigEndian(out, packed, 8);
    out += std::string(16, '\0'); // no MD5 signature
    std::string comment;
    const std::string vendor = "discora tests";
    appendLittleEndian32(comment, static_cast<std::uint32_t>(vendor.size()));
    comment += vendor;
    appendLittleEndian32(comment, static_cast<std::uint32_t>(tags.size()));
    for (const auto& [key, value] : tags) {
        const std::string entry = key + "=" + value;
        appendLittleEndian32(comment, static_cast<std::uint32_t>(entry.size()));
        comment += entry;
    }
    out += static_cast<char>(0x84); // VORBIS_COMMENT, the last block
    appendBigEndian(out, comment.size(), 3);
    return out + comment;
}

// An ID3v2.3 frame; text frames take their body as it is (the encoding byte first).
inline std::string id3Frame(const std::string& id, const std::string& body)
{
    std::string out = id;
    appendBigEndian(out, body.size(), 4);
    return out + std::string(2, '\0') + body;
}

inline std::string latin1Frame(const std::string& id, const std::string& bytes)
{
    return id3Frame(id, std::string(1, '\0') + bytes);
}

inline std::string utf16Frame(const std::string& id, const std::u16string& text)
{
    std::string body = "\x01\xFF\xFE";
    for (char16_t unit : text) {
        body += static_cast<char>(unit & 0xFF);
        body += static_cast<char>(unit >> 8);
    }
    return id3Frame(id, body);
}

inline std::string mp3Bytes(const std::string& frames, int seconds)
{
    std::string out = "ID3\x03";
    out += std::string(2, '\0');
    const auto size = static_cast<std::uint32_t>(frames.size());
    for (int shift : {21, 14, 7, 0})
        out += static_cast<char>((size >> shift) & 0x7F);
    out += frames;
    // MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417 bytes a frame, 1152 samples.
    const int count = static_cast<int>((static_cast<std::int64_t>(seconds) * 44100 + 1151) / 1152);
    std::string frame = "\xFF\xFB\x90";
    frame += '\0';
    frame.resize(417, '\0');
    for (int f = 0; f < count; ++f)
        out += frame;
    return out;
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Folders of 200-character names inside root, each in the one before, as deep as a path stays
// within the system's limit, with a file of these bytes at the bottom if any is named, and one
// folder more whose path is beyond the limit: that folder's path from root. Made a level at a time
// from an open folder, since no path reaches it; removeDeepFolders takes it away again.
inline std::string makeDeepFolders(const std::filesystem::path& root, const std::string& fileName = {},
                                   const std::string& bytes = {})
{
    const std::string component(200, 'd');
    std::string relative;
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (root.string().size() + relative.size() + component.size() + 20 < PATH_MAX) {
        ::mkdirat(fd, component.c_str(), 0755);
        const int inner = ::openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = inner;
        relative += (relative.empty() ? "" : "/") + component;
    }
    if (!fileName.empty()) {
        const int file = ::openat(fd, fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        const bool written = ::write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        ::close(file);
        if (!written)
            return {};
    }
    ::mkdirat(fd, component.c_str(), 0755);
    ::close(fd);
    return relative + "/" + component;
}

inline void removeDeepFolders(const std::filesystem::path& root)
{
    // rm walks a folder at a time, where remove_all would need the whole path.
    std::system(("rm -rf '" + (root / std::string(200, 'd')).string() + "'").c_str());
}

} // namespace discora::fixture
