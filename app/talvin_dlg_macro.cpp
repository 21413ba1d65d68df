// The main window's macro manager button: the manager runs modally over the window and edits the
// program's library in place; afterwards the library stays as the manager left it (not read back
// from its file, which may not hold the edits when the manager could not write it), the macro
// buttons' macros go to the mouse at once and the window shows the profile again.
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
  controller_->MacroManagerClosed();
  RefreshFromProfile();
}
