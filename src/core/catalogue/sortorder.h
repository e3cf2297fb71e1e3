// The fifteen orders the catalogue can be shown in, and the two view styles.
#pragma once

#include "core/catalogue/columnlayout.h"

namespace discora {

enum class SortOrder : int
{
    ByArtist,
    ByArtistShort,
    ByAlbumName,
    ByCatalogNumber,
    ByCustom1,
    ByCustom2,
    ByLabel,
    ByMediaType,
    ByMusicType,
    ByNumber,
    ByPerformer,
    ByProducer,
    ByQuality,
    BySong,
    BySongDetail,
};

constexpr int kSortOrderCount = 15;

enum class ViewStyle : int
{
    Normal,
    SingleLineSorts,
};

constexpr bool isAlbumOrder(SortOrder o)
{
    return o != SortOrder::ByArtistShort && o != SortOrder::ByPerformer && o != SortOrder::ByProducer &&
           o != SortOrder::BySong && o != SortOrder::BySongDetail;
}

// The column layout an order shows in the single-line and list layouts; the six-line song list
// uses the song list's.
constexpr LayoutId layoutOf(SortOrder o)
{
    switch (o) {
    case SortOrder::ByArtist: return LayoutId::ByArtist;
    case SortOrder::ByArtistShort: return LayoutId::ByArtistShort;
    case SortOrder::ByAlbumName: return LayoutId::ByAlbumName;
    case SortOrder::ByCatalogNumber: return LayoutId::ByCatalogNumber;
    case SortOrder::ByCustom1: return LayoutId::ByCustom1;
    case SortOrder::ByCustom2: return LayoutId::ByCustom2;
    case SortOrder::ByLabel: return LayoutId::ByLabel;
    case SortOrder::ByMediaType: return LayoutId::ByMediaType;
    case SortOrder::ByMusicType: return LayoutId::ByMusicType;
    case SortOrder::ByNumber: return LayoutId::ByNumber;
    case SortOrder::ByPerformer: return LayoutId::ByPerformer;
    case SortOrder::ByProducer: return LayoutId::ByProducer;
    case SortOrder::ByQuality: return LayoutId::ByQuality;
    case SortOrder::BySong:
    case SortOrder::BySongDetail: return LayoutId::BySong;
    }
    return LayoutId::ByArtist;
}

} // namespace discora
