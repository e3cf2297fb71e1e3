#include "core/import/tracklist.h"

#include "core/base/cp1252.h"

#include <algorithm>
#include <array>
#include <optional>

namespace discora {

namespace {

using Text = std::u32string;

Text decode(std::string_view text)
{
    Text out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        out.push_back(cp1252::decodeUtf8(text, pos));
    return out;
}

std::string encode(const Text& text)
{
    std::string out;
    for (char32_t c : text)
        cp1252::appendCodePoint(out, c);
    return out;
}

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char32_t c)
{
    return c == ' ' || c == '\t';
}

bool isDash(char32_t c)
{
    return c == '-' || c == U'\u2012' || c == U'\u2013' || c == U'\u2014' || c == U'\u2212';
}

bool isAsciiLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

Text trimmed(const Text& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Web pages hand over no-break and other fixed-width spaces, and now and then a byte-order mark
// or a zero-width space; all of them read as one ordinary blank or nothing.
Text normalisedLine(const Text& line)
{
    Text out;
    out.reserve(line.size());
    for (char32_t c : line) {
        if (c == U'\uFEFF' || c == U'\u200B' || c == '\r')
            continue;
        const bool space = c == U'\u00A0' || (c >= U'\u2000' && c <= U'\u200A') || c == U'\u202F' ||
                           c == U'\u3000' || c == '\v' || c == '\f';
        out.push_back(space ? ' ' : c);
    }
    return trimmed(out);
}

// Lower-case ASCII letters; anything else as it is, so a comparison with a keyword fails.
std::string foldedAscii(const Text& text)
{
    std::string out;
    for (char32_t c : text)
        out.push_back(c < 0x80 ? static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) : '\x7f');
    return out;
}

std::vector<Text> split(const Text& text, auto isSeparator)
{
    std::vector<Text> pieces;
    Text piece;
    for (char32_t c : text) {
        if (isSeparator(c)) {
            if (!piece.empty())
                pieces.push_back(std::move(piece));
            piece.clear();
        } else {
            piece.push_back(c);
        }
    }
    if (!piece.empty())
        pieces.push_back(std::move(piece));
    return pieces;
}

enum class TimeShape
{
    None,
    Invalid,
    Valid,
};

// "M:SS", "MM:SS" or "H:MM:SS"; a valid one comes back as minutes and seconds, "62:03".
TimeShape readTime(const Text& token, std::string& time)
{
    const std::vector<Text> parts = split(token, [](char32_t c) { return c == ':'; });
    const std::size_t colons = static_cast<std::size_t>(std::count(token.begin(), token.end(), U':'));
    if (parts.size() < 2 || parts.size() > 3 || colons != parts.size() - 1)
        return TimeShape::None;
    for (const Text& part : parts) {
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), isDigit))
            return TimeShape::None;
    }
    auto number = [](const Text& digits) {
        int n = 0;
        for (char32_t c : digits)
            n = n * 10 + static_cast<int>(c - '0');
        return n;
    };
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (parts[i].size() != 2 || number(parts[i]) > 59)
            return TimeShape::Invalid;
    }
    if (parts.size() == 3 && parts[0].size() > 2)
        return TimeShape::Invalid;
    const int minutes = parts.size() == 3 ? number(parts[0]) * 60 + number(parts[1]) : number(parts[0]);
    const int seconds = number(parts.back());
    time = trackNumberText(minutes) + ':' + trackNumberText(seconds);
    return TimeShape::Valid;
}

// A time, possibly in brackets: "(3:45)", "[3:45]".
TimeShape readBracketedTime(const Text& token, std::string& time)
{
    if (token.size() > 2 &&
        ((token.front() == '(' && token.back() == ')') || (token.front() == '[' && token.back() == ']')))
        return readTime(trimmed(token.substr(1, token.size() - 2)), time);
    return readTime(token, time);
}

struct TrailingTime
{
    TimeShape shape = TimeShape::None;
    std::string time;
    std::size_t start = 0; // where the time (with its brackets) begins
};

