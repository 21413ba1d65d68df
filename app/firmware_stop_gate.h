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

class FirmwareStopGate final : public HidApi {
 public:
  // `inner` must outlive the gate.
  explicit FirmwareStopGate(HidApi& inner) : inner_(inner) {}
  FirmwareStopGate(const FirmwareStopGate&) = delete;
  FirmwareStopGate& operator=(const FirmwareStopGate&) = delete;

  void Stop() { stopped_ = true; }
  bool Stopped() const { return stopped_; }

  std::optional<std::wstring> InterfacePath(std::uint32_t index) override { return inner_.InterfacePath(index); }
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override { return inner_.Open(path, mode); }
  void Close(HidHandle handle) override { inner_.Close(handle); }
  bool GetAttributes(HidHandle handle, HidAttributes& out) override { return inner_.GetAttributes(handle, out); }
  bool GetCaps(HidHandle handle, HidCaps& out) override { return inner_.GetCaps(handle, out); }
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override { return inner_.GetFeature(handle, report); }
  bool Read(HidHandle handle, std::span<std::uint8_t> report) override { return inner_.Read(handle, report); }
  void CancelRead(HidHandle handle) override { inner_.CancelRead(handle); }

 private:
  HidApi& inner_;
  std::atomic<bool> stopped_{false};
};

}  // namespace gm
