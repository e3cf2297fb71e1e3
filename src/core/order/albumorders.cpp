#include "core/order/albumorders.h"

#include "core/order/comparenames.h"
#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace discora {

namespace {

// Albums with equal keys keep their relative order, which is what the exchange sort gives and one
// of the results the gap sort may give.
void sortByText(const Catalogue& doc, std::vector<std::uint32_t>& displayOrder, Field field, bool ignoreThe,
                OrderProgress& progress)
{
    SortKeys keys(displayOrder.size(), displayOrder.size() * 16);
    keys.setLetterFolding(letterFoldingOf(doc.viewOptions()));
    const std::vector<std::uint32_t> visit =
        inCatalogueOrder(displayOrder.size(), [&](std::uint32_t i) { return displayOrder[i]; });
    const AlbumStore& albums = doc.albums();
    for (std::size_t k = 0; k < visit.size(); ++k) {
        albums.prefetchAhead(
            k, visit.size(), [&](std::size_t v) { return displayOrder[visit[v]]; }, field);
        const std::uint32_t p = visit[k];
        const std::string_view text = doc.text(field, static_cast<int>(displayOrder[p]));
        keys.set(p, ignoreThe ? stripLeadingThe(text) : text);
    }
    progress.advanceToShare(0.5);
    displayOrder = permuted(displayOrder, keys.stableOrder());
}

// Numbered albums in ascending order, negative numbers included, then the albums without a number
// in the order they had. (Exchanging whenever the second album has a number would swap two negative
// numbers back and forth for ever.)
void sortByNumber(const Catalogue& doc, std::vector<std::uint32_t>& displayOrder, OrderProgress& progress)
{
    struct Item
    {
        std::int64_t value;
        std::uint32_t unnumbered;
        std::uint32_t index;
    };
    std::vector<Item> items;
    items.reserve(displayOrder.size());
    for (std::uint32_t p = 0; p < displayOrder.size(); ++p) {
        doc.albums().prefetchAhead(
            p, displayOrder.size(), [&](std::size_t k) { return displayOrder[k]; }, Field::Number);
        const auto value = albumNumberValue(doc.text(Field::Number, static_cast<int>(displayOrder[p])));
        items.push_back({value.value_or(0), value ? 0u : 1u, p});
    }
    progress.advanceToShare(0.5);
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        if (a.unnumbered != b.unnumbered)
            return a.unnumbered < b.unnumbered;
        if (a.value != b.value)
            return a.value < b.value;
        return a.index < b.index;
    });
    std::vector<std::uint32_t> from(items.size());
    for (std::size_t p = 0; p < items.size(); ++p)
        from[p] = items[p].index;
    displayOrder = permuted(displayOrder, from);
}

} // namespace

std::optional<std::int64_t> albumNumberValue(std::string_view number)
{
    if (number.empty() || number.front() == ' ')
        return std::nullopt;
    std::size_t pos = 0;
    const bool negative = number[0] == '-';
    if (number[0] == '-' || number[0] == '+')
        ++pos;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 1;
    std::int64_t value = 0;
    for (; pos < number.size() && number[pos] >= '0' && number[pos] <= '9'; ++pos)
        if (value < kLimit) // absurdly long numbers stop growing rather than overflow
            value = value * 10 + (number[pos] - '0');
    return negative ? -value : value;
}

bool albumOrderIgnoresThe(const Catalogue& doc, SortOrder order, ArtistSortRole role)
{
    const TheRule rule = sortOrderInfo(order).sortThe;
    if (rule == TheRule::Never)
        return false;
    if (order == SortOrder::ByArtist && role == ArtistSortRole::ArtistShortStep)
        return doc.viewOptions().on(ViewOption::ArtistThe) ||
               (doc.viewStyle() == ViewStyle::SingleLineSorts &&
                doc.viewOptions().on(ViewOption::GroupViewThe));
    return doc.ignoresThe(rule);
}

std::vector<std::uint32_t> sortedDisplayOrder(const Catalogue& catalogue, SortOrder order, bool ignoreThe,
                                              ProgressSink* sink)
{
    const SortOrderInfo& info = sortOrderInfo(order);
    std::vector<std::uint32_t> displayOrder = catalogue.displayOrder();
    const int n = static_cast<int>(displayOrder.size());
    // The progress bar's range counts the passes of an exchange sort or the gap values of a gap
    // sort, whichever the order is known by; the sort underneath steps it in proportion.
    const int range = info.sort == SortKind::ExchangeSort ? n - 1 : gapCount(n);
    OrderProgress progress(sink, info.statusText, range);
    if (order == SortOrder::ByNumber)
        sortByNumber(catalogue, displayOrder, progress);
    else
        sortByText(catalogue, displayOrder, info.key, ignoreThe, progress);
    progress.finish();
    return displayOrder;
}

bool optionsResort(SortOrder current, ViewStyle style, const ViewOptions& before, const ViewOptions& after)
{
    const auto changed = [&](ViewOption o) { return before.on(o) != after.on(o); };
    const bool artistOrAlbumName = current == SortOrder::ByArtist || current == SortOrder::ByAlbumName;
    bool rerun = false;
    if (current == SortOrder::BySong || current == SortOrder::BySongDetail)
        rerun = changed(ViewOption::SongThe);
    else if (current == SortOrder::ByArtistShort)
        rerun = changed(ViewOption::ArtistThe);
    else if (artistOrAlbumName && style != ViewStyle::SingleLineSorts) // the covers follow the normal layout
        rerun = changed(ViewOption::NlViewThe);
    else if (artistOrAlbumName && style == ViewStyle::SingleLineSorts)
        rerun = changed(ViewOption::GroupViewThe);
    return rerun || changed(ViewOption::SortAccents);
}

} // namespace discora
