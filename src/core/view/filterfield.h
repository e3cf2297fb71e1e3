// The fields a filter can narrow the display to: one row each, read by the document, the Filters
// dialog and the command line. The first six match the beginning of a text (or of any performer's
// name); the collection's filters match as their rows say.
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
    Performer,
    Status,
    Location,
    Year,
    Condition,
    OnLoan,
    Overdue,
};
constexpr int kFilterCount = 12;

// How a filter's text is matched.
enum class FilterMatch
{
    Beginning, // the field begins with the text, letter case ignored
    Performer, // any performer's name begins with the text
    Status,    // the album's status is the one named, or "Want List": Wanted or Ordered
    YearRange, // "1970-1979", "1970-", "-1979" or "1975"
    Condition, // the media or the sleeve has this grade
    OnLoan,    // "Yes": a loan is out; "No": none is
    Overdue,   // "Yes": a loan is out and past its due date; "No": not so
};

// The Status filter's choice that keeps the want list: the albums Wanted or Ordered.
inline constexpr const char* kWantListFilter = "Want List";

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
    FilterMatch match = FilterMatch::Beginning;
};

// Indexed by FilterField.
inline constexpr std::array<FilterFieldInfo, kFilterCount> kFilterFields = {{
    {FilterField::Artist, Field::Artist, ValueListId::Artist, "artist", "Group/Artist", 0},
    {FilterField::Label, Field::Label, ValueListId::Label, "label", "Label", 3},
    {FilterField::MediaType, Field::MediaType, ValueListId::MediaType, "media-type", "Media Type", 2},
    {FilterField::MusicType, Field::MusicType, ValueListId::MusicType, "music-type", "Music Type", 1},
    {FilterField::Quality, Field::Quality, ValueListId::Quality, "quality", "Quality", 4},
    {FilterField::Performer, performerField(1), std::nullopt, "performer", "Performer", 5,
     FilterMatch::Performer},
    {FilterField::Status, Field::Status, std::nullopt, "status", "Status", 6, FilterMatch::Status},
    {FilterField::Location, Field::Location, ValueListId::Location, "location", "Location", 7},
    {FilterField::Year, Field::Year, std::nullopt, "year", "Year", 8, FilterMatch::YearRange},
    {FilterField::Condition, Field::MediaCondition, std::nullopt, "condition", "Condition", 9,
     FilterMatch::Condition},
    {FilterField::OnLoan, Field::Loans, std::nullopt, "on-loan", "On Loan", 10, FilterMatch::OnLoan},
    {FilterField::Overdue, Field::Loans, std::nullopt, "overdue", "Overdue", 11, FilterMatch::Overdue},
}};

constexpr const FilterFieldInfo& filterFieldInfo(FilterField f)
{
    return kFilterFields[static_cast<int>(f)];
}

} // namespace discora
