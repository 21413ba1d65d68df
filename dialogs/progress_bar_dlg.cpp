#include "dialogs/progress_bar_dlg.h"

#include <algorithm>

namespace gm::win {
namespace {

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_progress_nr.bmp"};
constexpr UINT_PTR kStepTimer = 1;
constexpr UINT kStepMs = 10;
constexpr int kStepPercent = 2;
constexpr UINT_PTR kCloseTimer = 2;
constexpr UINT kCloseMs = 20;
// The bar's strip of the frame, in design units.
constexpr int kBarTop = 66;
constexpr int kBarHeight = 12;

constexpr ui::ControlSpec kControls[] = {
    {.id = CProgressBarDlg::kText, .kind = ui::ControlClass::kStaticText, .rect = {10, 3, 164, 23},
     .textColour = 0xBEBEBE, .fontHeight = 18, .layer = 0},
};

}  // namespace

CProgressBarDlg::CProgressBarDlg(const ui::UiContext& context, std::wstring text, std::wstring, HWND parent)
    : CDlgBase(context, parent), text_(std::move(text)) {
  Declare(kFrame, kControls, kIgnoreEnter | kIgnoreEscape);
  SetControlText(kText, text_);
}

HWND CProgressBarDlg::ShowPassive() {
  SetNeverActivated();
  return CreateModelessDialog();
}

BOOL CProgressBarDlg::OnInitDialog() {
  bar_.LoadShared(Context(), L"skins\\Frame_progress_ov.bmp");
  if (NeverActivated()) {
    // The pointer passes through: a window that is layered and transparent is left out when the
    // system looks for the window under the pointer (on Windows and under Wine alike), so a click
    // on the notice reaches the window below it. Fully opaque, it looks as it always did.
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    SetLayeredWindowAttributes(Hwnd(), 0, 255, LWA_ALPHA);
  }
  const BOOL result = CDlgBase::OnInitDialog();
  progress_ = 0;
  SetTimer(Hwnd(), kStepTimer, kStepMs, nullptr);
  // Without a focus of its own a passing notice leaves the keyboard where it was.
  return NeverActivated() ? FALSE : result;
}

void CProgressBarDlg::Restart(const std::wstring& text) {
  if (!Running()) return;
  if (text != text_) {
    text_ = text;
    SetControlText(kText, text_);
  }
  progress_ = 0;
  KillTimer(Hwnd(), kCloseTimer);
  SetTimer(Hwnd(), kStepTimer, kStepMs, nullptr);
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CProgressBarDlg::DrawBar(HDC dc) const {
  const int width = progress_ * kFrame.width / 100;
  const double s = Context().displayScale;
  SkinGraphics g(dc);
  g.DrawPart(bar_, 0, kBarTop, width, kBarHeight,
             {0, static_cast<LONG>(kBarTop * s), static_cast<LONG>(width * s), static_cast<LONG>((kBarTop + kBarHeight) * s)});
}

void CProgressBarDlg::DrawWindow(HDC dc, const RECT& client) {
  CDlgBase::DrawWindow(dc, client);
  DrawBar(dc);
}

void CProgressBarDlg::Step() {
  progress_ = std::min(100, progress_ + kStepPercent);
  const double s = Context().displayScale;
  const RECT strip{0, static_cast<LONG>(kBarTop * s), static_cast<LONG>(kFrame.width * s),
                   static_cast<LONG>((kBarTop + kBarHeight) * s)};
  InvalidateRect(Hwnd(), &strip, FALSE);
  if (progress_ < 100) return;
  KillTimer(Hwnd(), kStepTimer);
  SetTimer(Hwnd(), kCloseTimer, kCloseMs, nullptr);
}

void CProgressBarDlg::Finish() {
  finished_ = true;
  KillTimer(Hwnd(), kStepTimer);
  KillTimer(Hwnd(), kCloseTimer);
  bar_.Reset();
  Close(IDOK);
}

bool CProgressBarDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_CLOSE) {
    finished_ = true;  // closed from outside (the program ends): the base ends the dialog
    return false;
  }
  if (message != WM_TIMER) return false;
  if (wParam == kStepTimer) Step();
  if (wParam == kCloseTimer) Finish();
  result = 0;
  return true;
}

}  // namespace gm::win
