// The texts of the status bar's permanent fields: how many albums are shown, with the filters
// that hide the others, and which order is current.
#pragma once

#include "core/view/catalogue.h"

#include <string>
#include <string_view>

namespace discora {

// "3,012 albums", or "12 of 3,012 albums (Group/Artist: ABBA; Label: Polar)" when filters hide some,
// followed by "; 2 on loan, 1 overdue" when albums are lent out.
std::string albumCountText(const Catalogue& catalogue);
// "Sorted by Album Name"; the custom orders take their headings.
std::string orderText(const Catalogue& catalogue);

// What a file command did, for the status bar: "Saved 3,012 albums to Jazz.dcf".
std::string savedText(int albums, std::string_view fileName);
std::string openedText(int albums, std::string_view fileName);
std::string exportedText(int albums, std::string_view fileName);

} // namespace discora
