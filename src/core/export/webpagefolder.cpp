#include "core/export/webpagefolder.h"

#include "core/fileformat/atomicfile.h"
#include "core/fileformat/coverfolder.h"

#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace discora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarkerText = "A web page of a music collection, exported by Discora. Exporting "
                                         "again to this folder replaces its pages and covers.\n";

Error cannotExport(const std::string& folder, const std::string& why)
{
    return Error{"Cannot export the web page to \"" + folder + "\". " + why};
}

std::string reason(const std::error_code& ec)
{
    std::string text = ec.message();
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + ".";
}

bool isRegularFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(path, ec));
}

// A file an export may remove: a regular file or a link (the link goes, not what it names).
bool isRemovable(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    return fs::is_regular_file(status) || fs::is_symlink(status);
}

// Writes one of the files an export names. Writing follows a symbolic link to the file it names, so
// a link in the folder is replaced by the file itself and what it pointed to stays as it was.
Status writeOwnFile(const fs::path& path, std::string_view bytes)
{
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec)) && !fs::remove(path, ec))
        return Error{reason(ec)};
    return writeFileAtomically(path.string(), bytes);
}

// Removes the files of the folder whose names stale() picks.
template <class Stale> int removeFiles(const fs::path& folder, Stale stale)
{
    std::error_code ec;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (stale(it->path().filename().string()) && isRemovable(it->path()))
            doomed.push_back(it->path());
    int removed = 0;
    for (const fs::path& path : doomed)
        if (fs::remove(path, ec))
            ++removed;
    return removed;
}

} // namespace

Status prepareWebPageFolder(const std::string& folder)
{
    if (folder.empty())
        return Error{"Name the folder for the web page."};
    const fs::path dir(folder);
    std::error_code ec;
    const fs::file_status status = fs::status(dir, ec);
    if (status.type() == fs::file_type::not_found) {
        if (!fs::create_directory(dir, ec))
            return cannotExport(folder, reason(ec));
    } else if (ec) {
        return cannotExport(folder, reason(ec));
    } else if (!fs::is_directory(status)) {
        return cannotExport(folder, "It is not a folder.");
    } else if (!isRegularFile(dir / kWebPageMarker)) {
        const fs::directory_iterator first(dir, ec);
        if (ec)
            return cannotExport(folder, reason(ec));
        if (first != fs::directory_iterator())
            return cannotExport(folder, kWebPageFolderInUse);
    }
    if (Status written = writeOwnFile(dir / kWebPageMarker, kMarkerText); !written)
        return cannotExport(folder, written.error());
    const fs::path covers = dir / kWebPageFolderOfCovers;
    if (!fs::create_directory(covers, ec) && !fs::is_directory(fs::symlink_status(covers, ec)))
        return cannotExport(folder, "The covers folder cannot be made inside it.");
    return success();
}

std::string thumbnailPath(const std::string& folder, std::string_view coverName)
{
    const std::string file = thumbnailFileName(coverName);
    return file.empty() ? file : (fs::path(folder) / file).string();
}

Status writeWebPages(const std::string& folder, const Catalogue& doc, const WebPageSource& source,
                     ProgressSink* progress)
{
    const int pages = webPageCount(source.albums.size());
    ProgressScope scope(progress, kWebPageStatusText, pages);
    std::set<std::string> written;
    for (int page = 0; page < pages; ++page) {
        const std::string name = webPageFileName(page);
        if (Status status = writeOwnFile(fs::path(folder) / name, webPageText(doc, source, page)); !status)
            return cannotExport(folder, status.error());
        written.insert(name);
        scope.step();
    }
    if (pages > 1) {
        if (Status status = writeOwnFile(fs::path(folder) / kWebSearchIndexFileName,
                                         webSearchIndexText(doc, source.albums));
            !status)
            return cannotExport(folder, status.error());
        written.insert(kWebSearchIndexFileName);
    }
    removeFiles(folder, [&](const std::string& name) {
        return (isWebPageFileName(name) || name == kWebSearchIndexFileName) && !written.contains(name);
    });
    return success();
}

int removeUnusedThumbnails(const std::string& folder, const std::set<std::string>& usedFiles)
{
    return removeFiles(fs::path(folder) / kWebPageFolderOfCovers, [&](const std::string& name) {
        return name.ends_with(".jpg") && isCoverName(name) && !usedFiles.contains(name);
    });
}

} // namespace discora
