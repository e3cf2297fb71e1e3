// The undo history through the document: every change taken back in turn and put back again,
// each state exactly as it was, the modified flag following the state last saved, the names the
// Edit menu shows, and the bounds of the history.
#include "core/document/cataloguedocument.h"
#include "support/documentfixture.h"
#include "support/testcatalogue.h"

#include <gtest/gtest.h>

#include <functional>

namespace discora {
namespace {

using fixture::albumOf;

// What a step must bring back: the albums in their stored order (as the file holds them), what
// is displayed, and the modified flag.
struct Snapshot
{
    std::string bytes;
    std::vector<std::uint32_t> displayOrder;
    bool modified;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshotOf(const CatalogueDocument& doc)
{
    return {doc.save(), doc.displayOrder(), doc.isModified()};
}

AlbumStore storeOf(const std::vector<AlbumRecord>& albums)
{
    AlbumStore store;
    for (const AlbumRecord& a : albums)
        store.appendAlbum(a);
    return store;
}

const std::uint32_t kFirstAndThird[] = {0, 2};
const std::uint32_t kSecond[] = {1};

struct Change
{
    const char* name; // as the Edit menu shows it
    std::function<void(CatalogueDocument&)> run;
};

const Change kChanges[] = {
    {"Enter Album", [](CatalogueDocument& d) { d.enterAlbum(albumOf("Zappa", "Apostrophe")); }},
    {"Modify 2 Albums",
     [](CatalogueDocument& d) {
         d.modifyAlbums(kFirstAndThird, [](const AlbumRecord& a) {
             AlbumRecord b = a;
             b.albumName += " (remastered)";
             return b;
         });
     }},
    {"Delete 2 Albums", [](CatalogueDocument& d) { d.deleteAlbums(kFirstAndThird); }},
    {"Import 2 Albums",
     [](CatalogueDocument& d) {
         d.importAlbums(storeOf({albumOf("Air", "Moon Safari"), albumOf("Doors", "L.A. Woman")}));
     }},
    {"Modify Album",
     [](CatalogueDocument& d) {
         // The same album twice: undone, it must end as it was before the first edit.
         const std::uint32_t twice[] = {1, 1};
         int round = 0;
         d.modifyAlbums(twice, [&](const AlbumRecord& a) {
             AlbumRecord b = a;
             b.artist = "Round " + std::to_string(++round);
             return b;
         });
     }},
    {"Delete Album", [](CatalogueDocument& d) { d.deleteAlbums(kSecond); }},
};

class UndoHistoryTest : public ::testing::Test
{
protected:
    UndoHistoryTest()
    {
        doc.newDocument();
        fixture::loadAlbums(doc, {albumOf("Cream", "Wheels of Fire"), albumOf("Blur", "Parklife"),
                                  albumOf("Abba", "Arrival"), albumOf("Nico", "Chelsea Girl")});
    }
    CatalogueDocument doc;
};

TEST_F(UndoHistoryTest, UndoAndRedoWalkEveryChangeBackAndForthExactly)
{
    std::vector<Snapshot> states{snapshotOf(doc)};
    for (const Change& change : kChanges) {
        change.run(doc);
        EXPECT_EQ(doc.undoRecord().name(), change.name);
        // A change of the options between the edits re-sorts but is no step of its own.
        ViewOptions options = doc.viewOptions();
        options.set(ViewOption::NlViewThe, options.on(ViewOption::NlViewThe) ? 0 : 1);
        ASSERT_TRUE(doc.setViewOptions(options));
        ASSERT_TRUE(doc.runOrder(states.size() % 2 ? SortOrder::ByAlbumName : SortOrder::ByArtist));
        states.push_back(snapshotOf(doc));
    }
    const int steps = static_cast<int>(std::size(kChanges));
    ASSERT_EQ(doc.history().undoCount(), steps);

    for (int i = steps - 1; i >= 0; --i) {
        ASSERT_TRUE(doc.canUndo());
        EXPECT_EQ(doc.undo().changed, 1);
        EXPECT_EQ(doc.redoRecord().name(), kChanges[i].name);
        const Snapshot now = snapshotOf(doc);
        EXPECT_EQ(now.bytes, states[i].bytes) << "after undoing " << kChanges[i].name;
        EXPECT_EQ(now.modified, i != 0) << "only the state opened is unmodified";
    }
    EXPECT_FALSE(doc.canUndo());
    for (int i = 0; i < steps; ++i) {
        ASSERT_TRUE(doc.canRedo());
        EXPECT_EQ(doc.redo().changed, 1);
        EXPECT_EQ(snapshotOf(doc).bytes, states[i + 1].bytes) << "after redoing " << kChanges[i].name;
        EXPECT_TRUE(doc.isModified());
    }
    EXPECT_FALSE(doc.canRedo());
}

TEST_F(UndoHistoryTest, AChangeAfterAnUndoClearsTheStepsToRedo)
{
    doc.enterAlbum(albumOf("Zappa", "Apostrophe"));
    doc.deleteAlbums(kSecond);
    doc.undo();
    ASSERT_TRUE(doc.canRedo());
    doc.enterAlbum(albumOf("Yes", "Fragile"));
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(doc.history().undoCount(), 2);
    doc.undo();
    doc.undo();
    EXPECT_EQ(fixture::albumNames(doc),
              (std::vector<std::string>{"Wheels of Fire", "Parklife", "Arrival", "Chelsea Girl"}));
}

TEST_F(UndoHistoryTest, TheModifiedMarkFollowsTheStateLastSaved)
{
    struct Case
    {
        const char* name;
        std::function<void(CatalogueDocument&)> walk; // from two entered albums, saved after the first
        bool modified;
    };
    const Case cases[] = {
        {"back at the save", [](CatalogueDocument& d) { d.undo(); }, false},
        {"before the save", [](CatalogueDocument& d) { d.undo(), d.undo(); }, true},
        {"forward to the save again", [](CatalogueDocument& d) { d.undo(), d.undo(), d.redo(); }, false},
        {"the saved state's redo cleared by another change",
         [](CatalogueDocument& d) { d.undo(), d.undo(), d.enterAlbum(albumOf("Yes", "Fragile")), d.undo(); },
         true},
        {"a change outside the history", [](CatalogueDocument& d) { d.setModified(true), d.undo(); }, true},
    };
    for (const Case& c : cases) {
        CatalogueDocument d;
        d.newDocument();
        d.enterAlbum(albumOf("Zappa", "Apostrophe"));
        d.setModified(false); // saved
        d.enterAlbum(albumOf("Yes", "Fragile"));
        c.walk(d);
        EXPECT_EQ(d.isModified(), c.modified) << c.name;
    }
}

TEST_F(UndoHistoryTest, KeepsAtLeastAHundredSteps)
{
    for (int i = 0; i < 130; ++i)
        doc.enterAlbum(fixture::distinctAlbum(i));
    EXPECT_GE(doc.history().undoCount(), 100);
    while (doc.canUndo())
        doc.undo();
    EXPECT_EQ(doc.albumCount(), 4 + 130 - doc.history().redoCount());
    EXPECT_GE(doc.history().redoCount(), 100);
}

TEST_F(UndoHistoryTest, ACancelledModifyKeepsTheHistory)
{
    doc.enterAlbum(albumOf("Zappa", "Apostrophe"));
    doc.modifyAlbums(kSecond, [](const AlbumRecord&) { return std::optional<AlbumRecord>(); });
    doc.deleteAlbums({});
    ASSERT_TRUE(doc.canUndo());
    EXPECT_EQ(doc.undoRecord().name(), "Enter Album");
}

} // namespace
} // namespace discora
