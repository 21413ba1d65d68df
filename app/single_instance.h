#pragma once
// Names through which a second start of the program finds the first one and hands over to it.

namespace gm {

// Named mutex (no namespace prefix) created unowned by the first instance and kept until it ends.
inline constexpr wchar_t kInstanceMutexName[] = L"20241115 Mouse 33XX";

// Window class of the main window; a second instance finds the running one by this class alone.
inline constexpr wchar_t kMainWindowClassName[] = L"GamingMouse_ORV";

// A second instance sends msg::kHandOver (ui/program_messages.h; synchronously, both parameters 0)
// to the running main window.

}  // namespace gm
