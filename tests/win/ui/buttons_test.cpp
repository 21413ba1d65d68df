// Buttons driven with mouse events as the dialog routes them, their events recorded by a test
// host, and looks read back from the pixels the controls draw.
#include <gtest/gtest.h>

#include <memory>

#include "ui/control_table.h"
#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/combo_button.h"
#include "ui/selection_state.h"
#include "ui/selector_buttons.h"
#include "ui_test_support.h"

using uitest::Notice;

namespace {

constexpr COLORREF kNormal = RGB(10, 20, 30);
constexpr COLORREF kHover = RGB(40, 50, 60);
constexpr COLORREF kChecked = RGB(70, 80, 90);

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skins_.Solid(L"skins\\nr.png", 20, 20, kNormal);
    skins_.Solid(L"skins\\ov.png", 20, 20, kHover);
    skins_.Solid(L"skins\\dn.png", 20, 20, kChecked);
  }
  template <typename T>
  void LoadThree(T& c) {
    ASSERT_TRUE(c.SetNormalImage(L"skins\\nr.png"));
    ASSERT_TRUE(c.SetHoverImage(L"skins\\ov.png"));
    ASSERT_TRUE(c.SetPressedImage(L"skins\\dn.png"));
  }
  // Colour of the centre of `c` once drawn on a fresh surface.
  COLORREF Look(gm::win::CControlBase& c) {
    uitest::Surface s(200, 200);
    c.Draw(s.Dc(), s.Bounds());
    const RECT r = c.GetRect();
    return s.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  uitest::SkinFolder skins_;
  uitest::RecorderWindow owner_{skins_};
};

}  // namespace

TEST_F(ButtonTest, CheckBoxTogglesBeforeTheOwnerIsTold) {
  gm::win::CCheckButton box(owner_, 3540, {10, 10, 30, 30});
  LoadThree(box);
  int checkedWhenClicked = -1;
  owner_.onNotice = [&](const Notice& n) {
    if (n.lParam == 2) checkedWhenClicked = box.Checked();
  };
  EXPECT_TRUE(box.OnLButtonDown(0, 15, 15));
  EXPECT_TRUE(box.OnLButtonUp(0, 15, 15));
  EXPECT_EQ(checkedWhenClicked, 1);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3540, 0, 1}, {3540, 0, 2}}));
  EXPECT_EQ(Look(box), kChecked);
  // A second click unchecks it; it is hovered, so it draws the hover picture.
  box.OnLButtonDown(0, 15, 15);
  box.OnLButtonUp(0, 15, 15);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(Look(box), kHover);
}

TEST_F(ButtonTest, CheckBoxPressInsideReleaseOutsideDoesNothing) {
  gm::win::CCheckButton box(owner_, 3540, {10, 10, 30, 30});
  LoadThree(box);
  box.OnLButtonDown(0, 15, 15);
  EXPECT_EQ(Look(box), kChecked);  // held down: the checked look
  box.OnLButtonUp(0, 100, 100);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(box.State(), 0);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3540, 0, 1}}));
  EXPECT_EQ(Look(box), kNormal);
}

TEST_F(ButtonTest, DisabledOrPicturelessControlsStayInert) {
  gm::win::CCheckButton box(owner_, 3540, {10, 10, 30, 30});
  box.SetDisabled(true);
  EXPECT_FALSE(box.OnMouseMove(0, 15, 15));
  EXPECT_FALSE(box.OnLButtonDown(0, 15, 15));
  EXPECT_FALSE(box.OnLButtonUp(0, 15, 15));
  EXPECT_TRUE(owner_.notices.empty());
  EXPECT_FALSE(box.Checked());
  // Without a normal picture nothing is drawn, caption included.
  box.SetText(L"caption");
  EXPECT_FALSE(box.SetNormalImage(L"skins\\missing.png"));
  EXPECT_EQ(Look(box), RGB(0, 0, 0));
}

TEST_F(ButtonTest, RadioClickSelectsItInItsGroupOnly) {
  gm::ui::RadioGroup group{3035, 3036};
  gm::ui::RadioGroup other{3510, 3511};
  other.Select(3511);
  group.Select(3035);
  std::unique_ptr<gm::win::CRadioButton> radios[2];
  radios[0] = std::make_unique<gm::win::CRadioButton>(owner_, 3035, RECT{10, 10, 30, 30});
  radios[1] = std::make_unique<gm::win::CRadioButton>(owner_, 3036, RECT{40, 10, 60, 30});
  for (auto& r : radios) {
    LoadThree(*r);
    r->SetGroup(&group);
  }
  EXPECT_EQ(Look(*radios[0]), kChecked);
  radios[1]->OnLButtonDown(0, 45, 15);
  radios[1]->OnLButtonUp(0, 45, 15);
  EXPECT_EQ(group.Selected(), 3036u);
  EXPECT_EQ(other.Selected(), 3511u);
  EXPECT_EQ(Look(*radios[0]), kNormal);
  EXPECT_EQ(Look(*radios[1]), kChecked);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3036, 0, 1}, {3036, 0, 2}}));
  // Without a group a radio only reports the click.
  gm::win::CRadioButton loose(owner_, 3037, {70, 10, 90, 30});
  LoadThree(loose);
  loose.OnLButtonDown(0, 75, 15);
  loose.OnLButtonUp(0, 75, 15);
  EXPECT_FALSE(loose.Selected());
  EXPECT_EQ(group.Selected(), 3036u);
}

