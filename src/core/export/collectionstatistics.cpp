#include "core/export/collectionstatistics.h"

#include "core/base/blanks.h"
#include "core/base/progresssink.h"
#include "core/base/twothreads.h"
#include "core/model/albumstore.h"
#include "core/order/comparenames.h"
#include "core/order/performerlist.h"
#include "core/order/producerlist.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace discora {

namespace {

constexpr int kYears = 10000;
// Albums read between two progress steps, and the least number of shown albums worth a second
// thread.
constexpr int kStepAlbums = 1 << 16;
constexpr std::size_t kTwoThreadsFrom = 1 << 16;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool sameLetters(std::string_view a, std::string_view b)
{
    return CompareNames(a, b) == 0;
}

std::string currencyKey(std::string_view text)
{
    std::string key(trimmedBlanks(text));
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return key;
}

// The grade's place in kConditionGrades; the number of grades for some other text.
std::size_t gradeIndex(std::string_view grade)
{
    for (std::size_t g = 0; g < kConditionGrades.size(); ++g)
        if (sameLetters(grade, kConditionGrades[g]))
            return g;
    return kConditionGrades.size();
}

void countGrade(ConditionSpread& spread, std::string_view grade)
{
    if (grade.empty())
        ++spread.ungraded;
    else if (const std::size_t g = gradeIndex(grade); g < kConditionGrades.size())
        ++spread.grades[g];
    else
        ++spread.other;
}

// An album once under each grade its media or sleeve has.
void countEitherGrade(ConditionSpread& spread, std::string_view media, std::string_view sleeve)
{
    if (media.empty() && sleeve.empty()) {
        ++spread.ungraded;
        return;
    }
    const std::size_t m = media.empty() ? kConditionGrades.size() + 1 : gradeIndex(media);
    const std::size_t s = sleeve.empty() ? kConditionGrades.size() + 1 : gradeIndex(sleeve);
    if (m < kConditionGrades.size())
        ++spread.grades[m];
    if (s < kConditionGrades.size() && s != m)
        ++spread.grades[s];
    if (m == kConditionGrades.size() || s == kConditionGrades.size())
        ++spread.other;
}

void addSpread(ConditionSpread& to, const ConditionSpread& from)
{
    for (std::size_t g = 0; g < to.grades.size(); ++g)
        to.grades[g] += from.grades[g];
    to.other += from.other;
    to.ungraded += from.ungraded;
}

// One thread's share of the counting, over a stretch of the catalogue.
struct Tallies
{
    CollectionStatistics figures; // the plain counts; the names and years are kept below
    NameTally mediaTypes;
    NameTally musicTypes;
    NameTally artists;
    NameTally labels;
    NameTally producers;
    NameTally performers;
    std::vector<int> years = std::vector<int>(kYears, 0);

    CurrencyTotal& currency(std::string_view text)
    {
        const std::string key = currencyKey(text);
        for (CurrencyTotal& total : figures.currencies)
            if (total.currency == key)
                return total;
        figures.currencies.push_back({key});
        return figures.currencies.back();
    }

