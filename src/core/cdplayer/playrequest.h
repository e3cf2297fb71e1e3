// What the Play command hands the player: the whole disc with the album chosen in the view, or the
// songs selected in a song list in the order they were selected.
#pragma once

#include "core/layout/viewselection.h"
#include "core/view/catalogue.h"

#include <array>
#include <string>
#include <vector>

namespace discora {

// Group/artist, album name, music type and number of the album the player shows.
using PlayerAlbumTexts = std::array<std::string, 4>;

struct PlayRequest
{
    bool wholeDisc = true;
    std::vector<int> playList;            // track numbers, selected songs only
    std::vector<std::string> trackTitles; // parallel to playList; for the whole disc, the album's 26 titles
    PlayerAlbumTexts albumTexts;
    bool operator==(const PlayRequest&) const = default;
};

// The album orders, the producer and the performer lists play the whole disc with the album of the
// first entry in the play order. The song lists play the selected songs, or with none the whole
// disc with the album of the last song that could not be played. The artist short list plays the
// whole disc with the album of the first selected entry.
PlayRequest playRequestFor(const Catalogue& doc, const ViewSelection& selection);

} // namespace discora
