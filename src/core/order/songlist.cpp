#include "core/order/songlist.h"

#include "core/order/comparenames.h"
#include "core/order/orderprogress.h"
#include "core/order/orders.h"
#include "core/order/sortkeys.h"
#include "core/view/catalogue.h"

#include <new>
#include <vector>

namespace discora {

namespace {

std::string_view artistOf(const Catalogue& doc, std::uint32_t album)
{
    return doc.text(Field::Artist, static_cast<int>(album));
}

// A rank per displayed album such that albums whose artist keys compare equal share one rank.
std::vector<std::uint32_t> artistRanks(const Catalogue& doc, std::span<const std::uint32_t> displayOrder,
                                       bool ignoreThe)
{
    SortKeys keys(displayOrder.size(), displayOrder.size() * 16);
    keys.setLetterFolding(letterFoldingOf(doc.viewOptions()));
    const std::vector<std::uint32_t> visit =
        inCatalogueOrder(displayOrder.size(), [&](std::uint32_t i) { return displayOrder[i]; });
    for (std::size_t k = 0; k < visit.size(); ++k) {
        doc.albums().prefetchAhead(
            k, visit.size(), [&](std::size_t v) { return displayOrder[visit[v]]; }, Field::Artist);
        const std::uint32_t p = visit[k];
        const std::string_view artist = artistOf(doc, displayOrder[p]);
        keys.set(p, ignoreThe ? stripLeadingThe(artist) : artist);
    }
    std::vector<std::uint32_t> rankOf(static_cast<std::size_t>(doc.albumCount()), 0);
    std::uint32_t rank = 0;
    std::string_view previous;
    bool first = true;
    for (std::uint32_t i : keys.stableOrder()) {
        if (!first && keys.key(i) != previous)
            ++rank;
        first = false;
        previous = keys.key(i);
        rankOf[displayOrder[i]] = rank;
    }
    return rankOf;
}

} // namespace

BuiltList<SongEntry> songList(const Catalogue& doc, std::span<const std::uint32_t> displayOrder,
                              SongHeaders headers, ProgressSink* sink)
{
    const bool withHeaders = headers == SongHeaders::PerArtist;
    BuiltList<SongEntry> songs;
    songs.reserve(displayOrder.size() * 14);
    std::vector<SongEntry>& entries = songs.entries;
    OrderProgress progress(sink, "Building the Song List", static_cast<int>(displayOrder.size()));
    try {
        for (std::size_t p = 0; p < displayOrder.size(); ++p) {
            const std::uint32_t album = displayOrder[p];
            if (withHeaders)
                doc.albums().prefetchAhead(
                    p, displayOrder.size(), [&](std::size_t k) { return displayOrder[k]; }, Field::Artist);
            // Byte for byte: artists differing only in letter case get a header each.
            if (withHeaders &&
                (entries.empty() || artistOf(doc, entries.back().album) != artistOf(doc, album)))
                entries.push_back({album, 0});
            for (int slot = 1; slot <= kSongSlots; ++slot)
                if (doc.albums().hasText(titleField(slot), static_cast<int>(album)))
                    entries.push_back({album, static_cast<std::uint8_t>(slot)});
            progress.advanceTo(static_cast<int>(p + 1));
        }
    } catch (const std::bad_alloc&) {
        songs.outOfMemory = true;
    }
    return songs;
}

BuiltList<SongEntry> sortedSongList(const Catalogue& doc, std::span<const std::uint32_t> shown,
                                    BuiltList<SongEntry> songs, SongHeaders headers, ProgressSink* sink)
{
    const ViewOptions& options = doc.viewOptions();
    const bool artistShort = headers == SongHeaders::PerArtist;
    const std::vector<SongEntry>& entries = songs.entries;
    OrderProgress progress(sink, "Sorting by Song Title", gapCount(static_cast<int>(entries.size())));
    const bool titleIgnoresThe =
        artistShort ? options.on(ViewOption::ArtistThe) : options.on(ViewOption::SongThe);
    try {
        std::vector<std::uint32_t> rankOf;
        if (artistShort)
            rankOf = artistRanks(doc, shown, options.on(ViewOption::ArtistThe));

        // The keys are let go before the entries are laid out in their new order, so that the two
        // never take room at once.
        std::vector<std::uint32_t> from = [&] {
            std::vector<std::uint32_t> visit =
                inCatalogueOrder(entries.size(), [&](std::uint32_t k) { return entries[k].album; });
            const AlbumStore& albums = doc.albums();
            // The first half's keys are set on this thread, which shows the progress.
            const auto setKeys = [&](SortKeys& keys, std::size_t first, std::size_t last) {
                for (std::size_t k = first; k < last; ++k) {
                    if (first == 0)
                        progress.advanceWithin(k, last, 0.5);
                    albums.prefetchAhead(
                        k, last, [&](std::size_t v) { return entries[visit[v]].album; }, Field::FirstTitle);
                    const std::uint32_t i = visit[k];
                    const std::string_view title = songTitle(doc, entries[i]);
                    keys.set(i, titleIgnoresThe ? stripLeadingThe(title) : title,
                             artistShort ? rankOf[entries[i].album] : 0);
                }
            };
            std::vector<std::uint32_t> order =
                stableOrderOfVisits(entries.size(), 16, letterFoldingOf(doc.viewOptions()), setKeys, [&] {
                    std::vector<std::uint32_t>().swap(visit);
                    progress.advanceToShare(0.5);
                });
            progress.advanceToShare(0.8);
            return order;
        }();
        songs.entries = permuted(songs.entries, from);
    } catch (const std::bad_alloc&) {
        songs.outOfMemory = true;
    }
    progress.finish();
    return songs;
}

} // namespace discora
