#include "core/cdplayer/disctimes.h"

#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/cdtoc.h"

#include <algorithm>
#include <filesystem>

namespace discora {

std::string cdDriveProblem(const std::string& drive)
{
    if (drive.empty())
        return {};
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(drive, ec);
    if (status.type() == fs::file_type::not_found) {
        if (drive.starts_with("/dev/"))
            return "There is no CD drive " + drive + ".";
        return "The disc image file " + drive + " cannot be found.";
    }
    if (fs::is_block_file(status) || fs::is_character_file(status) || fs::is_regular_file(status))
        return {};
    return drive + " is neither a CD drive nor a disc image file.";
}

DiscCheck checkAudioDisc(CdDevice& device)
{
    const CdAnswer<bool> present = device.mediaPresent();
    if (!present.ok())
        return {present.error};
    if (!present.value)
        return {CdError::NoMedium, kNoCdDetected};
    const CdAnswer<CdTrackType> type = device.trackType(1);
    if (!type.ok())
        return {type.error};
    if (type.value != CdTrackType::Audio)
        return {CdError::NotAudio, kNoAudioTrackOne};
    if (device.damaged())
        return {CdError::Damaged, kDamagedDisc};
    return {};
}

CdAnswer<int> discTrackCount(CdDevice& device)
{
    CdAnswer<int> count = device.trackCount();
    count.value &= 0xFF;
    return count;
}

std::vector<std::string> readTrackLengths(CdDevice& device)
{
    std::vector<std::string> times;
    if (device.open() != CdError::None)
        return times;
    const CdAnswer<int> count = discTrackCount(device);
    const int n = count.ok() ? std::min(count.value, kMaxDiscTimes) : 0;
    for (int track = 1; track <= n; ++track) {
        const CdAnswer<CdTime> length = device.trackLength(track);
        if (!length.ok())
            break;
        times.push_back(formatTrackTime(length.value));
    }
    device.close();
    return times;
}

DiscReading readDiscTimes(CdDevice& device)
{
    DiscReading reading;
    const auto fail = [&](CdError error, const char* message = nullptr) {
        device.close();
        reading.error = error;
        reading.message = message ? message : "";
        reading.times.clear();
        return reading;
    };
    if (const CdError error = device.open(); error != CdError::None) {
        reading.error = error;
        reading.message = device.driveProblem();
        return reading;
    }
    if (const DiscCheck check = checkAudioDisc(device); !check.ok())
        return fail(check.error, check.message);
    const CdAnswer<int> count = discTrackCount(device);
    if (!count.ok())
        return fail(count.error);
    for (int track = 1; track <= count.value; ++track) {
        const CdAnswer<CdTime> length = device.trackLength(track);
        if (!length.ok())
            return fail(length.error);
        reading.times.push_back(formatTrackTime(length.value));
    }
    reading.text = device.cdText();
    device.close();
    return reading;
}

} // namespace discora
