#include "ui/popup_notices.h"

namespace gm::ui {

std::optional<PopupNotice> PopupDeactivationNotice(int kind, uintptr_t tag) {
  // Message of each kind; 0 marks the kinds (4, 5) that report nothing.
  static constexpr unsigned kMessageOfKind[17] = {1029, 1032, 1042, 1045, 0,    0,    1057, 1126, 1136,
                                                  1146, 1156, 1159, 1162, 1165, 1168, 1170, 1172};
  if (kind < 0 || kind > 16 || kMessageOfKind[kind] == 0) return std::nullopt;
  // Kind 0 reports lParam 0, kind 1 lParam 1, the others their kind: always the kind itself.
  return PopupNotice{kMessageOfKind[kind], tag, kind};
}

}  // namespace gm::ui
