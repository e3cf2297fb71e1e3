// The records of a comma-separated file as read: quoted fields, doubled quotes and line breaks
// inside quotes resolved, every cell's text in one buffer. Row 0 is the heading row.
#pragma once

#include "core/base/result.h"
#include "core/import/textdecoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class CsvTable
{
public:
    // One record's cells, for reading many cells of a row quickly.
    class Row
    {
    public:
        int cellCount() const { return m_count; }
        // Empty beyond the cells of the row.
        std::string_view cell(int column) const
        {
            if (column < 0 || column >= m_count)
                return {};
            return {m_text + m_begins[column], m_ends[column] - m_begins[column]};
        }

    private:
        friend class CsvTable;
        const char* m_text = nullptr;
        const std::uint32_t* m_begins = nullptr;
        const std::uint32_t* m_ends = nullptr;
        int m_count = 0;
    };

    // Splits text (UTF-8) into records and cells at separator. Outside quotes a record ends at
    // CR LF, LF or a lone CR. Fails when a quote is still open at the end of the text.
    static Result<CsvTable> parse(std::string text, char separator,
                                  TextEncoding encoding = TextEncoding::Utf8);

    int rowCount() const { return static_cast<int>(m_rowStarts.size()); }
    Row rowAt(int row) const;
    int cellCount(int row) const { return rowAt(row).cellCount(); }
    // Empty beyond the cells of the row.
    std::string_view cell(int row, int column) const { return rowAt(row).cell(column); }
    std::vector<std::string_view> row(int row) const;
    std::vector<std::string_view> headings() const { return row(0); }

    char separator() const { return m_separator; }
    TextEncoding encoding() const { return m_encoding; }

private:
    // The file's text with each cell's quotes resolved where it stands; cell i runs from
    // m_cellBegins[i] to m_cellEnds[i].
    std::string m_text;
    std::vector<std::uint32_t> m_cellBegins;
    std::vector<std::uint32_t> m_cellEnds;
    std::vector<std::uint32_t> m_rowStarts; // index of each row's first cell
    char m_separator = ',';
    TextEncoding m_encoding = TextEncoding::Utf8;
};

// "A quote opened in row 3 is not closed before the end of the file."
std::string openQuoteMessage(int row);
inline constexpr const char* kImportTooLarge = "The file is too large to import.";

} // namespace discora
