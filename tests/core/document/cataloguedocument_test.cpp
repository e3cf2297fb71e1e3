// The catalogue document: value lists, clearing and File New, progress reporting around a load,
// saving without losing the old file, and the order the albums are shown in after an open.
#include "core/base/cp1252.h"
#include "core/document/cataloguedocument.h"
#include "core/fileformat/atomicfile.h"
#include "core/order/orders.h"
#include "support/files.h"
#include "support/testcatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <unistd.h>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::catalogueBytes;
using fixture::CatalogueContent;
using fixture::kOldest;

// Records each progress display as one phase; a step or range outside a phase is a fault.
class RecordingProgress : public ProgressSink
{
public:
    struct Phase
    {
        std::string text;
        int firstRange = 0;
        int lastRange = 0;
        int steps = 0;
    };

    void begin(std::string_view text, int range) override
    {
        if (m_open)
            m_faults.push_back("begin inside " + m_phases.back().text);
        m_open = true;
        m_phases.push_back({std::string(text), range, range, 0});
    }
    void setRange(int range) override
    {
        check("setRange");
        if (!m_phases.empty())
            m_phases.back().lastRange = range;
    }
    void step() override
    {
        check("step");
        if (!m_phases.empty())
            ++m_phases.back().steps;
    }
    void end() override
    {
        check("end");
        m_open = false;
    }

    const std::vector<Phase>& phases() const { return m_phases; }
    // Every begin ended, nothing outside a phase.
    ::testing::AssertionResult balanced() const
    {
        if (m_open)
            return ::testing::AssertionFailure() << "\"" << m_phases.back().text << "\" never ended";
        if (!m_faults.empty())
            return ::testing::AssertionFailure() << m_faults.front();
        return ::testing::AssertionSuccess();
    }
    void clear() { m_phases.clear(); }

private:
    void check(const char* what)
    {
        if (!m_open)
            m_faults.push_back(std::string(what) + " outside a phase");
    }

    std::vector<Phase> m_phases;
    std::vector<std::string> m_faults;
    bool m_open = false;
};

class RecordingEntryLists : public EntryListSink
{
public:
    void clearEntryLists() override { m_calls.push_back("clear"); }
    void addEntryValue(ValueListId list, const std::string& text) override
    {
        m_calls.push_back(std::to_string(static_cast<int>(list)) + ":" + text);
    }
    std::vector<std::string> m_calls;
};

class RecordingObserver : public DocumentObserver
{
public:
    void documentUpdated() override { ++updated; }
    void viewReset() override { ++reset; }
    int updated = 0;
    int reset = 0;
};

AlbumRecord valueAlbum(std::string artist, std::string label, std::string quality, std::string albumName,
                       std::string producer1, std::string producer2, std::string musicType,
                       std::string mediaType)
{
    AlbumRecord r;
    r.artist = std::move(artist);
    r.label = std::move(label);
    r.quality = std::move(quality);
    r.albumName = std::move(albumName);
    r.producer1 = std::move(producer1);
    r.producer2 = std::move(producer2);
    r.musicType = std::move(musicType);
    r.mediaType = std::move(mediaType);
    return r;
}

// Texts in UTF-8, as the document holds them; the file needs Windows-1252 bytes.
std::string fileOf(std::vector<AlbumRecord> albums, int version = -7)
{
    CatalogueContent c;
    c.version = version;
    for (auto& a : albums)
        for (std::string* t : fixture::listTexts(a, -7))
            *t = *cp1252::fromUtf8(*t);
    c.albums = std::move(albums);
    return catalogueBytes(c);
}

std::vector<AlbumRecord> valueAlbums()
{
    return {
        valueAlbum("ABBA", "Polar", "Good", "Arrival", "Benny", "Björn", "Pop", "CD"),
        valueAlbum("abba", "", "Good", "Voulez-Vous", "BJÖRN", "Benny", "Disco", "LP"),
        valueAlbum("Blondie", "Chrysalis", "fair", "Parallel Lines", "Mike Chapman", "mike chapman", "POP",
                   "cd"),
    };
}

