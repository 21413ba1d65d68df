#include "ui/list_rows.h"

#include <algorithm>
#include <cmath>

namespace gm::ui {

int VisibleRowCount(int height, double scale) {
  const double row = 20 * scale;
  if (row <= 0) return 0;
  return std::max(0, static_cast<int>(std::floor((height + 10 * scale) / row)));
}

int RowAt(int top, int y, double scale, int firstRow, int rowCount) {
  const double row = 20 * scale;
  if (y < top || row <= 0) return -1;
  const int index = static_cast<int>(std::floor((y - top) / row)) + firstRow;
  return index < rowCount ? index : -1;
}

int EnsureVisibleFirstRow(int firstRow, int selected, int rowCount, int visibleRows) {
  if (selected < 0 && rowCount <= visibleRows) {
    firstRow = 0;
  } else if (selected >= 0 && selected >= firstRow + visibleRows) {
    firstRow = selected - visibleRows + 1;
  } else if (selected >= 0 && selected < firstRow) {
    firstRow = selected;  // a selection scrolled off the top comes back as the first row
  } else if (rowCount < firstRow + visibleRows) {
    firstRow = rowCount - visibleRows;
  }
  return std::max(0, firstRow);
}

}  // namespace gm::ui
