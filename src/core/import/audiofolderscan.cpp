#include "core/import/audiofolderscan.h"

#include "core/import/audiofilereader.h"
#include "core/import/csvreader.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <utility>

namespace discora {

namespace {

namespace fs = std::filesystem;

using FileId = std::pair<dev_t, ino_t>;

std::optional<FileId> idOf(const fs::path& path)
{
    struct stat st = {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileId{st.st_dev, st.st_ino};
}

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() ? name : folder + "/" + name;
}

class FolderWalk
{
public:
    FolderWalk(const fs::path& root, AudioScan& scan, AudioScanProgress* progress)
        : m_root(root), m_scan(scan), m_progress(progress)
    {}

    // Depth first, each folder's entries in name order; an explicit stack rather than recursion,
    // so a deep tree cannot exhaust the thread's stack.
    std::vector<AudioFileName> walk()
    {
        std::vector<AudioFileName> found;
        std::vector<std::string> pending{""};
        if (const auto id = idOf(m_root))
            m_seen.insert(*id);
        while (!pending.empty()) {
            if (cancelled())
                break;
            const std::string folder = std::move(pending.back());
            pending.pop_back();
            std::vector<std::pair<std::string, bool>> entries; // name, is a folder
            std::error_code error;
            // A folder the user may not read is named, not passed over: the files in it are missing
            // from the import, and the user should know why.
            fs::directory_iterator it(m_root / folder, error);
            if (error) {
                m_scan.unreadable.push_back({folder, notReadableBecause(error.value()), true});
                continue;
            }
            for (; it != fs::directory_iterator(); it.increment(error)) {
                if (error)
                    break;
                const fs::directory_entry& entry = *it;
                std::error_code statusError;
                const fs::file_status status = entry.status(statusError); // follows links
                const std::string name = entry.path().filename().string();
                if (statusError) {
                    // A link to nothing, or an entry that vanished while the folder was read, is
                    // only worth a word when it had an audio name; anything else (a path too long
                    // for the system, a folder the user may not enter) may hide audio files.
                    const bool gone = statusError == std::errc::no_such_file_or_directory;
                    std::error_code typeError; // the kind the folder listing gave, when it gave one
                    const bool isFolder = entry.is_directory(typeError);
                    if (gone && !hasAudioExtension(name))
                        ++m_scan.otherFiles;
                    else
                        m_scan.unreadable.push_back(
                            {joined(folder, name), notReadableBecause(statusError.value()), isFolder});
                    continue;
                }
                if (!fs::is_directory(status) && !fs::is_regular_file(status)) {
                    ++m_scan.otherFiles;
                    continue;
                }
                const auto id = idOf(entry.path());
                if (id && !m_seen.insert(*id).second) {
                    if (fs::is_directory(status))
                        ++m_scan.loops;
                    continue;
                }
                entries.emplace_back(name, fs::is_directory(status));
            }
            if (error)
                m_scan.unreadable.push_back({folder, notReadableBecause(error.value()), true});
            std::sort(entries.begin(), entries.end());
            // Subfolders go on the stack last first, so they are walked in name order.
            for (auto e = entries.rbegin(); e != entries.rend(); ++e)
                if (e->second)
                    pending.push_back(joined(folder, e->first));
            for (const auto& [name, isFolder] : entries) {
                if (isFolder)
                    continue;
                if (!hasAudioExtension(name)) {
                    ++m_scan.otherFiles;
                    continue;
                }
                found.push_back({folder, name});
                if (m_progress)
                    m_progress->found.fetch_add(1, std::memory_order_relaxed);
            }
        }
        return found;
    }

    bool cancelled() const { return m_progress && m_progress->cancel.load(std::memory_order_relaxed); }

private:
    fs::path m_root;
    AudioScan& m_scan;
    AudioScanProgress* m_progress;
    std::set<FileId> m_seen;
};

} // namespace

int AudioScan::unreadableFolders() const
{
    return static_cast<int>(std::count_if(unreadable.begin(), unreadable.end(),
                                          [](const AudioScanProblem& p) { return p.folder; }));
}

int AudioScan::unreadableFiles() const
{
    return static_cast<int>(unreadable.size()) - unreadableFolders();
}

Result<AudioFolderListing> listAudioFolder(const std::string& dir, AudioScanProgress* progress)
{
    std::error_code error;
    const fs::path root(dir);
    if (dir.empty() || !fs::is_directory(root, error)) {
        if (!error || error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
            return Error{cannotImport(dir, kAudioFolderMissing)};
        return Error{cannotImport(dir, "It is " + notReadableBecause(error.value()) + ".")};
    }
    AudioFolderListing listing;
    listing.root = dir;
    listing.scan.folderName = fs::weakly_canonical(root, error).filename().string();
    FolderWalk walk(root, listing.scan, progress);
    listing.files = walk.walk();
    // The folder itself unreadable is the whole import failing, not a folder skipped.
    if (listing.files.empty() && !listing.scan.unreadable.empty() && listing.scan.unreadable.front().folder &&
        listing.scan.unreadable.front().file.empty())
        return Error{cannotImport(dir, "It is " + listing.scan.unreadable.front().reason + ".")};
    listing.scan.cancelled = walk.cancelled();
    return listing;
}

AudioScan readAudioFolder(AudioFolderListing listing, AudioScanProgress* progress)
{
    const fs::path root(listing.root);
    AudioScan& scan = listing.scan;
    const auto cancelled = [&] { return progress && progress->cancel.load(std::memory_order_relaxed); };
    scan.tracks.reserve(listing.files.size());
    for (const AudioFileName& file : listing.files) {
        if (cancelled())
            break;
        Result<AudioTrack> track = readAudioFile((root / file.folder / file.name).string());
        if (track) {
            track->folder = file.folder;
            track->fileName = file.name;
            scan.tracks.push_back(std::move(*track));
        } else {
            scan.unreadable.push_back({joined(file.folder, file.name), track.error()});
        }
        if (progress)
            progress->read.fetch_add(1, std::memory_order_relaxed);
    }
    scan.cancelled = scan.cancelled || cancelled();
    return std::move(scan);
}

Result<AudioScan> scanAudioFolder(const std::string& dir, AudioScanProgress* progress)
{
    auto listing = listAudioFolder(dir, progress);
    if (!listing)
        return Error{listing.error()};
    return readAudioFolder(std::move(*listing), progress);
}

} // namespace discora
