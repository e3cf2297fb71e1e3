#include "core/cdplayer/disctimes.h"

#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/cdtoc.h"

#include <algorithm>

namespace discora {

int readTrackCount(CdDevice& device)
{
    if (device.open() != CdError::None)
        return 0;
    const CdAnswer<int> count = device.trackCount();
    device.close();
    return count.ok() ? (count.value & 0xFF) : 0;
}

std::vector<std::string> readTrackLengths(CdDevice& device)
{
    std::vector<std::string> times;
    if (device.open() != CdError::None)
        return times;
    const CdAnswer<int> count = device.trackCount();
    const int n = count.ok() ? std::min(count.value & 0xFF, kMaxDiscTimes) : 0;
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
        reading.message = message;
        reading.times.clear();
        return reading;
    };
    if (const CdError error = device.open(); error != CdError::None) {
        reading.error = error;
        return reading;
    }
    const CdAnswer<bool> present = device.mediaPresent();
    if (!present.ok())
        return fail(present.error);
    if (!present.value)
        return fail(CdError::NoMedium, kNoCdDetected);
    const CdAnswer<CdTrackType> type = device.trackType(1);
    if (!type.ok())
        return fail(type.error);
    if (type.value != CdTrackType::Audio)
        return fail(CdError::NotAudio, kNoAudioTrackOne);
    const CdAnswer<int> count = device.trackCount();
    if (!count.ok())
        return fail(count.error);
    const int n = std::min(count.value, kMaxDiscTimes);
    for (int track = 1; track <= n; ++track) {
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
