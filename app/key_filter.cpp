#include "app/key_filter.h"

#include "ui/program_messages.h"

namespace gm::win {

namespace {
// The window property through which the hook finds the filter of the window a message is for.
constexpr wchar_t kFilterProperty[] = L"GamingMouse.KeyFilter";
}  // namespace

bool CKeyFilter::Install(HWND window) {
  Remove();
  if (!window) return false;
  hook_ = SetWindowsHookExW(WH_MSGFILTER, &CKeyFilter::FilterProc, nullptr, GetCurrentThreadId());
  if (!hook_) return false;
  window_ = window;
  SetPropW(window_, kFilterProperty, this);
  return true;
}

void CKeyFilter::Remove() {
  if (window_ && IsWindow(window_)) RemovePropW(window_, kFilterProperty);
  window_ = nullptr;
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
}

bool CKeyFilter::OnKeyDown(WPARAM key) {
  switch (sequence_.OnKeyDown(static_cast<unsigned>(key))) {
    case HiddenKeySequence::Outcome::kSwallow:
      return true;
    case HiddenKeySequence::Outcome::kShowSupport:
      PostMessageW(window_, msg::kShowSupport, 0, 0);
      return false;
    case HiddenKeySequence::Outcome::kPass:
      break;
  }
  return false;
}

// Messages the dialog loop of the main window (or of any dialog of this thread) is about to
// handle. Only key-downs for the filtered window or its child windows are looked at.
LRESULT CALLBACK CKeyFilter::FilterProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg && msg->message == WM_KEYDOWN && msg->hwnd) {
      const HWND root = GetAncestor(msg->hwnd, GA_ROOT);
      auto* filter = static_cast<CKeyFilter*>(GetPropW(root, kFilterProperty));
      if (filter && filter->window_ == root && filter->OnKeyDown(msg->wParam)) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace gm::win
