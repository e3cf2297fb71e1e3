#include "core/commands/statusfields.h"

#include "core/base/groupednumber.h"

namespace discora {

namespace {

std::string albums(int n)
{
    return groupedNumber(n) + (n == 1 ? " album" : " albums");
}

std::string_view orderTitle(SortOrder order)
{
    switch (order) {
    case SortOrder::ByArtist: return "Artist";
    case SortOrder::ByArtistShort: return "Artist - Short List";
    case SortOrder::ByAlbumName: return "Album Name";
    case SortOrder::ByCatalogNumber: return "Catalog Number";
    case SortOrder::ByCustom1: return "Custom 1";
    case SortOrder::ByCustom2: return "Custom 2";
    case SortOrder::ByLabel: return "Label";
    case SortOrder::ByMediaType: return "Media Type";
    case SortOrder::ByMusicType: return "Music Type";
    case SortOrder::ByNumber: return "Number";
    case SortOrder::ByPerformer: return "Performer";
    case SortOrder::ByProducer: return "Producer";
    case SortOrder::ByQuality: return "Quality";
    case SortOrder::BySong: return "Song";
    case SortOrder::BySongDetail: return "Song, 6 lines";
    }
    return {};
}

} // namespace

namespace {

// "; 2 on loan, 1 overdue" when any album is lent out.
std::string loansText(const Catalogue& catalogue)
{
    if (catalogue.albumsOnLoan() == 0)
        return {};
    std::string text = "; " + groupedNumber(catalogue.albumsOnLoan()) + " on loan";
    if (catalogue.albumsOverdue() > 0)
        text += ", " + groupedNumber(catalogue.albumsOverdue()) + " overdue";
    return text;
}

} // namespace

std::string albumCountText(const Catalogue& catalogue)
{
    const int total = catalogue.albumCount();
    const int shown = catalogue.displayedCount();
    if (shown >= total)
        return albums(total) + loansText(catalogue);
    std::string text = groupedNumber(shown) + " of " + albums(total);
    std::string filters;
    for (const FilterFieldInfo& info : kFilterFields) {
        const std::string& value = catalogue.filters()[static_cast<int>(info.id)];
        if (value == kNoFilter)
            continue;
        if (!filters.empty())
            filters += "; ";
        filters += std::string(info.label) + ": " + value;
    }
    if (!filters.empty())
        text += " (" + filters + ')';
    return text + loansText(catalogue);
}

std::string savedText(int count, std::string_view fileName)
{
    return "Saved " + albums(count) + " to " + std::string(fileName);
}

std::string openedText(int count, std::string_view fileName)
{
    return "Opened " + std::string(fileName) + ": " + albums(count);
}

std::string exportedText(int count, std::string_view fileName)
{
    return "Exported " + albums(count) + " to " + std::string(fileName);
}

std::string orderText(const Catalogue& catalogue)
{
    const SortOrder order = catalogue.currentOrder();
    std::string title(orderTitle(order));
    if (order == SortOrder::ByCustom1 || order == SortOrder::ByCustom2) {
        const std::string& heading = catalogue.headings()[order == SortOrder::ByCustom1 ? 0 : 1];
        if (!heading.empty())
            title = heading;
    }
    return "Sorted by " + title;
}

} // namespace discora
