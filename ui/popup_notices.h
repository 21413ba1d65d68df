#pragma once
// What a popup tells its owner when it loses activation: one message number per popup kind
// (named in ui/program_messages.h).
#include <cstdint>
#include <optional>

namespace gm::ui {

struct PopupNotice {
  unsigned message = 0;
  uintptr_t wParam = 0;  // the popup's tag
  intptr_t lParam = 0;
  friend bool operator==(const PopupNotice&, const PopupNotice&) = default;
};

// The notice a popup of `kind` sends with `tag`, or nothing for kinds that report nothing.
std::optional<PopupNotice> PopupDeactivationNotice(int kind, uintptr_t tag);

}  // namespace gm::ui
