// Entering, modifying, deleting and undoing albums through a scripted sheet and scripted answers:
// the presets, the questions asked, what the catalogue holds afterwards and what Undo brings back.
#include "core/document/cataloguedocument.h"
#include "core/document/edithandlers.h"
#include "core/document/playertimessource.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "support/documentfixture.h"
#include "support/scriptededitor.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using fixture::albumNames;
using fixture::albumOf;
using fixture::displayedNames;
using fixture::loadAlbums;
using Names = std::vector<std::string>;

class FixedPlayer : public PlayerTimesSource
{
public:
    std::vector<std::string> times;
    void fillPlayerTimes(std::array<std::string, kSongSlots>& out) override
    {
        for (std::size_t i = 0; i < times.size(); ++i)
            out[i] = times[i];
    }
};

class EditCommandsTest : public ::testing::Test
{
protected:
    EditCommandsTest() { doc.newDocument(); }

    // Enters an album through the sheet, keeping the presets it is not given.
    void enterAlbum(const std::string& artist, const std::string& name)
    {
        editor.thenOk([&](AlbumRecord& a) {
            a.artist = artist;
            a.albumName = name;
        });
        ASSERT_TRUE(commands.enter());
    }

    // Display positions of the albums with these names.
    std::vector<int> positionsOf(const Names& names) const
    {
        std::vector<int> positions;
        const Names shown = displayedNames(doc);
        for (const std::string& n : names)
            positions.push_back(static_cast<int>(std::find(shown.begin(), shown.end(), n) - shown.begin()));
        return positions;
    }

    CatalogueDocument doc;
    ScriptedPrompter prompter;
    ScriptedEditor editor;
    EditHandlers commands{doc, prompter, editor};
};

// --- Enter ---

TEST(EnterPresets, NumberIsCountPlusOneTracksRunFrom01AndTimesFollowAutoLoad)
{
    std::array<std::string, kSongSlots> player{};
    player[0] = "03:05";
    player[1] = "00:59";

    const AlbumRecord first = enterPresets(0, player, true, "");
    EXPECT_EQ(first.number, "1");
    EXPECT_EQ(first.songs[0].trackNumber, "01");
    EXPECT_EQ(first.songs[9].trackNumber, "10");
    EXPECT_EQ(first.songs[25].trackNumber, "26");
    EXPECT_EQ(first.songs[0].time, "03:05");
    EXPECT_EQ(first.songs[1].time, "00:59");
    EXPECT_EQ(first.songs[2].time, "");

    const AlbumRecord off = enterPresets(41, player, false, "CD");
    EXPECT_EQ(off.number, "42");
    EXPECT_EQ(off.mediaType, "CD");
    for (const Song& s : off.songs) {
        EXPECT_EQ(s.time, "");
        EXPECT_EQ(s.title, "");
    }
    AlbumRecord onlyPresets = off;
    onlyPresets.number.clear();
    onlyPresets.mediaType.clear();
    for (Song& s : onlyPresets.songs)
        s.trackNumber.clear();
    EXPECT_EQ(onlyPresets, AlbumRecord{}) << "every other text starts empty";
}

TEST_F(EditCommandsTest, EnterOffersOneOnAnEmptyCatalogueAndCountPlusOneAfterDeletions)
{
    enterAlbum("A", "first");
    EXPECT_EQ(editor.shown.at(0).number, "1");
    enterAlbum("B", "second");
    enterAlbum("C", "third");
    enterAlbum("D", "fourth");
    prompter.deleteAnswers = {DeleteAnswer::Yes};
    ASSERT_EQ(commands.deleteAlbums(positionsOf({"second"})), 1);

    editor.thenCancel();
    EXPECT_FALSE(commands.enter());
    EXPECT_EQ(editor.shown.back().number, "4") << "three albums are left, whatever was deleted";
}

TEST_F(EditCommandsTest, EnterOffersTheMediaTypeTheSheetLastHeld)
{
    editor.thenOk([](AlbumRecord& a) { a.mediaType = "CD"; });
    commands.enter();
    editor.thenCancel();
    commands.enter();
    EXPECT_EQ(editor.shown.back().mediaType, "CD");

    loadAlbums(doc, {[] {
                   AlbumRecord a = albumOf("Vinyl artist", "vinyl");
                   a.mediaType = "LP";
                   return a;
               }()});
    editor.thenCancel();
    commands.modify(std::vector<int>{0});
    editor.thenCancel();
    commands.enter();
    EXPECT_EQ(editor.shown.back().mediaType, "LP") << "a cancelled sheet still held the album's media type";
}

