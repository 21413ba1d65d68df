#pragma once
// Row arithmetic of the toolkit's list views: rows 20 design units high from the list's top.
namespace gm::ui {

// Rows that fit: ⌊(height + 10·s) / (20·s)⌋.
int VisibleRowCount(int height, double scale);

// Row under window row y, or -1 when it is at or past `rowCount` (or above the list).
int RowAt(int top, int y, double scale, int firstRow, int rowCount);

// First row after making `selected` (-1: none) visible in a list of `rowCount` rows.
int EnsureVisibleFirstRow(int firstRow, int selected, int rowCount, int visibleRows);

}  // namespace gm::ui
