#include "core/fileformat/coverfolder.h"

#include "core/base/filebytes.h"
#include "core/base/texthash.h"
#include "core/fileformat/atomicfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <set>

namespace discora {

namespace {

constexpr std::string_view kFolderExtension = ".covers";
constexpr std::size_t kHashDigits = 32;
constexpr std::string_view kJpegStart = "\xFF\xD8\xFF";
constexpr std::string_view kPngStart = "\x89PNG\r\n\x1A\n";

// FNV-1a over every byte: unlike hashText it reads the bytes one by one, so the two hashes of a
// name share no structure.
std::uint64_t fnv1a(std::string_view bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3;
    }
    return hash;
}

void appendHex(std::string& out, std::uint64_t value)
{
    constexpr std::string_view digits = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4)
        out += digits[(value >> shift) & 0xF];
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
}

bool isRegularFile(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Makes the folder when it is missing; its parent (the catalogue's folder) must exist.
Status makeFolder(const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0777) == 0)
        return success();
    const int err = errno;
    struct stat st
    {
    };
    if (err == EEXIST && ::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return success();
        return Error{"The covers folder cannot be made: a file of its name is in the way."};
    }
    return Error{std::string("The covers folder cannot be made: ") + std::strerror(err) + "."};
}

// Whether the file holds exactly these bytes.
bool holds(const std::string& path, std::string_view bytes)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) != bytes.size())
        return false;
    const Result<FileBytes> held = FileBytes::read(path);
    return held && held->view() == bytes;
}

// Writes a cover into an existing folder unless it is there already.
Status putCover(const std::string& path, std::string_view bytes)
{
    if (holds(path, bytes))
        return success();
    return writeFileAtomically(path, bytes);
}

} // namespace

std::string coverFolderOf(const std::string& cataloguePath)
{
    std::string folder = cataloguePath;
    const std::size_t nameStart = folder.rfind('/') + 1; // 0 when there is no slash
    // ".dcf" alone is a hidden file's whole name, not an extension.
    if (endsWithIgnoringCase(folder, ".dcf") && folder.size() - nameStart > 4)
        folder.resize(folder.size() - 4);
    return folder += kFolderExtension;
}

bool isCoverName(std::string_view name)
{
    if (name.size() != kHashDigits + 4)
        return false;
    const std::string_view digits = name.substr(0, kHashDigits);
    const std::string_view extension = name.substr(kHashDigits);
    return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos &&
           (extension == ".jpg" || extension == ".png");
}

Result<std::string> coverNameOf(std::string_view imageBytes)
{
    const char* extension = imageBytes.starts_with(kJpegStart)  ? ".jpg"
                            : imageBytes.starts_with(kPngStart) ? ".png"
                                                                : nullptr;
    if (!extension)
        return Error{kCoverNotAnImage};
    if (imageBytes.size() > kCoverByteLimit)
        return Error{kCoverTooLarge};
    std::string name;
    name.reserve(kHashDigits + 4);
    appendHex(name, hashText(imageBytes));
    appendHex(name, fnv1a(imageBytes));
    return name += extension;
}

Result<std::string> addCover(const std::string& folder, std::string_view imageBytes)
{
    Result<std::string> name = coverNameOf(imageBytes);
    if (!name)
        return name;
    if (const Status made = makeFolder(folder); !made)
        return Error{made.error()};
    if (const Status put = putCover(coverPath(folder, *name), imageBytes); !put)
        return Error{put.error()};
    return name;
}

std::string coverPath(const std::string& folder, std::string_view name)
{
    if (!isCoverName(name))
        return {};
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path += name;
}

bool coverPresent(const std::string& folder, std::string_view name)
{
    const std::string path = coverPath(folder, name);
    return !path.empty() && isRegularFile(path);
}

Result<std::vector<std::string>> copyCovers(const std::string& fromFolder, const std::string& toFolder,
                                            std::span<const std::string> names)
{
    const bool sameFolder = isSameFile(fromFolder, toFolder);
    std::vector<std::string> missing;
    bool folderMade = false;
    std::set<std::string_view> seen;
    for (const std::string& name : names) {
        if (!seen.insert(name).second)
            continue;
        if (!coverPresent(fromFolder, name)) {
            missing.push_back(name);
            continue;
        }
        if (sameFolder)
            continue;
        // A cover that cannot be read is as lost to the new catalogue as a missing one.
        const Result<FileBytes> bytes = FileBytes::read(coverPath(fromFolder, name));
        if (!bytes) {
            missing.push_back(name);
            continue;
        }
        if (!folderMade) {
            if (const Status made = makeFolder(toFolder); !made)
                return Error{made.error()};
            folderMade = true;
        }
        if (const Status put = putCover(coverPath(toFolder, name), bytes->view()); !put)
            return Error{put.error()};
    }
    return missing;
}

int removeUnusedCovers(const std::string& folder, std::span<const std::string> usedNames)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    const std::set<std::string_view> used(usedNames.begin(), usedNames.end());
    const int dirFd = ::dirfd(dir);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!isCoverName(name) || used.contains(name))
            continue;
        // A folder a user gave such a name is not ours either.
        struct stat st
        {
        };
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode))
            continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

std::vector<std::string> coverNamesOf(const AlbumStore& albums)
{
    std::vector<std::string> names;
    for (int a = 0; a < albums.albumCount(); ++a)
        if (albums.hasText(Field::Cover, a))
            names.emplace_back(albums.text(Field::Cover, a));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace discora
