#pragma once
// The few hidapi calls the Linux backend makes, behind an interface so that the backend's mapping
// (report-id byte, lengths, the enumeration filter) is tested natively without a device. The real
// calls (hidapi_calls_linux.cpp) go to hidapi's hidraw library; tests plug in a fake.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gm::hidapi {

// One entry of hidapi's enumeration: a top-level collection of a hidraw node. A node with several
// top-level collections appears once per collection, with the same path.
struct DeviceEntry {
  std::string path;  // "/dev/hidrawN"
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t releaseNumber = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
};

// An open hidraw node as the calls know it; nullptr is "none".
using DevicePtr = void*;

enum class OpenError { kNone, kPermission, kOther };

class HidapiCalls {
 public:
  virtual ~HidapiCalls() = default;
  // hid_enumerate(vendorId, 0): every collection of that vendor's present devices.
  virtual std::vector<DeviceEntry> Enumerate(std::uint16_t vendorId) = 0;
  // hid_open_path; on failure `error` tells whether the node's permissions refused us.
  virtual DevicePtr OpenPath(const std::string& path, OpenError& error) = 0;
  virtual void Close(DevicePtr device) = 0;
  // hid_send_feature_report, hid_get_feature_report, hid_read_timeout: their return values.
  virtual int SendFeatureReport(DevicePtr device, const std::uint8_t* data, std::size_t length) = 0;
  virtual int GetFeatureReport(DevicePtr device, std::uint8_t* data, std::size_t length) = 0;
  virtual int ReadTimeout(DevicePtr device, std::uint8_t* data, std::size_t length, int milliseconds) = 0;
};

}  // namespace gm::hidapi
