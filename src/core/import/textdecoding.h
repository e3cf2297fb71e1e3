// How an imported file's bytes become the UTF-8 text the catalogue holds: a byte-order mark names
// UTF-8 or UTF-16; without one, text that is valid UTF-8 is taken as UTF-8 and anything else as
// Windows-1252, which is what spreadsheets write when they are not asked for Unicode.
#pragma once

#include "core/base/result.h"

#include <string>
#include <string_view>

namespace discora {

enum class TextEncoding
{
    Utf8,
    Windows1252,
    Utf16,
};

struct DecodedText
{
    std::string text;
    TextEncoding encoding = TextEncoding::Utf8;
};

inline constexpr const char* kImportEmptyFile = "The file is empty.";
inline constexpr const char* kImportNotText =
    "The file does not hold text; choose a file of comma-separated values.";

// Fails for a file with nothing but blanks and line ends in it, and for one that is not text
// (a NUL byte, or more control characters than any text has).
Result<DecodedText> decodeText(std::string bytes);

std::string_view encodingName(TextEncoding encoding);

} // namespace discora
