#include "core/order/derivedorders.h"

#include "core/order/performerlist.h"
#include "core/order/producerlist.h"
#include "core/order/songlist.h"
#include "core/view/catalogue.h"

namespace discora {

namespace {

// Takes a built list; fails with message when memory cut it short.
template <typename Entry>
Status adoptList(std::vector<Entry>& target, BuiltList<Entry>&& built, const char* message)
{
    target = std::move(built.entries);
    return built.outOfMemory ? Status(Error{message}) : success();
}

} // namespace

DerivedOrderLists derivedOrderLists(const Catalogue& catalogue, SortOrder order,
                                    std::span<const std::uint32_t> shown, ProgressSink* progress)
{
    DerivedOrderLists out;
    DerivedLists& lists = out.lists;
    switch (order) {
    case SortOrder::ByArtistShort: {
        auto songs = songList(catalogue, shown, SongHeaders::PerArtist, progress);
        if (catalogue.viewOptions().on(ViewOption::ArtistSongSort))
            songs = sortedSongList(catalogue, shown, std::move(songs), SongHeaders::PerArtist, progress);
        out.status = adoptList(lists.songs, std::move(songs), kSongsOutOfMemory);
        break;
    }
    case SortOrder::BySong:
    case SortOrder::BySongDetail:
        out.status = adoptList(lists.songs,
                               sortedSongList(catalogue, shown,
                                              songList(catalogue, shown, SongHeaders::None, progress),
                                              SongHeaders::None, progress),
                               kSongsOutOfMemory);
        break;
    case SortOrder::ByProducer:
        out.status = adoptList(lists.producers, producerList(catalogue, progress), kProducersOutOfMemory);
        break;
    case SortOrder::ByPerformer:
        out.status = adoptList(lists.performers, performerList(catalogue, progress), kPerformersOutOfMemory);
        break;
    default: break;
    }
    return out;
}

} // namespace discora
