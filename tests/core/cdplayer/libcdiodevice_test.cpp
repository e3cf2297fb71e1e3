// The libcdio device on BIN/CUE images the tests write: the table of contents, CD-Text, the
// checked reading behind "Load Times from CD", and digital playback into a recording output.
#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/digitalplayback.h"
#include "core/cdplayer/disctimes.h"
#include "core/cdplayer/libcdiodevice.h"
#include "support/discimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <mutex>
#include <sstream>
#include <thread>

#include <sys/stat.h>

namespace discora {
namespace {

using namespace std::chrono_literals;
namespace image = testimage;

// The notices as the playback thread posts them.
class NoticeQueue
{
public:
    CdNoticeSink sink()
    {
        return [this](PlayId id) {
            const std::lock_guard lock(m_mutex);
            m_ids.push_back(id);
            m_posted.notify_all();
        };
    }
    // The next notice, or 0 when none came within the time.
    PlayId wait(std::chrono::milliseconds timeout = 5000ms)
    {
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_for(lock, timeout, [this] { return !m_ids.empty(); }))
            return 0;
        const PlayId id = m_ids.front();
        m_ids.pop_front();
        return id;
    }
    std::size_t pending()
    {
        const std::lock_guard lock(m_mutex);
        return m_ids.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<PlayId> m_ids;
};

// Keeps every byte played. With the gate shut, each write waits until the test lets it through,
// so the test knows how far the playback thread has got without timing it.
class RecordingOutput : public PcmOutput
{
public:
    explicit RecordingOutput(bool opens = true) : m_opens(opens) {}
    std::string open() override { return m_opens ? std::string() : std::string("Connection refused"); }
    bool write(std::span<const std::uint8_t> bytes) override
    {
        std::unique_lock lock(m_mutex);
        if (m_gated) {
            m_waiting = true;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_gated || m_allowed > 0; });
            m_waiting = false;
            if (m_gated)
                --m_allowed;
        }
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        ++m_writes;
        m_changed.notify_all();
        return true;
    }
    void close() override {}
    std::vector<std::uint8_t> bytes()
    {
        const std::lock_guard lock(m_mutex);
        return m_bytes;
    }
    std::size_t size()
    {
        const std::lock_guard lock(m_mutex);
        return m_bytes.size();
    }
    int writes()
    {
        const std::lock_guard lock(m_mutex);
        return m_writes;
    }

    void shutGate()
    {
        const std::lock_guard lock(m_mutex);
        m_gated = true;
    }
    void letThrough(int writes)
    {
        const std::lock_guard lock(m_mutex);
        m_allowed += writes;
        m_changed.notify_all();
    }
    void openGate()
    {
        const std::lock_guard lock(m_mutex);
        m_gated = false;
        m_changed.notify_all();
    }
    // Told by the device's notice: a play ended. Counted, so a test can tell one play's end.
    void playEnded()
    {
        const std::lock_guard lock(m_mutex);
        ++m_ends;
        m_changed.notify_all();
    }
    int ends()
    {
        const std::lock_guard lock(m_mutex);
        return m_ends;
    }
    // Waits until writes have been made and, with waiting, the next one waits at the gate or a
    // play has ended since endsBefore; false after five seconds.
    bool reached(int writes, bool waiting, int endsBefore = std::numeric_limits<int>::max())
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(
            lock, 5s, [&] { return m_writes == writes && (!waiting || m_waiting || m_ends > endsBefore); });
    }

private:
    bool m_opens;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::uint8_t> m_bytes;
    int m_writes = 0;
    bool m_gated = false;
    bool m_waiting = false;
    int m_allowed = 0;
    int m_ends = 0;
};

// A device whose notices reach both the queue and the output.
CdNoticeSink noticesTo(NoticeQueue& notices, RecordingOutput& heard)
{
    return [post = notices.sink(), &heard](PlayId id) {
        post(id);
        heard.playEnded();
    };
}

// Runs end (a stop or a close) on a thread of its own while the play, held at the gate, is let
// through a write at a time until it has ended: the play is caught half way whatever the
// machine's speed. ended: the play had ended when end returned.
struct Ending
{
    bool stepped = false;
    bool ended = false;
};
template <class End> Ending endWhileStepping(RecordingOutput& heard, End end)
{
    const int endsBefore = heard.ends();
    Ending ending;
    std::thread ender([&] {
        end();
        ending.ended = heard.ends() > endsBefore;
    });
    ending.stepped = heard.reached(heard.writes(), true, endsBefore);
    while (ending.stepped && heard.ends() == endsBefore) {
        const int next = heard.writes() + 1;
        heard.letThrough(1);
        ending.stepped = heard.reached(next, true, endsBefore);
    }
    if (!ending.stepped)
        heard.openGate(); // so the thread can end and be joined
    ender.join();
    return ending;
}

