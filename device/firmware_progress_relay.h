#pragma once
// What a firmware update running on a thread of its own shows, handed over to the window's thread.
// The updater calls this host on its thread; the relay keeps only the latest state of every line
// (the status line, the percentage and bar, the device's checksum) and tells the window once that
// something changed. The window takes the whole state when it gets round to it, so however fast
// the update goes, the window renders at its own pace and never falls behind a queue of steps.
//
// Threads: the FirmwareUpdateHost calls and Follow on the update's thread (Follow before the run);
// Take on the window's thread. `changed` is called on the update's thread, at most once between
// two Takes; it must only wake the window (signal an event, post a message). `restarting` is
// called on the update's thread just before the new application is started (see
// FirmwareUpdateHost::MouseRestarting) and must be done when it returns. Portable.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "device/firmware_update.h"

namespace gm {

// The state of the update's lines. The status line is kept as what to format (the window owns the
// texts of the language).
struct FirmwareView {
  enum class Status { kNone, kText, kStep, kCountdown };
  Status status = Status::kNone;
  int textIndex = 0;
  int step = 0;   // kStep: step of total; kCountdown: the count
  int total = 0;
  bool progressShown = false;
  int progress = 0;  // the bar's value, never above progressMax
  int progressMax = 0;
  std::wstring percent;  // "0%" at the start, then "%.1f%%"
  std::optional<std::uint32_t> deviceChecksum;
};

class FirmwareProgressRelay final : public FirmwareUpdateHost {
 public:
  FirmwareProgressRelay(std::function<void()> changed, std::function<void()> restarting)
      : changed_(std::move(changed)), restarting_(std::move(restarting)) {}
  FirmwareProgressRelay(const FirmwareProgressRelay&) = delete;
  FirmwareProgressRelay& operator=(const FirmwareProgressRelay&) = delete;

  // The updater whose progress counters the bar shows; it calls this host.
  void Follow(const FirmwareUpdater& updater) { updater_ = &updater; }

  // The state, when it changed since the last Take; nullopt otherwise.
  std::optional<FirmwareView> Take();

  // FirmwareUpdateHost
  void ShowText(int textIndex) override;
  void ShowStep(int textIndex, int step, int total) override;
  void ShowCountdown(int textIndex, int count) override;
  void ShowProgressStart() override;
  void ShowProgress(double percent) override;
  void ShowDeviceChecksum(std::uint32_t checksum) override;
  void ClearDeviceChecksum() override;
  void MouseRestarting() override;

 private:
  // Applies `change` to the state and tells the window when it was up to date.
  void Change(const std::function<void(FirmwareView&)>& change);

  std::function<void()> changed_;
  std::function<void()> restarting_;
  const FirmwareUpdater* updater_ = nullptr;
  std::mutex mutex_;
  FirmwareView view_;
  bool pending_ = false;
};

}  // namespace gm
