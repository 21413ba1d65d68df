// The main window shows the current profile: every control the layout creates takes its value from
// the model (RefreshFromProfile); nothing here changes the model.
#include <algorithm>

#include "app/talvin_dlg.h"
#include "settings/language.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/combo_button.h"
#include "ui/dials.h"
#include "ui/gauges.h"
#include "ui/selector_buttons.h"
#include "ui/static_controls.h"

namespace {

constexpr COLORREF kCurrentStageText = 0x0000FF;  // red
constexpr COLORREF kStageText = 0xB4B4B4;

}  // namespace

void CTalvinDlg::RefreshFromProfile() {
  if (controls_) RefreshControls(*controls_);
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CTalvinDlg::RefreshControls(const gm::win::MainControls& controls) {
  const int slot = std::clamp<int>(state_->currentProfile, 0, gm::kProfileCount - 1);
  const gm::ProfileRecord& record = state_->profiles[static_cast<size_t>(slot)];

  for (size_t i = 0; i < controls.combos.size(); ++i) controls.combos[i]->SetCaption(record.KeyAssignments[i].KeyName);

  const int current = record.CurrentDPILevelValue;
  controller_->SetCurrentDpiStage(current);
  for (int i = 0; i < gm::kShownDpiStages; ++i) {
    const auto at = static_cast<size_t>(i);
    const bool enabled = (record.DPIOffOnFlagValue >> i & 1) != 0;
    const int position = record.XYSettingValueX[at];
    controls.stageChecks[at]->SetChecked(enabled);
    gm::win::CDPIRadioButton& stage = *controls.stageButtons[at];
    stage.SetDpiStep(gm::DpiOfPosition(state_->sensor, position) / 50);
    stage.SetDisabled(!enabled);
    stage.SetTextColour(i == current ? kCurrentStageText : kStageText);
    controls.stageColours[at]->SetColour(record.DPILevelIndication[at]);
    controls.stageBars[at]->SetLevel(position);
  }

  RefreshReportRate(controls, record.PollingRateValue[0]);

  // Lift-off distance: 1 and 2 select the lower radios, anything else the first.
  const int lift = gm::SettingNumber(record, gm::kLiftDetectionHeight);
  selection_.SelectRadio(lift == 1   ? gm::kControlLiftRadio1
                         : lift == 2 ? gm::kControlLiftRadio2
                                     : gm::kControlLiftRadioExtra);
  controls.liftRadioExtra->SetVisible(state_->sensor.showsExtraOption);
  controls.liftTextExtra->SetVisible(state_->sensor.showsExtraOption);

  const int options[3] = {gm::kAngleSnap, gm::kMotionSync, gm::kRippleControl};
  for (size_t i = 0; i < controls.sensorChecks.size(); ++i)
    controls.sensorChecks[i]->SetChecked(gm::SettingNumber(record, options[i]) > 0);

  const int power = gm::SettingNumber(record, gm::kPowerDownTime);
  controls.powerSaving->SetValue(power);
  controls.powerLabel->SetLabel(state_->texts[266] + std::to_wstring(power) + state_->texts[267]);
}

// One picture dial by the rate capability, one centre text by the selected code. A BLE link
// without rate choice closes the section and disables its header.
void CTalvinDlg::RefreshReportRate(const gm::win::MainControls& controls, int rateCode) {
  selection_.SetRateCode(rateCode);
  const auto dial = gm::RatePictureFor(controller_->Session().Status().RateCapability);
  for (size_t i = 0; i < controls.rateDials.size(); ++i)
    controls.rateDials[i]->SetVisible(dial && *dial == gm::kControlRateDial250 + static_cast<int>(i));
  const int text = gm::RateCentreTextFor(rateCode);
  for (size_t i = 0; i < controls.rateTexts.size(); ++i)
    controls.rateTexts[i]->SetVisible(dial && text == gm::kControlRateTextFirst + static_cast<int>(i));
  sections_.SetRateChoiceAvailable(dial.has_value(), state_->sensor);
}

// The sensor decides the lift-off header and the stage bars' level count.
void CTalvinDlg::FollowSensor() {
  if (controls_) {
    controls_->Header(gm::Section::kLift).SetVisible(state_->sensor.hasLiftSetting);
    for (gm::win::CLevelBar* bar : controls_->stageBars) bar->SetLevelCount(static_cast<int>(state_->sensor.count));
  }
  ApplySectionLayout();
  RefreshFromProfile();
}
