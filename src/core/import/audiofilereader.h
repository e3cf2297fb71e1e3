// Reads the tags, the playing time and the embedded front cover of one audio file (FLAC, Ogg
// Vorbis, Opus, MP3, MP4/M4A, WAV, AIFF). The one file of the program that uses TagLib.
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

// The bytes of the front cover embedded in the file (FLAC pictures, ID3v2 APIC frames in MP3, WAV,
// AIFF and FLAC files, MP4 "covr" items, Ogg METADATA_BLOCK_PICTURE): the first picture marked as
// the front cover, else the first picture. Empty when there is none or the file cannot be read.
// Apart from the tracks, so that a scan of thousands of files holds no pictures: it is asked once
// an album. The bytes are as stored; whether they are an image is for the covers folder to say.
std::string readFrontCover(const std::string& path);

} // namespace discora
