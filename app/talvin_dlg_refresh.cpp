// The main window shows the current profile: every control the layout creates takes its value from
// the model (RefreshFromProfile); nothing here changes the model.
#include "app/talvin_dlg.h"

#include <algorithm>

#include "settings/language.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/combo_button.h"
#include "ui/dials.h"
#include "ui/gauges.h"
#include "ui/selection_state.h"
#include "ui/selector_buttons.h"
#include "ui/static_controls.h"

namespace {

constexpr int kShownDpiStages = 6;
constexpr COLORREF kCurrentStageText = 0x0000FF;  // red
constexpr COLORREF kStageText = 0xB4B4B4;

template <typename T>
T* ControlAs(const CTalvinDlg& dlg, int id) {
  return static_cast<T*>(dlg.GetControl(static_cast<UINT>(id)));
}

}  // namespace

void CTalvinDlg::RefreshControls() {
  const int slot = std::clamp<int>(state_->currentProfile, 0, gm::kProfileCount - 1);
  const gm::ProfileRecord& record = state_->profiles[static_cast<size_t>(slot)];

  for (int i = 0; i < gm::kButtonCount; ++i)
    if (auto* combo = ControlAs<gm::win::CComboButton>(*this, 2013 + i))
      combo->SetCaption(record.KeyAssignments[static_cast<size_t>(i)].KeyName);

  const int current = record.CurrentDPILevelValue;
  controller_->SetCurrentDpiStage(current);
  for (int i = 0; i < kShownDpiStages; ++i) {
    const bool enabled = (record.DPIOffOnFlagValue >> i & 1) != 0;
    const int position = record.XYSettingValueX[static_cast<size_t>(i)];
    if (auto* check = ControlAs<gm::win::CCheckButton>(*this, 3260 + i)) check->SetChecked(enabled);
    if (auto* stage = ControlAs<gm::win::CDPIRadioButton>(*this, 3290 + i)) {
      stage->SetDpiStep(gm::DpiOfPosition(state_->sensor, position) / 50);
      stage->SetDisabled(!enabled);
      stage->SetTextColour(i == current ? kCurrentStageText : kStageText);
    }
    if (auto* colour = ControlAs<gm::win::CColorSelectButton>(*this, 3270 + i))
      colour->SetColour(record.DPILevelIndication[static_cast<size_t>(i)]);
    if (auto* bar = ControlAs<gm::win::CLevelBar>(*this, 3300 + i)) bar->SetLevel(position);
  }

  RefreshReportRate(record.PollingRateValue[0]);

  // Lift-off distance: 1 and 2 select the lower radios, anything else the first.
  const int lift = gm::SettingNumber(record, gm::kLiftDetectionHeight);
  selection_.SelectRadio(lift == 1 ? 3510u : lift == 2 ? 3511u : 3509u);
  for (int id : {3509, 3519})
    if (auto* c = GetControl(static_cast<UINT>(id))) c->SetVisible(state_->sensor.showsExtraOption);

  const int options[3] = {gm::kAngleSnap, gm::kMotionSync, gm::kRippleControl};
  for (int i = 0; i < 3; ++i)
    if (auto* check = ControlAs<gm::win::CCheckButton>(*this, 3540 + i))
      check->SetChecked(gm::SettingNumber(record, options[i]) > 0);

  const int power = gm::SettingNumber(record, gm::kPowerDownTime);
  if (auto* dial = ControlAs<gm::win::CPowerManageButton>(*this, gm::kControlPowerSaving)) dial->SetValue(power);
  if (auto* label = ControlAs<gm::win::CStaticText>(*this, 3407))
    label->SetLabel(state_->texts[266] + std::to_wstring(power) + state_->texts[267]);
}

// One picture button by the rate capability, one centre text by the selected code. A BLE link
// without rate choice closes the section and disables its header.
void CTalvinDlg::RefreshReportRate(int rateCode) {
  selection_.SetRateCode(rateCode);
  const auto dial = gm::RatePictureFor(controller_->Session().Status().RateCapability);
  for (int id = 3041; id <= 3045; ++id)
    if (auto* c = GetControl(static_cast<UINT>(id))) c->SetVisible(dial && *dial == id);
  const int text = gm::RateCentreTextFor(rateCode);
  for (int id = 3142; id <= 3145; ++id)
    if (auto* c = GetControl(static_cast<UINT>(id))) c->SetVisible(dial && id == text);
  auto* header = GetControl(static_cast<UINT>(gm::kSectionHeaderIds[static_cast<int>(gm::Section::kRate)]));
  if (!header) return;
  header->SetDisabled(!dial);
  if (!dial && sectionOpen_[static_cast<int>(gm::Section::kRate)]) {
    sectionOpen_[static_cast<int>(gm::Section::kRate)] = false;
    ApplySectionLayout();
  }
}
