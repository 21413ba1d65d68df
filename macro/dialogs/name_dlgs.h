#pragma once
// The macro manager's two name dialogs. CMacroKeyOrFolderNameDlg asks for the name of a new macro
// (mode 0) or folder (mode 1) in an empty box; confirming (button or Enter) hands the box's text
// back as typed and ends with IDOK. CMacroKeyRenameDlg starts with the current name; it ends with
// IDOK and the new text only when the text differs from the current name, otherwise with IDCANCEL
// (an unchanged name is no rename). Cancel and the close cross end with IDCANCEL; `name` changes
// only on IDOK.
#include <string>

#include "macro/dialogs/macro_field_dlg.h"

namespace gm::win {

class CMacroKeyOrFolderNameDlg final : public CMacroFieldDlg {
 public:
  static constexpr int kMacroMode = 0;
  static constexpr int kFolderMode = 1;

  // `name` must outlive the dialog.
  CMacroKeyOrFolderNameDlg(const ui::UiContext& context, HWND parent, int mode, std::wstring& name);

 protected:
  void Confirm() override;

 private:
  std::wstring& name_;
};

class CMacroKeyRenameDlg final : public CMacroFieldDlg {
 public:
  // `name` must outlive the dialog.
  CMacroKeyRenameDlg(const ui::UiContext& context, HWND parent, const std::wstring& current, std::wstring& name);

 protected:
  void Confirm() override;

 private:
  std::wstring current_;
  std::wstring& name_;
};

}  // namespace gm::win
