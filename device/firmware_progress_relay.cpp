#include "device/firmware_progress_relay.h"

#include <algorithm>

namespace gm {

std::optional<FirmwareView> FirmwareProgressRelay::Take() {
  std::lock_guard lock(mutex_);
  if (!pending_) return std::nullopt;
  pending_ = false;
  return view_;
}

void FirmwareProgressRelay::Change(const std::function<void(FirmwareView&)>& change) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    change(view_);
    wake = !pending_;
    pending_ = true;
  }
  if (wake && changed_) changed_();
}

void FirmwareProgressRelay::ShowText(int textIndex) {
  Change([&](FirmwareView& v) {
    v.status = FirmwareView::Status::kText;
    v.textIndex = textIndex;
  });
}

void FirmwareProgressRelay::ShowStep(int textIndex, int step, int total) {
  Change([&](FirmwareView& v) {
    v.status = FirmwareView::Status::kStep;
    v.textIndex = textIndex;
    v.step = step;
    v.total = total;
  });
}

void FirmwareProgressRelay::ShowCountdown(int textIndex, int count) {
  Change([&](FirmwareView& v) {
    v.status = FirmwareView::Status::kCountdown;
    v.textIndex = textIndex;
    v.step = count;
  });
}

void FirmwareProgressRelay::ShowProgressStart() {
  const int max = updater_ ? updater_->ProgressMax() : 0;
  Change([&](FirmwareView& v) {
    v.progressShown = true;
    v.progress = 0;
    v.progressMax = max;
    v.percent = L"0%";
  });
}

void FirmwareProgressRelay::ShowProgress(double percent) {
  const int max = updater_ ? updater_->ProgressMax() : 0;
  const int progress = updater_ ? std::clamp(updater_->Progress(), 0, max) : 0;
  Change([&](FirmwareView& v) {
    v.progress = progress;
    v.progressMax = max;
    v.percent = FormatPercent(percent);
  });
}

void FirmwareProgressRelay::ShowDeviceChecksum(std::uint32_t checksum) {
  Change([&](FirmwareView& v) { v.deviceChecksum = checksum; });
}

void FirmwareProgressRelay::ClearDeviceChecksum() {
  Change([&](FirmwareView& v) { v.deviceChecksum.reset(); });
}

void FirmwareProgressRelay::MouseRestarting() {
  if (restarting_) restarting_();
}

}  // namespace gm
