#include "core/export/statisticscharts.h"

#include "core/export/statisticslisting.h"
#include "core/order/filters.h"

namespace discora {

namespace {

std::string albumsText(double albums)
{
    const auto n = static_cast<long long>(albums);
    return std::to_string(n) + (n == 1 ? " album" : " albums");
}

// One series of album counts by name, the filter of each name in field (exactly that name, so that
// "Rock" does not bring "Rock and Roll" along); for a pie the names past the first few are one
// slice, which no filter picks out.
StatisticsChart namedChart(std::string title, ChartKind kind, const std::vector<NamedCount>& counts,
                           int without, std::optional<FilterField> field, std::string_view otherName)
{
    StatisticsChart chart{std::move(title), kind, {}, {{"Albums", {}}}, {}, false};
    if (counts.empty())
        return chart; // no chart of albums without a name alone
    const std::size_t shown =
        kind == ChartKind::Pie && counts.size() > kPieSlices ? kPieSlices - 1 : counts.size();
    double rest = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (i >= shown) {
            rest += counts[i].albums;
            continue;
        }
        chart.categories.push_back(counts[i].name);
        chart.series[0].values.push_back(counts[i].albums);
        chart.filters.push_back(field ? std::optional<ChartFilter>({*field, exactFilterText(counts[i].name)})
                                      : std::nullopt);
    }
    if (rest > 0) {
        chart.categories.emplace_back(otherName);
        chart.series[0].values.push_back(rest);
        chart.filters.push_back(std::nullopt);
    }
    if (without > 0) {
        chart.categories.emplace_back(kNoneName);
        chart.series[0].values.push_back(without);
        chart.filters.push_back(field ? std::optional<ChartFilter>({*field, exactFilterText("")})
                                      : std::nullopt);
    }
    return chart;
}

StatisticsChart yearChart(std::string title, const std::vector<YearCount>& counts, bool decades)
{
    StatisticsChart chart{std::move(title), ChartKind::Columns, {}, {{"Albums", {}}}, {}, false};
    for (const YearCount& c : counts) {
        const std::string year = std::to_string(c.year);
        chart.categories.push_back(decades ? year + "s" : year);
        chart.series[0].values.push_back(c.albums);
        chart.filters.push_back(
            ChartFilter{FilterField::Year, decades ? year + "-" + std::to_string(c.year + 9) : year});
    }
    return chart;
}

// Albums by the grade of their media or sleeve, counted as the Condition filter keeps them, so a
// click on a grade shows the albums its bar counts.
StatisticsChart conditionChart(const CollectionStatistics& s)
{
    StatisticsChart chart{
        "Condition of media or sleeve", ChartKind::Columns, {}, {{"Albums", {}}}, {}, false};
    const ConditionSpread& either = s.eitherCondition;
    for (std::size_t g = 0; g < kConditionGrades.size(); ++g) {
        chart.categories.emplace_back(kConditionGrades[g]);
        chart.series[0].values.push_back(either.grades[g]);
        chart.filters.push_back(ChartFilter{FilterField::Condition, std::string(kConditionGrades[g])});
    }
    if (either.other > 0) {
        chart.categories.emplace_back("Other");
        chart.series[0].values.push_back(either.other);
        chart.filters.push_back(std::nullopt);
    }
    return chart;
}

StatisticsChart ratingChart(const CollectionStatistics& s)
{
    StatisticsChart chart{"Rating", ChartKind::Columns, {}, {{"Albums", {}}}, {}, false};
    for (int stars = 0; stars <= 5; ++stars) {
        chart.categories.push_back(ratingName(stars));
        chart.series[0].values.push_back(s.ratings[static_cast<std::size_t>(stars)]);
        chart.filters.push_back(ChartFilter{FilterField::Rating, ratingName(stars)});
    }
    return chart;
}

StatisticsChart valueChart(const CollectionStatistics& s)
{
    StatisticsChart chart{"Purchase price and current value",
                          ChartKind::Columns,
                          {},
                          {{"Purchase price", {}}, {"Current value", {}}},
                          {},
                          true};
    for (const CurrencyTotal& c : s.currencies) {
        chart.categories.push_back(c.currency.empty() ? std::string(kNoneName) : c.currency);
        chart.series[0].values.push_back(static_cast<double>(c.purchaseCents) / 100);
        chart.series[1].values.push_back(static_cast<double>(c.valueCents) / 100);
        // No filter keeps the albums a currency's total counts (those with a price read in it).
        chart.filters.push_back(std::nullopt);
    }
    return chart;
}

} // namespace

std::string StatisticsChart::entryText(std::size_t s, std::size_t category) const
{
    const double value = series[s].values[category];
    const std::string figure =
        amounts ? amountText(static_cast<std::int64_t>(value * 100 + 0.5)) : albumsText(value);
    const std::string name =
        series.size() > 1 ? categories[category] + ", " + series[s].name : categories[category];
    return name + ": " + figure;
}

std::string StatisticsChart::description() const
{
    std::string text = title + ".";
    for (std::size_t c = 0; c < categories.size(); ++c)
        for (std::size_t s = 0; s < series.size(); ++s)
            text += " " + entryText(s, c) + ".";
    return text;
}

std::vector<StatisticsChart> statisticsCharts(const CollectionStatistics& s)
{
    std::vector<StatisticsChart> charts;
    const auto add = [&](StatisticsChart chart) {
        if (!chart.categories.empty())
            charts.push_back(std::move(chart));
    };
    add(namedChart("Albums by media type", ChartKind::Pie, s.mediaTypes, s.withoutMediaType,
                   FilterField::MediaType, "Other media types"));
    add(namedChart("Albums by music type", ChartKind::Pie, s.musicTypes, s.withoutMusicType,
                   FilterField::MusicType, "Other music types"));
    add(yearChart("Albums by decade", s.decades, true));
    if (s.albums > 0)
        add(conditionChart(s));
    add(yearChart("Albums by year of release", s.years, false));
    add(namedChart("Artists with most albums", ChartKind::Bars, s.topArtists, 0, FilterField::Artist, ""));
    add(namedChart("Labels with most albums", ChartKind::Bars, s.topLabels, 0, FilterField::Label, ""));
    add(namedChart("Producers with most albums", ChartKind::Bars, s.topProducers, 0, FilterField::Producer,
                   ""));
    if (s.albums > 0)
        add(ratingChart(s));
    add(valueChart(s));
    // An empty bar counts no album to show.
    for (StatisticsChart& chart : charts)
        for (std::size_t c = 0; c < chart.categories.size(); ++c) {
            bool any = false;
            for (const ChartSeries& series : chart.series)
                any = any || series.values[c] > 0;
            if (!any)
                chart.filters[c].reset();
        }
    return charts;
}

std::vector<StatisticsChart> statisticsCharts(const CollectionStatistics& stats,
                                              const std::array<std::string, kFilterCount>& shownBy)
{
    std::vector<StatisticsChart> charts = statisticsCharts(stats);
    for (StatisticsChart& chart : charts)
        for (std::optional<ChartFilter>& filter : chart.filters) {
            if (!filter)
                continue;
            if (auto text = narrowedFilter(filter->field, shownBy[static_cast<std::size_t>(filter->field)],
                                           filter->text))
                filter->text = std::move(*text);
            else
                filter.reset();
        }
    return charts;
}

} // namespace discora
