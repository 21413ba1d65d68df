#pragma once
// Helpers of the Windows-side tests: starting the programs beside the test executable, waiting
// for their windows and pumping messages while waiting.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "ui/win_handle.h"

namespace gmtest {

// Folder of the test executable with a trailing backslash (the programs under test sit there).
std::wstring BinFolder();

// The per-user application-data folder of the Wine prefix (or Windows user) running the tests.
std::wstring AppDataFolder();

struct Process {
  gm::win::ScopedHandle handle;
  DWORD id = 0;
};

// Starts BinFolder() + exeName with `arguments` (a command-line tail, quoted as needed), trying
// again for up to 10 s when Wine refuses; an empty handle (GetLastError() tells why) when it
// could not be started.
Process StartProgram(const std::wstring& exeName, const std::wstring& arguments = {});

// Pumps this thread's messages until `done` returns true or the timeout passes; returns `done()`.
// Waits on the message queue, so it wakes for every message instead of sleeping blindly.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Pumps messages until the process has ended; returns whether it did within the timeout.
bool PumpUntilExited(HANDLE process, std::chrono::milliseconds timeout);

// The top-level window of `className` that belongs to process `pid`, or nullptr.
HWND FindWindowOfProcess(const wchar_t* className, DWORD pid);

// Ends a still-running program (test clean-up).
void Terminate(Process& p);

// A click of the real pointer at screen point `at` (SendInput): as with a person's click, the
// system finds the window under the pointer, refuses the click to a disabled window and
// activates the window clicked. (A posted click reaches its window whatever covers or disables it.)
void RealClick(POINT at, bool rightButton = false);

}  // namespace gmtest
