// The fifteen orders the catalogue can be shown in, and the two view styles.
#pragma once

namespace discora {

enum class SortOrder : int {
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

enum class ViewStyle : int {
    Normal,
    SingleLineSorts,
};

constexpr bool isAlbumOrder(SortOrder o)
{
    return o != SortOrder::ByArtistShort && o != SortOrder::ByPerformer && o != SortOrder::ByProducer &&
           o != SortOrder::BySong && o != SortOrder::BySongDetail;
}

} // namespace discora
