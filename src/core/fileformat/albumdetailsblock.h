// The block after a catalogue file's lists that keeps what the lists cannot: each album's identity
// and its details (core/model/albumdetails.h). A reader of the lists alone stops before it, so it
// reads the same albums from a file with the block as without. docs/file-format.md describes it.
//
// The block names the album count and, per album, a check of the album's list texts: a block that
// does not fit the lists before it (another program changed them and kept the block) is not
// applied, rather than give an album another album's details.
#pragma once

#include "core/model/albumstore.h"
#include "core/model/field.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

inline constexpr std::string_view kDetailsMarker = "DCFX";
inline constexpr std::int32_t kDetailsBlockVersion = 1;
// Marker, version and the length of the rest.
inline constexpr std::size_t kDetailsHeaderBytes = 4 + 4 + 8;

// The lists that tell an album apart, and that the check covers: custom 1 and 2, artist, media
// type, album name, number, catalogue number and label. A song title another program corrects
// leaves the details where they belong; an album moved, added or removed does not.
constexpr bool namesTheAlbum(Field f)
{
    switch (f) {
    case Field::Custom1:
    case Field::Custom2:
    case Field::Artist:
    case Field::MediaType:
    case Field::AlbumName:
    case Field::Number:
    case Field::CatalogNumber:
    case Field::Label: return true;
    default: return false;
    }
}

// The check of one album: the CRC-32 of, for each of its non-empty texts of the lists above in
// field order, the field's number (one byte), the text's length in UTF-8 (four bytes) and the
// text in UTF-8. The texts are gathered and the CRC taken once.
class AlbumCheck
{
public:
    // Texts of other fields are passed over.
    void add(Field f, std::string_view utf8);
    std::uint32_t value() const;
    void clear() { m_bytes.clear(); }

private:
    std::string m_bytes;
};

// The checks of every album, worked out on two threads for a large catalogue.
std::vector<std::uint32_t> albumChecks(const AlbumStore& albums);

// What a file's bytes after the lists hold.
enum class DetailsBlockKind
{
    None,    // nothing: the file has no details
    Current, // a block this program reads
    Newer,   // a block of a later version: kept as it is, not read
    Damaged, // anything else
};
DetailsBlockKind detailsBlockKind(std::string_view afterLists);

// The messages a load gives when the block is not applied; the albums open all the same.
std::string detailsNotApplied(std::string_view reason);
inline constexpr std::string_view kDetailsDoNotMatch =
    "they do not match its albums, which another program seems to have changed";
inline constexpr std::string_view kDetailsNewer =
    "they were written by a newer version of Discora. They are kept as they are when you save, "
    "unless you change an album's details here";

} // namespace discora