std::vector<std::uint8_t> concat(std::initializer_list<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

image::Track tone(int sectors, int hz, std::string title = {})
{
    image::Track t;
    t.sectors = sectors;
    t.toneHz = hz;
    t.title = std::move(title);
    return t;
}

class LibcdioDeviceTest : public ::testing::Test
{
protected:
    std::string writeDisc(const image::Disc& disc, const std::string& name = "disc")
    {
        return image::write(m_dir.path(), name, disc);
    }
    image::TempDir m_dir;
};

TEST_F(LibcdioDeviceTest, AnImageTellsItsTracksAndTheirLengths)
{
    const image::Disc disc{{image::seconds(3, 5), image::seconds(0, 59), tone(300, 440)}};
    LibcdioDevice device(writeDisc(disc));
    ASSERT_EQ(device.open(), CdError::None);
    EXPECT_TRUE(device.mediaPresent().value);
    EXPECT_EQ(device.trackCount().value, 3);
    EXPECT_EQ(device.trackType(1).value, CdTrackType::Audio);
    EXPECT_EQ(device.trackLength(1).value, (CdTime{3, 5}));
    EXPECT_EQ(device.trackLength(2).value, (CdTime{0, 59}));
    EXPECT_EQ(device.trackLength(3).value, (CdTime{0, 4}));
    EXPECT_EQ(device.trackLength(4).error, CdError::NoSuchTrack);
    EXPECT_EQ(device.mode().value, CdMode::Idle);
    device.close();
    EXPECT_EQ(device.mode().error, CdError::NotOpen);

    const DiscReading reading = readDiscTimes(device);
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading.times, (std::vector<std::string>{"03:05", "00:59", "00:04"}));
    EXPECT_TRUE(reading.text.empty());
}

TEST_F(LibcdioDeviceTest, ReadingTheTimesRefusesWhatIsNoAudioDisc)
{
    image::Track data = tone(300, 0);
    data.audio = false;
    const std::string mixed = writeDisc({{data, tone(300, 440)}}, "mixed");
    // The sheet promises three tracks; the image ends inside the second.
    const std::string cut = writeDisc({{tone(75, 440), tone(75, 440), tone(75, 440)}}, "cut");
    std::filesystem::resize_file(m_dir.path() / "cut.bin", (75 + 30) * image::kSectorBytes);
    // Three tracks of five seconds: cut 20 sectors into the third, whose length only the image's
    // size tells, and cut inside its very last sector.
    const image::Disc fives{{image::seconds(0, 5), image::seconds(0, 5), image::seconds(0, 5)}};
    const std::string cutInLast = writeDisc(fives, "cut in last");
    std::filesystem::resize_file(m_dir.path() / "cut in last.bin", (2 * 375 + 20) * image::kSectorBytes);
    const std::string cutInSector = writeDisc(fives, "cut in sector");
    std::filesystem::resize_file(m_dir.path() / "cut in sector.bin", 3 * 375 * image::kSectorBytes - 1000);
    const std::string missing = (m_dir.path() / "missing.cue").string();
    const std::string pipe = (m_dir.path() / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    struct Row
    {
        const char* name;
        std::string path;
        CdError error;
        std::string message;
    };
    const Row rows[] = {
        {"a data first track", mixed, CdError::NotAudio, kNoAudioTrackOne},
        {"an image shorter than its sheet", cut, CdError::Damaged, kDamagedDisc},
        {"an image cut inside its last track", cutInLast, CdError::Damaged, kDamagedDisc},
        {"an image cut inside a sector", cutInSector, CdError::Damaged, kDamagedDisc},
        {"no such image", missing, CdError::CannotOpen,
         "The disc image file " + missing + " cannot be found."},
        {"a named pipe", pipe, CdError::CannotOpen, pipe + " is neither a CD drive nor a disc image file."},
        {"a folder", m_dir.path().string(), CdError::CannotOpen,
         m_dir.path().string() + " is neither a CD drive nor a disc image file."},
    };
    for (const Row& row : rows) {
        LibcdioDevice device(row.path);
        const DiscReading reading = readDiscTimes(device);
        EXPECT_EQ(reading.error, row.error) << row.name;
        EXPECT_EQ(reading.message, row.message) << row.name;
        EXPECT_TRUE(reading.times.empty()) << row.name;
    }
}

void writeText(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::trunc) << text;
}

