#pragma once
// The application state: everything the program keeps about the mouse and itself, in one object
// that the application creates at start-up and passes by reference to the windows, the controller
// and the code that uses the model. Tests make their own. Portable (no windows.h).
//
//   state.env        where the program runs and its scales
//   state.texts      the language texts, state.font the interface font
//   state.config     config.ini, state.profiles the five records, state.currentProfile the slot
//   state.sensor     the sensor and its DPI tables
//   state.library    the macro library, state.selectedLocation the item selected in its editors
//
// The settings-level members live in SettingsModel so settings code can take them without
// depending on app/. Not copyable: the macro library owns its tree.
#include "macro/macro_library.h"
#include "settings/settings_model.h"

namespace gm {

struct AppState : SettingsModel {
  MacroLibrary library;
  // The item selected in the macro manager or the macro selection dialog (initially stage -1).
  MacroItemLocation selectedLocation;
};

}  // namespace gm
