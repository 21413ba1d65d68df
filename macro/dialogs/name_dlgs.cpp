#include "macro/dialogs/name_dlgs.h"

#include "settings/language_indexes.h"

namespace gm::win {

CMacroKeyOrFolderNameDlg::CMacroKeyOrFolderNameDlg(const ui::UiContext& context, HWND parent, int mode,
                                                   std::wstring& name)
    : CMacroFieldDlg(context, parent, Field::kName,
                     context.Text(mode == kFolderMode ? kTextNewFolderTitle : kTextNewMacroTitle), {}),
      name_(name) {}

void CMacroKeyOrFolderNameDlg::Confirm() {
  name_ = Typed();
  Close(IDOK);
}

CMacroKeyRenameDlg::CMacroKeyRenameDlg(const ui::UiContext& context, HWND parent, const std::wstring& current,
                                       std::wstring& name)
    : CMacroFieldDlg(context, parent, Field::kName, context.Text(kTextRenameTitle), current),
      current_(current),
      name_(name) {}

void CMacroKeyRenameDlg::Confirm() {
  std::wstring typed = Typed();
  if (typed == current_) {
    Close(IDCANCEL);
    return;
  }
  name_ = std::move(typed);
  Close(IDOK);
}

}  // namespace gm::win
