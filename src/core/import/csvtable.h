// The records of a comma-separated file as read: quoted fields, doubled quotes and line breaks
// inside quotes resolved, every cell's text in one buffer. Row 0 is the heading row.
#pragma once

#include "core/catalogue/result.h"
#include "core/import/textdecoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class CsvTable
{
public:
    // Splits text (UTF-8) into records and cells at separator. Outside quotes a record ends at
    // CR LF, LF or a lone CR. Fails when a quote is still open at the end of the text.
    static Result<CsvTable> parse(std::string text, char separator,
                                  TextEncoding encoding = TextEncoding::Utf8);

    int rowCount() const { return static_cast<int>(m_rowStarts.size()); }
    int cellCount(int row) const;
    // Empty beyond the cells of the row.
    std::string_view cell(int row, int column) const;
    std::vector<std::string_view> row(int row) const;
    std::vector<std::string_view> headings() const { return row(0); }

    char separator() const { return m_separator; }
    TextEncoding encoding() const { return m_encoding; }

private:
    std::size_t rowEnd(int row) const;

    // The cells' texts one after another; cell i runs from the end of cell i - 1 to m_cellEnds[i].
    std::string m_text;
    std::vector<std::uint32_t> m_cellEnds;
    std::vector<std::uint32_t> m_rowStarts; // index of each row's first cell
    char m_separator = ',';
    TextEncoding m_encoding = TextEncoding::Utf8;
};

// "A quote opened in row 3 is not closed before the end of the file."
std::string openQuoteMessage(int row);
inline constexpr const char* kImportTooLarge = "The file is too large to import.";

} // namespace discora
