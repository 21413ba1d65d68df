#include "ui/dlg_base.h"

#include <algorithm>

#include <windowsx.h>

#include "ui/control_factory.h"
#include "ui/static_controls.h"
#include "ui/dialog_table.h"
#include "ui/pointer_tracking.h"
#include "ui/program_messages.h"
#include "ui/resource_dib.h"
#include "ui/skin_image.h"
#include "ui/ui_resource_ids.h"
#include "ui/wnd_popup.h"

namespace gm::win {
namespace {

constexpr int kApplicationIcon = 128;

bool Intersects(const RECT& a, const RECT& b) {
  RECT out;
  return IntersectRect(&out, &a, &b) != FALSE;
}

}  // namespace

CDlgBase::CDlgBase(const ui::UiContext& context, HWND parent) : context_(context), parent_(parent) {}

RECT CDlgBase::Scaled(const LayoutRect& r) const { return ScaledRect(r, context_.displayScale); }

void CDlgBase::Declare(const DialogFrame& frame, std::span<const ui::ControlSpec> controls, unsigned keyRules) {
  frame_ = frame;
  controlSpecs_ = controls;
  keyRules_ = keyRules;
  SetWindowSize(context_.Px(frame.width), context_.Px(frame.height));
}

void CDlgBase::CreateControls(const RECT&) {
  if (frame_.picture) framePicture_.LoadShared(context_, frame_.picture);
  ForgetBackdrop();
  for (const ui::ControlSpec& spec : controlSpecs_) {
    if (auto c = MakeControl(*this, spec, Scaled(spec.rect))) AddControl(spec.layer, std::move(c));
  }
  for (const auto& [id, text] : pendingTexts_) SetControlText(id, text);
  pendingTexts_.clear();
}

void CDlgBase::SetControlText(UINT id, const std::wstring& text) {
  CControlBase* c = GetControl(id);
  if (!c) {
    pendingTexts_.emplace_back(id, text);  // the controls are made when the window opens
    return;
  }
  if (auto* label = dynamic_cast<CStaticText*>(c)) {
    label->SetLabel(text);
    RepaintControl(c, false);
    if (std::find(windowTextIds_.begin(), windowTextIds_.end(), id) != windowTextIds_.end()) FollowWindowText();
  } else {
    c->SetText(text);
  }
}

void CDlgBase::FollowWindowText() {
  if (!Hwnd()) return;
  std::wstring text;
  for (UINT id : windowTextIds_) {
    const auto* label = dynamic_cast<const CStaticText*>(GetControl(id));
    if (!label || label->Label().empty()) continue;
    if (!text.empty()) text += L"  ";
    text += label->Label();
  }
  SetWindowTextW(Hwnd(), text.c_str());
}

void CDlgBase::QueueEvent(const ControlEventRecord& event) {
  events_.push_back(event);
  if (eventsPosted_ || !Hwnd()) return;
  eventsPosted_ = PostMessageW(Hwnd(), msg::kDeliverEvents, 0, 0) != FALSE;
}

void CDlgBase::DeliverEvents() {
  eventsPosted_ = false;
  while (!events_.empty() && Hwnd()) {
    const ControlEventRecord event = events_.front();
    events_.pop_front();
    bool handled = false;
    for (const EventHandler& h : handlers_) {
      if (h.id == event.id && h.event == event.event) {
        h.run();
        handled = true;
        break;
      }
    }
    if (!handled) OnControlEvent(event);
  }
}

CDlgBase::~CDlgBase() {
  // A modeless dialog still open goes now, while this object's handlers can still run.
  if (Hwnd() && IsWindow(Hwnd())) DestroyWindow(Hwnd());
  for (auto& p : popups_) p.reset();
  ReleaseBackground();
}

INT_PTR CDlgBase::DoModal() { return RunModal(GetModuleHandleW(nullptr), IDD_SKINNED_DIALOG, parent_); }

HWND CDlgBase::CreateModelessDialog() { return CreateModeless(GetModuleHandleW(nullptr), IDD_SKINNED_DIALOG, parent_); }

CControlBase* CDlgBase::GetControl(UINT id) const {
  for (const auto& layer : layers_)
    for (const auto& c : layer)
      if (c->Id() == id) return c.get();
  return nullptr;
}

CControlBase* CDlgBase::ControlAt(int x, int y) const {
  CControlBase* found = nullptr;
  ForEachControl([&](CControlBase* c) {
    if (c->TakesMouse() && c->Contains(x, y)) found = c;
  });
  return found;
}

void CDlgBase::ReleaseControlImages() {
  ForEachControl([](CControlBase* c) { c->ReleaseImages(); });
}

bool CDlgBase::SetBackgroundBitmap(int id) {
  const int w = context_.Px(kDesignWidth), h = context_.Px(kDesignHeight);
  ScopedWindowDC screen(Hwnd());
  {
    // At the picture's own size the backdrop is drawn straight from the program file whenever it
    // is drawn: no copy is kept, and the pages read go with the file's view.
    ProgramFileView file;
    if (const auto dib = FindResourceDib(file, id); dib && dib->width == w && dib->height == h) {
      ScopedBitmap copy(CreatePaintBitmap(screen.Get(), w, h, 24));
      {
        ScopedDC memory = CreateMemoryDC(screen.Get());
        SelectScope select(memory.Get(), copy.Get());
        if (!DrawResourceDib(memory.Get(), 0, 0, *dib)) copy.Reset();
      }
      if (copy) {
        backgroundColour_ = AverageColour(screen.Get(), copy.Get(), SIZE{w, h}).value_or(0);
        ForgetBackdrop();
        ReleaseBackground();
        backgroundResource_ = id;
        return true;
      }
    }
  }
  ScopedBitmap loaded(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP,
                                                      0, 0, LR_CREATEDIBSECTION)));
  if (!loaded) return false;
  BITMAP info{};
  GetObjectW(loaded.Get(), sizeof(info), &info);
  const SIZE size{info.bmWidth, info.bmHeight};
  backgroundColour_ = AverageColour(screen.Get(), loaded.Get(), size).value_or(0);
  ForgetBackdrop();
  ReleaseBackground();
  backgroundDC_ = CreateCompatibleDC(screen.Get());
  if (size.cx == w && size.cy == h) {
    background_ = std::move(loaded);
    backgroundOld_ = SelectObject(backgroundDC_, background_.Get());
    return true;
  }
  // Otherwise from a copy stretched to the display scale; the picture as stored goes once the
  // copy is made.
  background_.Reset(CreateCompatibleBitmap(screen.Get(), w, h));
  backgroundOld_ = SelectObject(backgroundDC_, background_.Get());
  ScopedDC source = CreateMemoryDC(screen.Get());
  SelectScope select(source.Get(), loaded.Get());
  SetStretchBltMode(backgroundDC_, HALFTONE);
  StretchBlt(backgroundDC_, 0, 0, w, h, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
  return true;
}

