// Writing a ".dcf" catalogue file in the current version, into a sink as the bytes are made, as one
// string, or to a file through atomicfile.h.
#pragma once

#include "core/base/bytesink.h"
#include "core/base/result.h"
#include "core/model/albumstore.h"
#include "core/model/columnlayout.h"

#include <array>
#include <string>
#include <string_view>

namespace discora {

// Albums with details (or identities worth keeping) are followed by the details block; keptBlock
// is a newer program's block, written back as it was read when the albums have no details.
void writeCatalogue(ByteSink& sink, const AlbumStore& albums, const ColumnLayouts& layouts,
                    const std::array<std::string, 2>& headings, std::string_view keptBlock = {});
std::string writeCatalogue(const AlbumStore& albums, const ColumnLayouts& layouts,
                           const std::array<std::string, 2>& headings, std::string_view keptBlock = {});
// Saves to the file at path; a failure, memory included, says "Cannot save "PATH". REASON".
Status writeCatalogueFile(const std::string& path, const AlbumStore& albums, const ColumnLayouts& layouts,
                          const std::array<std::string, 2>& headings, std::string_view keptBlock = {});

} // namespace discora
