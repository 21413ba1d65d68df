#include "app/main_window_host.h"

#include <shellapi.h>

#include "app/talvin_dlg.h"
#include "device/win32/win32_hid.h"
#include "dialogs/attention_dlg.h"
#include "dialogs/progress_bar_dlg.h"
#include "settings/language_indexes.h"
#include "ui/gauges.h"
#include "ui/program_messages.h"

namespace {

// One report on its way from a worker thread to the UI thread.
struct PostedReport {
  gm::LinkKind link;
  gm::InputReportBytes bytes;
};

}  // namespace

CMainWindowHost::CMainWindowHost(CTalvinDlg& window) : window_(window) {}

CMainWindowHost::~CMainWindowHost() = default;

HWND CMainWindowHost::Hwnd() const { return window_.Hwnd(); }

void CMainWindowHost::StartTimer(unsigned id, unsigned periodMs) { SetTimer(Hwnd(), id, periodMs, nullptr); }

void CMainWindowHost::StopTimer(unsigned id) { KillTimer(Hwnd(), id); }

void CMainWindowHost::Minimise() {
  hiddenByProgram_ = false;
  ShowWindow(Hwnd(), SW_MINIMIZE);
}

void CMainWindowHost::Hide() {
  hiddenByProgram_ = true;
  ShowWindow(Hwnd(), SW_HIDE);
}

void CMainWindowHost::ShowInForeground() {
  hiddenByProgram_ = false;
  SetForegroundWindow(Hwnd());
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
}

void CMainWindowHost::ShowModalNotice(int textIndex) {
  const gm::ui::UiContext& ui = window_.uiContext_;
  gm::win::CAttentionDlg notice(ui, ui.Text(gm::kTextAttention), ui.Text(textIndex), Hwnd());
  notice.DoModal();
}

// Not owned by the main window: it must stay visible while the main window is hidden.
void CMainWindowHost::ShowTopmostNotice(int textIndex) {
  const gm::ui::UiContext& ui = window_.uiContext_;
  gm::win::CAttentionDlg::ShowModeless(ui, ui.Text(gm::kTextAttention), ui.Text(textIndex), nullptr);
}

// A passing notice, not a modal dialog: the main window stays enabled and active while it shows,
// so a click made meanwhile (the next check, the exit button) does what it would do without it.
// An upload that sends something while the notice runs starts its bar again, so it stays until
// half a second after the last upload.
void CMainWindowHost::ShowProgress(int textIndex) {
  const gm::ui::UiContext& ui = window_.uiContext_;
  if (progress_ && progress_->Running()) {
    progress_->Restart(ui.Text(textIndex));
    return;
  }
  progress_ = std::make_unique<gm::win::CProgressBarDlg>(ui, ui.Text(textIndex), L"", Hwnd());
  if (!progress_->ShowPassive()) progress_.reset();
}

void CMainWindowHost::StopProgress() { progress_.reset(); }

// The controller names controls by id; the lift-off header's visibility moves the headers below it.
void CMainWindowHost::SetControlVisible(int controlId, bool visible) {
  if (auto* c = window_.GetControl(static_cast<UINT>(controlId))) c->SetVisible(visible);
  if (controlId == gm::kControlLiftHeader) {
    window_.ApplySectionLayout();
    InvalidateRect(Hwnd(), nullptr, FALSE);
  }
}

// A refresh paints only the controls its view changes, so a control enabled from here is painted
// here.
void CMainWindowHost::SetControlEnabled(int controlId, bool enabled) {
  auto* c = window_.GetControl(static_cast<UINT>(controlId));
  if (!c || c->Disabled() == !enabled) return;
  c->SetDisabled(!enabled);
  const RECT r = c->GetRect();
  InvalidateRect(Hwnd(), &r, FALSE);
}