    void add(const Tallies& other);
};

void Tallies::add(const Tallies& other)
{
    CollectionStatistics& f = figures;
    const CollectionStatistics& o = other.figures;
    f.albums += o.albums;
    f.songs += o.songs;
    f.timedSongs += o.timedSongs;
    f.playingSeconds += o.playingSeconds;
    f.onLoan += o.onLoan;
    f.overdue += o.overdue;
    for (std::size_t s = 0; s < f.statuses.size(); ++s)
        f.statuses[s] += o.statuses[s];
    f.withoutMediaType += o.withoutMediaType;
    f.withoutMusicType += o.withoutMusicType;
    f.withoutYear += o.withoutYear;
    addSpread(f.mediaCondition, o.mediaCondition);
    addSpread(f.sleeveCondition, o.sleeveCondition);
    addSpread(f.eitherCondition, o.eitherCondition);
    for (std::size_t r = 0; r < f.ratings.size(); ++r)
        f.ratings[r] += o.ratings[r];
    f.unreadPrices += o.unreadPrices;
    for (const CurrencyTotal& total : o.currencies) {
        CurrencyTotal& into = currency(total.currency);
        into.purchaseCents += total.purchaseCents;
        into.priced += total.priced;
        into.valueCents += total.valueCents;
        into.valued += total.valued;
    }
    mediaTypes.add(other.mediaTypes);
    musicTypes.add(other.musicTypes);
    artists.add(other.artists);
    labels.add(other.labels);
    producers.add(other.producers);
    performers.add(other.performers);
    for (int y = 0; y < kYears; ++y)
        years[static_cast<std::size_t>(y)] += other.years[static_cast<std::size_t>(y)];
}

// Reads one album's texts, front to back through its record, and counts them.
void countAlbum(const AlbumStore& albums, int album, std::string_view today, Tallies& t)
{
    CollectionStatistics& f = t.figures;
    ++f.albums;
    std::string_view mediaType, musicType, producer1, year, loans, status, mediaGrade, sleeveGrade, rating;
    std::string_view price, currency, value;
    std::uint32_t titled = 0; // bit s - 1: song slot s has a title
    albums.forEachText(album, 0, kCollectionDetailEnd, [&](Field field, std::string_view text) {
        const int i = fieldIndex(field);
        if (i >= fieldIndex(Field::FirstTitle) && i < fieldIndex(Field::FirstTime)) {
            titled |= std::uint32_t{1} << (i - fieldIndex(Field::FirstTitle));
            ++f.songs;
            return;
        }
        if (i >= fieldIndex(Field::FirstTime) && i < fieldIndex(Field::FirstTrack)) {
            if ((titled >> (i - fieldIndex(Field::FirstTime)) & 1) == 0)
                return;
            if (const int seconds = songSeconds(text); seconds >= 0) {
                ++f.timedSongs;
                f.playingSeconds += seconds;
            }
            return;
        }
        if (i >= fieldIndex(Field::FirstPerformer) && i < fieldIndex(Field::CatalogNumber)) {
            if (const std::string_view name = trimmedPerformerName(text); !name.empty())
                t.performers.count(name);
            return;
        }
        switch (field) {
        case Field::Artist: t.artists.count(text); break;
        case Field::Producer1:
            producer1 = text;
            if (!isUnnamedProducer(text))
                t.producers.count(text);
            break;
        case Field::Producer2:
            if (!isUnnamedProducer(text) && !sameLetters(text, producer1))
                t.producers.count(text);
            break;
        case Field::MediaType: mediaType = text; break;
        case Field::MusicType: musicType = text; break;
        case Field::Label: t.labels.count(text); break;
        case Field::Status: status = text; break;
        case Field::Year: year = text; break;
        case Field::PurchasePrice: price = text; break;
        case Field::Currency: currency = text; break;
        case Field::CurrentValue: value = text; break;
        case Field::MediaCondition: mediaGrade = text; break;
        case Field::SleeveCondition: sleeveGrade = text; break;
        case Field::Rating: rating = text; break;
        case Field::Loans: loans = text; break;
        default: break;
        }
    });

    if (mediaType.empty())
        ++f.withoutMediaType;
    else
        t.mediaTypes.count(mediaType);
    if (musicType.empty())
        ++f.withoutMusicType;
    else
        t.musicTypes.count(musicType);
    if (year.size() == 4 && validYear(year))
        ++t.years[static_cast<std::size_t>((year[0] - '0') * 1000 + (year[1] - '0') * 100 +
                                           (year[2] - '0') * 10 + (year[3] - '0'))];
    else
        ++f.withoutYear;
    ++f.statuses[static_cast<std::size_t>(status.empty() ? AlbumStatus::InCollection : statusOf(status))];
    countGrade(f.mediaCondition, mediaGrade);
    countGrade(f.sleeveCondition, sleeveGrade);
    countEitherGrade(f.eitherCondition, mediaGrade, sleeveGrade);
    ++f.ratings[static_cast<std::size_t>(ratingOf(rating))];
    if (!loans.empty())
        if (const auto loan = currentLoan(loans)) {
            ++f.onLoan;
            f.overdue += overdue(*loan, today) ? 1 : 0;
        }
    if (!price.empty() || !value.empty()) {
        CurrencyTotal& total = t.currency(currency);
        if (!price.empty()) {
            if (const std::int64_t cents = amountCents(price); cents >= 0) {
                total.purchaseCents += cents;
                ++total.priced;
            } else {
                ++f.unreadPrices;
            }
        }
        if (!value.empty()) {
            if (const std::int64_t cents = amountCents(value); cents >= 0) {
                total.valueCents += cents;
                ++total.valued;
            } else {
                ++f.unreadPrices;
            }
        }
    }
}

CollectionStatistics finished(Tallies& t)
{
    CollectionStatistics f = std::move(t.figures);
    f.mediaTypes = t.mediaTypes.mostFirst(std::numeric_limits<std::size_t>::max());
    f.musicTypes = t.musicTypes.mostFirst(std::numeric_limits<std::size_t>::max());
    f.topArtists = t.artists.mostFirst(kTopNames);
    f.topLabels = t.labels.mostFirst(kTopNames);
    f.topProducers = t.producers.mostFirst(kTopNames);
    f.artists = t.artists.distinct();
    f.labels = t.labels.distinct();
    f.producers = t.producers.distinct();
    f.performers = t.performers.distinct();
    for (int y = 0; y < kYears; ++y) {
        const int albums = t.years[static_cast<std::size_t>(y)];
        if (albums == 0)
            continue;
        f.years.push_back({y, albums});
        if (f.decades.empty() || f.decades.back().year != y / 10 * 10)
            f.decades.push_back({y / 10 * 10, 0});
        f.decades.back().albums += albums;
    }
    // Currencies that only had prices that could not be read are no total.
    std::erase_if(f.currencies, [](const CurrencyTotal& c) { return c.priced == 0 && c.valued == 0; });
    std::sort(f.currencies.begin(), f.currencies.end(),
              [](const CurrencyTotal& a, const CurrencyTotal& b) { return a.currency < b.currency; });
    return f;
}

} // namespace

