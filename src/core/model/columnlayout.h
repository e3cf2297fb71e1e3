// Which fields the single-line and list layouts show, in which order and where: one layout per
// album order and per derived list except the six-line song list.
#pragma once

#include "core/model/field.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace discora {

// The column ids a layout may hold; 0 is an empty slot.
enum class ColumnField : int
{
    Empty = 0,
    Artist = 1,
    AlbumName,
    CatalogNumber,
    Custom1,
    Custom2,
    Label,
    MediaType,
    MusicType,
    Number,
    Quality,
};

// The fourteen layouts, in the order the catalogue file stores their column tables.
enum class LayoutId : int
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
};

constexpr int kLayoutCount = 14;
constexpr int kLeftEdgeCount = 5;

struct ColumnLayout
{
    std::vector<int> fieldColumns;               // ColumnField ids; occupied slots first
    std::array<int, kLeftEdgeCount> leftEdges{}; // pixel positions of columns 2 to 6; 0 = no column
    bool operator==(const ColumnLayout&) const = default;
};

using ColumnLayouts = std::array<ColumnLayout, kLayoutCount>;

// Number of fieldColumns slots of a layout (6 for album orders, 5 for lists).
int columnSlotCount(LayoutId id);

// The default field lists, with every left edge 0.
ColumnLayouts defaultColumnFields();
// The default left edges of one layout at a given screen resolution.
std::array<int, kLeftEdgeCount> defaultLeftEdges(LayoutId id, int dpi);
void resetLeftEdges(ColumnLayouts& layouts, int dpi);
ColumnLayouts defaultColumnLayouts(int dpi);

// The album field a column id shows; nothing for an id outside 1 to 10 (shown as "Failed").
std::optional<Field> fieldOfColumn(int columnField);

// Screen positions are fixed in hundredths of an inch and converted with integer division.
constexpr int hundredthsToPixels(int hundredths, int dpi)
{
    return dpi * hundredths / 100;
}

} // namespace discora
