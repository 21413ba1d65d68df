#include "app/palette_pick.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

TEST(PalettePickTest, OnlyPointsInsideTheTwoAreasPickAtAnyScale) {
  const struct {
    int x, y;
    bool inside;
  } cases[] = {
      {18, 26, true},   {222, 270, true},  {17, 100, false}, {223, 100, false}, {100, 271, false},
      {244, 26, true},  {473, 190, true},  {474, 100, false}, {300, 191, false}, {233, 100, false},
      {300, 230, false},  // the swatch is not a pick area
  };
  for (double scale : {1.0, 1.5, 2.0}) {
    for (const auto& c : cases) {
      // The window pixel at the centre of the picture pixel.
      const auto point =
          PalettePickPoint(static_cast<int>((c.x + 0.5) * scale), static_cast<int>((c.y + 0.5) * scale), scale);
      EXPECT_EQ(point.has_value(), c.inside) << c.x << "," << c.y << " at " << scale;
      if (point) {
        EXPECT_EQ(point->x, c.x);  // the same picture point at every scale
        EXPECT_EQ(point->y, c.y);
      }
    }
  }
  EXPECT_FALSE(PalettePickPoint(100, 100, 0.0));
}

TEST(PalettePickTest, TheBackgroundColourIsNeverTaken) {
  EXPECT_FALSE(PickedColour(15, 15, 15));
  EXPECT_EQ(PickedColour(15, 15, 16), MakeColour(15, 15, 16));
  EXPECT_EQ(PickedColour(0, 0, 0), MakeColour(0, 0, 0));
}

}  // namespace
}  // namespace gm
