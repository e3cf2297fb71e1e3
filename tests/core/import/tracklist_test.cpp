// Reading pasted track lists: each shape a shop or an encyclopedia page gives, mixed shapes, the
// lines passed over and the lines refused with the reason; then putting songs into an album's
// slots without touching typed text.
#include "core/import/tracklist.h"
#include "core/model/songfill.h"

#include <gtest/gtest.h>

namespace discora {

// gtest finds these beside the types they print.
void PrintTo(const IncomingSong& s, std::ostream* os)
{
    *os << '{' << s.trackNumber << " | " << s.title << " | " << s.time << '}';
}

void PrintTo(const UnreadLine& u, std::ostream* os)
{
    *os << '{' << u.line << " | " << u.text << " | " << u.reason << '}';
}

namespace {

using Songs = std::vector<IncomingSong>;
using Unread = std::vector<UnreadLine>;

struct PasteCase
{
    const char* name;
    std::string text;
    Songs songs;
    Unread unread = {};
};

void PrintTo(const PasteCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string thirtyLines()
{
    std::string text;
    for (int n = 1; n <= 30; ++n)
        text += std::to_string(n) + ". Song " + std::to_string(n) + " 2:" + std::to_string(10 + n) + "\n";
    return text;
}

Songs thirtySongs()
{
    Songs songs;
    for (int n = 1; n <= 30; ++n)
        songs.push_back({trackNumberText(n), "Song " + std::to_string(n), "02:" + std::to_string(10 + n)});
    return songs;
}

class Pasting : public ::testing::TestWithParam<PasteCase>
{
};

TEST_P(Pasting, GivesTheSongsInOrder)
{
    const PasteCase& c = GetParam();
    const TrackList list = parseTrackList(c.text);
    EXPECT_EQ(list.songs, c.songs);
    EXPECT_EQ(list.unread, c.unread);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, Pasting,
    ::testing::Values(
        PasteCase{"NumberAndDot",
                  "1. Come Together\n2. Something\n",
                  {{"01", "Come Together", ""}, {"02", "Something", ""}}},
        PasteCase{
            "ZeroPaddedNumberAndDash", "01 - Intro\n02 – Outro", {{"01", "Intro", ""}, {"02", "Outro", ""}}},
        PasteCase{"NumberAndParenthesis", "1) Alpha\n2)Beta", {{"01", "Alpha", ""}, {"02", "Beta", ""}}},
        PasteCase{"VinylSidesNumberedOn",
                  "Side A\nA1 Up\nA2 Down\nSide B\nB1 Left\nB2. Right\n",
                  {{"01", "Up", ""}, {"02", "Down", ""}, {"03", "Left", ""}, {"04", "Right", ""}}},
        PasteCase{
            "TitleAndTime", "Alpha 3:45\nBeta 10:02", {{"01", "Alpha", "03:45"}, {"02", "Beta", "10:02"}}},
        PasteCase{"TimeInBrackets",
                  "Alpha (3:45)\nBeta [0:59]",
                  {{"01", "Alpha", "03:45"}, {"02", "Beta", "00:59"}}},
        PasteCase{"NumberTitleTime",
                  "1 Alpha 03:45\n2 Beta 4:00",
                  {{"01", "Alpha", "03:45"}, {"02", "Beta", "04:00"}}},
        PasteCase{"DashBeforeTime",
                  "Alpha - 3:45\nBeta — 1:00:05",
                  {{"01", "Alpha", "03:45"}, {"02", "Beta", "60:05"}}},
        PasteCase{"HoursMinutesSeconds", "1. Suite 1:02:03", {{"01", "Suite", "62:03"}}},
        PasteCase{"SpreadsheetColumnsInAnyOrder",
                  "1\tAlpha\t3:45\nBeta\t4:10\t2\n3:00\t3.\tGamma",
                  {{"01", "Alpha", "03:45"}, {"02", "Beta", "04:10"}, {"03", "Gamma", "03:00"}}},
        PasteCase{"WebTableWithHeadingWriterAndTotal",
                  "No.\tTitle\tWriter(s)\tLength\n1.\t\"Come Together\"\tLennon\t4:20\n"
                  "2.\t\"Something\" (featuring Billy)\tHarrison\t3:03\nTotal length:\t7:23\n",
                  {{"01", "Come Together", "04:20"}, {"02", "Something (featuring Billy)", "03:03"}}},
        PasteCase{"FeaturedArtistStaysInTheTitle",
                  "1. Song (feat. Someone) 3:00\n2. Other ft. X",
                  {{"01", "Song (feat. Someone)", "03:00"}, {"02", "Other ft. X", ""}}},
        PasteCase{"EncyclopediaQuotesAndDash",
                  "1. \u201cHeroes\u201d \u2013 6:07\n2. \"V-2 Schneider\" \u2013 3:10",
                  {{"01", "Heroes", "06:07"}, {"02", "V-2 Schneider", "03:10"}}},
        PasteCase{"MixedShapes",
                  "1. Alpha (3:01)\n02 - Beta\nGamma\t4:00\nDelta - 5:00",
                  {{"01", "Alpha", "03:01"},
                   {"02", "Beta", ""},
                   {"03", "Gamma", "04:00"},
                   {"04", "Delta", "05:00"}}},
        PasteCase{"WithoutNumbersSongsAreNumberedInOrder",
                  "Alpha\nBeta\n\nGamma",
                  {{"01", "Alpha", ""}, {"02", "Beta", ""}, {"03", "Gamma", ""}}},
        PasteCase{"NumbersInTheTextAreKept",
                  "5. Five\n7. Seven\nEight",
                  {{"05", "Five", ""}, {"07", "Seven", ""}, {"08", "Eight", ""}}},
        PasteCase{"ANumberThatIsPartOfTheTitle",
                  "1 Alpha\n99 Luftballons\n3 Gamma",
                  {{"01", "Alpha", ""}, {"02", "99 Luftballons", ""}, {"03", "Gamma", ""}}},
        PasteCase{"TitlesThatOnlyLookLikeHeadingsOrVinyl",
                  "Side by Side\nDisco Inferno\nTitle Track\nA Day in the Life\nB52 Girl\n1999",
                  {{"01", "Side by Side", ""},
                   {"02", "Disco Inferno", ""},
                   {"03", "Title Track", ""},
                   {"04", "A Day in the Life", ""},
                   {"05", "B52 Girl", ""},
                   {"06", "1999", ""}}},
        PasteCase{"HeadingsAndBlankLinesAreSkipped",
                  "Track listing\n\nDisc 1\n1. One\nCD2\n1. Uno\nDisc 3 - Bonus Tracks\n1) Eins\n"
                  "Side One:\nBonus tracks:\n   \n# Title Time\n",
                  {{"01", "One", ""}, {"02", "Uno", ""}, {"03", "Eins", ""}}},
        PasteCase{"DiscsNumberedAfresh",
                  "Disc 1\n1. One\n2. Two\nDisc 2\n1. Uno\n2. Dos\nUnnumbered",
                  {{"01", "One", ""},
                   {"02", "Two", ""},
                   {"03", "Uno", ""},
                   {"04", "Dos", ""},
                   {"05", "Unnumbered", ""}}},
        PasteCase{"DotLeaders",
                  "1. Harbour Lights ........ 3:45\n2. Undertow . . . . . 2:10\n3. And Then...\n4. Coda "
                  "\u2026\u2026",
                  {{"01", "Harbour Lights", "03:45"},
                   {"02", "Undertow", "02:10"},
                   {"03", "And Then...", ""},
                   {"04", "Coda", ""}}},
        PasteCase{"NumberTitleAndTimeOnLinesOfTheirOwn",
                  "1\nHarbour Lights\n3:45\n2.\nUndertow\n(2:10)\n3\nQuiet Hour\n4\n1999\n",
                  {{"01", "Harbour Lights", "03:45"},
                   {"02", "Undertow", "02:10"},
                   {"03", "Quiet Hour", ""},
                   {"04", "1999", ""}}},
        PasteCase{"NonLatinTitles",
                  "1. \u041e\u0434\u0430 \u043a \u0440\u0430\u0434\u043e\u0441\u0442\u0438 3:45\n"
                  "2.\u3000\u6625\u306e\u6b4c\u3000(4:01)\n3. \u05e9\u05d9\u05e8",
                  {{"01", "\u041e\u0434\u0430 \u043a \u0440\u0430\u0434\u043e\u0441\u0442\u0438", "03:45"},
                   {"02", "\u6625\u306e\u6b4c", "04:01"},
                   {"03", "\u05e9\u05d9\u05e8", ""}}},
        PasteCase{"WindowsLineEndsAndNoBreakSpaces",
                  "1.\u00a0Alpha\u00a03:45\r\n2. Beta\r\n\r\n",
                  {{"01", "Alpha", "03:45"}, {"02", "Beta", ""}}},
        PasteCase{"ByteOrderMarkAndBullets",
                  "\ufeff\u2022 Alpha\n* Beta",
                  {{"01", "Alpha", ""}, {"02", "Beta", ""}}},
        PasteCase{"ThirtyLines", thirtyLines(), thirtySongs()},
        PasteCase{"LinesNotUnderstoodSayWhy",
                  "1. Alpha\n2.\n3:45\nBeta 3:75\n\tGamma\t7:5\n4. Delta",
                  {{"01", "Alpha", ""}, {"04", "Delta", ""}},
                  {{2, "2.", kTrackListNoTitle},
                   {3, "3:45", kTrackListNoTitle},
                   {4, "Beta 3:75", kTrackListBadTime},
                   {5, "Gamma 7:5", kTrackListBadTime}}},
        PasteCase{"NothingButBlanks", " \n\t\r\n", {}}),
    [](const ::testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.name); });

// The sheet as Enter presets it: numbers 01 to 26, nothing else.
SongSlots presetSlots()
{
    SongSlots songs;
    for (int k = 1; k <= kSongSlots; ++k)
        songs[k - 1].trackNumber = trackNumberText(k);
    return songs;
}

TEST(SongFilling, FillsOnlyEmptyTitlesAndTimesAndReportsWhatItKept)
{
    SongSlots songs = presetSlots();
    songs[0].title = "Typed";
    songs[1].time = "09:99";
    songs[2] = {"7", "Same", ""};
    const Songs incoming = {{"01", "Alpha", "03:00"}, {"02", "Beta", "04:00"}, {"03", "Same", "05:00"}};

    const SongFill fill = fillEmptySongs(songs, incoming, 55);

    EXPECT_EQ(fill.songs[0], (SongSlot{"01", "Typed", "03:00"}));
    EXPECT_EQ(fill.songs[1], (SongSlot{"02", "Beta", "09:99"}));
    EXPECT_EQ(fill.songs[2], (SongSlot{"7", "Same", "05:00"})) << "a typed track number stays";
    EXPECT_EQ(fill.songs[3], songs[3]);
    ASSERT_EQ(fill.placements.size(), 3u);
    EXPECT_TRUE(fill.placements[0].titleKept);
    EXPECT_FALSE(fill.placements[0].titleFilled);
    EXPECT_TRUE(fill.placements[1].timeKept);
    EXPECT_FALSE(fill.placements[2].titleKept) << "the same title is no conflict";
    EXPECT_FALSE(fill.placements[2].trackNumberSet);
    EXPECT_TRUE(fill.changesAnything());
}

TEST(SongFilling, TrackNumbersReplaceOnlyThePresetOnes)
{
    SongSlots songs = presetSlots();
    songs[1].trackNumber = "";
    songs[2].trackNumber = "X";
    const SongFill fill = fillEmptySongs(songs, {{"11", "A", ""}, {"12", "B", ""}, {"13", "C", ""}}, 55);
    EXPECT_EQ(fill.songs[0].trackNumber, "11");
    EXPECT_EQ(fill.songs[1].trackNumber, "12");
    EXPECT_EQ(fill.songs[2].trackNumber, "X");
}

TEST(SongFilling, SongsBeyondTheLastSlotGetNoneAndLongTitlesAreCutByCharacters)
{
    Songs incoming(kSongSlots + 2, IncomingSong{"", "t", ""});
    incoming[0].title = std::string(54, 'a') + "\u00e9\u00e9"; // 56 characters, 58 bytes
    const SongFill fill = fillEmptySongs(presetSlots(), incoming, 55);
    EXPECT_EQ(fill.songs[0].title, std::string(54, 'a') + "\u00e9");
    EXPECT_TRUE(fill.placements[0].titleCut);
    EXPECT_EQ(fill.placements[kSongSlots - 1].slot, kSongSlots);
    EXPECT_EQ(fill.placements[kSongSlots].slot, 0);
    EXPECT_EQ(fill.placements[kSongSlots + 1].slot, 0);
}

TEST(SongFilling, AListThatMatchesWhatIsTypedChangesNothing)
{
    SongSlots songs = presetSlots();
    songs[0] = {"01", "Alpha", "03:00"};
    EXPECT_FALSE(fillEmptySongs(songs, {{"01", "Alpha", "03:00"}}, 55).changesAnything());
}

} // namespace
} // namespace discora
