// What a catalogue file holds: the albums, the column layouts of the single-line and list layouts,
// and the headings of the two custom fields. Saving writes exactly this; undo changes only it.
#pragma once

#include "core/model/albumstore.h"
#include "core/model/columnlayout.h"

#include <array>
#include <string>

namespace discora {

struct CatalogueContents
{
    AlbumStore albums;
    ColumnLayouts layouts;
    std::array<std::string, 2> headings;
    // The details block of a newer program, written back as it was read while no album has
    // details of this program's own.
    std::string keptDetailsBlock;
};

} // namespace discora
