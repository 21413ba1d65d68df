#pragma once
// The small skinned dialogs every part of the program uses: the one-message notice, the
// factory-reset confirmation and the half-second progress dialog.
#include <atomic>
#include <string>
#include <thread>

#include "ui/dlg_base.h"
#include "ui/skin_image.h"

namespace gm::win {

class CStaticText;

// Ids of the notice dialogs' controls.
enum NoticeControlId : UINT { kNoticeClose = 2004, kNoticeOk = 2010, kNoticeCancel = 2011, kNoticeHeading = 2012, kNoticeMessage = 2013, kNoticeQuestion = 3001 };

// One message with an OK button (and a close button). The heading is kept empty.
class CAttentionDlg : public CDlgBase {
 public:
  CAttentionDlg(std::wstring heading, std::wstring message, HWND parent);

  // Shows a notice that stays open (topmost, not moved or sized) until the user closes it; the
  // dialog deletes itself then. Returns its window, or nullptr.
  static HWND ShowModeless(std::wstring heading, std::wstring message, HWND parent);

  const std::wstring& Heading() const { return heading_; }
  const std::wstring& Message() const { return message_; }

 protected:
  void CreateControls(const RECT& client) override;
  void DrawWindow(HDC dc, const RECT& client) override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnDestroyed() override;

 private:
  std::wstring heading_;
  std::wstring message_;
  SkinImage frame_;
  bool deleteWhenDestroyed_ = false;
};

// Asks before the factory reset: OK by the confirm button or Enter; cancel by the cancel or close
// button; Escape does nothing.
class CFirmwareResetDlg : public CDlgBase {
 public:
  CFirmwareResetDlg();

 protected:
  void CreateControls(const RECT& client) override;
  void DrawWindow(HDC dc, const RECT& client) override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnCancel() override {}

 private:
  SkinImage frame_;
};

// Set while a progress dialog's painting thread runs.
inline std::atomic<bool> ProgressRunning{false};

// A bar that fills in about half a second, then the dialog ends itself with OK. The bar is drawn
// from a thread of its own onto the window.
class CProgressBarDlg : public CDlgBase {
 public:
  CProgressBarDlg(std::wstring text, std::wstring secondText, HWND parent);
  ~CProgressBarDlg() override;
  int Progress() const { return progress_; }

 protected:
  BOOL OnInitDialog() override;
  void CreateControls(const RECT& client) override;
  void DrawWindow(HDC dc, const RECT& client) override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Run();
  void DrawBar(HDC dc, int progress);
  void Finish();

  std::wstring text_;
  std::wstring secondText_;
  std::atomic<int> progress_{0};
  SkinImage frame_;
  SkinImage bar_;
  std::thread painter_;
};

}  // namespace gm::win
