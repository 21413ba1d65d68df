// Scroll bar, level bars, sliders, battery and progress bar: geometry through the mouse, looks
// through the pixels they draw.
#include <gtest/gtest.h>

#include "settings/environment.h"
#include "ui/gauges.h"
#include "ui/scroll_bar.h"
#include "ui/static_controls.h"
#include "ui_test_support.h"

using uitest::Notice;

namespace {

constexpr COLORREF kBack = RGB(30, 30, 30);
constexpr COLORREF kFill = RGB(0, 220, 0);

class GaugeTest : public ::testing::Test {
 protected:
  uitest::SkinFolder skins_;
  uitest::RecorderWindow owner_{skins_};
};

// Rows of column `x` of a control drawn on a fresh surface.
std::vector<COLORREF> Column(gm::win::CControlBase& c, int x, int height) {
  uitest::Surface s(200, height);
  c.Draw(s.Dc(), s.Bounds());
  std::vector<COLORREF> out;
  for (int y = 0; y < height; ++y) out.push_back(s.Pixel(x, y));
  return out;
}

}  // namespace

// Track rows 15..115 (101 rows) between two 15-row arrows.
class ScrollBarTest : public GaugeTest {
 protected:
  void SetUp() override { ASSERT_TRUE(bar_.LoadArrows()); }
  gm::win::CVScrollBar bar_{owner_, 2021, RECT{0, 0, 15, 130}};
};

TEST_F(ScrollBarTest, ThumbGeometry) {
  EXPECT_EQ(bar_.Track().top, 15);
  EXPECT_EQ(bar_.Track().bottom, 115);
  bar_.SetScroll(0, 10, 40);
  EXPECT_EQ(bar_.Thumb().top, 15);
  EXPECT_EQ(bar_.Thumb().bottom - bar_.Thumb().top + 1, 25);
  bar_.SetScroll(30, 10, 40);
  EXPECT_EQ(bar_.Thumb().top, 91);
  EXPECT_EQ(bar_.Thumb().bottom, 115);
  // Range 0 shows the thumb over the whole track and keeps the stored values.
  bar_.SetScroll(5, 10, 0);
  EXPECT_EQ(bar_.Thumb().top, 15);
  EXPECT_EQ(bar_.Thumb().bottom, 115);
  EXPECT_EQ(bar_.Range(), 40);
}

TEST_F(ScrollBarTest, PressesNameThePartUnderThePointer) {
  bar_.SetScroll(20, 10, 40);  // thumb rows 66..90
  const struct {
    int y;
    WPARAM part;
  } cases[] = {{5, 6}, {125, 7}, {70, 0}, {30, 8}, {100, 9}};
  for (const auto& c : cases) {
    owner_.notices.clear();
    bar_.OnLButtonDown(0, 7, c.y);
    ASSERT_FALSE(owner_.notices.empty());
    EXPECT_EQ(owner_.notices[0], (Notice{2021, c.part, 1})) << c.y;
    bar_.OnLButtonUp(0, 7, c.y);
  }
}

TEST_F(ScrollBarTest, DraggedThumbStopsFlushAndNotifiesOnlyChanges) {
  bar_.SetScroll(0, 10, 40);
  bar_.OnLButtonDown(0, 7, 20);  // grabbed 5 rows below the thumb's top
  ASSERT_TRUE(bar_.Dragging());
  owner_.notices.clear();
  bar_.OnMouseMove(MK_LBUTTON, 7, 21);  // 1 row: position 0 still
  EXPECT_TRUE(owner_.notices.empty());
  bar_.OnMouseMove(MK_LBUTTON, 7, 23);  // 3 rows: position 1
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{2021, 0, 3}}));
  EXPECT_EQ(bar_.Position(), 1);
  bar_.OnMouseMove(MK_LBUTTON, 7, 500);  // far past the end
  EXPECT_EQ(bar_.Thumb().bottom, 115);
  EXPECT_EQ(bar_.Thumb().top, 91);
  EXPECT_EQ(bar_.Position(), 30);
  owner_.notices.clear();
  bar_.OnMouseMove(MK_LBUTTON, 7, 600);
  EXPECT_TRUE(owner_.notices.empty());
  EXPECT_EQ(bar_.Thumb().top, 91);
  // Released outside: the drag ends, the owner is told and the thumb snaps to the position.
  bar_.OnLButtonUp(0, 7, 600);
  EXPECT_FALSE(bar_.Dragging());
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{2021, 0, 2}}));
  EXPECT_EQ(bar_.Thumb().top, 91);
  EXPECT_EQ(bar_.State(), 0);
}

