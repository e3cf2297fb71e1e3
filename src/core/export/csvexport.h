// The comma-separated export: a heading line, then one line per album, CR LF after each. Every
// value is framed as a double quote, the text, a double quote and a comma, so each line ends in a
// comma; a double quote inside a value is doubled, the one escape every CSV reader expects.
#pragma once

#include "core/export/exportfile.h"
#include "core/export/exportsettings.h"

#include <cstdint>
#include <span>
#include <string>

namespace discora {

class Catalogue;
class ProgressSink;

inline constexpr const char* kCsvStatusText = "Writing the CSV File";

// The file's text in UTF-8 for the given albums, in the given sequence (see albumsOfEntries).
// One progress step per album.
std::string csvText(const Catalogue& doc, const ExportSettings& settings,
                    std::span<const std::uint32_t> albums, ProgressSink* progress = nullptr);

ExportedFile csvExport(const Catalogue& doc, const ExportSettings& settings,
                       std::span<const std::uint32_t> albums, ProgressSink* progress = nullptr);

} // namespace discora
