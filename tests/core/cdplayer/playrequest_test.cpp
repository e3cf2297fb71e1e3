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

AlbumRecord album(std::string artist, std::string name,
                  std::vector<std::pair<std::string, std::string>> songs)
{
    AlbumRecord a = albumOf(std::move(artist), std::move(name));
    a.musicType = "Jazz";
    for (std::size_t i = 0; i < songs.size(); ++i) {
        a.songs[i].trackNumber = songs[i].first;
        a.songs[i].title = songs[i].second;
    }
    return a;
}

class PlayRequestTest : public ::testing::Test
{
protected:
    PlayRequestTest()
    {
        AlbumRecord blue =
            album("Blue Trio", "Night", {{"01", "Aria"}, {"02", "Bolero"}, {"03", ""}, {"0", "Coda"}});
        blue.number = "12";
        AlbumRecord red = album("Red Band", "Day", {{"04", "Dawn"}, {"", "Echo"}});
        red.number = "7";
        loadAlbums(doc, {blue, red});
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
