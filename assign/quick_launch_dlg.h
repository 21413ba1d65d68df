#pragma once
// CQuickLaunchDlg: chooses the program a button launches. Browse opens the system's open-file
// dialog (*.exe files, an existing file only); the chosen file's name is shown. OK ends the dialog
// with IDOK and then sends msg::kQuickLaunchChosen to the owner: wParam the full path (a wchar_t
// string), lParam the selection record (the file name with 60 05 00); without a chosen file both
// are empty. Cancel and the close cross send nothing.
#include <string>

#include "ui/dlg_base.h"

namespace gm::win {

class CQuickLaunchDlg final : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kCancel = 2011, kBrowse = 2012, kFileName = 2013, kTitle = 2030 };

  CQuickLaunchDlg(const ui::UiContext& context, HWND parent);

  const std::wstring& Path() const { return path_; }

 private:
  void Browse();
  void Confirm();

  std::wstring path_;
};

}  // namespace gm::win
