// The fifteen orders the catalogue can be shown in, and the two view styles. Everything that differs
// from one order to the next is one row of kSortOrders; code asks the table instead of switching.
#pragma once

#include "core/model/columnlayout.h"
#include "core/model/field.h"
#include "core/view/displaysettings.h"

#include <array>
#include <string_view>

namespace discora {

enum class SortOrder : int
{
    ByArtist,
    ByArtistShort,
    ByAlbumName,
    ByCatalogNumber,
    ByCustom1,
    ByCustom2,
    ByLabel,
    ByMediaType,
    ByMusicType,
    ByNumber,
    ByPerformer,
    ByProducer,
    ByQuality,
    BySong,
    BySongDetail,
};

constexpr int kSortOrderCount = 15;

enum class ViewStyle : int
{
    Normal,
    SingleLineSorts,
    Covers, // the album orders as a grid of front covers; the derived lists keep their layouts
};

// What an order shows one entry per: a displayed album, or an entry of a derived list.
enum class EntryList
{
    Albums,
    Songs,
    Producers,
    Performers
};

// How the view lays an order out. The album orders take Normal or SingleLine from the view style.
enum class LayoutKind
{
    Normal,          // album blocks of labelled lines
    SingleLine,      // one line per album, columns of the order's ColumnLayout
    SongList,        // BySong
    ArtistShortList, // ByArtistShort
    ProducerList,    // ByProducer
    PerformerList,   // ByPerformer
    SongDetail,      // BySongDetail, seven lines per song
};

// How an album order sorts (the progress bar runs one step per pass of an exchange sort or per
// gap value of a gap sort), or that the order builds a derived list.
enum class SortKind
{
    ExchangeSort,
    GapSort,
    DerivedList
};

// Whether a leading "The " is dropped from a name: by the view style's option (NlViewThe or
// GroupViewThe), never, always, or by the song or artist short list's own option. An order has one
// rule for its sort keys and one for the names Go To and the printed letter groups read.
enum class TheRule
{
    ViewRule,
    Never,
    Always,
    SongThe,
    ArtistThe
};

// Whether a rule drops a leading "The " under these options; the view style picks the view rule's
// option.
inline bool theRuleApplies(TheRule rule, const ViewOptions& options, ViewStyle style)
{
    switch (rule) {
    case TheRule::ViewRule:
        return options.on(style == ViewStyle::SingleLineSorts ? ViewOption::GroupViewThe
                                                              : ViewOption::NlViewThe);
    case TheRule::Never: return false;
    case TheRule::Always: return true;
    case TheRule::SongThe: return options.on(ViewOption::SongThe);
    case TheRule::ArtistThe: return options.on(ViewOption::ArtistThe);
    }
    return false;
}

// What Go To compares the typed text with.
enum class GoToKey
{
    KeyField, // the entry's album's key field
    SongTitle,
    Performer,
    Producer,
    None
};

struct SortOrderInfo
{
    SortOrder order;
    std::string_view name;       // on the command line
    Field key;                   // what an album order sorts by and Go To reads
    std::string_view statusText; // while an album order sorts
    SortKind sort;
    TheRule sortThe;
    EntryList entries;
    LayoutId layout;     // the columns of the single-line and list layouts
    LayoutKind listKind; // derived orders; album orders follow the view style
    GoToKey goToKey;
    TheRule nameThe; // how Go To and the printed letter groups read a name
    std::string_view goToPrompt;
};

// Indexed by SortOrder.
inline constexpr std::array<SortOrderInfo, kSortOrderCount> kSortOrders = {{
    {SortOrder::ByArtist, "by-artist", Field::Artist, "Sorting by Group/Artist Name", SortKind::ExchangeSort,
     TheRule::ViewRule, EntryList::Albums, LayoutId::ByArtist, LayoutKind::Normal, GoToKey::KeyField,
     TheRule::ViewRule, "Enter the Group/Artist name to go to."},
    {SortOrder::ByArtistShort, "artist-short-list", Field::Artist, "", SortKind::DerivedList,
     TheRule::ArtistThe, EntryList::Songs, LayoutId::ByArtistShort, LayoutKind::ArtistShortList,
     GoToKey::KeyField, TheRule::ArtistThe, "Enter the Group/Artist to go to."},
    {SortOrder::ByAlbumName, "by-album-name", Field::AlbumName, "Sorting by Album Name", SortKind::GapSort,
     TheRule::ViewRule, EntryList::Albums, LayoutId::ByAlbumName, LayoutKind::Normal, GoToKey::KeyField,
     TheRule::ViewRule, "Enter the Album name to go to."},
    {SortOrder::ByCatalogNumber, "by-catalog-number", Field::CatalogNumber, "Sorting by Catalog Number",
     SortKind::ExchangeSort, TheRule::ViewRule, EntryList::Albums, LayoutId::ByCatalogNumber,
     LayoutKind::Normal, GoToKey::KeyField, TheRule::ViewRule, "Enter the Catalog Number to go to."},
    {SortOrder::ByCustom1, "by-custom1", Field::Custom1, "Sorting by Custom1", SortKind::ExchangeSort,
     TheRule::ViewRule, EntryList::Albums, LayoutId::ByCustom1, LayoutKind::Normal, GoToKey::KeyField,
     TheRule::ViewRule, "Enter the Custom 1 heading to go to."},
    {SortOrder::ByCustom2, "by-custom2", Field::Custom2, "Sorting by Custom2", SortKind::ExchangeSort,
     TheRule::ViewRule, EntryList::Albums, LayoutId::ByCustom2, LayoutKind::Normal, GoToKey::KeyField,
     TheRule::ViewRule, "Enter the Custom 2 heading to go to."},
    {SortOrder::ByLabel, "by-label", Field::Label, "Sorting by Label", SortKind::ExchangeSort,
     TheRule::ViewRule, EntryList::Albums, LayoutId::ByLabel, LayoutKind::Normal, GoToKey::KeyField,
     TheRule::ViewRule, "Enter the Label to go to."},
    {SortOrder::ByMediaType, "by-media-type", Field::MediaType, "Sorting by Media Type",
     SortKind::ExchangeSort, TheRule::Never, EntryList::Albums, LayoutId::ByMediaType, LayoutKind::Normal,
     GoToKey::KeyField, TheRule::ViewRule, "Enter the Media Type to go to."},
    {SortOrder::ByMusicType, "by-music-type", Field::MusicType, "Sorting by Music Type",
     SortKind::ExchangeSort, TheRule::Never, EntryList::Albums, LayoutId::ByMusicType, LayoutKind::Normal,
     GoToKey::KeyField, TheRule::ViewRule, "Enter the Music Type to go to."},
    {SortOrder::ByNumber, "by-number", Field::Number, "Sorting by Number", SortKind::GapSort, TheRule::Never,
     EntryList::Albums, LayoutId::ByNumber, LayoutKind::Normal, GoToKey::KeyField, TheRule::ViewRule,
     "Enter the Tape Number to go to."},
    {SortOrder::ByPerformer, "by-performer", Field::Artist, "", SortKind::DerivedList, TheRule::Never,
     EntryList::Performers, LayoutId::ByPerformer, LayoutKind::PerformerList, GoToKey::Performer,
     TheRule::Never, "Enter the Performer to go to."},
    {SortOrder::ByProducer, "by-producer", Field::Artist, "", SortKind::DerivedList, TheRule::Never,
     EntryList::Producers, LayoutId::ByProducer, LayoutKind::ProducerList, GoToKey::Producer, TheRule::Always,
     "Enter the Producer to go to."},
    {SortOrder::ByQuality, "by-quality", Field::Quality, "Sorting by Quality", SortKind::GapSort,
     TheRule::Never, EntryList::Albums, LayoutId::ByQuality, LayoutKind::Normal, GoToKey::None,
     TheRule::ViewRule, ""},
    {SortOrder::BySong, "by-song", Field::Artist, "", SortKind::DerivedList, TheRule::SongThe,
     EntryList::Songs, LayoutId::BySong, LayoutKind::SongList, GoToKey::SongTitle, TheRule::SongThe,
     "Enter the Song to go to."},
    {SortOrder::BySongDetail, "by-song-detail", Field::Artist, "", SortKind::DerivedList, TheRule::SongThe,
     EntryList::Songs, LayoutId::BySong, LayoutKind::SongDetail, GoToKey::SongTitle, TheRule::SongThe,
     "Enter the Song to go to."},
}};

constexpr const SortOrderInfo& sortOrderInfo(SortOrder o)
{
    return kSortOrders[static_cast<int>(o)];
}

constexpr bool isAlbumOrder(SortOrder o)
{
    return sortOrderInfo(o).entries == EntryList::Albums;
}

// The column layout an order shows in the single-line and list layouts; the six-line song list
// uses the song list's.
constexpr LayoutId layoutOf(SortOrder o)
{
    return sortOrderInfo(o).layout;
}

} // namespace discora
