#include "macro/keyboard_hook_module.h"

namespace gm::win {
namespace {

// The library's exports (C++ names as the compiler of the library gives them). Member functions
// take the object as their first argument.
constexpr const char* kConstructor = "_ZN13CKeyboardHookC1Ev";
constexpr const char* kDestructor = "_ZN13CKeyboardHookD1Ev";
constexpr const char* kStartHook = "_ZN13CKeyboardHook9StartHookEP6HWND__";
constexpr const char* kStopHook = "_ZN13CKeyboardHook8StopHookEv";

template <typename F>
F Export(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

KeyboardHookModule::KeyboardHookModule(const std::wstring& dllPath) {
  module_ = LoadLibraryW(dllPath.c_str());
  if (!module_) return;
  const auto construct = Export<Constructor>(module_, kConstructor);
  destroy_ = Export<Destructor>(module_, kDestructor);
  start_ = Export<StartFn>(module_, kStartHook);
  stop_ = Export<StopFn>(module_, kStopHook);
  if (!construct || !destroy_ || !start_ || !stop_) {
    FreeLibrary(module_);
    module_ = nullptr;
    return;
  }
  construct(object_);
  constructed_ = true;
}

KeyboardHookModule::~KeyboardHookModule() {
  if (constructed_) {
    stop_(object_);
    destroy_(object_);
  }
  if (module_) FreeLibrary(module_);
}

bool KeyboardHookModule::Start(HWND window) {
  if (!constructed_ || start_(object_, window) == 0) return false;
  started_ = true;
  return true;
}

bool KeyboardHookModule::Stop() {
  if (!constructed_) return true;
  const bool stopped = stop_(object_) != 0;
  if (stopped) started_ = false;
  return stopped;
}

}  // namespace gm::win
