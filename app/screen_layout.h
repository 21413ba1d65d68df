#pragma once
// Start-up rules that size the main window for the screen it opens on.

namespace gm {

// Design size of the main window in units; every layout value is multiplied by the display scale.
inline constexpr int kMainWindowDesignWidth = 1127;
inline constexpr int kMainWindowDesignHeight = 740;

// Display scale for a full-screen client area of the given size: 2.0 above 2400 x 1600,
// 1.5 above 1800 x 1200, 1.0 otherwise (both sides must exceed the limit).
float DisplayScaleFor(int screenWidth, int screenHeight);

// Text scale for the screen's horizontal logical pixels per inch.
float TextScaleFor(int logicalPixelsX);

// A design length scaled and truncated to whole pixels.
int Scaled(int designUnits, float scale);

struct WindowPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Main window size and centred position; a side that does not fit on the screen starts at 0.
WindowPlacement PlaceMainWindow(int screenWidth, int screenHeight, float displayScale);

}  // namespace gm