// A time at the end of a line, standing apart from the title: "Title 3:45", "Title (3:45)",
// "Title - 3:45".
TrailingTime trailingTime(const Text& text)
{
    TrailingTime found;
    if (text.empty())
        return found;
    std::size_t start = text.size();
    if (text.back() == ')' || text.back() == ']') {
        const char32_t open = text.back() == ')' ? '(' : '[';
        const std::size_t at = text.rfind(open);
        if (at == Text::npos)
            return found;
        start = at;
    } else {
        while (start > 0 && (isDigit(text[start - 1]) || text[start - 1] == ':'))
            --start;
        if (start > 0 && !isBlank(text[start - 1]) && !isDash(text[start - 1]))
            return found;
    }
    found.shape = readBracketedTime(text.substr(start), found.time);
    found.start = start;
    return found;
}

enum class Numbering
{
    None,
    Number,
    Vinyl,
};

struct LeadingNumber
{
    Numbering kind = Numbering::None;
    int number = 0; // the track number, or the position on a vinyl side
    char32_t side = 0;
    bool bare = false; // set off by blanks alone, as "1 Title"
    std::size_t rest = 0;
};

// "1. Title", "1) Title", "01 - Title", "1 Title", and vinyl sides "A1 Title", "B2. Title".
LeadingNumber leadingNumber(const Text& text)
{
    LeadingNumber found;
    std::size_t pos = 0;
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        found.side = text[0];
        pos = 1;
    }
    const std::size_t digitsFrom = pos;
    while (pos < text.size() && isDigit(text[pos]) && pos - digitsFrom < 4)
        ++pos;
    const std::size_t digits = pos - digitsFrom;
    if (digits == 0 || digits > (found.side ? 2u : 3u) || pos == text.size())
        return found;
    for (std::size_t i = digitsFrom; i < pos; ++i)
        found.number = found.number * 10 + static_cast<int>(text[i] - '0');
    if ((text[pos] == '.' || text[pos] == ')') && (pos + 1 == text.size() || !isDigit(text[pos + 1]))) {
        found.rest = pos + 1;
    } else {
        std::size_t after = pos;
        while (after < text.size() && isBlank(text[after]))
            ++after;
        if (after < text.size() && isDash(text[after])) {
            found.rest = after + 1;
        } else if (after > pos && after < text.size()) {
            found.rest = after;
            found.bare = true;
        } else {
            return found;
        }
    }
    found.kind = found.side ? Numbering::Vinyl : Numbering::Number;
    return found;
}

// A whole cell of a table row that is only a track number or a vinyl position: "1", "1.", "A1".
std::optional<LeadingNumber> numberCell(const Text& cell)
{
    Text probe = cell;
    if (probe.back() == '.' || probe.back() == ')')
        probe.pop_back();
    probe += U". x";
    LeadingNumber found = leadingNumber(probe);
    if (found.kind == Numbering::None || found.rest != probe.size() - 2)
        return std::nullopt;
    found.bare = false;
    return found;
}

bool oneOf(const std::string& word, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(), [&](const char* w) { return word == w; });
}

// "Disc 1", "CD2", "Side A", "Side One: Live", "Disc 2 - Bonus Tracks".
bool isHeading(const Text& line)
{
    const std::string folded = foldedAscii(line);
    for (const char* keyword : {"disc", "disk", "cd", "side", "lp", "record"}) {
        const std::string_view key = keyword;
        if (!folded.starts_with(key))
            continue;
        std::size_t pos = key.size();
        while (pos < folded.size() && (folded[pos] == ' ' || folded[pos] == '#'))
            ++pos;
        std::size_t end = pos;
        while (end < folded.size() && isDigit(static_cast<unsigned char>(folded[end])))
            ++end;
        if (end > pos && (end == folded.size() || !isAsciiLetter(static_cast<unsigned char>(folded[end]))))
            return true;
        while (end < folded.size() && isAsciiLetter(static_cast<unsigned char>(folded[end])))
            ++end;
        const std::string designator = folded.substr(pos, end - pos);
        const bool named = designator.size() == 1 ||
                           oneOf(designator, {"one", "two", "three", "four", "five", "six", "seven", "eight",
                                              "nine", "ten", "i", "ii", "iii", "iv"});
        if (!named || pos == key.size())
            continue;
        while (end < folded.size() && folded[end] == ' ')
            ++end;
        if (end == folded.size() || std::string_view(":-(").find(folded[end]) != std::string_view::npos ||
            isDash(line[end]))
            return true;
    }
    return false;
}