TEST_F(LibcdioDeviceTest, ACueSheetIsReadByTheFileItNames)
{
    namespace fs = std::filesystem;
    writeDisc({{image::seconds(0, 7)}}, "stray");
    writeDisc({{image::seconds(0, 3), image::seconds(0, 5)}}, "real");
    std::stringstream sheet;
    sheet << std::ifstream(m_dir.path() / "real.cue").rdbuf();
    // A sheet named unlike its file, and one beside a file of its own name that it does not name.
    writeText(m_dir.path() / "Live at the Hall.cue", sheet.str());
    writeText(m_dir.path() / "stray.cue", sheet.str());
    for (const char* name : {"Live at the Hall.cue", "stray.cue"}) {
        LibcdioDevice device((m_dir.path() / name).string());
        const DiscReading reading = readDiscTimes(device);
        ASSERT_TRUE(reading.ok()) << name;
        EXPECT_EQ(reading.times, (std::vector<std::string>{"00:03", "00:05"})) << name;
    }

    const std::string perTrack = (m_dir.path() / "per track.cue").string();
    writeText(perTrack, "FILE \"real.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                        "FILE \"stray.bin\" BINARY\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n");
    const std::string gone = (m_dir.path() / "gone.cue").string();
    writeText(gone, "FILE gone.bin BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    struct Row
    {
        std::string sheet;
        std::string message;
    };
    for (const Row& row :
         {Row{perTrack, "The cue sheet " + perTrack +
                            " names a file for each track. Only a sheet whose tracks are all in one file can "
                            "be read."},
          Row{gone, "The disc image file " + (m_dir.path() / "gone.bin").string() +
                        " named by the cue sheet " + gone + " cannot be found."}}) {
        LibcdioDevice device(row.sheet);
        const DiscReading reading = readDiscTimes(device);
        EXPECT_EQ(reading.error, CdError::CannotOpen) << row.sheet;
        EXPECT_EQ(reading.message, row.message) << row.sheet;
    }
}

TEST(CdDriveProblem, OnlyDevicesAndRegularFilesPass)
{
    image::TempDir dir;
    const std::string cue = image::write(dir.path(), "disc", {{image::seconds(0, 2)}});
    EXPECT_EQ(cdDriveProblem(""), "");
    EXPECT_EQ(cdDriveProblem(cue), "");
    EXPECT_EQ(cdDriveProblem("/dev/null"), "");
    EXPECT_EQ(cdDriveProblem("/dev/discora-no-drive"), "There is no CD drive /dev/discora-no-drive.");
}

TEST_F(LibcdioDeviceTest, AThirtyTrackDiscIsReadWholeAndThePlayerKeepsTwentySixTimes)
{
    image::Disc disc;
    for (int k = 1; k <= 30; ++k)
        disc.tracks.push_back(image::seconds(0, k));
    LibcdioDevice device(writeDisc(disc));
    const DiscReading reading = readDiscTimes(device);
    ASSERT_TRUE(reading.ok());
    ASSERT_EQ(reading.times.size(), 30u);
    EXPECT_EQ(reading.times[0], "00:01");
    EXPECT_EQ(reading.times[29], "00:30");
    EXPECT_EQ(readTrackLengths(device).size(), 26u);
    ASSERT_EQ(device.open(), CdError::None);
    EXPECT_EQ(discTrackCount(device).value, 30);
    device.close();
}

TEST_F(LibcdioDeviceTest, CdTextTitlesAndPerformerComeFromTheCueSheet)
{
    image::Disc disc{{tone(75, 440, "Morning"), image::seconds(0, 3), tone(300, 660, "Evening")}};
    disc.title = "Days";
    disc.performer = "The Hours";
    LibcdioDevice device(writeDisc(disc));
    const DiscReading reading = readDiscTimes(device);
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading.text.albumTitle, "Days");
    EXPECT_EQ(reading.text.performer, "The Hours");
    EXPECT_EQ(reading.text.trackTitles, (std::vector<std::string>{"Morning", "", "Evening"}));
}

