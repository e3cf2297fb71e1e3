// Walks a folder and everything below it for audio files and reads each one: the first step of
// importing a folder of audio files. It runs on a worker thread; it touches nothing but its own
// result and the counters it shares with the window (files found, files read, Cancel).
#pragma once

#include "core/base/result.h"
#include "core/import/audiotrack.h"

#include <atomic>
#include <string>
#include <vector>

namespace discora {

// Written by the scan, read by the window while it runs; cancel is set by the window.
struct AudioScanProgress
{
    std::atomic<int> found{0}; // audio files found so far
    std::atomic<int> read{0};  // of those, read so far
    std::atomic<bool> cancel{false};
};

struct AudioScanProblem
{
    std::string file; // relative to the scanned folder
    std::string reason;
    bool folder = false; // a folder that could not be read, rather than a file
};

struct AudioScan
{
    std::string folderName; // the scanned folder's own name, for untagged files lying in it
    std::vector<AudioTrack> tracks;
    int otherFiles = 0; // files of kinds the import does not read
    int loops = 0;      // folders reached a second time through a link, not scanned again
    std::vector<AudioScanProblem> unreadable; // audio names but no audio to read, folders not read
    bool cancelled = false;

    int unreadableFolders() const;
    int unreadableFiles() const;
};

// An audio file the walk found, not read yet.
struct AudioFileName
{
    std::string folder; // relative to the scanned folder, "" for the folder itself
    std::string name;
};

// The walk of a folder before any file is read.
struct AudioFolderListing
{
    std::string root;
    AudioScan scan; // everything but the tracks
    std::vector<AudioFileName> files;
};

inline constexpr const char* kAudioFolderMissing = "There is no such folder.";
inline constexpr const char* kAudioFolderEmpty = "It holds no audio files.";

// Fails with "Cannot import "DIR". REASON" when DIR is not a folder that can be read. Symbolic
// links are followed, but a folder or file reached a second time (a link back up the tree, two
// links to one place) is not read again. Folders and files are taken in name order.
Result<AudioScan> scanAudioFolder(const std::string& dir, AudioScanProgress* progress = nullptr);

// The two halves of scanAudioFolder: the walk, and the reading of the files it found. A file that
// is no longer a regular file by the time it is read is skipped as unreadable.
Result<AudioFolderListing> listAudioFolder(const std::string& dir, AudioScanProgress* progress = nullptr);
AudioScan readAudioFolder(AudioFolderListing listing, AudioScanProgress* progress = nullptr);

} // namespace discora
