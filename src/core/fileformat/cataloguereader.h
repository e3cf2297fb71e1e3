// Reading a ".dcf" catalogue file of any version: every count and length is checked against the
// bytes that are left before anything is allocated; malformed input and memory exhaustion fail the
// whole read.
#pragma once

#include "core/base/progresssink.h"
#include "core/base/result.h"
#include "core/fileformat/cataloguefile.h"
#include "core/model/albumstore.h"
#include "core/model/columnlayout.h"

#include <array>
#include <string>
#include <string_view>

namespace discora {

struct LoadedCatalogue
{
    AlbumStore albums;
    ColumnLayouts layouts;
    std::array<std::string, 2> headings;
    int version = kCurrentFileVersion;
    // Why the file's collection details were not read, when they were not; the albums are read
    // all the same.
    std::string detailsNotice;
    // A details block of a newer version, kept to be written back as it was.
    std::string keptBlock;
};

// What the document holds before the load: older files leave layouts as they were, and an empty
// heading in the file keeps the heading currently shown.
struct LoadBase
{
    ColumnLayouts layouts;
    std::array<std::string, 2> headings;
};

// Reads a whole file's bytes.
Result<LoadedCatalogue> readCatalogue(std::string_view bytes, const LoadBase& base, ProgressSink* progress);
// Reads the file at path; a failure says "Cannot open "PATH". REASON".
Result<LoadedCatalogue> readCatalogueFile(const std::string& path, const LoadBase& base,
                                          ProgressSink* progress);
std::string cannotOpen(const std::string& path, std::string_view reason);

} // namespace discora
