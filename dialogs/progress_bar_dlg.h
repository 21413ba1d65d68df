#pragma once
// A bar that fills in about half a second (2 % every 10 ms), then the dialog ends itself with OK.
// The bar grows from a window timer on the user-interface thread; Enter and Escape do not cut the
// run short.
//
// After an upload it is shown as a passing notice (ShowPassive): modeless, never active, and the
// pointer passes through it, so the window below keeps the activation and every click made while
// the bar runs. It can also be run modally (DoModal).
#include <string>

#include "ui/dlg_base.h"
#include "ui/skin_image.h"

namespace gm::win {

class CProgressBarDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kText = 2012 };

  CProgressBarDlg(const ui::UiContext& context, std::wstring text, std::wstring secondText, HWND parent);
  int Progress() const { return progress_; }

  // Shows the notice without activating it and without disabling its owner; it closes itself
  // once the bar is full, like a modal run. Returns its window, or nullptr when it could not be
  // created. Call once.
  HWND ShowPassive();
  // Whether the bar is still running (the window is up and has not begun to close).
  bool Running() const { return Hwnd() != nullptr && !finished_; }
  // Starts the bar again from the beginning with `text` (a later upload sent something while it
  // ran): the notice stays for a full run from now. Nothing once it has begun to close.
  void Restart(const std::wstring& text);

 protected:
  BOOL OnInitDialog() override;
  void DrawWindow(HDC dc, const RECT& client) override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void DrawBar(HDC dc) const;
  void Step();
  void Finish();

  std::wstring text_;
  int progress_ = 0;
  bool finished_ = false;
  SkinImage bar_;
};

}  // namespace gm::win
