#include "ui/hover_notices.h"

namespace gm::ui {

HoverNotice ComboHoverCounter::Move(bool inside, bool open) {
  if (inside) {
    if (enterDone_) return HoverNotice::kNone;
    if (enterCount_ > 3) {
      enterDone_ = true;
    } else {
      ++enterCount_;
    }
    leaveDone_ = false;
    return HoverNotice::kEnter;
  }
  if (leaveDone_ || open) return HoverNotice::kNone;
  enterDone_ = false;
  enterCount_ = 0;
  leaveDone_ = true;
  return HoverNotice::kLeave;
}

}  // namespace gm::ui
