// BIN/CUE disc images written by the tests: tracks of whole 2352-byte sectors holding a sine tone
// (or silence, stored sparse, for long tracks that are only measured), data tracks, and CD-Text
// TITLE and PERFORMER lines. As on a CD, a disc's last track lasts four seconds at least: a shorter
// one reads as an image cut short.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdlib.h>
#include <string>
#include <vector>

namespace discora::testimage {

inline constexpr int kSectorBytes = 2352;
inline constexpr int kSectorFrames = 588;

struct Track
{
    int sectors = 75; // 75 sectors a second
    bool audio = true;
    int toneHz = 440; // 0: silence
    std::string title;
    std::string performer;
};

struct Disc
{
    Disc(std::vector<Track> discTracks = {}) : tracks(std::move(discTracks)) {}
    std::vector<Track> tracks;
    std::string title;
    std::string performer;
};

inline Track seconds(int minutes, int secs, int toneHz = 0)
{
    Track t;
    t.sectors = (minutes * 60 + secs) * 75;
    t.toneHz = toneHz;
    return t;
}

// The little-endian stereo sample pair of frame n of a tone (left a sine, right its negative, so a
// swap of the channels shows).
inline void toneFrame(int toneHz, std::int64_t n, std::uint8_t* out)
{
    const double value =
        std::sin(2.0 * std::numbers::pi * toneHz * static_cast<double>(n) / 44100.0) * 8000.0;
    const auto left = static_cast<std::int16_t>(std::lround(value));
    const auto right = static_cast<std::int16_t>(-left);
    const auto l = static_cast<std::uint16_t>(left);
    const auto r = static_cast<std::uint16_t>(right);
    out[0] = static_cast<std::uint8_t>(l & 0xFF);
    out[1] = static_cast<std::uint8_t>(l >> 8);
    out[2] = static_cast<std::uint8_t>(r & 0xFF);
    out[3] = static_cast<std::uint8_t>(r >> 8);
}

// The bytes of a track as written into the image.
inline std::vector<std::uint8_t> trackBytes(const Track& track)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(track.sectors) * kSectorBytes, 0);
    if (track.audio && track.toneHz > 0)
        for (std::int64_t n = 0; n < static_cast<std::int64_t>(track.sectors) * kSectorFrames; ++n)
            toneFrame(track.toneHz, n, &bytes[static_cast<std::size_t>(n) * 4]);
    return bytes;
}

inline std::string msf(int sector)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", sector / 75 / 60, sector / 75 % 60, sector % 75);
    return text;
}

// Writes NAME.bin and NAME.cue into dir and returns the path of the .cue sheet.
inline std::string write(const std::filesystem::path& dir, const std::string& name, const Disc& disc)
{
    std::filesystem::create_directories(dir);
    const std::filesystem::path bin = dir / (name + ".bin");
    std::uintmax_t total = 0;
    {
        std::ofstream out(bin, std::ios::binary | std::ios::trunc);
        for (const Track& t : disc.tracks) {
            const std::uintmax_t size = static_cast<std::uintmax_t>(t.sectors) * kSectorBytes;
            if (t.audio && t.toneHz > 0) {
                out.seekp(static_cast<std::streamoff>(total));
                const auto bytes = trackBytes(t);
                out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
            }
            total += size;
        }
    }
    std::filesystem::resize_file(bin, total); // silent stretches stay holes in the file

    std::ofstream cue(dir / (name + ".cue"), std::ios::trunc);
    if (!disc.title.empty())
        cue << "TITLE \"" << disc.title << "\"\n";
    if (!disc.performer.empty())
        cue << "PERFORMER \"" << disc.performer << "\"\n";
    cue << "FILE \"" << name << ".bin\" BINARY\n";
    int sector = 0;
    for (std::size_t i = 0; i < disc.tracks.size(); ++i) {
        const Track& t = disc.tracks[i];
        cue << "  TRACK " << (i + 1 < 10 ? "0" : "") << i + 1 << (t.audio ? " AUDIO\n" : " MODE1/2352\n");
        if (!t.title.empty())
            cue << "    TITLE \"" << t.title << "\"\n";
        if (!t.performer.empty())
            cue << "    PERFORMER \"" << t.performer << "\"\n";
        cue << "    INDEX 01 " << msf(sector) << "\n";
        sector += t.sectors;
    }
    return (dir / (name + ".cue")).string();
}

// A folder of its own under the system's temporary folder, removed by the destructor.
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "discora-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace discora::testimage
