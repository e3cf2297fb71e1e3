#include "core/import/coverimage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <climits>

namespace discora {

namespace {

constexpr std::array<std::string_view, 3> kCoverStems = {"cover", "folder", "front"};
constexpr std::array<std::string_view, 3> kImageExtensions = {".jpg", ".jpeg", ".png"};

char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowered(x) == lowered(y); });
}

// How much a file name is wanted as the cover: lower is better; INT_MAX for a name that is none.
int rankOf(std::string_view name, std::string_view albumName)
{
    for (std::size_t e = 0; e < kImageExtensions.size(); ++e) {
        const std::string_view extension = kImageExtensions[e];
        if (name.size() <= extension.size() ||
            !equalIgnoringCase(name.substr(name.size() - extension.size()), extension))
            continue;
        const std::string_view stem = name.substr(0, name.size() - extension.size());
        for (std::size_t s = 0; s < kCoverStems.size(); ++s)
            if (equalIgnoringCase(stem, kCoverStems[s]))
                return static_cast<int>(s * kImageExtensions.size() + e);
        if (!albumName.empty() && equalIgnoringCase(stem, albumName))
            return static_cast<int>(kCoverStems.size() * kImageExtensions.size() + e);
    }
    return INT_MAX;
}

} // namespace

std::optional<std::string> folderCoverImage(const std::string& folderPath, std::string_view albumName)
{
    DIR* dir = ::opendir(folderPath.c_str());
    if (!dir)
        return std::nullopt;
    const int dirFd = ::dirfd(dir);
    int bestRank = INT_MAX;
    std::string best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const int rank = rankOf(name, albumName);
        if (rank == INT_MAX || rank > bestRank || (rank == bestRank && name >= best))
            continue;
        struct stat st
        {
        };
        if (::fstatat(dirFd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        bestRank = rank;
        best = name;
    }
    ::closedir(dir);
    if (best.empty())
        return std::nullopt;
    std::string path = folderPath;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path += best;
}

} // namespace discora
