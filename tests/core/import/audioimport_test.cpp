// Importing a folder of audio files: what is read from files the encoders and the tests write, how
// tracks become one album a disc, what hostile or broken files do, and the albums entering the
// catalogue as one Undo.
#include "core/base/cp1252.h"
#include "core/document/audioimportplan.h"
#include "core/import/audiofilereader.h"
#include "core/model/albumdetails.h"
#include "support/audiofiles.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::AudioTags;

class AudioImport : public ::testing::Test
{
protected:
    AudioImport() : m_dir(fs::temp_directory_path() / ("discora-audio-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    ~AudioImport() override { fs::remove_all(m_dir); }

    void flac(const std::string& name, const AudioTags& tags, int seconds = 180)
    {
        fixture::writeBytes(m_dir / name, fixture::flacBytes(tags, seconds));
    }
    AudioScan scan()
    {
        auto result = scanAudioFolder(m_dir.string());
        EXPECT_TRUE(result) << result.error();
        return result ? std::move(*result) : AudioScan{};
    }
    // Each album as "artist | name | song titles with times".
    std::vector<std::string> albums()
    {
        const AudioScan s = scan();
        std::vector<std::string> out;
        for (const AudioAlbum& a : groupAudioAlbums(s)) {
            std::string line = a.artist + " | " + a.name() + " |";
            for (int t : a.tracks) {
                const AudioTrack& track = s.tracks[static_cast<std::size_t>(t)];
                line += " " + songTitleOf(track) + " " + playingTime(track.seconds);
            }
            out.push_back(line);
        }
        return out;
    }

    fs::path m_dir;
};

AudioTags tagsOf(const char* artist, const char* album, const char* title, const char* track,
                 const char* disc = "")
{
    AudioTags tags = {{"ARTIST", artist}, {"ALBUM", album}, {"TITLE", title}, {"TRACKNUMBER", track}};
    if (*disc)
        tags.emplace_back("DISCNUMBER", disc);
    return tags;
}

TEST_F(AudioImport, FilesTheEncodersWriteAreRead)
{
    // One short sound, encoded once by each tool with its tags.
    const std::string raw = (m_dir / "silence.raw").string();
    fixture::writeBytes(raw, std::string(17640, '\0'));
    const std::string d = m_dir.string() + "/";
    const std::string commands[] = {
        "flac --silent --force-raw-format --endian=little --sign=signed --channels=2 --bps=16 "
        "--sample-rate=44100 -T ARTIST=Ash -T ALBUM=Coal -T TITLE=One -T TRACKNUMBER=1 -o " +
            d + "a.flac " + raw,
        "oggenc -Q -r -B 16 -C 2 -R 44100 -a Ash -l Coal -t Two -N 2 -o " + d + "b.ogg " + raw,
        "lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian --ta Ash --tl Coal --tt Three --tn "
        "3 " +
            raw + " " + d + "c.mp3",
    };
    for (const std::string& command : commands)
        ASSERT_EQ(std::system((command + " 2>/dev/null").c_str()), 0) << command;
    fs::remove(raw);

    const AudioScan s = scan();
    ASSERT_EQ(s.tracks.size(), 3u);
    const std::pair<const char*, const char*> expected[] = {
        {"FLAC", "One"}, {"Ogg Vorbis", "Two"}, {"MP3", "Three"}};
    for (int t = 0; t < 3; ++t) {
        const AudioTrack& track = s.tracks[static_cast<std::size_t>(t)];
        EXPECT_EQ(track.format, expected[t].first);
        EXPECT_EQ(track.title, expected[t].second);
        EXPECT_EQ(track.artist, "Ash");
        EXPECT_EQ(track.album, "Coal");
        EXPECT_EQ(track.track, t + 1);
        EXPECT_EQ(track.seconds, 0) << track.fileName;
    }
    EXPECT_EQ(albums(), std::vector<std::string>{"Ash | Coal | One 00:00 Two 00:00 Three 00:00"});
}

TEST_F(AudioImport, TagTextsOfEveryEncodingBecomeCatalogueText)
{
    struct Case
    {
        const char* name;
        std::string frame;
        std::string title;
    };
    const Case cases[] = {
        {"windows-1252", fixture::latin1Frame("TIT2", "Caf\xE9 \x80 \x93quoted\x94"), "Café € “quoted”"},
        {"utf-16", fixture::utf16Frame("TIT2", u"Bj\u00F6rk \u6771\u4EAC"), "Björk 東京"},
        {"lone surrogate", fixture::utf16Frame("TIT2", std::u16string(u"a") + char16_t(0xD800) + u"b"),
         "a\uFFFDb"},
        {"control characters", fixture::latin1Frame("TIT2", "one\ttwo\nthree"), "one two three"},
    };
    for (const Case& c : cases) {
        const fs::path file = m_dir / (std::string(c.name) + ".mp3");
        fixture::writeBytes(file, fixture::mp3Bytes(c.frame, 3));
        const Result<AudioTrack> track = readAudioFile(file.string());
        ASSERT_TRUE(track) << c.name << ": " << track.error();
        EXPECT_EQ(track->title, c.title) << c.name;
        EXPECT_EQ(track->seconds, 3) << c.name;
    }
}

TEST_F(AudioImport, BrokenAndHostileFilesAreCountedNeverTrusted)
{
    std::string hugeFrame = "TIT2";
    fixture::appendBigEndian(hugeFrame, 0x7FFFFFF0, 4);
    hugeFrame += std::string(2, '\0') + '\0' + "short";
    const std::pair<const char*, std::string> files[] = {
        {"text.mp3", "This is a letter, not a song.\n"},
        {"empty.flac", ""},
        {"cut.flac", fixture::flacBytes({{"TITLE", "x"}}, 60).substr(0, 20)},
        {"claims-gigabytes.mp3", fixture::mp3Bytes(hugeFrame, 1)},
        {"long-title.mp3", fixture::mp3Bytes(fixture::latin1Frame("TIT2", std::string(200000, 'x')), 1)},
        {"cover.jpg", "\xFF\xD8\xFF"},
    };
    for (const auto& [name, bytes] : files)
        fixture::writeBytes(m_dir / name, bytes);
    const AudioScan s = scan();
    EXPECT_EQ(s.otherFiles, 1);
    EXPECT_EQ(s.tracks.size() + s.unreadable.size(), 5u);
    const auto unreadable = [&](const std::string& name) {
        return std::any_of(s.unreadable.begin(), s.unreadable.end(),
                           [&](const AudioScanProblem& p) { return p.file == name; });
    };
    EXPECT_TRUE(unreadable("text.mp3"));
    EXPECT_TRUE(unreadable("empty.flac"));
    EXPECT_TRUE(unreadable("cut.flac"));
    for (const AudioTrack& track : s.tracks) {
        EXPECT_LE(track.title.size(), kAudioTagTextLimit) << track.fileName;
        EXPECT_TRUE(cp1252::isValidUtf8(track.title)) << track.fileName;
    }
}

TEST_F(AudioImport, FoldersAreWalkedOnceThroughLinksAndBadFoldersAreRefused)
{
    flac("Artist/Album/01.flac", tagsOf("Ann", "Hills", "Rise", "1"));
    fs::create_directory_symlink("../..", m_dir / "Artist/Album/back-to-top");
    fs::create_symlink("01.flac", m_dir / "Artist/Album/same-song.flac");
    fs::create_symlink("nowhere.flac", m_dir / "Artist/dangling.flac");
    const AudioScan s = scan();
    EXPECT_EQ(s.tracks.size(), 1u);
    EXPECT_EQ(s.loops, 1);
    ASSERT_EQ(s.unreadable.size(), 1u);
    EXPECT_EQ(s.unreadable[0].file, "Artist/dangling.flac");

    const auto missing = scanAudioFolder((m_dir / "not-there").string());
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find(kAudioFolderMissing), std::string::npos);
    fs::create_directory(m_dir / "empty");
    CatalogueDocument doc;
    const auto plan = planAudioImport(doc, "empty", *scanAudioFolder((m_dir / "empty").string()));
    ASSERT_FALSE(plan);
    EXPECT_EQ(plan.error(), "Cannot import \"empty\". It holds no audio files.");
}

TEST_F(AudioImport, AFileThatBecomesAPipeOrADeviceAfterTheWalkIsSkipped)
{
    flac("Album/1.flac", tagsOf("Jo", "Quiet", "One", "1"));
    flac("Album/2.flac", tagsOf("Jo", "Quiet", "Two", "2"));
    flac("Album/3.flac", tagsOf("Jo", "Quiet", "Three", "3"));
    auto listing = listAudioFolder(m_dir.string());
    ASSERT_TRUE(listing) << listing.error();
    ASSERT_EQ(listing->files.size(), 3u);
    // Nothing writes to the pipe, and the device never ends: either would hold a reader for ever.
    fs::remove(m_dir / "Album/1.flac");
    ASSERT_EQ(::mkfifo((m_dir / "Album/1.flac").c_str(), 0644), 0);
    fs::remove(m_dir / "Album/3.flac");
    fs::create_symlink("/dev/zero", m_dir / "Album/3.flac");

    const AudioScan s = readAudioFolder(std::move(*listing));
    ASSERT_EQ(s.tracks.size(), 1u);
    EXPECT_EQ(s.tracks[0].title, "Two");
    ASSERT_EQ(s.unreadable.size(), 2u);
    for (const AudioScanProblem& problem : s.unreadable)
        EXPECT_EQ(problem.reason, kAudioNotAFile) << problem.file;
}

TEST_F(AudioImport, UnreadableFilesAndFoldersAreNamedWithTheSystemsReason)
{
    // Permission bits cannot be tried here when the tests run as root, who reads everything; names
    // and paths beyond the system's limits fail for everyone.
    const struct
    {
        std::string name;
        const char* reason;
    } cases[] = {
        {std::string(300, 'x') + ".opus", "not readable: File name too long"},
        {"missing.mp3", "not readable: No such file or directory"},
    };
    for (const auto& c : cases) {
        const Result<AudioTrack> track = readAudioFile((m_dir / c.name).string());
        ASSERT_FALSE(track) << c.name;
        EXPECT_EQ(track.error(), c.reason);
    }

    // A song just inside the limit of a path, and a folder beside it beyond it.
    const std::string deep =
        fixture::makeDeepFolders(m_dir, "1.flac", fixture::flacBytes(tagsOf("Kai", "Deep", "Down", "1"), 60));
    ASSERT_FALSE(deep.empty());
    const AudioScan s = scan();
    fixture::removeDeepFolders(m_dir);
    ASSERT_EQ(s.tracks.size(), 1u);
    ASSERT_EQ(s.unreadable.size(), 1u);
    EXPECT_EQ(s.unreadable[0].file, deep);
    EXPECT_EQ(s.unreadable[0].reason, "not readable: File name too long");
    EXPECT_TRUE(s.unreadable[0].folder);
}

TEST_F(AudioImport, TheSummaryCountsUnreadableFoldersAndKeepsEverySkippedFile)
{
    flac("A/1.flac", tagsOf("Lu", "Fine", "Song", "1"));
    AudioScan s = scan();
    s.unreadable = {{"Locked", "not readable: Permission denied", true},
                    {"A/2.flac", "not readable: Permission denied"},
                    {"A/3.flac", "not a readable FLAC file"}};
    CatalogueDocument doc;
    const auto plan = planAudioImport(doc, m_dir.string(), s);
    ASSERT_TRUE(plan) << plan.error();
    const AudioImportReport report = applyAudioImport(doc, *plan).report;
    EXPECT_EQ(audioImportSummary(report),
              "Imported 1 album with 1 song; skipped 1 unreadable folder, 2 unreadable files.");
    ASSERT_EQ(report.skipped.size(), 3u);
    EXPECT_EQ(report.skipped[2].file, "A/3.flac");
}

TEST_F(AudioImport, TracksMakeOneAlbumADiscInTrackOrder)
{
    // A two-disc album found disc 2 first, tracks out of order.
    flac("Two/b.flac", tagsOf("Bo", "Both", "Second", "2", "2/2"), 61);
    flac("Two/a.flac", tagsOf("Bo", "Both", "First", "1", "2/2"), 3599);
    flac("Two/c.flac", tagsOf("Bo", "Both", "Opening", "1", "1/2"), 205);
    // A compilation, and an album whose tracks share one artist but lack an album artist.
    flac("Mix/1.flac", tagsOf("Cy", "Mixed", "Uno", "1"), 60);
    flac("Mix/2.flac", tagsOf("Di", "Mixed", "Dos", "2"), 60);
    flac("Solo/x.flac", tagsOf("Ed", "Alone", "B side", ""), 60);
    flac("Solo/y.flac", tagsOf("ED", "Alone", "A side", "1"), 60);
    // Untagged files: by folder, titles from file names, the artist from the folder above.
    fixture::writeBytes(m_dir / "Fay/Demos/02 - Later.mp3", fixture::mp3Bytes("", 2));
    fixture::writeBytes(m_dir / "Fay/Demos/01_Early.mp3", fixture::mp3Bytes("", 1));
    EXPECT_EQ(albums(), (std::vector<std::string>{
                            "Fay | Demos | Early 00:01 Later 00:02",
                            "Various Artists | Mixed | Uno 01:00 Dos 01:00",
                            "Ed | Alone | A side 01:00 B side 01:00",
                            "Bo | Both (Disc 1) | Opening 03:25",
                            "Bo | Both (Disc 2) | First 59:59 Second 01:01",
                        }));
}

TEST_F(AudioImport, AnUntaggedFolderNamedArtistDashAlbumGivesBoth)
{
    const struct
    {
        const char* file;
        const char* album;
    } cases[] = {
        {"Nightjar Choir - Harbour Lights/01 - Tide.mp3", "Nightjar Choir | Harbour Lights | Tide 00:01"},
        {"Owl - Live - 1999/01 - Night.mp3", "Owl | Live - 1999 | Night 00:01"},
        {"Pia/Early - /01 - Dawn.mp3", "Pia | Early -  | Dawn 00:01"},
    };
    for (const auto& c : cases) {
        fs::remove_all(m_dir);
        fixture::writeBytes(m_dir / c.file, fixture::mp3Bytes("", 1));
        EXPECT_EQ(albums(), std::vector<std::string>{c.album}) << c.file;
    }
    // An artist tag names the artist; the folder's name is left whole.
    fs::remove_all(m_dir);
    fixture::writeBytes(m_dir / "Quin - Tapes/1.mp3",
                        fixture::mp3Bytes(fixture::latin1Frame("TPE1", "Quin"), 1));
    EXPECT_EQ(albums(), std::vector<std::string>{"Quin | Quin - Tapes | 1 00:01"});
}

TEST_F(AudioImport, FoldersWithOneAlbumsTagsJoinOnlyWhenTheirTracksComplementEachOther)
{
    struct Song
    {
        const char* file;
        const char* albumArtist;
        const char* album;
        const char* title;
        const char* track;
        const char* disc;
    };
    const struct
    {
        const char* name;
        std::vector<Song> songs;
        std::vector<std::string> albums;
    } cases[] = {
        {"compilations sharing a title",
         {{"Pop Hits/Greatest Hits/1.flac", "Various Artists", "Greatest Hits", "Pop1", "1", ""},
          {"Pop Hits/Greatest Hits/2.flac", "Various Artists", "Greatest Hits", "Pop2", "2", ""},
          {"Jazz Hits/Greatest Hits/1.flac", "Various Artists", "Greatest Hits", "Jazz1", "1", ""},
          {"Jazz Hits/Greatest Hits/2.flac", "Various Artists", "Greatest Hits", "Jazz2", "2", ""}},
         {"Various Artists | Greatest Hits | Jazz1 Jazz2", "Various Artists | Greatest Hits | Pop1 Pop2"}},
        {"an album in two folders",
         {{"Split/Half B/5.flac", "", "Split", "E", "5", ""},
          {"Split/Half B/4.flac", "", "Split", "D", "4", ""},
          {"Split/Half A/1.flac", "", "Split", "A", "1", ""},
          {"Split/Half A/2.flac", "", "Split", "B", "2", ""},
          {"Split/Half A/3.flac", "", "Split", "C", "3", ""}},
         {"Rue | Split | A B C D E"}},
        {"a disc a folder",
         {{"Set/CD1/1.flac", "", "Set", "A", "1", "1"},
          {"Set/CD2/1.flac", "", "Set", "B", "1", "2"},
          {"Set/CD2/2.flac", "", "Set", "C", "2", "2"}},
         {"Rue | Set (Disc 1) | A", "Rue | Set (Disc 2) | B C"}},
        {"unnumbered folders",
         {{"Old/Best/a.flac", "Rue", "Best", "Old", "", ""},
          {"New/Best/b.flac", "Rue", "Best", "New", "", ""}},
         {"Rue | Best | New", "Rue | Best | Old"}},
    };
    for (const auto& c : cases) {
        fs::remove_all(m_dir);
        for (const Song& song : c.songs) {
            AudioTags tags = tagsOf("Rue", song.album, song.title, song.track, song.disc);
            if (*song.albumArtist)
                tags.emplace_back("ALBUMARTIST", song.albumArtist);
            flac(song.file, tags, 60);
        }
        std::vector<std::string> titles;
        for (std::string line : albums()) {
            for (auto time = line.find(" 01:00"); time != std::string::npos; time = line.find(" 01:00"))
                line.erase(time, 6);
            titles.push_back(line);
        }
        EXPECT_EQ(titles, c.albums) << c.name;
    }
}

TEST_F(AudioImport, ADiscOfThirtyTracksKeepsTheFirstTwentySixAndSaysSo)
{
    for (int t = 30; t >= 1; --t)
        flac("Long/" + std::to_string(t) + ".flac",
             {{"ALBUMARTIST", "Gus"}, {"ALBUM", "Long"}, {"TRACKNUMBER", std::to_string(t)}}, t);
    const AudioScan s = scan();
    const std::vector<AudioAlbum> grouped = groupAudioAlbums(s);
    ASSERT_EQ(grouped.size(), 1u);
    const AudioAlbum& album = grouped[0];
    ASSERT_EQ(album.tracks.size(), 26u);
    EXPECT_EQ(s.tracks[static_cast<std::size_t>(album.tracks[25])].track, 26);
    EXPECT_EQ(album.droppedTracks, 4);
    EXPECT_EQ(album.problem(), "30 songs; the last 4 are left out");
}

class AudioImportIntoCatalogue : public AudioImport
{
protected:
    AudioImportIntoCatalogue()
    {
        flac("A/1.flac", {{"ARTIST", "Hal"},
                          {"ALBUM", "Owned"},
                          {"TITLE", "Old"},
                          {"GENRE", "Jazz"},
                          {"DATE", "1999-04-01"}});
        flac("B/1.flac",
             {{"ARTIST", "Ivy"},
              {"ALBUM", "New"},
              {"TITLE", "Fresh"},
              {"TRACKNUMBER", "1"},
              {"LABEL", "Lark"},
              {"CATALOGNUMBER", "LK 7"},
              {"DATE", "2004"},
              {"MUSICBRAINZ_ALBUMID", "0f3c2f8a-1b7e-4b7e-9d1a-3a1f2c4e5d6b"},
              {"BARCODE", "5099902987521"}},
             75);
        fixture::writeBytes(m_dir / "B/2.mp3", fixture::mp3Bytes(fixture::latin1Frame("TALB", "New") +
                                                                     fixture::latin1Frame("TPE1", "Ivy") +
                                                                     fixture::latin1Frame("TRCK", "2"),
                                                                 1));
        fixture::loadAlbums(m_doc, {fixture::albumOf("HAL", "owned")});
        m_doc.setHeadings("Year", "Custom 2");
    }

