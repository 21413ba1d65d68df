#include "macro/held_file_support.h"

#include <windows.h>

#include <chrono>

namespace macrotest {

HeldFile::HeldFile(const std::wstring& path, bool othersMayRead)
    : path_(path),
      holder_(gmtest::StartProgram(L"FileHolder.exe", L"\"" + path + L"\" " + (othersMayRead ? L"read" : L"none"))) {}

bool HeldFile::Held() const {
  if (!holder_.handle) return false;
  // A loaded machine may take a while to start a program under Wine.
  return gmtest::PumpUntil(
      [&] {
        if (WaitForSingleObject(holder_.handle.Get(), 0) == WAIT_OBJECT_0) return true;  // it gave up
        HANDLE h = CreateFileW(path_.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        const DWORD error = GetLastError();
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        return h == INVALID_HANDLE_VALUE && error == ERROR_SHARING_VIOLATION;
      },
      std::chrono::seconds(30)) &&
         WaitForSingleObject(holder_.handle.Get(), 0) == WAIT_TIMEOUT;
}

std::string HeldFile::State() const {
  if (!holder_.handle) return "FileHolder.exe did not start";
  DWORD code = 0;
  GetExitCodeProcess(holder_.handle.Get(), &code);
  return code == STILL_ACTIVE ? "FileHolder.exe runs" : "FileHolder.exe ended with code " + std::to_string(code);
}

}  // namespace macrotest
