#include "update/win32/download_dlg.h"

#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/program_messages.h"
#include "update/update_check.h"

namespace gm::win {
namespace {

constexpr DialogFrame kFrame{319, 102, L"skins\\Frame_warning.bmp"};

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(CDownloadDlg::kClose, 300),
    ui::CaptionButton(CDownloadDlg::kStart, {150, 70, 229, 90}, kTextDownloadButton),
    ui::CaptionButton(CDownloadDlg::kSecond, {240, 70, 309, 90}, kTextCancel),
    ui::TextLine(CDownloadDlg::kTitle, {21, 11, 175, 31}, ui::TextAlign::kLeft),
    // Two lines between the heading band and the button row, centred (as a notice's).
    ui::TextLine(CDownloadDlg::kMessage, {8, 30, 311, 68}, ui::TextAlign::kCentreWrapped),
};

bool IsNetworkFailure(const DownloadResult& r) {
  return (r.status == DownloadStatus::OpenFailed || r.status == DownloadStatus::ReadFailed) &&
         r.error.code != 0;
}

}  // namespace

CDownloadDlg::CDownloadDlg(const ui::UiContext& context, std::wstring title, std::wstring message,
                           std::wstring localPath, std::wstring url, HttpSource& source, HWND parent)
    : CDlgBase(context, parent),
      title_(std::move(title)),
      message_(std::move(message)),
      localPath_(std::move(localPath)),
      url_(std::move(url)),
      source_(source),
      reportError_([](HWND owner, const std::wstring& text) {
        MessageBoxW(owner, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
      }) {
  Declare(kFrame, kControls);
  SetHandlers({{kStart, kEventClicked, [this] { Start(); }},
               {kClose, kEventClicked, [this] { OnCancel(); }},
               {kSecond, kEventClicked, [this] { OnCancel(); }}});
  SetControlText(kTitle, title_);
  SetControlText(kMessage, message_);
}

CDownloadDlg::~CDownloadDlg() { StopTransferThread(); }

void CDownloadDlg::StopTransferThread() {
  if (!transfer_.joinable()) return;
  state_.OnClose();  // asks a running transfer to stop between chunks
  transfer_.join();
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
    PostMessageW(hwnd, msg::kTransferDone, 0, 0);
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
  Close(end == DialogEnd::Ok ? IDOK : IDCANCEL);
}

void CDownloadDlg::OnCancel() {
  const DialogEnd end = state_.OnClose();
  if (end != DialogEnd::None) Finish(end);
}

bool CDownloadDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case msg::kTransferDone:
      OnTransferDone();
      return true;
    case WM_CLOSE:
      // The window may not go while the transfer thread runs; it ends after the thread.
      OnCancel();
      return true;
    case WM_TIMER:
      if (wParam == DownloadDialogState::kAnimationTimer) {
        SetControlText(kMessage, Context().Text(state_.OnAnimationTick()));
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
