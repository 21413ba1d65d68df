#include "macro/hook/hook_library.h"

namespace gm::win {
namespace {

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  // The entry points are plain C functions of the declared types (macro/hook/keyboard_hook.h).
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

CKeyboardHookLibrary::CKeyboardHookLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
  if (!module_) return;
  start_ = Entry<StartFn>(module_.Get(), "StartHook");
  stop_ = Entry<StopFn>(module_.Get(), "StopHook");
}

CKeyboardHookLibrary::~CKeyboardHookLibrary() { Stop(); }

CKeyboardHookLibrary::Status CKeyboardHookLibrary::Start(HWND window) {
  if (!module_) return Status::kMissing;
  if (!start_ || !stop_) return Status::kNotAHookLibrary;
  Stop();
  if (start_(window) != 1) {
    stop_(window);  // the library keeps no half-started entry for the window
    return Status::kHookRefused;
  }
  window_ = window;
  return Status::kReady;
}

bool CKeyboardHookLibrary::Stop() {
  if (!window_) return true;
  const HWND window = window_;
  window_ = nullptr;
  return stop_(window) == 1;
}

}  // namespace gm::win
