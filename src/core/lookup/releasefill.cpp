#include "core/lookup/releasefill.h"

#include "core/base/linetext.h"
#include "core/model/albumdetails.h"
#include "core/model/songfill.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace discora {

int Release::trackCount() const
{
    int count = 0;
    for (const ReleaseMedium& medium : media)
        count += medium.trackCount;
    return count;
}

std::string Release::formats() const
{
    std::string text;
    for (std::size_t i = 0; i < media.size();) {
        std::size_t same = i + 1;
        while (same < media.size() && media[same].format == media[i].format)
            ++same;
        if (!text.empty())
            text += " + ";
        if (same - i > 1)
            text += std::to_string(same - i) + "x";
        text += media[i].format.empty() ? "(unknown)" : media[i].format;
        i = same;
    }
    return text;
}

const ReleaseMedium* chooseMedium(const Release& release, const std::string& discId, int trackCount)
{
    if (release.media.empty())
        return nullptr;
    if (!discId.empty())
        for (const ReleaseMedium& medium : release.media)
            if (std::find(medium.discIds.begin(), medium.discIds.end(), discId) != medium.discIds.end())
                return &medium;
    if (trackCount > 0)
        for (const ReleaseMedium& medium : release.media)
            if (medium.trackCount == trackCount || static_cast<int>(medium.tracks.size()) == trackCount)
                return &medium;
    return &release.media.front();
}

std::string formatLength(const std::optional<int>& lengthMs)
{
    if (!lengthMs || *lengthMs < 0)
        return {};
    const long long seconds = (static_cast<long long>(*lengthMs) + 500) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

std::string mediaTypeOf(const std::string& format)
{
    std::string lower;
    for (const char c : format)
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower.find("cd") != std::string::npos)
        return "CD";
    if (lower.find("vinyl") != std::string::npos)
        return "LP";
    if (lower.find("cassette") != std::string::npos)
        return "Cassette";
    return format;
}

std::string releaseYear(const std::string& date)
{
    return date.substr(0, std::min<std::size_t>(date.size(), 4));
}

ReleaseFill fillFromRelease(const AlbumRecord& typed, const Release& release, const ReleaseMedium* medium,
                            ReleaseTimes times, const std::vector<std::string>& discTimes)
{
    ReleaseFill fill{typed, {}};
    const auto fillText = [&](std::string& slot, const std::string& text, const char* name) {
        if (slot.empty() && !text.empty()) {
            slot = text;
            fill.filled.emplace_back(name);
        }
    };
    fillText(fill.album.artist, release.artist, "group/artist");
    // A disc of a set is an album of its own, named as the audio import names it.
    const bool ofASet = medium && release.media.size() > 1 && medium->position > 0;
    fillText(fill.album.albumName,
             ofASet && !release.title.empty()
                 ? release.title + " (Disc " + std::to_string(medium->position) + ")"
                 : release.title,
             "album name");
    fillText(fill.album.label, release.label, "label");
    fillText(fill.album.catalogNumber, release.catalogNumber, "catalogue number");
    const std::string year = releaseYear(release.date);
    fillText(fill.album.text(Field::Year), validYear(year) ? year : std::string(), "year");
    fillText(fill.album.text(Field::Barcode), release.barcode, "barcode");
    fillText(fill.album.text(Field::MusicBrainzId), release.id, "MusicBrainz release ID");
    if (medium)
        fillText(fill.album.mediaType, mediaTypeOf(medium->format), "media type");
    if (!medium)
        return fill;

    SongSlots slots;
    for (std::size_t k = 0; k < slots.size(); ++k)
        slots[k] = {"", typed.songs[k].title, typed.songs[k].time};
    std::vector<IncomingSong> incoming;
    for (std::size_t k = 0; k < medium->tracks.size(); ++k) {
        const ReleaseTrack& track = medium->tracks[k];
        const std::string time = times == ReleaseTimes::Fill ? formatLength(track.lengthMs)
                                 : k < discTimes.size()      ? discTimes[k]
                                                             : std::string();
        incoming.push_back({"", track.title, time});
    }
    // The sheet cuts a title to its field as it shows it.
    const SongFill songs = fillEmptySongs(slots, incoming, std::numeric_limits<int>::max());
    for (std::size_t k = 0; k < slots.size(); ++k) {
        fill.album.songs[k].title = songs.songs[k].title;
        fill.album.songs[k].time = songs.songs[k].time;
    }
    const auto filled = [&](bool SongPlacement::*what) {
        return static_cast<int>(std::count_if(songs.placements.begin(), songs.placements.end(),
                                              [&](const SongPlacement& p) { return p.*what; }));
    };
    const int titlesFilled = filled(&SongPlacement::titleFilled);
    const int timesFilled = filled(&SongPlacement::timeFilled);
    const auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    if (titlesFilled > 0)
        fill.filled.push_back(count(titlesFilled, "song title", "song titles"));
    if (timesFilled > 0)
        fill.filled.push_back(count(timesFilled, "song time", "song times"));
    return fill;
}

std::string tracksLeftOut(const ReleaseMedium& medium)
{
    const int tracks = static_cast<int>(medium.tracks.size());
    if (tracks <= kSongSlots)
        return {};
    const int left = tracks - kSongSlots;
    return "The disc has " + std::to_string(tracks) + " tracks; " +
           (left == 1 ? std::string("the one") : "the " + std::to_string(left)) + " after the " +
           std::to_string(kSongSlots) + "th " + (left == 1 ? "was" : "were") + " left out.";
}

std::string fillSummary(const std::vector<std::string>& filled)
{
    if (filled.empty())
        return "Nothing filled from MusicBrainz: the fields it knows were already typed.";
    std::string text = "Filled from MusicBrainz: ";
    for (std::size_t i = 0; i < filled.size(); ++i) {
        if (i > 0)
            text += i + 1 == filled.size() ? " and " : ", ";
        text += filled[i];
    }
    return text + ".";
}

namespace {

// A server's text as a field of a printed line: its control characters (C0, DEL and C1, which a
// terminal would take as commands) become blanks; tabs and line breaks are written as \t, \n, \r.
void appendServerText(std::string& line, std::string_view text)
{
    std::string clean(text);
    for (std::size_t i = 0; i < clean.size(); ++i) {
        const auto c = static_cast<unsigned char>(clean[i]);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
            clean[i] = ' ';
        } else if (c == 0xC2 && i + 1 < clean.size() && static_cast<unsigned char>(clean[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(clean[i + 1]) <= 0x9F) {
            clean.replace(i, 2, " ");
        }
    }
    appendText(line, clean);
}

} // namespace

std::string releaseLine(const Release& release)
{
    std::string line = "release";
    for (const std::string* text : {&release.artist, &release.title, &release.date, &release.label,
                                    &release.catalogNumber, &release.country, &release.id}) {
        line += '\t';
        appendServerText(line, *text);
    }
    return line;
}

std::vector<std::string> trackLines(const ReleaseMedium& medium, const std::vector<std::string>& discTimes)
{
    std::vector<std::string> lines;
    int number = 0;
    for (const ReleaseTrack& track : medium.tracks) {
        ++number;
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%02d\t", track.position > 0 ? track.position : number);
        std::string line = prefix;
        std::string time = formatLength(track.lengthMs);
        if (time.empty() && static_cast<std::size_t>(number) <= discTimes.size())
            time = discTimes[static_cast<std::size_t>(number) - 1];
        line += time.empty() ? "--:--" : time;
        line += '\t';
        appendServerText(line, track.title);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace discora
