#include "macro/hook/keyboard_hook.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "macro/key_report.h"
#include "ui/program_messages.h"

namespace {

// One system hook serves every started hook object; it is removed when the last one stops.
struct HookState {
  std::mutex lock;
  std::vector<CKeyboardHook*> started;
  std::vector<HWND> windows;  // parallel to `started`
  HHOOK hook = nullptr;
};

HookState& State() {
  static HookState state;
  return state;
}

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

LRESULT CALLBACK LowLevelKeyboard(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const std::uint32_t reported =
        gm::ReportedKeyCode(key->vkCode, key->scanCode, (key->flags & LLKHF_EXTENDED) != 0);
    if (reported != 0) {
      const DWORD tick = key->time ? key->time : GetTickCount();
      const std::uint32_t stamp = gm::KeyReportStamp(tick, (key->flags & LLKHF_UP) != 0);
      HookState& s = State();
      std::lock_guard guard(s.lock);
      for (HWND window : s.windows)
        PostMessageW(window, gm::msg::kKeyReport, reported, static_cast<LPARAM>(stamp));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

CKeyboardHook::CKeyboardHook() = default;

CKeyboardHook::~CKeyboardHook() { StopHook(); }

int CKeyboardHook::StartHook(HWND window) {
  HookState& s = State();
  std::lock_guard guard(s.lock);
  const auto it = std::find(s.started.begin(), s.started.end(), this);
  if (it != s.started.end()) {
    s.windows[it - s.started.begin()] = window;
  } else {
    s.started.push_back(this);
    s.windows.push_back(window);
  }
  window_ = window;
  if (!s.hook) s.hook = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboard, ThisModule(), 0);
  return s.hook ? 1 : 0;
}

int CKeyboardHook::StopHook() {
  HookState& s = State();
  std::lock_guard guard(s.lock);
  const auto it = std::find(s.started.begin(), s.started.end(), this);
  if (it != s.started.end()) {
    s.windows.erase(s.windows.begin() + (it - s.started.begin()));
    s.started.erase(it);
  }
  window_ = nullptr;
  if (s.started.empty() && s.hook) {
    UnhookWindowsHookEx(s.hook);
    s.hook = nullptr;
  }
  return 1;
}
