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

// What the walk found before reading anything: the audio files, in the order they are read.
struct FoundFile
{
    std::string folder; // relative to the scanned folder, "" for the folder itself
    std::string name;
};

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
    std::vector<FoundFile> walk()
    {
        std::vector<FoundFile> found;
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
            fs::directory_iterator it(m_root / folder, fs::directory_options::skip_permission_denied, error);
            if (error) {
                m_scan.unreadable.push_back({folder, "the folder cannot be read"});
                continue;
            }
            for (const fs::directory_entry& entry : it) {
                std::error_code statusError;
                const fs::file_status status = entry.status(statusError); // follows links
                const std::string name = entry.path().filename().string();
                if (statusError) {
                    // A link to nothing, or an entry that vanished while the folder was read.
                    if (hasAudioExtension(name))
                        m_scan.unreadable.push_back({joined(folder, name), "the file cannot be opened"});
                    else
                        ++m_scan.otherFiles;
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

Result<AudioScan> scanAudioFolder(const std::string& dir, AudioScanProgress* progress)
{
    std::error_code error;
    const fs::path root(dir);
    if (dir.empty() || !fs::is_directory(root, error))
        return Error{cannotImport(dir, kAudioFolderMissing)};
    AudioScan scan;
    scan.folderName = fs::weakly_canonical(root, error).filename().string();
    FolderWalk walk(root, scan, progress);
    const std::vector<FoundFile> found = walk.walk();
    scan.tracks.reserve(found.size());
    for (const FoundFile& file : found) {
        if (walk.cancelled())
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
    scan.cancelled = walk.cancelled();
    return scan;
}

} // namespace discora
