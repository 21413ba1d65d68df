#pragma once
// KeyboardHook.dll as the macro manager uses it: the library is loaded from the program folder
// when the owner is made and freed when it ends, and one CKeyboardHook object lives inside it for
// as long. Loading the library at run time (rather than importing it) lets a program without the
// library still start; recording then reports that the hook is missing.
//
// One owner per loaded module and hook object: not copyable. The object is stopped before it is
// destroyed, and destroyed before the module is freed.
#include <windows.h>

#include <string>

#include "macro/hook/keyboard_hook.h"

namespace gm::win {

class KeyboardHookModule {
 public:
  // Loads `dllPath` and constructs the hook object (idle). Nothing is loaded when the library or
  // one of its entry points is missing.
  explicit KeyboardHookModule(const std::wstring& dllPath);
  ~KeyboardHookModule();
  KeyboardHookModule(const KeyboardHookModule&) = delete;
  KeyboardHookModule& operator=(const KeyboardHookModule&) = delete;

  bool Loaded() const { return constructed_; }
  // Key reports go to `window` from now on; false when the library is missing or its hook could
  // not be installed (nothing is started then).
  bool Start(HWND window);
  // Ends the reports; false when the library said it could not. Harmless when not started.
  bool Stop();
  bool Started() const { return started_; }

 private:
  using Constructor = void (*)(void*);
  using Destructor = void (*)(void*);
  using StartFn = int (*)(void*, HWND);
  using StopFn = int (*)(void*);

  HMODULE module_ = nullptr;
  Destructor destroy_ = nullptr;
  StartFn start_ = nullptr;
  StopFn stop_ = nullptr;
  // Storage for the library's object; its layout is the class declared in the library's header.
  alignas(CKeyboardHook) unsigned char object_[sizeof(CKeyboardHook)]{};
  bool constructed_ = false;
  bool started_ = false;
};

}  // namespace gm::win