void CDlgBase::ArmBackdropTimer(std::chrono::milliseconds delay) {
  SetTimer(Hwnd(), msg::kBackdropTimer, static_cast<UINT>(delay.count()), nullptr);
}

void CDlgBase::OnBackdropTimer() {
  const auto idle =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - backdropUsedAt_);
  if (backdrop_ && idle < kBackdropKeep) {
    ArmBackdropTimer(kBackdropKeep - idle);
    return;
  }
  KillTimer(Hwnd(), msg::kBackdropTimer);
  ForgetBackdrop();
}

void CDlgBase::ReleaseBackground() {
  if (backgroundDC_) {
    SelectObject(backgroundDC_, backgroundOld_);
    DeleteDC(backgroundDC_);
    backgroundDC_ = nullptr;
  }
  background_.Reset();
  backgroundResource_ = 0;
}

bool CDlgBase::OpenPopup(int slot, std::unique_ptr<CWndPopup> popup, const RECT& rect, UINT message, UINT_PTR tag) {
  if (slot < 0 || slot >= kPopupSlots || !popup) return false;
  // The popup the slot held closes now (its owner hears of it) before its object is replaced.
  if (pressed_ && pressed_ != hot_) CancelPressed();
  if (popups_[slot] && popups_[slot]->Hwnd() && IsWindow(popups_[slot]->Hwnd())) {
    SendMessageW(popups_[slot]->Hwnd(), WM_CLOSE, 0, 0);
  }
  popups_[slot] = std::move(popup);
  return popups_[slot]->Create(Hwnd(), rect, message, tag);
}

void CDlgBase::ClosePopup(int slot) {
  if (slot < 0 || slot >= kPopupSlots) return;
  if (pressed_ && pressed_ != hot_) CancelPressed();
  if (popups_[slot] && popups_[slot]->Hwnd() && IsWindow(popups_[slot]->Hwnd())) {
    PostMessageW(popups_[slot]->Hwnd(), WM_CLOSE, 0, 0);
  }
}

CWndPopup* CDlgBase::Popup(int slot) const {
  return slot >= 0 && slot < kPopupSlots ? popups_[slot].get() : nullptr;
}

