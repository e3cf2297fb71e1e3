// When orders run by themselves: after a load, after the catalogue or the filters changed, when the
// view style switches and when the options change.
#include "support/orderfixture.h"

#include "core/order/orders.h"
#include "core/settings/appsettings.h"
#include "core/settings/settingsstore.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using namespace ordertest;
using Lines = std::vector<std::string>;

// Every text field and one song carry the same text, so any order shows the same sequence.
std::vector<AlbumRecord> alikeAlbums(const Lines& texts)
{
    std::vector<AlbumRecord> albums;
    for (const std::string& t : texts) {
        AlbumRecord r =
            albumWith({{Field::Artist, t}, {Field::AlbumName, t}, {Field::Label, t}, {Field::Producer1, t}});
        r.songs[0].title = t;
        r.performers[0].name = t;
        albums.push_back(r);
    }
    return albums;
}

// 'The Alarm' goes before 'Moon' only with the article dropped.
const Lines kTexts = {"Moon", "Zed", "The Alarm"};

bool derivedListsEmpty(const CatalogueDocument& doc)
{
    const DerivedLists& l = doc.derivedLists();
    return l.songs.empty() && l.producers.empty() && l.performers.empty();
}

// ---- Reapplying the current order --------------------------------------------------------------

TEST(ReapplyingTheOrder, FewerThanTwoShownAlbumsMakeByArtistCurrentInNormalWithoutSorting)
{
    for (int shown : {0, 1}) {
        auto doc = documentOf(alikeAlbums({"b", "c", "a"}));
        doc->runOrder(SortOrder::BySong);
        doc->setViewStyle(ViewStyle::SingleLineSorts);
        RecordingProgress progress;
        doc->setProgressSink(&progress);
        CountingObserver observer;
        doc->addObserver(&observer);

        doc->setFilter(FilterField::Label, shown == 1 ? "c" : "x");

        EXPECT_EQ(doc->displayedCount(), shown);
        EXPECT_EQ(doc->currentOrder(), SortOrder::ByArtist);
        EXPECT_EQ(doc->viewStyle(), ViewStyle::Normal);
        EXPECT_TRUE(derivedListsEmpty(*doc));
        EXPECT_TRUE(progress.phases().empty());
        EXPECT_EQ(observer.updates, 1);
    }
}

TEST(ReapplyingTheOrder, AChangedAlbumTakesItsPlaceInTheCurrentOrder)
{
    auto doc = documentOf(alikeAlbums({"b", "c", "a"}));
    const auto changeAlbum = [&](int album, Field field, const char* text) {
        const std::uint32_t a = static_cast<std::uint32_t>(album);
        doc->modifyAlbums(std::span(&a, 1), [&](const AlbumRecord& before) {
            AlbumRecord after = before;
            after.text(field) = text;
            return std::optional(after);
        });
    };
    doc->runOrder(SortOrder::ByLabel);
    changeAlbum(2, Field::Label, "z");
    EXPECT_EQ(displayedTexts(*doc, Field::Label), (Lines{"b", "c", "z"}));

    doc->runOrder(SortOrder::BySong);
    changeAlbum(0, titleField(1), "d");
    Lines titles;
    for (std::size_t i = 0; i < doc->derivedLists().songs.size(); ++i)
        titles.emplace_back(songTitle(*doc, i));
    EXPECT_EQ(titles, (Lines{"a", "c", "d"}));
    EXPECT_EQ(doc->currentOrder(), SortOrder::BySong);
}

// ---- Switching the view style ------------------------------------------------------------------

class IntoSingleLine : public ::testing::TestWithParam<SortOrder>
{
};

TEST_P(IntoSingleLine, ADerivedListGivesWayToByArtist)
{
    auto doc = documentOf(alikeAlbums(kTexts), optionsWith({{ViewOption::GroupViewThe, 1}}));
    doc->runOrder(SortOrder::ByLabel);
    doc->runOrder(GetParam());
    CountingObserver observer;
    doc->addObserver(&observer);

    doc->setViewStyle(ViewStyle::SingleLineSorts);

    EXPECT_EQ(doc->viewStyle(), ViewStyle::SingleLineSorts);
    EXPECT_EQ(doc->currentOrder(), SortOrder::ByArtist);
    EXPECT_TRUE(derivedListsEmpty(*doc));
    EXPECT_EQ(displayedTexts(*doc, Field::Artist), (Lines{"The Alarm", "Moon", "Zed"}));
    EXPECT_EQ(observer.updates, 1);
}

