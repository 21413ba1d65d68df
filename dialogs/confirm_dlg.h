#pragma once
// A yes-or-no question: the question's text over a confirm and a cancel button. OK by the confirm
// button or Enter; cancel by the cancel or close button; Escape does nothing.
#include <string>

#include "ui/dlg_base.h"

namespace gm::win {

class CConfirmDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kCancel = 2011, kQuestion = 3001 };

  CConfirmDlg(const ui::UiContext& context, HWND parent, const std::wstring& question);
};

}  // namespace gm::win