void newAndLoad(CatalogueDocument& doc, std::vector<AlbumRecord> albums)
{
    doc.newDocument();
    const Status status = doc.load(fileOf(std::move(albums)));
    ASSERT_TRUE(status) << status.error();
}

std::vector<std::string> values(const CatalogueDocument& doc, ValueListId id)
{
    return doc.valueList(id).values();
}

// ---- Value lists -----------------------------------------------------------------------------

TEST(ValueLists, LetterCaseIsIgnoredForEveryWindows1252Letter)
{
    std::vector<std::pair<int, int>> pairs; // small, capital
    for (int c = 'A'; c <= 'Z'; ++c)
        pairs.emplace_back(c + 32, c);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // ×
            pairs.emplace_back(c + 32, c);
    pairs.insert(pairs.end(), {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}}); // š œ ž ÿ

    const auto letter = [](int byte) { return cp1252::toUtf8(std::string(1, static_cast<char>(byte))); };
    ValueList smallFirst;
    ValueList capitalFirst;
    for (auto [small, capital] : pairs) {
        EXPECT_TRUE(smallFirst.addDistinctValue(letter(small))) << letter(small);
        EXPECT_TRUE(capitalFirst.addDistinctValue(letter(capital))) << letter(capital);
    }
    for (auto [small, capital] : pairs) {
        EXPECT_FALSE(smallFirst.addDistinctValue(letter(capital))) << letter(capital);
        EXPECT_FALSE(capitalFirst.addDistinctValue(letter(small))) << letter(small);
    }
    EXPECT_EQ(smallFirst.count(), static_cast<int>(pairs.size()));
    EXPECT_EQ(capitalFirst.count(), static_cast<int>(pairs.size()));
}

struct SameValueCase
{
    const char* name;
    std::vector<std::string> added;
    std::vector<std::string> kept;
};

void PrintTo(const SameValueCase& c, std::ostream* os)
{
    *os << c.name;
}

class DistinctValues : public ::testing::TestWithParam<SameValueCase>
{
};

