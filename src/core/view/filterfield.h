// The fields a filter can narrow the display to: one row each, read by the document, the Filters
// dialog and the command line. The first six and Producer match the beginning of a text (or of any
// performer's or producer's name), or the whole text when it is written in double quotes; the
// collection's filters match as their rows say.
#pragma once

#include "core/model/field.h"
#include "core/model/valuelist.h"

#include <array>
#include <optional>
#include <string>
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
    Producer,
    Rating,
};
constexpr int kFilterCount = 14;

// How a filter's text is matched.
enum class FilterMatch
{
    Beginning, // the field begins with the text, letter case ignored; see exactFilterName
    Performer, // any performer's name begins with the text (or is it, for a quoted text)
    Producer,  // either producer field begins with the text (or is it, for a quoted text)
    Status,    // the album's status is the one named, or "Want List": Wanted or Ordered
    YearRange, // "1970-1979", "1970-", "-1979" or "1975"
    Condition, // the media or the sleeve has this grade
    OnLoan,    // "Yes": a loan is out; "No": none is
    Overdue,   // "Yes": a loan is out and past its due date; "No": not so
    Rating,    // the album has this many stars: "3", "3 stars", "1 star", "No rating" or "0"
};

// The Status filter's choice that keeps the want list: the albums Wanted or Ordered.
inline constexpr const char* kWantListFilter = "Want List";

// The stored selection that means no filter (compared in any letter case).
inline constexpr const char* kNoFilter = "All";

// A text filter written in double quotes, "\"Rock\"", keeps the albums whose field is that text
// and no more (A to Z in any letter case, as the statistics count names); "\"\"" keeps the albums
// whose field is empty. The name inside the quotes, or nothing for a filter of a beginning.
constexpr std::optional<std::string_view> exactFilterName(std::string_view text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return std::nullopt;
}
// The filter text that keeps the albums whose field is exactly name.
inline std::string exactFilterText(std::string_view name)
{
    return '"' + std::string(name) + '"';
}

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
    {FilterField::Status, Field::Status, std::nullopt, "status", "Status", 7, FilterMatch::Status},
    {FilterField::Location, Field::Location, ValueListId::Location, "location", "Location", 8},
    {FilterField::Year, Field::Year, std::nullopt, "year", "Year", 9, FilterMatch::YearRange},
    {FilterField::Condition, Field::MediaCondition, std::nullopt, "condition", "Condition", 10,
     FilterMatch::Condition},
    {FilterField::OnLoan, Field::Loans, std::nullopt, "on-loan", "On Loan", 12, FilterMatch::OnLoan},
    {FilterField::Overdue, Field::Loans, std::nullopt, "overdue", "Overdue", 13, FilterMatch::Overdue},
    {FilterField::Producer, Field::Producer1, ValueListId::Producer, "producer", "Producer", 6,
     FilterMatch::Producer},
    {FilterField::Rating, Field::Rating, std::nullopt, "rating", "Rating", 11, FilterMatch::Rating},
}};

constexpr const FilterFieldInfo& filterFieldInfo(FilterField f)
{
    return kFilterFields[static_cast<int>(f)];
}

} // namespace discora