INSTANTIATE_TEST_SUITE_P(DerivedOrders, IntoSingleLine,
                         ::testing::Values(SortOrder::ByArtistShort, SortOrder::BySong,
                                           SortOrder::BySongDetail, SortOrder::ByProducer,
                                           SortOrder::ByPerformer));

TEST(ViewStyleSwitch, AnAlbumOrderStaysAsItIs)
{
    auto doc = documentOf(alikeAlbums(kTexts));
    doc->runOrder(SortOrder::ByLabel);
    const auto order = doc->displayOrder();
    for (ViewStyle style : {ViewStyle::SingleLineSorts, ViewStyle::Normal}) {
        doc->setViewStyle(style);
        EXPECT_EQ(doc->viewStyle(), style);
        EXPECT_EQ(doc->currentOrder(), SortOrder::ByLabel);
        EXPECT_EQ(doc->displayOrder(), order);
    }
    doc->runOrder(SortOrder::BySong);
    doc->setViewStyle(ViewStyle::Normal);
    EXPECT_EQ(doc->currentOrder(), SortOrder::BySong);
    EXPECT_FALSE(derivedListsEmpty(*doc));
}

// ---- Option changes ----------------------------------------------------------------------------

struct OptionCase
{
    const char* name;
    ViewStyle style;
    SortOrder order;
    ViewOption option;
    bool resorts;
};

// What the user sees: the display order and the song list.
struct Shown
{
    std::vector<std::uint32_t> order;
    std::vector<SongEntry> songs;
    bool operator==(const Shown&) const = default;
};

Shown shown(const CatalogueDocument& doc)
{
    return {doc.displayOrder(), doc.derivedLists().songs};
}

class OptionChange : public ::testing::TestWithParam<OptionCase>
{
};

