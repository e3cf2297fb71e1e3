#include "core/order/filters.h"

#include "core/catalogue/catalogue.h"
#include "core/order/comparenames.h"
#include "core/order/performerlist.h"

#include <algorithm>

namespace discora {

bool isNoFilter(std::string_view filter)
{
    return CompareNames(filter, kNoFilter) == 0;
}

bool albumPassesFilters(const Catalogue& catalogue, int album)
{
    for (const FilterFieldInfo& info : kFilterFields) {
        const std::string& f = catalogue.filter(info.id);
        if (isNoFilter(f))
            continue;
        if (info.id != FilterField::Performer) {
            if (!beginsWithName(catalogue.text(info.field, album), f))
                return false;
            continue;
        }
        // The Filters dialog offers performer names without leading white space, as the performer
        // list shows them, so a name stored as " Bob" must pass the filter "Bob" too.
        bool any = false;
        for (int k = 1; k <= kPerformerSlots && !any; ++k) {
            const std::string_view name = catalogue.text(performerField(k), album);
            any = beginsWithName(name, f) || beginsWithName(trimmedPerformerName(name), f);
        }
        if (!any)
            return false;
    }
    return true;
}

std::vector<std::uint32_t> filteredAlbums(const Catalogue& catalogue)
{
    const auto& filters = catalogue.filters();
    const bool noFilters =
        std::all_of(filters.begin(), filters.end(), [](const std::string& f) { return isNoFilter(f); });
    std::vector<std::uint32_t> shown;
    shown.reserve(static_cast<std::size_t>(catalogue.albumCount()));
    for (int a = 0; a < catalogue.albumCount(); ++a)
        if (noFilters || albumPassesFilters(catalogue, a))
            shown.push_back(static_cast<std::uint32_t>(a));
    return shown;
}

} // namespace discora
