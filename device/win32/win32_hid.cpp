#include "device/win32/win32_hid.h"

#include <dbt.h>
#include <setupapi.h>

#include <vector>

#include "settings/unique_handle.h"

extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

namespace gm::win {

namespace {

// A device-information set, destroyed with SetupDiDestroyDeviceInfoList; the call that makes one
// reports failure with INVALID_HANDLE_VALUE.
struct DevInfoSetTraits {
  using Handle = HDEVINFO;
  static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { SetupDiDestroyDeviceInfoList(h); }
};
using DevInfoSet = UniqueHandle<DevInfoSetTraits>;

// The set of the present interfaces of `guid`'s class.
DevInfoSet PresentInterfaces(const GUID& guid) {
  return DevInfoSet(SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
}

// Preparsed data of an open collection, freed with HidD_FreePreparsedData.
struct PreparsedDataTraits {
  using Handle = PHIDP_PREPARSED_DATA;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { HidD_FreePreparsedData(h); }
};
using PreparsedData = UniqueHandle<PreparsedDataTraits>;

// The preparsed data of the collection open as `file`; empty when there is none.
PreparsedData PreparsedDataOf(HANDLE file) {
  PHIDP_PREPARSED_DATA data = nullptr;
  return PreparsedData(HidD_GetPreparsedData(file, &data) ? data : nullptr);
}

GUID HidGuid() {
  GUID guid;
  HidD_GetHidGuid(&guid);
  return guid;
}

}  // namespace

Win32Hid::~Win32Hid() {
  for (auto& [id, e] : entries_) {
    CloseHandle(e.file);
    if (e.cancel) CloseHandle(e.cancel);
  }
}

std::optional<std::wstring> Win32Hid::InterfacePath(std::uint32_t index) {
  const GUID guid = HidGuid();
  const DevInfoSet set = PresentInterfaces(guid);
  if (!set) return std::nullopt;
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof data;
  if (!SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &guid, index, &data)) return std::nullopt;

  DWORD size = 0;
  SetupDiGetDeviceInterfaceDetailW(set.Get(), &data, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
  std::vector<std::uint8_t> block(size);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(set.Get(), &data, detail, size, nullptr, nullptr)) return std::nullopt;
  return std::wstring(detail->DevicePath);
}

HidHandle Win32Hid::Open(const std::wstring& path, HidOpenMode mode) {
  const bool overlapped = mode == HidOpenMode::kInput;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, overlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoHandle;
  Entry e;
  e.file = file;
  e.overlapped = overlapped;
  if (overlapped) {
    e.cancel = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!e.cancel) {
      CloseHandle(file);
      return kNoHandle;
    }
  }
  std::lock_guard lock(mutex_);
  const HidHandle id = next_++;
  entries_[id] = e;
  return id;
}

void Win32Hid::Close(HidHandle handle) {
  Entry e;
  {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(handle);
    if (it == entries_.end()) return;
    e = it->second;
    entries_.erase(it);
  }
  CloseHandle(e.file);
  if (e.cancel) CloseHandle(e.cancel);
}

bool Win32Hid::Find(HidHandle handle, Entry& out) {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(handle);
  if (it == entries_.end()) return false;
  out = it->second;
  return true;
}

bool Win32Hid::GetAttributes(HidHandle handle, HidAttributes& out) {
  Entry e;
  if (!Find(handle, e)) return false;
  HIDD_ATTRIBUTES a{};
  a.Size = sizeof a;
  if (!HidD_GetAttributes(e.file, &a)) return false;
  out = {a.VendorID, a.ProductID, a.VersionNumber};
  return true;
}

bool Win32Hid::GetCaps(HidHandle handle, HidCaps& out) {
  Entry e;
  if (!Find(handle, e)) return false;
  const PreparsedData data = PreparsedDataOf(e.file);
  if (!data) return false;
  HIDP_CAPS caps{};
  if (HidP_GetCaps(data.Get(), &caps) != HIDP_STATUS_SUCCESS) return false;
  out.usage = caps.Usage;
  out.usagePage = caps.UsagePage;
  out.inputReportByteLength = caps.InputReportByteLength;
  out.outputReportByteLength = caps.OutputReportByteLength;
  out.featureReportByteLength = caps.FeatureReportByteLength;
  return true;
}

bool Win32Hid::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  Entry e;
  if (!Find(handle, e) || report.empty()) return false;
  // The call takes a writable buffer; give it a copy of the report.
  std::vector<std::uint8_t> buffer(report.begin(), report.end());
  return HidD_SetFeature(e.file, buffer.data(), static_cast<ULONG>(buffer.size())) != FALSE;
}

bool Win32Hid::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
  Entry e;
  if (!Find(handle, e) || report.empty()) return false;
  return HidD_GetFeature(e.file, report.data(), static_cast<ULONG>(report.size())) != FALSE;
}

bool Win32Hid::Read(HidHandle handle, std::span<std::uint8_t> report) {
  Entry e;
  if (!Find(handle, e) || report.empty()) return false;
  DWORD read = 0;
  if (!e.overlapped)
    return ReadFile(e.file, report.data(), static_cast<DWORD>(report.size()), &read, nullptr) && read > 0;

  if (WaitForSingleObject(e.cancel, 0) == WAIT_OBJECT_0) return false;
  OVERLAPPED ov{};
  ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!ov.hEvent) return false;
  bool ok = false;
  if (ReadFile(e.file, report.data(), static_cast<DWORD>(report.size()), &read, &ov)) {
    ok = read > 0;
  } else if (GetLastError() == ERROR_IO_PENDING) {
    const HANDLE waits[2] = {ov.hEvent, e.cancel};
    const DWORD which = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (which != WAIT_OBJECT_0) CancelIoEx(e.file, &ov);
    // Waits for the read to finish or to be cancelled, so the buffer is no longer in use.
    ok = GetOverlappedResult(e.file, &ov, &read, TRUE) && read > 0 && which == WAIT_OBJECT_0;
  }
  CloseHandle(ov.hEvent);
  return ok;
}

void Win32Hid::CancelRead(HidHandle handle) {
  Entry e;
  if (Find(handle, e) && e.cancel) SetEvent(e.cancel);
}

HDEVNOTIFY RegisterHidNotifications(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = 32;  // the fixed part with an empty name
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = HidGuid();
  return RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace gm::win
