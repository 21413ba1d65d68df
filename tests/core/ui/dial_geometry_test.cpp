#include "ui/dial_geometry.h"

#include <gtest/gtest.h>

using gm::ui::IntPoint;
using gm::ui::RateDial;

TEST(DialGeometry, SectorPointsAreOffsetScaledAndTruncated) {
  // 1000 Hz dial, sector 0 at (100, 200), scale 1.5: (74,6) (28,24) (7,74) and the centre (75,75).
  const std::vector<IntPoint> expected = {{211, 209}, {142, 236}, {110, 311}, {212, 312}};
  EXPECT_EQ(gm::ui::DialSectorPolygon(RateDial::k1000, 0, {100, 200}, 1.5), expected);
  // The 250 Hz dial's sectors are five-point fans without the centre.
  const std::vector<IntPoint> lower = {{8, 75}, {34, 126}, {74, 141}, {125, 118}, {141, 75}};
  EXPECT_EQ(gm::ui::DialSectorPolygon(RateDial::k250, 1, {0, 0}, 1.0), lower);
}

TEST(DialGeometry, SectorCountsAndMissingSectors) {
  const struct {
    RateDial dial;
    int sectors;
  } cases[] = {{RateDial::k250, 2}, {RateDial::k1000, 4}, {RateDial::k2000, 5},
               {RateDial::k4000, 6}, {RateDial::k8000, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(gm::ui::DialSectorCount(c.dial), c.sectors);
    EXPECT_FALSE(gm::ui::DialSectorPolygon(c.dial, c.sectors - 1, {0, 0}, 1).empty());
    EXPECT_TRUE(gm::ui::DialSectorPolygon(c.dial, c.sectors, {0, 0}, 1).empty());
    EXPECT_TRUE(gm::ui::DialSectorPolygon(c.dial, -1, {0, 0}, 1).empty());
  }
}

TEST(DialGeometry, PictureNamesCarryTheTopRateAndTheSectorRate) {
  EXPECT_EQ(gm::ui::DialPictureFile(RateDial::k250, -1), L"skins\\pollingRate\\250Hz.png");
  EXPECT_EQ(gm::ui::DialPictureFile(RateDial::k250, 1), L"skins\\pollingRate\\250Hz_250.png");
  EXPECT_EQ(gm::ui::DialPictureFile(RateDial::k4000, 2), L"skins\\pollingRate\\4000Hz_500.png");
  EXPECT_EQ(gm::ui::DialPictureFile(RateDial::k8000, 0), L"skins\\pollingRate\\8000Hz_125.png");
  EXPECT_EQ(gm::ui::DialPictureFile(RateDial::k8000, 6), L"skins\\pollingRate\\8000Hz_8000.png");
}

TEST(PowerDialGeometry, TrianglesShareTheCornerAndPicturesCountMinutes) {
  // Sector 7 at (81, 550), scale 2: (131,51) (134,71) and the corner (70,71).
  const std::vector<IntPoint> expected = {{343, 652}, {349, 692}, {221, 692}};
  EXPECT_EQ(gm::ui::PowerSectorPolygon(7, {81, 550}, 2.0), expected);
  const std::vector<IntPoint> first = {{3, 71}, {7, 51}, {70, 71}};
  EXPECT_EQ(gm::ui::PowerSectorPolygon(0, {0, 0}, 1.0), first);
  EXPECT_TRUE(gm::ui::PowerSectorPolygon(8, {0, 0}, 1.0).empty());
  EXPECT_EQ(gm::ui::PowerPictureFile(0), L"skins\\power_manage_3min.png");
  EXPECT_EQ(gm::ui::PowerPictureFile(7), L"skins\\power_manage_10min.png");
}
