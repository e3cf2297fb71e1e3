// Putting songs that came from elsewhere (a pasted track list, a service's release) into an album's
// 26 song slots without touching what the user typed: the n-th song goes to slot n, and only into
// its empty title and time.
#pragma once

#include "core/model/field.h"

#include <array>
#include <string>
#include <vector>

namespace discora {

struct SongSlot
{
    std::string trackNumber;
    std::string title;
    std::string time;

    bool operator==(const SongSlot&) const = default;
};
using SongSlots = std::array<SongSlot, kSongSlots>;

// Any of the three may be empty: nothing of that kind came with the song.
struct IncomingSong
{
    std::string trackNumber;
    std::string title;
    std::string time;

    bool operator==(const IncomingSong&) const = default;
};

// What became of one incoming song.
struct SongPlacement
{
    int slot = 0;      // 1 to 26; 0 when every slot was taken before the song's turn
    IncomingSong song; // as it was offered, the title cut to the limit
    bool titleFilled = false;
    bool timeFilled = false;
    bool trackNumberSet = false;
    bool titleKept = false; // the slot already held another title
    bool timeKept = false;  // the slot already held another time
    bool titleCut = false;
};

struct SongFill
{
    SongSlots songs;
    std::vector<SongPlacement> placements;

    bool changesAnything() const;
};

// A track number replaces the slot's only when that is empty or still the slot's own number as the
// sheet presets it ("07" in slot 7); a title is cut to titleLimit characters.
SongFill fillEmptySongs(const SongSlots& songs, const std::vector<IncomingSong>& incoming, int titleLimit);

// The two-digit form the sheet uses for track numbers: 7 gives "07".
std::string trackNumberText(int number);

} // namespace discora
