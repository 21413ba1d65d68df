#include "macro/hook/keyboard_hook.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "macro/key_report.h"
#include "ui/program_messages.h"

namespace {

// One started hook: a hook object, or a window started through StartHook (owner null).
struct Started {
  const CKeyboardHook* owner;
  HWND window;
};

// One system hook serves every started hook; it is removed when the last one stops.
struct HookState {
  std::mutex lock;
  std::vector<Started> started;
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
      for (const Started& started : s.started)
        PostMessageW(started.window, gm::msg::kKeyReport, reported, static_cast<LPARAM>(stamp));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Starts (or moves) the reports of the hook found by `same`.
template <typename Same>
int Start(HookState& s, Started entry, Same same) {
  std::lock_guard guard(s.lock);
  const auto it = std::find_if(s.started.begin(), s.started.end(), same);
  if (it != s.started.end()) {
    *it = entry;
  } else {
    s.started.push_back(entry);
  }
  if (!s.hook) s.hook = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboard, ThisModule(), 0);
  return s.hook ? 1 : 0;
}

template <typename Same>
int Stop(HookState& s, Same same) {
  std::lock_guard guard(s.lock);
  std::erase_if(s.started, same);
  if (s.started.empty() && s.hook) {
    UnhookWindowsHookEx(s.hook);
    s.hook = nullptr;
  }
  return 1;
}

}  // namespace

extern "C" int StartHook(HWND window) {
  return Start(State(), {nullptr, window}, [window](const Started& e) { return !e.owner && e.window == window; });
}

extern "C" int StopHook(HWND window) {
  return Stop(State(), [window](const Started& e) { return !e.owner && e.window == window; });
}

CKeyboardHook::CKeyboardHook() = default;

CKeyboardHook::~CKeyboardHook() { StopHook(); }

int CKeyboardHook::StartHook(HWND window) {
  window_ = window;
  return Start(State(), {this, window}, [this](const Started& e) { return e.owner == this; });
}

int CKeyboardHook::StopHook() {
  window_ = nullptr;
  return Stop(State(), [this](const Started& e) { return e.owner == this; });
}
