#pragma once
// The pointer's hover and leave notices of a window (TrackMouseEvent). Once the hover has been
// reported, only the leave is watched, with the system's hover time. On Windows that changes
// nothing; Wine, though, looks at the pointer once per hover period for as long as anything is
// tracked, and the short hover times of the toolkit (1 ms, 50 ms) would keep it looking up to a
// hundred times a second while the pointer rests on the window.
#include <windows.h>

namespace gm::win {

// Asks for WM_MOUSEHOVER after `hoverMs` and for WM_MOUSELEAVE; true when tracking started.
inline bool TrackHoverAndLeave(HWND hwnd, DWORD hoverMs) {
  TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER | TME_LEAVE, hwnd, hoverMs};
  return TrackMouseEvent(&tme) != FALSE;
}

// After WM_MOUSEHOVER: keeps watching for WM_MOUSELEAVE alone.
inline void KeepWatchingLeave(HWND hwnd) {
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd, HOVER_DEFAULT};
  TrackMouseEvent(&tme);
}

}  // namespace gm::win
