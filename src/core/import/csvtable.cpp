#include "core/import/csvtable.h"

#include <array>
#include <cstring>
#include <limits>

namespace discora {

std::string openQuoteMessage(int row)
{
    return "A quote opened in row " + std::to_string(row) + " is not closed before the end of the file.";
}

Result<CsvTable> CsvTable::parse(std::string text, char separator, TextEncoding encoding)
{
    if (text.size() >= std::numeric_limits<std::uint32_t>::max())
        return Error{kImportTooLarge};
    CsvTable table;
    table.m_separator = separator;
    table.m_encoding = encoding;
    std::array<bool, 256> endsCell{};
    endsCell[static_cast<unsigned char>(separator)] = true;
    endsCell['\r'] = true;
    endsCell['\n'] = true;

    // The cells are unquoted in place: what is kept of a cell is never longer than what was read,
    // so the write position w never passes the read position r.
    char* d = text.data();
    const std::size_t n = text.size();
    std::size_t r = 0;
    std::size_t w = 0;
    const auto keep = [&](std::size_t from, std::size_t to) {
        if (w != from)
            std::memmove(d + w, d + from, to - from);
        w += to - from;
    };
    std::vector<std::uint32_t>& ends = table.m_cellEnds;
    table.m_rowStarts.push_back(0);
    while (r < n) {
        if (d[r] == '"') {
            ++r;
            for (;;) {
                const void* q = std::memchr(d + r, '"', n - r);
                if (!q)
                    return Error{openQuoteMessage(table.rowCount())};
                const auto quote = static_cast<std::size_t>(static_cast<const char*>(q) - d);
                keep(r, quote);
                r = quote + 1;
                if (r < n && d[r] == '"') {
                    d[w++] = '"';
                    ++r;
                    continue;
                }
                break;
            }
        }
        // Unquoted text, or what follows a closing quote before the separator, is taken as it stands.
        std::size_t e = r;
        while (e < n && !endsCell[static_cast<unsigned char>(d[e])])
            ++e;
        keep(r, e);
        r = e;
        ends.push_back(static_cast<std::uint32_t>(w));
        if (r == n)
            break;
        if (d[r] == separator) {
            ++r;
            if (r == n)
                ends.push_back(static_cast<std::uint32_t>(w)); // a separator ends the file: one empty cell
            continue;
        }
        r += d[r] == '\r' && r + 1 < n && d[r + 1] == '\n' ? 2 : 1;
        if (r < n)
            table.m_rowStarts.push_back(static_cast<std::uint32_t>(ends.size()));
    }
    text.resize(w);
    table.m_text = std::move(text);
    return table;
}

std::size_t CsvTable::rowEnd(int row) const
{
    return row + 1 < rowCount() ? m_rowStarts[static_cast<std::size_t>(row) + 1] : m_cellEnds.size();
}

int CsvTable::cellCount(int row) const
{
    return static_cast<int>(rowEnd(row) - m_rowStarts[static_cast<std::size_t>(row)]);
}

std::string_view CsvTable::cell(int row, int column) const
{
    const std::size_t i = m_rowStarts[static_cast<std::size_t>(row)] + static_cast<std::size_t>(column);
    if (column < 0 || i >= rowEnd(row))
        return {};
    const std::uint32_t begin = i == 0 ? 0 : m_cellEnds[i - 1];
    return std::string_view(m_text).substr(begin, m_cellEnds[i] - begin);
}

std::vector<std::string_view> CsvTable::row(int row) const
{
    std::vector<std::string_view> cells;
    const int count = cellCount(row);
    cells.reserve(static_cast<std::size_t>(count));
    for (int c = 0; c < count; ++c)
        cells.push_back(cell(row, c));
    return cells;
}

} // namespace discora
