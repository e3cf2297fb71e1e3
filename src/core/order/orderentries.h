// The entries of the current order and the albums they stand for. In an album order entry p is the
// album at display position p; in a song, producer or performer list it is that list's entry p,
// and several entries may stand for one album.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace discora {

class Catalogue;

// How many entries the current order shows.
int orderEntryCount(const Catalogue& doc);

// The album of the entry at position; nothing for a position outside the order.
std::optional<std::uint32_t> albumOfEntry(const Catalogue& doc, int position);

// The first entry of the current order that stands for album; nothing when none does (a filter
// hides it, or a list has no entry of it).
std::optional<int> firstEntryOf(const Catalogue& doc, std::uint32_t album);

// The albums of the given entries, each album once, in displayOrder sequence. With no positions
// given: every displayed album.
std::vector<std::uint32_t> albumsOfEntries(const Catalogue& doc, std::span<const int> positions);

} // namespace discora
