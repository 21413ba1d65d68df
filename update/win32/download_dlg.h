#pragma once
// The download dialog: shows a title and a message, and on its start button downloads one file on
// a thread of its own while its message text animates once a second. It ends with OK a moment
// after the transfer has finished (whatever its result: the creator looks at Result()), or with
// cancel from its close and second buttons, which stop a running transfer first.
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "ui/dlg_base.h"
#include "ui/skin_image.h"
#include "update/download.h"
#include "update/download_dialog_state.h"
#include "update/http_source.h"
#include "update/update_check.h"

namespace gm::win {

class CDownloadDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kStart = 2010, kSecond = 2011, kTitle = 2012, kMessage = 2013 };

  // `context` and `source` must outlive the dialog.
  CDownloadDlg(const ui::UiContext& context, std::wstring title, std::wstring message, std::wstring localPath,
               std::wstring url, HttpSource& source, HWND parent);
  ~CDownloadDlg() override;

  // How a network error's text is shown (a message box by default).
  void SetErrorReporter(std::function<void(HWND, const std::wstring&)> report) {
    reportError_ = std::move(report);
  }

  // The transfer's result once it has finished.
  const std::optional<DownloadResult>& Result() const { return state_.Result(); }
  const DownloadDialogState& State() const { return state_; }
  bool TransferRunning() const { return gate_.Running(); }

 protected:
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnCancel() override;

 private:
  void Start();
  void OnTransferDone();
  void Finish(DialogEnd end);
  void StopTransferThread();

  std::wstring title_;
  std::wstring message_;
  std::wstring localPath_;
  std::wstring url_;
  HttpSource& source_;
  DownloadGate gate_;  // this dialog starts the transfers: at most one at a time
  DownloadDialogState state_;
  DownloadResult threadResult_;  // written by the thread before it posts kTransferDone
  std::thread transfer_;
  std::function<void(HWND, const std::wstring&)> reportError_;
};

}  // namespace gm::win
