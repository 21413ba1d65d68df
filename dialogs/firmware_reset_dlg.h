#pragma once
// Asks before the factory reset: OK by the confirm button or Enter; cancel by the cancel or close
// button; Escape does nothing.
#include "dialogs/confirm_dlg.h"

namespace gm::win {

class CFirmwareResetDlg : public CConfirmDlg {
 public:
  explicit CFirmwareResetDlg(const ui::UiContext& context);
};

}  // namespace gm::win
