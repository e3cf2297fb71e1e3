// Writing a ".dcf" catalogue file in the current version, into a sink as the bytes are made, as one
// string, or to a file through atomicfile.h.
#pragma once

#include "core/base/bytesink.h"
#include "core/base/result.h"
#include "core/model/albumstore.h"
#include "core/model/columnlayout.h"

#include <array>
#include <string>

namespace discora {

void writeCatalogue(ByteSink& sink, const AlbumStore& albums, const ColumnLayouts& layouts,
                    const std::array<std::string, 2>& headings);
std::string writeCatalogue(const AlbumStore& albums, const ColumnLayouts& layouts,
                           const std::array<std::string, 2>& headings);
// Saves to the file at path; a failure, memory included, says "Cannot save "PATH". REASON".
Status writeCatalogueFile(const std::string& path, const AlbumStore& albums, const ColumnLayouts& layouts,
                          const std::array<std::string, 2>& headings);

} // namespace discora
