#pragma once
// The enter/leave bookkeeping of the drop-down (combo) buttons: the enter notice goes out on each
// of the first five pointer moves inside the button and not again until the pointer has left; the
// leave notice goes out once, and not while the button's popup is open.
namespace gm::ui {

enum class HoverNotice { kNone, kEnter, kLeave };

class ComboHoverCounter {
 public:
  // A pointer move inside or outside the button; `open` is the button's popup-open flag.
  HoverNotice Move(bool inside, bool open);

 private:
  int enterCount_ = 0;
  bool enterDone_ = false;
  bool leaveDone_ = true;
};

}  // namespace gm::ui
