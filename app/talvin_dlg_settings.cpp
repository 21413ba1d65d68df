// The main window's settings commands: the DPI stages, the report rate, the lift-off distance, the
// sensor options and the power-saving delay. Each handler reads the control that was clicked into
// the window's view, calls the command (app/main_commands.h) and carries out what it returns.
#include "app/talvin_dlg.h"
#include "dialogs/colour_palette_dlg.h"
#include "dialogs/dpi_value_dlg.h"
#include "ui/buttons.h"
#include "ui/dials.h"

std::vector<gm::win::EventHandler> CTalvinDlg::SettingsCommandRows() {
  using gm::win::kEventClicked;
  std::vector<gm::win::EventHandler> rows;
  for (int i = 0; i < gm::kShownDpiStages; ++i) {
    rows.push_back({static_cast<UINT>(gm::kControlStageCheckFirst + i), kEventClicked, [this, i] { OnStageCheck(i); }});
    rows.push_back({static_cast<UINT>(gm::kControlStageButtonFirst + i), kEventClicked, [this, i] {
                      gm::MainView view = ReadView();
                      CarryOut(gm::OnStageButtonClicked(view, *state_, i), view);
                    }});
    rows.push_back({static_cast<UINT>(gm::kControlStageBarFirst + i), kEventClicked, [this, i] { OnStageValue(i); }});
    rows.push_back({static_cast<UINT>(gm::kControlStageColourFirst + i), kEventClicked, [this, i] { OnStageColour(i); }});
  }
  for (int id = gm::kControlRateDial250; id <= gm::kControlRateDial8000; ++id)
    rows.push_back({static_cast<UINT>(id), kEventClicked, [this, id] { OnRateDial(id); }});
  for (int id : {gm::kControlLiftRadioExtra, gm::kControlLiftRadio1, gm::kControlLiftRadio2}) {
    rows.push_back({static_cast<UINT>(id), kEventClicked, [this, id] {
                      gm::MainView view = ReadView();
                      CarryOut(gm::OnLiftRadioClicked(view, *state_, id), view);
                    }});
  }
  for (int i = 0; i < gm::kSensorCheckCount; ++i) {
    const int id = gm::kControlAngleSnapCheck + i;
    rows.push_back({static_cast<UINT>(id), kEventClicked, [this, id, i] {
                      gm::MainView view = ReadView();
                      const bool checked = view.sensorChecks[static_cast<size_t>(i)];
                      CarryOut(gm::OnSensorCheckClicked(view, *state_, id, checked), view);
                    }});
  }
  rows.push_back({gm::kControlPowerSaving, kEventClicked, [this] {
                    gm::MainView view = ReadView();
                    CarryOut(gm::OnPowerChosen(view, *state_, view.powerValue), view);
                  }});
  return rows;
}

gm::MainView CTalvinDlg::ReadView() {
  gm::MainView view = view_;
  if (!controls_) return view;
  const gm::win::MainControls& c = *controls_;
  // Stages 6 and 7 have no check the user can reach: their bits stay as the refresh gave them.
  auto checks = static_cast<std::uint8_t>(view.stageChecks & ~((1u << gm::kShownDpiStages) - 1));
  for (size_t i = 0; i < c.stageChecks.size(); ++i)
    if (c.stageChecks[i]->Checked()) checks = static_cast<std::uint8_t>(checks | 1u << i);
  view.stageChecks = checks;
  view.rateCode = selection_.RateCode();
  if (const auto radio = selection_.SelectedRadio(gm::kControlLiftRadio1))
    if (const auto lift = gm::LiftChoiceOfRadio(static_cast<int>(*radio))) view.lift = *lift;
  for (size_t i = 0; i < c.sensorChecks.size(); ++i) view.sensorChecks[i] = c.sensorChecks[i]->Checked();
  view.powerValue = c.powerSaving->Value();
  return view;
}

void CTalvinDlg::CarryOut(const gm::CommandResult& result, const gm::MainView& view) {
  if (result.refresh) {
    RefreshFromProfile();
  } else if (result.showView) {
    ShowView(view);
  }
  for (gm::DirtyGroup group : result.schedule) controller_->ScheduleUpload(group);
  if (result.notice) host_.ShowTopmostNotice(*result.notice);
}

// The check has toggled itself before its event arrives; a refused click shows it checked again.
void CTalvinDlg::OnStageCheck(int stage) {
  gm::MainView view = ReadView();
  CarryOut(gm::OnStageCheckClicked(view, *state_, stage), view);
}

// The dial stored the code of the sector clicked in the window's rate choice before it reported
// the click.
void CTalvinDlg::OnRateDial(int dialId) {
  gm::MainView view = ReadView();
  CarryOut(gm::OnRateDialClicked(*state_, dialId, selection_.RateCode()), view);
}

// The stage's value dialog: one value for X and Y, or X and Y apart on a sensor that has separate
// resolutions. A cancelled dialog changes nothing.
void CTalvinDlg::OnStageValue(int stage) {
  const gm::CommandResult opened = gm::OnStageValueClicked(*state_, stage);
  if (opened.refused) return;
  const auto i = static_cast<size_t>(stage);
  int x = state_->CurrentRecord().XYSettingValueX[i];
  int y = state_->CurrentRecord().XYSettingValueY[i];
  std::optional<int> chosenY;
  if (opened.open == gm::MainDialog::kDpiValueXY) {
    gm::win::CDPIValueSyncSettingDlg dialog(uiContext_, Hwnd(), state_->sensor, x, y);
    if (dialog.DoModal() != IDOK) return;
    chosenY = y;
  } else {
    gm::win::CDPIValueSettingDlg dialog(uiContext_, Hwnd(), state_->sensor, x);
    if (dialog.DoModal() != IDOK) return;
  }
  gm::MainView view = ReadView();
  CarryOut(gm::OnStageValueConfirmed(view, *state_, stage, x, chosenY), view);
}

// The palette edits the stage's colour; a closed palette changes nothing.
void CTalvinDlg::OnStageColour(int stage) {
  if (gm::OnStageColourClicked(stage).refused) return;
  gm::Colour colour = state_->CurrentRecord().DPILevelIndication[static_cast<size_t>(stage)];
  gm::win::CColorPaletteDlg palette(uiContext_, Hwnd(), colour);
  if (palette.DoModal() != IDOK) return;
  gm::MainView view = ReadView();
  CarryOut(gm::OnStageColourConfirmed(view, *state_, stage, colour), view);
}
