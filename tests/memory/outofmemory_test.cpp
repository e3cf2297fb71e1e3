// Running out of memory at every allocation of a command: the song, producer and performer lists
// keep what was built and say so; every other document operation leaves everything as it was.
#include "cli/commandline.h"
#include "core/base/cp1252.h"
#include "core/document/cataloguedocument.h"
#include "core/order/performerlist.h"
#include "core/order/producerlist.h"
#include "core/order/songlist.h"
#include "support/allocationlimit.h"
#include "support/documentfixture.h"
#include "support/testcatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace discora {
namespace {

constexpr int kAlbums = 4;

// Everything an operation may change, to compare before and after.
struct State
{
    std::string bytes; // the albums, layouts and headings as a file holds them
    std::vector<std::uint32_t> displayOrder;
    std::vector<SongEntry> songs;
    std::vector<ProducerEntry> producers;
    std::vector<PerformerEntry> performers;
    SortOrder order;
    ViewStyle style;
    std::array<std::string, kFilterCount> filters;
    ViewOptions options;
    bool modified;
    bool canUndo;
    int undoCount;
    int undoSteps;
    int redoSteps;
    std::array<std::vector<std::string>, kValueListCount> values;
    bool operator==(const State&) const = default;
};

State stateOf(const CatalogueDocument& doc)
{
    State s{doc.save(),
            doc.displayOrder(),
            doc.derivedLists().songs,
            doc.derivedLists().producers,
            doc.derivedLists().performers,
            doc.currentOrder(),
            doc.viewStyle(),
            doc.filters(),
            doc.viewOptions(),
            doc.isModified(),
            doc.canUndo(),
            doc.undoRecord().count(),
            doc.history().undoCount(),
            doc.history().redoCount(),
            {}};
    for (int id = 0; id < kValueListCount; ++id)
        s.values[id] = doc.valueList(static_cast<ValueListId>(id)).values();
    return s;
}

// What every state must satisfy, however an operation ended: the view can show it.
void expectConsistent(const CatalogueDocument& doc, const std::string& where)
{
    for (std::uint32_t a : doc.displayOrder())
        ASSERT_LT(a, static_cast<std::uint32_t>(doc.albumCount())) << where;
    for (const SongEntry& e : doc.derivedLists().songs)
        ASSERT_TRUE(e.album < static_cast<std::uint32_t>(doc.albumCount()) && e.slot <= kSongSlots) << where;
    for (const ProducerEntry& e : doc.derivedLists().producers)
        ASSERT_TRUE(e.album < static_cast<std::uint32_t>(doc.albumCount()) && e.producer <= 2) << where;
    for (const PerformerEntry& e : doc.derivedLists().performers)
        ASSERT_TRUE(e.album < static_cast<std::uint32_t>(doc.albumCount()) && e.slot >= 1 &&
                    e.slot <= kPerformerSlots)
            << where;
}

// A catalogue with unsaved changes, every field filled, shown by performer.
std::unique_ptr<CatalogueDocument> editedDocument()
{
    auto doc = std::make_unique<CatalogueDocument>();
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < kAlbums; ++a)
        albums.push_back(fixture::distinctAlbum(a));
    fixture::loadAlbums(*doc, albums);
    doc->runOrder(SortOrder::ByPerformer);
    doc->setModified(true);
    return doc;
}

struct Operation
{
    const char* name;
    std::function<void(CatalogueDocument&)> prepare;
    std::function<void(CatalogueDocument&)> run;
};

AlbumRecord renamed(const AlbumRecord& a)
{
    AlbumRecord b = a;
    b.artist = "A much longer artist name than before, so that it needs room of its own";
    b.label = "";
    return b;
}

const std::uint32_t kTwoAlbums[] = {1, 3};

AlbumStore importedAlbums()
{
    AlbumStore albums;
    albums.appendAlbum(fixture::distinctAlbum(60));
    albums.appendAlbum(fixture::distinctAlbum(61));
    return albums;
}

const Operation kOperations[] = {
    {"sort by album name", {}, [](CatalogueDocument& d) { d.runOrder(SortOrder::ByAlbumName); }},
    {"filter", {}, [](CatalogueDocument& d) { d.setFilter(FilterField::Artist, "Artist#1"); }},
    {"single line", {}, [](CatalogueDocument& d) { d.setViewStyle(ViewStyle::SingleLineSorts); }},
    {"options", [](CatalogueDocument& d) { d.runOrder(SortOrder::ByArtistShort); },
     [](CatalogueDocument& d) {
         ViewOptions o = d.viewOptions();
         o.set(ViewOption::ArtistThe, 0);
         d.setViewOptions(o);
     }},
    {"enter", {}, [](CatalogueDocument& d) { d.enterAlbum(fixture::distinctAlbum(99)); }},
    {"modify",
     {},
     [](CatalogueDocument& d) {
         d.modifyAlbums(kTwoAlbums, [](const AlbumRecord& a) { return renamed(a); });
     }},
    {"delete", {}, [](CatalogueDocument& d) { d.deleteAlbums(kTwoAlbums); }},
    {"undo an enter", [](CatalogueDocument& d) { d.enterAlbum(fixture::distinctAlbum(99)); },
     [](CatalogueDocument& d) { d.undo(); }},
    {"undo a modify",
     [](CatalogueDocument& d) {
         d.modifyAlbums(kTwoAlbums, [](const AlbumRecord& a) { return renamed(a); });
     },
     [](CatalogueDocument& d) { d.undo(); }},
    {"undo a delete", [](CatalogueDocument& d) { d.deleteAlbums(kTwoAlbums); },
     [](CatalogueDocument& d) { d.undo(); }},
    {"redo a delete",
     [](CatalogueDocument& d) {
         d.deleteAlbums(kTwoAlbums);
         d.undo();
     },
     [](CatalogueDocument& d) { d.redo(); }},
    {"redo a modify",
     [](CatalogueDocument& d) {
         d.modifyAlbums(kTwoAlbums, [](const AlbumRecord& a) { return renamed(a); });
         d.undo();
     },
     [](CatalogueDocument& d) { d.redo(); }},
    {"undo the second of two steps",
     [](CatalogueDocument& d) {
         d.enterAlbum(fixture::distinctAlbum(98));
         d.deleteAlbums(kTwoAlbums);
     },
     [](CatalogueDocument& d) { d.undo(); }},
    {"import", {}, [](CatalogueDocument& d) { d.importAlbums(importedAlbums()); }},
    {"undo an import", [](CatalogueDocument& d) { d.importAlbums(importedAlbums()); },
     [](CatalogueDocument& d) { d.undo(); }},
    {"open",
     {},
     [](CatalogueDocument& d) {
         fixture::CatalogueContent file;
         file.albums = {fixture::distinctAlbum(50), fixture::distinctAlbum(51)};
         if (!d.load(fixture::catalogueBytes(file)))
             throw std::bad_alloc(); // the load reports it instead of throwing
     }},
};

