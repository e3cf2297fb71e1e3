// The value lists of a set of albums: each list takes the distinct texts of its fields, album by
// album in album order, so that adding a new album's values leaves the lists as building them
// all again would.
#pragma once

#include "core/base/progresssink.h"
#include "core/model/albumstore.h"
#include "core/model/valuelist.h"

#include <array>

namespace discora {

using ValueLists = std::array<ValueList, kValueListCount>;

inline constexpr const char* kUpdatingValueLists = "Updating Artist, Music Type, and Media Type";

void addAlbumValues(const AlbumStore& albums, int album, ValueLists& lists);

// Every album's values, the steps told to progress (which may be null).
ValueLists valueListsOf(const AlbumStore& albums, ProgressSink* progress);

} // namespace discora
