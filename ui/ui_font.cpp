#include "ui/ui_font.h"

#include "settings/environment.h"
#include "settings/language.h"

namespace gm::ui {

UiFontSpec CurrentUiFont() {
  if (!UiFontName.empty()) return {UiFontName, UiFontSize, UiFontCharset};
  // No language loaded (missing or broken language file): the Latin choice of the language load,
  // so texts still get a readable font.
  return {L"Tahoma", static_cast<int>(DisplayScale * 16.0), 1};
}

}  // namespace gm::ui
