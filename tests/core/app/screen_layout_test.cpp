#include "app/screen_layout.h"

#include <gtest/gtest.h>

namespace {

struct ScaleCase {
  int width, height;
  float scale;
};

TEST(DisplayScale, FollowsTheFullScreenArea) {
  const ScaleCase cases[] = {
      {1920, 1080, 1.0f}, {2560, 1400, 1.5f}, {3840, 2000, 2.0f},
      {1800, 1300, 1.0f},  // width must exceed 1800
      {1801, 1200, 1.0f},  // height must exceed 1200
      {1801, 1201, 1.5f}, {2400, 1700, 1.5f}, {2401, 1600, 1.5f}, {2401, 1601, 2.0f},
      {3840, 1100, 1.0f},  // wide but short screens stay at 1
      {0, 0, 1.0f},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gm::DisplayScaleFor(c.width, c.height), c.scale) << c.width << "x" << c.height;
  }
}

TEST(DisplayScale, TextScaleIsLogicalDpiOver96) {
  EXPECT_FLOAT_EQ(gm::TextScaleFor(96), 1.0f);
  EXPECT_FLOAT_EQ(gm::TextScaleFor(120), 1.25f);
  EXPECT_FLOAT_EQ(gm::TextScaleFor(144), 1.5f);
}

struct PlaceCase {
  int screenW, screenH;
  float scale;
  gm::WindowPlacement want;
};

TEST(WindowPlacement, CentresWhatFitsAndPinsWhatDoesNotToZero) {
  const PlaceCase cases[] = {
      {1920, 1080, 1.0f, {396, 170, 1127, 740}},
      {2560, 1400, 1.5f, {435, 145, 1690, 1110}},   // 1127*1.5 = 1690.5 truncated
      {3840, 2000, 2.0f, {793, 260, 2254, 1480}},
      {1024, 768, 1.0f, {0, 14, 1127, 740}},        // narrower than the window: left 0
      {1600, 700, 1.0f, {236, 0, 1127, 740}},       // shorter than the window: top 0
      {1127, 740, 1.0f, {0, 0, 1127, 740}},         // exactly as large: not wider, so 0
      {1128, 741, 1.0f, {0, 0, 1127, 740}},         // one pixel to spare: half of it truncates to 0
      {1931, 1083, 1.0f, {402, 171, 1127, 740}},    // odd remainders truncate
  };
  for (const auto& c : cases) {
    const gm::WindowPlacement p = gm::PlaceMainWindow(c.screenW, c.screenH, c.scale);
    EXPECT_EQ(p.left, c.want.left) << c.screenW << "x" << c.screenH;
    EXPECT_EQ(p.top, c.want.top) << c.screenW << "x" << c.screenH;
    EXPECT_EQ(p.width, c.want.width) << c.screenW << "x" << c.screenH;
    EXPECT_EQ(p.height, c.want.height) << c.screenW << "x" << c.screenH;
  }
}

}  // namespace
