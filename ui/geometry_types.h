#pragma once
// Plain integer geometry shared by the toolkit's portable rules (no windows.h here): a point and a
// rectangle in window pixels, laid out like the Win32 POINT and RECT they are copied into.
#include <cstdint>

namespace gm::ui {

struct IntPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

struct IntRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  // Half-open like the Win32 PtInRect: left/top inside, right/bottom outside.
  bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend bool operator==(const IntRect&, const IntRect&) = default;
};

// A design-unit length multiplied by the display scale, computed in floating point and truncated.
inline int32_t Scaled(double units, double scale) { return static_cast<int32_t>(units * scale); }

}  // namespace gm::ui
