// The report-rate dials and the power dial: sector hit testing through their regions, the
// selected-rate rule and the pictures they draw.
#include <gtest/gtest.h>

#include "ui/dials.h"
#include "ui/selection_state.h"
#include "ui_test_support.h"

using uitest::Notice;

namespace {

constexpr COLORREF kBase = RGB(40, 40, 40);
COLORREF SectorColour(int k) { return RGB(10 + 30 * k, 200, 100); }

class DialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skins_.Solid(L"skins\\pollingRate\\1000Hz.png", 150, 150, kBase);
    for (int k = 0; k < 4; ++k) {
      skins_.Solid(gm::ui::DialPictureFile(gm::ui::RateDial::k1000, k), 150, 150, SectorColour(k));
    }
  }
  COLORREF Centre(gm::win::CControlBase& c) {
    uitest::Surface s(400, 200);
    c.Draw(s.Dc(), s.Bounds());
    return s.Pixel(75, 75);
  }
  void Click(gm::win::CControlBase& c, int x, int y) {
    c.OnMouseMove(0, x, y);
    c.OnLButtonDown(0, x, y);
    c.OnLButtonUp(0, x, y);
  }
  uitest::SkinFolder skins_;
  uitest::RecorderWindow owner_{skins_};
  gm::ui::Choice rate_;  // the rate code the dials share
};

}  // namespace

TEST_F(DialTest, SectorsAreHitWhereTheyLie) {
  gm::win::CPollingRate1000Button dial(owner_, 3042, {0, 0, 150, 150});
  // The middle of each quarter (125, 250, 500, 1000 Hz counter-clockwise from the top left).
  const struct {
    int x, y, sector;
  } cases[] = {{46, 44, 0}, {45, 102, 1}, {104, 101, 2}, {103, 45, 3}, {2, 2, 100}, {148, 148, 100}};
  for (const auto& c : cases) EXPECT_EQ(dial.SectorAt(c.x, c.y), c.sector) << c.x << "," << c.y;

  gm::win::CPollingRate250Button two(owner_, 3041, {0, 0, 150, 150});
  EXPECT_EQ(two.SectorAt(75, 40), 0);
  EXPECT_EQ(two.SectorAt(75, 110), 1);
  gm::win::CPollingRate8000Button eight(owner_, 3045, {0, 0, 150, 150});
  EXPECT_EQ(eight.SectorAt(96, 32), 6);
  EXPECT_EQ(eight.SectorAt(75, 122), 3);
}

TEST_F(DialTest, ClickChoosesTheHoveredSectorAndElsewhereKeepsTheRate) {
  gm::win::CPollingRate1000Button dial(owner_, 3042, {0, 0, 150, 150});
  dial.SetRateChoice(&rate_);
  EXPECT_TRUE(dial.OnMouseMove(0, 104, 101));
  EXPECT_EQ(dial.HoverSector(), 2);
  Click(dial, 104, 101);
  EXPECT_EQ(rate_.value, 2);
  // Inside the square, outside every sector, nothing hovered (the pointer came from outside): the
  // rate stays, the owner is told.
  dial.OnMouseMove(0, 300, 300);
  Click(dial, 2, 2);
  EXPECT_EQ(dial.HoverSector(), 100);
  EXPECT_EQ(rate_.value, 2);
  const Notice press{3042, 0, 1}, click{3042, 0, 2};
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{press, click, press, click}));
  // Released outside the dial: nothing.
  dial.OnLButtonDown(0, 46, 44);
  dial.OnLButtonUp(0, 300, 300);
  EXPECT_EQ(rate_.value, 2);
  EXPECT_EQ(dial.State(), 0);
}

TEST_F(DialTest, DrawsBaseSelectedAndHoveredSectors) {
  gm::win::CPollingRate1000Button dial(owner_, 3042, {0, 0, 150, 150});
  ASSERT_TRUE(dial.LoadSkin());
  dial.SetRateChoice(&rate_);
  rate_.value = 3;
  EXPECT_EQ(Centre(dial), SectorColour(3));
  dial.OnMouseMove(0, 46, 44);
  EXPECT_EQ(Centre(dial), SectorColour(0));  // hover drawn last
  dial.OnMouseMove(0, 300, 300);
  rate_.value = 5;  // a rate this dial does not have: only the base
  EXPECT_EQ(Centre(dial), kBase);
}

TEST_F(DialTest, PicturesAreDecodedOnlyOnceDrawnAndMissingOnesFailAtOnce) {
  const auto& pictures = owner_.ui.context.pictures;
  gm::win::CPollingRate1000Button dial(owner_, 3042, {0, 0, 150, 150});
  ASSERT_TRUE(dial.LoadSkin());
  EXPECT_EQ(pictures.HeldCount(), 0u);  // a dial never drawn holds no picture
  dial.SetRateChoice(&rate_);
  rate_.value = 1;
  EXPECT_EQ(Centre(dial), SectorColour(1));
  EXPECT_EQ(pictures.HeldCount(), 2u);  // the base and the chosen sector
  dial.ReleaseImages();
  EXPECT_EQ(pictures.HeldCount(), 0u);
  EXPECT_EQ(Centre(dial), RGB(0, 0, 0));  // released: draws nothing
  // A dial whose pictures are missing says so when it loads them, as before.
  gm::win::CPollingRate8000Button other(owner_, 3043, {0, 0, 150, 150});
  EXPECT_FALSE(other.LoadSkin());
  EXPECT_EQ(Centre(other), RGB(0, 0, 0));
}

TEST_F(DialTest, RegionsMoveOnlyWhenRebuilt) {
  gm::win::CPollingRate1000Button dial(owner_, 3042, {0, 0, 150, 150});
  dial.SetRect({200, 0, 350, 150});
  EXPECT_EQ(dial.SectorAt(304, 101), 100);
  EXPECT_EQ(dial.SectorAt(104, 101), 2);
  dial.BuildRegions();
  EXPECT_EQ(dial.SectorAt(304, 101), 2);
  EXPECT_EQ(dial.SectorAt(104, 101), 100);
}

TEST_F(DialTest, PowerDialValuesAndPictures) {
  for (int k = 0; k < 8; ++k) skins_.Solid(gm::ui::PowerPictureFile(k), 140, 84, SectorColour(k));
  gm::win::CPowerManageButton power(owner_, 3500, {0, 0, 140, 84});
  ASSERT_TRUE(power.LoadSkin());
  EXPECT_EQ(power.Value(), 6);
  EXPECT_EQ(power.Sector(), 0);
  Click(power, 120, 65);  // the last sector: 10 minutes
  EXPECT_EQ(power.Value(), 8);
  EXPECT_EQ(power.Sector(), 7);
  EXPECT_EQ(Centre(power), SectorColour(7));
  EXPECT_EQ(owner_.notices.back(), (Notice{3500, 0, 2}));
  power.SetValue(9);
  EXPECT_EQ(power.Value(), 9);
  EXPECT_EQ(Centre(power), SectorColour(7));  // the picture stays
  power.SetValue(3);
  EXPECT_EQ(power.Sector(), 2);
  // Released inside the control but in no sector: nothing changes, nothing is sent.
  owner_.notices.clear();
  power.OnLButtonDown(0, 5, 5);
  power.OnLButtonUp(0, 5, 5);
  EXPECT_EQ(power.Value(), 3);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3500, 0, 1}}));
  Click(power, 20, 65);
  EXPECT_EQ(power.Value(), 1);
}
