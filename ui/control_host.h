#pragma once
// What a windowless control needs from the window that holds it: the window handle (to invalidate
// its rectangle), the toolkit context (scale, pictures folder, font, texts) and the event queue.
// A control reports what the user did by queueing an event; the host delivers the queued events
// to its handlers once the mouse message that caused them has been handled, so no owner code runs
// inside a control's own mouse handler.
#include <windows.h>

#include "ui/ui_context.h"

namespace gm::win {

// One user action on a control.
struct ControlEventRecord {
  UINT id = 0;         // the control's id
  LPARAM event = 0;    // a ControlEvent code (ui/control_base.h)
  WPARAM param = 0;    // event detail (a value, an entry, a clicked control's id)
  POINT at{0, 0};      // client position of a right click
  friend bool operator==(const ControlEventRecord& a, const ControlEventRecord& b) {
    return a.id == b.id && a.event == b.event && a.param == b.param && a.at.x == b.at.x && a.at.y == b.at.y;
  }
};

class CControlHost {
 public:
  virtual HWND Window() const = 0;
  virtual const ui::UiContext& Context() const = 0;
  // Queues `event` for delivery after the current message.
  virtual void QueueEvent(const ControlEventRecord& event) = 0;

 protected:
  ~CControlHost() = default;
};

}  // namespace gm::win
