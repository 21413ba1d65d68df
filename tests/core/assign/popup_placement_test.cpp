#include "assign/popup_placement.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

using ui::IntPoint;
using ui::IntRect;

const IntRect kScreen{0, 0, 1920, 1080};

TEST(PopupPlacement, MenuSizeFollowsRowsAndScale) {
  EXPECT_EQ(MenuSize(17, 1.0), (IntPoint{162, 374}));
  EXPECT_EQ(MenuSize(17, 1.5), (IntPoint{243, 33 * 17}));
  EXPECT_EQ(MenuSize(3, 2.0), (IntPoint{324, 132}));
}

TEST(PopupPlacement, MainMenuBesideItsControl) {
  const IntPoint size = MenuSize(17, 1.0);
  struct Case {
    const char* where;
    IntRect control;
    IntRect expected;
  };
  const Case cases[] = {
      {"room everywhere", {100, 200, 262, 221}, {261, 201, 423, 575}},
      {"near the bottom: moved up to fit", {100, 900, 262, 921}, {261, 706, 423, 1080}},
      {"near the right: opens to the left", {1800, 200, 1962, 221}, {1638, 201, 1800, 575}},
      {"bottom right corner", {1800, 1050, 1962, 1071}, {1638, 706, 1800, 1080}},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceMainMenu(c.control, size, 1.0, kScreen), c.expected) << c.where;
  // Scaled offsets: 161 and 20 units at 1.5.
  EXPECT_EQ(PlaceMainMenu({100, 200, 343, 231}, {10, 10}, 1.5, kScreen), (IntRect{341, 201, 351, 211}));
}

TEST(PopupPlacement, SubmenuBesideItsEntry) {
  const IntRect menu{261, 201, 423, 575};
  const IntPoint size = MenuSize(11, 1.0);  // 162 x 242
  struct Case {
    const char* where;
    IntRect menu;
    int entry;
    IntRect expected;
  };
  const Case cases[] = {
      {"right of the menu at the entry", menu, 15, {423, 201 + 14 * 22, 585, 201 + 14 * 22 + 242}},
      {"first entry", menu, 1, {423, 201, 585, 443}},
      {"near the bottom: moved up", {261, 700, 423, 1074}, 15, {423, 838, 585, 1080}},
      {"near the right: flipped to the left", {1700, 201, 1862, 575}, 6, {1538, 311, 1700, 553}},
      {"at the top edge of the screen", {0, 0, 162, 374}, 1, {162, 0, 324, 242}},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceSubmenu(c.menu, c.entry, size, 1.0, kScreen), c.expected) << c.where;
  const IntRect tall = PlaceSubmenu(menu, 1, {162, 2000}, 1.0, kScreen);
  EXPECT_EQ(tall.top, 0);
}

TEST(PopupPlacement, ProfileListAboveItsButton) {
  const IntPoint size = MenuSize(7, 1.0);  // 162 x 154
  struct Case {
    const char* where;
    IntRect button;
    double scale;
    IntRect expected;
  };
  const Case cases[] = {
      {"left-aligned, top 201 units above the bottom", {36, 700, 105, 720}, 1.0, {36, 519, 198, 673}},
      {"scaled offset", {54, 1050, 158, 1080}, 1.5, {54, 1080 - 301, 216, 1080 - 301 + 154}},
      {"never above the screen", {36, 50, 105, 70}, 1.0, {36, 0, 198, 154}},
      {"moved up to stay on the screen", {36, 1300, 105, 1400}, 1.0, {36, 926, 198, 1080}},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceProfileList(c.button, size, c.scale, kScreen), c.expected) << c.where;
}

}  // namespace
}  // namespace gm
