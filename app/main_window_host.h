#pragma once
// The main window as the controller sees it: the gm::WindowHost that carries out what the
// controller decides (timers, visibility, notices, control states, the battery gauge) on the
// window, and hands input reports from the device workers to the window's thread.
#include <windows.h>

#include <atomic>
#include <memory>

#include "app/window_host.h"

class CTalvinDlg;
namespace gm::win {
class CProgressBarDlg;
}

class CMainWindowHost final : public gm::WindowHost {
 public:
  // `window` outlives the host (the host is one of its members).
  explicit CMainWindowHost(CTalvinDlg& window);
  ~CMainWindowHost() override;
  CMainWindowHost(const CMainWindowHost&) = delete;
  CMainWindowHost& operator=(const CMainWindowHost&) = delete;

  // Input reports go to `window` from now on.
  void StartReports(HWND window) { reportWindow_ = window; }
  // No more reports or job results are posted; those already queued are freed unread.
  void StopReports();
  // Hands the report of a gm::msg::kInputReport to the controller (or frees it after shutdown).
  void OnInputReportMessage(LPARAM lParam);
  // Hands the finish of a gm::msg::kDeviceJobDone to the controller (or frees it after shutdown).
  void OnJobResultMessage(LPARAM lParam);
  // Hide() was the last visibility the program chose: the dialog loop must not undo it.
  bool HiddenByProgram() const { return hiddenByProgram_; }
  // Lets the progress notice go (at shutdown, while its pictures can still be freed).
  void StopProgress();

  // gm::WindowHost
  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;
  void Minimise() override;
  void Hide() override;
  void ShowInForeground() override;
  void ShowModalNotice(int textIndex) override;
  void ShowTopmostNotice(int textIndex) override;
  void ShowProgress(int textIndex) override;
  void SetControlVisible(int controlId, bool visible) override;
  void SetControlEnabled(int controlId, bool enabled) override;
  void InvalidateControl(int controlId) override;
  void SetBattery(int animationLevel, int percent, int chargeState) override;
  void RefreshFromProfile() override;
  void SensorChanged() override;
  void ShowStageDisplay() override;
  void OpenUrl(const std::wstring& url) override;
  void CarryOutProfileOperation(std::uint8_t opCode, int slot) override;
  void RegisterDeviceNotifications() override;
  void CloseOpenDialogs() override;
  void Quit() override;
  void PostInputReport(gm::LinkKind link, const gm::InputReportBytes& report) override;
  void PostJobResult(gm::JobFinish finish) override;

 private:
  HWND Hwnd() const;

  CTalvinDlg& window_;
  // Where the workers post their reports and the device thread its results; null before start-up
  // and after shutdown.
  std::atomic<HWND> reportWindow_{nullptr};
  bool hiddenByProgram_ = false;
  // The progress notice of the last upload that sent something; its window goes by itself.
  std::unique_ptr<gm::win::CProgressBarDlg> progress_;
};
