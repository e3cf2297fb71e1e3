// Sorting accented letters with their base letter: off, names sort by Windows-1252 value as they
// always have ("Éditions" after "Zappa"); on, every order, the song list, Go To, Find and the
// printed letter groups read "É" as "E", "Ø" as "O" and "ß" as "ss".
#include "core/document/cataloguedocument.h"
#include "core/layout/gotosearch.h"
#include "core/layout/pagination.h"
#include "core/order/comparenames.h"
#include "core/order/find.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using Names = std::vector<std::string>;

TEST(FoldAccents, LettersFoldToTheirBaseLetterKeepingCase)
{
    struct Case
    {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"Éditions Lumière", "Editions Lumiere"},
        {"Øystein Sevåg", "Oystein Sevag"},
        {"Straße", "Strasse"},
        {"Æon Œuvre", "AEon OEuvre"},
        {"Dvořák Łódź", "Dvorak Lodz"},
        {"Cafe\xCC\x81", "Cafe"},             // a combining acute accent
        {"東京 × Björk ♪", "東京 × Bjork ♪"}, // no Latin letter of its own: left as it is
        {"plain", "plain"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foldAccents(c.text), c.folded) << c.text;
}

class AccentOrders : public ::testing::Test
{
protected:
    AccentOrders()
    {
        doc.newDocument();
        fixture::loadAlbums(doc, {fixture::albumOf("Zappa", "a"), fixture::albumOf("Éditions Lumière", "b"),
                                  fixture::albumOf("Eagles", "c"), fixture::albumOf("Øresund", "d"),
                                  fixture::albumOf("Oasis", "e"), fixture::albumOf("Fanfare", "f")});
    }
    void sortAccents(bool on)
    {
        ViewOptions options = doc.viewOptions();
        options.set(ViewOption::SortAccents, on ? 1 : 0);
        ASSERT_TRUE(doc.setViewOptions(options));
    }
    Names artistsShown() const
    {
        Names names;
        for (std::uint32_t a : doc.displayOrder())
            names.emplace_back(doc.text(Field::Artist, static_cast<int>(a)));
        return names;
    }
    CatalogueDocument doc;
};

TEST_F(AccentOrders, OffByDefaultAccentedNamesFollowZ)
{
    EXPECT_EQ(artistsShown(), (Names{"Eagles", "Fanfare", "Oasis", "Zappa", "Éditions Lumière", "Øresund"}));
}

TEST_F(AccentOrders, OnTheyJoinTheirLetterAndOffAgainTheyGoBack)
{
    sortAccents(true);
    EXPECT_EQ(artistsShown(), (Names{"Eagles", "Éditions Lumière", "Fanfare", "Oasis", "Øresund", "Zappa"}));
    sortAccents(false);
    EXPECT_EQ(artistsShown(), (Names{"Eagles", "Fanfare", "Oasis", "Zappa", "Éditions Lumière", "Øresund"}));
}

TEST_F(AccentOrders, SongListsSortTheirTitlesTheSameWay)
{
    AlbumRecord songs = fixture::albumOf("X", "songs");
    songs.songs[0].title = "Zebra";
    songs.songs[1].title = "Über alles";
    songs.songs[2].title = "Umbrella";
    songs.songs[3].title = "Vale";
    fixture::loadAlbums(doc, {songs});
    sortAccents(true);
    ASSERT_TRUE(doc.runOrder(SortOrder::BySong));
    Names titles;
    for (const SongEntry& e : doc.derivedLists().songs)
        if (!e.isHeader())
            titles.emplace_back(doc.text(titleField(e.slot), static_cast<int>(e.album)));
    EXPECT_EQ(titles, (Names{"Über alles", "Umbrella", "Vale", "Zebra"}));
}

TEST_F(AccentOrders, GoToFindAndLetterGroupsFollowTheOption)
{
    EXPECT_EQ(findGoToEntry(doc, "ed"), std::nullopt);
    FindQuery query;
    query.text = "lumiere";
    EXPECT_FALSE(albumMatches(doc, 1, query));
    EXPECT_EQ(groupLetter("Øresund", false), U'Ø');

    sortAccents(true);
    EXPECT_EQ(findGoToEntry(doc, "ed"), 1) << "Éditions, after Eagles";
    EXPECT_EQ(findGoToEntry(doc, "ÉD"), 1);
    EXPECT_TRUE(albumMatches(doc, 1, query));
    query.matchCase = true;
    EXPECT_FALSE(albumMatches(doc, 1, query)) << "Match Case matches exactly";
    EXPECT_EQ(groupLetter("Øresund", false, LetterFolding::WithAccents), U'o');
    EXPECT_EQ(groupLetter("The Élan", true, LetterFolding::WithAccents), U'e');
}

} // namespace
} // namespace discora