bool isHeadingWord(const std::string& word)
{
    return oneOf(word, {"#",         "no",          "no.",      "nr",        "nr.",          "pos",
                        "pos.",      "position",    "track",    "tracks",    "title",        "titles",
                        "song",      "songs",       "length",   "time",      "duration",     "writer",
                        "writers",   "writer(s)",   "artist",   "artists",   "artist(s)",    "composer",
                        "composers", "composer(s)", "producer", "producers", "producer(s)",  "lyrics",
                        "music",     "name",        "listing",  "tracklist", "tracklisting", "side"});
}

// A web table's heading row ("No.<tab>Title<tab>Length", "# Title Time"), or "Track listing". Two
// heading words alone are not enough: "Title Track" is a song.
bool isColumnHeadings(const Text& line)
{
    const std::vector<Text> words = split(line, isBlank);
    if (words.size() < 2 ||
        !std::all_of(words.begin(), words.end(), [](const Text& w) { return isHeadingWord(foldedAscii(w)); }))
        return false;
    const std::string first = foldedAscii(words[0]);
    return line.find(U'\t') != Text::npos || oneOf(first, {"#", "no", "no.", "nr", "nr.", "pos", "pos."}) ||
           oneOf(foldedAscii(line), {"track listing", "track list"});
}

bool isTotalLine(const Text& title)
{
    std::string folded = foldedAscii(title);
    while (!folded.empty() && (folded.back() == ':' || folded.back() == ' '))
        folded.pop_back();
    return oneOf(folded, {"total", "total length", "total time", "total running time", "total playing time",
                          "running time", "length", "total duration", "duration", "playing time"});
}

// A title in quotes, as encyclopedias write them ("Title" (featuring Someone)), loses the quotes.
Text withoutQuotes(const Text& title)
{
    static constexpr std::u32string_view kOpen = U"\"\u201C\u201E\u00AB";
    static constexpr std::u32string_view kClose = U"\"\u201D\u201C\u00BB";
    if (title.size() < 3 || kOpen.find(title[0]) == std::u32string_view::npos)
        return title;
    const std::size_t close = title.find_first_of(kClose, 1);
    if (close == Text::npos || close == 1)
        return title;
    return trimmed(title.substr(1, close - 1) + title.substr(close + 1));
}

Text withoutTrailingDashes(Text title)
{
    while (!title.empty() && (isBlank(title.back()) || isDash(title.back())))
        title.pop_back();
    return title;
}

Text withoutBullet(const Text& line)
{
    if (line.size() > 2 && (line[0] == U'\u2022' || line[0] == U'\u00B7' || line[0] == '*') &&
        isBlank(line[1]))
        return trimmed(line.substr(2));
    return line;
}

// The numbering so far: which bare numbers and vinyl positions continue it. A list that begins
// again at 1 after a heading ("Disc 2") goes on counting, so that the discs' songs do not take
// each other's numbers.
struct Sequence
{
    int last = 0;
    int offset = 0;      // the songs before the heading that began the numbers again
    bool restart = true; // at the start and after a heading a list may begin again at 1
    char32_t side = 0;
    int sidePosition = 0;

    bool continues(const LeadingNumber& n) const
    {
        if (n.kind == Numbering::Vinyl)
            return (n.number == 1 && n.side != side) || (n.side == side && n.number == sidePosition + 1);
        return n.number == last - offset + 1 || (restart && n.number == 1);
    }

    int take(const LeadingNumber& n)
    {
        const bool beginsAgain = restart && n.number == 1 && last > 0;
        restart = false;
        if (n.kind == Numbering::Vinyl) {
            side = n.side;
            sidePosition = n.number;
        } else if (n.kind == Numbering::Number) {
            side = 0;
            if (beginsAgain)
                offset = last;
            last = offset + n.number;
            return last;
        }
        return ++last;
    }
};

// Dot leaders between a title and its time, as printed track lists align them: "Title ........"
// or "Title . . . . ." (a title's own "..." stays).
Text withoutLeaders(Text title)
{
    std::size_t end = title.size();
    int dots = 0;
    while (end > 0 && (title[end - 1] == '.' || title[end - 1] == U'\u2026' || isBlank(title[end - 1]))) {
        dots += title[end - 1] == '.' ? 1 : title[end - 1] == U'\u2026' ? 3 : 0;
        --end;
    }
    if (dots < 4 || end == 0)
        return title;
    title.resize(end);
    return trimmed(title);
}

class Reader
{
public:
    TrackList list;

