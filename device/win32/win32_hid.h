#pragma once
// The HID seam over setupapi and hid.dll.
//
// Control collections are opened without flags, so every feature-report call blocks its caller
// as the protocol expects. Input collections are opened overlapped: a read waits on its I/O event
// and on a cancel event, so CancelRead (shutdown) can end a read the device may never complete.
#include <windows.h>

#include <map>
#include <mutex>

#include "device/hid_api.h"

namespace gm::win {

class Win32Hid final : public HidApi {
 public:
  Win32Hid() = default;
  ~Win32Hid() override;
  Win32Hid(const Win32Hid&) = delete;
  Win32Hid& operator=(const Win32Hid&) = delete;

  std::optional<std::wstring> InterfacePath(std::uint32_t index) override;
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;
  bool GetAttributes(HidHandle handle, HidAttributes& out) override;
  bool GetCaps(HidHandle handle, HidCaps& out) override;
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool Read(HidHandle handle, std::span<std::uint8_t> report) override;
  void CancelRead(HidHandle handle) override;

 private:
  struct Entry {
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE cancel = nullptr;  // manual-reset; input collections only
    bool overlapped = false;
  };
  bool Find(HidHandle handle, Entry& out);

  std::mutex mutex_;
  std::map<HidHandle, Entry> entries_;
  HidHandle next_ = 1;
};

// Registers `window` for HID device-interface arrival and removal notifications (WM_DEVICECHANGE).
// The registration lives as long as the window; it is never unregistered.
HDEVNOTIFY RegisterHidNotifications(HWND window);

}  // namespace gm::win
