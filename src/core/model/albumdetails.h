// What a collector keeps about each copy beside the file's lists: whether it is owned or wanted,
// its year, barcode and online identities, where it is kept, what it cost and is worth, its
// condition, a rating, when it was added and changed, and its loans. Each is a text field of the
// album (Field::Status to Field::Loans); this is what those texts mean and how they are checked.
#pragma once

#include "core/model/field.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

enum class AlbumStatus
{
    InCollection, // stored as no text, so that every album of an older file is in the collection
    Wanted,
    Ordered,
    Sold,
};
inline constexpr std::array<AlbumStatus, 4> kAlbumStatuses{AlbumStatus::InCollection, AlbumStatus::Wanted,
                                                           AlbumStatus::Ordered, AlbumStatus::Sold};

// "In Collection", "Wanted", "Ordered", "Sold".
std::string_view statusName(AlbumStatus status);
// The status a text names (case does not matter, nor the space of "In Collection"); empty text is
// In Collection.
std::optional<AlbumStatus> statusNamed(std::string_view text);
// The status an album's Status text stands for; an unknown text (a newer program's) counts as In
// Collection.
AlbumStatus statusOf(std::string_view storedText);
// The text the album keeps for a status.
std::string storedStatus(AlbumStatus status);

// The grades record collectors give media and sleeves, best first.
inline constexpr std::array<std::string_view, 8> kConditionGrades{"M",  "NM", "VG+", "VG",
                                                                  "G+", "G",  "F",   "P"};
// What each grade stands for, for the entry sheet's list: "NM (Near Mint)".
std::string_view conditionGradeName(std::string_view grade);

// A year is four digits or nothing.
bool validYear(std::string_view text);
// "1970-1979", "1970-", "-1979" or "1975"; empty bounds stand for no bound.
struct YearRange
{
    int from = 0;
    int to = 9999;
    bool contains(std::string_view year) const;
};
std::optional<YearRange> parseYearRange(std::string_view text);

// A barcode of 12 (UPC-A) or 13 (EAN-13) digits is checked by its check digit, any other text is
// kept as typed. Spaces and hyphens between digits are allowed and do not count.
enum class BarcodeCheck
{
    NotChecked, // not 12 or 13 digits: kept as typed
    Valid,
    WrongCheckDigit,
};
BarcodeCheck checkBarcode(std::string_view text);

// Ratings are 0 to 5 stars; the album keeps "1" to "5", and nothing for no stars.
int ratingOf(std::string_view storedText);
std::string storedRating(int stars);
// How a rating is named to a person: "No rating", "1 star", "2 stars" ... "5 stars".
std::string ratingName(int stars);

// A date as the album keeps it: "YYYY-MM-DD".
bool validDate(std::string_view text);
// Today's date on this computer, "YYYY-MM-DD".
std::string todaysDate();

// One lending of the album: to whom, since when, when it is due back (may be empty) and, once it
// came back, when.
struct Loan
{
    std::string borrower;
    std::string lent;
    std::string due;
    std::string returned;
    bool operator==(const Loan&) const = default;
};

// An album's loans as it keeps them in its Loans text: one line per loan, oldest first, fields
// parted by tabs. At most the last one is still out (no return date).
std::vector<Loan> loansOf(std::string_view storedText);
std::string storedLoans(const std::vector<Loan>& loans);
// The loan that is out, if any.
std::optional<Loan> currentLoan(std::string_view storedText);
// Whether a loan that is out was due before today (dates compare as text).
bool overdue(const Loan& loan, std::string_view today);

// The texts of a new loan and of a return, cleaned of what would break the stored form (tabs,
// line breaks). Both return the album's new Loans text; returned does nothing when no loan is out.
std::string lend(std::string_view storedText, Loan loan);
std::string returned(std::string_view storedText, std::string_view date);

// The name of a detail field, as the entry sheet labels it and a CSV export heads its column:
// "Status", "Year", "Purchase Price", "MusicBrainz Release ID"...
std::string_view detailName(Field f);

} // namespace discora
