#pragma once
// The user-interface font of every skinned control, chosen by the language load.
#include <string>

namespace gm::ui {

struct UiFontSpec {
  std::wstring name;
  int size = 0;     // pixels (CreateFontW height)
  int charset = 0;  // Windows character-set number
};

// The font the language load chose (Tahoma at 16 × scale when no language file was loaded).
UiFontSpec CurrentUiFont();

}  // namespace gm::ui
