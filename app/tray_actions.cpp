#include "app/tray_actions.h"

namespace gm {

namespace {
constexpr unsigned kLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
constexpr unsigned kRightButtonUp = 0x0205;    // WM_RBUTTONUP
}  // namespace

TrayAction TrayActionOf(unsigned long long iconId, unsigned long long mouseMessage) {
  if (iconId != kTrayIconId) return TrayAction::kNotOurs;
  switch (mouseMessage) {
    case kLeftDoubleClick: return TrayAction::kShow;
    case kRightButtonUp: return TrayAction::kMenu;
    default: return TrayAction::kNone;
  }
}

}  // namespace gm
