#include "ui/control_table.h"

#include <cmath>

namespace gm {

LayoutRect ScaleRect(const LayoutRect& r, double scale) {
  auto s = [scale](int v) { return static_cast<int>(std::trunc(v * scale)); };
  return {s(r.left), s(r.top), s(r.right), s(r.bottom)};
}

}  // namespace gm