TEST_P(DistinctValues, KeepTheFirstSpellingOfEachValue)
{
    ValueList list;
    for (const auto& text : GetParam().added)
        list.addDistinctValue(text);
    EXPECT_EQ(list.values(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DistinctValues,
    ::testing::Values(
        SameValueCase{"Words", {"rock", "ROCK", "Rock", "rOCK"}, {"rock"}},
        SameValueCase{"Accented", {"é", "É", "Électro", "éLECTRO"}, {"é", "Électro"}},
        SameValueCase{"EmptyIsNeverAdded", {"", "Jazz", ""}, {"Jazz"}},
        SameValueCase{"NotLetters",
                      {"×", "÷", "a", "à", "ß", "ss", "rock", "rock "},
                      {"×", "÷", "a", "à", "ß", "ss", "rock", "rock "}},
        SameValueCase{"OutsideTheCodePage", {"Ωmega", "ωMEGA", "東京", "東京"}, {"Ωmega", "ωMEGA", "東京"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueLists, AddingEmptyTextReportsNothingAdded)
{
    ValueList list;
    EXPECT_FALSE(list.addDistinctValue(""));
    EXPECT_EQ(list.count(), 0);
}

TEST(ValueLists, RebuildTakesEveryAlbumInOrderAndDropsStaleValues)
{
    CatalogueDocument doc;
    newAndLoad(doc, {valueAlbum("Stale", "", "", "", "", "", "", "")});
    RecordingProgress progress;
    doc.setProgressSink(&progress);
    doc.setProgressEnabled(true);

    ASSERT_TRUE(doc.load(fileOf(valueAlbums())));

    using V = std::vector<std::string>;
    EXPECT_EQ(values(doc, ValueListId::Artist), (V{"ABBA", "Blondie"}));
    EXPECT_EQ(values(doc, ValueListId::AlbumName), (V{"Arrival", "Voulez-Vous", "Parallel Lines"}));
    EXPECT_EQ(values(doc, ValueListId::Producer), (V{"Benny", "Björn", "Mike Chapman"}));
    EXPECT_EQ(values(doc, ValueListId::MusicType), (V{"Pop", "Disco"}));
    EXPECT_EQ(values(doc, ValueListId::MediaType), (V{"CD", "LP"}));
    EXPECT_EQ(values(doc, ValueListId::Label), (V{"Polar", "Chrysalis"}));
    EXPECT_EQ(values(doc, ValueListId::Quality), (V{"Good", "fair"}));

    const auto& phases = progress.phases();
    const auto rebuild = std::find_if(phases.begin(), phases.end(), [](const auto& p) {
        return p.text == "Updating Artist, Music Type, and Media Type";
    });
    ASSERT_NE(rebuild, phases.end());
    EXPECT_EQ(rebuild->lastRange, 3);
    EXPECT_EQ(rebuild->steps, 3);
    EXPECT_TRUE(progress.balanced());
}

TEST(ValueLists, RefillHandsEveryListToTheEntrySheetInItsOrder)
{
    CatalogueDocument doc;
    newAndLoad(doc, valueAlbums());
    RecordingEntryLists sheet;
    doc.setEntryListSink(&sheet);
    RecordingProgress progress;
    doc.setProgressSink(&progress);
    doc.setProgressEnabled(true);

    doc.refillEntryLists();

    EXPECT_EQ(sheet.m_calls, (std::vector<std::string>{
                                 "clear", "0:ABBA", "0:Blondie", "1:Arrival", "1:Voulez-Vous",
                                 "1:Parallel Lines", "2:Benny", "2:Björn", "2:Mike Chapman", "3:Pop",
                                 "3:Disco", "4:CD", "4:LP", "5:Polar", "5:Chrysalis", "6:Good", "6:fair"}));
    ASSERT_EQ(progress.phases().size(), 1u);
    EXPECT_EQ(progress.phases()[0].text, "Updating Edit/Enter Dialog Box");
    EXPECT_EQ(progress.phases()[0].lastRange, 16);
    EXPECT_EQ(progress.phases()[0].steps, 16);
    EXPECT_TRUE(progress.balanced());
}

// ---- The Filters dialog's performer names ----------------------------------------------------

AlbumRecord bandAlbum(std::string artist, std::vector<std::string> players)
{
    AlbumRecord album;
    album.artist = std::move(artist);
    for (std::size_t p = 0; p < players.size(); ++p)
        album.performers[p].name = players[p];
    return album;
}

struct NamesChange
{
    const char* name;
    void (*change)(CatalogueDocument&);
    std::vector<std::string> names;
};

void PrintTo(const NamesChange& c, std::ostream* os)
{
    *os << c.name;
}

class FilterPerformerNames : public ::testing::TestWithParam<NamesChange>
{
};

// The names are gathered once and kept; every change of the albums or the filters must drop them.
TEST_P(FilterPerformerNames, FollowEveryChangeOfTheAlbumsOrTheFilters)
{
    CatalogueDocument doc;
    newAndLoad(doc, {bandAlbum("ABBA", {"Agnetha", "Benny"}), bandAlbum("Blondie", {"Debbie"})});
    ASSERT_EQ(doc.filterPerformerNames(), (std::vector<std::string>{"Agnetha", "Benny", "Debbie"}));
    GetParam().change(doc);
    EXPECT_EQ(doc.filterPerformerNames(), GetParam().names);
    EXPECT_EQ(doc.filterPerformerNames(), distinctPerformerNames(doc));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FilterPerformerNames,
    ::testing::Values(NamesChange{"Enter",
                                  [](CatalogueDocument& d) { d.enterAlbum(bandAlbum("Cream", {"Clapton"})); },
                                  {"Agnetha", "Benny", "Clapton", "Debbie"}},
                      NamesChange{"Modify",
                                  [](CatalogueDocument& d) {
                                      const std::uint32_t album = 1;
                                      d.modifyAlbums(std::span(&album, 1), [](const AlbumRecord& r) {
                                          AlbumRecord edited = r;
                                          edited.performers[0].name = "Chris";
                                          return std::optional<AlbumRecord>(edited);
                                      });
                                  },
                                  {"Agnetha", "Benny", "Chris"}},
                      NamesChange{"Delete",
                                  [](CatalogueDocument& d) {
                                      const std::uint32_t album = 0;
                                      d.deleteAlbums(std::span(&album, 1));
                                  },
                                  {"Debbie"}},
                      NamesChange{"DeleteUndone",
                                  [](CatalogueDocument& d) {
                                      const std::uint32_t album = 0;
                                      d.deleteAlbums(std::span(&album, 1));
                                      ASSERT_EQ(d.filterPerformerNames(),
                                                (std::vector<std::string>{"Debbie"}));
                                      d.undo();
                                  },
                                  {"Agnetha", "Benny", "Debbie"}},
                      NamesChange{"Filter",
                                  [](CatalogueDocument& d) { d.setFilter(FilterField::Artist, "Blo"); },
                                  {"Debbie"}},
                      NamesChange{"Load",
                                  [](CatalogueDocument& d) {
                                      ASSERT_TRUE(d.load(fileOf({bandAlbum("Cream", {"Ginger"})})));
                                  },
                                  {"Ginger"}},
                      NamesChange{"New", [](CatalogueDocument& d) { d.newDocument(); }, {}},
                      NamesChange{"OrderOnly",
                                  [](CatalogueDocument& d) { d.runOrder(SortOrder::ByPerformer); },
                                  {"Agnetha", "Benny", "Debbie"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Whole-document operations ---------------------------------------------------------------

const std::vector<std::vector<int>>& defaultColumns()
{
    static const std::vector<std::vector<int>> columns = {
        {1, 2, 9, 0, 0, 0}, {9, 3, 6, 0, 0},    {2, 1, 9, 0, 0, 0},  {3, 1, 2, 9, 0, 0}, {4, 1, 2, 0, 0, 0},
        {5, 1, 2, 0, 0, 0}, {6, 1, 2, 9, 0, 0}, {7, 1, 2, 9, 0, 0},  {8, 1, 2, 9, 0, 0}, {9, 1, 2, 0, 0, 0},
        {1, 2, 9, 0, 0},    {1, 9, 0, 0, 0},    {10, 1, 2, 9, 0, 0}, {1, 9, 0, 0, 0},
    };
    return columns;
}

void expectDefaultColumns(const CatalogueDocument& doc)
{
    for (int i = 0; i < kLayoutCount; ++i)
        EXPECT_EQ(doc.columnLayout(static_cast<LayoutId>(i)).fieldColumns, defaultColumns()[i])
            << "layout " << i;
}

TEST(CatalogueDocument, StartsEmptyWithDefaultsAndNoProgress)
{
    CatalogueDocument doc;
    EXPECT_EQ(doc.albumCount(), 0);
    EXPECT_FALSE(doc.readyForEntry());
    EXPECT_FALSE(doc.progressEnabled());
    EXPECT_EQ(doc.currentOrder(), SortOrder::ByArtist);
    EXPECT_EQ(doc.viewStyle(), ViewStyle::Normal);
    for (int f = 0; f < kFilterCount; ++f)
        EXPECT_EQ(doc.filter(static_cast<FilterField>(f)), "All");
    expectDefaultColumns(doc);
}

TEST(CatalogueDocument, ClearAllEmptiesEveryListAndTheOrder)
{
    CatalogueDocument doc;
    newAndLoad(doc, valueAlbums());
    doc.runOrder(SortOrder::ByLabel);

    newAndLoad(doc, {});

    EXPECT_EQ(doc.albumCount(), 0);
    EXPECT_EQ(doc.albums().memoryUsage(), 0u); // nothing of the old catalogue's texts is kept
    for (int id = 0; id < kValueListCount; ++id)
        EXPECT_EQ(doc.valueList(static_cast<ValueListId>(id)).count(), 0) << "value list " << id;
    EXPECT_TRUE(doc.displayOrder().empty());
    EXPECT_EQ(doc.currentOrder(), SortOrder::ByArtist);
}

TEST(CatalogueDocument, NewDocumentStartsAfreshReadyForEntry)
{
    CatalogueDocument doc;
    newAndLoad(doc, valueAlbums());
    doc.setFilter(FilterField::Artist, "ABBA");
    doc.setFilter(FilterField::Performer, "Benny");
    doc.setViewStyle(ViewStyle::SingleLineSorts);
    doc.runOrder(SortOrder::ByLabel);
    const ColumnLayouts changed = fixture::distinctLayouts(1);
    for (int i = 0; i < kLayoutCount; ++i)
        doc.setColumnLayout(static_cast<LayoutId>(i), changed[static_cast<std::size_t>(i)]);
    doc.setModified(true);
    RecordingObserver observer;
    doc.addObserver(&observer);

    doc.newDocument();

    EXPECT_EQ(doc.albumCount(), 0);
    EXPECT_TRUE(doc.displayOrder().empty());
    EXPECT_EQ(doc.valueList(ValueListId::Artist).count(), 0);
    for (int f = 0; f < kFilterCount; ++f)
        EXPECT_EQ(doc.filter(static_cast<FilterField>(f)), "All") << "filter " << f;
    EXPECT_EQ(doc.currentOrder(), SortOrder::ByArtist);
    EXPECT_EQ(doc.viewStyle(), ViewStyle::Normal);
    EXPECT_TRUE(doc.readyForEntry());
    EXPECT_TRUE(doc.progressEnabled());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.columnLayouts(), defaultColumnLayouts(doc.screenDpi()));
    expectDefaultColumns(doc);
    EXPECT_EQ(observer.reset, 1);
    EXPECT_EQ(observer.updated, 0);
    doc.removeObserver(&observer);
}

TEST(CatalogueDocument, DefaultLeftEdgesFollowTheScreenResolution)
{
    // At 100 and 200 dpi the conversion from hundredths of an inch has no rounding to hide behind.
    CatalogueDocument doc;
    doc.setScreenDpi(100);
    doc.newDocument();
    const ColumnLayouts at100 = doc.columnLayouts();
    doc.setScreenDpi(200);
    doc.newDocument();
    for (int i = 0; i < kLayoutCount; ++i)
        for (int e = 0; e < kLeftEdgeCount; ++e)
            EXPECT_EQ(doc.columnLayouts()[i].leftEdges[e], 2 * at100[i].leftEdges[e]) << "layout " << i;
    EXPECT_GT(at100[static_cast<int>(LayoutId::ByArtist)].leftEdges[0], 0);
    expectDefaultColumns(doc);
}

TEST(CatalogueDocument, OpeningReplacesEverythingOfThePreviousCatalogue)
{
    CatalogueDocument doc;
    newAndLoad(doc, valueAlbums());
    AlbumRecord only;
    only.artist = "Cream";
    only.songs[0].title = "Badge";
    ASSERT_TRUE(doc.load(fileOf({only}, -1)));
    ASSERT_EQ(doc.albumCount(), 1);
    EXPECT_EQ(doc.text(Field::Label, 0), "");
    EXPECT_EQ(doc.text(Field::Quality, 0), "");
    EXPECT_EQ(values(doc, ValueListId::Artist), (std::vector<std::string>{"Cream"}));
    EXPECT_EQ(values(doc, ValueListId::Producer), (std::vector<std::string>{}));
    EXPECT_EQ(doc.displayOrder(), (std::vector<std::uint32_t>{0}));
    EXPECT_TRUE(doc.readyForEntry());
}

// Albums without a single text leave the store with no text buffer at all: every order and list
// still walks them, and saving gives the same bytes back.
TEST(CatalogueDocument, AlbumsWithoutAnyTextLoadSortAndSave)
{
    const std::string bytes = fileOf(std::vector<AlbumRecord>(40));
    CatalogueDocument doc;
    ASSERT_TRUE(doc.load(bytes));
    ASSERT_EQ(doc.albumCount(), 40);
    for (int o = 0; o < kSortOrderCount; ++o) {
        const auto order = static_cast<SortOrder>(o);
        EXPECT_TRUE(doc.runOrder(order)) << o;
        EXPECT_EQ(doc.displayOrder().size(), 40u) << o;
    }
    EXPECT_EQ(doc.save(), bytes);
}

// ---- Progress while loading ------------------------------------------------------------------

struct LoadProgressCase
{
    const char* name;
    int version;
    int range;
    int steps; // integer blocks, headings and lists of the version
};

void PrintTo(const LoadProgressCase& c, std::ostream* os)
{
    *os << c.name;
}

class LoadProgress : public ::testing::TestWithParam<LoadProgressCase>
{
};

TEST_P(LoadProgress, ShowsLoadingThenBothUpdates)
{
    const LoadProgressCase& c = GetParam();
    CatalogueDocument doc;
    doc.newDocument();
    RecordingProgress progress;
    doc.setProgressSink(&progress);
    ASSERT_TRUE(doc.load(fileOf(valueAlbums(), c.version)));

    const auto& p = progress.phases();
    ASSERT_GE(p.size(), 3u);
    EXPECT_EQ(p[0].text, "Loading file");
    EXPECT_EQ(p[0].firstRange, 102);
    EXPECT_EQ(p[0].lastRange, c.range);
    EXPECT_EQ(p[0].steps, c.steps);
    EXPECT_EQ(p[1].text, "Updating Artist, Music Type, and Media Type");
    EXPECT_EQ(p[1].lastRange, 3);
    EXPECT_EQ(p[1].steps, 3);
    // Artist 2, album name 3, producer 3, music type 2, media type 2, label 2, quality 2; the older
    // layouts carry no label or quality, the oldest no producers either.
    const int valueCount = c.version == kOldest ? 9 : c.version >= -2 ? 12 : 16;
    EXPECT_EQ(p[2].text, "Updating Edit/Enter Dialog Box");
    EXPECT_EQ(p[2].lastRange, valueCount);
    EXPECT_EQ(p[2].steps, valueCount);
    EXPECT_TRUE(progress.balanced());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, LoadProgress,
    ::testing::Values(LoadProgressCase{"Current", -7, 104, 115}, LoadProgressCase{"Minus6", -6, 103, 114},
                      LoadProgressCase{"Minus5", -5, 102, 113}, LoadProgressCase{"Minus4", -4, 100, 111},
                      LoadProgressCase{"Minus3", -3, 99, 109}, LoadProgressCase{"Minus2", -2, 86, 85},
                      LoadProgressCase{"Minus1", -1, 29, 28}, LoadProgressCase{"Oldest", kOldest, 27, 26}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadProgress, EveryBeginIsEndedWhenTheLoadFails)
{
    const std::string good = fileOf(valueAlbums());
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {"cut in the lists", good.substr(0, good.size() - 1)},
        {"cut after the count", good.substr(0, 8)},
        {"oldest layout cut", fileOf(valueAlbums(), kOldest).substr(0, 40)},
        {"csv", "Group/Artist Name,Album Name\r\nABBA,Arrival\r\n"},
        {"version -8", "\xF8\xFF\xFF\xFF" + good.substr(4)},
        {"empty", ""},
    };
    for (const auto& [name, bytes] : inputs) {
        CatalogueDocument doc;
        doc.newDocument();
        RecordingProgress progress;
        doc.setProgressSink(&progress);
        EXPECT_FALSE(doc.load(bytes)) << name;
        EXPECT_TRUE(progress.balanced()) << name;
        for (const auto& phase : progress.phases())
            EXPECT_EQ(phase.text, "Loading file") << name;
    }
}

TEST(LoadProgress, NothingIsShownWhileProgressIsOff)
{
    CatalogueDocument doc;
    RecordingProgress progress;
    doc.setProgressSink(&progress);
    ASSERT_FALSE(doc.progressEnabled());
    ASSERT_TRUE(doc.load(fileOf(valueAlbums())));
    EXPECT_TRUE(progress.phases().empty());
}

// ---- Saving to disk --------------------------------------------------------------------------

class SaveFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("discora-savefile-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        newAndLoad(m_doc, valueAlbums());
        m_doc.setModified(true);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
    CatalogueDocument m_doc;
};

TEST_F(SaveFile, WritesTheCatalogueAndClearsModified)
{
    const fs::path target = m_dir / "music.dcf";
    const Status status = m_doc.saveFile(target.string());
    ASSERT_TRUE(status) << status.error();
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_EQ(fixture::fileBytes(target), m_doc.save());
    EXPECT_EQ(entries(), (std::vector<std::string>{"music.dcf"}));

    CatalogueDocument reopened;
    ASSERT_TRUE(reopened.openFile(target.string()));
    ASSERT_EQ(reopened.albumCount(), 3);
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(reopened.album(a), m_doc.album(a));
}

TEST_F(SaveFile, FailsIntoAMissingFolder)
{
    const fs::path target = m_dir / "missing" / "music.dcf";
    const Status status = m_doc.saveFile(target.string());
    ASSERT_FALSE(status);
    EXPECT_FALSE(status.error().empty());
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(SaveFile, FailsOntoAFolderAndLeavesItAlone)
{
    const fs::path target = m_dir / "music.dcf";
    fs::create_directory(target);
    std::ofstream(target / "keep") << "kept";

    const Status status = m_doc.saveFile(target.string());
    ASSERT_FALSE(status);
    EXPECT_FALSE(status.error().empty());
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(fixture::fileBytes(target / "keep"), "kept");
    EXPECT_EQ(entries(), (std::vector<std::string>{"music.dcf"})); // no temporary file left behind
}

TEST_F(SaveFile, AFailedWriteKeepsTheOldFile)
{
    const fs::path target = m_dir / "music.dcf";
    std::ofstream(target, std::ios::binary) << "the old catalogue";
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < 50; ++a)
        albums.push_back(fixture::distinctAlbum(a));
    ASSERT_TRUE(m_doc.load(fileOf(albums)));
    m_doc.setModified(true);
    ASSERT_GT(m_doc.save().size(), 4096u);

    // A file size limit makes the write fail even when the tests run as root.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = m_doc.saveFile(target.string());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(status);
    EXPECT_FALSE(status.error().empty());
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(fixture::fileBytes(target), "the old catalogue");
    EXPECT_EQ(entries(), (std::vector<std::string>{"music.dcf"}));
}

// Saving streams the file in blocks: a write that fails after the first blocks have reached the
// temporary file still leaves the old file as it was and nothing beside it.
TEST_F(SaveFile, AWriteThatFailsPartWayThroughKeepsTheOldFile)
{
    const fs::path target = m_dir / "music.dcf";
    std::ofstream(target, std::ios::binary) << "the old catalogue";
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < 60; ++a) {
        albums.push_back(fixture::distinctAlbum(a));
        albums.back().notes = std::string(100000, static_cast<char>('a' + a % 26));
    }
    ASSERT_TRUE(m_doc.load(fileOf(albums)));
    m_doc.setModified(true);
    ASSERT_GT(m_doc.save().size(), 5'000'000u);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 3'000'000;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Status status = m_doc.saveFile(target.string());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(status);
    EXPECT_NE(status.error().find("music.dcf"), std::string::npos) << status.error();
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(fixture::fileBytes(target), "the old catalogue");
    EXPECT_EQ(entries(), (std::vector<std::string>{"music.dcf"}));
}

TEST_F(SaveFile, AWriterThatGivesUpLeavesNoTemporaryFile)
{
    const fs::path target = m_dir / "music.dcf";
    std::ofstream(target, std::ios::binary) << "the old catalogue";
    EXPECT_THROW(writeFileAtomically(target.string(),
                                     [](ByteSink& sink) {
                                         sink.write(std::string(3'000'000, 'x'));
                                         throw std::bad_alloc();
                                     }),
                 std::bad_alloc);
    EXPECT_EQ(fixture::fileBytes(target), "the old catalogue");
    EXPECT_EQ(entries(), (std::vector<std::string>{"music.dcf"}));
}

TEST_F(SaveFile, StreamedBytesArriveWhole)
{
    const fs::path target = m_dir / "pieces.bin";
    std::string expected;
    const Status status = writeFileAtomically(target.string(), [&](ByteSink& sink) {
        // Single bytes, pieces across block boundaries, and pieces larger than a block.
        for (int i = 0; i < 5000; ++i) {
            const std::string piece(static_cast<std::size_t>(i * 97 % 4099), static_cast<char>('a' + i % 26));
            sink.write(piece);
            sink.put('|');
            expected += piece;
            expected += '|';
        }
        const std::string large(3'000'001, 'L');
        sink.write(large);
        expected += large;
    });
    ASSERT_TRUE(status) << status.error();
    EXPECT_TRUE(fixture::fileBytes(target) == expected);
}

TEST_F(SaveFile, OpeningAFileThatIsNotThereLeavesTheCatalogue)
{
    const Status status = m_doc.openFile((m_dir / "absent.dcf").string());
    ASSERT_FALSE(status);
    EXPECT_FALSE(status.error().empty());
    EXPECT_EQ(m_doc.albumCount(), 3);
    EXPECT_TRUE(m_doc.isModified());
}

// ---- Order after an open ---------------------------------------------------------------------

struct ArtistOrderCase
{
    const char* name;
    bool ignoreThe;
    std::vector<std::uint32_t> order;
};

void PrintTo(const ArtistOrderCase& c, std::ostream* os)
{
    *os << c.name;
}

class ArtistOrderAfterLoad : public ::testing::TestWithParam<ArtistOrderCase>
{
};

TEST_P(ArtistOrderAfterLoad, ShowsEveryAlbumSortedByArtist)
{
    const ArtistOrderCase& c = GetParam();
    std::vector<AlbumRecord> albums(5);
    const char* artists[] = {"The Who", "ABBA", "the Beatles", "Cream", "Thelonious Monk"};
    for (int a = 0; a < 5; ++a)
        albums[a].artist = artists[a];

    CatalogueDocument doc;
    doc.newDocument();
    ViewOptions options;
    options.set(ViewOption::NlViewThe, c.ignoreThe ? 1 : 0);
    options.set(ViewOption::GroupViewThe, c.ignoreThe ? 0 : 1); // belongs to the other view style
    doc.setViewOptions(options);

    ASSERT_TRUE(doc.load(fileOf(albums)));
    EXPECT_EQ(doc.displayOrder(), c.order);
    EXPECT_EQ(doc.currentOrder(), SortOrder::ByArtist);
}

INSTANTIATE_TEST_SUITE_P(Options, ArtistOrderAfterLoad,
                         ::testing::Values(ArtistOrderCase{"IgnoringThe", true, {1, 2, 3, 4, 0}},
                                           ArtistOrderCase{"WithThe", false, {1, 3, 2, 0, 4}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace discora
