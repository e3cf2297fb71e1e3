#include "core/order/performerlist.h"

#include "core/catalogue/catalogue.h"
#include "core/order/comparenames.h"
#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"

#include <new>

namespace discora {

std::string_view trimmedPerformerName(std::string_view name)
{
    const std::size_t start = name.find_first_not_of(" \t\r\n\v\f");
    return start == std::string_view::npos ? std::string_view{} : name.substr(start);
}

namespace {

// Visits the entries in the catalogue order of their albums, which reads each field list front to
// back, or in list order when there is no memory for the visiting order.
template <typename Visit> void visitByAlbum(const std::vector<PerformerEntry>& list, Visit visit)
{
    std::vector<std::uint32_t> order;
    try {
        order = inCatalogueOrder(list.size(), [&](std::uint32_t k) { return list[k].album; });
    } catch (const std::bad_alloc&) {
        for (std::uint32_t i = 0; i < list.size(); ++i)
            visit(i);
        return;
    }
    for (std::uint32_t i : order)
        visit(i);
}

} // namespace

bool SortedPerformers::startsName(std::size_t i) const
{
    return i == 0 || CompareNames(names[i], names[i - 1]) != 0;
}

SortedPerformers collectSortedPerformers(const Catalogue& doc, ProgressSink* sink)
{
    const auto& displayOrder = doc.displayOrder();
    SortedPerformers out;
    std::vector<PerformerEntry>& entries = out.entries;
    std::vector<std::string_view>& names = out.names;
    {
        OrderProgress progress(sink, "Building the Performer List", static_cast<int>(displayOrder.size()));
        try {
            entries.reserve(displayOrder.size() * 4);
            names.reserve(displayOrder.size() * 4);
        } catch (const std::bad_alloc&) {
        }
        try {
            for (std::size_t p = 0; p < displayOrder.size(); ++p) {
                const std::uint32_t album = displayOrder[p];
                for (int slot = 1; slot <= kPerformerSlots; ++slot) {
                    const std::string_view name = doc.text(performerField(slot), static_cast<int>(album));
                    if (!name.empty()) {
                        names.push_back(name);
                        entries.push_back({album, static_cast<std::uint8_t>(slot), false});
                    }
                }
                progress.advanceTo(static_cast<int>(p + 1));
            }
        } catch (const std::bad_alloc&) {
            out.outOfMemory = true;
            names.resize(entries.size());
        }
        visitByAlbum(entries, [&](std::uint32_t i) { names[i] = trimmedPerformerName(names[i]); });
        // A name of white space only names nobody.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!names[i].empty()) {
                entries[kept] = entries[i];
                names[kept++] = names[i];
            }
        }
        entries.resize(kept);
        names.resize(kept);
    }

    OrderProgress progress(sink, "Sorting by Performer", gapCount(static_cast<int>(entries.size())));
    try {
        SortKeys keys(entries.size(), entries.size() * 32);
        visitByAlbum(entries, [&](std::uint32_t i) { keys.setSpelled(i, names[i]); });
        progress.advanceToShare(0.5);
        const std::vector<std::uint32_t> from = keys.stableOrder();
        std::vector<PerformerEntry> sortedEntries(from.size());
        std::vector<std::string_view> sortedNames(from.size());
        for (std::size_t i = 0; i < from.size(); ++i) {
            sortedEntries[i] = entries[from[i]];
            sortedNames[i] = names[from[i]];
        }
        entries.swap(sortedEntries);
        names.swap(sortedNames);
    } catch (const std::bad_alloc&) {
        out.outOfMemory = true;
    }
    progress.finish();
    return out;
}

BuiltList<PerformerEntry> performerList(const Catalogue& doc, ProgressSink* sink)
{
    const SortedPerformers sorted = collectSortedPerformers(doc, sink);

    const std::size_t count = sorted.entries.size();
    OrderProgress progress(sink, "Organizing Performer list", static_cast<int>(count));
    BuiltList<PerformerEntry> performers;
    performers.outOfMemory = sorted.outOfMemory;
    performers.reserve(count + count / 2);
    try {
        for (std::size_t i = 0; i < count; ++i) {
            // Letter case counts here: 'john smith' and 'John Smith' get a heading each.
            const PerformerEntry& e = sorted.entries[i];
            if (sorted.startsGroup(i))
                performers.entries.push_back({e.album, e.slot, true});
            performers.entries.push_back(e);
            progress.advanceTo(static_cast<int>(i + 1));
        }
    } catch (const std::bad_alloc&) {
        performers.outOfMemory = true;
        // A heading whose first entry did not fit heads nothing.
        if (!performers.entries.empty() && performers.entries.back().header)
            performers.entries.pop_back();
    }
    return performers;
}

} // namespace discora
