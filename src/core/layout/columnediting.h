// The user's edits of a column list's ColumnLayout: which column a heading click names, when the
// Fields menu's commands may run, adding a column, removing one and dragging an edge.
#pragma once

#include "core/layout/listlayout.h"

#include <array>
#include <optional>
#include <string_view>

namespace discora {

// 1 plus the number of present column edges left of content x.
int clickedColumnAt(const ListGeometry& geometry, int contentX);

bool canAddColumn(LayoutKind kind, int columnCount, int clickedColumn);
bool canRemoveColumn(LayoutKind kind, int columnCount, int clickedColumn);

// Inserts fieldId as the column right after clickedColumn and lays the following edges out at
// three-quarter-inch steps from the clicked column's edge. An id outside 1 to 10 (the dialog
// closed with nothing chosen) adds nothing. Returns whether the layout changed.
bool addColumn(ColumnLayout& layout, LayoutKind kind, int clickedColumn, int fieldId, int dpi);

// Removes clickedColumn; the columns to its right move left by its width.
bool removeColumn(ColumnLayout& layout, LayoutKind kind, int clickedColumn);

// Where a drag of edge edgeIndex to content x puts it, or nothing when x comes within 3 pixels
// of a neighbouring edge (or of the window's right end for the last column).
std::optional<int> draggedEdge(const ColumnLayout& layout, LayoutKind kind, int edgeIndex, int x,
                               int clientWidth, int scrollX);

// The Add Column dialog's entries; entry i adds ColumnField id i + 1.
constexpr std::array<std::string_view, 10> kAddColumnEntries = {
    "Group/Artist Name", "Album Name", "Catalog Number", "Custom 1 Field", "Custom 2 Field", "Label",
    "Media Type",        "Music Type", "Number",         "Quality",
};

} // namespace discora