void CMainWindowHost::InvalidateControl(int controlId) {
  // The battery gauge is repainted by SetBattery when its picture changes: the battery timer's
  // ticks that change nothing on it paint nothing.
  if (controlId == gm::kControlBattery && window_.controls_) return;
  if (const auto* c = window_.GetControl(static_cast<UINT>(controlId))) {
    const RECT r = c->GetRect();
    InvalidateRect(Hwnd(), &r, FALSE);
  } else {
    InvalidateRect(Hwnd(), nullptr, FALSE);
  }
}

void CMainWindowHost::SetBattery(int animationLevel, int percent, int chargeState) {
  if (!window_.controls_) return;
  gm::win::CBattery& battery = *window_.controls_->battery;
  if (!battery.SetReading(animationLevel, percent, chargeState)) return;
  const RECT r = battery.GetRect();
  InvalidateRect(Hwnd(), &r, FALSE);
}

void CMainWindowHost::RefreshFromProfile() { window_.RefreshFromProfile(); }

void CMainWindowHost::SensorChanged() { window_.FollowSensor(); }

void CMainWindowHost::ShowStageDisplay() { PostMessageW(Hwnd(), gm::msg::kStageDisplay, 1, 0); }

void CMainWindowHost::OpenUrl(const std::wstring& url) {
  ShellExecuteW(Hwnd(), L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The profile commands of the window carry these out once they exist.
void CMainWindowHost::CarryOutProfileOperation(std::uint8_t opCode, int slot) {
  window_.RunChosenProfileOperation(opCode, slot);
}

void CMainWindowHost::RegisterDeviceNotifications() { gm::win::RegisterHidNotifications(Hwnd()); }

// Each dialog removes itself from the table as it closes: work on a copy.
void CMainWindowHost::CloseOpenDialogs() {
  const auto open = window_.openDialogs_.Entries();
  for (void* dialog : open)
    if (dialog) SendMessageW(static_cast<HWND>(dialog), WM_CLOSE, 0, 0);
}

void CMainWindowHost::Quit() { PostMessageW(Hwnd(), WM_QUIT, 0, 0); }

// Worker threads: the bytes travel in a heap block that the UI thread frees.
void CMainWindowHost::PostInputReport(gm::LinkKind link, const gm::InputReportBytes& report) {
  const HWND target = reportWindow_.load();
  if (!target) return;
  auto block = std::make_unique<PostedReport>(PostedReport{link, report});
  if (PostMessageW(target, gm::msg::kInputReport, static_cast<WPARAM>(link), reinterpret_cast<LPARAM>(block.get())))
    block.release();
}

void CMainWindowHost::OnInputReportMessage(LPARAM lParam) {
  std::unique_ptr<PostedReport> report(reinterpret_cast<PostedReport*>(lParam));
  if (report && !window_.shutDown_) window_.controller_->OnInputReport(report->link, report->bytes);
}

// The device thread: the finish travels in a heap block that the UI thread frees.
void CMainWindowHost::PostJobResult(gm::JobFinish finish) {
  const HWND target = reportWindow_.load();
  if (!target) return;
  auto block = std::make_unique<gm::JobFinish>(std::move(finish));
  if (PostMessageW(target, gm::msg::kDeviceJobDone, 0, reinterpret_cast<LPARAM>(block.get()))) block.release();
}

void CMainWindowHost::OnJobResultMessage(LPARAM lParam) {
  std::unique_ptr<gm::JobFinish> finish(reinterpret_cast<gm::JobFinish*>(lParam));
  if (finish && !window_.shutDown_) window_.controller_->OnJobResult(*finish);
}

void CMainWindowHost::StopReports() {
  reportWindow_ = nullptr;
  MSG msg;
  while (PeekMessageW(&msg, Hwnd(), gm::msg::kInputReport, gm::msg::kInputReport, PM_REMOVE))
    delete reinterpret_cast<PostedReport*>(msg.lParam);
  while (PeekMessageW(&msg, Hwnd(), gm::msg::kDeviceJobDone, gm::msg::kDeviceJobDone, PM_REMOVE))
    delete reinterpret_cast<gm::JobFinish*>(msg.lParam);
}
