#pragma once
// What the main controller asks of the main window. The controller decides; the window carries
// out: timers, visibility, notices, the progress dialog, control states, posting and quitting.
// The Win32 main window implements it; native tests use a fake that records the calls and fires
// timers by hand.
//
// Threads: every member runs on the UI thread except PostInputReport, which the device workers
// call and which must only hand the bytes over to the UI thread, and PostJobResult, which the
// device thread calls and which must only hand the finish over.
#include <cstdint>
#include <string>

#include "app/main_ids.h"
#include "device/device_host.h"
#include "device/device_jobs.h"
#include "device/link.h"

namespace gm {

// The main window's timers (window timer ids).
enum MainTimer : unsigned {
  kTimerAssignmentRejected = 20,  // one-shot, 100 ms: notice of a rejected button assignment
  kTimerUpload = 30,              // one-shot, 20 ms: the deferred upload
  kTimerVisibility = 40,          // 100 ms while a status report waits for the link; hides a window not shown
  kTimerStageDisplay = 50,        // the on-screen display's own timer
  kTimerProfileOperation = 60,    // one-shot, 100 ms: the pending profile operation
  kTimerSave = 70,                // one-shot, 10 s after the last upload: save everything
  kTimerOnlineHint = 80,          // one-shot: offline hint or no-device notice
  kTimerBattery = 110,            // periodic, 1 s: battery gauge
  kTimerBleRescan = 120,          // one-shot, 300 ms after the BLE link went: rescan
  kTimerUploadRetry = 130,        // one-shot, 1 s after an upload the mouse left partly unacknowledged
};

// The controls of the main window the controller sets (kControlRateHeader, kControlOfflineHint,
// kControlBattery, the link status pictures, kControlPowerSaving) are named in app/main_ids.h.

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // Window timers. Starting a running timer again replaces it (its period starts anew).
  virtual void StartTimer(unsigned id, unsigned periodMs) = 0;
  virtual void StopTimer(unsigned id) = 0;

  // Visibility of the main window.
  virtual void Minimise() = 0;
  virtual void Hide() = 0;
  virtual void ShowInForeground() = 0;  // to the foreground, shown normally

  // Notices with a text of the language table. Modeless notices stay on top of every window.
  virtual void ShowModalNotice(int textIndex) = 0;
  virtual void ShowTopmostNotice(int textIndex) = 0;
  // The short progress notice: shown without blocking or disabling the window and without
  // taking the activation, so it never swallows the person's input; a call while it shows
  // starts it again.
  virtual void ShowProgress(int textIndex) = 0;

  // The controller's own visibility flag of a control, its enabled state, repainting its
  // rectangle, and the battery gauge's values.
  virtual void SetControlVisible(int controlId, bool visible) = 0;
  virtual void SetControlEnabled(int controlId, bool enabled) = 0;
  virtual void InvalidateControl(int controlId) = 0;
  virtual void SetBattery(int animationLevel, int percent, int chargeState) = 0;

  // Sets every control from the current profile and repaints (RefreshFromProfile).
  virtual void RefreshFromProfile() = 0;
  // The sensor changed: stage bars and lift-off header follow the new sensor, then repaint.
  virtual void SensorChanged() = 0;
  // The DPI stage / rate on-screen display.
  virtual void ShowStageDisplay() = 0;
  // Opens a launch button's target with the shell.
  virtual void OpenUrl(const std::wstring& url) = 0;
  // Carries out a profile operation chosen by the window's commands.
  virtual void CarryOutProfileOperation(std::uint8_t opCode, int slot) = 0;

  // Device arrival and removal notifications for the HID class reach the window from now on.
  virtual void RegisterDeviceNotifications() = 0;
  // Closes every open secondary dialog, then ends the program's message loop.
  virtual void CloseOpenDialogs() = 0;
  virtual void Quit() = 0;

  // Worker threads: hand a read input report to the UI thread, which passes it to
  // MainController::OnInputReport.
  virtual void PostInputReport(LinkKind link, const InputReportBytes& report) = 0;

  // The device thread: hand a job's finish to the UI thread, which passes it to
  // MainController::OnJobResult (after shutdown it is dropped unrun).
  virtual void PostJobResult(JobFinish finish) = 0;
};

}  // namespace gm
