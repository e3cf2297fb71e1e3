// A release of the online music database as Discora uses it: who and what it is, and its media with
// their tracks. Whatever the service leaves out stays empty.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace discora {

struct ReleaseTrack
{
    int position = 0;
    std::string title;
    std::optional<int> lengthMs;
};

struct ReleaseMedium
{
    int position = 0;
    std::string format; // "CD", "12\" Vinyl", ...
    std::vector<std::string> discIds;
    int trackCount = 0; // also known when the tracks themselves were not asked for
    std::vector<ReleaseTrack> tracks;
};

struct Release
{
    std::string id;
    std::string title;
    std::string artist; // the artist credit as printed on the release
    std::string date;   // "1999", "1999-04" or "1999-04-12"
    std::string country;
    std::string label;
    std::string catalogNumber;
    std::string barcode; // what collectors compare with the disc in hand, with the catalogue number
    std::vector<ReleaseMedium> media;
    // Whether the cover archive holds a front cover, as the database says ("cover-art-archive");
    // unknown when the answer does not say.
    std::optional<bool> frontCover;

    int trackCount() const;
    // The media's formats, "2xCD" for two alike, "CD + DVD" for different ones.
    std::string formats() const;
};

} // namespace discora
