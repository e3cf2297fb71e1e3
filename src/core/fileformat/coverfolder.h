// The covers folder beside a catalogue: "Jazz.dcf" keeps its covers in "Jazz.covers/", one file a
// picture, named by a hash of its bytes and the extension of its kind ("3f2a...e1.jpg"), so albums
// with the same picture share one file. The catalogue refers to a cover by that name; this is the
// only code that turns such a name into a path, and it never leads out of the folder.
#pragma once

#include "core/base/result.h"
#include "core/model/albumstore.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

// Pictures above this size are scaled down before they are added; here they are refused.
inline constexpr std::size_t kCoverByteLimit = std::size_t{10} << 20;

inline constexpr const char* kCoverNotAnImage = "not a JPEG or PNG image";
inline constexpr const char* kCoverTooLarge = "larger than 10 MB; scale it down first";

// "/a/Jazz.dcf" -> "/a/Jazz.covers". A name without the ".dcf" extension (in any letter case) keeps
// its whole name: "/a/Jazz.bak" -> "/a/Jazz.bak.covers", never the folder of "/a/Jazz.dcf".
std::string coverFolderOf(const std::string& cataloguePath);

// Whether a name is one Discora gives a cover: 32 lower-case hex digits and ".jpg" or ".png".
bool isCoverName(std::string_view name);

// The name these bytes are kept under: two different 64-bit hashes of the bytes as 32 hex digits,
// and ".jpg" or ".png" after what the bytes start with. Fails for anything else or beyond the limit.
Result<std::string> coverNameOf(std::string_view imageBytes);

// Keeps a picture in the folder (made first when missing, the folder only, not its parents) and
// gives its name. The file is written whole or not at all; one that already holds these bytes is
// left as it is.
Result<std::string> addCover(const std::string& folder, std::string_view imageBytes);

// The cover's file in the folder; empty for a name that is not a cover name ("../x", "/etc/passwd").
std::string coverPath(const std::string& folder, std::string_view name);
// Whether the folder has a regular file for this cover name.
bool coverPresent(const std::string& folder, std::string_view name);

// The covers the albums name, each once, in order of name.
std::vector<std::string> coverNamesOf(const AlbumStore& albums);

// For Save As: copies the covers of these names from one folder to another (made when the first
// cover is copied). A cover that is missing (or a name that is not a cover name) is skipped and
// given back in the list; only a failure to write ends the copy. Copying a folder onto itself does
// nothing.
Result<std::vector<std::string>> copyCovers(const std::string& fromFolder, const std::string& toFolder,
                                            std::span<const std::string> names);

// Removes the covers no album uses any more: only files whose names are cover names; whatever else
// a user keeps there stays. How many files were removed.
int removeUnusedCovers(const std::string& folder, std::span<const std::string> usedNames);

} // namespace discora
