// The folder a web page is exported to. An export writes nothing there but files of names it gives
// (the pages, covers/NAME.jpg and a marker file), so a folder of a user's own files is refused; the
// marker tells a folder an earlier export wrote, whose pages and thumbnails are replaced.
#pragma once

#include "core/base/progresssink.h"
#include "core/base/result.h"
#include "core/export/webpage.h"

#include <set>
#include <string>

namespace discora {

class Catalogue;

inline constexpr const char* kWebPageMarker = ".discora-web-page";
inline constexpr const char* kWebPageStatusText = "Writing the Web Page";
inline constexpr const char* kWebPageFolderInUse =
    "The folder holds other files; choose an empty folder or one a web page was exported to before.";

// Makes the folder (its parent must exist) or takes an empty one or one with the marker, and makes
// the marker and the covers folder inside it. Nothing is written to a folder it refuses.
Status prepareWebPageFolder(const std::string& folder);

// Where the thumbnail of a cover goes; empty for a name that is not a cover name.
std::string thumbnailPath(const std::string& folder, std::string_view coverName);

// Writes the pages into a prepared folder, each whole or not at all, and removes the further
// pages an earlier export of more albums left. One progress step a page.
Status writeWebPages(const std::string& folder, const Catalogue& doc, const WebPageSource& source,
                     ProgressSink* progress = nullptr);

// Removes the thumbnails of the covers folder that no page shows any more (usedFiles: "NAME.jpg");
// files of other names stay. How many were removed.
int removeUnusedThumbnails(const std::string& folder, const std::set<std::string>& usedFiles);

} // namespace discora
