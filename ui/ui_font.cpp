#include "ui/ui_font.h"

#include "settings/environment.h"

namespace gm::ui {

UiFontSpec CurrentUiFont() {
  // The language load chooses between Tahoma and a CJK face; until a language is loaded the
  // Latin choice applies.
  return {L"Tahoma", static_cast<int>(DisplayScale * 16.0), 1};
}

}  // namespace gm::ui
