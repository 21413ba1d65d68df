#include "ui/selection_state.h"

#include <gtest/gtest.h>

TEST(RadioGroup, SelectingAMemberClearsTheOthersAndOutsidersChangeNothing) {
  gm::ui::RadioGroup group{3510, 3511, 3509};
  EXPECT_FALSE(group.Selected());
  EXPECT_TRUE(group.Select(3511));
  EXPECT_TRUE(group.IsSelected(3511));
  EXPECT_TRUE(group.Select(3509));
  EXPECT_FALSE(group.IsSelected(3511));
  EXPECT_TRUE(group.IsSelected(3509));
  EXPECT_FALSE(group.Select(3041));  // not a member
  EXPECT_EQ(group.Selected(), 3509u);
  EXPECT_FALSE(group.IsSelected(3041));
  EXPECT_TRUE(group.Has(3510));
  EXPECT_FALSE(group.Has(3041));
}

TEST(DpiStageMask, StageSelectsItselfAndEveryLowerStage) {
  const struct {
    int stage;
    uint8_t mask;
  } cases[] = {{1, 0x01}, {3, 0x07}, {7, 0x7F}, {8, 0xFF}, {0, 0}, {9, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(gm::ui::DpiMaskUpToStage(c.stage), c.mask) << c.stage;
}

TEST(StageSelection, ChoosingAStageSelectsItAndEveryLowerOne) {
  gm::ui::StageSelection row;
  row.SelectUpTo(3);
  for (int stage = 0; stage <= 9; ++stage) EXPECT_EQ(row.IsSelected(stage), stage >= 1 && stage <= 3) << stage;
  row.SelectUpTo(1);
  EXPECT_EQ(row.Mask(), 0x01);
  row.SelectUpTo(9);  // outside 1..8: the row clears
  EXPECT_EQ(row.Mask(), 0);
}
