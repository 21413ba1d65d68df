#include "app/palette_pick.h"

namespace gm {

std::optional<PalettePoint> PalettePickPoint(int x, int y, double scale) {
  if (scale <= 0) return std::nullopt;
  const PalettePoint p{static_cast<int>(x / scale), static_cast<int>(y / scale)};
  const bool left = p.x >= 18 && p.x <= 222 && p.y >= 26 && p.y <= 270;
  const bool right = p.x >= 244 && p.x <= 473 && p.y >= 26 && p.y <= 190;
  if (!left && !right) return std::nullopt;
  return p;
}

std::optional<Colour> PickedColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (red == 0x0F && green == 0x0F && blue == 0x0F) return std::nullopt;
  return MakeColour(red, green, blue);
}

}  // namespace gm
