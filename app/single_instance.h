#pragma once
// Names through which a second start of the program finds the first one and hands over to it.

namespace gm {

// Named mutex (no namespace prefix) created unowned by the first instance and kept until it ends.
inline constexpr wchar_t kInstanceMutexName[] = L"20241115 Mouse 33XX";

// Window class of the main window; a second instance finds the running one by this class alone.
inline constexpr wchar_t kMainWindowClassName[] = L"GamingMouse_ORV";

namespace msg {
// A second start of the program hands over to the running main window with this message (sent
// synchronously, both parameters 0). The toolkit's messages are in ui/program_messages.h.
inline constexpr unsigned kHandOver = 2999;
}  // namespace msg

}  // namespace gm
