// What a screen reader hears for each entry: the texts the view shows, in every order and layout.
#include "core/export/orderlisting.h"
#include "core/layout/spokenentry.h"
#include "core/layout/viewlayout.h"
#include "core/order/orderentries.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace discora {
namespace {

CatalogueDocument sampleDocument()
{
    AlbumRecord quiet = fixture::albumOf("The Quiet Ones", "Low Tide");
    quiet.musicType = "Folk";
    quiet.mediaType = "CD";
    quiet.number = "12";
    quiet.songs[0] = {"Harbour", "3:05", "1"};
    quiet.songs[1] = {"Undertow", "", "2"};
    quiet.producer1 = "Ann Reed";
    quiet.performers[0] = {"Ann Reed", "Vocals"};
    AlbumRecord loud = fixture::albumOf("Alarm", "Sirens");
    loud.songs[0] = {"Wail", "2:00", "1"};
    CatalogueDocument doc;
    fixture::loadAlbums(doc, {quiet, loud});
    return doc;
}

std::string joined(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i)
        line += (i ? "\t" : "") + cells[i];
    return line;
}

TEST(SpokenEntry, ColumnListsReadTheTextsTheListShowsInEveryOrder)
{
    CatalogueDocument doc = sampleDocument();
    doc.setViewStyle(ViewStyle::SingleLineSorts);
    for (int o = 0; o < kSortOrderCount; ++o) {
        const auto order = static_cast<SortOrder>(o);
        SCOPED_TRACE(std::string(sortOrderInfo(order).name));
        ASSERT_TRUE(doc.runOrder(order));
        if (currentLayoutKind(doc) == LayoutKind::SongDetail)
            continue;
        std::vector<std::string> lines;
        listCurrentOrder(doc, [&](std::string_view line) { lines.emplace_back(line); });
        ASSERT_EQ(static_cast<int>(lines.size()), orderEntryCount(doc));
        const int columns = spokenColumnCount(doc);
        EXPECT_EQ(static_cast<int>(spokenColumnHeadings(doc).size()), columns);
        for (int p = 0; p < orderEntryCount(doc); ++p) {
            const SpokenEntry e = spokenEntry(doc, p);
            // The sample's texts hold nothing --list would escape.
            EXPECT_EQ(joined(e.cells), lines[static_cast<std::size_t>(p)]) << "entry " << p;
            if (!e.groupHeading) {
                EXPECT_EQ(static_cast<int>(e.cells.size()), columns) << "entry " << p;
            }
            EXPECT_FALSE(e.name.empty()) << "entry " << p;
        }
    }
}

