#pragma once
// Key capture for a dialog that takes keys pressed anywhere: the keyboard hook library started on
// the dialog's window, or, when it cannot run (library missing, hook refused), the notice that
// keys cannot be captured.
#include <windows.h>

#include "macro/hook/hook_library.h"
#include "ui/ui_context.h"

namespace gm::win {

// Starts `hook` for `dialog`; false (after telling the user) when it cannot run.
bool StartKeyCapture(CKeyboardHookLibrary& hook, const ui::UiContext& context, HWND dialog);

}  // namespace gm::win
