#include "core/import/csvtable.h"

#include <algorithm>
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

    // A quoted cell is resolved where it stands: what is kept is never longer than what was read,
    // so the write position w never passes the read position r, and a cell without doubled quotes
    // is not moved at all.
    char* d = text.data();
    const std::size_t n = text.size();
    std::size_t r = 0;
    std::vector<std::uint32_t>& begins = table.m_cellBegins;
    std::vector<std::uint32_t>& ends = table.m_cellEnds;
    // Every cell but a row's last ends at a separator: room for them all at once.
    const auto cells = static_cast<std::size_t>(std::count(text.begin(), text.end(), separator) +
                                                std::count(text.begin(), text.end(), '\n') + 1);
    begins.reserve(cells);
    ends.reserve(cells);
    table.m_rowStarts.push_back(0);
    while (r < n) {
        std::size_t begin = r;
        std::size_t w = r;
        if (d[r] == '"') {
            begin = w = ++r;
            for (;;) {
                const void* q = std::memchr(d + r, '"', n - r);
                if (!q)
                    return Error{openQuoteMessage(table.rowCount())};
                const auto quote = static_cast<std::size_t>(static_cast<const char*>(q) - d);
                if (w != r)
                    std::memmove(d + w, d + r, quote - r);
                w += quote - r;
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
        if (w != r)
            std::memmove(d + w, d + r, e - r);
        w += e - r;
        r = e;
        begins.push_back(static_cast<std::uint32_t>(begin));
        ends.push_back(static_cast<std::uint32_t>(w));
        if (r == n)
            break;
        if (d[r] == separator) {
            ++r;
            if (r == n) {
                // A separator ends the file: one more, empty cell.
                begins.push_back(static_cast<std::uint32_t>(r));
                ends.push_back(static_cast<std::uint32_t>(r));
            }
            continue;
        }
        r += d[r] == '\r' && r + 1 < n && d[r + 1] == '\n' ? 2 : 1;
        if (r < n)
            table.m_rowStarts.push_back(static_cast<std::uint32_t>(ends.size()));
    }
    table.m_text = std::move(text);
    return table;
}

CsvTable::Row CsvTable::rowAt(int row) const
{
    const auto r = static_cast<std::size_t>(row);
    const std::size_t first = m_rowStarts[r];
    const std::size_t end = r + 1 < m_rowStarts.size() ? m_rowStarts[r + 1] : m_cellEnds.size();
    Row view;
    view.m_text = m_text.data();
    view.m_begins = m_cellBegins.data() + first;
    view.m_ends = m_cellEnds.data() + first;
    view.m_count = static_cast<int>(end - first);
    return view;
}

std::vector<std::string_view> CsvTable::row(int row) const
{
    const Row cells = rowAt(row);
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(cells.cellCount()));
    for (int c = 0; c < cells.cellCount(); ++c)
        texts.push_back(cells.cell(c));
    return texts;
}

} // namespace discora
