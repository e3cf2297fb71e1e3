// Find: the three matching modes, every field an album is searched in, and the loop that opens
// each match in the sheet, including a Modify that hides or re-sorts albums under it.
#include "core/document/cataloguedocument.h"
#include "core/document/edithandlers.h"
#include "core/document/findcommand.h"
#include "core/order/find.h"
#include "support/documentfixture.h"
#include "support/scriptededitor.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::displayedNames;
using fixture::loadAlbums;
using Names = std::vector<std::string>;

struct MatchCase
{
    const char* name;
    const char* value;
    const char* text;
    bool wholeWord;
    bool matchCase;
    bool matches;
};

class FieldMatching : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(FieldMatching, Matches)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(fieldMatches(c.value, FindQuery{c.text, c.wholeWord, c.matchCase}), c.matches)
        << "'" << c.text << "' in '" << c.value << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FieldMatching,
    ::testing::Values(
        // Whole word: a word before a blank loses a last mark; the last word keeps it.
        MatchCase{"CommaBeforeBlankIsDropped", "Hello, world", "Hello", true, false, true},
        MatchCase{"LastWordKeepsItsFullStop", "Hello world.", "world", true, false, false},
        MatchCase{"LastWordWithItsFullStop", "Hello world.", "world.", true, false, true},
        MatchCase{"OneWordMustEqualWhole", "Hello", "Hell", true, false, false},
        MatchCase{"OneWordEqual", "hello", "HELLO", true, false, true},
        MatchCase{"TextWithBlankNeverMatchesWholeWord", "Hello world", "Hello world", true, false, false},
        MatchCase{"PartOfWordIsNoWholeWord", "Helloworld again", "world", true, false, false},
        MatchCase{"DigitAtWordEndIsDropped", "Track1 live", "Track", true, false, true},
        MatchCase{"BracketAtWordEndIsDropped", "(live) set", "(live", true, false, true},
        MatchCase{"UnderscoreStays", "foo_ bar", "foo", true, false, false},
        MatchCase{"GraveAccentIsDropped", "foo` bar", "foo", true, false, true},
        MatchCase{"OnlyOneCharacterIsDropped", "Hello.. world", "Hello", true, false, false},
        MatchCase{"LetterBeyondAsciiCountsAsMark", "Café au lait", "Caf", true, false, true},
        MatchCase{"TabBelongsToTheWord", "one\ttwo three", "one", true, false, false},
        MatchCase{"WholeWordMatchCase", "The Beatles live", "beatles", true, true, false},
        MatchCase{"WholeWordMatchCaseExact", "The Beatles live", "Beatles", true, true, true},
        // Substring modes.
        MatchCase{"AnyCase", "The Beatles", "beatles", false, false, true},
        MatchCase{"MatchCaseRefuses", "The Beatles", "beatles", false, true, false},
        MatchCase{"MatchCaseFinds", "The Beatles", "Beat", false, true, true},
        MatchCase{"AccentedCapitalsFold", "ÉTÉ INDIEN", "été", false, false, true},
        MatchCase{"TimeText", "3:45", "3:45", false, false, true},
        MatchCase{"EmptyFieldNeverMatches", "", "", false, false, false},
        MatchCase{"EmptyTextMatchesAnyText", "x", "", false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlbumMatching, EveryFieldIsSearched)
{
    CatalogueDocument doc;
    AlbumRecord onlyTime = albumOf("A", "a");
    onlyTime.songs[7].time = "3:45";
    AlbumRecord onlyTrack = albumOf("B", "b");
    onlyTrack.songs[25].trackNumber = "3:45";
    AlbumRecord onlyPerformer = albumOf("C", "c");
    onlyPerformer.performers[9].instrument = "3:45";
    AlbumRecord onlyNotes = albumOf("D", "d");
    onlyNotes.notes = "line\r\n3:45";
    loadAlbums(doc, {onlyTime, onlyTrack, onlyPerformer, onlyNotes, albumOf("E", "none")});

    const FindQuery query{"3:45", false, false};
    for (int a = 0; a < 4; ++a)
        EXPECT_TRUE(albumMatches(doc, a, query)) << "album " << a;
    EXPECT_FALSE(albumMatches(doc, 4, query));
}

// The window side of Find: the view's selection and Modify through the editing commands.
class RecordingActions : public FindActions
{
public:
    RecordingActions(CatalogueDocument& doc, EditHandlers& commands) : m_doc(doc), m_commands(commands) {}

    std::vector<int> selected;
    int clears = 0;
    bool positionPastEnd = false;

    void selectOnly(int position) override
    {
        positionPastEnd |= position >= m_doc.displayedCount();
        selected.push_back(position);
    }
    void clearSelection() override { ++clears; }
    void modifySelected(int position) override { m_commands.modify(std::vector<int>{position}); }

private:
    CatalogueDocument& m_doc;
    EditHandlers& m_commands;
};

class FindLoop : public ::testing::Test
{
protected:
    CatalogueDocument doc;
    ScriptedPrompter prompter;
    ScriptedEditor editor;
    EditHandlers commands{doc, prompter, editor};
    RecordingActions actions{doc, commands};
};

TEST_F(FindLoop, OpensEveryMatchInDisplayOrderAndSaysWhenFinished)
{
    loadAlbums(doc, {albumOf("Zoo", "hit two"), albumOf("Mid", "miss"), albumOf("Ant", "hit one")});
    editor.thenCancel();
    editor.thenCancel();
    prompter.continueAnswers = {true, true};

    const FindResult result = runFind(doc, {"HIT", false, false}, prompter, actions);
    EXPECT_EQ(result.matches, 2);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(actions.selected, (std::vector<int>{0, 2}));
    ASSERT_EQ(editor.shown.size(), 2u);
    EXPECT_EQ(editor.shown[0].albumName, "hit one");
    EXPECT_EQ(editor.shown[1].albumName, "hit two");
    EXPECT_EQ(prompter.continueQuestions, 2);
    EXPECT_EQ(prompter.messages, (Names{kFindNoMoreMatches}));
    EXPECT_EQ(actions.clears, 1);
    EXPECT_EQ(doc.findQuery(), (FindQuery{"HIT", false, false})) << "kept for the next Find";
}

TEST_F(FindLoop, NoMatchSaysSo)
{
    loadAlbums(doc, {albumOf("A", "a")});
    const FindResult result = runFind(doc, {"zzz", false, false}, prompter, actions);
    EXPECT_EQ(result.matches, 0);
    EXPECT_EQ(prompter.messages, (Names{kFindNoMatchesFound}));
    EXPECT_TRUE(editor.shown.empty());
}

TEST_F(FindLoop, CancelAtContinueStopsWithoutMessageAndLeavesNothingSelected)
{
    loadAlbums(doc, {albumOf("A", "hit"), albumOf("B", "hit")});
    prompter.continueAnswers = {false};
    const FindResult result = runFind(doc, {"hit", true, false}, prompter, actions);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(editor.shown.size(), 1u);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(actions.clears, 1);
}

TEST_F(FindLoop, ModifyThatHidesAlbumsNeverLetsTheLoopReadPastTheDisplayedAlbums)
{
    loadAlbums(doc, {albumOf("k1", "x first"), albumOf("k2", "x second"), albumOf("k3", "x third")});
    doc.setFilter(FilterField::Artist, "k");
    // Every confirmed sheet moves its album out of the filter; its name still matches.
    for (int i = 0; i < 3; ++i)
        editor.thenOk([](AlbumRecord& a) { a.artist = "gone"; });
    prompter.continueAnswers = {true, true, true};

    const FindResult result = runFind(doc, {"x", false, false}, prompter, actions);
    EXPECT_FALSE(actions.positionPastEnd);
    // "x first" is hidden, so "x second" moves to position 0, already passed; position 1 is then "x third".
    EXPECT_EQ(result.matches, 2);
    EXPECT_EQ(editor.shown.size(), 2u);
    EXPECT_EQ(editor.shown.at(1).albumName, "x third");
    EXPECT_EQ(displayedNames(doc), (Names{"x second"}));
}

TEST_F(FindLoop, EnabledOnlyForAlbumOrdersOfANonEmptyCatalogue)
{
    EXPECT_FALSE(findEnabled(doc));
    AlbumRecord a = albumOf("A", "a");
    a.songs[0].title = "s";
    loadAlbums(doc, {a, albumOf("B", "b")});
    EXPECT_TRUE(findEnabled(doc));
    doc.runOrder(SortOrder::BySong);
    EXPECT_FALSE(findEnabled(doc));
}

} // namespace
} // namespace discora
