// One audio file as the folder import sees it: where it lies, what kind it is, its length and the
// tags the import uses. Texts are UTF-8; a number the tags do not give is 0.
#pragma once

#include <string>

namespace discora {

struct AudioTrack
{
    std::string folder;   // the folder it lies in, as reached from the scanned folder
    std::string fileName; // its name in that folder
    std::string format;   // "FLAC", "Ogg Vorbis", "Opus", "MP3", "MP4", "WAV" or "AIFF"
    int seconds = -1;     // the playing time, rounded; -1 when the file does not say

    std::string artist;
    std::string albumArtist;
    std::string album;
    std::string title;
    std::string genre;
    std::string year;
    std::string label;
    std::string catalogNumber;
    std::string comment;
    std::string musicBrainzAlbumId; // the MusicBrainz release the file was tagged from
    std::string barcode;
    int track = 0;
    int disc = 0;
    int discTotal = 0;
};

} // namespace discora
