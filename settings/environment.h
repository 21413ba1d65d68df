#pragma once
// Where the program runs and how large it draws: fixed once at start-up, then read through the
// application state. Tests make their own, pointed at a temporary folder.
#include <string>

namespace gm {

struct Environment {
  // Folder of the running executable, up to and including its last backslash ("" if none).
  // Skin pictures are loaded from programFolder + L"skins\\".
  std::wstring programFolder;

  // Per-user data folder with a trailing backslash: <application data>\GamingMouseData20260526C\ .
  // Every file the program keeps (config, profiles, language, macro library, updates) lives below it.
  std::wstring dataFolder;

  // Layout multiplier of every design unit: 1.0, 1.5 or 2.0.
  float displayScale = 1.0f;

  // Horizontal logical DPI of the screen divided by 96.
  float textScale = 1.0f;
};

}  // namespace gm
