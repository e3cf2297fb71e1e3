#include "core/order/filters.h"

#include "core/order/comparenames.h"
#include "core/order/performerlist.h"
#include "core/view/catalogue.h"

#include <algorithm>

namespace discora {

bool isNoFilter(std::string_view filter)
{
    return CompareNames(filter, kNoFilter) == 0;
}

namespace {

// Whether album passes the given filters, each named by its table row.
bool passes(const Catalogue& catalogue, int album, const std::vector<const FilterFieldInfo*>& active)
{
    for (const FilterFieldInfo* info : active) {
        const std::string& f = catalogue.filter(info->id);
        if (info->id != FilterField::Performer) {
            if (!beginsWithName(catalogue.text(info->field, album), f))
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

std::vector<const FilterFieldInfo*> activeFilters(const Catalogue& catalogue)
{
    std::vector<const FilterFieldInfo*> active;
    for (const FilterFieldInfo& info : kFilterFields)
        if (!isNoFilter(catalogue.filter(info.id)))
            active.push_back(&info);
    return active;
}

} // namespace

std::vector<std::uint32_t> filteredAlbums(const Catalogue& catalogue)
{
    const std::vector<const FilterFieldInfo*> active = activeFilters(catalogue);
    const auto count = static_cast<std::size_t>(catalogue.albumCount());
    std::vector<std::uint32_t> shown;
    shown.reserve(count);
    for (std::size_t a = 0; a < count; ++a) {
        if (!active.empty())
            catalogue.albums().prefetchAhead(
                a, count, [](std::size_t k) { return k; }, active.front()->field);
        if (active.empty() || passes(catalogue, static_cast<int>(a), active))
            shown.push_back(static_cast<std::uint32_t>(a));
    }
    return shown;
}

} // namespace discora
