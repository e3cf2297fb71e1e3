#include "core/export/statisticscharts.h"

#include "core/export/statisticslisting.h"

namespace discora {

namespace {

std::string albumsText(double albums)
{
    const auto n = static_cast<long long>(albums);
    return std::to_string(n) + (n == 1 ? " album" : " albums");
}

// One series of album counts by name, the filter of each name in field; for a pie the names past
// the first few are one slice.
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
        chart.filters.push_back(field ? std::optional<ChartFilter>({*field, counts[i].name}) : std::nullopt);
    }
    if (rest > 0) {
        chart.categories.emplace_back(otherName);
        chart.series[0].values.push_back(rest);
        chart.filters.push_back(std::nullopt);
    }
    if (without > 0) {
        chart.categories.emplace_back(kNoneName);
        chart.series[0].values.push_back(without);
        chart.filters.push_back(std::nullopt);
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

StatisticsChart conditionChart(const CollectionStatistics& s)
{
    StatisticsChart chart{"Condition", ChartKind::Columns, {}, {{"Media", {}}, {"Sleeve", {}}}, {}, false};
    for (std::size_t g = 0; g < kConditionGrades.size(); ++g) {
        chart.categories.emplace_back(kConditionGrades[g]);
        chart.series[0].values.push_back(s.mediaCondition.grades[g]);
        chart.series[1].values.push_back(s.sleeveCondition.grades[g]);
        // The filter keeps the albums whose media or sleeve has the grade.
        chart.filters.push_back(ChartFilter{FilterField::Condition, std::string(kConditionGrades[g])});
    }
    if (s.mediaCondition.other + s.sleeveCondition.other > 0) {
        chart.categories.emplace_back("Other");
        chart.series[0].values.push_back(s.mediaCondition.other);
        chart.series[1].values.push_back(s.sleeveCondition.other);
        chart.filters.push_back(std::nullopt);
    }
    return chart;
}

StatisticsChart ratingChart(const CollectionStatistics& s)
{
    StatisticsChart chart{"Rating", ChartKind::Columns, {}, {{"Albums", {}}}, {}, false};
    for (int stars = 0; stars <= 5; ++stars) {
        chart.categories.push_back(stars == 0   ? std::string("No rating")
                                   : stars == 1 ? std::string("1 star")
                                                : std::to_string(stars) + " stars");
        chart.series[0].values.push_back(s.ratings[static_cast<std::size_t>(stars)]);
        chart.filters.push_back(std::nullopt);
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
    add(namedChart("Producers with most albums", ChartKind::Bars, s.topProducers, 0, std::nullopt, ""));
    if (s.albums > 0)
        add(ratingChart(s));
    add(valueChart(s));
    return charts;
}

} // namespace discora
