#include "update/win32/download_dlg.h"

#include "settings/environment.h"
#include "settings/language.h"
#include "settings/language_indexes.h"
#include "ui/buttons.h"
#include "ui/dialog_parts.h"
#include "ui/static_controls.h"
#include "ui/ui_font.h"
#include "update/update_check.h"

namespace gm::win {
namespace {

constexpr UINT kTransferDone = WM_APP + 81;

bool IsNetworkFailure(const DownloadResult& r) {
  return (r.status == DownloadStatus::OpenFailed || r.status == DownloadStatus::ReadFailed) &&
         r.error.code != 0;
}

}  // namespace

CDownloadDlg::CDownloadDlg(std::wstring title, std::wstring message, std::wstring localPath,
                           std::wstring url, HttpSource& source, HWND parent)
    : CDlgBase(parent),
      title_(std::move(title)),
      message_(std::move(message)),
      localPath_(std::move(localPath)),
      url_(std::move(url)),
      source_(source),
      reportError_([](HWND owner, const std::wstring& text) {
        MessageBoxW(owner, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
      }) {
  SetWindowSize(static_cast<int>(319 * DisplayScale), static_cast<int>(102 * DisplayScale));
}

CDownloadDlg::~CDownloadDlg() { StopTransferThread(); }

void CDownloadDlg::StopTransferThread() {
  if (!transfer_.joinable()) return;
  state_.OnClose();  // asks a running transfer to stop between chunks
  transfer_.join();
}

void CDownloadDlg::CreateControls(const RECT&) {
  frame_.LoadFile(ProgramFile(L"skins\\Frame_warning.bmp"));
  AddCloseButton(*this, kDownloadClose, DesignRect(300, 4, 315, 19));
  AddCaptionButton(*this, kDownloadStart, DesignRect(160, 70, 229, 90),
                   LanguageTexts[kTextDownloadButton]);
  AddCaptionButton(*this, kDownloadSecond, DesignRect(240, 70, 309, 90),
                   LanguageTexts[kTextCancel]);
  AddText(*this, kDownloadTitle, DesignRect(21, 11, 175, 31), kTextGrey,
          DT_LEFT | DT_SINGLELINE, title_);
  AddText(*this, kDownloadMessage, DesignRect(0, 40, 319, 60), kTextGrey, kCentredWrapped,
          message_);
}

void CDownloadDlg::DrawWindow(HDC dc, const RECT& client) {
  FillSolid(dc, client, 0);
  {
    SkinGraphics g(dc);
    g.Draw(frame_, client);
  }
  DrawControls(dc, client);
}

void CDownloadDlg::Start() {
  if (!state_.OnStart()) return;
  SetTimer(Hwnd(), DownloadDialogState::kAnimationTimer, DownloadDialogState::kAnimationMs, nullptr);
  HWND hwnd = Hwnd();
  transfer_ = std::thread([this, hwnd] {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    DownloadOptions options;
    options.cancel = state_.CancelFlag();
    std::optional<DownloadResult> r = RunExclusiveDownload(gate_, source_, localPath_, url_, options);
    threadResult_ = r ? *r : DownloadResult{};  // another transfer running: nothing downloaded
    PostMessageW(hwnd, kTransferDone, 0, 0);
  });
}

void CDownloadDlg::OnTransferDone() {
  if (transfer_.joinable()) transfer_.join();
  KillTimer(Hwnd(), DownloadDialogState::kAnimationTimer);
  const DialogEnd end = state_.OnTransferFinished(threadResult_);
  if (end != DialogEnd::None) {
    Finish(end);
    return;
  }
  if (IsNetworkFailure(threadResult_) && reportError_) {
    reportError_(Hwnd(), NetworkErrorMessage(threadResult_.error));
  }
  SetTimer(Hwnd(), DownloadDialogState::kFinishTimer, DownloadDialogState::kFinishMs, nullptr);
}

void CDownloadDlg::Finish(DialogEnd end) {
  KillTimer(Hwnd(), DownloadDialogState::kAnimationTimer);
  KillTimer(Hwnd(), DownloadDialogState::kFinishTimer);
  frame_.Reset();
  Close(end == DialogEnd::Ok ? IDOK : IDCANCEL);
}

void CDownloadDlg::OnCancel() {
  const DialogEnd end = state_.OnClose();
  if (end != DialogEnd::None) Finish(end);
}

bool CDownloadDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  switch (message) {
    case kDownloadStart:
      if (lParam == kEventClicked) Start();
      return true;
    case kDownloadClose:
    case kDownloadSecond:
      if (lParam == kEventClicked) OnCancel();
      return true;
    case kTransferDone:
      OnTransferDone();
      return true;
    case WM_CLOSE:
      // The window may not go while the transfer thread runs; it ends after the thread.
      OnCancel();
      return true;
    case WM_TIMER:
      if (wParam == DownloadDialogState::kAnimationTimer) {
        if (auto* text = static_cast<CStaticText*>(GetControl(kDownloadMessage))) {
          text->SetLabel(LanguageTexts[state_.OnAnimationTick()]);
          RepaintControl(text, false);
        }
        return true;
      }
      if (wParam == DownloadDialogState::kFinishTimer) {
        KillTimer(Hwnd(), DownloadDialogState::kFinishTimer);
        Finish(state_.OnFinishTimer());
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace gm::win
