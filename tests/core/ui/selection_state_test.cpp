#include "ui/selection_state.h"

#include <gtest/gtest.h>

TEST(RadioSelection, ClickClearsOnlyItsGroupAndSetsItsBit) {
  EXPECT_EQ(gm::ui::SelectRadio(0xFFFFFFFF, 3036), 0xFFFFFF84u);
  EXPECT_EQ(gm::ui::SelectRadio(0, 3036), 0x4u);
  EXPECT_EQ(gm::ui::SelectRadio(0x4, 3035), 0x2u);
  // Each group's last id, from a word with every other group's bits set.
  const struct {
    unsigned id;
    uint32_t after;
  } cases[] = {{3040, 0x40}, {2010, 0x100}, {3502, 0x400}, {3250, 0x1000}, {2033, 0x8000}, {3033, 0x80000}, {3509, 0x400000}};
  for (const auto& c : cases) {
    const auto rb = gm::ui::RadioBitOf(c.id);
    ASSERT_TRUE(rb) << c.id;
    EXPECT_EQ(rb->bit, c.after);
    EXPECT_EQ(gm::ui::SelectRadio(0x7FFFFF & ~rb->group, c.id), (0x7FFFFF & ~rb->group) | c.after) << c.id;
    EXPECT_EQ(gm::ui::SelectRadio(0x7FFFFF, c.id) & rb->group, c.after) << c.id;
  }
  // The lift-off group's bits do not follow id order.
  EXPECT_EQ(gm::ui::RadioBitOf(3510)->bit, 0x100000u);
  EXPECT_EQ(gm::ui::RadioBitOf(3511)->bit, 0x200000u);
  // Ids without a bit leave the word alone.
  EXPECT_FALSE(gm::ui::RadioBitOf(3041));
  EXPECT_EQ(gm::ui::SelectRadio(0x1234, 3041), 0x1234u);
}

TEST(DpiStageMask, StageSelectsItselfAndEveryLowerStage) {
  const struct {
    int stage;
    uint8_t mask;
  } cases[] = {{1, 0x01}, {3, 0x07}, {7, 0x7F}, {8, 0xFF}, {0, 0}, {9, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(gm::ui::DpiMaskUpToStage(c.stage), c.mask) << c.stage;
}

TEST(TabSelection, IdsMapToTheirSelectionAndValue) {
  using gm::ui::TabKind;
  const struct {
    unsigned id;
    TabKind kind;
    int value;
  } cases[] = {{2049, TabKind::kProfile, 0}, {2053, TabKind::kProfile, 4}, {3001, TabKind::kPage, 0},
               {3004, TabKind::kPage, 3},    {3007, TabKind::kPage, 7},    {3009, TabKind::kPage, 9},
               {3005, TabKind::kNone, 0},    {2054, TabKind::kNone, 0},    {3010, TabKind::kNone, 0}};
  for (const auto& c : cases) {
    const auto v = gm::ui::TabValueOf(c.id);
    EXPECT_EQ(v.kind, c.kind) << c.id;
    if (c.kind != TabKind::kNone) {
      EXPECT_EQ(v.value, c.value) << c.id;
    }
  }
}
