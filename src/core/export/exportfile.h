// An export's bytes and how they reach the disk. Exports are Windows-1252, as other programs expect,
// whenever every character fits; otherwise the whole file is UTF-8 behind a byte-order mark, so no
// character is lost or replaced, and the window tells the user which it wrote.
#pragma once

#include "core/base/result.h"

#include <string>
#include <string_view>

namespace discora {

inline constexpr const char* kUtf8ExportNotice =
    "Some texts do not fit Windows-1252, so the export was written as UTF-8.";

enum class ExportFormat
{
    Csv,
    Text
};

struct ExportedFile
{
    std::string bytes;
    bool utf8 = false;
};

// text is UTF-8, as the catalogue holds it.
ExportedFile encodeExport(std::string_view text);

// Writes beside the target and renames, so a failed export never leaves a partial file. Refuses a
// path that is the catalogue being exported (source, when it has a file).
Status writeExportFile(const std::string& path, const ExportedFile& file, const std::string& source = {});

} // namespace discora
