#pragma once
// What the device link needs from the main window. The Win32 main window implements it; tests use
// a fake that records the calls.
#include <array>
#include <cstdint>

#include "device/link.h"

namespace gm {

// One input report as a worker reads it (the input collection's reports are 32 bytes).
using InputReportBytes = std::array<std::uint8_t, kInputReportLength>;

class DeviceHost {
 public:
  virtual ~DeviceHost() = default;

  // The main window's steps at the end of a scan (battery timer, status picture of the active
  // link, status report of a link that has just appeared, report-rate header, online-indicator
  // timer, BLE rescan timer). Runs on the UI thread after Present, the control handles and the
  // workers are updated and before WasPresent takes the new Present values.
  virtual void RunScanWindowSteps() = 0;

  // Called on a worker thread for every report it reads. The host hands the bytes to the UI
  // thread (posting them to the main window), where they are folded into the model.
  virtual void PostInputReport(LinkKind link, const InputReportBytes& report) = 0;
};

}  // namespace gm