unsigned CDlgBase::DismissPopups() {
  unsigned open = 0;
  for (int slot = 0; slot < kPopupSlots; ++slot) {
    if (popups_[slot] && popups_[slot]->IsOpen()) open |= 1u << slot;
  }
  for (int slot = 0; slot < kPopupSlots; ++slot) {
    if (!(open >> slot & 1u)) continue;
    // The owner's handling of one notice may already have closed others.
    if (popups_[slot]) popups_[slot]->Dismiss();
    ClosePopup(slot);
  }
  return open;
}

bool CDlgBase::IsOwnPopup(HWND hwnd) const {
  if (!hwnd) return false;
  return std::any_of(popups_.begin(), popups_.end(), [hwnd](const auto& p) { return p && p->Hwnd() == hwnd; });
}

// A popup never takes the activation (ui/wnd_popup.h), so it cannot learn from its own
// deactivation that the person has turned elsewhere; its owner can. The owner is the active
// window while its popups are open (the click that opened one activated it), so:
//   - a click in any other window, of this program or of another, activates that window, and the
//     owner is told with WM_ACTIVATE (WA_INACTIVE);
//   - a click in the owner itself (outside every popup, which are windows of their own) comes to
//     the owner as its own button-down, before the owner acts on it, so the click then goes on to
//     the control under it and is neither lost nor doubled;
//   - a window hidden, minimised or asked to cancel its modes (WM_CANCELMODE, which the system
//     sends when a modal loop starts) leaves no popup hanging on the screen.
// Either way every popup is closed. Nothing here needs the mouse captured or a hook on all the
// system's input, and it behaves alike on Windows and under Wine.
void CDlgBase::WatchPopupDismissal(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressClosedPopups_ = DismissPopups();
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_CANCELMODE:
      DismissPopups();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && !IsOwnPopup(reinterpret_cast<HWND>(lParam))) DismissPopups();
      break;
    case WM_SHOWWINDOW:
      if (!wParam) DismissPopups();
      break;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) DismissPopups();
      break;
    default:
      break;
  }
}

void CDlgBase::CancelPressed() {
  pressed_ = nullptr;
  pressedRect_ = {-1, -1, -1, -1};
}

BOOL CDlgBase::OnInitDialog() {
  HWND hwnd = Hwnd();
  if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kApplicationIcon))) {
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  SetWindowTextW(hwnd, L"Gaming Mouse");
  {
    ScopedWindowDC dc(hwnd);
    const int height = -(10 * GetDeviceCaps(dc.Get(), LOGPIXELSY) / 72);
    titleFont_.Reset(CreateFontW(height, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, context_.EffectiveFont().name.c_str()));
  }
  // Sized now and shown once the whole initialisation (the derived dialog's values included) is
  // done, so it never appears half filled; a window that places itself is shown at once.
  const UINT activation = neverActivated_ ? SWP_NOACTIVATE : 0;
  if (neverActivated_) SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
  SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, windowSize_.cx, windowSize_.cy,
               (showAtOnce_ ? SWP_NOMOVE | SWP_SHOWWINDOW : SWP_NOMOVE) | activation);
  RECT client{};
  GetClientRect(hwnd, &client);
  CreateControls(client);
  // Centre on the owner (or on the screen without one).
  RECT around{};
  if (parent_ && IsWindow(parent_)) {
    GetWindowRect(parent_, &around);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  }
  RECT mine{};
  GetWindowRect(hwnd, &mine);
  const int x = around.left + ((around.right - around.left) - (mine.right - mine.left)) / 2;
  const int y = around.top + ((around.bottom - around.top) - (mine.bottom - mine.top)) / 2;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (registerOpen_ && context_.openDialogs) context_.openDialogs->Add(hwnd);
  return TRUE;
}

void CDlgBase::OnInitDone() {
  if (showAtOnce_) return;
  SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | (neverActivated_ ? SWP_NOACTIVATE : 0));
}

void CDlgBase::OnOK() { Close(IDOK); }
void CDlgBase::OnCancel() { Close(IDCANCEL); }


void CDlgBase::Close(INT_PTR result) {
  ReleaseControlImages();
  framePicture_.Reset();
  ForgetBackdrop();
  if (IsModal()) {
    EndDialog(result);
  } else if (Hwnd()) {
    PostMessageW(Hwnd(), msg::kDestroyModeless, 0, 0);
  }
}

