// What the Play command hands the player in each kind of order, from the view's selection.
#include "core/cdplayer/playrequest.h"
#include "core/layout/viewlayout.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::loadAlbums;

struct SongRow
{
    const char* track;
    const char* title;
};

AlbumRecord album(const char* artist, const char* name, const char* number,
                  std::initializer_list<SongRow> songs)
{
    AlbumRecord a = albumOf(artist, name);
    a.musicType = "Jazz";
    a.number = number;
    std::size_t i = 0;
    for (const SongRow& song : songs) {
        a.songs[i].trackNumber.assign(song.track);
        a.songs[i].title.assign(song.title);
        ++i;
    }
    return a;
}

class PlayRequestTest : public ::testing::Test
{
protected:
    PlayRequestTest()
    {
        loadAlbums(doc, {album("Blue Trio", "Night", "12",
                               {{"01", "Aria"}, {"02", "Bolero"}, {"03", ""}, {"0", "Coda"}}),
                         album("Red Band", "Day", "7", {{"04", "Dawn"}, {"", "Echo"}})});
    }
    // Clicks the entry whose text (album name or song title) is given, as the user would.
    void click(const std::string& text, ClickModifiers modifiers = {})
    {
        const int n = orderEntryCount(doc);
        if (selection.size() != n)
            selection.clear(n);
        for (int p = 0; p < n; ++p) {
            const bool songs = !doc.albumOrderCurrent() && doc.currentOrder() != SortOrder::ByProducer &&
                               doc.currentOrder() != SortOrder::ByPerformer;
            const auto& entry = doc.derivedLists().songs;
            const std::string shown =
                songs ? (entry[static_cast<std::size_t>(p)].isHeader()
                             ? std::string(doc.text(
                                   Field::Artist, static_cast<int>(entry[static_cast<std::size_t>(p)].album)))
                             : std::string(songTitle(doc, entry[static_cast<std::size_t>(p)])))
                      : std::string(doc.text(Field::AlbumName, static_cast<int>(*albumOfEntry(doc, p))));
            if (shown == text) {
                selection.click(p, modifiers, [this](int q) { return entryIsPlayable(doc, q); });
                return;
            }
        }
        FAIL() << "no entry " << text;
    }

    CatalogueDocument doc;
    ViewSelection selection;
};

const PlayerAlbumTexts kBlue = {"Blue Trio", "Night", "Jazz", "12"};
const PlayerAlbumTexts kRed = {"Red Band", "Day", "Jazz", "7"};

TEST_F(PlayRequestTest, AnAlbumOrderPlaysTheWholeDiscWithTheAlbumPlayWouldTake)
{
    doc.runOrder(SortOrder::ByAlbumName);
    EXPECT_EQ(playRequestFor(doc, selection), PlayRequest{}); // nothing selected: no album shown
    click("Night");
    const PlayRequest request = playRequestFor(doc, selection);
    EXPECT_TRUE(request.wholeDisc);
    EXPECT_TRUE(request.playList.empty());
    EXPECT_EQ(request.albumTexts, kBlue);
    ASSERT_EQ(request.trackTitles.size(), 26u);
    EXPECT_EQ(request.trackTitles[0], "Aria");
    EXPECT_EQ(request.trackTitles[2], "");
    EXPECT_EQ(request.trackTitles[3], "Coda");
}

TEST_F(PlayRequestTest, ASongListPlaysTheSelectedSongsInTheOrderTheyWereSelected)
{
    doc.runOrder(SortOrder::BySong);
    click("Dawn");
    click("Aria", {false, true});
    click("Bolero", {false, true});
    const PlayRequest request = playRequestFor(doc, selection);
    EXPECT_FALSE(request.wholeDisc);
    EXPECT_EQ(request.playList, (std::vector<int>{4, 1, 2}));
    EXPECT_EQ(request.trackTitles, (std::vector<std::string>{"Dawn", "Aria", "Bolero"}));
    EXPECT_EQ(request.albumTexts, kRed); // the album of the first song
}

TEST_F(PlayRequestTest, ASongWithoutATrackNumberInTheSongListPlaysItsWholeDisc)
{
    doc.runOrder(SortOrder::BySong);
    click("Echo");
    const PlayRequest request = playRequestFor(doc, selection);
    EXPECT_TRUE(request.wholeDisc);
    EXPECT_EQ(request.albumTexts, kRed);
    EXPECT_EQ(request.trackTitles.size(), 26u);
}

TEST_F(PlayRequestTest, TheSixLineSongListHandsOnTrackZeroForThePlayerToRefuse)
{
    doc.runOrder(SortOrder::BySongDetail);
    click("Coda");
    const PlayRequest request = playRequestFor(doc, selection);
    EXPECT_FALSE(request.wholeDisc);
    EXPECT_EQ(request.playList, std::vector<int>{0});
}

TEST_F(PlayRequestTest, TheArtistShortListPlaysTheWholeDiscOfTheFirstSelectedEntry)
{
    doc.runOrder(SortOrder::ByArtistShort);
    click("Dawn");
    click("Aria", {false, true});
    PlayRequest request = playRequestFor(doc, selection);
    EXPECT_TRUE(request.wholeDisc);
    EXPECT_TRUE(request.playList.empty());
    EXPECT_EQ(request.albumTexts, kRed);

    click("Blue Trio"); // an artist heading alone
    request = playRequestFor(doc, selection);
    EXPECT_TRUE(request.wholeDisc);
    EXPECT_EQ(request.albumTexts, kBlue);
}

} // namespace
} // namespace discora
