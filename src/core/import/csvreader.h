// Reading a comma-separated file from its bytes: the encoding and the separator are found from
// the file itself, then its records are split into cells.
#pragma once

#include "core/import/csvtable.h"

#include <string>
#include <string_view>

namespace discora {

// Comma, semicolon or tab: whichever the first record holds most often outside quotes; a comma
// when it holds none of them.
char detectSeparator(std::string_view text);
std::string_view separatorName(char separator);

Result<CsvTable> readCsv(std::string bytes);
// The same for the file at path; a failure names the file.
Result<CsvTable> readCsvFile(const std::string& path);

inline constexpr const char* kImportNoFields =
    "No heading in its first row names a Discora field (such as Artist, Album or Song1).";
// "Cannot import "PATH". REASON"
std::string cannotImport(const std::string& path, std::string_view reason);

} // namespace discora