void CDlgBase::RepaintControl(const CControlBase* control, bool afterClick) {
  if (!control || !Hwnd()) return;
  if (afterClick && control->RepaintsWindowOnClick()) {
    InvalidateRect(Hwnd(), nullptr, TRUE);
  } else {
    const RECT r = control->GetRect();
    InvalidateRect(Hwnd(), &r, FALSE);
  }
}

void CDlgBase::Render(HDC dc) {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  DrawWindow(dc, client);
}

void CDlgBase::DrawWindow(HDC dc, const RECT& client) {
  const SIZE size{client.right - client.left, client.bottom - client.top};
  if (!backdrop_ || size.cx != backdropSize_.cx || size.cy != backdropSize_.cy) {
    // 24 bits a pixel: the backdrop is opaque, and a window-sized one is a quarter smaller so.
    backdrop_.Reset(CreatePaintBitmap(dc, size.cx, size.cy, 24));
    backdropSize_ = size;
    if (backdrop_) {
      ScopedDC memory = CreateMemoryDC(dc);
      SelectScope select(memory.Get(), backdrop_.Get());
      DrawBackdrop(memory.Get(), client);
      if (Hwnd()) ArmBackdropTimer(kBackdropKeep);
    }
  }
  backdropUsedAt_ = std::chrono::steady_clock::now();
  if (backdrop_) {
    ScopedDC memory = CreateMemoryDC(dc);
    SelectScope select(memory.Get(), backdrop_.Get());
    BitBlt(dc, client.left, client.top, size.cx, size.cy, memory.Get(), client.left, client.top, SRCCOPY);
  } else {
    DrawBackdrop(dc, client);
  }
  DrawControls(dc, client);
}

void CDlgBase::DrawBackdrop(HDC dc, const RECT& client) {
  if (frame_.picture) {
    // A declared dialog: its frame picture covers the window.
    FillSolid(dc, client, 0);
    SkinGraphics g(dc);
    g.Draw(framePicture_, client);
    return;
  }
  FillSolid(dc, client, backgroundColour_);
  if (backgroundResource_) {
    ProgramFileView file;
    if (const auto dib = FindResourceDib(file, backgroundResource_)) DrawResourceDib(dc, 0, 0, *dib);
  } else if (backgroundDC_) {
    BitBlt(dc, 0, 0, context_.Px(kDesignWidth), context_.Px(kDesignHeight), backgroundDC_, 0, 0, SRCCOPY);
  }
}

void CDlgBase::DrawControls(HDC dc, const RECT& update) {
  ForEachControl([&](CControlBase* c) {
    if (c->IsPainted() && Intersects(c->GetRect(), update)) c->Draw(dc, update);
  });
}

void CDlgBase::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd(), &ps);
  if (IsIconic(Hwnd())) {
    SetPixel(dc, 10, 10, RGB(255, 255, 255));
  } else {
    RECT client{};
    GetClientRect(Hwnd(), &client);
    OffscreenBuffer buffer(dc, client.right, client.bottom);
    // Only the invalid part is drawn (the screen's paint context lets nothing else through
    // anyway): a dialog that updates one line of text often repaints just that line.
    IntersectClipRect(buffer.Get(), ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
    DrawWindow(buffer.Get(), client);
    buffer.Blit();
  }
  EndPaint(Hwnd(), &ps);
}

bool CDlgBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == msg::kDestroyModeless) {
    DestroyWindow(Hwnd());  // may delete this object: nothing may follow
    return true;
  }
  if (message == msg::kDeliverEvents) {
    DeliverEvents();
    result = 0;
    return true;
  }
  if (message == WM_TIMER && wParam == msg::kBackdropTimer) {
    OnBackdropTimer();
    result = 0;
    return true;
  }
  if (message == WM_MOUSEACTIVATE && neverActivated_) {
    result = MA_NOACTIVATE;
    return true;
  }
  WatchPopupDismissal(message, wParam, lParam);
  if (OnDialogMessage(message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;  // everything is painted in WM_PAINT
      return true;
    case WM_CLOSE:
      // The main window closes every open dialog this way at shutdown; it must work even for
      // dialogs that ignore Escape.
      Close(IDCANCEL);
      result = 0;
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (!(keyRules_ & kIgnoreEnter)) OnOK();
        return true;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        if (!(keyRules_ & kIgnoreEscape)) OnCancel();
        return true;
      }
      return false;
    case WM_DESTROY:
      if (registerOpen_ && context_.openDialogs) context_.openDialogs->Remove(Hwnd());
      for (auto& p : popups_) {
        if (p && p->Hwnd()) DestroyWindow(p->Hwnd());
      }
      return false;
    default:
      break;
  }
  if (RouteMouse(message, wParam, lParam)) {
    result = 0;
    return true;
  }
  return false;
}

