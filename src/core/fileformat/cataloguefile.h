// The ".dcf" catalogue file's layout as its reader and writer share it: the version written and the
// two groups of column edges. We write version -7 and read every version back to the oldest,
// unmarked layout (cataloguereader.h, cataloguewriter.h).
#pragma once

#include "core/model/columnlayout.h"

namespace discora {

constexpr int kCurrentFileVersion = -7;

struct EdgeRef
{
    LayoutId layout;
    int first; // 1-based edge numbers, inclusive
    int last;
};

// The two groups of left edges, in file order.
inline constexpr EdgeRef kEdgeGroupA[] = {
    {LayoutId::ByNumber, 1, 5},        {LayoutId::ByArtistShort, 5, 5}, {LayoutId::ByAlbumName, 3, 5},
    {LayoutId::ByCatalogNumber, 4, 5}, {LayoutId::ByCustom1, 4, 5},     {LayoutId::ByCustom2, 4, 5},
    {LayoutId::ByArtist, 3, 5},        {LayoutId::ByLabel, 4, 5},       {LayoutId::ByQuality, 4, 5},
    {LayoutId::ByMediaType, 4, 5},     {LayoutId::ByMusicType, 4, 5},   {LayoutId::ByPerformer, 4, 5},
    {LayoutId::ByProducer, 3, 5},      {LayoutId::BySong, 4, 5},
};

inline constexpr EdgeRef kEdgeGroupB[] = {
    {LayoutId::ByArtistShort, 1, 4}, {LayoutId::ByAlbumName, 1, 2}, {LayoutId::ByCatalogNumber, 1, 3},
    {LayoutId::ByCustom1, 1, 3},     {LayoutId::ByCustom2, 1, 3},   {LayoutId::ByArtist, 1, 2},
    {LayoutId::ByLabel, 1, 3},       {LayoutId::ByQuality, 1, 3},   {LayoutId::ByMediaType, 1, 3},
    {LayoutId::ByMusicType, 1, 3},   {LayoutId::ByPerformer, 1, 3}, {LayoutId::ByProducer, 1, 2},
    {LayoutId::BySong, 1, 3},
};

} // namespace discora
