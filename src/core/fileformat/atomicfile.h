// Writing a whole file safely, for saving catalogues, exports and PDF files. Writing goes to the file
// the path finally names (symbolic links followed), through a temporary file beside it that replaces
// it only when everything was written, keeping its permissions; a crash leaves the old or the new
// file whole. The temporary file has no name while it is written, where the file system allows
// that, so a crash leaves nothing behind; elsewhere it is a hidden ".NAME.XXXXXX.part", and the
// next save of NAME removes those that killed saves left. In a folder where no file can be created
// but the file may be changed, the file is overwritten in place instead. Only a regular file (or a
// new one) is written: a folder, a device or a pipe is refused.
#pragma once

#include "core/base/bytesink.h"
#include "core/base/result.h"

#include <functional>
#include <string>
#include <string_view>

namespace discora {

// Why an output is refused when it is the very file being read: writing it would destroy what is
// being written from.
inline constexpr const char* kOutputIsSource =
    "It is the catalogue itself, which would be lost; choose another file.";

// Why a device, a pipe or anything else but a plain file is not written: replacing it would take
// it away, and writing into it is not what saving or exporting means.
inline constexpr const char* kNotARegularFile = "It is not a regular file, so it is not written over.";

// True when both paths name one existing file (the same device and inode), however each is spelled
// and whatever links lead to it. False when either is empty or does not exist.
bool isSameFile(const std::string& first, const std::string& second);

Status writeFileAtomically(const std::string& path, std::string_view bytes);
// The same for bytes that writeBody makes into the sink it is given, which writes them to the
// temporary file block by block.
Status writeFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& writeBody);

} // namespace discora
