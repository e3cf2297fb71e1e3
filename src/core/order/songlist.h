// The song list behind BySong, BySongDetail and the artist short list: one entry per song with a
// title in the displayed albums, and under the artist short list a header at each change of artist.
#pragma once

namespace discora {

class CatalogueDocument;

// Rebuilds the song list from displayOrder; adds artist headers while ByArtistShort is current.
void buildSongList(CatalogueDocument& doc);
// Orders the song list by title, or, under ByArtistShort, by artist and then title.
void sortSongList(CatalogueDocument& doc);

} // namespace discora
