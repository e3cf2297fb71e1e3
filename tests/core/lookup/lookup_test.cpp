#include "core/cdplayer/cdtoc.h"
#include "core/cdplayer/discidentity.h"
#include "core/cdplayer/libcdiodevice.h"
#include "core/lookup/lookuprequest.h"
#include "core/lookup/releasefill.h"
#include "support/discimage.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

// The six-track disc the database's documentation works its disc ID out for.
DiscLayout documentedDisc()
{
    return {1, {0, 15213, 32164, 46442, 63264, 80339}, 95312};
}

TEST(DiscIdentity, MatchesTheDocumentedExample)
{
    const auto identity = identifyDisc(documentedDisc());
    ASSERT_TRUE(identity) << identity.error();
    EXPECT_EQ(identity->discId, "49HHV7Eb8UKF3aQiNmu1GR8vKTY-");
    // Digit sums of the start seconds 2, 204, 430, 621, 845, 1073 make 0x34; 1270 seconds; 6 tracks.
    EXPECT_EQ(identity->freedbId, "3404f606");
    EXPECT_EQ(identity->toc, "1 6 95462 150 15363 32314 46592 63414 80489");
    EXPECT_NE(identity->submissionUrl.find(identity->discId), std::string::npos);
    EXPECT_TRUE(identity->submissionUrl.starts_with("https://musicbrainz.org/cdtoc/attach?"))
        << identity->submissionUrl;
    EXPECT_EQ(identity->trackCount, 6);
}

