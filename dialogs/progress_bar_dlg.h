#pragma once
// A bar that fills in about half a second (2 % every 10 ms), then the dialog ends itself with OK.
// The bar grows from a window timer on the user-interface thread; Enter and Escape do not cut the
// run short.
#include <string>

#include "ui/dlg_base.h"
#include "ui/skin_image.h"

namespace gm::win {

class CProgressBarDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kText = 2012 };

  CProgressBarDlg(const ui::UiContext& context, std::wstring text, std::wstring secondText, HWND parent);
  int Progress() const { return progress_; }

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
  SkinImage bar_;
};

}  // namespace gm::win
