#include "ui/popup_notices.h"

#include "ui/program_messages.h"

namespace gm::ui {

std::optional<PopupNotice> PopupDeactivationNotice(int kind, uintptr_t tag) {
  // Message of each kind; 0 marks the kinds (4, 5) that report nothing.
  static constexpr unsigned kMessageOfKind[17] = {
      msg::kMainMenuClosed,     msg::kKind1Closed,         msg::kDpiMenuClosed,        msg::kMultimediaMenuClosed,
      0,                        0,                         msg::kKind6Closed,          msg::kProfileListClosed,
      msg::kKind8Closed,        msg::kKind9Closed,         msg::kDpiLockMenuClosed,    msg::kWindowsMenuClosed,
      msg::kOfficeMenuClosed,   msg::kProfileMenuClosed,   msg::kInsertActionMenuClosed, msg::kTreeMenuClosed,
      msg::kActionMoveMenuClosed};
  if (kind < 0 || kind > 16 || kMessageOfKind[kind] == 0) return std::nullopt;
  // Kind 0 reports lParam 0, kind 1 lParam 1, the others their kind: always the kind itself.
  return PopupNotice{kMessageOfKind[kind], tag, kind};
}

}  // namespace gm::ui
