#pragma once
// Asks a yes-or-no question (by default, before the factory reset): OK by the confirm button or
// Enter; cancel by the cancel or close button; Escape does nothing.
#include "settings/language_indexes.h"
#include "ui/dlg_base.h"

namespace gm::win {

class CFirmwareResetDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kCancel = 2011, kQuestion = 3001 };

  // The question is language text `questionIndex`; confirming it is the caller's action.
  explicit CFirmwareResetDlg(const ui::UiContext& context, HWND parent = nullptr,
                             int questionIndex = kTextFactoryResetQuestion);
};

}  // namespace gm::win
