#include "device/hidapi/hidapi_calls_linux.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include <cerrno>

namespace gm::hidapi {
namespace {

hid_device* Dev(DevicePtr device) { return static_cast<hid_device*>(device); }

}  // namespace

LinuxHidapiCalls::LinuxHidapiCalls() { hid_init(); }

LinuxHidapiCalls::~LinuxHidapiCalls() { hid_exit(); }

std::vector<DeviceEntry> LinuxHidapiCalls::Enumerate(std::uint16_t vendorId) {
  std::vector<DeviceEntry> out;
  hid_device_info* list = hid_enumerate(vendorId, 0);
  for (const hid_device_info* d = list; d; d = d->next) {
    out.push_back({d->path ? d->path : "", d->vendor_id, d->product_id, d->release_number, d->usage_page, d->usage});
  }
  hid_free_enumeration(list);
  return out;
}

DevicePtr LinuxHidapiCalls::OpenPath(const std::string& path, OpenError& error) {
  hid_device* device = hid_open_path(path.c_str());
  error = OpenError::kNone;
  if (!device) {
    // hidapi keeps only a message; ask the node itself whether its permissions refused us.
    error = access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES ? OpenError::kPermission : OpenError::kOther;
  }
  return device;
}

void LinuxHidapiCalls::Close(DevicePtr device) { hid_close(Dev(device)); }

int LinuxHidapiCalls::SendFeatureReport(DevicePtr device, const std::uint8_t* data, std::size_t length) {
  return hid_send_feature_report(Dev(device), data, length);
}

int LinuxHidapiCalls::GetFeatureReport(DevicePtr device, std::uint8_t* data, std::size_t length) {
  return hid_get_feature_report(Dev(device), data, length);
}

int LinuxHidapiCalls::ReadTimeout(DevicePtr device, std::uint8_t* data, std::size_t length, int milliseconds) {
  return hid_read_timeout(Dev(device), data, length, milliseconds);
}

}  // namespace gm::hidapi
