// The main window's commands: one row {control id, event, handler} per thing a control of the window
// does. The window's own rows: the section headers open and close their sections, exit ends the
// program, minimise hides the window, the web link opens the maker's site.
#include <string>

#include "app/talvin_dlg.h"

std::vector<gm::win::EventHandler> CTalvinDlg::CommandTable() {
  using gm::win::kEventClicked;
  std::vector<gm::win::EventHandler> rows = {
      {gm::kControlExit, kEventClicked, [this] { ExitProgram(); }},
      {gm::kControlMinimise, kEventClicked, [this] { host_.Hide(); }},
      {gm::kControlWebLink, kEventClicked,
       [this] { host_.OpenUrl(std::wstring(L"https://") + gm::win::kMakerWebAddress); }},
  };
  AddAssignmentCommands(rows);
  AddProfileCommands(rows);
  for (int i = 0; i < gm::kSectionCount; ++i) {
    const auto section = static_cast<gm::Section>(i);
    rows.push_back({static_cast<UINT>(gm::kSectionHeaderIds[i]), kEventClicked,
                    [this, section] { OnSectionHeaderClicked(section); }});
  }
  // Settings and window commands (talvin_dlg_settings.cpp, talvin_dlg_window_commands.cpp).
  for (gm::win::EventHandler& row : SettingsCommandRows()) rows.push_back(std::move(row));
  for (gm::win::EventHandler& row : WindowCommandRows()) rows.push_back(std::move(row));
  return rows;
}

// The sections below the header move: the whole window is painted again.
void CTalvinDlg::OnSectionHeaderClicked(gm::Section section) {
  sections_.OnHeaderClicked(section, state_->sensor);
  RefreshFromProfile();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}
