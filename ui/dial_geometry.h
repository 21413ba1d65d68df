#pragma once
// Geometry of the round report-rate dials and of the power-saving half-dial: the sector polygons in
// window pixels, and the skin file names of each dial. Hit testing itself is done by the Win32
// regions built from these polygons.
#include <string>
#include <vector>

#include "ui/geometry_types.h"

namespace gm::ui {

// The five report-rate dials, named after their highest rate.
enum class RateDial { k250, k1000, k2000, k4000, k8000 };

// Rate in Hz of each rate code (sector k of a dial stands for rate code k).
inline constexpr int kRateOfCode[7] = {125, 250, 500, 1000, 2000, 4000, 8000};

// Number of sectors of a dial (2, 4, 5, 6, 7).
int DialSectorCount(RateDial dial);

// Points of sector `sector` (0-based) of `dial` placed at `origin` (the control's top-left
// corner): origin + design point × scale, each coordinate truncated. Empty for a sector the dial
// does not have.
std::vector<IntPoint> DialSectorPolygon(RateDial dial, int sector, IntPoint origin, double scale);

// "skins\pollingRate\<top>Hz.png" for sector -1, "skins\pollingRate\<top>Hz_<rate>.png" for a
// sector; relative to the program folder.
std::wstring DialPictureFile(RateDial dial, int sector);

// The power-saving half-dial: eight triangles sharing the corner (70, 71).
inline constexpr int kPowerSectorCount = 8;
std::vector<IntPoint> PowerSectorPolygon(int sector, IntPoint origin, double scale);

// "skins\power_manage_<sector + 3>min.png".
std::wstring PowerPictureFile(int sector);

}  // namespace gm::ui