TEST_F(EditCommandsTest, EnterTakesTheTimesOfThePlayersDiscOnlyWithAutoLoad)
{
    FixedPlayer player;
    player.times = {"03:05", "04:10"};
    commands.setPlayerTimesSource(&player);

    editor.thenCancel();
    commands.enter();
    EXPECT_EQ(editor.shown.back().songs[0].time, "03:05");
    EXPECT_EQ(editor.shown.back().songs[1].time, "04:10");
    EXPECT_EQ(editor.shown.back().songs[5].time, "") << "the player's times are collected afresh";

    ViewOptions options = doc.viewOptions();
    options.set(ViewOption::AutoLoad, 0);
    doc.setViewOptions(options);
    editor.thenCancel();
    commands.enter();
    EXPECT_EQ(editor.shown.back().songs[0].time, "");
}

TEST_F(EditCommandsTest, EnterStoresTheSheetAtTheEndAndClearsTrackNumbersOfEmptySongs)
{
    loadAlbums(doc, {albumOf("Zed", "old")});
    editor.thenOk([](AlbumRecord& a) {
        a.artist = "Abba";
        a.albumName = "new";
        a.producer1 = "Pat";
        a.producer2 = "pat";
        a.songs[0].title = "Song";
        a.songs[2].time = "01:00";
    });
    ASSERT_TRUE(commands.enter());

    EXPECT_EQ(albumNames(doc), (Names{"old", "new"}));
    EXPECT_EQ(displayedNames(doc), (Names{"new", "old"})) << "the order is applied again";
    const AlbumRecord stored = doc.album(1);
    EXPECT_EQ(stored.songs[0].trackNumber, "01");
    EXPECT_EQ(stored.songs[1].trackNumber, "");
    EXPECT_EQ(stored.songs[2].trackNumber, "03");
    EXPECT_EQ(doc.valueList(ValueListId::Producer).values(), (Names{"Pat"}));
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(doc.canUndo());
}

TEST_F(EditCommandsTest, CancelledEnterChangesNothingAndKeepsTheLastUndo)
{
    enterAlbum("A", "kept");
    doc.setModified(false);
    editor.thenCancel();
    EXPECT_FALSE(commands.enter());
    EXPECT_EQ(doc.albumCount(), 1);
    EXPECT_FALSE(doc.isModified());
    ASSERT_TRUE(doc.canUndo());
    commands.undo();
    EXPECT_EQ(doc.albumCount(), 0);
}

TEST_F(EditCommandsTest, UndoOfEnterRemovesTheNewAlbumAndThereIsNoSecondUndo)
{
    loadAlbums(doc, {albumOf("A", "one"), albumOf("B", "two")});
    enterAlbum("C", "three");
    ASSERT_TRUE(commands.undo());
    EXPECT_EQ(albumNames(doc), (Names{"one", "two"}));
    EXPECT_EQ(displayedNames(doc), (Names{"one", "two"}));
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(commands.undo());
    EXPECT_EQ(doc.albumCount(), 2);
}

TEST_F(EditCommandsTest, AnyScriptTypedIsStoredAndSavedAsTyped)
{
    const std::string artist = "Björk и 東京 🎵";
    enterAlbum(artist, "Ελληνικά");
    EXPECT_EQ(doc.text(Field::Artist, 0), artist);
    const std::string bytes = doc.save();
    CatalogueDocument reopened;
    ASSERT_TRUE(reopened.load(bytes));
    EXPECT_EQ(reopened.album(0), doc.album(0));
}

// --- Delete ---

TEST_F(EditCommandsTest, DeleteAnsweredYesNoYesRemovesFirstAndThirdAndUndoPutsBothBack)
{
    loadAlbums(doc, {albumOf("A", "a"), albumOf("B", "b"), albumOf("C", "c"), albumOf("D", "d")});
    prompter.deleteAnswers = {DeleteAnswer::Yes, DeleteAnswer::No, DeleteAnswer::Yes};
    EXPECT_EQ(commands.deleteAlbums(positionsOf({"a", "b", "c"})), 2);
    EXPECT_EQ(prompter.deleteQuestions,
              (Names{"Are you sure you want to delete A - a?", "Are you sure you want to delete B - b?",
                     "Are you sure you want to delete C - c?"}));
    EXPECT_EQ(albumNames(doc), (Names{"b", "d"}));
    EXPECT_EQ(doc.valueList(ValueListId::Artist).values(), (Names{"B", "D"}));

    ASSERT_TRUE(commands.undo());
    EXPECT_EQ(albumNames(doc), (Names{"a", "b", "c", "d"})) << "restored albums go back where they were";
    EXPECT_EQ(displayedNames(doc), (Names{"a", "b", "c", "d"}));
    EXPECT_EQ(doc.album(0), albumOf("A", "a"));
    EXPECT_FALSE(doc.canUndo());
}

