#pragma once
// The HID seam over hidapi (Linux hidraw), for `gmctl device` on Linux.
//
// Members: the enumeration of the mouse's vendor id, keeping the collections of the mouse's three
// links (other vendors' nodes are never opened: without the udev rule they would only fail). Each
// top-level collection is one member, as each is one interface on Windows; several members may
// share one hidraw node. A member's path is the node with the identity written after it, in the
// Windows form the probe checks for: "/dev/hidraw3#vid_04f3&pid_026e&up_000a&u_0001".
//
// Nodes whose permissions refused the open are remembered (RefusedNodes) so that the caller can
// name the udev rule instead of saying only that no mouse was found.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "device/hid_api.h"
#include "device/hidapi/hidapi_calls.h"

namespace gm::hidapi {

// Report lengths of the mouse's collections. hidapi (0.13) cannot read report descriptors, so the
// lengths Windows takes from the descriptor are stated here: the vendor input collection sends
// 32-byte reports, the control collection takes feature reports of up to 33 bytes (both with the
// report id byte). Other collections get 0.
inline constexpr std::uint16_t kVendorInputUsagePage = 0xFF00;

class HidapiHid final : public HidApi {
 public:
  // `calls` must outlive this object.
  explicit HidapiHid(HidapiCalls& calls);
  ~HidapiHid() override;
  HidapiHid(const HidapiHid&) = delete;
  HidapiHid& operator=(const HidapiHid&) = delete;

  std::optional<std::wstring> InterfacePath(std::uint32_t index) override;
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;
  bool GetAttributes(HidHandle handle, HidAttributes& out) override;
  bool GetCaps(HidHandle handle, HidCaps& out) override;
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool Read(HidHandle handle, std::span<std::uint8_t> report) override;
  void CancelRead(HidHandle handle) override;

  // hidraw nodes of the mouse that could not be opened for lack of permission, since construction.
  std::set<std::string> RefusedNodes() const;

 private:
  struct Entry {
    DevicePtr device = nullptr;
    DeviceEntry member;
    std::shared_ptr<std::atomic<bool>> cancelled;
  };
  bool Find(HidHandle handle, Entry& out) const;

  HidapiCalls& calls_;
  mutable std::mutex mutex_;
  std::map<HidHandle, Entry> entries_;
  HidHandle next_ = 1;
  std::set<std::string> refused_;
};

// The member path of an enumeration entry (see above).
std::string MemberPath(const DeviceEntry& entry);

}  // namespace gm::hidapi
