#pragma once
// The main controller: which link is in use and the battery state, when the window is visible,
// every edit turned into a deferred upload (20 ms) and a deferred save (10 s), the reactions to
// device arrival and removal, the answers to show requests and the shutdown order. It owns the
// device session, and through it the one transport, upload and mapping steps; the window it drives
// is reached only through WindowHost.
//
// Threads: everything runs on the UI thread. The device workers call only PostInputReport (via
// the host, which hands each report back through OnInputReport on the UI thread), so the model
// is never touched from a worker. A message handled inside the wait of another run of exchanges
// (the firmware update keeps the window answering) finds the link held: the deferred upload (20 ms),
// the save and the BLE rescan (500 ms) then do nothing but start their timer again (dirty flags
// and SavePending kept), and a scan made for a device change leaves the status report until the link is free
// (read by the periodic visibility timer).
//
// The HID backend, the clock, the host and the application state must outlive the controller.
#include <cstdint>

#include "app/app_state.h"
#include "app/window_host.h"
#include "device/clock.h"
#include "device/device_session.h"
#include "device/hid_api.h"
#include "device/upload.h"

namespace gm {

// The group of settings an edit changed; selects the commands the next upload rebuilds.
enum class DirtyGroup { kKeyMap, kDeviceSettings, kPower, kSensor };

// What the offline hint currently shows.
enum class OnlineHint { kNotYetShown = 0, kHidden = 1, kShown = 2 };

class MainController final : public DeviceHost, public UploadHost, public InputEffectsHost {
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
  // WM_DEVICECHANGE with its event code; other codes change nothing.
  void OnDeviceChange(std::uint32_t event);
  // The hand-over message (msg::kHandOver), a double click on the notification icon, the icon menu's first item.
  void OnShowRequest();
  // A report a worker read, handed over to the UI thread.
  void OnInputReport(LinkKind link, const InputReportBytes& report);

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
  // Before the manager opens: the next upload copies each macro button's macro from the library
  // again, so that edits made in the manager reach the buttons.
  void MacroManagerOpening();
  // After it has closed and the library has been reloaded: when a button of the current profile
  // holds a macro, the button mapping is uploaded at once (not 20 ms later). True when it did.
  bool MacroManagerClosed();

  // ---- shutdown ----
  // Part of the window's destruction: saves what is pending, then stops the workers and closes the
  // control handles. Input reports arriving afterwards are ignored. Safe to call twice.
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

 private:
  // DeviceHost
  void RunScanWindowSteps() override;
  void PostInputReport(LinkKind link, const InputReportBytes& report) override;
  // UploadHost
  void ShowNoLinkNotice() override;
  void ShowSendProgress() override;
  void RestartSaveTimer() override;
  void Refresh() override;
  // InputEffectsHost
  void StartOnlineIndicatorTimer() override;
  void OpenUrl(const std::wstring& url) override;
  void MarkSavePending() override;
  void ShowStageDisplay() override;
  void SensorAdopted(std::uint16_t sensorId) override;

  void InitDeviceLinks();
  void ReadStatusReport();
  void RefreshIfReconnected();
  void ShowActiveLinkPicture();
  void RunUpload();
  void UpdateOnlineHint();
  void UpdateBattery();
  void EndForLastLink();
  bool HandleOpen(LinkKind link);
  // Another run of exchanges (the firmware update) holds the device link.
  bool LinkHeld();
  // Restarts timer `id` for a try `retryMs` later and returns true while the link is held.
  bool DeferWhileLinkHeld(unsigned id, unsigned retryMs);

  WindowHost& host_;
  AppState& state_;
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
};

}  // namespace gm
