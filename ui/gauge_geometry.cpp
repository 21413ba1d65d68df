#include "ui/gauge_geometry.h"

#include <algorithm>
#include <cmath>

namespace gm::ui {
namespace {

// Shared tail of the two cuts: y0 moved up one row at fractional scales when the filled height is
// odd, and the first source row that maps onto y0.
VerticalCut CutFrom(int y0, int bottom, int pictureHeight, double scale) {
  if (scale > 1 && (bottom - y0) % 2 != 0) y0 -= 1;
  int source = static_cast<int>(std::floor(pictureHeight - (bottom - y0) / scale));
  source = std::clamp(source, 0, std::max(0, pictureHeight));
  return {y0, source};
}

}  // namespace

VerticalCut LevelBarCut(int top, int bottom, int level, int levelCount, int pictureHeight, double scale) {
  const int height = bottom - top;
  int filled = 0;
  if (levelCount >= 1 && height > 0) {
    const long long steps = std::clamp<long long>(static_cast<long long>(level) + 1, 0, levelCount);
    filled = static_cast<int>(height * steps / levelCount);
  }
  return CutFrom(bottom - filled, bottom, pictureHeight, scale);
}

namespace {

// Design units of the battery's 50-unit fill zone drawn for `percent` (at least one).
int BatteryUnits(int percent) { return std::max(1, std::clamp(percent, 0, 100) * 50 / 100); }

}  // namespace

VerticalCut BatteryCut(int top, int bottom, int percent, int pictureHeight, double scale) {
  const int filled = BatteryUnits(percent);
  const int y0 = top + static_cast<int>((7 + 50 - filled) * scale);
  return CutFrom(y0, bottom, pictureHeight, scale);
}

bool BatteryLooksAlike(const BatteryReading& a, const BatteryReading& b) {
  if (a.charge != b.charge) return false;
  switch (a.charge) {
    case 0: return BatteryUnits(a.percent) == BatteryUnits(b.percent);
    case 1: return BatteryUnits(a.animationLevel) == BatteryUnits(b.animationLevel);
    default: return true;
  }
}

int VerticalSliderLevel(int top, int bottom, int y, int levelCount) {
  const int height = bottom - top;
  if (height <= 0) return 0;
  y = std::clamp(y, top, bottom);
  const int from = bottom - y - (y != bottom ? 1 : 0);
  return static_cast<int>(static_cast<long long>(from) * levelCount / height);
}

std::vector<int> SliderStops(int left, int right, int stopCount, int leftMargin, int rightMargin) {
  std::vector<int> stops;
  if (stopCount < 1) return stops;
  stops.push_back(left + leftMargin);
  if (stopCount == 1) return stops;
  const long long span = (right - left) - leftMargin - rightMargin;
  for (int i = 1; i < stopCount - 1; ++i) {
    stops.push_back(left + leftMargin + static_cast<int>(i * span / (stopCount - 1)));
  }
  stops.push_back(right - rightMargin);
  return stops;
}

int NearestStop(const std::vector<int>& stops, int x) {
  if (stops.empty()) return 0;
  for (size_t i = 0; i + 1 < stops.size(); ++i) {
    if (x < (stops[i] + stops[i + 1]) / 2) return static_cast<int>(i);
  }
  return static_cast<int>(stops.size() - 1);
}

int ProgressColumns(int value, int maximum, int pictureWidth) {
  if (maximum <= 0) return 0;
  const long long v = std::clamp<long long>(value, 0, maximum);
  return static_cast<int>(v * pictureWidth / maximum);
}

IntRect SwatchInset(const IntRect& r, double scale) {
  const double inset = 3 * scale;
  return {static_cast<int32_t>(r.left + inset), static_cast<int32_t>(r.top + inset),
          static_cast<int32_t>(r.right - inset), static_cast<int32_t>(r.bottom - inset)};
}

}  // namespace gm::ui
