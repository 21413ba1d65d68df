#pragma once
// The way the firmware dialog stops an update the user no longer wants, at a point where the mouse
// is left recoverable: once Stop() is called, every further write into the application region is
// refused (the update then ends as a failed application write, and the bootloader keeps waiting
// for the next attempt). Everything else passes through unchanged: reads (a refused read would make
// the system comparison fail and start a system rewrite), the system region's erase, writes, lock
// and verification (a half-written system region could leave no bootloader), and the finish and
// restart of an application already written. Portable.
#include <atomic>

#include "device/hid_api.h"

namespace gm {

class FirmwareStopGate final : public HidApiForwarder {
 public:
  // `inner` must outlive the gate.
  explicit FirmwareStopGate(HidApi& inner) : HidApiForwarder(inner) {}

  void Stop() { stopped_ = true; }
  bool Stopped() const { return stopped_; }

  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;

 private:
  std::atomic<bool> stopped_{false};
};

}  // namespace gm
