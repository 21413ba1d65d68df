#pragma once
// The data bytes of every configuration command, built from a profile record. Pure functions:
// the upload driver frames them (device/command_report.h) and compares them with their shadows.
#include <array>
#include <cstdint>

#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {

// Wire code of a report-rate index 0..6 (125 .. 8000 Hz); 6 or more gives the 8000 Hz code.
std::uint8_t RateCodeOfIndex(int index);

// 0x02, one packet: stage, enable mask, then the 16-bit device codes (low byte first) of stages
// 0..5 of X (packet 0) or Y (packet 1), four zero bytes. Stage positions become codes through the
// code table of `sensor` (positions past its end are clamped to the last entry).
std::array<std::uint8_t, 18> DpiStagesData(const ProfileRecord& record, const SensorTables& sensor, int packet);

// 0x03: red, green, blue of stages 0..7.
std::array<std::uint8_t, 24> StageColoursData(const ProfileRecord& record);

// 0x04: the rate code of PollingRateValue[0].
std::array<std::uint8_t, 1> ReportRateData(const ProfileRecord& record);

// 0x05: "LiftDetectionHeight" 1 -> 1, 2 -> 2, anything else -> 7.
std::array<std::uint8_t, 1> LiftOffData(const ProfileRecord& record);

// 0x09: low 8 bits of "KeyDebounce".
std::array<std::uint8_t, 1> DebounceData(const ProfileRecord& record);

// 0x06: 0, effect e, ((brightness[e] + 1) << 4) | ((speed[e] + 1) & 0x0F), direction of effect 1,
// then zeros. An effect number beyond the ten stored effects has no speed or brightness of its own:
// both count as 0.
std::array<std::uint8_t, 25> LightingData(const ProfileRecord& record);

// 0x07: "PowerDownTime", "MotionWakeup", "MoveLightingOnOffMode" (low 8 bits each).
std::array<std::uint8_t, 3> PowerData(const ProfileRecord& record);

// 0x08: "AngleSnap", "MotionSync", "RippleControl" (low 8 bits each).
std::array<std::uint8_t, 3> SensorOptionsData(const ProfileRecord& record);

}  // namespace gm
