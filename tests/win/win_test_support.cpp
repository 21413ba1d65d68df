#include "win_test_support.h"

#include <shlobj.h>

#include <vector>

namespace gmtest {

std::wstring BinFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path);
  return p.substr(0, p.rfind(L'\\') + 1);
}

std::wstring AppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

namespace {

// A job that kills its processes when its last handle closes, which happens when this process ends.
HANDLE TestJob() {
  static const HANDLE job = [] {
    HANDLE h = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (h) SetInformationJobObject(h, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    return h;
  }();
  return job;
}

}  // namespace

Process StartProgram(const std::wstring& exeName, const std::wstring& arguments) {
  std::wstring cmd = L"\"" + BinFolder() + exeName + L"\"";
  if (!arguments.empty()) cmd += L" " + arguments;
  std::vector<wchar_t> buf(cmd.begin(), cmd.end());
  buf.push_back(0);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  Process p;
  // Under load Wine now and then refuses to create a process right after the previous test's
  // program was ended: the start is tried again for a while (the last error is kept for the caller).
  PumpUntil(
      [&] {
        if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                            BinFolder().c_str(), &si, &pi))
          return false;
        // The program ends with this test process even when the test is killed (a time-out), so a
        // left-over program never answers the next test's start as the running instance.
        AssignProcessToJobObject(TestJob(), pi.hProcess);
        ResumeThread(pi.hThread);
        CloseHandle(pi.hThread);
        p.handle.Reset(pi.hProcess);
        p.id = pi.dwProcessId;
        return true;
      },
      std::chrono::seconds(10));
  return p;
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return done();
    // Wake on any message, or after a short slice to re-check conditions outside this thread.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

bool PumpUntilExited(HANDLE process, std::chrono::milliseconds timeout) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD wait = now >= end ? 0 : static_cast<DWORD>(end - now);
    const DWORD r = MsgWaitForMultipleObjects(1, &process, FALSE, wait, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) return true;
    if (r != WAIT_OBJECT_0 + 1) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

namespace {
struct FindData {
  const wchar_t* className;
  DWORD pid;
  HWND found;
};
BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  wchar_t cls[256] = {};
  GetClassNameW(hwnd, cls, 256);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == d->pid && lstrcmpW(cls, d->className) == 0) {
    d->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindWindowOfProcess(const wchar_t* className, DWORD pid) {
  FindData d{className, pid, nullptr};
  EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

void Terminate(Process& p) {
  if (p.handle && WaitForSingleObject(p.handle.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(p.handle.Get(), 1);
    WaitForSingleObject(p.handle.Get(), 10000);
  }
}

void RealClick(POINT at, bool rightButton) {
  // The pointer is placed first and the press waits until it has stayed there a moment. Under Wine
  // each program's windows hear of the pointer's moves through their own display connection and
  // pass every move on to the system; a move from an earlier placement, handled late by the program
  // under test, would carry the pointer back there, and a press sent then would land on that
  // earlier place. The press also carries its place itself.
  int steady = 0;
  SetCursorPos(at.x, at.y);
  PumpUntil(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == at.x && now.y == at.y) return ++steady >= 3;
        steady = 0;
        SetCursorPos(at.x, at.y);
        return false;
      },
      std::chrono::seconds(2));
  // Absolute places run from 0 to 65536 over the primary screen.
  const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT click[3] = {};
  for (INPUT& i : click) i.type = INPUT_MOUSE;
  click[0].mi.dx = static_cast<LONG>((static_cast<LONGLONG>(at.x) * 65536 + width - 1) / width);
  click[0].mi.dy = static_cast<LONG>((static_cast<LONGLONG>(at.y) * 65536 + height - 1) / height);
  click[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  click[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  click[2].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(3, click, sizeof(INPUT));
}

}  // namespace gmtest
