#include "app/view_repaint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "app/main_layout.h"
#include "app/reset_model.h"

namespace gm {
namespace {

// The view of a reset profile: every stage of the row shown, a rate dial, the extra lift choice.
MainView ShownView() {
  const std::unique_ptr<SettingsModel> model = test::MakeResetModel();
  return ViewFromProfile(*model, 8);
}

TEST(ViewRepaintTest, TheFirstViewAndAReportRateSectionThatOpensOrClosesPaintEverything) {
  const MainView shown = ShownView();
  ASSERT_TRUE(shown.ratePicture);
  EXPECT_TRUE(RepaintForView(nullptr, shown).wholeWindow);

  MainView withoutRate = shown;
  withoutRate.ratePicture.reset();
  EXPECT_TRUE(RepaintForView(&shown, withoutRate).wholeWindow);
  EXPECT_TRUE(RepaintForView(&withoutRate, shown).wholeWindow);
}

TEST(ViewRepaintTest, TheViewAlreadyShownPaintsNothing) {
  const MainView shown = ShownView();
  MainView same = shown;
  same.hidden.pointerSpeed += 3;  // the hidden controls are never drawn
  same.stages[7].colour ^= 0xFF;  // neither is a stage beyond the six of the row
  const ViewRepaint repaint = RepaintForView(&shown, same);
  EXPECT_FALSE(repaint.wholeWindow);
  EXPECT_TRUE(repaint.controls.empty());
}

// Each change to the shown view, and exactly the controls that must be painted again for it.
TEST(ViewRepaintTest, EachChangePaintsTheControlsThatShowIt) {
  const MainView shown = ShownView();
  const int otherDial = *shown.ratePicture == kControlRateDial250 ? kControlRateDial1000 : kControlRateDial250;
  const int otherText = shown.rateCentreText == kControlRateTextFirst ? kControlRateTextLast : kControlRateTextFirst;
  std::vector<int> wholeRow;  // every check and every stage button of the row
  for (int first : {kControlStageCheckFirst, kControlStageButtonFirst})
    for (int i = 0; i < kShownDpiStages; ++i) wholeRow.push_back(first + i);
  struct Case {
    const char* name;
    std::function<void(MainView&)> change;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"caption of key 4", [](MainView& v) { v.comboCaptions[3] = L"Macro"; }, {kControlKeyComboFirst + 3}},
      {"DPI of stage 3", [](MainView& v) { v.stages[2].dpi += 100; }, {kControlStageButtonFirst + 2}},
      {"text colour of stage 1", [](MainView& v) { v.stages[0].textColour ^= 0xFF; }, {kControlStageButtonFirst}},
      {"colour of stage 2", [](MainView& v) { v.stages[1].colour ^= 0xFF; }, {kControlStageColourFirst + 1}},
      {"bar of stage 6", [](MainView& v) { v.stages[5].x += 1; }, {kControlStageBarFirst + 5}},
      {"Y only of stage 6", [](MainView& v) { v.stages[5].y += 1; }, {}},
      {"current stage", [](MainView& v) { v.currentStage = 0; }, wholeRow},
      {"enabled stages", [](MainView& v) { v.stageChecks ^= 0x08; }, wholeRow},
      {"rate code", [](MainView& v) { v.rateCode = (v.rateCode + 1) % 7; }, {*shown.ratePicture}},
      {"rate dial", [&](MainView& v) { v.ratePicture = otherDial; }, {std::min(otherDial, *shown.ratePicture),
                                                                     std::max(otherDial, *shown.ratePicture)}},
      {"rate centre text", [&](MainView& v) { v.rateCentreText = otherText; },
       {std::min(otherText, shown.rateCentreText), std::max(otherText, shown.rateCentreText)}},
      {"lift choice", [](MainView& v) { v.lift = LiftChoice::kOne; },
       {kControlLiftRadioExtra, kControlLiftRadio1, kControlLiftRadio2}},
      {"extra lift choice hidden", [](MainView& v) { v.liftExtraShown = false; },
       {kControlLiftRadioExtra, kControlLiftTextExtra}},
      {"motion sync", [](MainView& v) { v.sensorChecks[1] = !v.sensorChecks[1]; }, {kControlMotionSyncCheck}},
      {"power value and its label",
       [](MainView& v) {
         v.powerValue = 5;
         v.powerLabel = L"5";
       },
       {kControlPowerLabel, kControlPowerSaving}},
  };
  for (const Case& c : cases) {
    MainView next = shown;
    c.change(next);
    const ViewRepaint repaint = RepaintForView(&shown, next);
    EXPECT_FALSE(repaint.wholeWindow) << c.name;
    EXPECT_EQ(repaint.controls, c.expected) << c.name;
  }
}

// Two changes at once name each control once, in ascending order.
TEST(ViewRepaintTest, ControlsNamedTwiceArePaintedOnce) {
  const MainView shown = ShownView();
  MainView next = shown;
  next.lift = LiftChoice::kOne;
  next.liftExtraShown = !shown.liftExtraShown;
  next.comboCaptions[5] = L"x";
  next.comboCaptions[0] = L"y";
  EXPECT_EQ(RepaintForView(&shown, next).controls,
            (std::vector<int>{kControlKeyComboFirst, kControlKeyComboFirst + 5, kControlLiftRadioExtra,
                              kControlLiftRadio1, kControlLiftRadio2, kControlLiftTextExtra}));
}

}  // namespace
}  // namespace gm
