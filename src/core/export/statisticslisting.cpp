#include "core/export/statisticslisting.h"

#include "core/base/groupednumber.h"
#include "core/base/linetext.h"
#include "core/order/filters.h"
#include "core/view/catalogue.h"

namespace discora {

namespace {

std::string number(std::int64_t n)
{
    return std::to_string(n);
}

StatisticsSection namedCounts(std::string heading, const std::vector<NamedCount>& counts, int without = 0)
{
    StatisticsSection section{std::move(heading), {}};
    for (const NamedCount& c : counts)
        section.figures.push_back({c.name, number(c.albums)});
    if (without > 0)
        section.figures.push_back({kNoneName, number(without)});
    return section;
}

StatisticsSection conditions(std::string heading, const ConditionSpread& spread)
{
    StatisticsSection section{std::move(heading), {}};
    for (std::size_t g = 0; g < kConditionGrades.size(); ++g)
        section.figures.push_back({std::string(kConditionGrades[g]), number(spread.grades[g])});
    section.figures.push_back({"Other", number(spread.other)});
    section.figures.push_back({"Not graded", number(spread.ungraded)});
    return section;
}

std::string currencyName(const CurrencyTotal& total)
{
    return total.currency.empty() ? std::string(kNoneName) : total.currency;
}

} // namespace

std::string playingTimeText(std::int64_t seconds)
{
    const auto twoDigits = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" +
           twoDigits(seconds % 60);
}

std::string amountText(std::int64_t cents)
{
    const std::int64_t hundredths = cents % 100;
    return std::to_string(cents / 100) + "." + (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
}

StatisticsSection statisticsTotals(const CollectionStatistics& s)
{
    return {"Totals",
            {
                {"Albums", number(s.albums)},
                {"Songs", number(s.songs)},
                {"Songs with a time", number(s.timedSongs)},
                {"Playing time", playingTimeText(s.playingSeconds)},
                {"Artists", number(s.artists)},
                {"Performers", number(s.performers)},
                {"Labels", number(s.labels)},
                {"Producers", number(s.producers)},
                {"On loan", number(s.onLoan)},
                {"Overdue", number(s.overdue)},
                {"Want list", number(s.wantList())},
                {"With a year", number(s.albums - s.withoutYear)},
                {"Prices not read", number(s.unreadPrices)},
            }};
}

std::vector<StatisticsSection> statisticsSections(const CollectionStatistics& s)
{
    std::vector<StatisticsSection> sections;
    sections.push_back(statisticsTotals(s));

    StatisticsSection status{"Status", {}};
    for (AlbumStatus st : kAlbumStatuses)
        status.figures.push_back(
            {std::string(statusName(st)), number(s.statuses[static_cast<std::size_t>(st)])});
    sections.push_back(std::move(status));

    sections.push_back(namedCounts("Media types", s.mediaTypes, s.withoutMediaType));
    sections.push_back(namedCounts("Music types", s.musicTypes, s.withoutMusicType));

    StatisticsSection decades{"Decades", {}};
    for (const YearCount& d : s.decades)
        decades.figures.push_back({std::to_string(d.year) + "s", number(d.albums)});
    sections.push_back(std::move(decades));
    StatisticsSection years{"Years", {}};
    for (const YearCount& y : s.years)
        years.figures.push_back({std::to_string(y.year), number(y.albums)});
    sections.push_back(std::move(years));

    sections.push_back(namedCounts("Artists", s.topArtists));
    sections.push_back(namedCounts("Labels", s.topLabels));
    sections.push_back(namedCounts("Producers", s.topProducers));
    sections.push_back(conditions("Media condition", s.mediaCondition));
    sections.push_back(conditions("Sleeve condition", s.sleeveCondition));
    sections.push_back(conditions("Media or sleeve condition", s.eitherCondition));

    StatisticsSection rating{"Rating", {{"No rating", number(s.ratings[0])}}};
    for (int stars = 1; stars <= 5; ++stars)
        rating.figures.push_back({std::to_string(stars) + (stars == 1 ? " star" : " stars"),
                                  number(s.ratings[static_cast<std::size_t>(stars)])});
    sections.push_back(std::move(rating));

    StatisticsSection purchase{"Purchase price", {}};
    StatisticsSection value{"Current value", {}};
    for (const CurrencyTotal& c : s.currencies) {
        if (c.priced > 0) {
            purchase.figures.push_back({currencyName(c), amountText(c.purchaseCents)});
            purchase.figures.push_back({currencyName(c) + " albums", number(c.priced)});
        }
        if (c.valued > 0) {
            value.figures.push_back({currencyName(c), amountText(c.valueCents)});
            value.figures.push_back({currencyName(c) + " albums", number(c.valued)});
        }
    }
    sections.push_back(std::move(purchase));
    sections.push_back(std::move(value));
    return sections;
}

std::string statisticsScopeText(const Catalogue& catalogue)
{
    std::string filters;
    for (const FilterFieldInfo& info : kFilterFields) {
        const std::string& value = catalogue.filter(info.id);
        if (isNoFilter(value))
            continue;
        if (!filters.empty())
            filters += "; ";
        filters += std::string(info.label) + ": " + value;
    }
    const int total = catalogue.albumCount();
    const std::string albums = groupedNumber(total) + (total == 1 ? " album" : " albums");
    if (filters.empty())
        return "No filter applies: all " + albums + ".";
    return "A filter applies: " + groupedNumber(catalogue.displayedCount()) + " of " + albums + " (" +
           filters + ").";
}

std::string statisticsText(const std::vector<StatisticsSection>& sections)
{
    std::string text;
    for (const StatisticsSection& section : sections) {
        if (!text.empty())
            text += '\n';
        text += '[' + section.heading + "]\n";
        for (const StatisticsFigure& figure : section.figures) {
            appendText(text, figure.name);
            text += '\t';
            text += figure.value;
            text += '\n';
        }
    }
    return text;
}

} // namespace discora
