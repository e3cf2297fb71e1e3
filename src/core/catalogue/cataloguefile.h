// The ".dcf" catalogue file: a little-endian column store. We write version -7 and read every
// version back to the oldest, unmarked layout.
#pragma once

#include "core/catalogue/albumstore.h"
#include "core/catalogue/bytesink.h"
#include "core/catalogue/columnlayout.h"
#include "core/catalogue/progresssink.h"
#include "core/catalogue/result.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace discora {

constexpr int kCurrentFileVersion = -7;

struct LoadedCatalogue
{
    AlbumStore albums;
    ColumnLayouts layouts;
    std::array<std::string, 2> headings;
    int version = kCurrentFileVersion;
};

// What the document holds before the load: older files leave layouts as they were, and an empty
// heading in the file keeps the heading currently shown.
struct LoadBase
{
    ColumnLayouts layouts;
    std::array<std::string, 2> headings;
};

// Reads a whole file's bytes. Every count and length is checked against the bytes that are left
// before anything is allocated; malformed input and memory exhaustion fail the whole read.
Result<LoadedCatalogue> readCatalogue(std::string_view bytes, const LoadBase& base, ProgressSink* progress);

// The file's bytes, into sink as they are made, or as one string.
void writeCatalogue(ByteSink& sink, const AlbumStore& albums, const ColumnLayouts& layouts,
                    const std::array<std::string, 2>& headings);
std::string writeCatalogue(const AlbumStore& albums, const ColumnLayouts& layouts,
                           const std::array<std::string, 2>& headings);

// Plain file access for catalogues and exports. Writing goes to the file the path finally names
// (symbolic links followed), through a temporary file beside it that replaces it only when
// everything was written, keeping its permissions; a crash leaves the old or the new file whole.
// In a folder where no file can be created but the file may be changed, the file is overwritten
// in place instead.
Result<std::string> readWholeFile(const std::string& path);
Status writeFileAtomically(const std::string& path, std::string_view bytes);
// The same for bytes that writeBody makes into the sink it is given, which writes them to the
// temporary file block by block.
Status writeFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& writeBody);

} // namespace discora
