#pragma once
// Where the colour palette takes a colour: the two colour fields of its 500 × 291 picture, in
// picture (unscaled) coordinates, and the picture's background colour, which is never taken.
// Portable (no windows.h).
#include <optional>

#include <cstdint>

#include "settings/colour.h"

namespace gm {

inline constexpr int kPaletteWidth = 500;
inline constexpr int kPaletteHeight = 291;

// The picture point under window point (x, y) at `scale`, if it lies in one of the two pick
// areas: (18, 26)-(222, 270) and (244, 26)-(473, 190), ends included.
struct PalettePoint {
  int x = 0, y = 0;
};
std::optional<PalettePoint> PalettePickPoint(int x, int y, double scale);

// The colour a click takes from a pixel of the picture: none for the background (15, 15, 15).
std::optional<Colour> PickedColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace gm