bool CDlgBase::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const UINT flags = static_cast<UINT>(wParam);
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(flags, x, y);
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown(flags, x, y);
      return true;
    case WM_LBUTTONUP:
      OnLButtonUp(flags, x, y);
      return true;
    case WM_LBUTTONDBLCLK:
      if (CControlBase* c = ControlAt(x, y)) {
        if (c->OnLButtonDblClk(flags, x, y)) RepaintControl(c, false);
      }
      return true;
    case WM_RBUTTONUP: {
      bool inLayer0 = false;
      for (const auto& c : layers_[0]) inLayer0 = inLayer0 || c->Contains(x, y);
      if (inLayer0 && hot_ && hot_->OnRButtonUp(flags, x, y)) RepaintControl(hot_, false);
      return true;
    }
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return true;
    case WM_MOUSEHOVER:
      if (hot_ && hot_->Contains(x, y)) {
        lastPoint_ = {x, y};
        RepaintControl(hot_, false);
      }
      KeepWatchingLeave(Hwnd());
      return true;
    case WM_CAPTURECHANGED:
      captured_ = false;
      return false;
    default:
      return false;
  }
}

void CDlgBase::FindHot(UINT flags, int x, int y) {
  CControlBase* found = nullptr;
  ForEachControl([&](CControlBase* c) {
    if (!c->TakesMouse()) return;
    if (c->OnMouseMove(flags, x, y)) RepaintControl(c, false);
    if (c->Contains(x, y)) found = c;
  });
  if (found != hot_) {
    RepaintControl(hot_, false);
    RepaintControl(found, false);
    hot_ = found;
  }
  if (hot_) lastPoint_ = {x, y};
}

void CDlgBase::OnMouseMove(UINT flags, int x, int y) {
  if (!tracking_) tracking_ = TrackHoverAndLeave(Hwnd(), 1);
  if (hot_ && hot_->Contains(x, y)) {
    lastPoint_ = {x, y};
    if (hot_->OnMouseMove(flags, x, y)) RepaintControl(hot_, false);
    return;
  }
  if (buttonDown_) {
    // While the button is held over no control of its own, the pressed control follows the
    // pointer (thumbs and knobs keep dragging outside their rectangle).
    if (pressed_ && pressed_->OnMouseMove(flags, x, y)) RepaintControl(pressed_, false);
    return;
  }
  FindHot(flags, x, y);
}

void CDlgBase::OnLButtonDown(UINT flags, int x, int y) {
  if (pressed_ && pressed_ != hot_) CancelPressed();
  // A press without a move before it (the first event after the window appeared) finds its
  // control first.
  if (!hot_ || !hot_->Contains(x, y)) FindHot(flags, x, y);
  if (hot_ && hot_->Contains(x, y)) {
    buttonDown_ = true;
    pressed_ = hot_;
    pressedRect_ = hot_->GetRect();
    if (hot_->OnLButtonDown(flags, x, y)) RepaintControl(hot_, false);
    SetCapture(Hwnd());
    captured_ = true;
    return;
  }
  pressedRect_ = {-1, -1, -1, -1};
  // Pressing on a free area drags the window.
  POINT screen{x, y};
  ClientToScreen(Hwnd(), &screen);
  PostMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

void CDlgBase::OnLButtonUp(UINT flags, int x, int y) {
  if (captured_) ReleaseCapture();
  captured_ = false;
  buttonDown_ = false;
  if (hot_ && hot_->OnLButtonUp(flags, x, y)) RepaintControl(hot_, true);
  // Released outside the pressed control and the hot one: no control is hot any more.
  const bool inPressed = x >= pressedRect_.left && x < pressedRect_.right && y >= pressedRect_.top && y < pressedRect_.bottom;
  if (!inPressed && !(hot_ && hot_->Contains(x, y))) {
    lastPoint_ = {-1, -1};
    hot_ = nullptr;
  }
}

void CDlgBase::OnMouseLeave() {
  tracking_ = false;
  if (buttonDown_ || !hot_) return;
  POINT p{-1, -1};
  if (IsZoomed(Hwnd())) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(Hwnd(), &cursor);
    RECT client;
    GetClientRect(Hwnd(), &client);
    if (PtInRect(&client, cursor)) p = cursor;
  }
  hot_->OnMouseMove(0, p.x, p.y);
  RepaintControl(hot_, false);
  hot_ = nullptr;
}

}  // namespace gm::win
