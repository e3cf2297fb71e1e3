#include "core/export/exportfile.h"

#include "core/base/cp1252.h"
#include "core/fileformat/atomicfile.h"

namespace discora {

ExportedFile encodeExport(std::string_view text)
{
    if (auto bytes = cp1252::fromUtf8(text))
        return {std::move(*bytes), false};
    std::string bytes = "\xEF\xBB\xBF";
    bytes.append(text);
    return {std::move(bytes), true};
}

Status writeExportFile(const std::string& path, const ExportedFile& file, const std::string& source)
{
    if (isSameFile(path, source))
        return Error{"Cannot export to \"" + path + "\". " + kOutputIsSource};
    Status status = writeFileAtomically(path, file.bytes);
    if (!status)
        return Error{"Cannot export to \"" + path + "\". " + status.error()};
    return success();
}

} // namespace discora
