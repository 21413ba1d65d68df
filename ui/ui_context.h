#pragma once
// What the skinned toolkit needs to know about the program it runs in, handed to every window by
// the application instead of being read from process-wide variables: where the pictures are, the
// display and text scales, the user-interface font, the language texts and the table of open
// secondary dialogs, and the decoded pictures the windows share. Controls reach it through their
// host (ui/control_host.h). Portable.
#include <string>

#include "settings/language.h"
#include "ui/dialog_table.h"
#include "ui/shared_cache.h"

namespace gm::win {
class DecodedPicture;  // ui/skin_image.h
}

namespace gm::ui {

struct UiContext {
  std::wstring programFolder;   // ends with a separator
  double displayScale = 1.0;    // design units to pixels
  double textScale = 1.0;
  UiFont font;                  // empty name: no language loaded
  const LanguageTable* texts = nullptr;
  DialogTable* openDialogs = nullptr;
  // Each picture file decoded once while a control shows it: controls that name the same file
  // share one decoded picture (keyed by FileNameKey of the full path). Taking a picture changes
  // nothing a window reads, so it can be taken through the const context every control holds.
  mutable SharedCache<win::DecodedPicture> pictures;

  // Language text `index`; empty for an index out of range or without a table.
  std::wstring Text(int index) const;
  // A file named relative to the program folder ("skins\\exit_nr.png").
  std::wstring ProgramFile(const std::wstring& relative) const { return programFolder + relative; }
  // Design units in pixels, truncated.
  int Px(double units) const { return static_cast<int>(units * displayScale); }
  // The font controls draw with: the loaded one, or Tahoma at 16 × scale (Latin) when no language
  // file was loaded, so texts still get a readable font.
  UiFont EffectiveFont() const;
};

}  // namespace gm::ui
