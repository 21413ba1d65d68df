#include "device/discovery.h"

namespace gm {

bool PathNamesMouseVendor(const std::wstring& path) { return path.find(L"04f3") != std::wstring::npos; }

DeviceLinks::DeviceLinks(HidApi& hid, DeviceHost& host, WorkerStarter& workers)
    : hid_(hid), host_(host), workers_(workers) {}

DeviceLinks::~DeviceLinks() { CloseAll(); }

void DeviceLinks::ProbeInterface(std::uint32_t index) {
  const std::optional<std::wstring> path = hid_.InterfacePath(index);
  if (!path) return;
  const HidHandle h = hid_.Open(*path, HidOpenMode::kControl);
  if (h == kNoHandle) return;

  HidAttributes attributes;
  HidCaps caps;
  const bool ok = hid_.GetAttributes(h, attributes) && hid_.GetCaps(h, caps);
  hid_.Close(h);
  if (!ok || !PathNamesMouseVendor(*path) || attributes.vendorId != kMouseVendorId) return;
  const std::optional<LinkKind> link = LinkOfProductId(attributes.productId);
  if (!link) return;

  LinkState& state = links_[IndexOf(*link)];
  if (caps.inputReportByteLength == kInputReportLength) {
    state.inputIndex = index;
  } else if (caps.usagePage == kControlUsagePage) {
    state.present = true;
    state.controlIndex = index;
    if (*link == LinkKind::Wired) wiredVersionNumber_ = attributes.versionNumber;
  }
}

void DeviceLinks::ScanDevices() {
  anyLinkPresent_ = false;
  for (LinkState& s : links_) s.present = false;

  for (std::uint32_t index = 0; index < kProbeCount; ++index) ProbeInterface(index);

  for (const LinkState& s : links_) anyLinkPresent_ = anyLinkPresent_ || s.present;

  for (LinkKind link : kAllLinks) {
    LinkState& s = links_[IndexOf(link)];
    if (s.present) {
      workers_.StartWorker(link);
      if (s.controlHandle == kNoHandle) OpenControlInterface(link);
    } else if (s.controlHandle != kNoHandle) {
      hid_.Close(s.controlHandle);
      s.controlHandle = kNoHandle;
    }
  }

  host_.RunScanWindowSteps();
  for (LinkState& s : links_) s.wasPresent = s.present;
}

void DeviceLinks::OpenControlInterface(LinkKind link) {
  LinkState& s = links_[IndexOf(link)];
  const std::optional<std::wstring> path = hid_.InterfacePath(s.controlIndex);
  if (!path) return;  // the handle stays as it was

  if (s.controlHandle != kNoHandle) hid_.Close(s.controlHandle);
  s.controlHandle = hid_.Open(*path, HidOpenMode::kControl);
  if (s.controlHandle == kNoHandle) return;

  HidAttributes attributes;
  HidCaps caps;
  const bool ok = hid_.GetAttributes(s.controlHandle, attributes) && hid_.GetCaps(s.controlHandle, caps);
  if (!ok || attributes.vendorId != kMouseVendorId || attributes.productId != ProductIdOf(link)) {
    hid_.Close(s.controlHandle);
    s.controlHandle = kNoHandle;
  }
}

DeviceChangeResult DeviceLinks::OnDeviceChange(std::uint32_t event) {
  DeviceChangeResult result;
  auto presentCount = [&] {
    int n = 0;
    for (const LinkState& s : links_) n += s.present ? 1 : 0;
    return n;
  };
  if (event == static_cast<std::uint32_t>(DeviceEvent::kArrival)) {
    if (presentCount() < 3) {
      ScanDevices();
      result.scanned = true;
    }
  } else if (event == static_cast<std::uint32_t>(DeviceEvent::kRemoveComplete)) {
    if (presentCount() > 0) {
      ScanDevices();
      result.scanned = true;
    }
    if (!anyLinkPresent_) {
      result.lastLinkGone = !firmwareUpdateInProgress_;
      firmwareUpdateInProgress_ = false;
    }
  }
  return result;
}

void DeviceLinks::CloseAll() {
  for (LinkState& s : links_) {
    if (s.controlHandle != kNoHandle) hid_.Close(s.controlHandle);
    s.controlHandle = kNoHandle;
  }
}

std::optional<LinkKind> DeviceLinks::ActiveLink() const {
  for (LinkKind link : {LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless})
    if (links_[IndexOf(link)].present) return link;
  return std::nullopt;
}

}  // namespace gm