TEST_F(ScrollBarTest, DragToClampsToTheControl) {
  bar_.SetScroll(30, 10, 40);
  bar_.OnLButtonDown(0, 7, 100);
  EXPECT_TRUE(bar_.DragTo(7, -300));
  EXPECT_EQ(bar_.Thumb().top, 15);
  EXPECT_EQ(bar_.Position(), 0);
}

TEST_F(ScrollBarTest, DrawsArrowsTrackAndThumb) {
  bar_.SetScroll(0, 10, 40);
  uitest::Surface s(15, 140);
  bar_.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(7, 7), RGB(200, 0, 0));     // up arrow, cell 0
  EXPECT_EQ(s.Pixel(7, 124), RGB(200, 200, 0));  // down arrow, cell 0 (one row lower)
  EXPECT_EQ(s.Pixel(0, 20), 0x1F1F1Fu);          // thumb frame
  EXPECT_EQ(s.Pixel(7, 20), 0x323232u);          // thumb body
  EXPECT_EQ(s.Pixel(7, 60), 0x101010u);          // track
  // Hovering the thumb lights its frame.
  bar_.OnMouseMove(0, 7, 20);
  uitest::Surface t(15, 140);
  bar_.Draw(t.Dc(), t.Bounds());
  EXPECT_EQ(t.Pixel(0, 20), 0xDEA035u);
  EXPECT_EQ(t.Pixel(7, 20), 0x1F1F1Fu);
}

TEST_F(GaugeTest, LevelBarFillsFromTheBottom) {
  skins_.Solid(L"skins\\bar_bg.png", 10, 100, kBack);
  skins_.Solid(L"skins\\bar_fill.png", 10, 100, kFill);
  gm::win::CDPIValueShowControl bar(owner_, 3300, {0, 0, 10, 100}, 4);
  ASSERT_TRUE(bar.SetBackgroundImage(L"skins\\bar_bg.png"));
  ASSERT_TRUE(bar.SetFillImage(L"skins\\bar_fill.png"));
  std::vector<COLORREF> col = Column(bar, 5, 100);
  EXPECT_EQ(col[73], kBack);
  EXPECT_EQ(col[77], kFill);
  EXPECT_EQ(col[99], kFill);
  bar.SetLevel(3);
  col = Column(bar, 5, 100);
  EXPECT_EQ(col[1], kFill);
  EXPECT_EQ(col[50], kFill);
}

TEST_F(GaugeTest, VerticalSliderLevelFollowsThePointer) {
  gm::win::CVerticalSliderControl slider(owner_, 3310, {0, 0, 10, 100}, 10);
  slider.OnLButtonDown(0, 5, 50);
  EXPECT_EQ(slider.Level(), 4);
  slider.OnMouseMove(MK_LBUTTON, 5, -40);  // clamped to the top
  EXPECT_EQ(slider.Level(), 9);
  slider.OnLButtonUp(0, 5, -40);
  slider.OnMouseMove(0, 5, 90);  // no longer dragging
  EXPECT_EQ(slider.Level(), 9);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3310, 0, 1}, {3310, 9, 3}}));
}

