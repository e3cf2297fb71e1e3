// Go To: the key match with its "the " rule, each order's key and rule, and where the view scrolls.
#include "core/layout/gotosearch.h"
#include "core/order/orders.h"
#include "support/orderfixture.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using ordertest::albumsWith;
using ordertest::albumWith;
using ordertest::documentOf;
using ordertest::optionsWith;

TEST(GoToMatch, KeysAndTypedTexts)
{
    struct Case
    {
        const char* key;
        const char* typed;
        bool ignoreThe;
        bool match;
    };
    const Case cases[] = {
        {"The Lanterns", "lan", true, true},
        {"The Lanterns", "lan", false, false},
        {"The Lanterns", "the l", true, true},
        {"The Lanterns", "the l", false, true},
        {"The ", "the", true, true}, // exactly four characters: never stripped
        {"The ", "", true, true},
        {"Theremin", "rem", true, false}, // "the" without the blank is no article
        {"Lanterns", "LAN", false, true},
        {"Lanterns", "lanterns live", false, false},
        {"Lanterns", "lanterns", false, true},
        {"", "", false, true},
        {"", "a", false, false},
        {"Écoute", "éc", false, true},
        {"ÉCOUTE", "écoute", false, true},
        {"東京", "東", false, true},
        {"The 東京", "東", true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(goToKeyMatches(c.key, c.typed, c.ignoreThe), c.match)
            << "'" << c.key << "' / '" << c.typed << "' ignoreThe " << c.ignoreThe;
}

TEST(GoTo, PromptsNameTheKeyOfTheOrder)
{
    EXPECT_EQ(goToPrompt(SortOrder::ByArtist), "Enter the Group/Artist name to go to.");
    EXPECT_EQ(goToPrompt(SortOrder::ByNumber), "Enter the Tape Number to go to.");
    EXPECT_EQ(goToPrompt(SortOrder::BySongDetail), "Enter the Song to go to.");
    EXPECT_EQ(goToPrompt(SortOrder::ByArtistShort), "Enter the Group/Artist to go to.");
    EXPECT_EQ(goToPrompt(SortOrder::ByQuality), "");
}

TEST(GoTo, TheArticleFollowsTheOptionOfTheStyleShown)
{
    const std::vector<std::string> artists = {"Abba", "Blondie", "The Lanterns", "Zappa"};
    auto doc = documentOf(albumsWith(Field::Artist, artists),
                          optionsWith({{ViewOption::NlViewThe, 1}, {ViewOption::GroupViewThe, 0}}));
    doc->runOrder(SortOrder::ByArtist);
    // Sorted with "The" ignored: Abba, Blondie, The Lanterns, Zappa.
    EXPECT_EQ(findGoToEntry(*doc, "lan"), 2);
    EXPECT_EQ(findGoToEntry(*doc, "the l"), 2);
    EXPECT_EQ(findGoToEntry(*doc, "z"), 3);
    EXPECT_EQ(findGoToEntry(*doc, ""), 0);
    EXPECT_EQ(findGoToEntry(*doc, "q"), std::nullopt);

    doc->setViewStyle(ViewStyle::SingleLineSorts);
    EXPECT_FALSE(goToIgnoresThe(*doc));
    EXPECT_EQ(findGoToEntry(*doc, "lan"), std::nullopt);
    EXPECT_TRUE(findGoToEntry(*doc, "the l").has_value());
}

TEST(GoTo, AlbumOrdersSearchTheirOwnField)
{
    auto doc =
        documentOf({albumWith({{Field::Artist, "A"}, {Field::Label, "Verve"}, {Field::Quality, "Good"}}),
                    albumWith({{Field::Artist, "B"}, {Field::Label, "Atlantic"}, {Field::Quality, "Poor"}})});
    doc->runOrder(SortOrder::ByLabel);
    EXPECT_EQ(findGoToEntry(*doc, "ver"), 1);
    doc->runOrder(SortOrder::ByQuality);
    EXPECT_EQ(findGoToEntry(*doc, "p"), std::nullopt); // no key in this order
    EXPECT_EQ(findGoToEntry(*doc, ""), 0);
}

TEST(GoTo, TheProducerListAlwaysIgnoresTheArticle)
{
    auto doc = documentOf({albumWith({{Field::Artist, "A"}, {Field::Producer1, "The Lanterns"}}),
                           albumWith({{Field::Artist, "B"}, {Field::Producer1, "Marsh"}})},
                          optionsWith({{ViewOption::NlViewThe, 0}, {ViewOption::SongThe, 0}}));
    doc->runOrder(SortOrder::ByProducer);
    const auto found = findGoToEntry(*doc, "lan");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(producerName(*doc, static_cast<std::size_t>(*found)), "The Lanterns");
}

TEST(GoTo, ThePerformerListNeverIgnoresTheArticle)
{
    AlbumRecord a = albumWith({{Field::Artist, "A"}});
    a.performers[0] = {"The Lanterns", "Guitar"};
    a.performers[1] = {"Marsh", "Drums"};
    auto doc = documentOf({a, albumWith({{Field::Artist, "B"}})},
                          optionsWith({{ViewOption::NlViewThe, 1}, {ViewOption::ArtistThe, 1}}));
    doc->runOrder(SortOrder::ByPerformer);
    EXPECT_EQ(findGoToEntry(*doc, "lan"), std::nullopt);
    EXPECT_TRUE(findGoToEntry(*doc, "mar").has_value());
    const auto the = findGoToEntry(*doc, "the lan");
    ASSERT_TRUE(the.has_value());
    EXPECT_EQ(performerName(*doc, static_cast<std::size_t>(*the)), "The Lanterns");
}

TEST(GoTo, SongListsFollowTheSongOption)
{
    AlbumRecord a = albumWith({{Field::Artist, "Zed"}});
    a.songs[0] = {"The Lantern Song", "3:00", "1"};
    a.songs[1] = {"Another", "3:00", "2"};
    for (int on : {0, 1}) {
        auto doc =
            documentOf({a, albumWith({{Field::Artist, "Y"}})}, optionsWith({{ViewOption::SongThe, on}}));
        doc->runOrder(SortOrder::BySong);
        const auto found = findGoToEntry(*doc, "lan");
        EXPECT_EQ(found.has_value(), on == 1);
        doc->runOrder(SortOrder::ByArtistShort);
        EXPECT_TRUE(findGoToEntry(*doc, "zed").has_value()); // the artist of the entry
    }
}

TEST(GoTo, TheScrollPositionStopsAtTheEnd)
{
    EXPECT_EQ(goToScrollPosition(3, 16, 5, 10000, 400), 240);
    EXPECT_EQ(goToScrollPosition(120, 16, 5, 10000, 400), 9600);
    EXPECT_EQ(goToScrollPosition(5, 16, 1, 0, 0), 0); // everything fits
    EXPECT_EQ(goToScrollPosition(0, 16, 45, 72000, 900), 0);
}

} // namespace
} // namespace discora
