// The ten album orders: each permutes displayOrder by one field of the albums. Album data never
// moves; only the 32-bit indices in displayOrder do.
#pragma once

#include "core/view/sortorder.h"

#include <vector>

#include <cstdint>
#include <optional>
#include <string_view>

namespace discora {

class Catalogue;
class ProgressSink;

// Whether ByArtist runs as its own command or as the first step of the artist short list, which
// neither makes ByArtist current nor announces, and reads the artist short list's "The" option.
enum class ArtistSortRole
{
    Command,
    ArtistShortStep
};

// The displayed albums sorted by an album order's field; albums with equal keys keep their
// relative order.
std::vector<std::uint32_t> sortedDisplayOrder(const Catalogue& catalogue, SortOrder order, bool ignoreThe,
                                              ProgressSink* progress);

// Whether the album order drops a leading "The " from its keys under the catalogue's current
// options and view style.
bool albumOrderIgnoresThe(const Catalogue& catalogue, SortOrder order,
                          ArtistSortRole role = ArtistSortRole::Command);

// Whether new view options change how the current order sorts, so that it must run again: the
// "The" switch of a song, artist short or artist/album name order, or accent folding, which
// every order's comparison uses.
bool optionsResort(SortOrder current, ViewStyle style, const ViewOptions& before, const ViewOptions& after);

// The value ByNumber sorts by: nothing for an empty number or one starting with a blank, else the
// integer of its leading sign and digits (0 when it does not start with them).
std::optional<std::int64_t> albumNumberValue(std::string_view number);

} // namespace discora
