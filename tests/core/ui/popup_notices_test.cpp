#include "ui/popup_notices.h"

#include <gtest/gtest.h>

TEST(PopupNotice, EachKindReportsItsMessageWithTheTag) {
  using gm::ui::PopupNotice;
  const struct {
    int kind;
    std::optional<PopupNotice> notice;
  } cases[] = {
      {0, PopupNotice{1029, 77, 0}},   {1, PopupNotice{1032, 77, 1}},   {2, PopupNotice{1042, 77, 2}},
      {3, PopupNotice{1045, 77, 3}},   {4, std::nullopt},               {5, std::nullopt},
      {6, PopupNotice{1057, 77, 6}},   {7, PopupNotice{1126, 77, 7}},   {8, PopupNotice{1136, 77, 8}},
      {9, PopupNotice{1146, 77, 9}},   {10, PopupNotice{1156, 77, 10}}, {11, PopupNotice{1159, 77, 11}},
      {12, PopupNotice{1162, 77, 12}}, {13, PopupNotice{1165, 77, 13}}, {14, PopupNotice{1168, 77, 14}},
      {15, PopupNotice{1170, 77, 15}}, {16, PopupNotice{1172, 77, 16}}, {17, std::nullopt},
      {-1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(gm::ui::PopupDeactivationNotice(c.kind, 77), c.notice) << c.kind;
}
