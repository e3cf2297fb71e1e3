// What a collector keeps about each album, as the document handles it: every album's identity
// through sorts, undo and redo, the dates Enter and Modify set, loans and their history, the
// filters of the collection and the status bar's count of albums on loan.
#include "core/commands/statusfields.h"
#include "core/document/cataloguedocument.h"
#include "core/model/albumdetails.h"
#include "core/order/filters.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

AlbumRecord albumWith(std::string artist, std::vector<std::pair<Field, std::string>> details)
{
    AlbumRecord a = fixture::albumOf(std::move(artist), "Album");
    for (auto& [field, text] : details)
        a.text(field) = std::move(text);
    return a;
}

std::vector<AlbumId> idsOf(const CatalogueDocument& doc)
{
    std::vector<AlbumId> ids;
    for (int a = 0; a < doc.albumCount(); ++a)
        ids.push_back(doc.albums().albumId(a));
    return ids;
}

TEST(CollectionDetails, AnAlbumKeepsItsIdentityThroughSortsEditsAndUndo)
{
    CatalogueDocument doc;
    fixture::loadAlbums(doc, {albumWith("Cedar", {{Field::Location, "Box 3"}}),
                              fixture::albumOf("Amber", "A"), fixture::albumOf("Birch", "B")});
    const std::vector<AlbumId> ids = idsOf(doc);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[1], ids[2]);

    ASSERT_TRUE(doc.runOrder(SortOrder::ByAlbumName));
    EXPECT_EQ(idsOf(doc), ids);

    const std::uint32_t first[] = {0};
    doc.modifyAlbums(first, [](const AlbumRecord& a) {
        AlbumRecord changed = a;
        changed.text(Field::Status) = "Sold";
        return std::optional<AlbumRecord>(changed);
    });
    EXPECT_EQ(idsOf(doc), ids);

    doc.deleteAlbums(first);
    EXPECT_EQ(idsOf(doc), (std::vector<AlbumId>{ids[1], ids[2]}));
    doc.undo();
    EXPECT_EQ(idsOf(doc), ids);
    EXPECT_EQ(doc.text(Field::Location, 0), "Box 3");
    EXPECT_EQ(doc.text(Field::Status, 0), "Sold");
    doc.undo();
    EXPECT_EQ(idsOf(doc), ids);
    EXPECT_EQ(doc.text(Field::Status, 0), "");
    doc.redo();
    doc.redo();
    EXPECT_EQ(idsOf(doc), (std::vector<AlbumId>{ids[1], ids[2]}));

    // A new album is someone new.
    doc.enterAlbum(fixture::albumOf("Dune", "D"));
    const AlbumId entered = doc.albums().albumId(2);
    EXPECT_NE(entered, ids[0]);
    EXPECT_NE(entered, ids[1]);
    EXPECT_NE(entered, ids[2]);
}

TEST(CollectionDetails, EnterDatesTheAlbumAndAChangeDatesTheChange)
{
    CatalogueDocument doc;
    doc.newDocument();
    doc.enterAlbum(fixture::albumOf("Amber", "A"));
    doc.enterAlbum(albumWith("Birch", {{Field::DateAdded, "2001-02-03"}}));
    EXPECT_EQ(doc.text(Field::DateAdded, 0), todaysDate());
    EXPECT_EQ(doc.text(Field::DateAdded, 1), "2001-02-03") << "a date the album brings is kept";
    EXPECT_EQ(doc.text(Field::DateModified, 0), "");

    const std::uint32_t both[] = {0, 1};
    // Handing back the album as it was changes nothing, so it is not dated.
    doc.modifyAlbums(both, [](const AlbumRecord& a) {
        if (a.artist == "Birch")
            return std::optional<AlbumRecord>(a);
        AlbumRecord changed = a;
        changed.text(Field::Rating) = storedRating(5);
        return std::optional<AlbumRecord>(changed);
    });
    EXPECT_EQ(doc.text(Field::DateModified, 0), todaysDate());
    EXPECT_EQ(doc.text(Field::DateModified, 1), "");
    doc.undo();
    EXPECT_EQ(doc.text(Field::DateModified, 0), "");
    EXPECT_EQ(doc.text(Field::Rating, 0), "");
}

