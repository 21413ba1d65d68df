#include "ui/gauge_geometry.h"

#include <gtest/gtest.h>

using gm::ui::VerticalCut;

TEST(LevelBar, FillsFromTheBottomInProportionToTheLevel) {
  // A 132-row bar at rows 75..207 with a 132-row picture, four levels.
  EXPECT_EQ(gm::ui::LevelBarCut(75, 207, 0, 4, 132, 1.0), (VerticalCut{174, 99}));  // one quarter
  EXPECT_EQ(gm::ui::LevelBarCut(75, 207, 3, 4, 132, 1.0), (VerticalCut{75, 0}));    // full
  // Out-of-range inputs stay within the bar and the picture.
  EXPECT_EQ(gm::ui::LevelBarCut(75, 207, 9, 4, 132, 1.0), (VerticalCut{75, 0}));
  EXPECT_EQ(gm::ui::LevelBarCut(75, 207, 0, 0, 132, 1.0), (VerticalCut{207, 132}));
  EXPECT_EQ(gm::ui::LevelBarCut(75, 207, -3, 4, 132, 1.0), (VerticalCut{207, 132}));
}

TEST(LevelBar, OddFillAtFractionalScaleStartsOneRowHigher) {
  // 198 rows at scale 1.5: a quarter is 49 rows (odd), so drawing starts at 148, not 149;
  // source row ⌊132 − 50 / 1.5⌋ = 98.
  EXPECT_EQ(gm::ui::LevelBarCut(0, 198, 0, 4, 132, 1.5), (VerticalCut{148, 98}));
  // At scale 1 the odd fill is kept.
  EXPECT_EQ(gm::ui::LevelBarCut(0, 99, 0, 3, 99, 1.0), (VerticalCut{66, 66}));
}

TEST(Battery, LowPercentagesDrawOneUnitAndHighOnesTheWholeZone) {
  // Gauge rows 433..494 with a 61-row picture at scale 1.
  for (int p : {0, 1, 2, 3}) EXPECT_EQ(gm::ui::BatteryCut(433, 494, p, 61, 1.0), (VerticalCut{489, 56})) << p;
  EXPECT_EQ(gm::ui::BatteryCut(433, 494, 4, 61, 1.0), (VerticalCut{488, 55}));
  EXPECT_EQ(gm::ui::BatteryCut(433, 494, 100, 61, 1.0), (VerticalCut{440, 7}));
  EXPECT_EQ(gm::ui::BatteryCut(433, 494, 255, 61, 1.0), (VerticalCut{440, 7}));  // never above the zone
}

TEST(Battery, ScaledCuts) {
  EXPECT_EQ(gm::ui::BatteryCut(866, 988, 50, 61, 2.0), (VerticalCut{930, 32}));
  // Scale 1.5, full: 7 × 1.5 = 10 rows down, 81 rows left (odd) so one row higher.
  EXPECT_EQ(gm::ui::BatteryCut(0, 91, 100, 61, 1.5), (VerticalCut{9, 6}));
}

TEST(Battery, ReadingsLookAlikeOnlyWhenTheGaugeDrawsTheSamePicture) {
  using gm::ui::BatteryReading;
  const struct {
    BatteryReading a, b;
    bool alike;
  } cases[] = {
      // Not charging: the percentage decides, through the fill rows (0..3 % all fill one unit).
      {{25, 60, 0}, {100, 60, 0}, true},
      {{25, 60, 0}, {25, 62, 0}, false},
      {{25, 0, 0}, {25, 3, 0}, true},
      {{25, 100, 0}, {25, 180, 0}, true},
      // Charging: the animation level decides, the percentage does not.
      {{25, 60, 1}, {25, 10, 1}, true},
      {{25, 60, 1}, {50, 60, 1}, false},
      // Full: nothing but the state.
      {{25, 60, 2}, {100, 10, 2}, true},
      // A change of charge state always shows.
      {{25, 60, 0}, {25, 60, 1}, false},
      {{25, 100, 2}, {25, 100, 0}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gm::ui::BatteryLooksAlike(c.a, c.b), c.alike)
        << c.a.animationLevel << "/" << c.a.percent << "/" << c.a.charge << " vs " << c.b.animationLevel << "/"
        << c.b.percent << "/" << c.b.charge;
    EXPECT_EQ(gm::ui::BatteryLooksAlike(c.b, c.a), c.alike);
  }
}

TEST(VerticalSlider, LevelFromPointerRow) {
  const struct {
    int y, level;
  } cases[] = {{100, 0}, {91, 0}, {89, 1}, {50, 4}, {1, 9}, {0, 9}};
  for (const auto& c : cases) EXPECT_EQ(gm::ui::VerticalSliderLevel(0, 100, c.y, 10), c.level) << c.y;
  EXPECT_EQ(gm::ui::VerticalSliderLevel(40, 40, 40, 10), 0);  // no height
}

TEST(Slider, StopsAndNearestStop) {
  const std::vector<int> stops = gm::ui::SliderStops(0, 100, 3, 10, 10);
  EXPECT_EQ(stops, (std::vector<int>{10, 50, 90}));
  const struct {
    int x, stop;
  } cases[] = {{-40, 0}, {29, 0}, {30, 1}, {69, 1}, {70, 2}, {500, 2}};
  for (const auto& c : cases) EXPECT_EQ(gm::ui::NearestStop(stops, c.x), c.stop) << c.x;

  EXPECT_EQ(gm::ui::SliderStops(100, 207, 5, 5, 7), (std::vector<int>{105, 128, 152, 176, 200}));
  EXPECT_EQ(gm::ui::SliderStops(100, 207, 1, 5, 7), (std::vector<int>{105}));
  EXPECT_TRUE(gm::ui::SliderStops(100, 207, 0, 5, 7).empty());
  EXPECT_EQ(gm::ui::NearestStop({}, 50), 0);
}

TEST(ProgressAndSwatch, ColumnsAndInset) {
  EXPECT_EQ(gm::ui::ProgressColumns(10, 100, 200), 20);
  EXPECT_EQ(gm::ui::ProgressColumns(150, 100, 200), 200);
  EXPECT_EQ(gm::ui::ProgressColumns(-5, 100, 200), 0);
  EXPECT_EQ(gm::ui::ProgressColumns(5, 0, 200), 0);
  EXPECT_EQ(gm::ui::SwatchInset({10, 20, 40, 50}, 1.5), (gm::ui::IntRect{14, 24, 35, 45}));
}
