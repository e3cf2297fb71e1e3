// Reads the tags and the playing time of one audio file (FLAC, Ogg Vorbis, Opus, MP3, MP4/M4A, WAV,
// AIFF). The one file of the program that uses TagLib.
#pragma once

#include "core/base/result.h"
#include "core/import/audiotrack.h"

#include <string>
#include <string_view>

namespace discora {

// Whether a file name ends in an extension of the kinds above (in any letter case).
bool hasAudioExtension(std::string_view fileName);

// Tag texts are cut to this many bytes (at a character boundary): no field of an album needs more,
// and a hostile tag of megabytes must not reach the catalogue.
inline constexpr std::size_t kAudioTagTextLimit = 1024;

// What is said of a file or folder that could not be opened: "not readable: " and the system's
// reason ("Permission denied", "File name too long").
std::string notReadableBecause(int error);
// Said of a name that no longer leads to a file (a pipe, a device) when it is read.
inline constexpr const char* kAudioNotAFile = "no longer a file";

// Fails with a short reason ("not a readable FLAC file", "not readable: Permission denied") when
// the file cannot be opened, is not a regular file when opened, or is not of the kind its name
// says. The track's folder and file name are left for the caller to fill.
Result<AudioTrack> readAudioFile(const std::string& path);

} // namespace discora
