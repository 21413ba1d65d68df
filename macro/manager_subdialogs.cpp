#include "macro/manager_subdialogs.h"

#include <windows.h>

#include "macro/dialogs/action_dlgs.h"
#include "macro/dialogs/name_dlgs.h"
#include "ui/ui_context.h"

namespace gm {
namespace {

// Opens the name dialogs (new macro or folder, rename) and the action dialogs (key, delay,
// amount) modally over the manager window.
class ManagerDialogs final : public ManagerSubdialogs {
 public:
  ManagerDialogs(const ui::UiContext& context, std::function<HWND()> owner)
      : context_(context), owner_(std::move(owner)) {}

  bool AskName(int mode, std::wstring& name) override {
    return Confirmed<win::CMacroKeyOrFolderNameDlg>(mode, name);
  }
  bool AskRename(const std::wstring& current, std::wstring& name) override {
    return Confirmed<win::CMacroKeyRenameDlg>(current, name);
  }
  bool EditKey(MacroAction& action) override { return Confirmed<win::CActionKeyModifyDlg>(action); }
  bool EditDelay(MacroAction& action) override { return Confirmed<win::CActionTimeModifyDlg>(action); }
  bool EditAmount(int code, MacroAction& action) override {
    return Confirmed<win::CActionXYModifyDlg>(code, action);
  }

 private:
  template <typename Dialog, typename... Args>
  bool Confirmed(Args&&... args) {
    Dialog dialog(context_, owner_(), std::forward<Args>(args)...);
    return dialog.DoModal() == IDOK;
  }

  const ui::UiContext& context_;
  std::function<HWND()> owner_;
};

}  // namespace

std::unique_ptr<ManagerSubdialogs> MakeManagerDialogs(const ui::UiContext& context,
                                                      std::function<HWND__*()> owner) {
  return std::make_unique<ManagerDialogs>(context, std::move(owner));
}

}  // namespace gm
