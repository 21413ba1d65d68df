#include "ui/notice_dialogs.h"

#include <chrono>

#include "settings/environment.h"
#include "settings/language.h"
#include "ui/buttons.h"
#include "ui/dialog_parts.h"
#include "ui/static_controls.h"
#include "ui/ui_font.h"

namespace gm::win {
namespace {

constexpr UINT_PTR kCloseTimer = 2;
constexpr UINT kStartCloseTimer = WM_APP + 2;  // the painting thread has finished
constexpr int kFrameWidth = 429;
constexpr int kFrameHeight = 140;

void DrawFrame(HDC dc, const SkinImage& frame, const RECT& client) {
  SkinGraphics g(dc);
  g.Draw(frame, client);
}

}  // namespace

CAttentionDlg::CAttentionDlg(std::wstring heading, std::wstring message, HWND parent)
    : CDlgBase(parent), heading_(), message_(std::move(message)) {
  (void)heading;  // the heading line is always left empty
  SetWindowSize(static_cast<int>(319 * DisplayScale), static_cast<int>(102 * DisplayScale));
}

HWND CAttentionDlg::ShowModeless(std::wstring heading, std::wstring message, HWND parent) {
  auto* dlg = new CAttentionDlg(std::move(heading), std::move(message), parent);
  HWND hwnd = dlg->CreateModelessDialog();
  if (!hwnd) {
    delete dlg;
    return nullptr;
  }
  dlg->deleteWhenDestroyed_ = true;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return hwnd;
}

void CAttentionDlg::CreateControls(const RECT&) {
  frame_.LoadFile(ProgramFile(L"skins\\Frame_warning.bmp"));
  AddCloseButton(*this, kNoticeClose, DesignRect(300, 4, 315, 19));
  AddCaptionButton(*this, kNoticeOk, DesignRect(240, 70, 309, 90), LanguageTexts[4]);
  AddText(*this, kNoticeHeading, DesignRect(21, 11, 175, 31), kTextGrey, DT_LEFT | DT_SINGLELINE, heading_);
  AddText(*this, kNoticeMessage, DesignRect(0, 40, 319, 60), kTextGrey, kCentredWrapped, message_);
}

void CAttentionDlg::DrawWindow(HDC dc, const RECT& client) {
  FillSolid(dc, client, 0);
  DrawFrame(dc, frame_, client);
  DrawControls(dc, client);
}

bool CAttentionDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  if (lParam == kEventClicked && (message == kNoticeOk || message == kNoticeClose)) {
    frame_.Reset();
    Close(message == kNoticeOk ? IDOK : IDCANCEL);
    return true;
  }
  return false;
}

void CAttentionDlg::OnDestroyed() {
  if (deleteWhenDestroyed_) delete this;
}

CFirmwareResetDlg::CFirmwareResetDlg() : CDlgBase(nullptr) {
  SetWindowSize(static_cast<int>(kFrameWidth * DisplayScale), static_cast<int>(kFrameHeight * DisplayScale));
}

void CFirmwareResetDlg::CreateControls(const RECT&) {
  frame_.LoadFile(ProgramFile(L"skins\\Frame_common.bmp"));
  AddCloseButton(*this, kNoticeClose, DesignRect(405, 4, 420, 19));
  AddCaptionButton(*this, kNoticeOk, DesignRect(260, 110, 329, 130), LanguageTexts[4]);
  AddCaptionButton(*this, kNoticeCancel, DesignRect(350, 110, 419, 130), LanguageTexts[5]);
  AddText(*this, kNoticeQuestion, DesignRect(0, 60, 429, 108), kTextGrey, kCentredWrapped, LanguageTexts[140]);
}

void CFirmwareResetDlg::DrawWindow(HDC dc, const RECT& client) {
  FillSolid(dc, client, 0);
  DrawFrame(dc, frame_, client);
  DrawControls(dc, client);
}

