// The block layouts: an album as labelled heading and value lines (the normal layout) and a song
// as seven lines (the song detail list). A plan lists the lines of one block with their labels,
// cells and grid; painting and printing walk the same plan, made for the screen or for paper.
#pragma once

#include "core/model/field.h"
#include "core/view/displaysettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace discora {

// The display switches that add sections to an album block.
struct NormalSwitches
{
    bool producers = false;
    bool label = false;
    bool catalogNumber = false;
    bool custom1 = false;
    bool custom2 = false;
    bool quality = false;
    bool songs = false;
    bool notes = false;
    bool performers = false;
};

NormalSwitches normalSwitches(const ViewOptions& options);
int normalLinesPerRecord(const NormalSwitches& s);

constexpr int kSongDetailLines = 7;
constexpr int kNotesLines = 4;

// Where a block is drawn. On paper a value cell ends 16 pixels before the next column (4 on
// screen), a grid separator stands 4 pixels left of its column (2 on screen) and a thin line
// instead of the thick rule closes each block.
enum class BlockMedium
{
    Screen,
    Paper
};

// The named x positions of the normal layout, in pixels.
struct NormalPositions
{
    int x0 = 0;
    int xSong = 0;
    int xMid = 0;
    int xTrack2 = 0;
    int xSong2 = 0;
    int xNum = 0;
    int xTime2 = 0;
    int contentWidth = 0; // the right end of heading bands and grid boxes
    int cellEnd = 0;      // where the cells that run to the right end stop
};

NormalPositions normalPositions(int dpi, int maxCharWidth);
// The normal layout's small front cover (the "ShowCover" option) stands at the left of each block,
// as high as the block's first five lines less a margin; the block's texts move right to make room.
int normalCoverSide(int lineHeight);
// The positions moved right by indent. On paper, lay the block out for the page width less the
// indent first, so that it keeps to the page.
NormalPositions withCoverColumn(NormalPositions p, int indent);

// On paper: the printer's resolution and usable width (its horizontal resolution less 5 pixels).
// timeWidth is what a time ("00:00") or the "Time" heading needs in the print font, whichever is
// wider: the time columns keep at least that much.
NormalPositions printedNormalPositions(int printDpi, int printWidth, int timeWidth);

// The page width the printed block is drawn for, in hundredths of an inch (its usable width is 5
// pixels less).
inline constexpr int kPrintedDesignWidth = 800;

enum class BlockLineKind
{
    Heading,
    Values,
    Empty
};

struct BlockLabel
{
    std::string text;
    int x = 0;
    bool operator==(const BlockLabel&) const = default;
};

// What a cell shows: a field of the entry's album, or the title of the entry's song.
enum class CellSource
{
    AlbumField,
    SongTitle
};

struct BlockCell
{
    CellSource source = CellSource::AlbumField;
    Field field = Field::Artist;
    int left = 0;
    int right = 0;
    bool operator==(const BlockCell&) const = default;
};

enum class BlockRule
{
    None,
    Thick, // the 4-pixel rule after a block on screen
    Thin   // a 1-pixel line after a block on paper
};

struct BlockLine
{
    BlockLineKind kind = BlockLineKind::Values;
    int top = 0;   // in lines from the block's top
    int lines = 1; // height in lines; the notes cell is four lines high and wraps at word breaks
    std::vector<BlockLabel> labels;
    std::vector<BlockCell> cells;
    // Grid: a box (top, left and right ends) around the line, one-line separators at these x,
    // and for the empty line a rule along its top.
    bool boxed = false;
    std::vector<int> separators;
    BlockRule rule = BlockRule::None;
};

struct BlockPlan
{
    std::vector<BlockLine> lines;
    int linesPerRecord = 0;
    int contentWidth = 0;
};

// headings: the texts of the two custom fields' sections.
BlockPlan normalBlock(const NormalSwitches& s, const NormalPositions& p, std::string_view custom1Heading,
                      std::string_view custom2Heading, BlockMedium medium = BlockMedium::Screen);
BlockPlan songDetailBlock(int dpi, int maxCharWidth);
// The song detail block on paper: x0 and xMid at 38 and 345 hundredths of an inch.
BlockPlan printedSongDetailBlock(int printDpi, int printWidth);

} // namespace discora