    CatalogueDocument m_doc;
};

TEST_F(AudioImportIntoCatalogue, ChosenAlbumsEnterAsOneUndoableStep)
{
    auto plan = planAudioImport(m_doc, m_dir.string(), scan());
    ASSERT_TRUE(plan) << plan.error();
    ASSERT_EQ(plan->albums.size(), 2u);
    EXPECT_TRUE(plan->albums[0].inCatalogue);
    EXPECT_FALSE(plan->albums[0].chosen);
    EXPECT_TRUE(plan->albums[1].chosen);

    const AudioImportOutcome outcome = applyAudioImport(m_doc, *plan);
    EXPECT_EQ(outcome.edit.changed, 1);
    EXPECT_EQ(audioImportSummary(outcome.report),
              "Imported 1 album with 2 songs; skipped 1 album already in the catalogue.");
    ASSERT_EQ(m_doc.albumCount(), 2);
    const AlbumRecord added = m_doc.album(1);
    EXPECT_EQ(added.artist, "Ivy");
    EXPECT_EQ(added.albumName, "New");
    EXPECT_EQ(added.mediaType, "Digital");
    EXPECT_EQ(added.number, "2");
    EXPECT_EQ(added.custom1, "2004");
    // The album's own details come with it, the year too though its tag went to a custom field.
    EXPECT_EQ(added.text(Field::Year), "2004");
    EXPECT_EQ(added.text(Field::MusicBrainzId), "0f3c2f8a-1b7e-4b7e-9d1a-3a1f2c4e5d6b");
    EXPECT_EQ(added.text(Field::Barcode), "5099902987521");
    EXPECT_EQ(added.text(Field::DateAdded), todaysDate());
    EXPECT_EQ(added.label, "Lark");
    EXPECT_EQ(added.catalogNumber, "LK 7");
    EXPECT_EQ(added.songs[0], (Song{"Fresh", "01:15", "01"}));
    EXPECT_EQ(added.songs[1], (Song{"2", "00:01", "02"}));
    EXPECT_EQ(added.songs[2], Song{});

    EXPECT_EQ(m_doc.undo().changed, 1);
    EXPECT_EQ(fixture::albumNames(m_doc), std::vector<std::string>{"owned"});
}

TEST_F(AudioImportIntoCatalogue, TheUsersMediaTypeAndFieldsOverTheDefaults)
{
    const TagAssignment assignments[] = {{AudioTag::Year, std::nullopt},
                                         {AudioTag::Genre, Field::Notes},
                                         {AudioTag::AlbumArtist, Field::Custom2}};
    auto plan = planAudioImport(m_doc, m_dir.string(), scan(), assignments);
    ASSERT_TRUE(plan);
    plan->albums[0].chosen = true;
    plan->albums[1].chosen = false;
    plan->options.mediaType = "Hard disk";
    ASSERT_EQ(applyAudioImport(m_doc, *plan).edit.changed, 1);
    const AlbumRecord added = m_doc.album(1);
    EXPECT_EQ(added.mediaType, "Hard disk");
    EXPECT_EQ(added.artist, "");
    EXPECT_EQ(added.custom2, "Hal");
    EXPECT_EQ(added.notes, "Jazz");
    EXPECT_EQ(added.musicType, "");
    EXPECT_EQ(added.custom1, "");
}

} // namespace
} // namespace discora
