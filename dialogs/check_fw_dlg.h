#pragma once
// CCheckFWDlg: the firmware update dialog (429 × 200). It loads the two images the program carries,
// shows the application image's checksum, and 100 ms after opening runs the update
// (FirmwareUpdater) once, showing the device's checksum, the steps, the percentage bar and the
// restart countdown. The update runs on the UI thread inside this dialog's timer: each of its waits
// is a pumped wait that keeps every window of the program painting and answering meanwhile (the
// device link's busy state belongs to the UI thread, and a worker thread would have to share it).
// A successful update sends msg::kFirmwareUpdated to the main window.
//
// The close and cancel buttons and Escape end the dialog; during an update they first ask, and a
// confirmed stop takes effect at the next safe point (FirmwareStopGate), after which the dialog
// closes. A WM_CLOSE from the program (shutdown, last link gone) stops the same way without asking.
// Enter and Space do nothing; the third button has no action.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/firmware_stop_gate.h"
#include "device/discovery.h"
#include "device/firmware_pumped_wait.h"
#include "device/firmware_update.h"
#include "ui/dlg_base.h"

namespace gm::win {

// The firmware images among the program's resources (type "BIN").
inline constexpr int kAppImageResource = 366;
inline constexpr int kSystemImageResource = 367;

// The bytes of resource `id` of type "BIN" in the program; nullopt when it is missing, cannot be
// loaded or is larger than `maxSize`.
std::optional<std::vector<std::uint8_t>> LoadFirmwareResource(int id, std::size_t maxSize);

// What the update talks to; all of it must outlive the dialog.
struct FirmwareDeviceAccess {
  HidApi& hid;
  DeviceLinks& links;  // the wired handle, afresh for every report; the restart flag
  Clock& clock;        // the clock the waits sleep on
  LinkBusy& busy;      // the device link's busy state
};

class CCheckFWDlg final : public CDlgBase, private FirmwareUpdateHost {
 public:
  enum ControlId : UINT {
    kClose = 2004,
    kThird = 2010,
    kCancel = 2011,
    kTitle = 2012,
    kStatus = 2013,
    kFileChecksum = 2014,
    kDeviceChecksum = 2015,
    kPercent = 2016,
    kBar = 2017,
  };

  CCheckFWDlg(const ui::UiContext& context, HWND parent, FirmwareDeviceAccess access, DeviceFirmwareFacts facts);

  // The outcome of the update, once it has run.
  std::optional<FirmwareResult> Result() const { return result_; }
  bool Updating() const { return updating_; }

 protected:
  BOOL OnInitDialog() override;
  void CreateControls(const RECT& client) override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnCancel() override;  // Escape

 private:
  void LoadImages();
  void RunUpdate();
  // The close and cancel buttons and Escape.
  void AskToClose();
  void RequestStop();
  // One pending message of the thread: removed, translated and dispatched (through the dialog's
  // own key handling for this dialog). A WM_QUIT is kept and posted again after the update.
  bool PumpOneMessage();

  // FirmwareUpdateHost
  void ShowText(int textIndex) override;
  void ShowStep(int textIndex, int step, int total) override;
  void ShowCountdown(int textIndex, int count) override;
  void ShowProgressStart() override;
  void ShowProgress(double percent) override;
  void ShowDeviceChecksum(std::uint32_t checksum) override;
  void ClearDeviceChecksum() override;
  void MouseRestarting() override;

  DeviceLinks& links_;
  DeviceFirmwareFacts facts_;
  FirmwareStopGate gate_;
  PumpedWaitClock waitClock_;
  BootloaderLink link_;
  FirmwareUpdater updater_;
  std::vector<std::uint8_t> app_;
  std::vector<std::uint8_t> system_;
  bool updating_ = false;
  bool asking_ = false;
  bool closeAfterUpdate_ = false;
  std::optional<int> quitCode_;
  unsigned long long lastPaint_ = 0;  // GetTickCount64 of the last repaint the update's wait let through
  std::optional<FirmwareResult> result_;
};

}  // namespace gm::win
