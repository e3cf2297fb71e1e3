// The statistics as named figures under headings: what `discora --stats` prints, one
// "name<TAB>value" line a figure, and what the Statistics window's report and the web page list.
#pragma once

#include "core/export/collectionstatistics.h"

#include <string>
#include <vector>

namespace discora {

class Catalogue;

struct StatisticsFigure
{
    std::string name;
    std::string value; // plain: 1234, 12:34:56 (hours), 1234.50
};

struct StatisticsSection
{
    std::string heading;
    std::vector<StatisticsFigure> figures;
};

// The sections in the order they are printed: Totals, Status, Media types, Music types, Decades,
// Years, Artists, Labels, Producers (those with most albums), Media condition, Sleeve condition,
// Media or sleeve condition, Rating, Purchase price, Current value. A spread's empty names ("no media type")
// are "(none)".
std::vector<StatisticsSection> statisticsSections(const CollectionStatistics& stats);
// The totals alone, the first section.
StatisticsSection statisticsTotals(const CollectionStatistics& stats);

// "[Heading]" lines, each followed by its figures, "name<TAB>value", and a blank line between
// sections. A tab, line break, carriage return or backslash inside a name is written \t, \n, \r or
// \\, as --list writes them.
std::string statisticsText(const std::vector<StatisticsSection>& sections);

// Hours, minutes and seconds, "123:04:05".
std::string playingTimeText(std::int64_t seconds);
// Hundredths as an amount with two decimals, "1234.50".
std::string amountText(std::int64_t cents);

// Which albums the statistics count: "No filter applies: all 3,012 albums." or "A filter applies:
// 12 of 3,012 albums (Media Type: CD; Year: 1970-1979)."
std::string statisticsScopeText(const Catalogue& catalogue);

// The name a spread gives the albums without a text (no media type, no currency).
inline constexpr const char* kNoneName = "(none)";

} // namespace discora
