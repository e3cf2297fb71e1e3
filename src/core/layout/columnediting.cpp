#include "core/layout/columnediting.h"

#include <algorithm>

namespace discora {

namespace {

int addLimit(LayoutKind kind)
{
    return layoutKindInfo(kind).addLimit;
}

int firstEditableColumn(LayoutKind kind)
{
    return layoutKindInfo(kind).firstEditableColumn;
}

} // namespace

int clickedColumnAt(const ListGeometry& geometry, int contentX)
{
    int column = 1;
    for (const ListColumn& c : geometry.columns)
        if (c.number > 1 && contentX > c.left)
            ++column;
    return column;
}

bool canAddColumn(LayoutKind kind, int columnCount, int clickedColumn)
{
    if (!isColumnList(kind) || clickedColumn < 1 || columnCount > addLimit(kind))
        return false;
    // In the song lists a new column goes after " T#" at the earliest.
    return clickedColumn >= firstEditableColumn(kind) - 1;
}

bool canRemoveColumn(LayoutKind kind, int columnCount, int clickedColumn)
{
    return isColumnList(kind) && columnCount > 0 && clickedColumn >= firstEditableColumn(kind) &&
           clickedColumn <= kMaxColumns;
}

bool addColumn(ColumnLayout& layout, LayoutKind kind, int clickedColumn, int fieldId, int dpi)
{
    const int columnCount = static_cast<int>(std::count_if(
        layout.fieldColumns.begin(), layout.fieldColumns.end(), [](int id) { return id != 0; }));
    if (fieldId < 1 || fieldId > 10 || !canAddColumn(kind, columnCount, clickedColumn) ||
        clickedColumn >= kMaxColumns)
        return false;
    clearAbsentEdges(layout, kind);
    const int slot = clickedColumn - fixedColumnCount(kind); // 0-based slot of the new column
    if (slot < 0 || slot >= static_cast<int>(layout.fieldColumns.size()))
        return false;
    layout.fieldColumns.insert(layout.fieldColumns.begin() + slot, fieldId);
    layout.fieldColumns.pop_back();

    const int step = hundredthsToPixels(75, dpi);
    const int origin = clickedColumn == 1 ? kFirstColumnX : layout.leftEdges[clickedColumn - 2];
    for (int column = clickedColumn + 1; column <= kMaxColumns; ++column)
        layout.leftEdges[column - 2] = origin + (column - clickedColumn) * step;
    return true;
}

bool removeColumn(ColumnLayout& layout, LayoutKind kind, int clickedColumn)
{
    const int columnCount = static_cast<int>(std::count_if(
        layout.fieldColumns.begin(), layout.fieldColumns.end(), [](int id) { return id != 0; }));
    if (!canRemoveColumn(kind, columnCount, clickedColumn))
        return false;
    const int slot = clickedColumn - fixedColumnCount(kind) - 1;
    if (slot < 0 || slot >= static_cast<int>(layout.fieldColumns.size()) || layout.fieldColumns[slot] == 0)
        return false;
    clearAbsentEdges(layout, kind);
    layout.fieldColumns.erase(layout.fieldColumns.begin() + slot);
    layout.fieldColumns.push_back(0);

    auto& edges = layout.leftEdges;
    const int removed = clickedColumn - 2;
    const auto successor = [&](int i) { return i + 1 < kLeftEdgeCount ? edges[i + 1] : 0; };
    const int width = successor(removed) != 0 ? successor(removed) - edges[removed] : 0;
    for (int i = removed; i < kLeftEdgeCount; ++i)
        if (successor(i) != 0)
            edges[i] = successor(i) - width;
    clearAbsentEdges(layout, kind);
    return true;
}

std::optional<int> draggedEdge(const ColumnLayout& layout, LayoutKind kind, int edgeIndex, int x,
                               int clientWidth, int scrollX)
{
    if (edgeIndex < 0 || edgeIndex >= kLeftEdgeCount)
        return std::nullopt;
    ColumnLayout normalised = layout;
    clearAbsentEdges(normalised, kind);
    const auto& edges = normalised.leftEdges;
    const int previous = edgeIndex == 0 ? kFirstColumnX : edges[edgeIndex - 1];
    const int next = edgeIndex + 1 < kLeftEdgeCount ? edges[edgeIndex + 1] : 0;
    if (x <= previous + 3)
        return std::nullopt;
    if (next != 0) {
        if (x >= next - 3)
            return std::nullopt;
    } else {
        // " T#" of the artist list is held in place by the column after it.
        if (layoutKindInfo(kind).firstEdgeHeld && edgeIndex == 0)
            return std::nullopt;
        if (x >= clientWidth + scrollX - 3)
            return std::nullopt;
    }
    return x;
}

} // namespace discora
