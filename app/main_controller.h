#pragma once
// The main controller: which link is in use and the battery state, when the window is visible,
// every edit turned into a deferred upload (20 ms) and a deferred save (10 s), the reactions to
// device arrival and removal, the answers to show requests and the shutdown order. It owns the
// device session, and through it the one transport, upload and mapping steps; the window it drives
// is reached only through WindowHost.
//
// Threads: the controller runs on the UI thread; two kinds of threads work for it.
// - The device workers call only PostInputReport (via the host, which hands each report back
//   through OnInputReport on the UI thread), so the model is never touched from a worker.
// - The device thread (device/device_jobs.h) runs the exchanges that wait: the configuration
//   upload with its button mapping and macros (the 20 ms timer, the manager's close, the profile
//   switch's upload), and the factory reset with the priming and zeroing that follow it. A job
//   takes copies of what it sends; its finish comes back through the host (PostJobResult) and is
//   carried out by OnJobResult on the UI thread (progress, save timer, refresh, notices).
//
// Who touches what while a job is in flight (posted and its result not yet handled):
// - the report slots and shadows: only the holder of the link's run (device/exchange_run.h, an
//   atomic taken by exchange); the UI thread's own runs (start-up priming, the priming after a
//   setting changed on the mouse, the firmware update, the pairing request) are refused while a
//   job holds the link; the status report, which takes no run, is read only with no job in flight
//   (otherwise it is left to the periodic visibility timer);
// - the device links: read by the job; a device change arriving meanwhile is kept and carried
//   out once the last result has arrived (a removal also stops the gate, device/device_stop_gate.h,
//   so the running job ends between two reports); the BLE rescan waits too;
// - the model: the UI thread's alone; an edit made meanwhile sets new dirty flags, and its upload
//   timer is put off until the results are in, then the edit goes out with the next upload.
// A message handled inside the wait of a run of the UI thread (the firmware update keeps the window
// answering) finds the link held: the deferred upload (20 ms), the save and the BLE rescan then do
// nothing but start their timer again (dirty flags and SavePending kept), and a scan made for a
// device change leaves the status report until the link is free (read by the visibility timer,
// which runs only while such a read waits).
//
// The HID backend, the clock, the host and the application state must outlive the controller.
#include <cstdint>

#include <vector>

#include "app/app_state.h"
#include "app/window_host.h"
#include "device/clock.h"
#include "device/device_jobs.h"
#include "device/device_session.h"
#include "device/device_stop_gate.h"
#include "device/hid_api.h"
#include "device/upload.h"
#include "device/upload_job.h"

namespace gm {

struct FactoryResetPlan;  // app/main_commands.h

// The group of settings an edit changed; selects the commands the next upload rebuilds.
enum class DirtyGroup { kKeyMap, kDeviceSettings, kPower, kSensor };

// What the offline hint currently shows.
enum class OnlineHint { kNotYetShown = 0, kHidden = 1, kShown = 2 };

class MainController final : public DeviceHost, public UploadHost, public InputEffectsHost, public JobResultSink {
 public:
  // The uploads take the macros of the macro buttons from the state's macro library.
  MainController(HidApi& hid, Clock& clock, WindowHost& host, AppState& state);
  ~MainController() override;
  MainController(const MainController&) = delete;
  MainController& operator=(const MainController&) = delete;

  // ---- start ----
  // The controller's part of the window's initialisation, in order: the start mode from
  // "NeedPassword", the first refresh, the device links, the first priming of the shadows, the
  // first scan (refreshing again when it finds the mouse), then the periodic timers.
  void Start();
  // The steps one by one, for a caller that interleaves its own steps between them.
  void ApplyStartMode();
  void RefreshAndStartDevices();
  void StartPeriodicTimers();

  // ---- messages ----
  void OnTimer(unsigned id);
  // The system has shown the window (its creation, a restore from the task bar): a window that is
  // not meant to be shown yet is hidden again.
  void OnWindowShownBySystem();
  // WM_DEVICECHANGE with its event code; other codes change nothing.
  void OnDeviceChange(std::uint32_t event);
  // The hand-over message (msg::kHandOver), a double click on the notification icon, the icon menu's first item.
  void OnShowRequest();
  // A report a worker read, handed over to the UI thread.
  void OnInputReport(LinkKind link, const InputReportBytes& report);
  // The finish of a device job, handed over to the UI thread (after shutdown: dropped unrun).
  // When it was the last job in flight, the device changes kept meanwhile are carried out.
  void OnJobResult(const JobFinish& finish);

  // ---- edits ----
  // Marks `group` for the next upload and (re)starts the 20 ms upload timer: edits within 20 ms
  // of each other end in one upload.
  void ScheduleUpload(DirtyGroup group);
  // The pending profile operation, carried out 100 ms later by the window.
  void ScheduleProfileOperation(std::uint8_t opCode, int slot);
  // A rejected button assignment: the notice follows 100 ms later.
  void ScheduleAssignmentRejectedNotice();
  // Writes config.ini (with the current profile) and the five profile files.
  bool SaveAllSettings();

