#include "core/order/filters.h"

#include "core/model/albumdetails.h"
#include "core/order/comparenames.h"
#include "core/order/performerlist.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <optional>

namespace discora {

bool isNoFilter(std::string_view filter)
{
    return CompareNames(filter, kNoFilter) == 0;
}

namespace {

bool sameWord(std::string_view a, std::string_view b)
{
    return CompareNames(a, b) == 0;
}

bool yes(std::string_view text)
{
    return sameWord(text, "Yes");
}

// The stars a Rating filter's text names: "3", "3 stars", "1 star", "0" or "No rating".
std::optional<int> ratingStars(std::string_view text)
{
    for (int stars = 0; stars <= 5; ++stars)
        if (sameWord(text, std::to_string(stars)) || sameWord(text, ratingName(stars)))
            return stars;
    return std::nullopt;
}

// A filter's text as it is matched, worked out once per filtering rather than once per album.
struct ActiveFilter
{
    const FilterFieldInfo* info;
    std::string text;
    std::optional<YearRange> years;
    std::optional<AlbumStatus> status;
    bool wantList = false;
    std::optional<std::string> exact; // the name of a text filter in double quotes
    std::optional<int> stars;

    // Whether one text of the album passes a text filter.
    bool matches(std::string_view value) const
    {
        return exact ? sameNameAtoZ(value, *exact) : beginsWithName(value, text);
    }
};

struct Context
{
    std::string today = todaysDate();
};

bool passesOne(const Catalogue& catalogue, int album, const ActiveFilter& filter, const Context& context)
{
    const std::string& f = filter.text;
    switch (filter.info->match) {
    case FilterMatch::Beginning: return filter.matches(catalogue.text(filter.info->field, album));
    case FilterMatch::Performer: {
        // The Filters dialog offers performer names without leading white space, as the performer
        // list shows them, so a name stored as " Bob" must pass the filter "Bob" too. An exact
        // empty name keeps the albums that name no performer.
        bool named = false;
        for (int k = 1; k <= kPerformerSlots; ++k) {
            const std::string_view name = catalogue.text(performerField(k), album);
            if (name.empty())
                continue;
            named = named || !trimmedPerformerName(name).empty();
            if (filter.matches(name) || filter.matches(trimmedPerformerName(name)))
                return true;
        }
        return filter.exact && filter.exact->empty() && !named;
    }
    case FilterMatch::Producer: {
        const std::string_view first = catalogue.text(Field::Producer1, album);
        const std::string_view second = catalogue.text(Field::Producer2, album);
        if (filter.exact && filter.exact->empty())
            return first.empty() && second.empty();
        return (!first.empty() && filter.matches(first)) || (!second.empty() && filter.matches(second));
    }
    case FilterMatch::Rating:
        return filter.stars && ratingOf(catalogue.text(Field::Rating, album)) == *filter.stars;
    case FilterMatch::Status: {
        const AlbumStatus status = statusOf(catalogue.text(Field::Status, album));
        if (filter.wantList)
            return status == AlbumStatus::Wanted || status == AlbumStatus::Ordered;
        return filter.status && status == *filter.status;
    }
    case FilterMatch::YearRange:
        return filter.years && filter.years->contains(catalogue.text(Field::Year, album));
    case FilterMatch::Condition:
        return sameWord(catalogue.text(Field::MediaCondition, album), f) ||
               sameWord(catalogue.text(Field::SleeveCondition, album), f);
    case FilterMatch::OnLoan: return currentLoan(catalogue.text(Field::Loans, album)).has_value() == yes(f);
    case FilterMatch::Overdue: {
        const auto loan = currentLoan(catalogue.text(Field::Loans, album));
        return (loan && overdue(*loan, context.today)) == yes(f);
    }
    }
    return true;
}

// Whether album passes the given filters.
bool passes(const Catalogue& catalogue, int album, const std::vector<ActiveFilter>& active,
            const Context& context)
{
    for (const ActiveFilter& filter : active)
        if (!passesOne(catalogue, album, filter, context))
            return false;
    return true;
}

std::vector<ActiveFilter> activeFilters(const Catalogue& catalogue)
{
    std::vector<ActiveFilter> active;
    for (const FilterFieldInfo& info : kFilterFields) {
        const std::string& text = catalogue.filter(info.id);
        if (isNoFilter(text))
            continue;
        ActiveFilter filter{&info, text, std::nullopt, std::nullopt, false, std::nullopt, std::nullopt};
        if (info.match == FilterMatch::Beginning || info.match == FilterMatch::Performer ||
            info.match == FilterMatch::Producer)
            if (const auto name = exactFilterName(text))
                filter.exact = std::string(*name);
        if (info.match == FilterMatch::Rating)
            filter.stars = ratingStars(text);
        if (info.match == FilterMatch::YearRange)
            filter.years = parseYearRange(text);
        if (info.match == FilterMatch::Status) {
            filter.wantList = sameWord(text, kWantListFilter);
            filter.status = statusNamed(text);
        }
        active.push_back(std::move(filter));
    }
    return active;
}

} // namespace

std::optional<std::string> filterProblem(FilterField field, std::string_view text)
{
    if (isNoFilter(text))
        return std::nullopt;
    const FilterFieldInfo& info = filterFieldInfo(field);
    switch (info.match) {
    case FilterMatch::Status:
        if (!sameWord(text, kWantListFilter) && !statusNamed(text))
            return "The status filter takes one of: In Collection, Wanted, Ordered, Sold, Want List.";
        break;
    case FilterMatch::YearRange:
        if (!parseYearRange(text))
            return "The year filter takes a year or a range of years, such as 1975 or 1970-1979.";
        break;
    case FilterMatch::OnLoan:
    case FilterMatch::Overdue:
        if (!yes(text) && !sameWord(text, "No"))
            return "The " + std::string(info.label) + " filter takes Yes or No.";
        break;
    case FilterMatch::Rating:
        if (!ratingStars(text))
            return "The rating filter takes a number of stars from 0 to 5, such as 3 or 3 stars, or No "
                   "rating.";
        break;
    default: break;
    }
    return std::nullopt;
}

std::optional<std::string> narrowedFilter(FilterField field, std::string_view current,
                                          std::string_view chosen)
{
    if (isNoFilter(current))
        return std::string(chosen);
    const FilterFieldInfo& info = filterFieldInfo(field);
    switch (info.match) {
    case FilterMatch::YearRange: {
        const auto now = parseYearRange(current);
        const auto more = parseYearRange(chosen);
        if (!now || !more)
            return std::nullopt;
        const YearRange both{std::max(now->from, more->from), std::min(now->to, more->to)};
        if (both.from > both.to)
            return std::nullopt;
        const auto year = [](int y) {
            std::string text = std::to_string(y);
            return std::string(4 - std::min<std::size_t>(4, text.size()), '0') + text;
        };
        return both.from == both.to ? year(both.from) : year(both.from) + "-" + year(both.to);
    }
    case FilterMatch::Beginning:
    case FilterMatch::Performer:
    case FilterMatch::Producer: {
        // The albums whose field (or one of whose names) is the chosen name pass the current
        // filter as well when that name itself does.
        const auto name = exactFilterName(chosen);
        if (!name)
            return sameWord(current, chosen) ? std::optional<std::string>(chosen) : std::nullopt;
        const auto nowExact = exactFilterName(current);
        if (name->empty() && info.match != FilterMatch::Beginning)
            return nowExact && nowExact->empty() ? std::optional<std::string>(chosen) : std::nullopt;
        const bool passes = nowExact ? sameNameAtoZ(*name, *nowExact) : beginsWithName(*name, current);
        return passes ? std::optional<std::string>(chosen) : std::nullopt;
    }
    case FilterMatch::Rating:
        return ratingStars(current) == ratingStars(chosen) ? std::optional<std::string>(chosen)
                                                           : std::nullopt;
    default: return sameWord(current, chosen) ? std::optional<std::string>(chosen) : std::nullopt;
    }
}

std::vector<std::string> filterChoices(FilterField field)
{
    switch (filterFieldInfo(field).match) {
    case FilterMatch::Status: {
        std::vector<std::string> choices{kWantListFilter};
        for (AlbumStatus status : kAlbumStatuses)
            choices.emplace_back(statusName(status));
        return choices;
    }
    case FilterMatch::Condition: return {kConditionGrades.begin(), kConditionGrades.end()};
    case FilterMatch::OnLoan:
    case FilterMatch::Overdue: return {"Yes", "No"};
    case FilterMatch::Rating: {
        std::vector<std::string> choices;
        for (int stars = 0; stars <= 5; ++stars)
            choices.push_back(ratingName(stars));
        return choices;
    }
    default: return {};
    }
}

LoanCount countLoans(const AlbumStore& albums)
{
    LoanCount count;
    const std::string today = todaysDate();
    for (int a = 0; a < albums.albumCount(); ++a) {
        if (!albums.hasText(Field::Loans, a))
            continue;
        if (const auto loan = currentLoan(albums.text(Field::Loans, a))) {
            ++count.out;
            count.overdue += overdue(*loan, today) ? 1 : 0;
        }
    }
    return count;
}

std::vector<std::uint32_t> filteredAlbums(const Catalogue& catalogue)
{
    const std::vector<ActiveFilter> active = activeFilters(catalogue);
    const Context context;
    const auto count = static_cast<std::size_t>(catalogue.albumCount());
    std::vector<std::uint32_t> shown;
    shown.reserve(count);
    for (std::size_t a = 0; a < count; ++a) {
        if (!active.empty())
            catalogue.albums().prefetchAhead(
                a, count, [](std::size_t k) { return k; }, active.front().info->field);
        if (active.empty() || passes(catalogue, static_cast<int>(a), active, context))
            shown.push_back(static_cast<std::uint32_t>(a));
    }
    return shown;
}

} // namespace discora
