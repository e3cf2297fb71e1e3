// The text document export: one block of labelled lines per album, with the songs and the
// performers in fixed columns, LF line ends, two empty lines after every block.
#pragma once

#include "core/export/exportfile.h"
#include "core/export/exportsettings.h"

#include <cstdint>
#include <span>
#include <string>

namespace discora {

class Catalogue;
class ProgressSink;

inline constexpr const char* kTextStatusText = "Writing the Doc File";

// The file's text in UTF-8 for the given albums, in the given sequence (see albumsOfEntries).
// Columns are counted in characters, so they line up in either encoding.
std::string textDocument(const Catalogue& doc, const ExportSettings& settings,
                         std::span<const std::uint32_t> albums, ProgressSink* progress = nullptr);

ExportedFile textExport(const Catalogue& doc, const ExportSettings& settings,
                        std::span<const std::uint32_t> albums, ProgressSink* progress = nullptr);

} // namespace discora
