#include "core/order/orderentries.h"

#include "core/view/catalogue.h"

namespace discora {

int orderEntryCount(const Catalogue& doc)
{
    const DerivedLists& lists = doc.derivedLists();
    switch (sortOrderInfo(doc.currentOrder()).entries) {
    case EntryList::Songs: return static_cast<int>(lists.songs.size());
    case EntryList::Producers: return static_cast<int>(lists.producers.size());
    case EntryList::Performers: return static_cast<int>(lists.performers.size());
    case EntryList::Albums: break;
    }
    return doc.displayedCount();
}

std::optional<std::uint32_t> albumOfEntry(const Catalogue& doc, int position)
{
    if (position < 0 || position >= orderEntryCount(doc))
        return std::nullopt;
    const auto p = static_cast<std::size_t>(position);
    const DerivedLists& lists = doc.derivedLists();
    switch (sortOrderInfo(doc.currentOrder()).entries) {
    case EntryList::Songs: return lists.songs[p].album;
    case EntryList::Producers: return lists.producers[p].album;
    case EntryList::Performers: return lists.performers[p].album;
    case EntryList::Albums: break;
    }
    return doc.displayOrder()[p];
}

std::optional<int> firstEntryOf(const Catalogue& doc, std::uint32_t album)
{
    const int count = orderEntryCount(doc);
    for (int p = 0; p < count; ++p)
        if (albumOfEntry(doc, p) == album)
            return p;
    return std::nullopt;
}

std::vector<std::uint32_t> albumsOfEntries(const Catalogue& doc, std::span<const int> positions)
{
    const auto& order = doc.displayOrder();
    if (positions.empty())
        return order;
    std::vector<bool> wanted(static_cast<std::size_t>(doc.albumCount()), false);
    for (int p : positions)
        if (const auto album = albumOfEntry(doc, p); album && *album < wanted.size())
            wanted[*album] = true;
    std::vector<std::uint32_t> albums;
    for (std::uint32_t a : order)
        if (wanted[a]) {
            albums.push_back(a);
            wanted[a] = false;
        }
    return albums;
}

} // namespace discora
