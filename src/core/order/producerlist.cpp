#include "core/order/producerlist.h"

#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"
#include "core/view/catalogue.h"

#include <new>
#include <vector>

namespace discora {

bool isUnnamedProducer(std::string_view producer)
{
    return producer.empty() || producer.front() == ' ' || producer == kNoProducerListed;
}

BuiltList<ProducerEntry> producerList(const Catalogue& doc, ProgressSink* sink)
{
    const auto& displayOrder = doc.displayOrder();
    BuiltList<ProducerEntry> producers;
    producers.reserve(displayOrder.size() * 2);
    std::vector<ProducerEntry>& entries = producers.entries;
    {
        OrderProgress progress(sink, "Building the Producer List", static_cast<int>(displayOrder.size()));
        try {
            for (std::size_t p = 0; p < displayOrder.size(); ++p) {
                const std::uint32_t album = displayOrder[p];
                const bool first = doc.albums().hasText(Field::Producer1, static_cast<int>(album));
                const bool second = doc.albums().hasText(Field::Producer2, static_cast<int>(album));
                if (first)
                    entries.push_back({album, 1});
                if (second)
                    entries.push_back({album, 2});
                if (!first && !second)
                    entries.push_back({album, 0});
                progress.advanceTo(static_cast<int>(p + 1));
            }
        } catch (const std::bad_alloc&) {
            producers.outOfMemory = true;
            return producers;
        }
    }

    OrderProgress progress(sink, "Sorting by Producer", gapCount(static_cast<int>(entries.size())));
    try {
        SortKeys keys(entries.size(), entries.size() * 16);
        keys.setLetterFolding(letterFoldingOf(doc.viewOptions()));
        const std::vector<std::uint32_t> visit =
            inCatalogueOrder(entries.size(), [&](std::uint32_t k) { return entries[k].album; });
        for (std::size_t k = 0; k < visit.size(); ++k) {
            progress.advanceWithin(k, visit.size(), 0.5);
            doc.albums().prefetchAhead(
                k, visit.size(), [&](std::size_t v) { return entries[visit[v]].album; }, Field::Producer1);
            const std::uint32_t i = visit[k];
            const std::string_view name = producerName(doc, entries[i]);
            // The unnamed entries go last and keep the order they were built in.
            if (isUnnamedProducer(name))
                keys.set(i, {}, 1);
            else
                keys.set(i, name, 0);
        }
        progress.advanceToShare(0.5);
        const std::vector<std::uint32_t> from = keys.stableOrder();
        progress.advanceToShare(0.8);
        entries = permuted(entries, from);
    } catch (const std::bad_alloc&) {
        producers.outOfMemory = true;
    }
    progress.finish();
    return producers;
}

} // namespace discora
