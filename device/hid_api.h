#pragma once
// The HID seam: the few platform operations the device code needs, one call each. The Win32
// backend (device/win32/) maps them onto setupapi and hid.dll; the simulated mouse (sim/) answers
// them itself. Discovery, transport, workers and uploads are written once against this interface.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace gm {

// An open HID collection. kNoHandle means "none" (closed, or the open failed).
using HidHandle = std::uintptr_t;
inline constexpr HidHandle kNoHandle = 0;

struct HidAttributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t versionNumber = 0;
};

// The parts of the collection's capabilities the program looks at.
struct HidCaps {
  std::uint16_t usage = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t inputReportByteLength = 0;
  std::uint16_t outputReportByteLength = 0;
  std::uint16_t featureReportByteLength = 0;
};

// How a collection is opened. Control collections are opened for blocking feature-report calls;
// input collections for reads that another thread can cancel (shutdown must not hang on a read).
enum class HidOpenMode { kControl, kInput };

class HidApi {
 public:
  virtual ~HidApi() = default;

  // Device path of member `index` of the HID device interfaces present now (each call makes a
  // fresh enumeration, as the probe does); nullopt when there is no such member or it cannot be
  // read.
  virtual std::optional<std::wstring> InterfacePath(std::uint32_t index) = 0;

  // Opens a collection for reading and writing; kNoHandle on failure.
  virtual HidHandle Open(const std::wstring& path, HidOpenMode mode) = 0;
  // Closes a handle from Open. Closing kNoHandle does nothing.
  virtual void Close(HidHandle handle) = 0;

  virtual bool GetAttributes(HidHandle handle, HidAttributes& out) = 0;
  virtual bool GetCaps(HidHandle handle, HidCaps& out) = 0;

  // Feature reports; byte 0 of the buffer is the report id. The whole span goes over the wire.
  virtual bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) = 0;
  virtual bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) = 0;

  // Blocks until the collection delivers an input report, which is stored into `report` (byte 0 is
  // the report id). False when the device went away, the handle is invalid or CancelRead was called.
  virtual bool Read(HidHandle handle, std::span<std::uint8_t> report) = 0;
  // Makes a Read blocked on `handle` (now or later) return false. Safe from any thread.
  virtual void CancelRead(HidHandle handle) = 0;
};

// A HID seam in front of another one that passes every call through: the base of the seams that
// change only some calls (stop gates, fault injection in tests), which override just those.
class HidApiForwarder : public HidApi {
 public:
  // `inner` must outlive the forwarder.
  explicit HidApiForwarder(HidApi& inner) : inner_(inner) {}
  HidApiForwarder(const HidApiForwarder&) = delete;
  HidApiForwarder& operator=(const HidApiForwarder&) = delete;

  std::optional<std::wstring> InterfacePath(std::uint32_t index) override { return inner_.InterfacePath(index); }
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override { return inner_.Open(path, mode); }
  void Close(HidHandle handle) override { inner_.Close(handle); }
  bool GetAttributes(HidHandle handle, HidAttributes& out) override { return inner_.GetAttributes(handle, out); }
  bool GetCaps(HidHandle handle, HidCaps& out) override { return inner_.GetCaps(handle, out); }
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
    return inner_.SetFeature(handle, report);
  }
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override { return inner_.GetFeature(handle, report); }
  bool Read(HidHandle handle, std::span<std::uint8_t> report) override { return inner_.Read(handle, report); }
  void CancelRead(HidHandle handle) override { inner_.CancelRead(handle); }

 protected:
  HidApi& Inner() { return inner_; }

 private:
  HidApi& inner_;
};

}  // namespace gm
