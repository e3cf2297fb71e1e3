// One entry's line read every way the program reads it: in the columns the view and the printed
// pages place, as `discora --list` writes it, and as a screen reader hears it.
#include "core/export/orderlisting.h"
#include "core/layout/listlayout.h"
#include "core/layout/rowmodel.h"
#include "core/layout/spokenentry.h"
#include "core/layout/viewlayout.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace discora {
namespace {

using Row = std::vector<std::string>;

CatalogueDocument sampleDocument()
{
    AlbumRecord quiet = fixture::albumOf("The Quiet Ones", "Low Tide");
    quiet.number = "12";
    quiet.label = "Tidal";
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

std::vector<Row> listedRows(const Catalogue& doc)
{
    std::vector<Row> rows;
    listCurrentOrder(doc, [&](std::string_view line) {
        // The sample's texts hold nothing the listing escapes, so a tab always parts two texts.
        Row row(1);
        for (char c : line) {
            if (c == '\t')
                row.emplace_back();
            else
                row.back() += c;
        }
        rows.push_back(row);
    });
    return rows;
}

Row rowOf(const RowModel& rows, int position)
{
    Row row;
    for (std::string_view text : rows.texts(position))
        row.emplace_back(text);
    return row;
}

TEST(RowModel, ThePainterTheListingAndTheScreenReaderReadTheSameRows)
{
    const struct
    {
        const char* what;
        SortOrder order;
        ViewStyle style;
        std::vector<int> fields; // the order's layout; 42 names no field
        int lostEdge;            // a column whose left edge is gone (0: none)
        std::vector<Row> rows;   // every entry's texts, in order
    } cases[] = {
        {"song list, a bad id in the last column",
         SortOrder::BySong,
         ViewStyle::Normal,
         {1, 9, 42, 0, 0},
         0,
         {{"Harbour", "1", "The Quiet Ones", "12", "Failed"},
          {"Undertow", "2", "The Quiet Ones", "12", "Failed"},
          {"Wail", "1", "Alarm", "", "Failed"}}},
        {"artist short list: a heading reads its artist alone",
         SortOrder::ByArtistShort,
         ViewStyle::Normal,
         {9, 42, 6, 0, 0},
         0,
         {{"Alarm"},
          {"Wail", "1", "", "Failed", ""},
          {"The Quiet Ones"},
          {"Harbour", "1", "12", "Failed", "Tidal"},
          {"Undertow", "2", "12", "Failed", "Tidal"}}},
        {"producer list, an album without a producer",
         SortOrder::ByProducer,
         ViewStyle::Normal,
         {42, 1, 9, 0, 0},
         0,
         {{"Ann Reed", "Failed", "The Quiet Ones", "12"}, {"No producer listed", "Failed", "Alarm", ""}}},
        {"performer list: a heading reads its performer alone",
         SortOrder::ByPerformer,
         ViewStyle::Normal,
         {1, 2, 9, 42, 0},
         0,
         {{"Ann Reed"}, {"Vocals", "The Quiet Ones", "Low Tide", "12", "Failed"}}},
        {"single-line album order, a bad id between good ones",
         SortOrder::ByArtist,
         ViewStyle::SingleLineSorts,
         {1, 42, 9, 0, 0, 0},
         0,
         {{"Alarm", "Failed", ""}, {"The Quiet Ones", "Failed", "12"}}},
        {"single-line album order, a column that lost its edge is read by no one",
         SortOrder::ByAlbumName,
         ViewStyle::SingleLineSorts,
         {2, 1, 9, 6, 0, 0},
         3,
         {{"Low Tide", "The Quiet Ones", "Tidal"}, {"Sirens", "Alarm", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CatalogueDocument doc = sampleDocument();
        doc.setViewStyle(c.style);
        const LayoutId id = layoutOf(c.order);
        ColumnLayout layout = doc.columnLayout(id);
        layout.fieldColumns = c.fields;
        if (c.lostEdge > 0)
            layout.leftEdges[static_cast<std::size_t>(c.lostEdge - 2)] = 0;
        doc.setColumnLayout(id, layout);
        ASSERT_TRUE(doc.runOrder(c.order));

        const LayoutKind kind = currentLayoutKind(doc);
        ViewMetrics screen;
        screen.clientWidth = 800;
        const RowModel painted(doc, listGeometry(kind, shownColumnLayout(doc), screen).columns);
        const RowModel printed(doc, printedListGeometry(kind, shownColumnLayout(doc), 96, 600, 4800).columns);
        const std::vector<Row> listed = listedRows(doc);
        ASSERT_EQ(listed.size(), c.rows.size());
        for (std::size_t p = 0; p < c.rows.size(); ++p) {
            SCOPED_TRACE("entry " + std::to_string(p));
            const int position = static_cast<int>(p);
            EXPECT_EQ(rowOf(painted, position), c.rows[p]);
            EXPECT_EQ(rowOf(printed, position), c.rows[p]);
            EXPECT_EQ(listed[p], c.rows[p]);
            const SpokenEntry spoken = spokenEntry(doc, position);
            EXPECT_EQ(spoken.cells, c.rows[p]);
            EXPECT_EQ(spoken.groupHeading, c.rows[p].size() == 1);
        }
        for (int outside : {-1, static_cast<int>(c.rows.size())})
            EXPECT_TRUE(rowOf(painted, outside).empty()) << outside;
    }
}

TEST(RowModel, TheSongDetailOrderIsListedAsTheSongList)
{
    CatalogueDocument doc = sampleDocument();
    ASSERT_TRUE(doc.runOrder(SortOrder::BySong));
    const std::vector<Row> songList = listedRows(doc);
    ASSERT_TRUE(doc.runOrder(SortOrder::BySongDetail));
    EXPECT_EQ(listedRows(doc), songList);
    EXPECT_EQ(songList.front(), (Row{"Harbour", "1", "The Quiet Ones", "12"}));
}

} // namespace
} // namespace discora
