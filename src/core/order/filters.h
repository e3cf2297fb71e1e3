// Which albums the filters let through. A filter keeps the albums whose field begins with its text,
// letter case ignored; "All" keeps every album.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;

// Only the text "All", in any letter case, means no filter.
bool isNoFilter(std::string_view filter);

// The catalogue indices of the albums that pass, in catalogue order.
std::vector<std::uint32_t> filteredAlbums(const Catalogue& catalogue);

} // namespace discora
