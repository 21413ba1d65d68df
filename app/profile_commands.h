#pragma once
// The profile operations as the main window runs them from its profile-operation timer: one
// function per entry of the profile menu (import, export, rename, remove, add, and the notice
// that all five profiles are in use), plus RunProfileOperation that picks one by its code. Each
// shows what it needs (file dialogs, name dialogs, notices) owned by the given window, changes the
// application state, and asks its host to save everything and to refresh the window. Nothing is
// sent to the mouse.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "ui/ui_context.h"

namespace gm::win {

// A file dialog for a profile file (".psf").
struct ProfileFileRequest {
  HWND owner = nullptr;
  bool save = false;   // the save dialog (export), else the open dialog (import)
  std::wstring title;
};

// Shows the common open or save dialog for a profile file: the "psf file(*.psf)" filter, default
// extension "psf", initial name ".psf", the process's current directory, a 260-character name and
// OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_READONLY for both. The chosen path, or none when the
// user cancelled.
std::optional<std::wstring> ShowProfileFileDialog(const ProfileFileRequest& request);

// What a profile command needs from the main window.
class ProfileCommandHost {
 public:
  // Writes config.ini (with the current profile) and the five profile files.
  virtual bool SaveAllSettings() = 0;
  // Rebuilds the window from the current profile.
  virtual void RefreshFromProfile() = 0;
  // Asks the user for a profile file; the common file dialog unless a test answers instead.
  virtual std::optional<std::wstring> ChooseProfileFile(const ProfileFileRequest& request) {
    return ShowProfileFileDialog(request);
  }

 protected:
  ~ProfileCommandHost() = default;
};

// Everything a command works with; all of it outlives the call.
struct ProfileCommandTarget {
  AppState& state;
  const ui::UiContext& ui;
  HWND owner;
  ProfileCommandHost& host;
};

// Import (code 0): the open dialog, then the chosen file into `slot`; a rejected file leaves the
// slot and its file untouched. Saves and refreshes after an accepted file. True when imported.
bool ImportProfileCommand(const ProfileCommandTarget& target, int slot);
// Export (code 1): the save dialog, then the record of `slot` to the chosen file. True when written.
bool ExportProfileCommand(const ProfileCommandTarget& target, int slot);
// Rename (code 2): the rename dialog on `slot`; on OK saves and refreshes. True when renamed.
bool RenameProfileCommand(const ProfileCommandTarget& target, int slot);
// Remove (code 3): hides `slot` from the profile list, saves and refreshes; the current profile is
// refused with a notice. True when removed.
bool RemoveProfileCommand(const ProfileCommandTarget& target, int slot);
// Add (code 4): the add dialog on the first hidden slot; on OK that slot is shown, reset and
// named, then saved and refreshed. Nothing while five profiles are shown. True when added.
bool AddProfileCommand(const ProfileCommandTarget& target);
// Code 5: the notice that all five profiles are in use.
void ShowNoFreeProfileNotice(const ProfileCommandTarget& target);

// Runs the operation of `code` (0..5, gm::ProfileOp) on `slot`; other codes do nothing.
void RunProfileOperation(const ProfileCommandTarget& target, std::uint8_t code, int slot);

}  // namespace gm::win
