#include "macro/dialogs/action_dlgs.h"

#include <string>

#include "assign/key_tables.h"
#include "dialogs/key_capture.h"
#include "macro/action_edit.h"
#include "macro/key_report.h"
#include "settings/language_indexes.h"
#include "ui/program_messages.h"

namespace gm::win {
namespace {

std::wstring KeyName(std::uint8_t key) { return std::wstring(VirtualKeyName(key)); }

}  // namespace

CActionKeyModifyDlg::CActionKeyModifyDlg(const ui::UiContext& context, HWND parent, MacroAction& action)
    : CMacroFieldDlg(context, parent, Field::kText, context.Text(kTextKeyTitle), KeyName(action.Code())),
      edit_(action),
      hook_(context.ProgramFile(L"KeyboardHook.dll")) {}

CActionKeyModifyDlg::~CActionKeyModifyDlg() { hook_.Stop(); }

// Without the keyboard hook no key can be chosen: the dialog says so and closes unchanged.
BOOL CActionKeyModifyDlg::OnInitDialog() {
  const BOOL result = CMacroFieldDlg::OnInitDialog();
  if (!StartKeyCapture(hook_, context_, Hwnd())) Close(IDCANCEL);
  return result;
}

// Every report, press or release, makes its key the current one, under the code a key action
// keeps for it; a report that names no such key (one of the codes that mean mouse events in a
// macro and have no key code of their own) leaves the current key as it is.
bool CActionKeyModifyDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_DESTROY) {
    hook_.Stop();  // no report may arrive for a window that is going
    return false;
  }
  if (message != msg::kKeyReport) return false;
  result = 0;
  const std::uint8_t key = wParam <= 0xFF ? KeyActionCode(static_cast<std::uint32_t>(wParam)) : 0;
  if (key == 0) return true;
  edit_.Edited() = WithKey(edit_.Edited(), key);
  SetControlText(kField, KeyName(key));
  return true;
}

void CActionKeyModifyDlg::Confirm() {
  hook_.Stop();
  edit_.Confirm();
  Close(IDOK);
}

void CActionKeyModifyDlg::Cancel() {
  hook_.Stop();
  CMacroFieldDlg::Cancel();
}

CActionTimeModifyDlg::CActionTimeModifyDlg(const ui::UiContext& context, HWND parent, MacroAction& action)
    : CMacroFieldDlg(context, parent, Field::kNumber, context.Text(kTextDelayTitle), DelayEditText(action)),
      edit_(action) {}

void CActionTimeModifyDlg::Confirm() {
  edit_.Edited() = DelayFromText(Typed());
  edit_.Confirm();
  Close(IDOK);
}

CActionXYModifyDlg::CActionXYModifyDlg(const ui::UiContext& context, HWND parent, int code, MacroAction& action)
    : CMacroFieldDlg(context, parent, Field::kNumber, context.Text(AmountLabelText(code)), AmountEditText(action)),
      code_(code),
      edit_(action) {}

void CActionXYModifyDlg::Confirm() {
  edit_.Edited() = AmountFromText(code_, Typed(), edit_.Edited());
  edit_.Confirm();
  Close(IDOK);
}

}  // namespace gm::win
