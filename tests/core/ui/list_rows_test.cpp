#include "ui/list_rows.h"

#include <gtest/gtest.h>

TEST(ListRows, VisibleRowsCountAHalfRowAsARow) {
  EXPECT_EQ(gm::ui::VisibleRowCount(200, 1.0), 10);
  EXPECT_EQ(gm::ui::VisibleRowCount(190, 1.0), 10);
  EXPECT_EQ(gm::ui::VisibleRowCount(189, 1.0), 9);
  EXPECT_EQ(gm::ui::VisibleRowCount(300, 1.5), 10);
  EXPECT_EQ(gm::ui::VisibleRowCount(0, 1.0), 0);
}

TEST(ListRows, RowUnderAPoint) {
  EXPECT_EQ(gm::ui::RowAt(100, 139, 1.0, 2, 10), 3);
  EXPECT_EQ(gm::ui::RowAt(100, 100, 1.0, 0, 10), 0);
  EXPECT_EQ(gm::ui::RowAt(100, 99, 1.0, 0, 10), -1);   // above the list
  EXPECT_EQ(gm::ui::RowAt(100, 200, 1.0, 0, 5), -1);   // below the last row
  EXPECT_EQ(gm::ui::RowAt(100, 159, 1.5, 0, 5), 1);    // 30-pixel rows
}

TEST(ListRows, EnsureVisible) {
  const struct {
    int first, selected, rows, visible, expected;
  } cases[] = {
      {3, -1, 5, 10, 0},   // everything fits: back to the top
      {0, 12, 20, 10, 3},  // selection below the view: last visible row
      {5, -1, 12, 10, 2},  // view past the end: pulled back
      {8, 2, 20, 10, 2},   // selection above the view: first visible row
      {0, 3, 20, 10, 0},   // already visible
      {0, -1, 3, 10, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gm::ui::EnsureVisibleFirstRow(c.first, c.selected, c.rows, c.visible), c.expected)
        << c.first << " " << c.selected << " " << c.rows;
  }
}
