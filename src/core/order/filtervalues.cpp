// The lists the Filters dialog offers and the text each of its boxes shows.
#include "core/catalogue/catalogue.h"
#include "core/order/comparenames.h"
#include "core/order/orders.h"
#include "core/order/performerlist.h"
#include "core/order/sortkeys.h"

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
    std::vector<std::string> names;
    for (std::size_t i = 0; i < sorted.entries.size(); ++i)
        if (sorted.startsName[i])
            names.emplace_back(performerName(doc, sorted.entries[i]));
    return names;
}

std::string filterSelectionShown(const std::vector<std::string>& entries, const std::string& stored)
{
    for (const std::string& entry : entries)
        if (beginsWithName(entry, stored))
            return entry;
    return stored;
}

} // namespace discora
