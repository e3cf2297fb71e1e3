#include "core/order/performerlist.h"

#include "core/order/comparenames.h"
#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"
#include "core/view/catalogue.h"

#include <new>

namespace discora {

std::string_view trimmedPerformerName(std::string_view name)
{
    std::size_t start = 0;
    while (start < name.size() && (name[start] == ' ' || (name[start] >= '\t' && name[start] <= '\r')))
        ++start;
    return name.substr(start);
}

namespace {

// The named performers of the displayed albums, first by album as displayed, then by slot. They
// are read album by album in catalogue order, which walks through the albums' texts front to back,
// and then placed; returns the places in the order they were read, the order to visit them in.
std::vector<std::uint32_t> collectByCatalogueOrder(const Catalogue& doc, std::vector<PerformerEntry>& entries,
                                                   std::vector<std::string_view>& names)
{
    const auto& displayOrder = doc.displayOrder();
    const AlbumStore& albums = doc.albums();
    constexpr std::uint32_t kHidden = 0xFFFFFFFF;
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
    std::vector<std::uint32_t> placedAt(found.size());
    entries.resize(found.size());
    names.resize(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::uint32_t at = perPosition[positionOf[found[i].album]]++;
        placedAt[i] = at;
        entries[at] = found[i];
        names[at] = foundNames[i];
    }
    return placedAt;
}

// The same in display order with no memory beyond the list itself: where the faster way could not
// get its working room. When memory runs out, the list stops at that album.
void collectInDisplayOrder(const Catalogue& doc, SortedPerformers& out, OrderProgress& progress)
{
    const auto& displayOrder = doc.displayOrder();
    try {
        for (std::size_t p = 0; p < displayOrder.size(); ++p) {
            const std::uint32_t album = displayOrder[p];
            for (int slot = 1; slot <= kPerformerSlots; ++slot) {
                const std::string_view name =
                    trimmedPerformerName(doc.text(performerField(slot), static_cast<int>(album)));
                if (name.empty())
                    continue;
                out.names.push_back(name);
                out.entries.push_back({album, static_cast<std::uint8_t>(slot), false});
            }
            progress.advanceTo(static_cast<int>(p + 1));
        }
    } catch (const std::bad_alloc&) {
        out.outOfMemory = true;
        out.names.resize(out.entries.size());
    }
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
    // The entries in the catalogue order of their albums: the order that reads the texts front to back.
    std::vector<std::uint32_t> visit;
    {
        OrderProgress progress(sink, "Building the Performer List", static_cast<int>(displayOrder.size()));
        try {
            visit = collectByCatalogueOrder(doc, entries, names);
        } catch (const std::bad_alloc&) {
            entries = {};
            names = {};
            collectInDisplayOrder(doc, out, progress);
        }
        progress.advanceTo(static_cast<int>(displayOrder.size()));
    }

    OrderProgress progress(sink, "Sorting by Performer", gapCount(static_cast<int>(entries.size())));
    try {
        if (visit.size() != entries.size())
            visit = inCatalogueOrder(entries.size(), [&](std::uint32_t k) { return entries[k].album; });
        // The first half's keys are set on this thread, which shows the progress.
        const auto setKeys = [&](SortKeys& keys, std::size_t first, std::size_t last) {
            for (std::size_t k = first; k < last; ++k) {
                if (first == 0)
                    progress.advanceWithin(k, last, 0.5);
                keys.setSpelled(visit[k], names[visit[k]]);
            }
        };
        const std::vector<std::uint32_t> from =
            stableOrderOfVisits(entries.size(), 8, letterFoldingOf(doc.viewOptions()), setKeys,
                                [&] { progress.advanceToShare(0.5); });
        progress.advanceToShare(0.8);
        // Both made before either is replaced, so that entries and names stay in step.
        std::vector<PerformerEntry> sortedEntries = permuted(entries, from);
        std::vector<std::string_view> sortedNames = permuted(names, from);
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
