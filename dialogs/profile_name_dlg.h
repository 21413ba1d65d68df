#pragma once
// The two profile name dialogs: CAddProfileDlg names a new profile (the box starts empty),
// CEditProfileDlg renames one (the box starts with the profile's name). They differ only in title
// and start text. OK (button or Enter) with an empty box shows a notice and keeps the dialog open;
// otherwise the name takes the typed text, as typed, and the dialog ends with IDOK. Cancel and the
// close cross end with IDCANCEL and leave the name as it was; Escape does nothing.
// The dialogs edit the name alone, never a copy of the whole profile: the mouse may change the
// profile while a dialog is open (its DPI button, the report rate), and OK must not put back what
// the profile held when the dialog opened.
#include <string>

#include "ui/dlg_base.h"
#include "ui/record_edit.h"

namespace gm::win {

class CEditBox;

class CProfileNameDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kCancel = 2011, kTitle = 2012, kName = 2017 };

  // The name box (null before the window opens).
  CEditBox* NameBox() const;

 protected:
  // `name` must outlive the dialog; it changes only when the dialog is confirmed.
  CProfileNameDlg(const ui::UiContext& context, HWND parent, std::wstring& name, int titleText);

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void Confirm();

  ui::RecordEdit<std::wstring> edit_;
};

class CAddProfileDlg final : public CProfileNameDlg {
 public:
  // The box starts empty whatever `name` holds; `name` takes the typed name on OK.
  CAddProfileDlg(const ui::UiContext& context, HWND parent, std::wstring& name);
};

class CEditProfileDlg final : public CProfileNameDlg {
 public:
  // The box starts with `name`, which takes the typed name on OK.
  CEditProfileDlg(const ui::UiContext& context, HWND parent, std::wstring& name);
};

}  // namespace gm::win
