// Which albums the filters let through. A filter of a text field keeps the albums whose field
// begins with its text, letter case ignored, or, for a text in double quotes, whose field is that
// text; the collection's filters match as filterfield.h says; "All" keeps every album.
#pragma once

#include "core/view/filterfield.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class AlbumStore;
class Catalogue;

// Only the text "All", in any letter case, means no filter.
bool isNoFilter(std::string_view filter);

// Why a filter's text cannot be matched ("The year filter takes..."), or nothing when it can.
std::optional<std::string> filterProblem(FilterField field, std::string_view text);
// The filter of field that keeps the albums passing both its current filter and chosen, when one
// text does: a chart's click on "1970-1979" while the year filter is 1975 keeps 1975; a click on the
// producer "\"Ann\"" while the producer filter is "\"Bob\"" has no such text, as an album may
// name both.
std::optional<std::string> narrowedFilter(FilterField field, std::string_view current,
                                          std::string_view chosen);
// What the Filters dialog offers for a filter that has no value list ("Yes", "No"; the statuses;
// the condition grades); empty for the others.
std::vector<std::string> filterChoices(FilterField field);

// How many albums are lent out, and how many of those were due back before today.
struct LoanCount
{
    int out = 0;
    int overdue = 0;
};
LoanCount countLoans(const AlbumStore& albums);

// The catalogue indices of the albums that pass, in catalogue order.
std::vector<std::uint32_t> filteredAlbums(const Catalogue& catalogue);

} // namespace discora
