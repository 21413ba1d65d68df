#pragma once
// CCheckFWDlg: the firmware update dialog (429 × 200). It loads the two images the program carries,
// shows the application image's checksum, and 100 ms after opening runs the update
// (FirmwareUpdater) once, showing the device's checksum, the steps, the percentage bar and the
// restart countdown. A successful update sends msg::kFirmwareUpdated to the main window.
//
// The update's exchanges and waits run on a thread of their own; this dialog's timer handler
// starts it and then handles the thread's window messages until it ends, so every window of the
// program keeps painting and answering and no exchange or wait ever holds the window's thread. The
// update holds the device link's busy state for its whole run, so nothing else (uploads, the save
// timer's uploads, status reads) talks to the mouse meanwhile. The window's thread and the update
// share the wired handle under one lock (BootloaderLink): the window's thread holds it whenever it
// handles messages (a rescan closes and opens the handles), the update only for each report; a
// modal loop run from a handled message (the stop question) keeps holding it, so the update waits
// for the answer before its next report. What the update shows comes through a
// FirmwareProgressRelay; the dialog renders its latest state at most every 100 ms.
//
// The close and cancel buttons and Escape end the dialog; during an update they first ask, and a
// confirmed stop takes effect at the next safe point (FirmwareStopGate), after which the dialog
// closes. A WM_CLOSE from the program (shutdown, last link gone) stops the same way without asking.
// Enter and Space do nothing; the third button has no action.
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "app/firmware_stop_gate.h"
#include "device/discovery.h"
#include "device/firmware_progress_relay.h"
#include "device/firmware_update.h"
#include "ui/dlg_base.h"
#include "ui/win_handle.h"

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
  Clock& clock;        // the clock the waits sleep on (on the update's thread)
  LinkBusy& busy;      // the device link's busy state
};

class CCheckFWDlg final : public CDlgBase {
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
  // The controls the dialog declares (what it is made of, without a mouse to update).
  static std::span<const ui::ControlSpec> Controls();

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
  // Runs the update on its own thread and handles this thread's messages until it has ended.
  void RunUpdate();
  // The update's run on its thread; nullopt when the thread could not be started.
  std::optional<FirmwareResult> RunOnUpdateThread();
  // The close and cancel buttons and Escape.
  void AskToClose();
  void RequestStop();
  // One pending message of the thread: removed, translated and dispatched (through the dialog's
  // own key handling for this dialog). A WM_QUIT is kept and posted again after the update.
  bool PumpOneMessage();

  void ShowStatus(int textIndex);
  // The update's lines as the relay last had them.
  void ShowView(const FirmwareView& view);

  DeviceLinks& links_;
  DeviceFirmwareFacts facts_;
  FirmwareStopGate gate_;
  std::mutex handles_;           // the wired handle, shared with the update's thread
  ScopedHandle wake_;            // set when the relay has news or the update has ended
  FirmwareProgressRelay relay_;  // what the update shows
  BootloaderLink link_;
  FirmwareUpdater updater_;
  std::vector<std::uint8_t> app_;
  std::vector<std::uint8_t> system_;
  bool updating_ = false;
  bool asking_ = false;
  bool closeAfterUpdate_ = false;
  std::optional<int> quitCode_;
  std::optional<FirmwareResult> result_;
  FirmwareView shown_;  // the lines as last rendered
};

}  // namespace gm::win