struct StopCase
{
    const char* name;
    std::vector<DeleteAnswer> answers;
    int questions;
    Names left;
};

class DeleteStops : public EditCommandsTest, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(DeleteStops, AskingStopsAndTheRestFollowsTheAnswer)
{
    loadAlbums(doc, {albumOf("A", "a"), albumOf("B", "b"), albumOf("C", "c"), albumOf("D", "d")});
    prompter.deleteAnswers = {GetParam().answers.begin(), GetParam().answers.end()};
    commands.deleteAlbums(positionsOf({"a", "b", "c"}));
    EXPECT_EQ(static_cast<int>(prompter.deleteQuestions.size()), GetParam().questions);
    EXPECT_EQ(albumNames(doc), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DeleteStops,
    ::testing::Values(StopCase{"YesToAllAtFirst", {DeleteAnswer::YesToAll}, 1, {"d"}},
                      StopCase{"YesThenYesToAll", {DeleteAnswer::Yes, DeleteAnswer::YesToAll}, 2, {"d"}},
                      StopCase{"NoToAllAtFirst", {DeleteAnswer::NoToAll}, 1, {"a", "b", "c", "d"}},
                      StopCase{
                          "YesThenNoToAll", {DeleteAnswer::Yes, DeleteAnswer::NoToAll}, 2, {"b", "c", "d"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditCommandsTest, AnAlbumNamedDeleteIsAnOrdinaryAlbum)
{
    AlbumRecord named = albumOf("DELETE", "DELETE");
    named.number = "DELETE";
    named.notes = "DELETE";
    loadAlbums(doc, {albumOf("A", "a"), named, albumOf("C", "c")});

    prompter.deleteAnswers = {DeleteAnswer::Yes};
    commands.deleteAlbums(positionsOf({"a"}));
    EXPECT_EQ(albumNames(doc), (Names{"DELETE", "c"}));
    commands.undo();
    EXPECT_EQ(albumNames(doc), (Names{"a", "DELETE", "c"}));

    enterAlbum("DELETE", "entered");
    commands.undo();
    EXPECT_EQ(albumNames(doc), (Names{"a", "DELETE", "c"})) << "only the entered album goes";

    editor.thenOk([](AlbumRecord& a) { a.albumName = "DELETE"; });
    commands.modify(positionsOf({"c"}));
    prompter.deleteAnswers = {DeleteAnswer::Yes};
    commands.deleteAlbums(positionsOf({"a"}));
    EXPECT_EQ(albumNames(doc), (Names{"DELETE", "DELETE"}));
}

TEST_F(EditCommandsTest, TwoSongsOfOneAlbumSelectedInTheSongListAskAboutItOnce)
{
    AlbumRecord twoSongs = albumOf("A", "two songs");
    twoSongs.songs[0].title = "First";
    twoSongs.songs[1].title = "Second";
    AlbumRecord other = albumOf("B", "other");
    other.songs[0].title = "Middle";
    loadAlbums(doc, {twoSongs, other});
    doc.runOrder(SortOrder::BySong);
    ASSERT_EQ(orderEntryCount(doc), 3);

    prompter.deleteAnswers = {DeleteAnswer::No, DeleteAnswer::Yes};
    EXPECT_EQ(commands.deleteAlbums(std::vector<int>{0, 1, 2}), 1);
    EXPECT_EQ(prompter.deleteQuestions, (Names{"Are you sure you want to delete A - two songs?",
                                               "Are you sure you want to delete B - other?"}))
        << "entries in title order: First (A), Middle (B), Second (A)";
    EXPECT_EQ(albumNames(doc), (Names{"two songs"}));

    commands.undo();
    prompter.deleteQuestions.clear();
    doc.runOrder(SortOrder::BySong);
    prompter.deleteAnswers = {DeleteAnswer::Yes};
    commands.deleteAlbums(std::vector<int>{0, 2});
    EXPECT_EQ(prompter.deleteQuestions.size(), 1u);
    EXPECT_EQ(albumNames(doc), (Names{"other"}));
    commands.undo();
    EXPECT_EQ(albumNames(doc), (Names{"two songs", "other"})) << "recorded once, restored once";
}

// --- Modify ---

TEST_F(EditCommandsTest, ModifyWithCancelThenOkChangesAndUndoesOnlyTheSecond)
{
    loadAlbums(doc, {albumOf("A", "a"), albumOf("B", "b")});
    editor.headingsShown.clear();
    doc.setHeadings("Box", "Shelf");
    editor.thenCancel();
    editor.thenOk([](AlbumRecord& a) { a.albumName = "b changed"; });
    EXPECT_EQ(commands.modify(positionsOf({"a", "b"})), 1);

    ASSERT_EQ(editor.shown.size(), 2u);
    EXPECT_EQ(editor.shown[0], albumOf("A", "a")) << "the sheet shows the album as stored";
    EXPECT_EQ(editor.headingsShown[1], (std::array<std::string, 2>{"Box", "Shelf"}));
    EXPECT_EQ(albumNames(doc), (Names{"a", "b changed"}));
    EXPECT_EQ(doc.valueList(ValueListId::AlbumName).values(), (Names{"a", "b changed"}));

    ASSERT_TRUE(commands.undo());
    EXPECT_EQ(albumNames(doc), (Names{"a", "b"}));
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(EditCommandsTest, ModifyAndDeleteThatChangeNothingKeepTheHistory)
{
    enterAlbum("A", "a");
    editor.thenCancel();
    EXPECT_EQ(commands.modify(std::vector<int>{0}), 0);
    EXPECT_TRUE(doc.canUndo());

    enterAlbum("B", "b");
    prompter.deleteAnswers = {DeleteAnswer::No};
    EXPECT_EQ(commands.deleteAlbums(std::vector<int>{0}), 0);
    EXPECT_EQ(doc.history().undoCount(), 2);
    EXPECT_EQ(doc.albumCount(), 2);
}

TEST_F(EditCommandsTest, AlbumModifiedTwiceFromTheSongListIsUndoneToHowItWasBeforeTheFirstChange)
{
    AlbumRecord album = albumOf("A", "original");
    album.songs[0].title = "One";
    album.songs[1].title = "Two";
    AlbumRecord other = albumOf("B", "other");
    other.songs[0].title = "Three";
    loadAlbums(doc, {album, other});
    doc.runOrder(SortOrder::BySong);
    // Title order: One (A), Three (B), Two (A).
    editor.thenOk([](AlbumRecord& a) { a.albumName = "first change"; });
    editor.thenOk([](AlbumRecord& a) { a.albumName = "second change"; });
    EXPECT_EQ(commands.modify(std::vector<int>{0, 2}), 2);
    ASSERT_EQ(editor.shown.size(), 2u);
    EXPECT_EQ(editor.shown[1].albumName, "first change") << "the second showing sees the first change";
    EXPECT_EQ(doc.text(Field::AlbumName, 0), "second change");

    commands.undo();
    EXPECT_EQ(doc.album(0), album);
}

TEST_F(EditCommandsTest, ModifiedAlbumThatLeavesTheFilterIsNoLongerDisplayed)
{
    loadAlbums(doc, {albumOf("Kept", "a"), albumOf("Kept", "b")});
    doc.setFilter(FilterField::Artist, "Kept");
    editor.thenOk([](AlbumRecord& a) { a.artist = "Gone"; });
    commands.modify(positionsOf({"a"}));
    EXPECT_EQ(displayedNames(doc), (Names{"b"}));
    commands.undo();
    EXPECT_EQ(displayedNames(doc), (Names{"a", "b"}));
}

// --- Undo never crosses catalogues ---

TEST_F(EditCommandsTest, NewAndOpenClearTheUndo)
{
    enterAlbum("A", "a");
    doc.newDocument();
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(commands.undo());

    enterAlbum("A", "a");
    const std::string bytes = doc.save();
    enterAlbum("B", "b");
    ASSERT_TRUE(doc.load(bytes));
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(commands.undo());
    EXPECT_EQ(albumNames(doc), (Names{"a"}));
}

} // namespace
} // namespace discora
