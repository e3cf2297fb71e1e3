// The charts of the statistics as data: what each chart shows, the names and figures of its bars
// or slices, the words a tooltip and a screen reader give them, and the filter that shows the
// albums behind a bar. The Statistics window draws them; a test reads them without a display.
#pragma once

#include "core/export/collectionstatistics.h"
#include "core/view/filterfield.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace discora {

enum class ChartKind
{
    Pie,
    Columns, // upright bars, in the order of their categories (decades, years, grades)
    Bars,    // lying bars, the largest on top (names with most albums)
};

// The filter that shows the albums behind a category: media-type="CD", year=1970-1979.
struct ChartFilter
{
    FilterField field;
    std::string text;
    bool operator==(const ChartFilter&) const = default;
};

struct ChartSeries
{
    std::string name;           // "Albums", "Media", "Purchase price"
    std::vector<double> values; // one per category
};

struct StatisticsChart
{
    std::string title;
    ChartKind kind = ChartKind::Columns;
    std::vector<std::string> categories;
    std::vector<ChartSeries> series;
    std::vector<std::optional<ChartFilter>> filters; // one per category; none when no filter keeps
                                                     // just the albums counted (an "Other" slice)
    bool amounts = false; // the values are money (two decimals), else numbers of albums

    // "CD: 550 albums", "1970s, Media: 3 albums", "EUR, Purchase price: 1234.50".
    std::string entryText(std::size_t series, std::size_t category) const;
    // The chart as a sentence for a screen reader: its title, then every entry.
    std::string description() const;
};

// How many slices a pie shows before the rest are one "Other" slice.
inline constexpr std::size_t kPieSlices = 10;

// The charts of the figures, in the order the window shows them: media type, music type, decade,
// condition, year, artists, labels, producers, rating, values by currency. A chart without data
// (no album with a year, no price, only albums without a media type) is left out.
std::vector<StatisticsChart> statisticsCharts(const CollectionStatistics& stats);
// The same for the albums the filters shownBy let through: a category's filter is the one that keeps
// those albums and the category's, and none when one text per field cannot say that (a second
// producer while a producer filter is set).
std::vector<StatisticsChart> statisticsCharts(const CollectionStatistics& stats,
                                              const std::array<std::string, kFilterCount>& shownBy);

} // namespace discora
