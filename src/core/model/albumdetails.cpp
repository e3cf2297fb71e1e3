#include "core/model/albumdetails.h"

#include "core/base/blanks.h"

#include <algorithm>
#include <cctype>
#include <ctime>

namespace discora {

namespace {

std::string lowerWithoutSpaces(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '-' && c != '_')
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return out;
}

// A loan's text without what would break a line of the stored form.
std::string cleaned(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return std::string(trimmedBlanks(out));
}

int yearNumber(std::string_view text)
{
    int year = 0;
    for (char c : text)
        year = year * 10 + (c - '0');
    return year;
}

} // namespace

std::string_view statusName(AlbumStatus status)
{
    switch (status) {
    case AlbumStatus::InCollection: return "In Collection";
    case AlbumStatus::Wanted: return "Wanted";
    case AlbumStatus::Ordered: return "Ordered";
    case AlbumStatus::Sold: return "Sold";
    }
    return {};
}

std::optional<AlbumStatus> statusNamed(std::string_view text)
{
    const std::string key = lowerWithoutSpaces(text);
    if (key.empty())
        return AlbumStatus::InCollection;
    for (AlbumStatus status : kAlbumStatuses)
        if (lowerWithoutSpaces(statusName(status)) == key)
            return status;
    if (key == "owned")
        return AlbumStatus::InCollection;
    return std::nullopt;
}

AlbumStatus statusOf(std::string_view storedText)
{
    return statusNamed(storedText).value_or(AlbumStatus::InCollection);
}

std::string storedStatus(AlbumStatus status)
{
    return status == AlbumStatus::InCollection ? std::string() : std::string(statusName(status));
}

std::string_view conditionGradeName(std::string_view grade)
{
    static constexpr std::array<std::string_view, 8> kNames{
        "M (Mint)", "NM (Near Mint)", "VG+ (Very Good Plus)", "VG (Very Good)", "G+ (Good Plus)", "G (Good)",
        "F (Fair)", "P (Poor)"};
    for (std::size_t i = 0; i < kConditionGrades.size(); ++i)
        if (kConditionGrades[i] == grade)
            return kNames[i];
    return grade;
}

bool validYear(std::string_view text)
{
    return text.empty() || (text.size() == 4 && allDigits(text));
}

bool YearRange::contains(std::string_view year) const
{
    if (year.size() != 4 || !allDigits(year))
        return false;
    const int y = yearNumber(year);
    return y >= from && y <= to;
}

std::optional<YearRange> parseYearRange(std::string_view text)
{
    text = trimmedBlanks(text);
    const auto dash = text.find('-');
    const std::string_view first = trimmedBlanks(text.substr(0, dash));
    const std::string_view second =
        dash == std::string_view::npos ? first : trimmedBlanks(text.substr(dash + 1));
    if (first.empty() && second.empty())
        return std::nullopt;
    const auto bound = [](std::string_view t) { return t.empty() || (t.size() == 4 && allDigits(t)); };
    if (!bound(first) || !bound(second))
        return std::nullopt;
    YearRange range;
    if (!first.empty())
        range.from = yearNumber(first);
    if (!second.empty())
        range.to = yearNumber(second);
    if (range.from > range.to)
        return std::nullopt;
    return range;
}

BarcodeCheck checkBarcode(std::string_view text)
{
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digits.push_back(c);
        else if (c != ' ' && c != '-')
            return BarcodeCheck::NotChecked;
    }
    if (digits.size() != 12 && digits.size() != 13)
        return BarcodeCheck::NotChecked;
    // Weights 3 and 1 alternate from the digit before the check digit leftwards.
    int sum = 0;
    const std::size_t last = digits.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        const int weight = (last - i) % 2 == 1 ? 3 : 1;
        sum += (digits[i] - '0') * weight;
    }
    const int check = (10 - sum % 10) % 10;
    return check == digits[last] - '0' ? BarcodeCheck::Valid : BarcodeCheck::WrongCheckDigit;
}

