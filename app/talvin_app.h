#pragma once
// The application object: single-instance check, window class, GDI+ lifetime, the modal main window.
#include <windows.h>

#include <string>

namespace gm {

// Which device backend the program is wired to: the mouse's real HID interfaces, or the built-in
// simulated mouse of the demo program.
enum class DeviceBackend { kHardware, kSimulated };

}  // namespace gm

class CTalvinApp {
 public:
  CTalvinApp(HINSTANCE instance, gm::DeviceBackend backend);

  // Runs the whole program. Always returns FALSE: the main window has run modally inside it and
  // the process ends afterwards.
  BOOL InitInstance();

 private:
  bool HandOverToRunningInstance();
  bool RegisterMainWindowClass();
  bool StartGdiPlus();
  void ShutdownGdiPlus();
  void SetRegistryKey(const wchar_t* key);
  void RunMainWindow();

  HINSTANCE instance_;
  gm::DeviceBackend backend_;
  HANDLE instanceMutex_ = nullptr;  // held (never closed) until the process ends
  ULONG_PTR gdiplusToken_ = 0;
  // Kept as the application's registry key; nothing is stored under it.
  std::wstring registryKey_;
};
