// Reading a track list the user copied from a shop or an encyclopedia page: one song to a line,
// numbered or not ("1. Title", "01 - Title", "1) Title", vinyl "A1 Title"), with or without a
// time ("Title 3:45", "Title (3:45)", "Title - 3:45"), or spreadsheet and web-table rows whose
// tab-separated cells hold number, title and time in any order.
#pragma once

#include "core/model/songfill.h"

#include <string>
#include <string_view>
#include <vector>

namespace discora {

// A line that looked like a song but could not be read as one.
struct UnreadLine
{
    int line = 0; // from 1
    std::string text;
    std::string reason;

    bool operator==(const UnreadLine&) const = default;
};

struct TrackList
{
    // In the order of the text; each with a two-digit track number, its own or the one after the
    // song before, and its time (if any) as minutes and seconds, "03:45".
    std::vector<IncomingSong> songs;
    std::vector<UnreadLine> unread;
};

inline constexpr const char* kTrackListNoTitle = "no song title";
inline constexpr const char* kTrackListBadTime = "the time is not minutes and seconds";

// Blank lines, headings ("Disc 1", "Side A", "Bonus tracks:"), a web table's heading row and a
// total-length line are passed over without a word.
TrackList parseTrackList(std::string_view text);

} // namespace discora
