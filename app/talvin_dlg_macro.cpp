// The main window's macro manager button: the manager runs modally over the window; afterwards the
// library is read back from its file, the macro buttons' macros go to the mouse at once and the
// window shows the profile again.
#include "app/talvin_dlg.h"

#include "macro/macro_manager_dlg.h"

void CTalvinDlg::OnMacroManager() {
  controller_->MacroManagerOpening();
  {
    gm::win::CMacroManagerDlg manager(uiContext_, Hwnd(),
                                      {state_->library, state_->selectedLocation, state_->CurrentRecord(),
                                       state_->env.dataFolder});
    manager.DoModal();
  }
  LoadMacroLibrary();
  controller_->MacroManagerClosed();
  RefreshFromProfile();
}
