// A collection kept in a spreadsheet and saved as comma-separated values: columns Artist, Album,
// Year, Genre and Track 1 to Track 12, two albums and a row left empty.
#pragma once

#include "core/model/albumdetails.h"
#include "core/model/albumrecord.h"

#include <string>
#include <vector>

namespace discora::fixture {

inline std::vector<std::string> pastelBluesTracks()
{
    std::vector<std::string> tracks;
    for (int k = 1; k <= 12; ++k)
        tracks.push_back("Pastel " + std::to_string(k));
    return tracks;
}

inline std::string spreadsheetCsv()
{
    std::string csv = "Artist,Album,Year,Genre";
    for (int k = 1; k <= 12; ++k)
        csv += ",Track " + std::to_string(k);
    csv += "\r\nNina Simone,Pastel Blues,1965,Jazz";
    for (const std::string& t : pastelBluesTracks())
        csv += "," + t;
    csv += "\r\n\"Crosby, Stills & Nash\",Crosby Stills & Nash,1969,Rock,Suite: Judy Blue Eyes,"
           "Marrakesh Express,\"Guinnevere \"\"live\"\"\",,,,,,,,,\r\n";
    csv += ",,,,,,,,,,,,,,,\r\n";
    return csv;
}

// What the file gives with Year in the first custom field, the albums numbered from firstNumber
// and added today.
inline std::vector<AlbumRecord> spreadsheetAlbums(int firstNumber)
{
    AlbumRecord nina;
    nina.artist = "Nina Simone";
    nina.albumName = "Pastel Blues";
    nina.custom1 = "1965";
    nina.musicType = "Jazz";
    nina.number = std::to_string(firstNumber);
    const auto tracks = pastelBluesTracks();
    for (int k = 1; k <= 12; ++k)
        nina.songs[k - 1] = {tracks[k - 1], "", std::string(presetTrackNumber(k))};
    AlbumRecord csn;
    csn.artist = "Crosby, Stills & Nash";
    csn.albumName = "Crosby Stills & Nash";
    csn.custom1 = "1969";
    csn.musicType = "Rock";
    csn.number = std::to_string(firstNumber + 1);
    csn.songs[0] = {"Suite: Judy Blue Eyes", "", "01"};
    csn.songs[1] = {"Marrakesh Express", "", "02"};
    csn.songs[2] = {"Guinnevere \"live\"", "", "03"};
    nina.text(Field::DateAdded) = csn.text(Field::DateAdded) = todaysDate();
    return {nina, csn};
}

} // namespace discora::fixture
