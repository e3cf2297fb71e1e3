// Real sound: two seconds of a disc image played through the libpulse output into a private
// server's null sink, recorded from the sink's monitor and compared sample for sample. scripts/test
// starts the server and names the sink in DISCORA_TEST_PULSE_SINK.
#include "core/cdplayer/libcdiodevice.h"
#include "core/cdplayer/pulsepcmoutput.h"
#include "support/discimage.h"

#include <gtest/gtest.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace discora {
namespace {

using namespace std::chrono_literals;
namespace image = testimage;

// Records a source into memory on a thread of its own.
class MonitorRecorder
{
public:
    explicit MonitorRecorder(const std::string& source)
    {
        pa_sample_spec format{};
        format.format = PA_SAMPLE_S16LE;
        format.rate = 44100;
        format.channels = 2;
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<std::uint32_t>(-1);
        buffer.fragsize = 4410 * 4 / 10;
        int error = 0;
        m_simple = pa_simple_new(nullptr, "Discora test", PA_STREAM_RECORD, source.c_str(), "monitor",
                                 &format, nullptr, &buffer, &error);
        if (!m_simple) {
            m_error = pa_strerror(error);
            return;
        }
        m_thread = std::thread([this] {
            std::vector<std::uint8_t> chunk(1764);
            while (!m_stop) {
                int e = 0;
                if (pa_simple_read(m_simple, chunk.data(), chunk.size(), &e) < 0)
                    break;
                const std::lock_guard lock(m_mutex);
                m_bytes.insert(m_bytes.end(), chunk.begin(), chunk.end());
                m_grown.notify_all();
            }
        });
    }
    ~MonitorRecorder()
    {
        finish();
        if (m_simple)
            pa_simple_free(m_simple);
    }
    const std::string& error() const { return m_error; }
    std::size_t size()
    {
        const std::lock_guard lock(m_mutex);
        return m_bytes.size();
    }
    // Waits until what was recorded so far satisfies recorded, or the time is up.
    template <class Predicate> bool waitUntil(Predicate recorded, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_grown.wait_for(lock, timeout, [&] { return recorded(m_bytes); });
    }
    std::vector<std::uint8_t> finish()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        const std::lock_guard lock(m_mutex);
        return m_bytes;
    }

private:
    pa_simple* m_simple = nullptr;
    std::string m_error;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_grown;
    std::vector<std::uint8_t> m_bytes;
};

// The stereo frames that are not silence, each as its four bytes.
std::vector<std::uint32_t> soundingFrames(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint32_t> frames;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        const std::uint32_t frame = bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                    (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
        if (frame != 0)
            frames.push_back(frame);
    }
    return frames;
}

TEST(PulsePcmOutput, TwoSecondsOfADiscImageReachTheSoundServerUnchanged)
{
    const char* sink = std::getenv("DISCORA_TEST_PULSE_SINK");
    if (!sink || !*sink) {
        const char* why = std::getenv("DISCORA_TEST_PULSE_SKIP");
        GTEST_SKIP() << (why && *why ? why
                                     : "no private PulseAudio server: scripts/test starts one and names its "
                                       "null sink in DISCORA_TEST_PULSE_SINK");
    }
    image::TempDir dir;
    image::Track first;
    first.sectors = 75;
    first.toneHz = 440;
    image::Track second;
    second.sectors = 75;
    second.toneHz = 660;
    const std::string cue = image::write(dir.path(), "sound", {{first, second}});
    std::vector<std::uint8_t> expected = image::trackBytes(first);
    const auto secondBytes = image::trackBytes(second);
    expected.insert(expected.end(), secondBytes.begin(), secondBytes.end());

    MonitorRecorder recorder(std::string(sink) + ".monitor");
    ASSERT_TRUE(recorder.error().empty()) << recorder.error();
    // The monitor sends silence as soon as it is connected; wait for it.
    recorder.waitUntil([](const auto& bytes) { return bytes.size() >= 44100 * 4 / 5; }, 2s);

    std::mutex mutex;
    std::condition_variable notified;
    PlayId finished = 0;
    LibcdioDevice device(cue, std::make_unique<PulsePcmOutput>(), [&](PlayId id) {
        const std::lock_guard lock(mutex);
        finished = id;
        notified.notify_all();
    });
    ASSERT_EQ(device.open(), CdError::None);
    ASSERT_EQ(device.play(1, std::nullopt, 5), CdError::None);
    EXPECT_EQ(device.soundProblem(), "");
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(notified.wait_for(lock, 10s, [&] { return finished == 5; }));
    }
    // The server plays silence before the image, after it and, should the machine be slow to feed
    // it, in between: the frames that carry sound must be the image's, all of them, in order.
    // What is still queued at the server plays out: the recording goes on until every sounding
    // frame has come (or, should some be lost, for ten seconds).
    const std::vector<std::uint32_t> played = soundingFrames(expected);
    recorder.waitUntil([&](const auto& bytes) { return soundingFrames(bytes).size() >= played.size(); }, 10s);
    const std::vector<std::uint8_t> recorded = recorder.finish();
    const std::vector<std::uint32_t> heard = soundingFrames(recorded);
    ASSERT_FALSE(heard.empty()) << "the sink's monitor heard nothing";
    ASSERT_EQ(heard.size(), played.size())
        << "frames of sound recorded: " << heard.size() << " of " << played.size();
    const auto mismatch = std::mismatch(heard.begin(), heard.end(), played.begin());
    EXPECT_TRUE(mismatch.first == heard.end())
        << "first difference at sounding frame " << (mismatch.first - heard.begin());
}

} // namespace
} // namespace discora
