// Where the editing commands get the track times of the disc in the CD player, which the entry
// sheet offers for a new album. The CD player (core/cdplayer) implements it.
#pragma once

#include "core/model/field.h"

#include <array>
#include <string>

namespace discora {

class PlayerTimesSource
{
public:
    virtual ~PlayerTimesSource() = default;
    // Fills times in track order, at most one per song slot; leaves them empty without a disc.
    virtual void fillPlayerTimes(std::array<std::string, kSongSlots>& times) = 0;
};

} // namespace discora
