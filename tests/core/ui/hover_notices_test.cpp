#include "ui/hover_notices.h"

#include <gtest/gtest.h>

using gm::ui::ComboHoverCounter;
using gm::ui::HoverNotice;

TEST(ComboHover, FiveEntersThenSilenceUntilTheyLeave) {
  ComboHoverCounter c;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(c.Move(true, false), HoverNotice::kEnter) << i;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(c.Move(true, false), HoverNotice::kNone) << i;
  EXPECT_EQ(c.Move(false, false), HoverNotice::kLeave);
  EXPECT_EQ(c.Move(false, false), HoverNotice::kNone);  // one leave notice only
  EXPECT_EQ(c.Move(true, false), HoverNotice::kEnter);  // counting starts again
}

TEST(ComboHover, NoLeaveWhileThePopupIsOpen) {
  ComboHoverCounter c;
  EXPECT_EQ(c.Move(true, false), HoverNotice::kEnter);
  EXPECT_EQ(c.Move(false, true), HoverNotice::kNone);
  EXPECT_EQ(c.Move(false, false), HoverNotice::kLeave);  // owed once the popup has closed
}

TEST(ComboHover, NoLeaveBeforeAnyEnter) {
  ComboHoverCounter c;
  EXPECT_EQ(c.Move(false, false), HoverNotice::kNone);
}
