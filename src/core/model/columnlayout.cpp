#include "core/model/columnlayout.h"

namespace discora {

namespace {

struct LayoutDefault
{
    int slots;
    std::array<int, 4> fields;
};

// Indexed by LayoutId.
constexpr std::array<LayoutDefault, kLayoutCount> kDefaults = {{
    {6, {1, 2, 9, 0}},  // ByArtist
    {5, {9, 3, 6, 0}},  // ByArtistShort
    {6, {2, 1, 9, 0}},  // ByAlbumName
    {6, {3, 1, 2, 9}},  // ByCatalogNumber
    {6, {4, 1, 2, 0}},  // ByCustom1
    {6, {5, 1, 2, 0}},  // ByCustom2
    {6, {6, 1, 2, 9}},  // ByLabel
    {6, {7, 1, 2, 9}},  // ByMediaType
    {6, {8, 1, 2, 9}},  // ByMusicType
    {6, {9, 1, 2, 0}},  // ByNumber
    {5, {1, 2, 9, 0}},  // ByPerformer
    {5, {1, 9, 0, 0}},  // ByProducer
    {6, {10, 1, 2, 9}}, // ByQuality
    {5, {1, 9, 0, 0}},  // BySong
}};

constexpr std::array<int, kLeftEdgeCount> kStandardEdges = {200, 350, 500, 650, 800};
constexpr std::array<int, kLeftEdgeCount> kArtistShortEdges = {300, 330, 369, 569, 700};

} // namespace

int columnSlotCount(LayoutId id)
{
    return kDefaults[static_cast<int>(id)].slots;
}

ColumnLayouts defaultColumnFields()
{
    ColumnLayouts layouts;
    for (int i = 0; i < kLayoutCount; ++i) {
        const LayoutDefault& d = kDefaults[i];
        layouts[i].fieldColumns.assign(d.slots, 0);
        for (int s = 0; s < 4; ++s)
            layouts[i].fieldColumns[s] = d.fields[s];
    }
    return layouts;
}

std::array<int, kLeftEdgeCount> defaultLeftEdges(LayoutId id, int dpi)
{
    const auto& hundredths = id == LayoutId::ByArtistShort ? kArtistShortEdges : kStandardEdges;
    std::array<int, kLeftEdgeCount> edges{};
    for (int e = 0; e < kLeftEdgeCount; ++e)
        edges[e] = hundredthsToPixels(hundredths[e], dpi);
    return edges;
}

void resetLeftEdges(ColumnLayouts& layouts, int dpi)
{
    for (int i = 0; i < kLayoutCount; ++i)
        layouts[i].leftEdges = defaultLeftEdges(static_cast<LayoutId>(i), dpi);
}

std::optional<Field> fieldOfColumn(int columnField)
{
    switch (static_cast<ColumnField>(columnField)) {
    case ColumnField::Artist: return Field::Artist;
    case ColumnField::AlbumName: return Field::AlbumName;
    case ColumnField::CatalogNumber: return Field::CatalogNumber;
    case ColumnField::Custom1: return Field::Custom1;
    case ColumnField::Custom2: return Field::Custom2;
    case ColumnField::Label: return Field::Label;
    case ColumnField::MediaType: return Field::MediaType;
    case ColumnField::MusicType: return Field::MusicType;
    case ColumnField::Number: return Field::Number;
    case ColumnField::Quality: return Field::Quality;
    default: return std::nullopt;
    }
}

ColumnLayouts defaultColumnLayouts(int dpi)
{
    ColumnLayouts layouts = defaultColumnFields();
    resetLeftEdges(layouts, dpi);
    return layouts;
}

} // namespace discora