TEST_F(ButtonTest, DpiStageClickSelectsEveryLowerStage) {
  gm::ui::StageSelection row;
  std::vector<std::unique_ptr<gm::win::CDPIRadioButton>> stages;
  for (int i = 0; i < 6; ++i) {
    stages.push_back(std::make_unique<gm::win::CDPIRadioButton>(owner_, 3290 + i, RECT{10 + 30 * i, 10, 30 + 30 * i, 60}));
    LoadThree(*stages.back());
    stages.back()->SetStage(&row, i + 1);
  }
  stages[2]->OnLButtonDown(0, 75, 40);
  stages[2]->OnLButtonUp(0, 75, 40);
  EXPECT_EQ(row.Mask(), 0x07);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(stages[i]->Selected(), i < 3) << i;
  stages[3]->OnMouseMove(0, 0, 0);
  EXPECT_EQ(Look(*stages[3]), kNormal);
  stages[0]->OnLButtonDown(0, 15, 40);
  stages[0]->OnLButtonUp(0, 15, 40);
  EXPECT_EQ(row.Mask(), 0x01);
  EXPECT_EQ(Look(*stages[1]), kNormal);
  EXPECT_EQ(Look(*stages[0]), kChecked);
}

TEST_F(ButtonTest, ComboEntersFiveTimesThenWaitsForALeave) {
  gm::win::CComboButton combo(owner_, 2013, {10, 10, 100, 30}, L"Left");
  for (int i = 0; i < 8; ++i) combo.OnMouseMove(0, 20 + i, 20);
  const Notice enter{2013, 0, 4};
  EXPECT_EQ(owner_.notices, std::vector<Notice>(5, enter));
  combo.OnMouseMove(0, 150, 150);
  EXPECT_EQ(owner_.notices.back(), (Notice{2013, 0, 5}));
  owner_.notices.clear();
  combo.OnMouseMove(0, 20, 20);
  EXPECT_EQ(owner_.notices, std::vector<Notice>(1, enter));
  // With its popup open, leaving is not reported.
  combo.SetOpen(true);
  combo.OnMouseMove(0, 150, 150);
  EXPECT_EQ(owner_.notices.size(), 1u);
}

TEST_F(ButtonTest, ComboPressAndClickNoticesUnlessInert) {
  gm::win::CComboButton combo(owner_, 2014, {10, 10, 100, 30}, L"Right");
  combo.OnLButtonDown(0, 20, 20);
  combo.OnLButtonUp(0, 20, 20);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{2014, 0, 1}, {2014, 0, 2}}));
  owner_.notices.clear();
  combo.SetInert(true);
  combo.OnLButtonDown(0, 20, 20);
  combo.OnLButtonUp(0, 20, 20);
  EXPECT_TRUE(owner_.notices.empty());
  EXPECT_EQ(combo.State(), 1);
}

TEST_F(ButtonTest, PointerMoveReportingButtonReportsMovesButNotWhileHeld) {
  gm::win::CImageButton button(owner_, 3502, {10, 10, 80, 30});
  button.SetBehaviour(gm::ui::kReportsPointerMoves);
  button.OnMouseMove(0, 20, 20);
  button.OnMouseMove(0, 21, 20);
  button.OnMouseMove(0, 200, 200);  // outside: nothing
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3502, 0, 12}, {3502, 0, 12}}));
  owner_.notices.clear();
  button.OnLButtonDown(0, 20, 20);
  button.OnMouseMove(0, 22, 20);
  button.OnLButtonUp(0, 22, 20);
  // Press, then the click carries the id in wParam.
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3502, 0, 1}, {3502, 3502, 2}}));
}

TEST_F(ButtonTest, ImageButtonWithOtherIdSendsNoHoverNotice) {
  gm::win::CImageButton button(owner_, 2001, {10, 10, 80, 30});
  LoadThree(button);
  EXPECT_TRUE(button.OnMouseMove(0, 20, 20));
  EXPECT_FALSE(button.OnMouseMove(0, 21, 20));  // still hovered: no repaint
  EXPECT_TRUE(owner_.notices.empty());
  EXPECT_EQ(Look(button), kHover);
}

TEST_F(ButtonTest, LinkReportsEnterAndLeaveOnce) {
  gm::win::CLinkButton link(owner_, 3503, {10, 10, 100, 30}, L"www.example.com");
  link.OnMouseMove(0, 20, 20);
  link.OnMouseMove(0, 30, 20);
  link.OnMouseMove(0, 300, 20);
  link.OnMouseMove(0, 310, 20);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3503, 0, 4}, {3503, 0, 5}}));
}

TEST_F(ButtonTest, ColourSwatchesFillTheirAreas) {
  gm::win::CColorSelectButton swatch(owner_, 3270, {0, 0, 100, 100}, {10, 10, 20, 20});
  swatch.SetColour(RGB(1, 2, 3));
  swatch.SetRect({50, 50, 90, 90});  // the swatch does not follow
  uitest::Surface s(200, 200);
  swatch.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(15, 15), RGB(1, 2, 3));
  EXPECT_EQ(s.Pixel(60, 60), RGB(0, 0, 0));

  gm::win::CColorSelectCheckButton framed(owner_, 3600, {100, 100, 120, 120});
  LoadThree(framed);
  framed.SetColour(RGB(200, 0, 100));
  framed.SetChecked(true);
  uitest::Surface t(200, 200);
  framed.Draw(t.Dc(), t.Bounds());
  EXPECT_EQ(t.Pixel(101, 101), kChecked);         // the frame, checked picture
  EXPECT_EQ(t.Pixel(103, 103), RGB(200, 0, 100));  // 3 units in
  EXPECT_EQ(t.Pixel(116, 116), RGB(200, 0, 100));
  EXPECT_EQ(t.Pixel(117, 117), kChecked);
  EXPECT_TRUE(framed.OnLButtonDblClk(0, 110, 110));
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{3600, 0, 10}}));
}
