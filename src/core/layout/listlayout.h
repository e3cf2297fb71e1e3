// The column lists: the single-line layout of the album orders and the song, artist-short,
// producer and performer lists. Turns an order's ColumnLayout into the columns on screen, with
// their cells, heading buttons, the content width and the grab zones of the movable edges.
#pragma once

#include "core/layout/viewlayout.h"
#include "core/model/columnlayout.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;

constexpr int kMaxColumns = 6;

struct ListColumn
{
    int number = 1; // 1-based column number
    ColumnSource source = ColumnSource::Field;
    int fieldId = 0;
    int left = 0;      // the text cell, in content x
    int cellRight = 0; // 4 pixels before the next present column, or the content width
    int buttonLeft = 0;
    int buttonRight = 0;
    bool operator==(const ListColumn&) const = default;
};

// The strip of the heading row over a movable edge, in client x.
struct GrabZone
{
    int edgeIndex = 0; // into ColumnLayout::leftEdges; the edge of column edgeIndex + 2
    int left = 0;
    int right = 0;
    bool contains(int x) const { return x >= left && x <= right; }
};

struct ListGeometry
{
    std::vector<ListColumn> columns; // the present columns, left to right
    int columnCount = 0;             // occupied fieldColumns slots
    int contentWidth = 0;
    int paintWidth = 0; // the larger of the content width and the client width
    std::vector<GrabZone> grabZones;
    // Where heading bands and grid boxes start, and how far left of its column a separator stands.
    int bandLeft = 0;
    int separatorGap = 2;
};

// Columns before the first fieldColumns slot: none for single-line, 2 for the song lists, 1 for
// the producer and performer lists.
int fixedColumnCount(LayoutKind kind);

// Edges of columns whose slot is empty become 0: the column is absent.
void clearAbsentEdges(ColumnLayout& layout, LayoutKind kind);

// The column layout the current order shows: its stored layout with the edges of absent columns
// cleared, so that the geometry and the editing arithmetic see where the columns end.
ColumnLayout shownColumnLayout(const Catalogue& doc);

ListGeometry listGeometry(LayoutKind kind, const ColumnLayout& layout, const ViewMetrics& m);
// The same columns on paper, in printer pixels: column 1 at 38 hundredths of an inch, the others
// at their screen edge (pixels at screenDpi) converted to hundredths plus the same margin. Bands
// and boxes run to printWidth, the printer's horizontal resolution less 5 pixels.
ListGeometry printedListGeometry(LayoutKind kind, const ColumnLayout& layout, int screenDpi, int printDpi,
                                 int printWidth);

// The heading of a column list's column: the fixed columns' own texts, the field names with the
// custom headings for ids 4 and 5.
std::string columnHeading(const ListColumn& column, LayoutKind kind, std::string_view custom1Heading,
                          std::string_view custom2Heading);
// The name of a ColumnField id as its column heading shows it, e.g. " Group/Artist".
std::string columnFieldName(int fieldId, std::string_view custom1Heading, std::string_view custom2Heading);

// What a cell of an invalid column id shows.
inline constexpr std::string_view kFailedText = "Failed";

} // namespace discora
