#include "core/layout/covergrid.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace discora {

namespace {

int rowTop(const CoverGrid& g, int row)
{
    return g.gap + row * (g.tileHeight + g.gap);
}

// The rows in [0, rows) that a band of content [top, bottom) touches.
int rowAtOrBelow(const CoverGrid& g, int y)
{
    if (y <= g.gap)
        return 0;
    return (y - g.gap) / (g.tileHeight + g.gap);
}

} // namespace

CoverGrid coverGrid(const ViewMetrics& m, int zoom, int entries)
{
    CoverGrid g;
    g.entries = std::max(0, entries);
    g.lineHeight = std::max(1, m.lineHeight);
    const int step = kCoverZoomSteps[std::clamp(zoom, 0, kCoverZoomStepCount - 1)];
    g.side = step * g.lineHeight;
    g.padding = std::max(2, m.charWidth);
    g.gap = std::max(4, m.charWidth * 2);
    g.tileWidth = g.side + 2 * g.padding;
    g.tileHeight = g.padding + g.side + g.padding / 2 + kCoverCaptionLines * g.lineHeight + g.padding;
    const int usable = std::max(0, m.clientWidth - g.gap);
    g.columns = std::max(1, usable / (g.tileWidth + g.gap));
    const int used = g.columns * (g.tileWidth + g.gap) - g.gap;
    g.left = std::max(g.gap, (m.clientWidth - used) / 2);
    g.rows = (g.entries + g.columns - 1) / g.columns;
    g.contentHeight = g.rows == 0 ? 0 : rowTop(g, g.rows);
    return g;
}

TileRect CoverGrid::tile(int position) const
{
    const int row = position / columns;
    const int column = position % columns;
    return {left + column * (tileWidth + gap), rowTop(*this, row), tileWidth, tileHeight};
}

TileRect CoverGrid::picture(int position) const
{
    const TileRect t = tile(position);
    return {t.x + padding, t.y + padding, side, side};
}

TileRect CoverGrid::caption(int position, int line) const
{
    const TileRect p = picture(position);
    return {p.x, p.y + side + padding / 2 + line * lineHeight, side, lineHeight};
}

int CoverGrid::entryAt(int x, int y) const
{
    if (entries == 0 || x < left || y < gap)
        return -1;
    const int column = (x - left) / (tileWidth + gap);
    const int row = (y - gap) / (tileHeight + gap);
    if (column >= columns || row >= rows)
        return -1;
    const int position = row * columns + column;
    if (position >= entries || !tile(position).contains(x, y))
        return -1;
    return position;
}

int CoverGrid::firstShown(int scrollY) const
{
    if (entries == 0)
        return 0;
    int row = rowAtOrBelow(*this, scrollY);
    // The gap below a row: the row is gone from the page.
    if (rowTop(*this, row) + tileHeight <= scrollY)
        ++row;
    return std::min(row * columns, entries);
}

int CoverGrid::lastShown(int scrollY, int pageHeight) const
{
    if (entries == 0 || pageHeight <= 0)
        return -1;
    const int bottom = scrollY + pageHeight - 1;
    if (bottom < gap)
        return -1;
    const int row = std::min(rows - 1, rowAtOrBelow(*this, bottom));
    return std::min(entries - 1, (row + 1) * columns - 1);
}

int CoverGrid::maxScrollY(int pageHeight) const
{
    return std::max(0, contentHeight - pageHeight);
}

int CoverGrid::scrollToShow(int position, int scrollY, int pageHeight) const
{
    if (entries == 0)
        return 0;
    position = std::clamp(position, 0, entries - 1);
    const TileRect t = tile(position);
    int y = scrollY;
    if (t.y + t.height > y + pageHeight)
        y = t.y + t.height + gap - pageHeight;
    if (t.y < y)
        y = t.y - gap;
    return std::clamp(y, 0, maxScrollY(pageHeight));
}

int CoverGrid::rowsPerPage(int pageHeight) const
{
    return std::max(1, pageHeight / (tileHeight + gap));
}

int moveInGrid(const CoverGrid& g, int current, GridMove move, int pageHeight)
{
    if (g.entries == 0)
        return -1;
    const int last = g.entries - 1;
    current = std::clamp(current, 0, last);
    const int pageRows = g.rowsPerPage(pageHeight);
    int to = current;
    switch (move) {
    case GridMove::Left: to = current - 1; break;
    case GridMove::Right: to = current + 1; break;
    case GridMove::Up: to = current >= g.columns ? current - g.columns : current; break;
    case GridMove::Down: to = current + g.columns <= last ? current + g.columns : last; break;
    case GridMove::PageUp: to = current - pageRows * g.columns; break;
    case GridMove::PageDown: to = current + pageRows * g.columns; break;
    case GridMove::Home: to = 0; break;
    case GridMove::End: to = last; break;
    }
    if (move == GridMove::PageUp && to < 0)
        to = current % g.columns; // the top row, in the same column
    return std::clamp(to, 0, last);
}

namespace {

// The UTF-8 sequence that starts at i, or one byte of a broken one.
std::string_view codePointAt(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    length = std::min(length, text.size() - i);
    return text.substr(i, length);
}

// The first character of each word that starts with a letter or a digit.
std::vector<std::string> wordInitials(std::string_view text)
{
    std::vector<std::string> initials;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view c = codePointAt(text, i);
        const auto first = static_cast<unsigned char>(c[0]);
        const bool space =
            c.size() == 1 && (std::isspace(first) || first == '-' || first == '/' || first == '&');
        const bool wordStart = c.size() > 1 || std::isalnum(first);
        if (space) {
            inWord = false;
        } else if (!inWord && wordStart) {
            std::string initial(c);
            if (initial.size() == 1)
                initial[0] = static_cast<char>(std::toupper(first));
            initials.push_back(std::move(initial));
            inWord = true;
        }
        i += c.size();
    }
    return initials;
}

} // namespace

std::string coverInitials(std::string_view artist, std::string_view album)
{
    // "The Copper Owls" stands for itself by its own words, as its orders file it.
    constexpr std::string_view kThe = "the ";
    if (artist.size() > kThe.size() &&
        std::equal(kThe.begin(), kThe.end(), artist.begin(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
        artist.remove_prefix(kThe.size());
    std::vector<std::string> letters = wordInitials(artist);
    if (letters.size() < 2) {
        const std::vector<std::string> more = wordInitials(album);
        letters.insert(letters.end(), more.begin(), more.end());
    }
    if (letters.empty())
        return "?";
    std::string initials = letters[0];
    if (letters.size() > 1)
        initials += letters[1];
    return initials;
}

} // namespace discora
