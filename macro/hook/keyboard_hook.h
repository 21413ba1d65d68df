#pragma once
// KeyboardHook.dll: reports every key press and release typed anywhere to a window.
//
// Between StartHook(window) and StopHook() the window receives message msg::kKeyReport (WM_USER + 1, ui/program_messages.h) for
// every key event: wParam the virtual-key code (Shift, Ctrl and Alt as their left or right codes
// 0xA0..0xA5, the keypad Enter as 0x0E), lParam bits 0..30 the millisecond tick count of the
// event and bit 31 set for a release. A held key repeats its press; the receivers filter repeats.
// The reports are posted, so they arrive on the window's own thread. The system-wide low-level
// keyboard hook behind them is installed on the thread that starts the first hook object and
// needs that thread to pump messages (every owner is a dialog on the user-interface thread).
#include <windows.h>

#ifdef GM_KEYBOARD_HOOK_BUILD
#define GM_KEYBOARD_HOOK_API __declspec(dllexport)
#else
#define GM_KEYBOARD_HOOK_API __declspec(dllimport)
#endif

// The same reports for a program that loads the library at run time (LoadLibraryW and
// GetProcAddress): one hook per window, started and stopped by the window's handle. StartHook
// returns 1 when the system hook is in place, 0 otherwise (the window then gets no reports);
// StopHook returns 1, also for a window that was never started.
extern "C" {
GM_KEYBOARD_HOOK_API int StartHook(HWND window);
GM_KEYBOARD_HOOK_API int StopHook(HWND window);
}

class GM_KEYBOARD_HOOK_API CKeyboardHook {
 public:
  CKeyboardHook();
  virtual ~CKeyboardHook();
  CKeyboardHook(const CKeyboardHook&) = delete;
  CKeyboardHook& operator=(const CKeyboardHook&) = delete;

  // Reports go to `window` from now on (a second start moves them). Returns 1 when the system
  // hook is in place, 0 otherwise.
  int StartHook(HWND window);
  // Ends the reports; harmless when the hook was never started. Returns 1.
  int StopHook();

 private:
  HWND window_ = nullptr;
};
