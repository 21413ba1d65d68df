#pragma once
// A colour as the program keeps it: red in the lowest byte, then green, then blue, top byte 0.
// Pure red is 0x0000FF, pure blue 0xFF0000. Files write it as red, green, blue.
#include <cstdint>

namespace gm {

using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 | static_cast<Colour>(blue) << 16;
}
constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>(c >> 16); }

}  // namespace gm
