#include "core/order/albumorders.h"

#include "core/catalogue/catalogue.h"
#include "core/order/comparenames.h"
#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace discora {

namespace {

enum class TheRule
{
    ViewRule,
    Never
};
// The progress bar runs one step per pass of an exchange sort, or one per gap value of a gap sort,
// as users have always seen it move for each order.
enum class Procedure
{
    ExchangeSort,
    GapSort
};

struct AlbumOrderInfo
{
    SortOrder order;
    Field field;
    const char* statusText;
    TheRule theRule;
    Procedure procedure;
};

constexpr AlbumOrderInfo kAlbumOrders[] = {
    {SortOrder::ByArtist, Field::Artist, "Sorting by Group/Artist Name", TheRule::ViewRule,
     Procedure::ExchangeSort},
    {SortOrder::ByAlbumName, Field::AlbumName, "Sorting by Album Name", TheRule::ViewRule,
     Procedure::GapSort},
    {SortOrder::ByCatalogNumber, Field::CatalogNumber, "Sorting by Catalog Number", TheRule::ViewRule,
     Procedure::ExchangeSort},
    {SortOrder::ByCustom1, Field::Custom1, "Sorting by Custom1", TheRule::ViewRule, Procedure::ExchangeSort},
    {SortOrder::ByCustom2, Field::Custom2, "Sorting by Custom2", TheRule::ViewRule, Procedure::ExchangeSort},
    {SortOrder::ByLabel, Field::Label, "Sorting by Label", TheRule::ViewRule, Procedure::ExchangeSort},
    {SortOrder::ByMediaType, Field::MediaType, "Sorting by Media Type", TheRule::Never,
     Procedure::ExchangeSort},
    {SortOrder::ByMusicType, Field::MusicType, "Sorting by Music Type", TheRule::Never,
     Procedure::ExchangeSort},
    {SortOrder::ByNumber, Field::Number, "Sorting by Number", TheRule::Never, Procedure::GapSort},
    {SortOrder::ByQuality, Field::Quality, "Sorting by Quality", TheRule::Never, Procedure::GapSort},
};

const AlbumOrderInfo& infoOf(SortOrder order)
{
    for (const AlbumOrderInfo& info : kAlbumOrders)
        if (info.order == order)
            return info;
    return kAlbumOrders[0];
}

void applyPermutation(std::vector<std::uint32_t>& displayOrder, const std::vector<std::uint32_t>& from)
{
    std::vector<std::uint32_t> sorted(displayOrder.size());
    for (std::size_t p = 0; p < from.size(); ++p)
        sorted[p] = displayOrder[from[p]];
    displayOrder.swap(sorted);
}

// Albums with equal keys keep their relative order, which is what the exchange sort gives and one
// of the results the gap sort may give.
void sortByText(const Catalogue& doc, std::vector<std::uint32_t>& displayOrder, Field field, bool ignoreThe,
                OrderProgress& progress)
{
    SortKeys keys(displayOrder.size(), displayOrder.size() * 16);
    for (std::uint32_t p :
         inCatalogueOrder(displayOrder.size(), [&](std::uint32_t i) { return displayOrder[i]; })) {
        const std::string_view text = doc.text(field, static_cast<int>(displayOrder[p]));
        keys.set(p, ignoreThe ? stripLeadingThe(text) : text);
    }
    progress.advanceToShare(0.5);
    applyPermutation(displayOrder, keys.stableOrder());
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
    applyPermutation(displayOrder, from);
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
    if (infoOf(order).theRule == TheRule::Never)
        return false;
    if (order == SortOrder::ByArtist && role == ArtistSortRole::ArtistShortStep)
        return doc.viewOptions().on(ViewOption::ArtistThe) ||
               (doc.viewStyle() == ViewStyle::SingleLineSorts &&
                doc.viewOptions().on(ViewOption::GroupViewThe));
    return doc.viewRuleIgnoresThe();
}

std::vector<std::uint32_t> sortedDisplayOrder(const Catalogue& catalogue, SortOrder order, bool ignoreThe,
                                              ProgressSink* sink)
{
    const AlbumOrderInfo& info = infoOf(order);
    std::vector<std::uint32_t> displayOrder = catalogue.displayOrder();
    const int n = static_cast<int>(displayOrder.size());
    const int range = info.procedure == Procedure::ExchangeSort ? n - 1 : gapCount(n);
    OrderProgress progress(sink, info.statusText, range);
    if (order == SortOrder::ByNumber)
        sortByNumber(catalogue, displayOrder, progress);
    else
        sortByText(catalogue, displayOrder, info.field, ignoreThe, progress);
    progress.finish();
    return displayOrder;
}

} // namespace discora