  // ---- the macro manager ----
  // Before the manager opens: until it has closed, the macro buttons keep the macros they hold
  // (the library is being edited).
  void MacroManagerOpening();
  // After it has closed (the main window keeps the library as the manager left it): the next
  // resolution copies each macro button's macro from the library again, so that edits made in the
  // manager reach the buttons;
  // when a button of the current profile holds a macro, the button mapping is uploaded at once
  // (not 20 ms later). True when it did.
  bool MacroManagerClosed();

  // ---- factory reset ----
  // Carries out `plan` (the factory reset, or the reset after a firmware update): its device steps
  // (the reset command, the priming of the shadows, the zeroing of the macro shadows) run in order
  // as one job; once it is done, its window steps (the profile file, the refresh, the progress)
  // follow in order. When the link is held by another run, the current record goes back to
  // `before` and the notice kTextMouseNotReachable is shown instead.
  void CarryOutResetPlan(const FactoryResetPlan& plan, const ProfileRecord& before);

  // ---- shutdown ----
  // Part of the window's destruction: takes no more device jobs (those queued are dropped), waits
  // for the running one, saves what is pending (edits whose upload was dropped or still pending
  // included), then stops the workers and closes the control handles. Input reports and job
  // results arriving afterwards are ignored. Safe to call twice.
  void Shutdown();

  // ---- state ----
  bool WindowShown() const override { return windowShown_; }
  bool ShownByStatusReport() const { return shownByStatusReport_; }
  bool MarkedDisconnected() const { return markedDisconnected_; }
  bool SavePending() const { return savePending_; }
  bool MouseOnline();
  OnlineHint OnlineHintState() const { return onlineHint_; }
  int CurrentDpiStage() const { return currentDpiStage_; }
  void SetCurrentDpiStage(int stage) { currentDpiStage_ = stage; }
  std::uint8_t ProfileOpCode() const { return profileOpCode_; }
  int ProfileOpSlot() const { return profileOpSlot_; }
  DeviceSession& Session() { return session_; }
  // A device job is posted and its result not yet handled.
  bool DeviceJobsInFlight() const { return jobsInFlight_ > 0; }
  // The link is not free for the UI thread: a device job is in flight, or another run (the
  // firmware update) holds it. The pairing request is refused meanwhile.
  bool LinkHeld();

 private:
  // DeviceHost
  void RunScanWindowSteps() override;
  void PostInputReport(LinkKind link, const InputReportBytes& report) override;
  // UploadHost
  void ShowNoLinkNotice() override;
  void ShowSendProgress() override;
  void RestartSaveTimer() override;
  void Refresh() override;
  // JobResultSink (device thread)
  void PostJobResult(JobFinish finish) override;
  // InputEffectsHost
  void StartOnlineIndicatorTimer() override;
  void OpenUrl(const std::wstring& url) override;
  void MarkSavePending() override;
  void ShowStageDisplay() override;
  void SensorAdopted(std::uint16_t sensorId) override;

  void InitDeviceLinks();
  void ReadStatusReport();
  // Leaves the status report until the link is free: timer kTimerVisibility tries again.
  void DeferStatusRead();
  void RefreshIfReconnected();
  void ShowActiveLinkPicture();
  // kRetry: the one retry of an upload the mouse left partly unacknowledged.
  enum class UploadKind { kFirst, kRetry };
  void RunUpload(UploadKind kind = UploadKind::kFirst);
  void UpdateOnlineHint();
  void UpdateBattery();
  void EndForLastLink();
  bool HandleOpen(LinkKind link);
  // Queues `job` on the device thread and counts it in flight; false after shutdown.
  bool PostJob(DeviceJob job);
  void FinishUpload(const UploadJobOutcome& outcome, UploadKind kind);
  void FinishResetPlan(const FactoryResetPlan& plan, const ProfileRecord& before, bool refused);
  // Marks the groups of `taken` for the next upload again.
  void MarkDirty(const DirtyFlags& taken);
  // Restarts timer `id` for a try `retryMs` later and returns true while the link is held.
  bool DeferWhileLinkHeld(unsigned id, unsigned retryMs);

  WindowHost& host_;
  AppState& state_;
  DeviceStopGate gate_;  // the session's HID backend and clock
  DeviceSession session_;

  bool markedDisconnected_ = false;
  OnlineHint onlineHint_ = OnlineHint::kNotYetShown;
  bool windowShown_ = false;
  bool shownByStatusReport_ = false;
  bool savePending_ = false;
  int currentDpiStage_ = 0;
  std::uint8_t profileOpCode_ = 0;
  int profileOpSlot_ = 0;
  int batteryAnimationLevel_ = 0;
  bool shutDown_ = false;
  bool statusReadDeferred_ = false;  // a scan found a new link while the link was held
  int jobsInFlight_ = 0;
  std::vector<std::uint32_t> deferredDeviceEvents_;  // arrivals and removals met while jobs were in flight
  DeviceJobs jobs_;  // last: its thread is joined before the members it uses go
};

}  // namespace gm
