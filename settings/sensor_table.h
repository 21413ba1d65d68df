#pragma once
// The optical sensors the mouse may carry: for each, the DPI list a stage position indexes, the
// register codes sent for each position, three capability flags, and the default stage positions.
// The process-wide state below is rebuilt by BuildSensorDpiTables() from `SensorId`.
#include <array>
#include <cstdint>
#include <optional>

namespace gm {

// The mouse's sensor. Set from config.ini "Sensor" at start-up, replaced when the mouse reports
// its sensor.
inline std::uint16_t SensorId = 0x3950;

inline constexpr int kSensorDpiRoom = 1300;  // the longest list (sensor 0x8993)

// Built from SensorId; an unknown id leaves all of it as it was.
inline std::uint32_t SensorDpiCount = 0;
inline std::array<std::int32_t, kSensorDpiRoom> SensorDpiList{};  // units of 50 DPI
inline std::array<std::uint16_t, kSensorDpiRoom> SensorDpiCodes{};
inline bool SensorHasSeparateXY = false;     // X/Y stage dialog instead of the single-value one
inline bool SensorHasLiftSetting = false;    // the lift-off distance section is shown
inline bool SensorShowsExtraOption = false;  // option control 3509 and its label are shown

// Whether the id is one of the known sensors.
bool IsKnownSensor(std::uint16_t sensorId);

// Rebuilds the list, codes, count and flags for `SensorId`; unknown ids change nothing.
// Entries beyond the count keep what they held.
void BuildSensorDpiTables();

// The DPI shown for a stage position: SensorDpiList[position] × 50. A position at or beyond the
// count is clamped to the last entry (0 when the list is empty or the position is negative).
int DpiOfPosition(int position);

// The register code sent for a stage position, clamped like DpiOfPosition.
std::uint16_t DpiCodeOfPosition(int position);

// The list position for a typed DPI: the first position whose DPI is at least `dpi`; the last
// position when none is; 0 with fewer than two entries (-1 when the list is empty).
int PositionOfDpi(int dpi);

// The default stage positions 0..7 of a sensor (X and Y alike), or none for an unknown sensor.
std::optional<std::array<std::uint16_t, 8>> DefaultStagePositions(std::uint16_t sensorId);

// The sensor id for the one-byte sensor code the mouse reports, or none for an unknown code.
std::optional<std::uint16_t> SensorIdOfReportCode(std::uint8_t code);

}  // namespace gm
