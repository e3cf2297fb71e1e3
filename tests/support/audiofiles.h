// Small audio files written byte by byte for the import's tests and benchmark: a FLAC file is its
// stream header, any pictures and a comment block (the length comes from the stated sample count, so
// a file of a few hundred bytes can last minutes); an MP3 file is an ID3v2.3 tag before
// constant-rate frames of silence; an MP4 file holds nothing but its tags (enough for the covers).
// Nothing is encoded, so thousands can be written in moments.
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

// The body of a FLAC PICTURE block, which Ogg comments also carry (base64, as
// METADATA_BLOCK_PICTURE). Type 3 is the front cover, 4 the back.
inline std::string flacPicture(int type, const std::string& mime, const std::string& data)
{
    std::string out;
    appendBigEndian(out, static_cast<std::uint64_t>(type), 4);
    appendBigEndian(out, mime.size(), 4);
    out += mime;
    appendBigEndian(out, 0, 4);  // no description
    appendBigEndian(out, 1, 4);  // width
    appendBigEndian(out, 1, 4);  // height
    appendBigEndian(out, 24, 4); // colour depth
    appendBigEndian(out, 0, 4);  // not indexed
    appendBigEndian(out, data.size(), 4);
    return out + data;
}

inline std::string flacBytes(const AudioTags& tags, int seconds,
                             const std::vector<std::string>& pictures = {})
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
    for (const std::string& picture : pictures) {
        out += '\x06'; // PICTURE, not the last block
        appendBigEndian(out, picture.size(), 3);
        out += picture;
    }
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

// An ID3v2.3 APIC frame: Latin-1, the MIME type, the picture type (3 the front cover), no
// description, the picture.
inline std::string apicFrame(int type, const std::string& mime, const std::string& data)
{
    return id3Frame("APIC", std::string(1, '\0') + mime + '\0' + static_cast<char>(type) + '\0' + data);
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

inline std::string mp4Atom(const std::string& name, const std::string& body)
{
    std::string out;
    appendBigEndian(out, body.size() + 8, 4);
    return out + name + body;
}

// An MP4 file with these pictures in its "covr" item (none: no item), as JPEG data.
inline std::string mp4Bytes(const std::vector<std::string>& covers)
{
    std::string covr;
    for (const std::string& cover : covers) {
        std::string data;
        appendBigEndian(data, 13, 4); // JPEG
        appendBigEndian(data, 0, 4);  // no locale
        covr += mp4Atom("data", data + cover);
    }
    std::string title;
    appendBigEndian(title, 1, 4); // UTF-8
    appendBigEndian(title, 0, 4);
    std::string ilst = mp4Atom("\xA9nam", mp4Atom("data", title + "Song"));
    if (!covers.empty())
        ilst += mp4Atom("covr", covr);
    const std::string meta = mp4Atom("meta", std::string(4, '\0') + mp4Atom("ilst", ilst));
    return mp4Atom("ftyp", "M4A " + std::string(4, '\0') + "M4A mp42isom") +
           mp4Atom("moov", mp4Atom("udta", meta));
}

inline std::string base64(const std::string& bytes)
{
    constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= bytes.size() - i ? digits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
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
