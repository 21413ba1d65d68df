#pragma once
// HidapiCalls over hidapi's hidraw library (libhidapi-hidraw). hid_init on construction, hid_exit
// on destruction: make one per process.
#include "device/hidapi/hidapi_calls.h"

namespace gm::hidapi {

class LinuxHidapiCalls final : public HidapiCalls {
 public:
  LinuxHidapiCalls();
  ~LinuxHidapiCalls() override;
  LinuxHidapiCalls(const LinuxHidapiCalls&) = delete;
  LinuxHidapiCalls& operator=(const LinuxHidapiCalls&) = delete;

  std::vector<DeviceEntry> Enumerate(std::uint16_t vendorId) override;
  DevicePtr OpenPath(const std::string& path, OpenError& error) override;
  void Close(DevicePtr device) override;
  int SendFeatureReport(DevicePtr device, const std::uint8_t* data, std::size_t length) override;
  int GetFeatureReport(DevicePtr device, std::uint8_t* data, std::size_t length) override;
  int ReadTimeout(DevicePtr device, std::uint8_t* data, std::size_t length, int milliseconds) override;
};

}  // namespace gm::hidapi
