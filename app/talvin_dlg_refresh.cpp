// The main window shows the current profile: every control the layout creates takes its value from
// the view the model gives (RefreshFromProfile), and the controls whose look the new view changes
// are painted again; nothing here changes the model.
#include "app/talvin_dlg.h"
#include "app/view_repaint.h"
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

void CTalvinDlg::RefreshFromProfile() {
  ShowView(gm::ViewFromProfile(*state_, controller_->Session().Status().RateCapability));
}

// Only what differs from the view shown is painted: a refresh that changes nothing (the one after
// each upload, most often) paints nothing, and the window's thread does not spend a whole-window
// paint on every profile switch.
void CTalvinDlg::ShowView(const gm::MainView& view) {
  const gm::ViewRepaint repaint = gm::RepaintForView(viewShown_ ? &view_ : nullptr, view);
  view_ = view;
  if (!controls_) return;
  viewShown_ = true;
  SetControls(*controls_, view_);
  if (repaint.wholeWindow) {
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return;
  }
  for (int id : repaint.controls) {
    if (const gm::win::CControlBase* control = GetControl(static_cast<UINT>(id))) {
      const RECT r = control->GetRect();
      InvalidateRect(Hwnd(), &r, FALSE);
    }
  }
}

void CTalvinDlg::SetControls(const gm::win::MainControls& controls, const gm::MainView& view) {
  for (size_t i = 0; i < controls.combos.size(); ++i) controls.combos[i]->SetCaption(view.comboCaptions[i]);

  controller_->SetCurrentDpiStage(view.currentStage);
  for (size_t i = 0; i < gm::kShownDpiStages; ++i) {
    const gm::StageView& shown = view.stages[i];
    controls.stageChecks[i]->SetChecked((view.stageChecks >> i & 1) != 0);
    gm::win::CDPIRadioButton& stage = *controls.stageButtons[i];
    stage.SetDpiStep(shown.dpi / 50);
    stage.SetDisabled(shown.disabled);
    stage.SetTextColour(static_cast<COLORREF>(shown.textColour));
    controls.stageColours[i]->SetColour(shown.colour);
    controls.stageBars[i]->SetLevel(shown.x);
  }

  ShowReportRate(controls, view);

  selection_.SelectRadio(static_cast<unsigned>(gm::LiftRadioId(view.lift)));
  controls.liftRadioExtra->SetVisible(view.liftExtraShown);
  controls.liftTextExtra->SetVisible(view.liftExtraShown);

  for (size_t i = 0; i < controls.sensorChecks.size(); ++i) controls.sensorChecks[i]->SetChecked(view.sensorChecks[i]);

  controls.powerSaving->SetValue(view.powerValue);
  controls.powerLabel->SetLabel(view.powerLabel);
}

// One picture dial by the rate capability, one centre text by the selected code. A BLE link
// without rate choice closes the section and disables its header.
void CTalvinDlg::ShowReportRate(const gm::win::MainControls& controls, const gm::MainView& view) {
  selection_.SetRateCode(view.rateCode);
  const std::optional<int>& dial = view.ratePicture;
  for (size_t i = 0; i < controls.rateDials.size(); ++i)
    controls.rateDials[i]->SetVisible(dial && *dial == gm::kControlRateDial250 + static_cast<int>(i));
  for (size_t i = 0; i < controls.rateTexts.size(); ++i)
    controls.rateTexts[i]->SetVisible(dial && view.rateCentreText == gm::kControlRateTextFirst + static_cast<int>(i));
  sections_.SetRateChoiceAvailable(dial.has_value(), state_->sensor);
}

// The sensor decides the lift-off header and the stage bars' level count; the sections move, so
// the whole window is painted again.
void CTalvinDlg::FollowSensor() {
  if (controls_) {
    controls_->Header(gm::Section::kLift).SetVisible(state_->sensor.hasLiftSetting);
    for (gm::win::CLevelBar* bar : controls_->stageBars) bar->SetLevelCount(static_cast<int>(state_->sensor.count));
  }
  ApplySectionLayout();
  RefreshFromProfile();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}
