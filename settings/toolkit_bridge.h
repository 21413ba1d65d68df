#pragma once
// Copies of application-state values that the skinned toolkit (ui/, update/win32/) still reads as
// globals. They are filled from the application state at start-up until the toolkit takes its
// context: the main window copies its state into them once the values are known, and again when
// the language or the macro selection changes. Nothing outside ui/ and update/win32/ may read
// them; everything else takes the application state (app/app_state.h) or the parts it needs.
#include <string>

#include "macro/macro_library.h"
#include "settings/language.h"

namespace gm {

inline std::wstring ProgramFolder;   // Environment::programFolder
inline float DisplayScale = 1.0f;    // Environment::displayScale

inline LanguageTable LanguageTexts;  // the state's texts
inline std::wstring UiFontName;      // the state's font
inline int UiFontSize = 0;
inline int UiFontCharset = 0;

// The item selected in the macro manager or the macro selection dialog (initially stage -1).
inline MacroItemLocation SelectedLocation;

}  // namespace gm
