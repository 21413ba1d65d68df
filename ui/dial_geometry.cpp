#include "ui/dial_geometry.h"

#include <array>
#include <span>

namespace gm::ui {
namespace {

struct DesignPoint {
  double x, y;
};

using Polygon = std::vector<DesignPoint>;
constexpr DesignPoint C{75, 75};  // centre of every dial

const std::vector<Polygon>& SectorsOf(RateDial dial) {
  static const std::vector<Polygon> k250 = {
      {{8, 74}, {28, 25}, {74, 5}, {126, 28}, {141, 75}},
      {{8, 75}, {34, 126}, {74, 141}, {125, 118}, {141, 75}},
  };
  static const std::vector<Polygon> k1000 = {
      {{74, 6}, {28, 24}, {7, 74}, C},
      {{7, 75}, {27, 121}, {74, 140}, C},
      {{75, 140}, {125, 118}, {142, 74}, C},
      {{142, 75}, {123, 25}, {75, 6}, C},
  };
  static const std::vector<Polygon> k2000 = {
      {{75, 7}, {39, 18}, {12, 53}, C},
      {{12, 53}, {12, 95}, {33, 125}, C},
      {{33, 125}, {74, 139}, {113, 128}, C},
      {{113, 128}, {139, 90}, {139, 55}, C},
      {{139, 55}, {116, 21}, {76, 7}, C},
  };
  static const std::vector<Polygon> k4000 = {
      {{17, 42}, {41, 16}, {74, 7}, C},
      {{18, 107}, {9, 73}, {17, 42}, C},
      {{41, 130}, {74, 139}, {18, 107}, C},
      {{74, 139}, {111, 128}, {132, 108}, C},
      {{132, 108}, {141, 71}, {133, 42}, C},
      {{133, 42}, {111, 18}, {75, 7}, C},
  };
  static const std::vector<Polygon> k8000 = {
      {{22, 33}, {46, 14}, {74, 7}, C},
      {{11, 90}, {10, 58}, {22, 33}, C},
      {{47, 133}, {24, 115}, {11, 90}, C},
      {{104, 133}, {75, 140}, {47, 133}, C},
      {{139, 89}, {128, 115}, {104, 133}, C},
      {{127, 32}, {140, 59}, {139, 89}, C},
      {{75, 7}, {107, 15}, {127, 32}, C},
  };
  switch (dial) {
    case RateDial::k250: return k250;
    case RateDial::k1000: return k1000;
    case RateDial::k2000: return k2000;
    case RateDial::k4000: return k4000;
    case RateDial::k8000: break;
  }
  return k8000;
}

std::vector<IntPoint> Place(std::span<const DesignPoint> points, IntPoint origin, double scale) {
  std::vector<IntPoint> out;
  out.reserve(points.size());
  for (const DesignPoint& p : points) {
    out.push_back({static_cast<int32_t>(origin.x + p.x * scale), static_cast<int32_t>(origin.y + p.y * scale)});
  }
  return out;
}

}  // namespace

int DialSectorCount(RateDial dial) { return static_cast<int>(SectorsOf(dial).size()); }

std::vector<IntPoint> DialSectorPolygon(RateDial dial, int sector, IntPoint origin, double scale) {
  const auto& sectors = SectorsOf(dial);
  if (sector < 0 || sector >= static_cast<int>(sectors.size())) return {};
  return Place(sectors[sector], origin, scale);
}

std::wstring DialPictureFile(RateDial dial, int sector) {
  const int top = kRateOfCode[DialSectorCount(dial) - 1];
  std::wstring name = L"skins\\pollingRate\\" + std::to_wstring(top) + L"Hz";
  if (sector >= 0 && sector < DialSectorCount(dial)) name += L"_" + std::to_wstring(kRateOfCode[sector]);
  return name + L".png";
}

std::vector<IntPoint> PowerSectorPolygon(int sector, IntPoint origin, double scale) {
  static constexpr DesignPoint kEdge[kPowerSectorCount + 1] = {{3, 71},   {7, 51},   {17, 32},
                                                                {40, 13},  {70, 5},   {100, 14},
                                                                {121, 31}, {131, 51}, {134, 71}};
  if (sector < 0 || sector >= kPowerSectorCount) return {};
  const std::array<DesignPoint, 3> triangle = {kEdge[sector], kEdge[sector + 1], DesignPoint{70, 71}};
  return Place(triangle, origin, scale);
}

std::wstring PowerPictureFile(int sector) {
  return L"skins\\power_manage_" + std::to_wstring(sector + 3) + L"min.png";
}

}  // namespace gm::ui
