#include "assign/popup_placement.h"

#include <algorithm>

namespace gm {
namespace {

ui::IntRect At(int left, int top, ui::IntPoint size) { return {left, top, left + size.x, top + size.y}; }

// Moves a rectangle up so that its bottom stays on the screen, never above the screen's top.
ui::IntRect FitBelow(ui::IntRect r, const ui::IntRect& screen) {
  if (r.bottom > screen.bottom) {
    const int top = std::max(screen.top, screen.bottom - r.Height());
    r = At(r.left, top, {r.Width(), r.Height()});
  }
  return r;
}

}  // namespace

ui::IntPoint MenuSize(int rows, double scale) {
  return {ui::Scaled(kMenuWidth, scale), ui::Scaled(kMenuRowHeight, scale) * std::max(rows, 0)};
}

ui::IntRect PlaceMainMenu(const ui::IntRect& control, ui::IntPoint size, double scale, const ui::IntRect& screen) {
  ui::IntRect r = At(control.left + ui::Scaled(161, scale), control.bottom - ui::Scaled(20, scale), size);
  // Near the right edge the menu opens to the left of the control instead.
  if (r.right > screen.right) r = At(control.left - size.x, r.top, size);
  return FitBelow(r, screen);
}

ui::IntRect PlaceSubmenu(const ui::IntRect& menu, int entry, ui::IntPoint size, double scale,
                         const ui::IntRect& screen) {
  const int top = menu.top + ui::Scaled(kMenuRowHeight, scale) * std::max(entry - 1, 0);
  ui::IntRect r = At(menu.right, top, size);
  if (r.right > screen.right) r = At(menu.left - size.x, top, size);
  return FitBelow(r, screen);
}

ui::IntRect PlaceProfileList(const ui::IntRect& button, ui::IntPoint size, double scale, const ui::IntRect& screen) {
  const int top = std::max(screen.top, button.bottom - ui::Scaled(201, scale));
  return FitBelow(At(button.left, top, size), screen);
}

}  // namespace gm
