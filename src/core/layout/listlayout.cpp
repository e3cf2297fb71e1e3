#include "core/layout/listlayout.h"

#include "core/model/headings.h"
#include "core/view/catalogue.h"

#include <algorithm>

namespace discora {

namespace {

bool slotOccupied(const ColumnLayout& layout, int slot)
{
    return slot >= 1 && slot <= static_cast<int>(layout.fieldColumns.size()) &&
           layout.fieldColumns[slot - 1] != 0;
}

int edgeOf(const ColumnLayout& layout, int column)
{
    return column == 1 ? kFirstColumnX : layout.leftEdges[column - 2];
}

} // namespace

int fixedColumnCount(LayoutKind kind)
{
    return layoutKindInfo(kind).fixedColumns;
}

void clearAbsentEdges(ColumnLayout& layout, LayoutKind kind)
{
    const int fixed = fixedColumnCount(kind);
    for (int column = std::max(2, fixed + 1); column <= kMaxColumns; ++column)
        if (!slotOccupied(layout, column - fixed))
            layout.leftEdges[column - 2] = 0;
}

ColumnLayout shownColumnLayout(const Catalogue& doc)
{
    ColumnLayout layout = doc.columnLayout(layoutOf(doc.currentOrder()));
    clearAbsentEdges(layout, currentLayoutKind(doc));
    return layout;
}

namespace {

// The columns a layout shows, left to right, each at its screen edge.
std::vector<ListColumn> presentColumns(LayoutKind kind, const ColumnLayout& layout)
{
    std::vector<ListColumn> columns;
    const int fixed = fixedColumnCount(kind);
    for (int column = 1; column <= kMaxColumns; ++column) {
        const bool isFixed = column <= fixed;
        const int slot = column - fixed;
        const int edge = edgeOf(layout, column);
        if (!(isFixed || slotOccupied(layout, slot)) || (column > 1 && edge == 0))
            continue;
        ListColumn c;
        c.number = column;
        c.source = isFixed ? layoutKindInfo(kind).fixedSources[column - 1] : ColumnSource::Field;
        c.fieldId = isFixed ? 0 : layout.fieldColumns[slot - 1];
        c.left = edge;
        c.buttonLeft = column == 1 ? 0 : edge;
        columns.push_back(c);
    }
    return columns;
}

int occupiedSlots(const ColumnLayout& layout)
{
    return static_cast<int>(std::count_if(layout.fieldColumns.begin(), layout.fieldColumns.end(),
                                          [](int id) { return id != 0; }));
}

} // namespace

ListGeometry listGeometry(LayoutKind kind, const ColumnLayout& layout, const ViewMetrics& m)
{
    ListGeometry g;
    const int fixed = fixedColumnCount(kind);
    g.columnCount = occupiedSlots(layout);
    g.columns = presentColumns(kind, layout);
    g.contentWidth = 9 * m.dpi;
    for (const ListColumn& c : g.columns)
        if (c.number > fixed && c.number > 1)
            g.contentWidth = std::max(g.contentWidth, m.dpi * (c.left + 200) / 100);
    g.paintWidth = std::max(g.contentWidth, m.clientWidth);
    for (std::size_t i = 0; i < g.columns.size(); ++i) {
        ListColumn& c = g.columns[i];
        const bool last = i + 1 == g.columns.size();
        c.cellRight = last ? g.contentWidth : g.columns[i + 1].left - 4;
        c.buttonRight = last ? g.paintWidth : g.columns[i + 1].left;
        if (c.number > 1)
            g.grabZones.push_back({c.number - 2, c.left - m.scrollX - 4, c.left - m.scrollX + 4});
    }
    return g;
}

ListGeometry printedListGeometry(LayoutKind kind, const ColumnLayout& layout, int screenDpi, int printDpi,
                                 int printWidth)
{
    ListGeometry g;
    const LayoutKindInfo& info = layoutKindInfo(kind);
    const int cellGap = info.printedCellGap;
    const int margin = 38; // hundredths of an inch
    g.columnCount = occupiedSlots(layout);
    g.columns = presentColumns(kind, layout);
    g.contentWidth = printWidth;
    g.paintWidth = printWidth;
    for (ListColumn& c : g.columns) {
        c.left = c.number == 1 ? hundredthsToPixels(margin, printDpi)
                               : printDpi * (c.left * 100 / std::max(1, screenDpi) + margin) / 100;
        c.buttonLeft = c.left;
    }
    for (std::size_t i = 0; i < g.columns.size(); ++i) {
        ListColumn& c = g.columns[i];
        const bool last = i + 1 == g.columns.size();
        c.cellRight = last ? (info.printedLastCellGap ? printWidth - kPaperCellGap : printWidth)
                           : g.columns[i + 1].left - cellGap;
        c.buttonRight = last ? printWidth : g.columns[i + 1].left;
    }
    g.separatorGap = info.printedSeparatorGap;
    g.bandLeft = hundredthsToPixels(margin, printDpi) - g.separatorGap;
    return g;
}

namespace {

std::string withLeadingBlank(std::string_view text)
{
    std::string name(1, ' ');
    name.append(text);
    return name;
}

} // namespace

std::string columnFieldName(int fieldId, std::string_view custom1Heading, std::string_view custom2Heading)
{
    switch (fieldId) {
    case 1: return " Group/Artist";
    case 2: return " Album Name";
    case 3: return " Catalog #";
    case 4: return withLeadingBlank(headingOrDefault(custom1Heading, 0));
    case 5: return withLeadingBlank(headingOrDefault(custom2Heading, 1));
    case 6: return " Label";
    case 7: return " Media Type";
    case 8: return " Music Type";
    case 9: return " #";
    case 10: return " Quality";
    default: return withLeadingBlank(kFailedText);
    }
}

std::string columnHeading(const ListColumn& column, LayoutKind kind, std::string_view custom1Heading,
                          std::string_view custom2Heading)
{
    switch (column.source) {
    case ColumnSource::Field: return columnFieldName(column.fieldId, custom1Heading, custom2Heading);
    case ColumnSource::SongTitle: return std::string(layoutKindInfo(kind).songHeading);
    case ColumnSource::TrackNumber: return " T#";
    case ColumnSource::ProducerName: return "Producer";
    case ColumnSource::PerformerRole: return "Performer/Instrument";
    }
    return {};
}

} // namespace discora
