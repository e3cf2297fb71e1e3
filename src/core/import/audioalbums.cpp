#include "core/import/audioalbums.h"

#include "core/base/cp1252.h"
#include "core/base/progresssink.h"
#include "core/model/albumdetails.h"
#include "core/model/albumrecord.h"
#include <tuple>

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

namespace discora {

namespace {

std::string counted(int n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

// The files of one release (one album, all its discs) before it is split by disc.
struct Release
{
    std::vector<int> tracks;
    bool untagged = false;
};

// The artist every track names (letter case aside), or "" when they differ or none names one.
std::string sharedArtist(const AudioScan& scan, const std::vector<int>& tracks)
{
    std::string artist;
    std::string folded;
    for (int t : tracks) {
        const std::string& a = scan.tracks[static_cast<std::size_t>(t)].artist;
        if (a.empty())
            return {};
        if (artist.empty()) {
            artist = a;
            folded = cp1252::foldCase(a);
        } else if (cp1252::foldCase(a) != folded) {
            return {};
        }
    }
    return artist;
}

std::string releaseArtist(const AudioScan& scan, const Release& release)
{
    const AudioTrack& first = scan.tracks[static_cast<std::size_t>(release.tracks.front())];
    if (!first.albumArtist.empty())
        return first.albumArtist;
    if (std::string artist = sharedArtist(scan, release.tracks); !artist.empty())
        return artist;
    const bool anyArtist = std::any_of(release.tracks.begin(), release.tracks.end(), [&](int t) {
        return !scan.tracks[static_cast<std::size_t>(t)].artist.empty();
    });
    if (anyArtist && !release.untagged)
        return kVariousArtists;
    if (release.untagged) {
        // Untagged files are usually kept as ARTIST/ALBUM/file: the folder above names the artist.
        const std::string& folder = first.folder;
        const auto slash = folder.rfind('/');
        if (slash != std::string::npos) {
            const std::string parent = folder.substr(0, slash);
            return parent.substr(parent.rfind('/') + 1);
        }
    }
    return kUnknownArtist;
}

std::string folderTitle(const AudioScan& scan, const std::string& folder)
{
    const std::string name = folder.empty() ? scan.folderName : folder.substr(folder.rfind('/') + 1);
    return name.empty() ? std::string(kUnknownArtist) : name;
}

// "Artist - Album", the way untagged folders are often named: the two halves, split at the first
// " - ", or nothing when the name is not of that form.
std::optional<std::pair<std::string, std::string>> artistAndAlbumOf(const std::string& folderName)
{
    const auto dash = folderName.find(" - ");
    if (dash == std::string::npos || dash == 0 || dash + 3 >= folderName.size())
        return std::nullopt;
    return std::pair(folderName.substr(0, dash), folderName.substr(dash + 3));
}

// A file name's leading track number ("07 - Song.mp3" gives 7), 0 when it has none.
int fileTrackNumber(const std::string& fileName)
{
    int number = 0;
    std::size_t i = 0;
    for (; i < fileName.size() && i < 3 && fileName[i] >= '0' && fileName[i] <= '9'; ++i)
        number = number * 10 + (fileName[i] - '0');
    return i > 0 && i < fileName.size() && !(fileName[i] >= '0' && fileName[i] <= '9') ? number : 0;
}

} // namespace

std::string AudioAlbum::name() const
{
    if (discCount > 1 && disc > 0)
        return title + " (Disc " + std::to_string(disc) + ")";
    return title;
}

std::string AudioAlbum::problem() const
{
    std::string text;
    const auto add = [&](const std::string& part) {
        if (!text.empty())
            text += "; ";
        text += part;
    };
    if (inCatalogue)
        add("already in the catalogue");
    if (droppedTracks > 0)
        add(counted(static_cast<int>(tracks.size()) + droppedTracks, "song", "songs") + "; the last " +
            std::to_string(droppedTracks) + " are left out");
    if (untagged)
        add("no album tags: named after its folder");
    return text;
}

std::string songTitleOf(const AudioTrack& track)
{
    if (!track.title.empty())
        return track.title;
    std::string name = track.fileName.substr(0, track.fileName.rfind('.'));
    std::size_t start = 0;
    while (start < name.size() && start < 3 && name[start] >= '0' && name[start] <= '9')
        ++start;
    if (start > 0) {
        const std::size_t rest = name.find_first_not_of(" -._", start);
        if (rest != std::string::npos && rest > start)
            return name.substr(rest);
    }
    return name;
}

std::string playingTime(int seconds)
{
    if (seconds < 0)
        return {};
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    return (minutes < 10 ? "0" : "") + std::to_string(minutes) + ":" + (rest < 10 ? "0" : "") +
           std::to_string(rest);
}

std::vector<AudioAlbum> groupAudioAlbums(const AudioScan& scan)
{
    // First each folder's files by their album tags, then the folders that hold parts of one
    // release joined: an album ripped into two folders is one album, but two compilations that
    // share a title ("Greatest Hits" by "Various Artists") are two.
    std::vector<Release> folders;
    std::unordered_map<std::string, std::size_t> byFolder;
    for (int t = 0; t < static_cast<int>(scan.tracks.size()); ++t) {
        const AudioTrack& track = scan.tracks[static_cast<std::size_t>(t)];
        std::string key = track.album.empty()
                              ? "U" + track.folder
                              : "T" + track.folder + '\0' + cp1252::foldCase(track.albumArtist) + '\0' +
                                    cp1252::foldCase(track.album);
        const auto [it, added] = byFolder.try_emplace(std::move(key), folders.size());
        if (added)
            folders.push_back({{}, track.album.empty()});
        folders[it->second].tracks.push_back(t);
    }

    // Folders join when their tracks complement each other: every track numbered and no disc and
    // track number twice. Unnumbered files give no sign that a folder is a part, so each such
    // folder stays an album of its own.
    struct Joined
    {
        std::string identity;
        std::set<std::pair<int, int>> numbers; // disc (1 for none) and track
        bool numbered = true;
    };
    const auto numbersOf = [&](const Release& folder, Joined& into) {
        for (int t : folder.tracks) {
            const AudioTrack& track = scan.tracks[static_cast<std::size_t>(t)];
            into.numbered = into.numbered && track.track > 0;
            into.numbers.emplace(std::max(track.disc, 1), track.track);
        }
    };
    std::vector<Release> releases;
    std::vector<Joined> joined;
    for (Release& folder : folders) {
        if (!folder.untagged) {
            const AudioTrack& first = scan.tracks[static_cast<std::size_t>(folder.tracks.front())];
            const std::string artist =
                first.albumArtist.empty() ? sharedArtist(scan, folder.tracks) : first.albumArtist;
            Joined own{cp1252::foldCase(artist) + '\0' + cp1252::foldCase(first.album), {}, true};
            numbersOf(folder, own);
            const bool complete = own.numbers.size() == folder.tracks.size();
            auto target = joined.end();
            if (own.numbered && complete)
                target = std::find_if(joined.begin(), joined.end(), [&](const Joined& j) {
                    return j.numbered && j.identity == own.identity &&
                           std::none_of(own.numbers.begin(), own.numbers.end(),
                                        [&](const auto& n) { return j.numbers.contains(n); });
                });
            if (target != joined.end()) {
                const auto r = static_cast<std::size_t>(target - joined.begin());
                releases[r].tracks.insert(releases[r].tracks.end(), folder.tracks.begin(),
                                          folder.tracks.end());
                target->numbers.merge(own.numbers);
                continue;
            }
            own.numbered = own.numbered && complete;
            joined.push_back(std::move(own));
        } else {
            joined.push_back({{}, {}, false});
        }
        releases.push_back(std::move(folder));
    }

    std::vector<AudioAlbum> albums;
    for (const Release& release : releases) {
        std::string artist = releaseArtist(scan, release);
        const AudioTrack& first = scan.tracks[static_cast<std::size_t>(release.tracks.front())];
        std::string title = release.untagged ? folderTitle(scan, first.folder) : first.album;
        const bool namesAnArtist = std::any_of(release.tracks.begin(), release.tracks.end(), [&](int t) {
            const AudioTrack& track = scan.tracks[static_cast<std::size_t>(t)];
            return !track.artist.empty() || !track.albumArtist.empty();
        });
        if (release.untagged && !namesAnArtist)
            if (auto split = artistAndAlbumOf(title)) {
                artist = std::move(split->first);
                title = std::move(split->second);
            }
        // Files that name no disc belong to the first when others name theirs.
        std::map<int, std::vector<int>> discs;
        int discTotal = 0;
        bool numbered = false;
        for (int t : release.tracks) {
            const AudioTrack& track = scan.tracks[static_cast<std::size_t>(t)];
            numbered = numbered || (!release.untagged && track.disc > 0);
            discTotal = std::max(discTotal, release.untagged ? 0 : track.discTotal);
        }
        for (int t : release.tracks) {
            const int disc = scan.tracks[static_cast<std::size_t>(t)].disc;
            discs[numbered ? std::max(disc, 1) : 0].push_back(t);
        }
        const int discCount = std::max(discTotal, static_cast<int>(discs.size()));
        for (auto& [disc, tracks] : discs) {
            const auto order = [&](int t) {
                const AudioTrack& track = scan.tracks[static_cast<std::size_t>(t)];
                int number = release.untagged ? fileTrackNumber(track.fileName) : track.track;
                return std::tuple(number > 0 ? number : INT_MAX, std::string_view(track.fileName),
                                  std::string_view(track.folder));
            };
            std::stable_sort(tracks.begin(), tracks.end(), [&](int a, int b) { return order(a) < order(b); });
            AudioAlbum album;
            album.artist = artist;
            album.title = title;
            album.disc = disc;
            album.discCount = discCount;
            album.untagged = release.untagged;
            if (tracks.size() > kSongSlots) {
                album.droppedTracks = static_cast<int>(tracks.size()) - kSongSlots;
                tracks.resize(kSongSlots);
            }
            album.format = scan.tracks[static_cast<std::size_t>(tracks.front())].format;
            for (int t : tracks)
                if (scan.tracks[static_cast<std::size_t>(t)].format != album.format)
                    album.format = kMixedFormats;
            album.tracks = std::move(tracks);
            albums.push_back(std::move(album));
        }
    }
    return albums;
}

namespace {

struct AudioTagInfo
{
    AudioTag tag;
    std::string_view name;
};

constexpr AudioTagInfo kAudioTags[kAudioTagCount] = {
    {AudioTag::Artist, "artist"},   {AudioTag::AlbumArtist, "albumartist"},
    {AudioTag::Album, "album"},     {AudioTag::Title, "title"},
    {AudioTag::Track, "track"},     {AudioTag::Disc, "disc"},
    {AudioTag::Genre, "genre"},     {AudioTag::Year, "year"},
    {AudioTag::Label, "label"},     {AudioTag::CatalogNumber, "catalognumber"},
    {AudioTag::Comment, "comment"},
};

} // namespace

std::optional<AudioTag> audioTagFromName(std::string_view name)
{
    const std::string folded = cp1252::foldCase(name);
    for (const AudioTagInfo& info : kAudioTags)
        if (info.name == folded)
            return info.tag;
    return std::nullopt;
}

std::string_view audioTagName(AudioTag tag)
{
    return kAudioTags[static_cast<std::size_t>(tag)].name;
}

std::string audioTagNameList()
{
    std::string names;
    for (const AudioTagInfo& info : kAudioTags) {
        if (!names.empty())
            names += ", ";
        names += info.name;
    }
    return names;
}

bool isAlbumTag(AudioTag tag)
{
    return tag != AudioTag::Title && tag != AudioTag::Track && tag != AudioTag::Disc;
}

bool isAlbumField(Field field)
{
    const int f = fieldIndex(field);
    return f < fieldIndex(Field::FirstTitle) || f >= fieldIndex(Field::CatalogNumber);
}

std::size_t AudioTagMapping::slot(AudioTag tag)
{
    // The album's artist is one text, whichever name the user gives it.
    return static_cast<std::size_t>(tag == AudioTag::AlbumArtist ? AudioTag::Artist : tag);
}

AudioTagMapping AudioTagMapping::withDefaults(const std::array<std::string, 2>& customHeadings)
{
    AudioTagMapping mapping;
    mapping.assign(AudioTag::Artist, Field::Artist);
    mapping.assign(AudioTag::Album, Field::AlbumName);
    mapping.assign(AudioTag::Genre, Field::MusicType);
    mapping.assign(AudioTag::Label, Field::Label);
    mapping.assign(AudioTag::CatalogNumber, Field::CatalogNumber);
    mapping.assign(AudioTag::Year, Field::Year);
    for (int h = 0; h < 2; ++h)
        if (cp1252::foldCase(customHeadings[static_cast<std::size_t>(h)]) == "year") {
            mapping.assign(AudioTag::Year, h == 0 ? Field::Custom1 : Field::Custom2);
            break;
        }
    return mapping;
}

std::optional<Field> AudioTagMapping::field(AudioTag tag) const
{
    return m_fields[slot(tag)];
}

void AudioTagMapping::assign(AudioTag tag, std::optional<Field> field)
{
    if (isAlbumTag(tag) && (!field || isAlbumField(*field)))
        m_fields[slot(tag)] = field;
}

AlbumStore audioAlbumRecords(const AudioScan& scan, std::span<const AudioAlbum> albums,
                             const AudioAlbumOptions& options, int albumCount, ProgressSink* progress)
{
    AlbumStore store;
    ProgressScope scope(progress, kAudioImportStatusText, static_cast<int>(albums.size()));
    int added = 0;
    std::array<std::string, kStoredFieldCount> texts;
    std::vector<FieldText> fields;
    const std::string today = todaysDate();
    for (const AudioAlbum& album : albums) {
        scope.step();
        for (std::string& text : texts)
            text.clear();
        const auto track = [&](std::size_t i) -> const AudioTrack& {
            return scan.tracks[static_cast<std::size_t>(album.tracks[i])];
        };
        // An album text is the first that any of its songs gives.
        const auto firstOf = [&](std::string AudioTrack::*member) {
            for (std::size_t i = 0; i < album.tracks.size(); ++i)
                if (!(track(i).*member).empty())
                    return track(i).*member;
            return std::string();
        };
        const auto put = [&](Field field, std::string text) {
            std::string& slot = texts[static_cast<std::size_t>(fieldIndex(field))];
            if (slot.empty())
                slot = std::move(text);
        };
        const std::pair<AudioTag, std::string> values[] = {
            {AudioTag::Artist, album.artist},
            {AudioTag::Album, album.name()},
            {AudioTag::Genre, firstOf(&AudioTrack::genre)},
            {AudioTag::Year, firstOf(&AudioTrack::year)},
            {AudioTag::Label, firstOf(&AudioTrack::label)},
            {AudioTag::CatalogNumber, firstOf(&AudioTrack::catalogNumber)},
            {AudioTag::Comment, firstOf(&AudioTrack::comment)},
        };
        for (const auto& [tag, value] : values)
            if (const auto field = options.mapping.field(tag);
                field && (*field != Field::Year || validYear(value)))
                put(*field, value);
        // The album's own details come with it whatever field the year tag was given to.
        if (const std::string year = firstOf(&AudioTrack::year); validYear(year))
            put(Field::Year, year);
        put(Field::MusicBrainzId, firstOf(&AudioTrack::musicBrainzAlbumId));
        put(Field::Barcode, firstOf(&AudioTrack::barcode));
        put(Field::DateAdded, today);
        put(Field::MediaType, options.mediaType.empty() ? album.format : options.mediaType);
        put(Field::Number, std::to_string(albumCount + added + 1));
        for (std::size_t i = 0; i < album.tracks.size(); ++i) {
            const int slot = static_cast<int>(i) + 1;
            texts[static_cast<std::size_t>(fieldIndex(titleField(slot)))] = songTitleOf(track(i));
            texts[static_cast<std::size_t>(fieldIndex(timeField(slot)))] = playingTime(track(i).seconds);
            texts[static_cast<std::size_t>(fieldIndex(trackField(slot)))] = presetTrackNumber(slot);
        }
        fields.clear();
        for (int f = 0; f < kStoredFieldCount; ++f)
            fields.push_back({fieldAt(f), texts[static_cast<std::size_t>(f)]});
        store.appendAlbum(fields);
        ++added;
    }
    return store;
}

std::string audioImportSummary(const AudioImportReport& report)
{
    std::string text = "Imported " + counted(report.albums, "album", "albums") + " with " +
                       counted(report.songs, "song", "songs");
    std::vector<std::string> skipped;
    if (report.inCatalogue > 0)
        skipped.push_back(counted(report.inCatalogue, "album", "albums") + " already in the catalogue");
    if (report.notChosen > report.inCatalogue)
        skipped.push_back(counted(report.notChosen - report.inCatalogue, "album", "albums") + " not chosen");
    if (report.unreadableFolders > 0)
        skipped.push_back(counted(report.unreadableFolders, "unreadable folder", "unreadable folders"));
    if (report.unreadable > 0)
        skipped.push_back(counted(report.unreadable, "unreadable file", "unreadable files"));
    if (report.otherFiles > 0)
        skipped.push_back(counted(report.otherFiles, "file of another kind", "files of other kinds"));
    if (report.loops > 0)
        skipped.push_back(counted(report.loops, "folder", "folders") + " reached again through a link");
    for (std::size_t i = 0; i < skipped.size(); ++i)
        text += (i == 0 ? "; skipped " : ", ") + skipped[i];
    if (report.shortened > 0)
        text += "; " + counted(report.shortened, "album keeps", "albums keep") + " only the first " +
                std::to_string(kSongSlots) + " songs (" + counted(report.droppedSongs, "song", "songs") +
                " left out)";
    return text + ".";
}

} // namespace discora