TEST(DiscIdentity, RefusesLayoutsNoDiscHas)
{
    const struct
    {
        const char* name;
        DiscLayout layout;
    } cases[] = {
        {"no tracks", {1, {}, 1000}},
        {"starts out of order", {1, {0, 500, 400}, 1000}},
        {"lead-out before the last track", {1, {0, 500}, 300}},
        {"more than 99 tracks", {1, std::vector<std::int32_t>(100, 0), 100000}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(identifyDisc(c.layout)) << c.name;
}

TEST(DiscIdentity, EnhancedCdEndsItsAudioOneSessionGapBeforeTheDataTrack)
{
    const CdToc toc({{0, true}, {15000, true}, {40000, false}}, 60000, 40000 - 150);
    const DiscLayout layout = toc.audioLayout();
    EXPECT_EQ(layout.starts, (std::vector<std::int32_t>{0, 15000}));
    EXPECT_EQ(layout.leadOut, 40000 - kSessionGapSectors);
    const auto identity = identifyDisc(layout);
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->toc, "1 2 28750 150 15150");
}

TEST(DiscIdentity, ReadFromAGeneratedImage)
{
    testimage::TempDir dir;
    const testimage::Disc disc(
        {testimage::seconds(0, 10), testimage::seconds(0, 20), testimage::seconds(1, 0)});
    LibcdioDevice device(testimage::write(dir.path(), "three", disc));
    const DiscIdReading reading = readDiscIdentity(device);
    ASSERT_TRUE(reading.ok()) << reading.message;
    // 750 and 1500 sectors, then 4500: the lead-out at 6750, each counted from the lead-in.
    EXPECT_EQ(reading.identity.toc, "1 3 6900 150 900 2400");
    EXPECT_EQ(reading.identity.discId, identifyDisc({1, {0, 750, 2250}, 6750})->discId);
}

TEST(DiscIdentity, NoDiscGivesThePlayersMessage)
{
    LibcdioDevice device("/nonexistent/disc.cue");
    const DiscIdReading reading = readDiscIdentity(device);
    EXPECT_FALSE(reading.ok());
    EXPECT_FALSE(reading.message.empty());
}

TEST(LookupRequest, Paths)
{
    const struct
    {
        std::string got;
        std::string expected;
    } cases[] = {
        {discIdPath("49HHV7Eb8UKF3aQiNmu1GR8vKTY-"),
         "/ws/2/discid/49HHV7Eb8UKF3aQiNmu1GR8vKTY-?inc=artist-credits+labels+recordings&fmt=json"},
        // Whatever an ID holds cannot reach another path or add a parameter.
        {discIdPath("a/../b?x=1&y"),
         "/ws/2/discid/a%2F..%2Fb%3Fx%3D1%26y?inc=artist-credits+labels+recordings&fmt=json"},
        {tocLookupPath("1 3 6900 150 900 2400"),
         "/ws/2/discid/-?toc=1+3+6900+150+900+2400&cdstubs=no&inc=artist-credits+labels+recordings&fmt=json"},
        {releasePath("0b9b5a5c-4ad1-4a0b-8b3a-2a5c0a1d3e3f"),
         "/ws/2/release/0b9b5a5c-4ad1-4a0b-8b3a-2a5c0a1d3e3f?inc=artist-credits+labels+recordings&fmt=json"},
        {releaseSearchPath(" Björk ", "Post"),
         "/ws/2/release?query=release%3A%22Post%22%20AND%20artist%3A%22Bj%C3%B6rk%22&limit=25&fmt=json"},
        {releaseSearchPath("", "Say \"Hi\" \\ AC/DC"),
         "/ws/2/release?query=release%3A%22Say%20%5C%22Hi%5C%22%20%5C%5C%20AC%2FDC%22&limit=25&fmt=json"},
        {releaseSearchPath("Can", ""), "/ws/2/release?query=artist%3A%22Can%22&limit=25&fmt=json"},
        {frontCoverPath("0b9b5a5c-4ad1-4a0b-8b3a-2a5c0a1d3e3f"),
         "/release/0b9b5a5c-4ad1-4a0b-8b3a-2a5c0a1d3e3f/front-500"},
        {frontCoverPath("../x?y"), "/release/..%2Fx%3Fy/front-500"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(LookupRequest, ServerChoice)
{
    const struct
    {
        const char* environment;
        std::string setting;
        std::string expected;
    } cases[] = {
        {nullptr, "", kDefaultMusicBrainzServer},
        {nullptr, "https://mirror.example/", "https://mirror.example"},
        {"http://127.0.0.1:8080//", "https://mirror.example", "http://127.0.0.1:8080"},
        {"  ", "https://mirror.example", "https://mirror.example"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseMusicBrainzServer(c.environment, c.setting), c.expected);
    // The cover archive has no setting: only the environment moves it.
    EXPECT_EQ(chooseCoverArtServer(nullptr), "https://coverartarchive.org");
    EXPECT_EQ(chooseCoverArtServer(" "), "https://coverartarchive.org");
    EXPECT_EQ(chooseCoverArtServer("http://127.0.0.1:8081/"), "http://127.0.0.1:8081");
    EXPECT_EQ(lookupUserAgent(),
              std::string("Discora/") + DISCORA_VERSION + " ( https://quorvane.example/discora )");
}

ReleaseMedium medium(int position, std::string discId, std::vector<std::string> titles)
{
    ReleaseMedium m;
    m.position = position;
    m.format = "CD";
    if (!discId.empty())
        m.discIds.push_back(std::move(discId));
    int n = 0;
    for (std::string& title : titles)
        m.tracks.push_back({++n, std::move(title), 60000 * n + 499});
    m.trackCount = n;
    return m;
}

Release twoDiscRelease()
{
    Release r;
    r.id = "rel-1";
    r.title = "Double";
    r.artist = "Band & Friend";
    r.label = "Label";
    r.catalogNumber = "CAT 1";
    r.media = {medium(1, "disc-one", {"a1", "a2", "a3"}), medium(2, "disc-two", {"b1", "b2"})};
    return r;
}

TEST(ReleaseFill, ChoosesTheMediumOfTheDisc)
{
    const Release r = twoDiscRelease();
    EXPECT_EQ(chooseMedium(r, "disc-two")->position, 2);
    EXPECT_EQ(chooseMedium(r, "disc-one", 2)->position, 1);
    // A similar disc, not this one: the medium with as many tracks.
    EXPECT_EQ(chooseMedium(r, "unknown", 2)->position, 2);
    EXPECT_EQ(chooseMedium(r, "unknown", 7)->position, 1);
    EXPECT_EQ(chooseMedium(Release{}, "disc-one"), nullptr);
}

TEST(ReleaseFill, FillsOnlyEmptyFields)
{
    AlbumRecord typed;
    typed.artist = "Typed Artist";
    typed.songs[0].title = "Typed title";
    typed.songs[1].time = "09:09";
    typed.text(Field::Barcode) = "typed barcode";
    Release r = twoDiscRelease();
    r.date = "1999-04-12";
    r.barcode = "5099902987521";

    const ReleaseFill withTimes = fillFromRelease(typed, r, chooseMedium(r, "disc-one"), ReleaseTimes::Fill);
    EXPECT_EQ(withTimes.album.artist, "Typed Artist");
    // The collection's details: the year of the date, the release's own ID, no typed text replaced.
    EXPECT_EQ(withTimes.album.text(Field::Year), "1999");
    EXPECT_EQ(withTimes.album.text(Field::MusicBrainzId), r.id);
    EXPECT_EQ(withTimes.album.text(Field::Barcode), "typed barcode");
    EXPECT_EQ(withTimes.album.albumName, "Double (Disc 1)")
        << "a disc of a set is named as the audio import names it";
    EXPECT_EQ(withTimes.album.label, "Label");
    EXPECT_EQ(withTimes.album.catalogNumber, "CAT 1");
    EXPECT_EQ(withTimes.album.mediaType, "CD");
    EXPECT_EQ(withTimes.album.songs[0].title, "Typed title");
    EXPECT_EQ(withTimes.album.songs[1].title, "a2");
    EXPECT_EQ(withTimes.album.songs[2].title, "a3");
    EXPECT_EQ(withTimes.album.songs[3].title, "");
    EXPECT_EQ(withTimes.album.songs[0].time, "01:00");
    EXPECT_EQ(withTimes.album.songs[1].time, "09:09");
    EXPECT_EQ(withTimes.album.songs[2].time, "03:00");
    EXPECT_EQ(fillSummary(withTimes.filled),
              "Filled from MusicBrainz: album name, label, catalogue number, year, "
              "MusicBrainz release ID, media type, 2 song titles and 2 song times.");

    const ReleaseFill discTimes = fillFromRelease(typed, r, chooseMedium(r, "disc-two"), ReleaseTimes::Skip);
    EXPECT_EQ(discTimes.album.songs[1].title, "b2");
    EXPECT_EQ(discTimes.album.songs[0].time, "");
    EXPECT_EQ(discTimes.album.songs[1].time, "09:09");

    // Nothing the release has is left empty.
    EXPECT_TRUE(
        fillFromRelease(withTimes.album, r, chooseMedium(r, "disc-one"), ReleaseTimes::Fill).filled.empty());
}

TEST(ReleaseFill, SongsPastTheLastSlotAreLeftOut)
{
    AlbumRecord typed;
    typed.songs[25].title = "last typed";
    Release r = twoDiscRelease();
    r.media[0].tracks.assign(30, ReleaseTrack{});
    for (ReleaseTrack& track : r.media[0].tracks) {
        track.title = "t";
        track.lengthMs = 1000;
    }
    const ReleaseFill fill = fillFromRelease(typed, r, &r.media[0], ReleaseTimes::Fill);
    EXPECT_EQ(fill.album.songs[25].title, "last typed");
    EXPECT_EQ(fill.album.songs[24].title, "t");
    EXPECT_EQ(fill.album.songs[25].time, "00:01");
    EXPECT_EQ(fillSummary(fill.filled),
              "Filled from MusicBrainz: group/artist, album name, label, catalogue "
              "number, MusicBrainz release ID, media type, 25 song titles and 26 song "
              "times.");
}

TEST(ReleaseFill, TracksPastTheLastSlotAreSaidToBeLeftOut)
{
    ReleaseMedium medium;
    for (int t = 1; t <= 26; ++t)
        medium.tracks.push_back({t, "t" + std::to_string(t), std::nullopt});
    EXPECT_EQ(tracksLeftOut(medium), "");
    medium.tracks.push_back({27, "t27", std::nullopt});
    EXPECT_EQ(tracksLeftOut(medium), "The disc has 27 tracks; the one after the 26th was left out.");
    for (int t = 28; t <= 30; ++t)
        medium.tracks.push_back({t, "t" + std::to_string(t), std::nullopt});
    EXPECT_EQ(tracksLeftOut(medium), "The disc has 30 tracks; the 4 after the 26th were left out.");
}

TEST(ReleaseFill, ListingLines)
{
    Release r = twoDiscRelease();
    r.title = "Tab\there";
    r.date = "1999-04-12";
    r.country = "GB";
    EXPECT_EQ(releaseLine(r), "release\tBand & Friend\tTab\\there\t1999-04-12\tLabel\tCAT 1\tGB\trel-1");
    r.media[1].tracks[1].lengthMs.reset();
    EXPECT_EQ(trackLines(r.media[1]), (std::vector<std::string>{"01\t01:00\tb1", "02\t--:--\tb2"}));
    // The disc's own times stand in for a length the release does not give, and only for that.
    EXPECT_EQ(trackLines(r.media[1], {"00:59", "04:44"}),
              (std::vector<std::string>{"01\t01:00\tb1", "02\t04:44\tb2"}));
    EXPECT_EQ(r.formats(), "2xCD");
    EXPECT_EQ(formatLength(59500), "01:00");

    // What a server sends cannot drive the terminal the lines are printed on.
    r.artist = "\x1b]0;owned\x07"
               "Band\x1b[31m";
    r.title = std::string("Nul\0Del\x7f", 8) + "Csi\xc2\x9b" + "2J";
    r.label = "Caf\xc3\xa9";
    r.media[1].tracks[0].title = "\x1b[2Jb1";
    EXPECT_EQ(releaseLine(r),
              "release\t ]0;owned Band [31m\tNul Del Csi 2J\t1999-04-12\tCaf\xc3\xa9\tCAT 1\tGB\trel-1");
    EXPECT_EQ(trackLines(r.media[1])[0], "01\t01:00\t [2Jb1");
}

} // namespace
} // namespace discora
