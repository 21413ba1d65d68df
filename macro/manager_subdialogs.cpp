#include "macro/manager_subdialogs.h"

#include <windows.h>

#include "ui/ui_context.h"

namespace gm {
namespace {

// Opens the name dialogs (new macro or folder, rename) and the action dialogs (key, delay,
// amount) over the manager window. Until those dialogs are part of the program every question
// answers "cancelled", which leaves the library as it was.
class ManagerDialogs final : public ManagerSubdialogs {
 public:
  ManagerDialogs(const ui::UiContext& context, std::function<HWND()> owner)
      : context_(context), owner_(std::move(owner)) {}

  bool AskName(int, std::wstring&) override { return false; }
  bool AskRename(const std::wstring&, std::wstring&) override { return false; }
  bool EditKey(MacroAction&) override { return false; }
  bool EditDelay(MacroAction&) override { return false; }
  bool EditAmount(int, MacroAction&) override { return false; }

 private:
  [[maybe_unused]] const ui::UiContext& context_;
  [[maybe_unused]] std::function<HWND()> owner_;
};

}  // namespace

std::unique_ptr<ManagerSubdialogs> MakeManagerDialogs(const ui::UiContext& context,
                                                      std::function<HWND__*()> owner) {
  return std::make_unique<ManagerDialogs>(context, std::move(owner));
}

}  // namespace gm
