#include "ui/wnd_popup.h"

#include <windowsx.h>

#include <cstddef>
#include <cstdint>

#include "ui/pointer_tracking.h"
#include "ui/popup_notices.h"
#include "ui/ui_resource_ids.h"
#include "ui/program_messages.h"

namespace gm::win {
namespace {

constexpr wchar_t kPopupClass[] = L"GmSkinnedPopup";

void RegisterPopupClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPopupClass;
  registered = RegisterClassExW(&wc) != 0;
}

}  // namespace

CWndPopup::CWndPopup(const ui::UiContext& context, int kind) : kind_(kind) {
  const UiFont spec = context.EffectiveFont();
  font_.Reset(CreateFontW(spec.size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, static_cast<DWORD>(spec.charset),
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, spec.name.c_str()));
}

CWndPopup::~CWndPopup() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool CWndPopup::Create(HWND owner, const RECT& rect, UINT message, UINT_PTR tag) {
  owner_ = owner;
  rect_ = rect;
  message_ = message;
  tag_ = tag;
  RegisterPopupClass();
  // Layered from its creation: it shows nothing until its first picture is given (Render), and
  // making an existing window layered costs the system a second set-up of the window. It never
  // becomes the active window (WS_EX_NOACTIVATE here, SW_SHOWNOACTIVATE below, MA_NOACTIVATE for
  // clicks in it): a submenu that took the activation from its menu made the menu report that it
  // had lost it, and the owner's control lost its pressed look while the menus were still open.
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_NOACTIVATE, kPopupClass, L"",
                              WS_POPUP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, owner,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndPopup::WindowProc));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  CreateItems();
  Render();
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  return true;
}

bool CWndPopup::IsOpen() const { return hwnd_ && IsWindow(hwnd_) && IsWindowVisible(hwnd_); }

void CWndPopup::Dismiss() {
  if (!IsOpen()) return;
  // Hidden first: the owner's handling of the notice, and the click that dismissed the popup,
  // already see it closed.
  ShowWindow(hwnd_, SW_HIDE);
  if (const auto notice = ui::PopupDeactivationNotice(kind_, tag_)) {
    SendMessageW(owner_, notice->message, notice->wParam, notice->lParam);
  }
}

const SkinImage& CWndPopup::Background() const {
  if (!backgroundLoaded_) {
    backgroundLoaded_ = true;
    LoadPngResource(GetModuleHandleW(nullptr), L"PNG", IDR_POPUP_BACKGROUND_PNG, background_);
  }
  return background_;
}

void CWndPopup::Render() {
  if (!hwnd_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  ScopedWindowDC screen(nullptr);
  // A 32-bit picture whose every pixel is made opaque after drawing: GDI text and fills leave
  // the alpha byte at 0, and a layered window shown where nothing composites would show those
  // pixels black (text drawn white came out black).
  const int width = client.right > 0 ? client.right : 1, height = client.bottom > 0 ? client.bottom : 1;
  void* bits = nullptr;
  ScopedBitmap picture(CreatePaintBitmap(screen.Get(), width, height, 32, &bits));
  if (!picture || !bits) return;
  ScopedDC buffer = CreateMemoryDC(screen.Get());
  SelectScope select(buffer.Get(), picture.Get());
  FillSolid(buffer.Get(), client, 0);
  const RECT inner{1, 1, client.right - 1, client.bottom - 1};
  FillSolid(buffer.Get(), inner, 0);
  DrawItems(buffer.Get(), client);
  GdiFlush();
  auto* pixel = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height); i < n; ++i)
    pixel[i] |= 0xFF000000u;
  RECT window{};
  GetWindowRect(hwnd_, &window);
  POINT at{window.left, window.top};
  SIZE size{client.right, client.bottom};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
  UpdateLayeredWindow(hwnd_, screen.Get(), &at, &size, buffer.Get(), &origin, 0, &blend, ULW_OPAQUE);
}

LRESULT CALLBACK CWndPopup::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CWndPopup*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT CWndPopup::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_NCCALCSIZE:
      return 0;  // the client area is the whole window
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_MOUSEMOVE:
      if (!tracking_) tracking_ = TrackHoverAndLeave(hwnd_, 50);
      if (!buttonDown_ && HitTest(x, y)) Render();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      buttonDown_ = true;
      SetCapture(hwnd_);
      captured_ = true;
      if (OnPress(x, y)) Render();
      return 0;
    case WM_LBUTTONUP: {
      if (captured_) ReleaseCapture();
      captured_ = false;
      buttonDown_ = false;
      HWND self = hwnd_;
      const bool redraw = OnRelease(x, y);
      // The release may have closed the popup.
      if (redraw && self && IsWindow(self) && hwnd_) Render();
      return 0;
    }
    case WM_RBUTTONUP:
      OnRightRelease(x, y);
      return 0;
    case WM_MOUSEHOVER:
      KeepWatchingLeave(hwnd_);
      return 0;
    case WM_MOUSELEAVE: {
      tracking_ = false;
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(hwnd_, &p);
      if (HitTest(p.x, p.y)) Render();
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the click is handled; the activation stays where it is
    case WM_CLOSE:
      SendMessageW(owner_, msg::kPopupClosed, 0, 0);
      DestroyWindow(hwnd_);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

}  // namespace gm::win