TEST(OutOfMemory, EveryOtherOperationLeavesEverythingAsItWas)
{
    for (const Operation& op : kOperations) {
        const auto prepared = editedDocument();
        if (op.prepare)
            op.prepare(*prepared);
        const State before = stateOf(*prepared);
        int reverted = 0;
        for (long at = 0;; ++at) {
            const std::string where = std::string(op.name) + ", allocation " + std::to_string(at);
            auto doc = std::make_unique<CatalogueDocument>(*prepared);
            bool threw = false;
            long refused = 0;
            {
                auto limit = AllocationLimit::failingAt(at);
                try {
                    op.run(*doc);
                } catch (const std::bad_alloc&) {
                    threw = true;
                }
                refused = limit.refused();
            }
            expectConsistent(*doc, where);
            if (threw) {
                ++reverted;
                EXPECT_TRUE(stateOf(*doc) == before) << where;
            }
            if (refused == 0)
                break;
        }
        EXPECT_GT(reverted, 0) << op.name;
    }
}

struct ListCase
{
    SortOrder order;
    const char* message;
};

std::size_t listSize(const CatalogueDocument& doc)
{
    const DerivedLists& l = doc.derivedLists();
    return l.songs.size() + l.producers.size() + l.performers.size();
}

TEST(OutOfMemory, TheSongProducerAndPerformerListsKeepWhatWasBuiltAndSaySo)
{
    const ListCase cases[] = {
        {SortOrder::BySong, kSongsOutOfMemory},
        {SortOrder::ByArtistShort, kSongsOutOfMemory},
        {SortOrder::ByProducer, kProducersOutOfMemory},
        {SortOrder::ByPerformer, kPerformersOutOfMemory},
    };
    for (const ListCase& c : cases) {
        auto complete = editedDocument();
        ASSERT_TRUE(complete->runOrder(c.order));
        const std::size_t full = listSize(*complete);
        const auto prepared = editedDocument();
        prepared->runOrder(SortOrder::ByAlbumName);
        const State before = stateOf(*prepared);
        int partial = 0;
        for (long at = 0;; ++at) {
            const std::string where = std::string(orderName(c.order)) + ", allocation " + std::to_string(at);
            auto doc = std::make_unique<CatalogueDocument>(*prepared);
            Status status = success();
            bool threw = false;
            long refused = 0;
            {
                auto limit = AllocationLimit::failingAt(at);
                try {
                    status = doc->runOrder(c.order);
                } catch (const std::bad_alloc&) {
                    threw = true;
                }
                refused = limit.refused();
            }
            expectConsistent(*doc, where);
            EXPECT_TRUE(doc->isModified()) << where << ": the unsaved changes are still there";
            if (threw) {
                EXPECT_TRUE(stateOf(*doc) == before) << where;
            } else if (!status) {
                ++partial;
                EXPECT_EQ(status.error(), c.message) << where;
                EXPECT_EQ(doc->currentOrder(), c.order) << where;
                EXPECT_LE(listSize(*doc), full) << where;
            } else {
                EXPECT_EQ(listSize(*doc), full) << where;
            }
            if (refused == 0)
                break;
        }
        EXPECT_GT(partial, 0) << orderName(c.order);
    }
}

// Two additions to a full value list that each run out of memory at one moment, every pair of
// moments: the values added are whole and distinct, and adding every value again (in capitals)
// adds exactly the ones still missing.
TEST(OutOfMemory, AValueListKeepsEveryValueWholeAndDistinct)
{
    for (long first = 0; first < 6; ++first) {
        for (long second = 0; second < 6; ++second) {
            ValueList list;
            for (int i = 0; i < 8; ++i)
                list.addDistinctValue("value " + std::to_string(i));
            const auto addRunningOut = [&](const std::string& text, long at) {
                auto limit = AllocationLimit::failingAt(at);
                try {
                    list.addDistinctValue(text);
                } catch (const std::bad_alloc&) {
                }
            };
            addRunningOut("value 8", first);
            addRunningOut("value 9", second);
            for (int i = 0; i < 10; ++i)
                list.addDistinctValue("VALUE " + std::to_string(i));

            std::set<std::string> folded;
            for (const std::string& value : list.values())
                folded.insert(cp1252::foldCase(value));
            EXPECT_EQ(list.count(), 10) << "running out at " << first << " and " << second;
            EXPECT_EQ(folded.size(), 10u) << "running out at " << first << " and " << second;
        }
    }
}

} // namespace
} // namespace discora
