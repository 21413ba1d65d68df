// The main window's companions: the notification icon (its messages and menu), the on-screen
// display of the DPI stage and the keyboard filter with the support notice.
#include "app/talvin_dlg.h"

#include "app/stage_display.h"
#include "app/tray_actions.h"
#include "settings/language_indexes.h"
#include "ui/program_messages.h"

namespace {
// The icon's tip: the product's name, the same in every language.
constexpr wchar_t kTrayTip[] = L"Gaming Mouse";
}  // namespace

void CTalvinDlg::StartCompanions() {
  stageDisplay_ = std::make_unique<gm::win::CStageDisplay>(instance_, Hwnd());
  keyFilter_.Install(Hwnd());
  // A shell that is not running yet (or refuses) is answered by TaskbarCreated later.
  trayIcon_.Add(Hwnd(), icon_, kTrayTip);
}

void CTalvinDlg::StopCompanions() {
  if (stageDisplay_) stageDisplay_->Close();
  keyFilter_.Remove();
  trayIcon_.Remove();
}

bool CTalvinDlg::RouteCompanionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case gm::msg::kTrayIcon:
      result = OnTrayIconMessage(wParam, lParam);
      return true;
    case gm::msg::kStageDisplay:
      if (wParam == 1) ShowStageDisplay();
      return true;
    case WM_TIMER:
      if (wParam != gm::kTimerStageDisplay) return false;
      if (stageDisplay_) stageDisplay_->OnTimer();
      return true;
    case WM_COMMAND:
      if (lParam != 0) return false;  // a menu's command, not a control's notification
      if (LOWORD(wParam) == gm::kTrayCommandShow) {
        controller_->OnShowRequest();
        return true;
      }
      if (LOWORD(wParam) == gm::kTrayCommandExit) {
        ExitProgram();
        return true;
      }
      return false;
    case gm::msg::kShowSupport:
      host_.ShowModalNotice(gm::kTextSupportContact);
      return true;
    default:
      break;
  }
  if (message != 0 && message == trayIcon_.TaskbarCreatedMessage()) {
    trayIcon_.Readd();
    return true;
  }
  return false;
}

LRESULT CTalvinDlg::OnTrayIconMessage(WPARAM iconId, LPARAM mouseMessage) {
  switch (gm::TrayActionOf(iconId, static_cast<unsigned long long>(mouseMessage))) {
    case gm::TrayAction::kNotOurs:
      return 1;
    case gm::TrayAction::kShow:
      controller_->OnShowRequest();
      break;
    case gm::TrayAction::kMenu:
      gm::win::CTrayIcon::ShowMenu(Hwnd(), uiContext_.Text(gm::kTextProfiles), uiContext_.Text(gm::kTextExit));
      break;
    case gm::TrayAction::kNone:
      break;
  }
  return 0;
}

// The exit button and the icon menu's exit item: the open dialogs close, then the main dialog
// ends as confirmed, which shuts the program down.
void CTalvinDlg::ExitProgram() {
  host_.CloseOpenDialogs();
  EndDialog(IDOK);
}

void CTalvinDlg::ShowStageDisplay() {
  if (!stageDisplay_ || shutDown_) return;
  stageDisplay_->Show(gm::StageDisplayTextsOf(state_->CurrentRecord(), state_->sensor), state_->font.name,
                      state_->env.displayScale);
}
