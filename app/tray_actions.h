#pragma once
// What the main window does with a message of its notification icon (portable, no windows.h).
// The shell reports mouse activity on the icon with the icon's id and the mouse message.

namespace gm {

inline constexpr unsigned kTrayIconId = 128;

enum class TrayAction {
  kNone,     // a mouse message the icon does not act on (answered with 0)
  kShow,     // left double click: the show request
  kMenu,     // right button released: the show / exit menu at the pointer
  kNotOurs,  // another icon's id: ignored and answered with 1
};

// The action for the callback message's wParam (`iconId`) and lParam (`mouseMessage`).
TrayAction TrayActionOf(unsigned long long iconId, unsigned long long mouseMessage);

}  // namespace gm
