// What a release found online gives an album: the medium that is the disc in the drive, the song
// titles and times for the slots still empty, and the empty album fields it fills. Typed text is
// never replaced.
#pragma once

#include "core/lookup/release.h"
#include "core/model/albumrecord.h"

#include <string>
#include <vector>

namespace discora {

// The medium of release that is the disc with this ID; failing that (a similar disc found by its
// table of contents, or a release found by name) the first with trackCount tracks when given, else
// the first medium. Null for a release without media.
const ReleaseMedium* chooseMedium(const Release& release, const std::string& discId, int trackCount = 0);

// A track's length as the catalogue writes a time, "MM:SS", rounded to the nearest second; empty
// for an unknown length.
std::string formatLength(const std::optional<int>& lengthMs);

enum class ReleaseTimes
{
    Fill, // no disc was read: the release's track lengths fill empty times
    Skip, // the disc's own times are the ones to keep
};

struct ReleaseFill
{
    AlbumRecord album;
    // What was filled, in the user's words: "group/artist", "album name", "3 song titles"...
    std::vector<std::string> filled;
};

// The album as typed with its empty group/artist, album name, label, catalogue number, media type,
// song titles and (when asked) song times filled from the release's medium.
// With ReleaseTimes::Skip, discTimes (the disc's own, read from its table of contents, in track
// order) fill the empty song times instead.
ReleaseFill fillFromRelease(const AlbumRecord& typed, const Release& release, const ReleaseMedium* medium,
                            ReleaseTimes times, const std::vector<std::string>& discTimes = {});

// The status line after a fill: "Filled from MusicBrainz: group/artist, album name and 12 song
// titles." or that nothing was empty.
std::string fillSummary(const std::vector<std::string>& filled);
// What the status line adds when the medium has more tracks than an album has song slots: the
// n-th track goes to the n-th slot, so those past the last are left out. Empty when none are.
std::string tracksLeftOut(const ReleaseMedium& medium);

// The media type the catalogue uses for a medium's format: CD, LP, Cassette, or the format itself.
std::string mediaTypeOf(const std::string& format);

// The year of a release date ("1999" of "1999-04-12").
std::string releaseYear(const std::string& date);

// What `discora --lookup` prints: one line per release (tab-separated "release", artist, title,
// date, label, catalogue number, country, release ID), then one line per track of the medium:
// the two-digit track number, MM:SS and the title.
std::string releaseLine(const Release& release);
// A track MusicBrainz gives no length takes the disc's own (discTimes, in track order) when known.
std::vector<std::string> trackLines(const ReleaseMedium& medium,
                                    const std::vector<std::string>& discTimes = {});

} // namespace discora
