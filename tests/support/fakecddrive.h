// A scripted CD drive for the player's tests: a disc of given track lengths, a record of every
// device command, and the completion notices waiting to be delivered, which the tests fire as the
// window's event loop would.
#pragma once

#include "core/cdplayer/cddevice.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace discora {

class FakeCdDrive
{
public:
    // The disc in the drive: one length per track; none for an empty drive.
    std::vector<CdTime> lengths;
    bool firstTrackData = false;
    CdText text;
    bool canOpen = true;
    std::string driveProblem; // told when the drive cannot be opened
    bool damaged = false;
    bool notReady = false; // the drive answers every mode query with "not ready"
    bool resumeFails = false;
    std::string soundProblem;

    std::vector<std::string> calls; // "open", "close", "play 3-4", "play 3-end", "pause", "resume 4", "stop"
    std::deque<PlayId> notices;
    CdMode state = CdMode::Idle;
    PlayId outstanding = 0;
    const void* owner = nullptr; // the device that started the outstanding play
    int playingFrom = 0;

    static std::vector<CdTime> discOf(int tracks, CdTime length = {3, 5})
    {
        return std::vector<CdTime>(static_cast<std::size_t>(tracks), length);
    }
    void insert(std::vector<CdTime> disc) { lengths = std::move(disc); }

    // The play outstanding reaches its end by itself.
    void finishPlay() { endPlay(); }
    void endPlay()
    {
        if (outstanding != 0)
            notices.push_back(outstanding);
        outstanding = 0;
        if (state != CdMode::NotReady)
            state = CdMode::Idle;
    }
    // The commands since the last look, and forgets them.
    std::vector<std::string> takeCalls()
    {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }
    // Only the plays, pauses, resumes and stops, without the opens and closes around them.
    std::vector<std::string> takeActions()
    {
        std::vector<std::string> actions;
        for (std::string& c : takeCalls())
            if (c != "open" && c != "close")
                actions.push_back(std::move(c));
        return actions;
    }

    std::unique_ptr<CdDevice> makeDevice();
};

class FakeCdDevice : public CdDevice
{
public:
    explicit FakeCdDevice(FakeCdDrive& drive) : m_drive(drive) {}

    CdError open() override
    {
        m_drive.calls.push_back("open");
        if (!m_drive.canOpen)
            return CdError::CannotOpen;
        m_open = true;
        return CdError::None;
    }
    void close() override
    {
        m_drive.calls.push_back("close");
        if (m_open && m_drive.outstanding != 0 && m_drive.owner == this)
            m_drive.endPlay();
        m_open = false;
    }
    CdAnswer<bool> mediaPresent() override
    {
        if (!m_open)
            return {false, CdError::NotOpen};
        return {!m_drive.lengths.empty()};
    }
    CdAnswer<CdTrackType> trackType(int track) override
    {
        if (const CdError e = check(track); e != CdError::None)
            return {CdTrackType::Data, e};
        return {track == 1 && m_drive.firstTrackData ? CdTrackType::Data : CdTrackType::Audio};
    }
    CdAnswer<int> trackCount() override
    {
        if (!m_open)
            return {0, CdError::NotOpen};
        return {static_cast<int>(m_drive.lengths.size())};
    }
    CdAnswer<CdTime> trackLength(int track) override
    {
        if (const CdError e = check(track); e != CdError::None)
            return {{}, e};
        return {m_drive.lengths[static_cast<std::size_t>(track - 1)]};
    }
    CdAnswer<CdMode> mode() override
    {
        if (!m_open)
            return {CdMode::Idle, CdError::NotOpen};
        return {m_drive.notReady ? CdMode::NotReady : m_drive.state};
    }
    CdText cdText() override { return m_open ? m_drive.text : CdText{}; }
    // The tracks laid end to end from the disc's start, each as long as its time.
    CdAnswer<DiscLayout> discLayout() override
    {
        if (!m_open)
            return {{}, CdError::NotOpen};
        if (m_drive.lengths.empty())
            return {{}, CdError::NoMedium};
        DiscLayout layout;
        for (const CdTime& length : m_drive.lengths) {
            layout.starts.push_back(layout.leadOut);
            layout.leadOut += (length.minutes * 60 + length.seconds) * 75;
        }
        return {layout};
    }
    std::string soundProblem() const override { return m_drive.soundProblem; }
    bool damaged() const override { return m_open && m_drive.damaged; }
    std::string driveProblem() const override
    {
        return m_drive.canOpen ? std::string() : m_drive.driveProblem;
    }
    CdError play(int from, std::optional<int> to, PlayId id) override
    {
        if (const CdError e = check(from); e != CdError::None)
            return e;
        m_drive.calls.push_back("play " + std::to_string(from) + "-" + (to ? std::to_string(*to) : "end"));
        if (m_drive.outstanding != 0)
            m_drive.endPlay(); // superseded
        m_drive.outstanding = id;
        m_drive.owner = this;
        m_drive.state = CdMode::Playing;
        m_drive.playingFrom = from;
        return CdError::None;
    }
    CdError pause() override
    {
        m_drive.calls.push_back("pause");
        if (!m_open || m_drive.state != CdMode::Playing)
            return CdError::NotPaused;
        m_drive.state = CdMode::Paused;
        return CdError::None;
    }
    CdError resume(std::optional<int> to, PlayId id) override
    {
        m_drive.calls.push_back("resume " + (to ? std::to_string(*to) : std::string("end")));
        if (!m_open || m_drive.state != CdMode::Paused || m_drive.resumeFails)
            return CdError::NotPaused;
        m_drive.outstanding = id;
        m_drive.state = CdMode::Playing;
        return CdError::None;
    }
    CdError stop() override
    {
        m_drive.calls.push_back("stop");
        if (!m_open)
            return CdError::NotOpen;
        m_drive.endPlay();
        return CdError::None;
    }

private:
    CdError check(int track) const
    {
        if (!m_open)
            return CdError::NotOpen;
        if (m_drive.lengths.empty())
            return CdError::NoMedium;
        if (track < 1 || track > static_cast<int>(m_drive.lengths.size()))
            return CdError::NoSuchTrack;
        return CdError::None;
    }

    FakeCdDrive& m_drive;
    bool m_open = false;
};

inline std::unique_ptr<CdDevice> FakeCdDrive::makeDevice()
{
    return std::make_unique<FakeCdDevice>(*this);
}

} // namespace discora
