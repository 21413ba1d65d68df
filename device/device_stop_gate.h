#pragma once
// How a device job is made to end early between two reports: the device session talks to the
// mouse through this gate (as its HID backend and its clock). Once Stop() is called, feature
// reports are refused without reaching the device (SetFeature and GetFeature return false) and
// waits return at once, so the job still running walks through its remaining steps in no time
// and sends nothing more. Everything else (enumeration, opening, closing, the workers' reads)
// passes through unchanged. Resume() lets reports and waits through again.
//
// The window stops the gate when a device is removed while a job runs (the scan that follows must
// wait for the job, so the job should not keep it waiting) and at shutdown.
//
// Threads: Stop, Resume and Stopped from any thread; the rest from wherever the wrapped backend and
// clock may be called. Portable.
#include <atomic>

#include "device/clock.h"
#include "device/hid_api.h"

namespace gm {

class DeviceStopGate final : public HidApiForwarder, public Clock {
 public:
  // `hid` and `clock` must outlive the gate.
  DeviceStopGate(HidApi& hid, Clock& clock) : HidApiForwarder(hid), clock_(clock) {}

  void Stop() { stopped_.store(true); }
  void Resume() { stopped_.store(false); }
  bool Stopped() const { return stopped_.load(); }

  // HidApi: only the feature reports are refused once stopped.
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
    return !Stopped() && Inner().SetFeature(handle, report);
  }
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override {
    return !Stopped() && Inner().GetFeature(handle, report);
  }

  // Clock
  Millis Now() const override { return clock_.Now(); }
  void Sleep(Millis duration) override {
    if (!Stopped()) clock_.Sleep(duration);
  }

 private:
  Clock& clock_;
  std::atomic<bool> stopped_{false};
};

}  // namespace gm
