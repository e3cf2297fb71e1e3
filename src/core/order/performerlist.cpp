#include "core/order/performerlist.h"

#include "core/catalogue/catalogue.h"
#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"

namespace discora {

std::string_view trimmedPerformerName(std::string_view name)
{
    std::size_t start = 0;
    while (start < name.size() && (name[start] == ' ' || (name[start] >= '\t' && name[start] <= '\r')))
        ++start;
    return name.substr(start);
}

SortedPerformers collectSortedPerformers(const Catalogue& doc, ProgressSink* sink)
{
    const auto& displayOrder = doc.displayOrder();
    const AlbumStore& albums = doc.albums();
    constexpr std::uint32_t kHidden = 0xFFFFFFFF;
    std::vector<PerformerEntry> collected;
    std::vector<std::string_view> names;
    // The names are read album by album in catalogue order, which walks through the albums' texts
    // front to back, and then placed in display order: first by album as displayed, then by slot.
    std::vector<std::uint32_t> shownAt;
    {
        OrderProgress progress(sink, "Building the Performer List", static_cast<int>(displayOrder.size()));
        std::vector<std::uint32_t> positionOf(static_cast<std::size_t>(doc.albumCount()), kHidden);
        for (std::size_t p = 0; p < displayOrder.size(); ++p)
            positionOf[displayOrder[p]] = static_cast<std::uint32_t>(p);
        std::vector<PerformerEntry> found;
        std::vector<std::string_view> foundNames;
        found.reserve(displayOrder.size() * 4);
        foundNames.reserve(displayOrder.size() * 4);
        std::vector<std::uint32_t> perPosition(displayOrder.size() + 1, 0);
        for (int a = 0; a < doc.albumCount(); ++a) {
            albums.prefetchAhead(
                static_cast<std::size_t>(a), static_cast<std::size_t>(doc.albumCount()),
                [](std::size_t k) { return k; }, Field::FirstPerformer);
            const std::uint32_t p = positionOf[static_cast<std::size_t>(a)];
            if (p == kHidden)
                continue;
            for (int slot = 1; slot <= kPerformerSlots; ++slot) {
                if (!albums.hasText(performerField(slot), a))
                    continue;
                // A name of white space only names nobody.
                const std::string_view name = trimmedPerformerName(albums.text(performerField(slot), a));
                if (name.empty())
                    continue;
                found.push_back({static_cast<std::uint32_t>(a), static_cast<std::uint8_t>(slot), false});
                foundNames.push_back(name);
                ++perPosition[p + 1];
            }
        }
        for (std::size_t p = 1; p < perPosition.size(); ++p)
            perPosition[p] += perPosition[p - 1];
        progress.advanceTo(static_cast<int>(displayOrder.size()));
        collected.resize(found.size());
        names.resize(found.size());
        shownAt.resize(found.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            const std::uint32_t at = perPosition[positionOf[found[i].album]]++;
            shownAt[i] = at;
            collected[at] = found[i];
            names[at] = foundNames[i];
        }
    }

    OrderProgress progress(sink, "Sorting by Performer", gapCount(static_cast<int>(collected.size())));
    SortKeys keys(collected.size(), collected.size() * 8);
    for (std::uint32_t at : shownAt)
        keys.setSpelled(at, names[at]);
    progress.advanceToShare(0.5);

    const std::vector<std::uint32_t> from = keys.stableOrder();
    SortedPerformers sorted;
    sorted.entries.resize(from.size());
    sorted.startsGroup.resize(from.size());
    sorted.startsName.resize(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        sorted.entries[i] = collected[from[i]];
        // The keys hold the exact bytes too, so equal keys are byte-identical names.
        sorted.startsGroup[i] = i == 0 || !keys.sameKey(from[i], from[i - 1]);
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