    void readLine(int lineNumber, const Text& raw)
    {
        const Text line = normalisedLine(raw);
        if (line.empty() || isHeading(line) || isColumnHeadings(line)) {
            if (!line.empty())
                m_sequence.restart = true;
            return;
        }
        const std::vector<Text> cells = split(line, [](char32_t c) { return c == '\t'; });
        LeadingNumber number;
        TimeShape timeShape = TimeShape::None;
        std::string time;
        Text title;
        for (const Text& rawCell : cells) {
            const Text cell = trimmed(rawCell);
            if (cell.empty())
                continue;
            std::string cellTime;
            const std::optional<LeadingNumber> cellNumber =
                cells.size() > 1 ? numberCell(cell) : std::nullopt;
            const TimeShape cellShape =
                cells.size() > 1 ? readBracketedTime(cell, cellTime) : TimeShape::None;
            if (cellNumber && number.kind == Numbering::None)
                number = *cellNumber;
            else if (cellShape != TimeShape::None && timeShape == TimeShape::None)
                timeShape = cellShape, time = cellTime;
            else if (title.empty() && !cellNumber && cellShape == TimeShape::None)
                title = cell;
        }
        if (cells.size() == 1)
            title = withoutBullet(line);

        if (number.kind == Numbering::None) {
            const LeadingNumber leading = leadingNumber(title);
            if (leading.kind != Numbering::None && (!leading.bare || m_sequence.continues(leading))) {
                number = leading;
                title = title.substr(leading.rest);
            } else if (!title.empty() && title.back() == ':') {
                m_sequence.restart = true; // "Bonus tracks:" and the like
                return;
            }
        }
        if (timeShape == TimeShape::None) {
            const TrailingTime trailing = trailingTime(title);
            if (trailing.shape != TimeShape::None) {
                timeShape = trailing.shape;
                time = trailing.time;
                title = title.substr(0, trailing.start);
            }
        }
        title = withoutQuotes(withoutTrailingDashes(withoutLeaders(trimmed(title))));
        if (number.kind == Numbering::None && isTotalLine(title))
            return;

        if (timeShape == TimeShape::Invalid)
            return unread(lineNumber, line, kTrackListBadTime);
        if (title.empty())
            return unread(lineNumber, line, kTrackListNoTitle);
        list.songs.push_back({trackNumberText(m_sequence.take(number)), encode(title), time});
    }

private:
    void unread(int lineNumber, const Text& line, const char* reason)
    {
        Text shown = line;
        std::replace(shown.begin(), shown.end(), U'\t', U' ');
        list.unread.push_back({lineNumber, encode(shown), reason});
    }

    Sequence m_sequence;
};

} // namespace

TrackList parseTrackList(std::string_view text)
{
    std::vector<Text> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(decode(text.substr(start, end - start)));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    // A number, a title and a time each on a line of its own (as some shops list them) are read
    // as one line "N. Title (M:SS)".
    const auto numberOnly = [&](std::size_t i) {
        const Text line = trimmed(normalisedLine(lines[i]));
        return !line.empty() && numberCell(line).has_value();
    };
    const auto timeOnly = [&](std::size_t i) {
        std::string time;
        const Text line = trimmed(normalisedLine(lines[i]));
        return !line.empty() && readBracketedTime(line, time) == TimeShape::Valid;
    };
    const auto titleOnly = [&](std::size_t i) {
        const Text line = trimmed(normalisedLine(lines[i]));
        return !line.empty() && !numberOnly(i) && !timeOnly(i) && !isHeading(line) &&
               !isColumnHeadings(line) && line.find(U'\t') == Text::npos;
    };
    Reader reader;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        if (i + 1 < lines.size() && numberOnly(i) && titleOnly(i + 1)) {
            Text joined = trimmed(normalisedLine(lines[i]));
            if (joined.back() != '.' && joined.back() != ')')
                joined += '.';
            joined += ' ';
            joined += trimmed(normalisedLine(lines[i + 1]));
            ++i;
            if (i + 1 < lines.size() && timeOnly(i + 1)) {
                joined += ' ';
                joined += trimmed(normalisedLine(lines[i + 1]));
                ++i;
            }
            reader.readLine(lineNumber, joined);
            continue;
        }
        reader.readLine(lineNumber, lines[i]);
    }
    return std::move(reader.list);
}

} // namespace discora