TEST_F(LibcdioDeviceTest, PlayingATrackSendsItsSamplesAndThenItsNotice)
{
    const image::Disc disc{{tone(30, 440), tone(20, 660), tone(40, 880)}};
    NoticeQueue notices;
    auto output = std::make_unique<RecordingOutput>();
    RecordingOutput& heard = *output;
    LibcdioDevice device(writeDisc(disc), std::move(output), notices.sink());
    ASSERT_EQ(device.open(), CdError::None);

    ASSERT_EQ(device.play(2, 3, 41), CdError::None);
    EXPECT_EQ(notices.wait(), 41u);
    EXPECT_EQ(heard.bytes(), image::trackBytes(disc.tracks[1]));
    EXPECT_EQ(device.mode().value, CdMode::Idle);

    ASSERT_EQ(device.play(2, std::nullopt, 42), CdError::None); // to the end of the disc
    EXPECT_EQ(notices.wait(), 42u);
    EXPECT_EQ(heard.bytes(), concat({image::trackBytes(disc.tracks[1]), image::trackBytes(disc.tracks[1]),
                                     image::trackBytes(disc.tracks[2])}));
    EXPECT_EQ(notices.pending(), 0u);
    EXPECT_EQ(device.play(3, 2, 43), CdError::NoSuchTrack);
    EXPECT_EQ(device.play(4, std::nullopt, 43), CdError::NoSuchTrack);
}

TEST_F(LibcdioDeviceTest, PauseAndResumeFadeOneSectorEachAndLoseNothing)
{
    const image::Disc disc{{tone(600, 440)}};
    NoticeQueue notices;
    auto output = std::make_unique<RecordingOutput>();
    RecordingOutput& heard = *output;
    heard.shutGate();
    LibcdioDevice device(writeDisc(disc), std::move(output), noticesTo(notices, heard));
    ASSERT_EQ(device.open(), CdError::None);
    ASSERT_EQ(device.play(1, std::nullopt, 1), CdError::None);
    heard.letThrough(20);
    ASSERT_TRUE(heard.reached(20, true)); // the 21st sector is in hand
    ASSERT_EQ(device.pause(), CdError::None);
    EXPECT_EQ(device.mode().value, CdMode::Paused);
    // The sector in hand and the fading one go out. Were the playback to go on while paused, the
    // sector after them would be in hand when the play resumes, unfaded, and the fade-in would
    // land one sector later than the fade-out's neighbour, which the check below catches.
    heard.letThrough(2);
    ASSERT_TRUE(heard.reached(22, false));
    EXPECT_EQ(heard.size(), 22u * image::kSectorBytes);
    heard.openGate();
    ASSERT_EQ(device.resume(std::nullopt, 2), CdError::None);
    EXPECT_EQ(notices.wait(), 2u); // the resumed play's notice, and no other
    EXPECT_EQ(notices.pending(), 0u);

    const auto expected = image::trackBytes(disc.tracks[0]);
    const auto played = heard.bytes();
    ASSERT_EQ(played.size(), expected.size());
    std::vector<int> changed;
    for (int sector = 0; sector < 600; ++sector) {
        const auto from = static_cast<std::ptrdiff_t>(sector) * image::kSectorBytes;
        if (!std::equal(played.begin() + from, played.begin() + from + image::kSectorBytes,
                        expected.begin() + from))
            changed.push_back(sector);
    }
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[1], changed[0] + 1);
    const auto sample = [&](int sector, int frame) {
        const std::size_t at = static_cast<std::size_t>(sector * image::kSectorBytes + frame * 4);
        return static_cast<std::int16_t>(played[at] | (played[at + 1] << 8));
    };
    EXPECT_EQ(sample(changed[0], 587), 0); // faded out to silence
    EXPECT_EQ(sample(changed[1], 0), 0);   // and in again from silence
    EXPECT_NE(sample(changed[1], 300), 0);
}

