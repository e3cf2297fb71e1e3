#include "core/model/songfill.h"

#include "core/base/cp1252.h"

#include <algorithm>

namespace discora {

namespace {

// The first limit characters (code points) of text.
std::string cutToCharacters(const std::string& text, int limit, bool& cut)
{
    std::size_t pos = 0;
    for (int n = 0; n < limit && pos < text.size(); ++n)
        cp1252::decodeUtf8(text, pos);
    cut = pos < text.size();
    return cut ? text.substr(0, pos) : text;
}

} // namespace

std::string trackNumberText(int number)
{
    std::string text = std::to_string(number);
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), '0');
    return text;
}

bool SongFill::changesAnything() const
{
    return std::any_of(placements.begin(), placements.end(), [](const SongPlacement& p) {
        return p.titleFilled || p.timeFilled || p.trackNumberSet;
    });
}

SongFill fillEmptySongs(const SongSlots& songs, const std::vector<IncomingSong>& incoming, int titleLimit)
{
    SongFill fill{songs, {}};
    fill.placements.reserve(incoming.size());
    for (std::size_t i = 0; i < incoming.size(); ++i) {
        SongPlacement placement;
        placement.song = incoming[i];
        placement.song.title = cutToCharacters(incoming[i].title, titleLimit, placement.titleCut);
        if (i < songs.size()) {
            placement.slot = static_cast<int>(i) + 1;
            SongSlot& slot = fill.songs[i];
            const IncomingSong& song = placement.song;
            if (!song.title.empty()) {
                placement.titleFilled = slot.title.empty();
                placement.titleKept = !slot.title.empty() && slot.title != song.title;
                if (placement.titleFilled)
                    slot.title = song.title;
            }
            if (!song.time.empty()) {
                placement.timeFilled = slot.time.empty();
                placement.timeKept = !slot.time.empty() && slot.time != song.time;
                if (placement.timeFilled)
                    slot.time = song.time;
            }
            const bool presetNumber =
                slot.trackNumber.empty() || slot.trackNumber == trackNumberText(placement.slot);
            if (!song.trackNumber.empty() && presetNumber && slot.trackNumber != song.trackNumber) {
                slot.trackNumber = song.trackNumber;
                placement.trackNumberSet = true;
            }
        }
        fill.placements.push_back(std::move(placement));
    }
    return fill;
}

} // namespace discora
