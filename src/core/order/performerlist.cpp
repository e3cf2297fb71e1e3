#include "core/order/performerlist.h"

#include "core/catalogue/catalogue.h"
#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"

namespace discora {

std::string_view trimmedPerformerName(std::string_view name)
{
    const std::size_t start = name.find_first_not_of(" \t\r\n\v\f");
    return start == std::string_view::npos ? std::string_view{} : name.substr(start);
}

SortedPerformers collectSortedPerformers(const Catalogue& doc, ProgressSink* sink)
{
    const auto& displayOrder = doc.displayOrder();
    const auto byAlbum = [](const std::vector<PerformerEntry>& list) {
        return inCatalogueOrder(list.size(), [&](std::uint32_t k) { return list[k].album; });
    };
    std::vector<PerformerEntry> collected;
    std::vector<std::string_view> names;
    {
        OrderProgress progress(sink, "Building the Performer List", static_cast<int>(displayOrder.size()));
        std::vector<PerformerEntry> named;
        named.reserve(displayOrder.size() * 4);
        names.reserve(displayOrder.size() * 4);
        for (std::size_t p = 0; p < displayOrder.size(); ++p) {
            const std::uint32_t album = displayOrder[p];
            for (int slot = 1; slot <= kPerformerSlots; ++slot) {
                const std::string_view name = doc.text(performerField(slot), static_cast<int>(album));
                if (!name.empty()) {
                    named.push_back({album, static_cast<std::uint8_t>(slot), false});
                    names.push_back(name);
                }
            }
            progress.advanceTo(static_cast<int>(p + 1));
        }
        for (std::uint32_t i : byAlbum(named))
            names[i] = trimmedPerformerName(names[i]);
        // A name of white space only names nobody.
        collected.reserve(named.size());
        std::size_t kept = 0;
        for (std::size_t i = 0; i < named.size(); ++i) {
            if (!names[i].empty()) {
                collected.push_back(named[i]);
                names[kept++] = names[i];
            }
        }
        names.resize(kept);
    }

    OrderProgress progress(sink, "Sorting by Performer", gapCount(static_cast<int>(collected.size())));
    SortKeys keys(collected.size(), collected.size() * 32);
    for (std::uint32_t i : byAlbum(collected))
        keys.setSpelled(i, names[i]);
    progress.advanceToShare(0.5);

    const std::vector<std::uint32_t> from = keys.stableOrder();
    SortedPerformers sorted;
    sorted.entries.resize(from.size());
    sorted.startsGroup.resize(from.size());
    sorted.startsName.resize(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        sorted.entries[i] = collected[from[i]];
        // The keys hold the exact bytes too, so equal keys are byte-identical names.
        sorted.startsGroup[i] = i == 0 || keys.key(from[i]) != keys.key(from[i - 1]);
        sorted.startsName[i] = i == 0 || (sorted.startsGroup[i] && !keys.sameName(from[i], from[i - 1]));
    }
    progress.finish();
    return sorted;
}

std::vector<PerformerEntry> performerList(const Catalogue& doc, ProgressSink* sink)
{
    const SortedPerformers sorted = collectSortedPerformers(doc, sink);

    const std::size_t count = sorted.entries.size();
    OrderProgress progress(sink, "Organizing Performer list", static_cast<int>(count));
    std::vector<PerformerEntry> performers;
    performers.reserve(count + count / 2);
    for (std::size_t i = 0; i < count; ++i) {
        // Letter case counts here: 'john smith' and 'John Smith' get a heading each.
        const PerformerEntry& e = sorted.entries[i];
        if (sorted.startsGroup[i])
            performers.push_back({e.album, e.slot, true});
        performers.push_back(e);
        progress.advanceTo(static_cast<int>(i + 1));
    }
    return performers;
}

} // namespace discora
