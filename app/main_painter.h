#pragma once
// What the main window paints itself, around its controls: the frame picture in the left column's
// boxes and behind every open section, and the mark of the key combo under the pointer on the mouse
// picture. Its pictures are decoded once (Load) and kept until Release.
#include <windows.h>

#include <array>

#include "app/main_layout.h"
#include "ui/skin_image.h"
#include "ui/ui_context.h"

namespace gm::win {

class MainPainter {
 public:
  MainPainter() = default;
  MainPainter(const MainPainter&) = delete;
  MainPainter& operator=(const MainPainter&) = delete;

  // Decodes the frame picture and the six mark pictures from the program folder; a picture that
  // cannot be loaded is skipped when painting.
  void Load(const ui::UiContext& context);
  // Frees the pictures (at shutdown, while GDI+ still runs).
  void Release();

  // The frame stretched into the left column's boxes and under every open section of `placed`.
  void DrawFrames(HDC dc, const std::array<SectionPlacement, kSectionCount>& placed) const;
  // The marked combo's picture at its natural size over the mouse picture.
  void DrawMouseMark(HDC dc) const;
  // The mark follows key combo `combo` (1..6, 0 for none); the old and new marks of `window` are
  // repainted.
  void MarkCombo(int combo, HWND window);

 private:
  RECT Scaled(const LayoutRect& r) const;
  RECT MarkRect(int comboNumber) const;

  double scale_ = 1.0;
  SkinImage frame_;
  std::array<SkinImage, kKeyComboCount> marks_;  // combo n's picture at [n - 1]
  int markedCombo_ = 0;
};

}  // namespace gm::win