TEST(CollectionDetails, ALoanMovesToTheHistoryWhenTheAlbumComesBack)
{
    std::string loans = lend("", {"Ann", "2024-07-01", "2024-07-15", "ignored"});
    ASSERT_TRUE(currentLoan(loans));
    EXPECT_EQ(currentLoan(loans)->borrower, "Ann");
    EXPECT_EQ(currentLoan(loans)->returned, "") << "a new loan is out";
    EXPECT_TRUE(overdue(*currentLoan(loans), "2024-07-16"));
    EXPECT_FALSE(overdue(*currentLoan(loans), "2024-07-15"));

    loans = returned(loans, "2024-07-10");
    EXPECT_FALSE(currentLoan(loans));
    EXPECT_EQ(returned(loans, "2024-09-09"), loans) << "nothing is out to come back";

    // Lent again while still out: the first loan ends where the second begins. Tabs and line
    // breaks typed into a name cannot break the stored lines.
    loans = lend(lend(loans, {"Bob\tthe\nbold", "2024-08-01", "", ""}), {"Cy", "2024-09-01", "", ""});
    EXPECT_EQ(loansOf(loans), (std::vector<Loan>{{"Ann", "2024-07-01", "2024-07-15", "2024-07-10"},
                                                 {"Bob the bold", "2024-08-01", "", "2024-09-01"},
                                                 {"Cy", "2024-09-01", "", ""}}));
    EXPECT_FALSE(overdue(*currentLoan(loans), "2030-01-01")) << "no due date, never overdue";
}

TEST(CollectionDetails, TheCollectionsFiltersAndTheLoansOnTheStatusBar)
{
    const std::string lentLongAgo = lend("", {"Ann", "2020-01-01", "2020-02-01", ""});
    const std::string lentToday = lend("", {"Bob", todaysDate(), "2999-01-01", ""});
    const std::string cameBack = returned(lentLongAgo, "2020-01-20");
    CatalogueDocument doc;
    fixture::loadAlbums(doc, {
                                 albumWith("A", {{Field::Status, "Wanted"}, {Field::Year, "1971"}}),
                                 albumWith("B", {{Field::Status, "Ordered"}, {Field::MediaCondition, "VG+"}}),
                                 albumWith("C", {{Field::Location, "Shelf 2"}, {Field::Loans, lentLongAgo}}),
                                 albumWith("D", {{Field::SleeveCondition, "vg+"}, {Field::Loans, lentToday}}),
                                 albumWith("E", {{Field::Year, "1980"}, {Field::Loans, cameBack}}),
                                 albumWith("F", {{Field::Status, "Sold"}, {Field::Location, "shelf 10"}}),
                             });
    EXPECT_EQ(albumCountText(doc), "6 albums; 2 on loan, 1 overdue");

    struct Case
    {
        FilterField field;
        std::string text;
        std::string shown; // the artists that pass
    };
    for (const Case& c : {
             Case{FilterField::Status, "Wanted", "A"},
             Case{FilterField::Status, "want list", "AB"},
             Case{FilterField::Status, "In Collection", "CDE"},
             Case{FilterField::Location, "shelf 1", "F"},
             Case{FilterField::Year, "1970-1979", "A"},
             Case{FilterField::Year, "1975-", "E"},
             Case{FilterField::Year, "1980", "E"},
             Case{FilterField::Condition, "VG+", "BD"},
             Case{FilterField::OnLoan, "Yes", "CD"},
             Case{FilterField::OnLoan, "no", "ABEF"},
             Case{FilterField::Overdue, "Yes", "C"},
             Case{FilterField::Overdue, "No", "ABDEF"},
         }) {
        ASSERT_TRUE(doc.setFilter(c.field, c.text)) << c.text;
        std::string shown;
        for (std::uint32_t a : doc.displayOrder())
            shown += doc.text(Field::Artist, static_cast<int>(a));
        EXPECT_EQ(shown, c.shown) << filterFieldInfo(c.field).name << "=" << c.text;
        ASSERT_TRUE(doc.setFilter(c.field, kNoFilter));
    }

    // Texts no album could match are refused, and the filters stay as they were.
    for (const auto& [field, text] :
         {std::pair{FilterField::Year, "the seventies"}, std::pair{FilterField::Year, "1979-1970"},
          std::pair{FilterField::Status, "Borrowed"}, std::pair{FilterField::OnLoan, "maybe"}}) {
        EXPECT_FALSE(doc.setFilter(field, text)) << text;
        EXPECT_TRUE(filterProblem(field, text).has_value()) << text;
        EXPECT_EQ(doc.displayedCount(), 6) << text;
    }
}

TEST(CollectionDetails, BarcodesAreCheckedWhereTheyAreEanOrUpc)
{
    struct Case
    {
        const char* text;
        BarcodeCheck check;
    };
    for (const Case& c :
         {Case{"5099902987521", BarcodeCheck::Valid}, Case{"5 099902 987521", BarcodeCheck::Valid},
          Case{"5099902987522", BarcodeCheck::WrongCheckDigit},
          Case{"075678164125", BarcodeCheck::Valid}, // UPC-A
          Case{"075678164126", BarcodeCheck::WrongCheckDigit}, Case{"LC 0309", BarcodeCheck::NotChecked},
          Case{"12345", BarcodeCheck::NotChecked}, Case{"", BarcodeCheck::NotChecked}})
        EXPECT_EQ(checkBarcode(c.text), c.check) << c.text;
}

} // namespace
} // namespace discora
