// Importing albums into the document: added at the end as one Enter of them all, sorted and offered
// in the value lists like an entered album, and taken back by one Undo.
#include "core/document/cataloguedocument.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using fixture::albumNames;
using fixture::albumOf;
using fixture::displayedNames;

AlbumStore storeOf(const std::vector<AlbumRecord>& albums)
{
    AlbumStore store;
    for (const AlbumRecord& a : albums)
        store.appendAlbum(a);
    return store;
}

class ImportAlbums : public ::testing::Test
{
protected:
    ImportAlbums()
    {
        doc.newDocument();
        fixture::loadAlbums(doc, {albumOf("Cream", "Wheels of Fire"), albumOf("Blur", "Parklife")});
    }
    CatalogueDocument doc;
};

TEST_F(ImportAlbums, AddsThemAtTheEndInTheCurrentOrderAndTheValueLists)
{
    AlbumRecord abba = albumOf("ABBA", "Arrival");
    abba.musicType = "Pop";
    const auto outcome = doc.importAlbums(storeOf({albumOf("Doors", "L.A. Woman"), abba}));
    EXPECT_EQ(outcome.changed, 2);
    EXPECT_TRUE(outcome.error.empty());
    EXPECT_EQ(albumNames(doc),
              (std::vector<std::string>{"Wheels of Fire", "Parklife", "L.A. Woman", "Arrival"}));
    EXPECT_EQ(displayedNames(doc),
              (std::vector<std::string>{"Arrival", "Parklife", "Wheels of Fire", "L.A. Woman"}));
    EXPECT_EQ(doc.valueList(ValueListId::Artist).values(),
              (std::vector<std::string>{"Cream", "Blur", "Doors", "ABBA"}));
    EXPECT_EQ(doc.valueList(ValueListId::MusicType).values(), std::vector<std::string>{"Pop"});
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.undoRecord().kind(), UndoKind::Delete);
    EXPECT_EQ(doc.undoRecord().count(), 2);
    EXPECT_EQ(doc.undoRecord().savedAlbum(1), abba);
}

TEST_F(ImportAlbums, OneUndoTakesThemAllBack)
{
    doc.deleteAlbums(std::vector<std::uint32_t>{0}); // an earlier step, undone after the import's
    doc.importAlbums(storeOf({albumOf("Doors", "L.A. Woman"), albumOf("ABBA", "Arrival")}));
    doc.undo();
    EXPECT_EQ(albumNames(doc), std::vector<std::string>{"Parklife"});
    EXPECT_EQ(doc.valueList(ValueListId::Artist).values(), std::vector<std::string>{"Blur"});
    EXPECT_EQ(doc.undoRecord().name(), "Delete Album");
}

TEST_F(ImportAlbums, NothingToAddLeavesTheCatalogueAndItsUndo)
{
    doc.enterAlbum(albumOf("Doors", "L.A. Woman"));
    doc.setModified(false);
    const auto outcome = doc.importAlbums(AlbumStore{});
    EXPECT_EQ(outcome.changed, 0);
    EXPECT_EQ(doc.albumCount(), 3);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.undoRecord().count(), 1);
}

} // namespace
} // namespace discora
