// The six fields a filter can narrow the display to: one row each, read by the document, the
// Filters dialog and the command line.
#pragma once

#include "core/model/field.h"
#include "core/model/valuelist.h"

#include <array>
#include <optional>
#include <string_view>

namespace discora {

enum class FilterField : int
{
    Artist,
    Label,
    MediaType,
    MusicType,
    Quality,
    Performer
};
constexpr int kFilterCount = 6;

// The stored selection that means no filter (compared in any letter case).
inline constexpr const char* kNoFilter = "All";

struct FilterFieldInfo
{
    FilterField id;
    Field field;                       // for Performer, the first of the ten performer slots
    std::optional<ValueListId> values; // what the Filters dialog offers; performers are gathered apart
    std::string_view name;             // on the command line: --filter NAME=TEXT
    std::string_view label;            // in the Filters dialog
    int row;                           // top to bottom in the Filters dialog
};

// Indexed by FilterField.
inline constexpr std::array<FilterFieldInfo, kFilterCount> kFilterFields = {{
    {FilterField::Artist, Field::Artist, ValueListId::Artist, "artist", "Group/Artist", 0},
    {FilterField::Label, Field::Label, ValueListId::Label, "label", "Label", 3},
    {FilterField::MediaType, Field::MediaType, ValueListId::MediaType, "media-type", "Media Type", 2},
    {FilterField::MusicType, Field::MusicType, ValueListId::MusicType, "music-type", "Music Type", 1},
    {FilterField::Quality, Field::Quality, ValueListId::Quality, "quality", "Quality", 4},
    {FilterField::Performer, performerField(1), std::nullopt, "performer", "Performer", 5},
}};

constexpr const FilterFieldInfo& filterFieldInfo(FilterField f)
{
    return kFilterFields[static_cast<int>(f)];
}

} // namespace discora
