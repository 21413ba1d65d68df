#pragma once
// Process-wide values fixed once at start-up and read by every subsystem afterwards.
// Tests set them directly to point the program at a temporary folder.
#include <string>

namespace gm {

// Folder of the running executable, up to and including its last backslash ("" if none).
// Skin pictures are loaded from ProgramFolder + L"skins\\".
inline std::wstring ProgramFolder;

// Per-user data folder with a trailing backslash: <application data>\GamingMouseData20260526C\ .
// Every file the program keeps (config, profiles, language, macro library, updates) lives below it.
inline std::wstring DataFolder;

// Layout multiplier of every design unit: 1.0, 1.5 or 2.0.
inline float DisplayScale = 1.0f;

// Horizontal logical DPI of the screen divided by 96.
inline float TextScale = 1.0f;

}  // namespace gm
