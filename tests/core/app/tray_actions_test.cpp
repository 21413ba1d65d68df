#include "app/tray_actions.h"

#include <gtest/gtest.h>

namespace {

TEST(TrayActions, OurIconActsOnDoubleClickAndRightButtonOnly) {
  struct Case {
    unsigned long long id, mouse;
    gm::TrayAction action;
  };
  const Case cases[] = {
      {128, 0x0203, gm::TrayAction::kShow},     // left double click
      {128, 0x0205, gm::TrayAction::kMenu},     // right button released
      {128, 0x0204, gm::TrayAction::kNone},     // right button pressed
      {128, 0x0201, gm::TrayAction::kNone},     // left button pressed
      {128, 0x0202, gm::TrayAction::kNone},     // left button released
      {128, 0x0200, gm::TrayAction::kNone},     // pointer move
      {127, 0x0203, gm::TrayAction::kNotOurs},  // another icon's double click
      {129, 0x0205, gm::TrayAction::kNotOurs},
      {0, 0x0203, gm::TrayAction::kNotOurs},
      {128ull + (1ull << 32), 0x0203, gm::TrayAction::kNotOurs},  // no truncation to 32 bits
  };
  for (const Case& c : cases)
    EXPECT_EQ(gm::TrayActionOf(c.id, c.mouse), c.action) << c.id << " " << c.mouse;
}

}  // namespace
