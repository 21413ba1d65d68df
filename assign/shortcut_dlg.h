#pragma once
// CShortcutDlg: takes a key combination for a button. While it is open, KeyboardHook.dll reports
// every key typed anywhere; the last key that is not a Windows, Shift, Ctrl or Alt key becomes the
// chosen key and its name is shown. Check boxes add Ctrl, Shift, Alt and Win; the no-modifier box
// disables them and counts them for nothing. OK sends msg::kShortcutChosen (wParam 0, lParam the
// selection record "Ctrl+Shift+S" with 70 <modifiers> <usage>) to the owner and ends with IDOK;
// with neither a key nor a modifier nothing is sent. Cancel and the close cross send nothing.
// When the key capture cannot start (the library is missing or its hook is refused) the dialog
// says so and ends with IDCANCEL at once: a key combination cannot be chosen without it.
#include <string>

#include "assign/shortcut_keys.h"
#include "macro/hook/hook_library.h"
#include "ui/dlg_base.h"

namespace gm::win {

class CShortcutDlg final : public CDlgBase {
 public:
  enum ControlId : UINT {
    kClose = 2004,
    kNoModifier = 2005,
    kCtrl = 2006,
    kAlt = 2007,
    kShift = 2008,
    kWin = 2009,
    kOk = 2010,
    kCancel = 2011,
    kKeyName = 2012,
    kTitle = 2030,
    kNoModifierLabel = 2031,
    kCtrlLabel = 2032,
    kShiftLabel = 2033,
    kAltLabel = 2034,
    kWinLabel = 2035,
  };

  // `hookLibrary`: the path of KeyboardHook.dll (the program folder's).
  CShortcutDlg(const ui::UiContext& context, HWND parent, const std::wstring& hookLibrary);

  const ChosenKey& Key() const { return key_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool Checked(UINT id) const;
  void FollowNoModifier();
  void Confirm();

  CKeyboardHookLibrary hook_;
  ChosenKey key_;
};

}  // namespace gm::win
