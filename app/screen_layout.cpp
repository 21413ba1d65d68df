#include "app/screen_layout.h"

namespace gm {

float DisplayScaleFor(int screenWidth, int screenHeight) {
  if (screenWidth > 2400 && screenHeight > 1600) return 2.0f;
  if (screenWidth > 1800 && screenHeight > 1200) return 1.5f;
  return 1.0f;
}

float TextScaleFor(int logicalPixelsX) { return static_cast<float>(logicalPixelsX / 96.0); }

int Scaled(int designUnits, float scale) { return static_cast<int>(static_cast<float>(designUnits) * scale); }

WindowPlacement PlaceMainWindow(int screenWidth, int screenHeight, float displayScale) {
  WindowPlacement p;
  p.width = Scaled(kMainWindowDesignWidth, displayScale);
  p.height = Scaled(kMainWindowDesignHeight, displayScale);
  p.left = screenWidth > p.width ? static_cast<int>((screenWidth - p.width) * 0.5) : 0;
  p.top = screenHeight > p.height ? static_cast<int>((screenHeight - p.height) * 0.5) : 0;
  return p;
}

}  // namespace gm
