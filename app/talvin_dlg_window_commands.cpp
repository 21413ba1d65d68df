// The main window's commands that act on the system or the mouse as a whole: the system's mouse
// settings, the macro manager, the factory reset, and the hidden pairing, firmware-update and
// software-update buttons.
#include "app/talvin_dlg.h"
// After <windows.h>, which the window header brings.
#include <shellapi.h>

#include "dialogs/firmware_reset_dlg.h"
#include "settings/app_config.h"
#include "settings/settings_store.h"
#include "update/update_server.h"
#include "update/win32/update_command.h"
#include "update/win32/wininet_source.h"

std::vector<gm::win::EventHandler> CTalvinDlg::WindowCommandRows() {
  using gm::win::kEventClicked;
  return {
      {gm::kControlDesktopButton, kEventClicked, [this] { OnDesktopMouseSettings(); }},
      {gm::kControlMacroManager, kEventClicked, [this] { OnMacroManager(); }},
      {gm::kControlFactoryReset, kEventClicked, [this] { OnFactoryReset(); }},
      {gm::kControlPairing, kEventClicked, [this] { OnPairing(); }},
      {gm::kControlFirmwareUpdate, kEventClicked, [this] { OnFirmwareUpdate(); }},
      {gm::kControlSoftwareUpdate, kEventClicked, [this] { OnSoftwareUpdate(); }},
  };
}

// The system's mouse settings on their pointer-options page.
void CTalvinDlg::OnDesktopMouseSettings() {
  ShellExecuteW(Hwnd(), nullptr, L"rundll32.exe", L"shell32.dll,Control_RunDLL main.cpl,,2", nullptr, SW_RESTORE);
}

void CTalvinDlg::OnFactoryReset() {
  const gm::DeviceLinks& links = controller_->Session().Links();
  const bool wiredOrBleOpen =
      links.ControlHandle(gm::LinkKind::Wired) != gm::kNoHandle || links.ControlHandle(gm::LinkKind::Ble) != gm::kNoHandle;
  const gm::CommandResult result = gm::OnFactoryResetClicked(controller_->MouseOnline(), wiredOrBleOpen);
  if (result.notice) host_.ShowTopmostNotice(*result.notice);
  if (result.open != gm::MainDialog::kResetConfirm) return;
  gm::win::CFirmwareResetDlg confirm(uiContext_);
  if (confirm.DoModal() == IDOK) CarryOutFactoryReset();
}

// The confirmed reset, step by step as the plan lists them (the controller runs the mouse's steps
// on the device thread).
void CTalvinDlg::CarryOutFactoryReset() {
  const gm::ProfileRecord before = state_->CurrentRecord();
  controller_->CarryOutResetPlan(gm::OnFactoryResetConfirmed(*state_), before);
}

// The version check against the update server; a started installer ends the program.
void CTalvinDlg::OnSoftwareUpdate() {
  gm::win::WinInetSource source;
  if (gm::win::RunUpdateCommand(uiContext_, Hwnd(), source, gm::DefaultUpdateServer(), state_->env.dataFolder)) {
    host_.CloseOpenDialogs();
    EndDialog(IDOK);
  }
}
