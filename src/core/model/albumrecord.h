// One album as a value: what the entry sheet edits and what the undo record keeps.
#pragma once

#include "core/model/field.h"

#include <array>
#include <string>
#include <string_view>

namespace discora {

struct Song
{
    std::string title;
    std::string time;
    std::string trackNumber;
    bool operator==(const Song&) const = default;
};

struct Performer
{
    std::string name;
    std::string instrument;
    bool operator==(const Performer&) const = default;
};

struct AlbumRecord
{
    std::string artist;
    std::string albumName;
    std::string musicType;
    std::string mediaType;
    std::string number;
    std::string producer1;
    std::string producer2;
    std::string label;
    std::string catalogNumber;
    std::string quality;
    std::string custom1;
    std::string custom2;
    std::array<Song, kSongSlots> songs;
    std::array<Performer, kPerformerSlots> performers;
    std::string notes;
    // What the collector keeps about this copy, by field from Field::Status on: see
    // albumdetails.h for what each holds.
    std::array<std::string, kDetailCount> details;

    bool operator==(const AlbumRecord&) const = default;

    // The record's text for one of the 111 file lists or one of the details.
    std::string& text(Field f);
    const std::string& text(Field f) const;
};

// The track number the entry sheet offers a song slot: "01" to "26". The same texts are what an
// import and a file without track numbers give the songs.
std::string_view presetTrackNumber(int slot);

} // namespace discora
