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

BOOL CProgressBarDlg::OnInitDialog() {
  bar_.LoadShared(Context(), L"skins\\Frame_progress_ov.bmp");
  const BOOL result = CDlgBase::OnInitDialog();
  progress_ = 0;
  SetTimer(Hwnd(), kStepTimer, kStepMs, nullptr);
  return result;
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
  KillTimer(Hwnd(), kStepTimer);
  KillTimer(Hwnd(), kCloseTimer);
  bar_.Reset();
  Close(IDOK);
}

bool CProgressBarDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_TIMER) return false;
  if (wParam == kStepTimer) Step();
  if (wParam == kCloseTimer) Finish();
  result = 0;
  return true;
}

}  // namespace gm::win
