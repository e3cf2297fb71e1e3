// The picture an album's folder holds as its cover, for albums whose files have none embedded.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace discora {

// The path of the image in the folder named "cover", "folder", "front" or the album's name (in that
// order of preference), with the extension ".jpg", ".jpeg" or ".png" (again in that order); names
// and extensions in any letter case, which here means ASCII letters. Only regular files (or links
// to them) count. Where names differ only in letter case, the first in byte order is taken, so the
// choice does not depend on the order the folder lists them in. Nothing when none is there.
std::optional<std::string> folderCoverImage(const std::string& folderPath, std::string_view albumName);

} // namespace discora