int ratingOf(std::string_view storedText)
{
    if (storedText.size() != 1 || storedText[0] < '0' || storedText[0] > '5')
        return 0;
    return storedText[0] - '0';
}

std::string storedRating(int stars)
{
    stars = std::clamp(stars, 0, 5);
    return stars == 0 ? std::string() : std::string(1, static_cast<char>('0' + stars));
}

std::string ratingName(int stars)
{
    stars = std::clamp(stars, 0, 5);
    return stars == 0 ? std::string("No rating") : std::to_string(stars) + (stars == 1 ? " star" : " stars");
}

bool validDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !allDigits(text.substr(0, 4)) ||
        !allDigits(text.substr(5, 2)) || !allDigits(text.substr(8, 2)))
        return false;
    const int year = yearNumber(text.substr(0, 4));
    const int month = yearNumber(text.substr(5, 2));
    const int day = yearNumber(text.substr(8, 2));
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return !(month == 2 && day == 29 && !leap);
}

std::string todaysDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::vector<Loan> loansOf(std::string_view storedText)
{
    std::vector<Loan> loans;
    while (!storedText.empty()) {
        const auto end = storedText.find('\n');
        std::string_view line = storedText.substr(0, end);
        storedText = end == std::string_view::npos ? std::string_view() : storedText.substr(end + 1);
        if (line.empty())
            continue;
        std::array<std::string, 4> parts;
        for (std::size_t k = 0; k < parts.size(); ++k) {
            const auto tab = line.find('\t');
            parts[k] = std::string(line.substr(0, tab));
            line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        }
        loans.push_back({std::move(parts[0]), std::move(parts[1]), std::move(parts[2]), std::move(parts[3])});
    }
    return loans;
}

std::string storedLoans(const std::vector<Loan>& loans)
{
    std::string text;
    for (const Loan& loan : loans) {
        if (!text.empty())
            text.push_back('\n');
        text += cleaned(loan.borrower) + '\t' + cleaned(loan.lent) + '\t' + cleaned(loan.due) + '\t' +
                cleaned(loan.returned);
    }
    return text;
}

std::optional<Loan> currentLoan(std::string_view storedText)
{
    std::vector<Loan> loans = loansOf(storedText);
    if (loans.empty() || !loans.back().returned.empty())
        return std::nullopt;
    return std::move(loans.back());
}

bool overdue(const Loan& loan, std::string_view today)
{
    return loan.returned.empty() && !loan.due.empty() && loan.due < today;
}

std::string lend(std::string_view storedText, Loan loan)
{
    std::vector<Loan> loans = loansOf(storedText);
    // A loan still out when the album is lent again came back unnoticed: it ends where the new
    // one begins.
    if (!loans.empty() && loans.back().returned.empty())
        loans.back().returned = loan.lent;
    loan.returned.clear();
    loans.push_back(std::move(loan));
    return storedLoans(loans);
}

std::string returned(std::string_view storedText, std::string_view date)
{
    std::vector<Loan> loans = loansOf(storedText);
    if (loans.empty() || !loans.back().returned.empty())
        return std::string(storedText);
    loans.back().returned = date;
    return storedLoans(loans);
}

std::string_view detailName(Field f)
{
    switch (f) {
    case Field::Status: return "Status";
    case Field::Year: return "Year";
    case Field::Barcode: return "Barcode";
    case Field::MusicBrainzId: return "MusicBrainz Release ID";
    case Field::DiscogsId: return "Discogs Release ID";
    case Field::Location: return "Location";
    case Field::PurchaseDate: return "Purchase Date";
    case Field::PurchasePrice: return "Purchase Price";
    case Field::Currency: return "Currency";
    case Field::BoughtFrom: return "Bought From";
    case Field::CurrentValue: return "Current Value";
    case Field::MediaCondition: return "Media Condition";
    case Field::SleeveCondition: return "Sleeve Condition";
    case Field::Rating: return "Rating";
    case Field::DateAdded: return "Date Added";
    case Field::DateModified: return "Date Modified";
    case Field::Loans: return "Loans";
    case Field::Cover: return "Cover";
    default: return {};
    }
}

} // namespace discora
