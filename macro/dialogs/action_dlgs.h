#pragma once
// The editors of one macro action; each edits a copy and writes it back only when confirmed
// (IDOK); cancel and the close cross end with IDCANCEL and leave the action as it was.
//   CActionKeyModifyDlg   takes the next key pressed anywhere (its keyboard hook runs while it is
//                         open) and shows its name; confirm sets byte 0 to that key.
//   CActionTimeModifyDlg  a delay in milliseconds; confirm (or Enter) writes 03 and the value,
//                         at most 15,300,000, most significant byte first.
//   CActionXYModifyDlg    the amount of a move or wheel action for insert code 5..10 (left, right,
//                         up, down, wheel up, wheel down); confirm (or Enter) writes bytes 0, 2, 3
//                         (macro/action_edit.h).
// The two number boxes show the digits-only notice for other characters.
#include <cstdint>

#include "macro/dialogs/macro_field_dlg.h"
#include "macro/hook/hook_library.h"
#include "macro/macro_model.h"
#include "ui/record_edit.h"

namespace gm::win {

class CActionKeyModifyDlg final : public CMacroFieldDlg {
 public:
  // `action` must outlive the dialog.
  CActionKeyModifyDlg(const ui::UiContext& context, HWND parent, MacroAction& action);
  ~CActionKeyModifyDlg() override;

  // The key the dialog would store now.
  std::uint8_t CurrentKey() const { return edit_.Edited().Code(); }

 protected:
  BOOL OnInitDialog() override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Confirm() override;
  void Cancel() override;

 private:
  ui::RecordEdit<MacroAction> edit_;
  CKeyboardHookLibrary hook_;
};

class CActionTimeModifyDlg final : public CMacroFieldDlg {
 public:
  // `action` must outlive the dialog.
  CActionTimeModifyDlg(const ui::UiContext& context, HWND parent, MacroAction& action);

 protected:
  void Confirm() override;

 private:
  ui::RecordEdit<MacroAction> edit_;
};

class CActionXYModifyDlg final : public CMacroFieldDlg {
 public:
  // `code` is the insert code 5..10; `action` must outlive the dialog.
  CActionXYModifyDlg(const ui::UiContext& context, HWND parent, int code, MacroAction& action);

 protected:
  void Confirm() override;

 private:
  int code_;
  ui::RecordEdit<MacroAction> edit_;
};

}  // namespace gm::win
