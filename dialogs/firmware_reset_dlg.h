#pragma once
// Asks before the factory reset: OK by the confirm button or Enter; cancel by the cancel or close
// button; Escape does nothing.
#include "ui/dlg_base.h"

namespace gm::win {

class CFirmwareResetDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kCancel = 2011, kQuestion = 3001 };

  explicit CFirmwareResetDlg(const ui::UiContext& context);
};

}  // namespace gm::win
