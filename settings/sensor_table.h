#pragma once
// The optical sensors the mouse may carry: for each, the DPI list a stage position indexes, the
// register codes sent for each position, three capability flags, and the default stage positions.
// SensorTables holds the mouse's sensor and what BuildSensorDpiTables() derives from it.
#include <array>
#include <cstdint>
#include <optional>

namespace gm {

inline constexpr int kSensorDpiRoom = 1300;  // the longest list (sensor 0x8993)

struct SensorTables {
  // The mouse's sensor. Set from config.ini "Sensor" at start-up, replaced when the mouse reports
  // its sensor.
  std::uint16_t id = 0x3950;

  // Built from id; an unknown id leaves all of it as it was.
  std::uint32_t count = 0;
  std::array<std::int32_t, kSensorDpiRoom> list{};  // units of 50 DPI
  std::array<std::uint16_t, kSensorDpiRoom> codes{};
  bool hasSeparateXY = false;     // X/Y stage dialog instead of the single-value one
  bool hasLiftSetting = false;    // the lift-off distance section is shown
  bool showsExtraOption = false;  // option control 3509 and its label are shown
};

// Whether the id is one of the known sensors.
bool IsKnownSensor(std::uint16_t sensorId);

// Rebuilds the list, codes, count and flags for `tables.id`; unknown ids change nothing.
// Entries beyond the count keep what they held.
void BuildSensorDpiTables(SensorTables& tables);

// The DPI shown for a stage position: tables.list[position] × 50. A position at or beyond the
// count is clamped to the last entry (0 when the list is empty or the position is negative).
int DpiOfPosition(const SensorTables& tables, int position);

// The register code sent for a stage position, clamped like DpiOfPosition.
std::uint16_t DpiCodeOfPosition(const SensorTables& tables, int position);

// The list position for a typed DPI: the first position whose DPI is at least `dpi`; the last
// position when none is; 0 with fewer than two entries (-1 when the list is empty).
int PositionOfDpi(const SensorTables& tables, int dpi);

// The default stage positions 0..7 of a sensor (X and Y alike), or none for an unknown sensor.
std::optional<std::array<std::uint16_t, 8>> DefaultStagePositions(std::uint16_t sensorId);

// The sensor id for the one-byte sensor code the mouse reports, or none for an unknown code.
std::optional<std::uint16_t> SensorIdOfReportCode(std::uint8_t code);

}  // namespace gm