TEST_F(LibcdioDeviceTest, StopEndsThePlayAndItsNoticeComesOnce)
{
    const image::Disc disc{{tone(600, 440)}};
    NoticeQueue notices;
    auto output = std::make_unique<RecordingOutput>();
    RecordingOutput& heard = *output;
    heard.shutGate();
    LibcdioDevice device(writeDisc(disc), std::move(output), noticesTo(notices, heard));
    ASSERT_EQ(device.open(), CdError::None);
    ASSERT_EQ(device.play(1, std::nullopt, 7), CdError::None);
    heard.letThrough(10);
    ASSERT_TRUE(heard.reached(10, true));
    EXPECT_EQ(device.mode().value, CdMode::Playing);
    CdError stopped = CdError::CannotOpen;
    const Ending stop = endWhileStepping(heard, [&] { stopped = device.stop(); });
    ASSERT_TRUE(stop.stepped);
    EXPECT_EQ(stopped, CdError::None);
    EXPECT_TRUE(stop.ended) << "stop returned while the play still went on";
    EXPECT_EQ(device.mode().value, CdMode::Idle);
    EXPECT_EQ(notices.wait(), 7u);
    EXPECT_LT(heard.size(), image::trackBytes(disc.tracks[0]).size());

    // Closing a device that plays stops it too; its notice still comes.
    ASSERT_EQ(device.open(), CdError::None);
    ASSERT_EQ(device.play(1, std::nullopt, 8), CdError::None);
    const Ending closing = endWhileStepping(heard, [&] { device.close(); });
    ASSERT_TRUE(closing.stepped);
    EXPECT_TRUE(closing.ended);
    EXPECT_EQ(notices.wait(), 8u);
    EXPECT_EQ(notices.pending(), 0u);
}

TEST_F(LibcdioDeviceTest, WithoutASoundServerTheDiscStillPlaysSilentlyAndSaysSoOnce)
{
    const image::Disc disc{{tone(10, 440)}};
    NoticeQueue notices;
    LibcdioDevice device(writeDisc(disc), std::make_unique<RecordingOutput>(false), notices.sink());
    ASSERT_EQ(device.open(), CdError::None);
    ASSERT_EQ(device.play(1, std::nullopt, 3), CdError::None);
    EXPECT_EQ(device.soundProblem(), kNoSoundServer);
    EXPECT_EQ(notices.wait(), 3u);

    LibcdioDevice readOnly(writeDisc(disc, "again"));
    ASSERT_EQ(readOnly.open(), CdError::None);
    EXPECT_EQ(readOnly.play(1, std::nullopt, 1), CdError::NoOutput);
}

// A sound connection that breaks after a number of sectors, once, and connects again.
class BreakingOutput : public PcmOutput
{
public:
    explicit BreakingOutput(int sectorsBeforeBreak) : m_left(sectorsBeforeBreak) {}
    std::string open() override
    {
        ++opens;
        return {};
    }
    bool write(std::span<const std::uint8_t>) override
    {
        if (m_left-- == 0)
            return false;
        ++written;
        return true;
    }
    void close() override {}
    std::atomic<int> opens{0};
    std::atomic<int> written{0};

private:
    std::atomic<int> m_left;
};

TEST_F(LibcdioDeviceTest, ABrokenSoundConnectionEndsThePlayAndTheNextPlayConnectsAgain)
{
    const image::Disc disc{{tone(40, 440)}};
    NoticeQueue notices;
    auto output = std::make_unique<BreakingOutput>(5);
    BreakingOutput& sound = *output;
    LibcdioDevice device(writeDisc(disc), std::move(output), notices.sink());
    ASSERT_EQ(device.open(), CdError::None);
    ASSERT_EQ(device.play(1, std::nullopt, 1), CdError::None);
    EXPECT_EQ(notices.wait(), 1u);
    EXPECT_EQ(sound.written, 5);
    EXPECT_EQ(device.mode().value, CdMode::NotReady); // the player stops on it
    ASSERT_EQ(device.play(1, std::nullopt, 2), CdError::None);
    EXPECT_EQ(notices.wait(), 2u);
    EXPECT_EQ(sound.opens, 2);
    EXPECT_EQ(sound.written, 45);
    EXPECT_EQ(device.mode().value, CdMode::Idle);
    EXPECT_EQ(device.soundProblem(), "");
}

TEST(DigitalPlayback, ReadsAtMostTwentyFiveSectorsAtATime)
{
    std::vector<int> reads;
    RecordingOutput output;
    std::mutex mutex;
    std::condition_variable done;
    PlayId finished = 0;
    DigitalPlayback playback(
        output,
        [&](std::int32_t lsn, int count, std::uint8_t* out) {
            reads.push_back(count);
            std::fill_n(out, count * image::kSectorBytes, static_cast<std::uint8_t>(lsn));
            return true;
        },
        [&](PlayId id) {
            const std::lock_guard lock(mutex);
            finished = id;
            done.notify_all();
        });
    playback.play(100, 160, 9);
    std::unique_lock lock(mutex);
    ASSERT_TRUE(done.wait_for(lock, 5s, [&] { return finished == 9; }));
    EXPECT_EQ(reads, (std::vector<int>{25, 25, 10}));
    EXPECT_EQ(output.size(), 60u * image::kSectorBytes);
}

} // namespace
} // namespace discora
