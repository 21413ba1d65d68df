#include "dialogs/key_capture.h"

#include "dialogs/attention_dlg.h"
#include "settings/language_indexes.h"

namespace gm::win {

bool StartKeyCapture(CKeyboardHookLibrary& hook, const ui::UiContext& context, HWND dialog) {
  if (hook.Start(dialog) == CKeyboardHookLibrary::Status::kReady) return true;
  CAttentionDlg::Tell(context, kTextKeyCaptureUnavailable, dialog);
  return false;
}

}  // namespace gm::win