TEST_P(OptionChange, ReSortsOnlyTheOrdersTheOptionBelongsTo)
{
    const OptionCase& c = GetParam();
    const auto allOn = optionsWith({{ViewOption::NlViewThe, 1},
                                    {ViewOption::GroupViewThe, 1},
                                    {ViewOption::ArtistThe, 1},
                                    {ViewOption::SongThe, 1}});
    auto doc = documentOf(alikeAlbums(kTexts), allOn, c.style);
    doc->runOrder(c.order);
    const Shown before = shown(*doc);

    ViewOptions changed = allOn;
    changed.set(c.option, 0);
    doc->setViewOptions(changed);

    EXPECT_EQ(doc->viewOptions(), changed);
    EXPECT_EQ(doc->currentOrder(), c.order);
    if (!c.resorts) {
        EXPECT_EQ(shown(*doc), before);
        return;
    }
    EXPECT_NE(shown(*doc), before);
    const Shown after = shown(*doc);
    doc->runOrder(c.order);
    EXPECT_EQ(shown(*doc), after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionChange,
    ::testing::Values(
        OptionCase{"NlViewTheByAlbumName", ViewStyle::Normal, SortOrder::ByAlbumName, ViewOption::NlViewThe,
                   true},
        OptionCase{"NlViewTheByArtist", ViewStyle::Normal, SortOrder::ByArtist, ViewOption::NlViewThe, true},
        OptionCase{"NlViewTheByLabel", ViewStyle::Normal, SortOrder::ByLabel, ViewOption::NlViewThe, false},
        OptionCase{"GroupViewTheInNormal", ViewStyle::Normal, SortOrder::ByAlbumName,
                   ViewOption::GroupViewThe, false},
        OptionCase{"GroupViewTheByArtist", ViewStyle::SingleLineSorts, SortOrder::ByArtist,
                   ViewOption::GroupViewThe, true},
        OptionCase{"GroupViewTheByAlbumName", ViewStyle::SingleLineSorts, SortOrder::ByAlbumName,
                   ViewOption::GroupViewThe, true},
        OptionCase{"NlViewTheInSingleLine", ViewStyle::SingleLineSorts, SortOrder::ByArtist,
                   ViewOption::NlViewThe, false},
        OptionCase{"SongTheBySong", ViewStyle::Normal, SortOrder::BySong, ViewOption::SongThe, true},
        OptionCase{"SongTheBySongDetail", ViewStyle::Normal, SortOrder::BySongDetail, ViewOption::SongThe,
                   true},
        OptionCase{"SongTheByAlbumName", ViewStyle::Normal, SortOrder::ByAlbumName, ViewOption::SongThe,
                   false},
        OptionCase{"ArtistTheArtistShort", ViewStyle::Normal, SortOrder::ByArtistShort, ViewOption::ArtistThe,
                   true},
        OptionCase{"ArtistTheByArtist", ViewStyle::Normal, SortOrder::ByArtist, ViewOption::ArtistThe, false},
        OptionCase{"ArtistTheBySong", ViewStyle::Normal, SortOrder::BySong, ViewOption::ArtistThe, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptionChange, WithOneAlbumNothingSortsButTheValueIsKept)
{
    auto doc = documentOf(alikeAlbums({"The Alarm"}));
    RecordingProgress progress;
    doc->setProgressSink(&progress);
    const auto off = optionsWith({{ViewOption::NlViewThe, 0}});
    doc->setViewOptions(off);
    EXPECT_TRUE(progress.phases().empty());
    EXPECT_EQ(doc->viewOptions(), off);

    // The change was taken in: with two albums the same options are no change.
    doc->enterAlbum(alikeAlbums({"Moon"})[0]);
    progress.clear();
    doc->setViewOptions(off);
    EXPECT_TRUE(progress.phases().empty());
}

TEST(OptionChange, TheSettingsHandTheOptionsOverWithTheirReSort)
{
    MemorySettingsStore store;
    AppSettings settings(store);
    auto doc = documentOf(alikeAlbums(kTexts), optionsWith({{ViewOption::NlViewThe, 1}}));
    doc->runOrder(SortOrder::ByAlbumName);
    ASSERT_EQ(displayedTexts(*doc, Field::AlbumName), (Lines{"The Alarm", "Moon", "Zed"}));

    settings.applyViewOptions(optionsWith({{ViewOption::NlViewThe, 0}}), false, doc.get());

    EXPECT_EQ(displayedTexts(*doc, Field::AlbumName), (Lines{"Moon", "The Alarm", "Zed"}));
    EXPECT_EQ(store.readInt("User Data", "NlViewThe"), std::optional<int>(0));
}

// ---- Loading -----------------------------------------------------------------------------------

TEST(AfterLoad, ByArtistIsCurrentAndNoDerivedListSurvives)
{
    for (const Lines& texts : {Lines{}, Lines{"Solo"}, kTexts}) {
        auto doc = documentOf(alikeAlbums({"x", "y", "z", "w"}), optionsWith({{ViewOption::NlViewThe, 1}}));
        doc->runOrder(SortOrder::ByPerformer);
        ASSERT_FALSE(derivedListsEmpty(*doc));
        RecordingProgress progress;
        doc->setProgressSink(&progress);

        LoadedCatalogue loaded;
        for (const AlbumRecord& a : alikeAlbums(texts))
            loaded.albums.appendAlbum(a);
        loaded.layouts = defaultColumnLayouts(96);
        doc->adoptLoaded(std::move(loaded));

        EXPECT_EQ(doc->currentOrder(), SortOrder::ByArtist) << texts.size();
        EXPECT_TRUE(derivedListsEmpty(*doc)) << texts.size();
        const bool sorted =
            std::any_of(progress.phases().begin(), progress.phases().end(),
                        [](const auto& p) { return p.text == "Sorting by Group/Artist Name"; });
        EXPECT_EQ(sorted, texts.size() > 1) << texts.size();
        if (texts.size() > 1) {
            EXPECT_EQ(displayedTexts(*doc, Field::Artist), (Lines{"The Alarm", "Moon", "Zed"}));
        }
    }
}

} // namespace
} // namespace discora
