// The album entry sheet as the editing commands see it: shown modally for one album, it hands back
// the edited album on OK and nothing on Cancel. The window layer implements it; tests script it.
#pragma once

#include "core/model/albumrecord.h"

#include <array>
#include <optional>
#include <string>

namespace discora {

class AlbumEditor
{
public:
    virtual ~AlbumEditor() = default;
    // For Enter, album holds the presets; for Modify, the album as stored. The headings label the
    // two custom fields. Texts come back exactly as typed.
    virtual std::optional<AlbumRecord> editAlbum(const AlbumRecord& album,
                                                 const std::array<std::string, 2>& headings) = 0;
};

} // namespace discora
