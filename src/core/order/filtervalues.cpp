// The lists the Filters dialog offers and the text each of its boxes shows.
#include "core/order/comparenames.h"
#include "core/order/filters.h"
#include "core/order/orders.h"
#include "core/order/performerlist.h"
#include "core/order/sortkeys.h"
#include "core/view/catalogue.h"

#include <new>

namespace discora {

std::vector<std::string> sortedFilterValues(const Catalogue& doc, ValueListId list)
{
    const std::vector<std::string>& values = doc.valueList(list).values();
    SortKeys keys(values.size(), values.size() * 16);
    for (std::size_t i = 0; i < values.size(); ++i)
        keys.set(i, stripLeadingThe(values[i]));
    std::vector<std::string> sorted;
    sorted.reserve(values.size());
    for (std::uint32_t i : keys.stableOrder())
        sorted.push_back(values[i]);
    return sorted;
}

std::vector<std::string> distinctPerformerNames(const Catalogue& doc, ProgressSink* progress)
{
    // Gathered into a list of our own: the document's performer list may be the one on screen.
    const SortedPerformers sorted = collectSortedPerformers(doc, progress);
    // Names that are not in order cannot be told apart from their neighbours alone.
    if (sorted.outOfMemory)
        throw std::bad_alloc();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < sorted.entries.size(); ++i)
        if (sorted.startsName(i))
            names.emplace_back(sorted.names[i]);
    return names;
}

std::string filterSelectionShown(const std::string& stored)
{
    return isNoFilter(stored) ? std::string(kNoFilter) : stored;
}

} // namespace discora