TEST_F(GaugeTest, BatteryAtZeroToThreePercentLooksTheSame) {
  skins_.Solid(L"skins\\battery_full.png", 30, 61, kFill);
  skins_.Solid(L"skins\\battery_empty.png", 30, 61, kBack);
  skins_.Solid(L"skins\\battery_charging.png", 30, 61, RGB(0, 0, 200));
  skins_.Pixels(L"skins\\battery_lighting.png", 30, 61, std::vector<uint32_t>(30 * 61, 0));  // transparent
  gm::win::CBattery battery(owner_, 3406, {0, 0, 30, 61});
  ASSERT_TRUE(battery.LoadSkin());
  std::vector<std::vector<COLORREF>> looks;
  for (int p : {0, 1, 2, 3, 4}) {
    battery.SetPercent(p);
    looks.push_back(Column(battery, 15, 61));
  }
  for (int i = 1; i < 4; ++i) EXPECT_EQ(looks[i], looks[0]) << i;
  EXPECT_NE(looks[4], looks[0]);
  EXPECT_EQ(looks[0][55], kBack);
  EXPECT_EQ(looks[0][57], kFill);  // one unit filled: rows 56..60
  battery.SetChargeState(gm::win::CBattery::kCharging);
  battery.SetAnimationLevel(100);
  const auto charging = Column(battery, 15, 61);
  EXPECT_EQ(charging[10], RGB(0, 0, 200));
  EXPECT_EQ(charging[3], RGB(0, 0, 0));  // above the fill zone nothing is drawn
}

TEST_F(GaugeTest, SliderSnapsToTheNearestStop) {
  gm::win::CSliderControl slider(owner_, 3320, {0, 0, 100, 20}, 3, 10, 10);
  ASSERT_EQ(slider.Stops(), (std::vector<int>{10, 50, 90}));
  const struct {
    int x, index;
  } cases[] = {{29, 0}, {30, 1}, {70, 2}, {99, 2}};
  for (const auto& c : cases) {
    slider.OnLButtonDown(0, c.x, 10);
    slider.OnLButtonUp(0, c.x, 10);
    EXPECT_EQ(slider.ValueIndex(), c.index) << c.x;
  }
  EXPECT_EQ(slider.KnobRect().left, 80);  // stop 90 − left margin
  EXPECT_EQ(slider.KnobRect().right, 100);
}

TEST_F(GaugeTest, SliderDragReportsTheStopOnEveryMove) {
  gm::win::CSliderControl slider(owner_, 3320, {0, 0, 100, 20}, 3, 10, 10);
  slider.SetValueIndex(0);  // knob over 0..20
  slider.OnLButtonDown(0, 12, 10);
  ASSERT_TRUE(slider.Dragging());
  slider.OnMouseMove(MK_LBUTTON, 45, 10);
  slider.OnMouseMove(MK_LBUTTON, 300, 10);
  slider.OnLButtonUp(0, 300, 10);
  EXPECT_FALSE(slider.Dragging());
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3320, 0, 1}, {3320, 1, 3}, {3320, 2, 3}}));
  // An index past the table draws at the last stop instead of reading past it.
  slider.SetValueIndex(7);
  EXPECT_EQ(slider.KnobRect().left, 80);
}

TEST_F(GaugeTest, ProgressBarShowsItsShare) {
  skins_.Solid(L"skins\\p_bg.png", 100, 10, kBack);
  skins_.Solid(L"skins\\p_bar.png", 100, 10, kFill);
  gm::win::CStaticProgressBar bar(owner_, 3002, {0, 0, 100, 10});
  ASSERT_TRUE(bar.SetNormalImage(L"skins\\p_bg.png"));
  ASSERT_TRUE(bar.SetBarImage(L"skins\\p_bar.png"));
  bar.SetBarValue(50);
  uitest::Surface s(100, 10);
  bar.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(10, 5), kFill);
  EXPECT_EQ(s.Pixel(47, 5), kFill);
  EXPECT_EQ(s.Pixel(53, 5), kBack);
  EXPECT_FALSE(bar.OnLButtonDown(0, 10, 5));
}

TEST_F(GaugeTest, ScrollBarArrowsScaleWithTheDisplay) {
  owner_.ui.context.displayScale = 1.5;
  gm::win::CVScrollBar bar(owner_, 2022, {0, 0, 22, 200});
  ASSERT_TRUE(bar.LoadArrows());
  // 15-row arrow pictures drawn 22 rows high: the track starts and ends 22 rows in, and a press
  // on the lower part of the drawn up arrow is still the up arrow.
  EXPECT_EQ(bar.Track().top, 22);
  EXPECT_EQ(bar.Track().bottom, 178);
  bar.OnLButtonDown(0, 10, 20);
  EXPECT_EQ(owner_.notices.at(0), (Notice{2022, 6, 1}));
}
