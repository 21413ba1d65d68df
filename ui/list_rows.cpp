#include "ui/list_rows.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gm::ui {

int VisibleRowCount(int height, double scale) {
  const double row = 20 * scale;
  if (row <= 0) return 0;
  return std::max(0, static_cast<int>(std::floor((height + 10 * scale) / row)));
}

int RowAt(int top, int y, double scale, int firstRow, int rowCount) {
  const double row = 20 * scale;
  if (y < top || row <= 0) return -1;
  const long long index = static_cast<long long>(std::floor((y - top) / row)) + firstRow;
  return index < rowCount ? static_cast<int>(index) : -1;
}

int EnsureVisibleFirstRow(int firstRowIn, int selected, int rowCount, int visibleRows) {
  long long firstRow = firstRowIn;  // wide: the sums below cannot overflow
  if (selected < 0 && rowCount <= visibleRows) {
    firstRow = 0;
  } else if (selected >= 0 && selected >= firstRow + visibleRows) {
    firstRow = static_cast<long long>(selected) - visibleRows + 1;
  } else if (selected >= 0 && selected < firstRow) {
    firstRow = selected;  // a selection scrolled off the top comes back as the first row
  } else if (rowCount < firstRow + visibleRows) {
    firstRow = static_cast<long long>(rowCount) - visibleRows;
  }
  return static_cast<int>(std::clamp<long long>(firstRow, 0, std::numeric_limits<int>::max()));
}

}  // namespace gm::ui
