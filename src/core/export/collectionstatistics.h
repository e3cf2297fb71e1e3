// The figures of a collection at a glance: totals, albums by media and music type, by decade and
// year, the artists, labels and producers with most albums, condition and rating spreads, and what
// the albums cost and are worth per currency. Worked out in one pass over the shown albums, read by
// the Statistics window, `discora --stats` and the web page.
#pragma once

#include "core/export/nametally.h"
#include "core/model/albumdetails.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class AlbumStore;
class ProgressSink;

// How many of the names with most albums the statistics keep.
inline constexpr std::size_t kTopNames = 15;

struct YearCount
{
    int year = 0; // for a decade, its first year: 1970 for the 1970s
    int albums = 0;
    bool operator==(const YearCount&) const = default;
};

// What the albums in one currency cost and are worth, in hundredths (cents, pence).
struct CurrencyTotal
{
    std::string currency; // as typed, A to Z in capitals; empty when no currency is named
    std::int64_t purchaseCents = 0;
    int priced = 0; // albums with a purchase price read
    std::int64_t valueCents = 0;
    int valued = 0; // albums with a current value read
    bool operator==(const CurrencyTotal&) const = default;
};

// The spread of one condition field: albums per grade (kConditionGrades' order), albums whose
// grade is some other text, albums with none.
struct ConditionSpread
{
    std::array<int, kConditionGrades.size()> grades{};
    int other = 0;
    int ungraded = 0;
    bool operator==(const ConditionSpread&) const = default;
};

struct CollectionStatistics
{
    // Totals
    int albums = 0;
    std::int64_t songs = 0;          // song slots with a title
    std::int64_t timedSongs = 0;     // of those, the ones whose time could be read
    std::int64_t playingSeconds = 0; // the sum of those times
    int performers = 0;              // distinct names, leading blanks and letter case aside
    int onLoan = 0;
    int overdue = 0;
    std::array<int, kAlbumStatuses.size()> statuses{}; // by AlbumStatus
    int wantList() const;                              // Wanted or Ordered, as the want list shows

    // Spreads: media and music types most first (empty names not among them: no media type, no
    // music type); decades and years in order, only those with albums.
    std::vector<NamedCount> mediaTypes;
    int withoutMediaType = 0;
    std::vector<NamedCount> musicTypes;
    int withoutMusicType = 0;
    std::vector<YearCount> decades;
    std::vector<YearCount> years;
    int withoutYear = 0;

    // The kTopNames names with most albums; an album counts once for a producer named in both
    // its producer fields.
    std::vector<NamedCount> topArtists;
    std::vector<NamedCount> topLabels;
    std::vector<NamedCount> topProducers;
    int artists = 0; // distinct
    int labels = 0;
    int producers = 0;

    ConditionSpread mediaCondition;
    ConditionSpread sleeveCondition;
    // Albums by grade of the media or the sleeve, as the Condition filter keeps them: an album with
    // an M record in a VG sleeve counts under both; other and ungraded as for one field (ungraded:
    // neither field has a grade).
    ConditionSpread eitherCondition;
    std::array<int, 6> ratings{}; // albums with 0 (no rating) to 5 stars

    // By currency, in the order of their names; prices that could not be read as amounts.
    std::vector<CurrencyTotal> currencies;
    int unreadPrices = 0;

    bool operator==(const CollectionStatistics&) const = default;
};

// The figures of the albums listed in shown (catalogue indices, each once), taking loans due before
// today ("YYYY-MM-DD") as overdue. A large catalogue is read on two threads; progress, when given,
// steps as the albums are read, and may stop the work by throwing from a step.
CollectionStatistics collectionStatistics(const AlbumStore& albums, std::span<const std::uint32_t> shown,
                                          std::string_view today, ProgressSink* progress = nullptr);

// A song's time as a number of seconds: "3:05", "03:05", "1:02:03" (hours), "45" (seconds); -1
// for a text that is none of these.
int songSeconds(std::string_view time);
// A price or value as hundredths: "12.99", "12,99", "12", "1,234.50", "1.234,50", with a currency
// sign or code before or after; -1 when it is not an amount.
std::int64_t amountCents(std::string_view text);

} // namespace discora
