// The albums of a scanned folder of audio files: tracks grouped into one album entry per disc,
// songs in order with their playing times, and the albums made into records the catalogue adds.
#pragma once

#include "core/import/audiofolderscan.h"
#include "core/model/albumstore.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class ProgressSink;

inline constexpr const char* kVariousArtists = "Various Artists";
inline constexpr const char* kUnknownArtist = "Unknown Artist";
inline constexpr const char* kMixedFormats = "Digital";
inline constexpr const char* kAudioImportStatusText = "Importing the Audio Files";

struct AudioAlbum
{
    std::string artist;
    std::string title;       // the album tag, or for untagged files the folder's name
    int disc = 0;            // 0 when the tracks name no disc
    int discCount = 1;       // discs of the release
    std::vector<int> tracks; // indices into the scan's tracks, in song order, at most 26
    int droppedTracks = 0;   // beyond the 26 an album holds
    std::string format;      // its files' format, "Digital" when they differ
    bool untagged = false;   // its files name no album: grouped by their folder
    bool inCatalogue = false;
    bool chosen = true;

    // The title, as "Title (Disc N)" when the release has more than one disc.
    std::string name() const;
    // What the import dialog says about it: "", or e.g. "30 songs; the last 4 are left out".
    std::string problem() const;
};

// Grouping: album artist (else the artist all its tracks share, else "Various Artists"), album
// and disc; tracks without an album tag by folder (an untagged folder named "Artist - Album" gives
// both). Folders with the same album tags are one album when their tracks complement each other
// (all numbered, no disc and track number twice), else an album each. Songs in disc and
// track-number order, then by file name. Albums in the order their first files were found.
std::vector<AudioAlbum> groupAudioAlbums(const AudioScan& scan);

// The song title of a track: its title tag, else its file name without the extension and a
// leading track number ("01 - Intro.flac" gives "Intro").
std::string songTitleOf(const AudioTrack& track);
// "MM:SS" (minutes beyond 99 as they come); "" for an unknown length.
std::string playingTime(int seconds);

// The tags the import reads, by the names the command line gives them.
enum class AudioTag
{
    Artist,
    AlbumArtist,
    Album,
    Title,
    Track,
    Disc,
    Genre,
    Year,
    Label,
    CatalogNumber,
    Comment,
};
inline constexpr int kAudioTagCount = 11;

std::optional<AudioTag> audioTagFromName(std::string_view name);
std::string_view audioTagName(AudioTag tag);
// "artist, albumartist, ..." for a usage text.
std::string audioTagNameList();
// Title, track and disc make the songs and the discs; the others fill a field of the album.
bool isAlbumTag(AudioTag tag);

// Which field of the album each album tag fills (nothing for "ignore"). artist and albumartist
// both name the album's artist as grouping chose it.
class AudioTagMapping
{
public:
    // artist to Artist, album to Album Name, genre to Music Type, label and catalognumber to
    // theirs; year to the custom field headed "Year" (any letter case), if one is, else to Year;
    // comment nowhere. The album's Year, MusicBrainz release ID and barcode details are filled
    // from their tags in any case.
    static AudioTagMapping withDefaults(const std::array<std::string, 2>& customHeadings);

    std::optional<Field> field(AudioTag tag) const;
    void assign(AudioTag tag, std::optional<Field> field);

private:
    static std::size_t slot(AudioTag tag);
    std::array<std::optional<Field>, kAudioTagCount> m_fields{};
};

// The fields an album tag can fill: every field of the album but the songs and performers.
bool isAlbumField(Field field);

struct AudioAlbumOptions
{
    AudioTagMapping mapping;
    std::string mediaType; // "" gives each album its format
};

// The chosen albums as records, numbered after albumCount; one progress step per album.
AlbumStore audioAlbumRecords(const AudioScan& scan, std::span<const AudioAlbum> albums,
                             const AudioAlbumOptions& options, int albumCount,
                             ProgressSink* progress = nullptr);

struct AudioImportReport
{
    int albums = 0;      // added
    int songs = 0;       // added
    int notChosen = 0;   // albums found but left unticked (or already in the catalogue)
    int inCatalogue = 0; // of those, already in the catalogue
    int otherFiles = 0;
    int unreadable = 0;        // files
    int unreadableFolders = 0; // whose files, if any, are missing from the import
    int loops = 0;
    int shortened = 0;                     // albums that keep only 26 songs
    int droppedSongs = 0;                  // the songs those leave out
    std::vector<AudioScanProblem> skipped; // every unreadable folder and file, with its reason
};

// What the status bar says afterwards, e.g. "Imported 2 albums with 21 songs; skipped 1 file of
// another kind."
std::string audioImportSummary(const AudioImportReport& report);

} // namespace discora