TEST(SpokenEntry, EntriesReadAsAPersonWouldHearThem)
{
    CatalogueDocument doc = sampleDocument();
    const struct
    {
        const char* what;
        SortOrder order;
        ViewStyle style;
        int position;
        std::string name;
        std::string description;
    } cases[] = {
        {"album block, songs as description", SortOrder::ByArtist, ViewStyle::Normal, 1,
         "The Quiet Ones, Low Tide, Folk, CD, 12", "Songs: 1 Harbour 3:05; 2 Undertow"},
        {"album block in name order", SortOrder::ByAlbumName, ViewStyle::Normal, 0,
         "The Quiet Ones, Low Tide, Folk, CD, 12", "Songs: 1 Harbour 3:05; 2 Undertow"},
        {"empty fields are left out", SortOrder::ByArtist, ViewStyle::Normal, 0, "Alarm, Sirens",
         "Songs: 1 Wail 2:00"},
        {"song list", SortOrder::BySong, ViewStyle::Normal, 0, "Harbour, 1, The Quiet Ones, 12", ""},
        {"song detail", SortOrder::BySongDetail, ViewStyle::Normal, 2, "Wail, Alarm, Sirens", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        doc.setViewStyle(c.style);
        ASSERT_TRUE(doc.runOrder(c.order));
        const SpokenEntry e = spokenEntry(doc, c.position);
        EXPECT_EQ(e.name, c.name);
        EXPECT_EQ(e.description, c.description);
    }
}

TEST(SpokenEntry, ColumnsAreHeadedAsTheViewHeadsThem)
{
    CatalogueDocument doc = sampleDocument();
    const struct
    {
        SortOrder order;
        ViewStyle style;
        std::string headings;
    } cases[] = {
        {SortOrder::ByArtist, ViewStyle::Normal, "Group/Artist|Album Name|Music Type|Media Type|Number"},
        {SortOrder::BySongDetail, ViewStyle::Normal,
         "Song Title|Group/Artist|Album Name|Label|Catalog Number|Number"},
        {SortOrder::BySong, ViewStyle::Normal, "Song|T#|Group/Artist|#"},
        {SortOrder::ByPerformer, ViewStyle::Normal, "Performer/Instrument|Group/Artist|Album Name|#"},
        {SortOrder::ByArtist, ViewStyle::SingleLineSorts, "Group/Artist|Album Name|#"},
    };
    for (const auto& c : cases) {
        doc.setViewStyle(c.style);
        ASSERT_TRUE(doc.runOrder(c.order));
        std::string joinedHeadings;
        for (const std::string& heading : spokenColumnHeadings(doc))
            joinedHeadings += (joinedHeadings.empty() ? "" : "|") + heading;
        EXPECT_EQ(joinedHeadings, c.headings) << sortOrderInfo(c.order).name;
    }
}

TEST(SpokenEntry, GroupHeadingsAndPositionsOutsideTheOrder)
{
    CatalogueDocument doc = sampleDocument();
    ASSERT_TRUE(doc.runOrder(SortOrder::ByArtistShort));
    const SpokenEntry heading = spokenEntry(doc, 0);
    EXPECT_TRUE(heading.groupHeading);
    EXPECT_EQ(heading.name, "Alarm");
    EXPECT_FALSE(spokenEntry(doc, 1).groupHeading);

    for (int outside : {-1, orderEntryCount(doc)}) {
        const SpokenEntry e = spokenEntry(doc, outside);
        EXPECT_TRUE(e.name.empty() && e.cells.empty()) << outside;
    }
}

TEST(EntryPlacement, EntryTopIsWhereTheHitTestFindsTheEntry)
{
    ViewMetrics m;
    m.lineHeight = 16;
    m.clientHeight = 200;
    for (int lines : {1, 3, 19}) {
        for (int scrollY : {0, 32, 160}) {
            m.scrollY = scrollY;
            for (int position = 0; position < 20; ++position) {
                const int top = entryTop(position, m, lines);
                EXPECT_EQ(hitTest(top, m, lines), position) << lines << " " << scrollY;
                EXPECT_EQ(hitTest(top + lines * m.lineHeight - 1, m, lines), position);
            }
        }
    }
}

TEST(EntryPlacement, ScrollingToShowAnEntryMovesAsLittleAsPossible)
{
    const struct
    {
        const char* what;
        int lines;
        int clientHeight;
        int scrollY;
        int position;
        int maxScrollY;
        int expected;
    } cases[] = {
        {"already in sight", 1, 160, 0, 3, 1000, 0},
        {"below: its bottom comes to the bottom", 1, 160, 0, 12, 1000, 64},
        {"above: its top comes under the heading row", 1, 160, 160, 2, 1000, 32},
        {"a block below", 4, 160, 0, 3, 1000, 96},
        {"a block taller than the window shows its top", 19, 160, 0, 2, 1000, 608},
        {"never past the end", 1, 160, 0, 40, 200, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ViewMetrics m;
        m.lineHeight = 16;
        m.clientHeight = c.clientHeight;
        m.scrollY = c.scrollY;
        EXPECT_EQ(scrollToShowEntry(c.position, m, c.lines, c.maxScrollY), c.expected);
    }
}

} // namespace
} // namespace discora