bool CFirmwareResetDlg::OnDialogMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
  if (lParam != kEventClicked) return false;
  if (message == kNoticeOk) {
    Close(IDOK);
    return true;
  }
  if (message == kNoticeCancel || message == kNoticeClose) {
    Close(IDCANCEL);
    return true;
  }
  return false;
}

CProgressBarDlg::CProgressBarDlg(std::wstring text, std::wstring secondText, HWND parent)
    : CDlgBase(parent), text_(std::move(text)), secondText_(std::move(secondText)) {
  SetWindowSize(static_cast<int>(kFrameWidth * DisplayScale), static_cast<int>(kFrameHeight * DisplayScale));
}

CProgressBarDlg::~CProgressBarDlg() {
  if (painter_.joinable()) painter_.join();
}

BOOL CProgressBarDlg::OnInitDialog() {
  frame_.LoadFile(ProgramFile(L"skins\\Frame_progress_nr.bmp"));
  bar_.LoadFile(ProgramFile(L"skins\\Frame_progress_ov.bmp"));
  const BOOL result = CDlgBase::OnInitDialog();
  ProgressRunning = false;
  progress_ = 0;
  try {
    painter_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    // Without a painting thread the dialog still ends by itself.
    SetTimer(Hwnd(), kCloseTimer, 500, nullptr);
  }
  return result;
}

void CProgressBarDlg::CreateControls(const RECT&) {
  auto text = std::make_unique<CStaticText>(Hwnd(), kNoticeHeading, DesignRect(10, 3, 164, 23), 0xBEBEBE,
                                            DT_LEFT | DT_SINGLELINE);
  text->SetFont(static_cast<int>(18 * DisplayScale), ui::CurrentUiFont().name);
  text->SetLabel(text_);
  AddControl(0, std::move(text));
}

void CProgressBarDlg::DrawBar(HDC dc, int progress) {
  const int width = progress * kFrameWidth / 100;
  const double s = DisplayScale;
  SkinGraphics g(dc);
  g.DrawPart(bar_, 0, 66, width, 12,
             {0, static_cast<LONG>(66 * s), static_cast<LONG>(width * s), static_cast<LONG>(78 * s)});
}

void CProgressBarDlg::DrawWindow(HDC dc, const RECT& client) {
  FillSolid(dc, client, 0);
  {
    SkinGraphics g(dc);
    g.DrawPart(frame_, 0, 0, kFrameWidth, kFrameHeight, client);
  }
  // A repaint keeps the part of the bar drawn so far.
  DrawBar(dc, progress_);
  DrawControls(dc, client);
}

void CProgressBarDlg::Run() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  HWND hwnd = Hwnd();
  if (ProgressRunning.exchange(true)) {
    // Another bar is being drawn; this dialog still ends by itself.
    PostMessageW(hwnd, kStartCloseTimer, 0, 0);
    return;
  }
  // A dialog closed early (shutdown) stops the bar.
  while (progress_ < 100 && IsWindow(hwnd)) {
    {
      ScopedWindowDC dc(hwnd);
      if (dc.Get()) DrawBar(dc.Get(), progress_);
    }
    progress_ = std::min(100, progress_ + 2);
    Sleep(10);
  }
  PostMessageW(hwnd, kStartCloseTimer, 0, 0);
  ProgressRunning = false;
}

void CProgressBarDlg::Finish() {
  KillTimer(Hwnd(), kCloseTimer);
  if (painter_.joinable()) painter_.join();
  frame_.Reset();
  bar_.Reset();
  Close(IDOK);
}

bool CProgressBarDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == kStartCloseTimer) {
    SetTimer(Hwnd(), kCloseTimer, 20, nullptr);
    result = 0;
    return true;
  }
  if (message == WM_TIMER && wParam == kCloseTimer) {
    Finish();
    result = 0;
    return true;
  }
  // Enter and Escape do not cut the run short.
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) return true;
  return false;
}

}  // namespace gm::win
