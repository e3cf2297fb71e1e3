// The song list behind BySong, BySongDetail and the artist short list: one entry per song with a
// title in the displayed albums, and under the artist short list a header at each change of artist.
#pragma once

#include <cstdint>
#include <span>

#include "core/model/derivedlists.h"

#include <vector>

namespace discora {

class Catalogue;
class ProgressSink;

enum class SongHeaders
{
    None,
    PerArtist // the artist short list
};

inline constexpr const char* kSongsOutOfMemory = "Out of memory! Cannot sort the songs!";

// The songs of the shown albums (the displayed albums, in the order they are to be shown) in that
// order, with artist headers when asked for. When memory runs out, building stops at that album
// and the songs listed so far are kept.
BuiltList<SongEntry> songList(const Catalogue& catalogue, std::span<const std::uint32_t> shown,
                              SongHeaders headers, ProgressSink* progress);
// The song list of the shown albums ordered by title, or, for the artist short list, by artist and
// then title. When memory runs out for the ordering, the list stays as built.
BuiltList<SongEntry> sortedSongList(const Catalogue& catalogue, std::span<const std::uint32_t> shown,
                                    BuiltList<SongEntry> songs, SongHeaders headers, ProgressSink* progress);

} // namespace discora
