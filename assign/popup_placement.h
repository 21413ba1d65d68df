#pragma once
// Where the assignment menus appear on the screen, as pure functions of rectangles in screen
// pixels: the main function menu below-right of its assignment control, a submenu beside the
// menu at the entry that opened it. A popup that would reach below the screen moves up to fit;
// one that would cross the right screen edge goes to the other side. Portable: no windows.h.
#include "ui/geometry_types.h"

namespace gm {

// Menu rows and width in design units.
inline constexpr int kMenuRowHeight = 22;
inline constexpr int kMenuWidth = 162;

// Size in pixels of a menu of `rows` entries at `scale`.
ui::IntPoint MenuSize(int rows, double scale);

// The main function menu of the control at `control`: its left edge 161 units right of the
// control's left edge, its top 20 units above the control's bottom edge.
ui::IntRect PlaceMainMenu(const ui::IntRect& control, ui::IntPoint size, double scale, const ui::IntRect& screen);

// A submenu of `size` beside `menu`, its top level with entry `entry` (1-based) of the menu.
ui::IntRect PlaceSubmenu(const ui::IntRect& menu, int entry, ui::IntPoint size, double scale,
                         const ui::IntRect& screen);

// The profile list of the profile button at `button`: left-aligned with the button, its top 201
// units above the button's bottom edge (it opens upwards over the left column), kept on the screen.
ui::IntRect PlaceProfileList(const ui::IntRect& button, ui::IntPoint size, double scale, const ui::IntRect& screen);

}  // namespace gm
