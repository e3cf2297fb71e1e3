// The CD drive through libcdio: a real drive or a disc image (BIN/CUE and the other image formats
// libcdio reads). The table of contents comes from libcdio; the music is read as digital audio and
// played through a PcmOutput, so drives without an analog audio path play too.
#pragma once

#include "core/cdplayer/cddevice.h"
#include "core/cdplayer/cdtoc.h"
#include "core/cdplayer/pcmoutput.h"

#include <memory>
#include <string>

namespace discora {

class DigitalPlayback;

class LibcdioDevice : public CdDevice
{
public:
    // path: a drive's device file or a disc image's file (a .cue sheet, say); empty for the
    // system's default drive. output: where the sound goes, opened at the first play; none for a
    // device that only reads the disc. notices: receives each play's completion notice.
    explicit LibcdioDevice(std::string path, std::unique_ptr<PcmOutput> output = nullptr,
                           CdNoticeSink notices = {});
    ~LibcdioDevice() override;
    LibcdioDevice(const LibcdioDevice&) = delete;
    LibcdioDevice& operator=(const LibcdioDevice&) = delete;

    CdError open() override;
    void close() override;
    CdAnswer<bool> mediaPresent() override;
    CdAnswer<CdTrackType> trackType(int track) override;
    CdAnswer<int> trackCount() override;
    CdAnswer<CdTime> trackLength(int track) override;
    CdAnswer<CdMode> mode() override;
    CdText cdText() override;
    CdAnswer<DiscLayout> discLayout() override;
    bool damaged() const override;
    std::string driveProblem() const override { return m_driveProblem; }
    CdError play(int from, std::optional<int> to, PlayId id) override;
    CdError pause() override;
    CdError resume(std::optional<int> to, PlayId id) override;
    CdError stop() override;
    std::string soundProblem() const override { return m_soundProblem; }

private:
    struct Drive;
    CdError checkTrack(int track) const;
    std::int32_t endBefore(std::optional<int> to) const;
    void releaseDrive();

    std::string m_path;
    std::unique_ptr<PcmOutput> m_output;
    CdNoticeSink m_notices;
    std::unique_ptr<Drive> m_drive;
    CdToc m_toc;
    std::string m_soundProblem;
    std::string m_driveProblem;
    // Made at the first play, once the output is settled; declared last so it stops first.
    std::unique_ptr<DigitalPlayback> m_playback;
};

} // namespace discora