int CollectionStatistics::wantList() const
{
    return statuses[static_cast<std::size_t>(AlbumStatus::Wanted)] +
           statuses[static_cast<std::size_t>(AlbumStatus::Ordered)];
}

CollectionStatistics collectionStatistics(const AlbumStore& albums, std::span<const std::uint32_t> shown,
                                          std::string_view today, ProgressSink* progress)
{
    const int count = albums.albumCount();
    // The albums are read in the order the catalogue keeps them, which walks its records front to
    // back; what is counted does not depend on the order they are shown in.
    std::vector<std::uint8_t> isShown(static_cast<std::size_t>(count), 0);
    for (std::uint32_t album : shown)
        isShown[album] = 1;

    const bool split = shown.size() >= kTwoThreadsFrom;
    std::array<Tallies, 2> tallies;
    std::atomic<bool> stop = false;
    ProgressScope scope(progress, "Working out the statistics...",
                        (count / (split ? 2 : 1)) / kStepAlbums + 1);
    const auto work = [&](int half) {
        const int begin = split && half == 1 ? count / 2 : 0;
        const int end = split && half == 0 ? count / 2 : count;
        Tallies& t = tallies[static_cast<std::size_t>(half)];
        for (int a = begin; a < end; ++a) {
            if ((a - begin) % kStepAlbums == kStepAlbums - 1) {
                if (half == 0)
                    scope.step(); // may throw to cancel
                else if (stop)
                    return;
            }
            if (isShown[static_cast<std::size_t>(a)])
                countAlbum(albums, a, today, t);
        }
    };
    if (split)
        onTwoThreads(work, [&] { stop = true; });
    else
        work(0);
    tallies[0].add(tallies[1]);
    return finished(tallies[0]);
}

int songSeconds(std::string_view time)
{
    time = trimmedBlanks(time);
    std::array<int, 3> parts{};
    std::array<std::size_t, 3> digits{};
    std::size_t count = 0;
    std::size_t i = 0;
    while (true) {
        if (count == parts.size())
            return -1;
        while (i < time.size() && isDigit(time[i])) {
            if (digits[count] == 6)
                return -1;
            parts[count] = parts[count] * 10 + (time[i] - '0');
            ++digits[count];
            ++i;
        }
        if (digits[count] == 0)
            return -1;
        ++count;
        if (i == time.size())
            break;
        if (time[i] != ':')
            return -1;
        ++i;
    }
    if (count == 1)
        return -1;
    // Every part after the first is two digits below 60 (a single digit is let pass for seconds).
    for (std::size_t p = 1; p < count; ++p)
        if (digits[p] > 2 || parts[p] >= 60)
            return -1;
    return count == 2 ? parts[0] * 60 + parts[1] : parts[0] * 3600 + parts[1] * 60 + parts[2];
}

std::int64_t amountCents(std::string_view text)
{
    text = trimmedBlanks(text);
    const auto first = std::find_if(text.begin(), text.end(), isDigit);
    if (first == text.end())
        return -1;
    const std::size_t begin = static_cast<std::size_t>(first - text.begin());
    std::size_t end = text.size();
    while (!isDigit(text[end - 1]))
        --end;
    // Around the number: a currency's sign or code and blanks, nothing that belongs to a number.
    const auto numberLike = [](char c) { return c == '.' || c == ',' || c == '-' || c == '+'; };
    for (std::size_t k = 0; k < text.size(); ++k)
        if ((k < begin || k >= end) && numberLike(text[k]))
            return -1;
    const std::string_view number = text.substr(begin, end - begin);

    // The last separator is the decimal one when one or two digits follow it; every other one
    // parts groups of three digits.
    const std::size_t last = number.find_last_of(".,");
    std::size_t wholeEnd = number.size();
    std::int64_t cents = 0;
    if (last != std::string_view::npos && number.size() - last - 1 <= 2) {
        wholeEnd = last;
        const std::string_view fraction = number.substr(last + 1);
        for (char c : fraction)
            if (!isDigit(c))
                return -1;
        cents = (fraction[0] - '0') * 10 + (fraction.size() == 2 ? fraction[1] - '0' : 0);
    }
    std::int64_t whole = 0;
    std::size_t sinceSeparator = 0;
    bool grouped = false;
    char separator = 0;
    for (std::size_t k = 0; k < wholeEnd; ++k) {
        const char c = number[k];
        if (isDigit(c)) {
            if (whole > 999'999'999'999)
                return -1;
            whole = whole * 10 + (c - '0');
            ++sinceSeparator;
            continue;
        }
        if (c != '.' && c != ',')
            return -1;
        // The first group may be one to three digits; the groups after it three each, parted
        // by the same sign, which is not the decimal one.
        if (sinceSeparator == 0 || (grouped && sinceSeparator != 3) || sinceSeparator > 3 ||
            (separator != 0 && c != separator) || (wholeEnd < number.size() && c == number[wholeEnd]))
            return -1;
        separator = c;
        grouped = true;
        sinceSeparator = 0;
    }
    if (grouped && sinceSeparator != 3)
        return -1;
    return whole * 100 + cents;
}

} // namespace discora
