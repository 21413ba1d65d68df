#pragma once
// KeyboardHook.dll loaded at run time for one window: the library is loaded when this object is
// made and freed when it goes, and the window's reports (msg::kKeyReport) run between Start and
// Stop. A missing library, a library without the two entry points or a system hook that cannot be
// set are told apart, so the dialog can say what went wrong; then no reports ever arrive.
#include <windows.h>

#include <string>

#include "ui/win_handle.h"

namespace gm::win {

class CKeyboardHookLibrary {
 public:
  enum class Status { kReady, kMissing, kNotAHookLibrary, kHookRefused };

  // Loads the library at `path` (normally KeyboardHook.dll in the program folder).
  explicit CKeyboardHookLibrary(const std::wstring& path);
  // Stops the reports if they still run, then frees the library.
  ~CKeyboardHookLibrary();
  CKeyboardHookLibrary(const CKeyboardHookLibrary&) = delete;
  CKeyboardHookLibrary& operator=(const CKeyboardHookLibrary&) = delete;

  // Starts the reports to `window`: kReady when they run, else why not.
  Status Start(HWND window);
  // Ends the reports (nothing when they do not run); false when the library refused.
  bool Stop();
  bool Running() const { return window_ != nullptr; }

 private:
  using StartFn = int (*)(HWND);
  using StopFn = int (*)(HWND);
  ScopedModule module_;
  StartFn start_ = nullptr;
  StopFn stop_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace gm::win
