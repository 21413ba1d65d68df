#pragma once
// The two profile name dialogs: CAddProfileDlg names a new profile (the box starts empty),
// CEditProfileDlg renames one (the box starts with the profile's name). They differ only in title
// and start text. OK (button or Enter) with an empty box shows a notice and keeps the dialog open;
// otherwise the record takes the typed name, as typed, and the dialog ends with IDOK. Cancel and
// the close cross end with IDCANCEL and leave the record as it was; Escape does nothing.
#include <string>

#include "settings/profile_record.h"
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
  // `record` must outlive the dialog; it changes only when the dialog is confirmed.
  CProfileNameDlg(const ui::UiContext& context, HWND parent, ProfileRecord& record, int titleText,
                  const std::wstring& startText);

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void Confirm();

  ui::RecordEdit<ProfileRecord> edit_;
};

class CAddProfileDlg final : public CProfileNameDlg {
 public:
  CAddProfileDlg(const ui::UiContext& context, HWND parent, ProfileRecord& record);
};

class CEditProfileDlg final : public CProfileNameDlg {
 public:
  CEditProfileDlg(const ui::UiContext& context, HWND parent, ProfileRecord& record);
};

}  // namespace gm::win
