#include "device/hidapi/hidapi_hid.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "device/command_report.h"
#include "device/link.h"
#include "settings/utf.h"

namespace gm::hidapi {
namespace {

// A blocked Read wakes this often to see whether CancelRead was called: hidapi has no way to end
// a read from another thread.
constexpr int kReadSliceMs = 100;

// The larger of the reports any collection of the node may deliver; a read of a member takes
// reports of that member's length only (see Read).
constexpr std::size_t kLargestReport = 64;

// The mouse's collections of the present devices, in enumeration order.
std::vector<DeviceEntry> Members(HidapiCalls& calls) {
  std::vector<DeviceEntry> all = calls.Enumerate(kMouseVendorId);
  std::erase_if(all, [](const DeviceEntry& e) {
    return e.vendorId != kMouseVendorId || !LinkOfProductId(e.productId) || e.path.empty();
  });
  return all;
}

std::uint16_t InputLength(const DeviceEntry& e) { return e.usagePage == kVendorInputUsagePage ? kInputReportLength : 0; }
std::uint16_t FeatureLength(const DeviceEntry& e) {
  return e.usagePage == kControlUsagePage ? static_cast<std::uint16_t>(kLongCommandReportLength) : 0;
}

}  // namespace

std::string MemberPath(const DeviceEntry& e) {
  char identity[64];
  std::snprintf(identity, sizeof identity, "#vid_%04x&pid_%04x&up_%04x&u_%04x", e.vendorId, e.productId, e.usagePage,
                e.usage);
  return e.path + identity;
}

HidapiHid::HidapiHid(HidapiCalls& calls) : calls_(calls) {}

HidapiHid::~HidapiHid() {
  for (auto& [id, e] : entries_) calls_.Close(e.device);
}

std::optional<std::wstring> HidapiHid::InterfacePath(std::uint32_t index) {
  const std::vector<DeviceEntry> members = Members(calls_);
  if (index >= members.size()) return std::nullopt;
  return FromUtf8(MemberPath(members[index]));
}

HidHandle HidapiHid::Open(const std::wstring& path, HidOpenMode) {
  // The member is looked up again: the path names a collection, the node alone does not.
  const std::string wanted = ToUtf8(path);
  const std::vector<DeviceEntry> members = Members(calls_);
  const auto it = std::find_if(members.begin(), members.end(), [&](const DeviceEntry& e) { return MemberPath(e) == wanted; });
  if (it == members.end()) return kNoHandle;

  OpenError error = OpenError::kNone;
  const DevicePtr device = calls_.OpenPath(it->path, error);
  std::lock_guard lock(mutex_);
  if (!device) {
    if (error == OpenError::kPermission) refused_.insert(it->path);
    return kNoHandle;
  }
  const HidHandle id = next_++;
  entries_[id] = {device, *it, std::make_shared<std::atomic<bool>>(false)};
  return id;
}

void HidapiHid::Close(HidHandle handle) {
  Entry e;
  {
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(handle);
    if (it == entries_.end()) return;
    e = it->second;
    entries_.erase(it);
  }
  calls_.Close(e.device);
}

bool HidapiHid::Find(HidHandle handle, Entry& out) const {
  std::lock_guard lock(mutex_);
  const auto it = entries_.find(handle);
  if (it == entries_.end()) return false;
  out = it->second;
  return true;
}

bool HidapiHid::GetAttributes(HidHandle handle, HidAttributes& out) {
  Entry e;
  if (!Find(handle, e)) return false;
  out = {e.member.vendorId, e.member.productId, e.member.releaseNumber};
  return true;
}

bool HidapiHid::GetCaps(HidHandle handle, HidCaps& out) {
  Entry e;
  if (!Find(handle, e)) return false;
  out = {};
  out.usage = e.member.usage;
  out.usagePage = e.member.usagePage;
  out.inputReportByteLength = InputLength(e.member);
  out.featureReportByteLength = FeatureLength(e.member);
  return true;
}

// hidapi takes the report as Windows does: byte 0 the report id, the length counting it. The
// whole span goes out; hidapi answers with the number of bytes written.
bool HidapiHid::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  Entry e;
  if (!Find(handle, e) || report.empty()) return false;
  return calls_.SendFeatureReport(e.device, report.data(), report.size()) == static_cast<int>(report.size());
}

// Byte 0 carries the id of the wanted report in and out. hidraw answers with the report's own
// length (id byte included), which may be shorter than the buffer; Windows fills the whole buffer,
// so the bytes past the answer are zeroed, as a Windows caller finds them.
bool HidapiHid::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
  Entry e;
  if (!Find(handle, e) || report.empty()) return false;
  const int got = calls_.GetFeatureReport(e.device, report.data(), report.size());
  if (got <= 0) return false;
  std::fill(report.begin() + std::min<std::size_t>(static_cast<std::size_t>(got), report.size()), report.end(), 0);
  return true;
}

// hidraw gives numbered reports with their id in byte 0, as Windows does. A node carries every
// collection of its interface, so a read also sees the pointer's reports: only reports of this
// member's length are delivered, the others are skipped.
bool HidapiHid::Read(HidHandle handle, std::span<std::uint8_t> report) {
  Entry e;
  if (!Find(handle, e) || report.empty()) return false;
  std::vector<std::uint8_t> buffer(std::max(kLargestReport, report.size()));
  while (!e.cancelled->load()) {
    const int got = calls_.ReadTimeout(e.device, buffer.data(), buffer.size(), kReadSliceMs);
    if (got < 0) return false;  // the device went away
    if (static_cast<std::size_t>(got) != report.size()) continue;  // 0: no report yet; else another collection's
    std::copy_n(buffer.begin(), report.size(), report.begin());
    return !e.cancelled->load();
  }
  return false;
}

void HidapiHid::CancelRead(HidHandle handle) {
  Entry e;
  if (Find(handle, e)) e.cancelled->store(true);
}

std::set<std::string> HidapiHid::RefusedNodes() const {
  std::lock_guard lock(mutex_);
  return refused_;
}

}  // namespace gm::hidapi
