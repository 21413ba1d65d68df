#pragma once
// Fill rules of the level bars, the battery gauge, the horizontal slider's stops, the progress bar
// and the colour swatch: which rows or columns of a picture are drawn where.
#include <vector>

#include "ui/geometry_types.h"

namespace gm::ui {

// A picture drawn from source row `sourceTop` to its bottom at window row `destTop`.
struct VerticalCut {
  int destTop = 0;    // first window row of the drawn part
  int sourceTop = 0;  // first picture row drawn (0 .. pictureHeight)
  friend bool operator==(const VerticalCut&, const VerticalCut&) = default;
};

// Level bar: fills (level + 1) / levelCount of [top, bottom) from the bottom. A level past the
// last fills the whole bar; a level count below 1 fills nothing.
VerticalCut LevelBarCut(int top, int bottom, int level, int levelCount, int pictureHeight, double scale);

// Battery: the fill zone is 50 design units high starting 7 units below the top; at least one unit
// is always drawn, and a percentage above 100 draws as 100.
VerticalCut BatteryCut(int top, int bottom, int percent, int pictureHeight, double scale);

// What the battery gauge is set to. Charge: 0 not charging, 1 charging, 2 full (CBattery::Charge).
struct BatteryReading {
  int animationLevel = 25;
  int percent = 100;
  int charge = 0;
};

// Whether the gauge draws the same picture for both readings: the percentage counts only while
// not charging and the animation level only while charging (each through the rows it fills); a
// full battery (or a charge state the gauge does not draw) looks the same whatever the levels.
bool BatteryLooksAlike(const BatteryReading& a, const BatteryReading& b);

// Level a vertical slider stands for with the pointer at row y (kept within top..bottom).
int VerticalSliderLevel(int top, int bottom, int y, int levelCount);

// Stop x positions of a horizontal slider; one stop (the left one) when stopCount is 1, none below.
std::vector<int> SliderStops(int left, int right, int stopCount, int leftMargin, int rightMargin);

// Index of the stop nearest to x: the first i with x < midpoint(stop i, stop i+1), else the last.
int NearestStop(const std::vector<int>& stops, int x);

// Columns of the progress bar picture drawn for value/maximum, value kept within 0..maximum
// (0 when maximum is not positive).
int ProgressColumns(int value, int maximum, int pictureWidth);

// Swatch of a colour check button: `r` inset by 3 design units on every side.
IntRect SwatchInset(const IntRect& r, double scale);

}  // namespace gm::ui
