#pragma once
// The main window's keyboard filter: it sees every key-down bound for the main window before the
// dialog loop handles it (a message-filter hook of the UI thread, which the dialog loop calls
// for each message it takes), swallows Enter and Escape and watches for the hidden support code
// (gm::HiddenKeySequence). When the code is complete it posts gm::msg::kShowSupport to the window,
// which then shows the support-contact notice (outside the hook).
#include <windows.h>

#include "app/key_sequence.h"

namespace gm::win {

class CKeyFilter {
 public:
  CKeyFilter() = default;
  ~CKeyFilter() { Remove(); }
  CKeyFilter(const CKeyFilter&) = delete;
  CKeyFilter& operator=(const CKeyFilter&) = delete;

  // Filters the key-downs of `window` (a top-level window of this thread) from now on; false when
  // the hook could not be set.
  bool Install(HWND window);
  // Ends the filtering; nothing when it is not installed.
  void Remove();

 private:
  static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);
  // True when the key-down is to be swallowed.
  bool OnKeyDown(WPARAM key);

  HWND window_ = nullptr;
  HHOOK hook_ = nullptr;
  HiddenKeySequence sequence_;
};

}  // namespace gm::win
