// What each kind of layout is: one row of kLayoutKinds per LayoutKind. Geometry, painting,
// pagination, column editing and Go To ask this table instead of switching on the kind.
#pragma once

#include "core/layout/viewmetrics.h"
#include "core/view/displaysettings.h"
#include "core/view/sortorder.h"

#include <array>
#include <string_view>

namespace discora {

// What a column of a column list shows.
enum class ColumnSource
{
    Field,        // a ColumnField of the entry's album (or "Failed" for an id outside 1 to 10)
    SongTitle,    // the song of a song-list entry
    TrackNumber,  // its track number text
    ProducerName, // the producer of a producer-list entry
    PerformerRole // the instrument or vocals of a performer-list entry
};

// The block a layout paints per entry when it is not a column list.
enum class BlockShape
{
    None,      // a column list: one line per entry
    Normal,    // the album's labelled lines, as many as the display switches show
    SongDetail // a song's seven lines
};

// How the layout's print option reads.
enum class PageBreakChoice
{
    NormalRadio, // none, one record per page, letter, name change
    Radio,       // none, letter, name change
    Check        // off, or letter
};

// What an entry is grouped by on paper.
enum class GroupKeySource
{
    AlbumKey,    // the album order's own key field
    SongTitle,   // the song's title
    AlbumArtist, // the artist of the song's album
    Producer,
    Performer
};

// When a key whose letter sorts below "A" (a digit, punctuation, nothing) opens a new letter page.
enum class LetterJoin
{
    DigitsJoinByAlbumName, // always, except that names starting below "A" join the current letter by album
                           // name
    NeverJoins,            // every new letter opens a page
    BelowAJoins            // below "A" joins the current letter, unless the current group has no letter
};

// Which entries of a derived list are group headings painted as a band.
enum class GroupHeadings
{
    None,
    ArtistOfSongs, // the artist short list's artist headings
    Performers     // the performer list's performer headings
};

struct LayoutKindInfo
{
    LayoutKind kind;
    BlockShape block;
    ViewOption gridOption;
    // The print option and how it reads.
    ViewOption pageBreakOption;
    PageBreakChoice pageBreakChoice;
    GroupKeySource groupKey;
    LetterJoin letterJoin;
    GroupHeadings headings;
    // Column lists: the texts before the layout's field columns, and the first column's heading
    // when it shows a song.
    int fixedColumns;
    std::array<ColumnSource, 2> fixedSources;
    std::string_view songHeading;
    // The column list whose lines stand for the entries where each must be one line (the command
    // line's listing): the kind itself for a column list.
    LayoutKind lineKind;
    // The highest column count at which one more column still fits (-1: no column editing), the
    // leftmost column the user may remove or add after, and whether the first movable edge (the
    // artist list's " T#") is held in place by the column after it.
    int addLimit;
    int firstEditableColumn;
    bool firstEdgeHeld;
    // Paper: the gap before the next column's text, the separator's distance left of its column,
    // and whether the last cell stops a cell gap before the printable width.
    int printedCellGap;
    int printedSeparatorGap;
    bool printedLastCellGap;
    // The screen grid's frame: a line at the left end, a line at the right end.
    bool gridLeftLine;
    bool gridRightLine;
};

// Indexed by LayoutKind.
inline constexpr std::array<LayoutKindInfo, 7> kLayoutKinds = {{
    {.kind = LayoutKind::Normal,
     .block = BlockShape::Normal,
     .gridOption = ViewOption::NlViewGrid,
     .pageBreakOption = ViewOption::NlViewPrint,
     .pageBreakChoice = PageBreakChoice::NormalRadio,
     .groupKey = GroupKeySource::AlbumKey,
     .letterJoin = LetterJoin::DigitsJoinByAlbumName,
     .headings = GroupHeadings::None,
     .fixedColumns = 0,
     .fixedSources = {ColumnSource::Field, ColumnSource::Field},
     .songHeading = "",
     .lineKind = LayoutKind::SingleLine,
     .addLimit = -1,
     .firstEditableColumn = 2,
     .firstEdgeHeld = false,
     .printedCellGap = kPaperCellGap,
     .printedSeparatorGap = 4,
     .printedLastCellGap = false,
     .gridLeftLine = false,
     .gridRightLine = false},
    {.kind = LayoutKind::SingleLine,
     .block = BlockShape::None,
     .gridOption = ViewOption::GroupViewGrid,
     .pageBreakOption = ViewOption::GroupViewPrint,
     .pageBreakChoice = PageBreakChoice::Radio,
     .groupKey = GroupKeySource::AlbumKey,
     .letterJoin = LetterJoin::DigitsJoinByAlbumName,
     .headings = GroupHeadings::None,
     .fixedColumns = 0,
     .fixedSources = {ColumnSource::Field, ColumnSource::Field},
     .songHeading = "",
     .lineKind = LayoutKind::SingleLine,
     .addLimit = 5,
     .firstEditableColumn = 2,
     .firstEdgeHeld = false,
     .printedCellGap = kPaperCellGap,
     .printedSeparatorGap = 8,
     .printedLastCellGap = true,
     .gridLeftLine = false,
     .gridRightLine = false},
    {.kind = LayoutKind::SongList,
     .block = BlockShape::None,
     .gridOption = ViewOption::SongGrid,
     .pageBreakOption = ViewOption::SongPrint,
     .pageBreakChoice = PageBreakChoice::Check,
     .groupKey = GroupKeySource::SongTitle,
     .letterJoin = LetterJoin::BelowAJoins,
     .headings = GroupHeadings::None,
     .fixedColumns = 2,
     .fixedSources = {ColumnSource::SongTitle, ColumnSource::TrackNumber},
     .songHeading = "Song",
     .lineKind = LayoutKind::SongList,
     .addLimit = 3,
     .firstEditableColumn = 3,
     .firstEdgeHeld = false,
     .printedCellGap = kPaperCellGap,
     .printedSeparatorGap = 4,
     .printedLastCellGap = false,
     .gridLeftLine = false,
     .gridRightLine = false},
    {.kind = LayoutKind::ArtistShortList,
     .block = BlockShape::None,
     .gridOption = ViewOption::ArtistGrid,
     .pageBreakOption = ViewOption::ArtistPrint,
     .pageBreakChoice = PageBreakChoice::Radio,
     .groupKey = GroupKeySource::AlbumArtist,
     .letterJoin = LetterJoin::NeverJoins,
     .headings = GroupHeadings::ArtistOfSongs,
     .fixedColumns = 2,
     .fixedSources = {ColumnSource::SongTitle, ColumnSource::TrackNumber},
     .songHeading = "Group/Artist/Song",
     .lineKind = LayoutKind::ArtistShortList,
     .addLimit = 3,
     .firstEditableColumn = 3,
     .firstEdgeHeld = true,
     .printedCellGap = kPaperCellGap,
     .printedSeparatorGap = 4,
     .printedLastCellGap = false,
     .gridLeftLine = true,
     .gridRightLine = false},
    {.kind = LayoutKind::ProducerList,
     .block = BlockShape::None,
     .gridOption = ViewOption::ProducerGrid,
     .pageBreakOption = ViewOption::ProducerPrint,
     .pageBreakChoice = PageBreakChoice::Radio,
     .groupKey = GroupKeySource::Producer,
     .letterJoin = LetterJoin::BelowAJoins,
     .headings = GroupHeadings::None,
     .fixedColumns = 1,
     .fixedSources = {ColumnSource::ProducerName, ColumnSource::Field},
     .songHeading = "",
     .lineKind = LayoutKind::ProducerList,
     .addLimit = 4,
     .firstEditableColumn = 2,
     .firstEdgeHeld = false,
     .printedCellGap = 4,
     .printedSeparatorGap = 4,
     .printedLastCellGap = false,
     .gridLeftLine = false,
     .gridRightLine = false},
    {.kind = LayoutKind::PerformerList,
     .block = BlockShape::None,
     .gridOption = ViewOption::PerformerGrid,
     .pageBreakOption = ViewOption::PerformerPrint,
     .pageBreakChoice = PageBreakChoice::Radio,
     .groupKey = GroupKeySource::Performer,
     .letterJoin = LetterJoin::BelowAJoins,
     .headings = GroupHeadings::Performers,
     .fixedColumns = 1,
     .fixedSources = {ColumnSource::PerformerRole, ColumnSource::Field},
     .songHeading = "",
     .lineKind = LayoutKind::PerformerList,
     .addLimit = 4,
     .firstEditableColumn = 2,
     .firstEdgeHeld = false,
     .printedCellGap = 4,
     .printedSeparatorGap = 4,
     .printedLastCellGap = false,
     .gridLeftLine = true,
     .gridRightLine = true},
    {.kind = LayoutKind::SongDetail,
     .block = BlockShape::SongDetail,
     .gridOption = ViewOption::NlViewGrid,
     .pageBreakOption = ViewOption::SongPrint,
     .pageBreakChoice = PageBreakChoice::Check,
     .groupKey = GroupKeySource::SongTitle,
     .letterJoin = LetterJoin::BelowAJoins,
     .headings = GroupHeadings::None,
     .fixedColumns = 0,
     .fixedSources = {ColumnSource::Field, ColumnSource::Field},
     .songHeading = "",
     .lineKind = LayoutKind::SongList,
     .addLimit = -1,
     .firstEditableColumn = 2,
     .firstEdgeHeld = false,
     .printedCellGap = kPaperCellGap,
     .printedSeparatorGap = 4,
     .printedLastCellGap = false,
     .gridLeftLine = false,
     .gridRightLine = false},
}};

constexpr const LayoutKindInfo& layoutKindInfo(LayoutKind kind)
{
    return kLayoutKinds[static_cast<int>(kind)];
}

// The layouts with a heading row of column buttons over one line per entry.
constexpr bool isColumnList(LayoutKind kind)
{
    return layoutKindInfo(kind).block == BlockShape::None;
}

// Whether the entries are the displayed albums themselves (the normal and single-line layouts).
constexpr bool showsAlbums(LayoutKind kind)
{
    return layoutKindInfo(kind).groupKey == GroupKeySource::AlbumKey;
}

// The song lists whose lines show a track number, which Play needs.
constexpr bool showsTrackNumbers(LayoutKind kind)
{
    return layoutKindInfo(kind).fixedSources[1] == ColumnSource::TrackNumber;
}

constexpr bool rowsAreInKindOrder()
{
    for (int i = 0; i < static_cast<int>(kLayoutKinds.size()); ++i)
        if (static_cast<int>(kLayoutKinds[i].kind) != i)
            return false;
    return true;
}
static_assert(rowsAreInKindOrder(), "kLayoutKinds is indexed by LayoutKind");

constexpr bool linesAreColumnLists()
{
    for (const LayoutKindInfo& info : kLayoutKinds)
        if (!isColumnList(info.lineKind) || (isColumnList(info.kind) && info.lineKind != info.kind))
            return false;
    return true;
}
static_assert(linesAreColumnLists(), "an entry's line is a line of a column list");

} // namespace discora
