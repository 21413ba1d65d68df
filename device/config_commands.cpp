#include "device/config_commands.h"

#include "settings/sensor_table.h"

namespace gm {

namespace {

std::uint8_t LowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

std::uint8_t RateCodeOfIndex(int index) {
  static constexpr std::uint8_t kCodes[] = {0x08, 0x04, 0x02, 0x01, 0x11, 0x12, 0x14};
  if (index < 0) index = 0;
  return kCodes[index > 6 ? 6 : index];
}

std::array<std::uint8_t, 18> DpiStagesData(const ProfileRecord& record, const SensorTables& sensor, int packet) {
  std::array<std::uint8_t, 18> d{};
  d[0] = record.CurrentDPILevelValue;
  d[1] = record.DPIOffOnFlagValue;
  const auto& positions = packet == 0 ? record.XYSettingValueX : record.XYSettingValueY;
  for (std::size_t i = 0; i < 6; ++i) {
    const std::uint16_t code = DpiCodeOfPosition(sensor, positions[i]);
    d[2 + 2 * i] = static_cast<std::uint8_t>(code & 0xFF);
    d[3 + 2 * i] = static_cast<std::uint8_t>(code >> 8);
  }
  return d;
}

std::array<std::uint8_t, 24> StageColoursData(const ProfileRecord& record) {
  std::array<std::uint8_t, 24> d{};
  for (std::size_t i = 0; i < 8; ++i) {
    const Colour c = record.DPILevelIndication[i];
    d[3 * i] = RedOf(c);
    d[3 * i + 1] = GreenOf(c);
    d[3 * i + 2] = BlueOf(c);
  }
  return d;
}

std::array<std::uint8_t, 1> ReportRateData(const ProfileRecord& record) {
  return {RateCodeOfIndex(record.PollingRateValue[0])};
}

std::array<std::uint8_t, 1> LiftOffData(const ProfileRecord& record) {
  const int height = SettingNumber(record, kLiftDetectionHeight);
  return {static_cast<std::uint8_t>(height == 1 || height == 2 ? height : 7)};
}

std::array<std::uint8_t, 1> DebounceData(const ProfileRecord& record) {
  return {LowByte(SettingNumber(record, kKeyDebounce))};
}

std::array<std::uint8_t, 25> LightingData(const ProfileRecord& record) {
  std::array<std::uint8_t, 25> d{};
  const std::uint8_t effect = record.Lighting1ModeValue[0];
  const bool stored = effect < kLightingEffectCount;
  const int brightness = stored ? record.Lighting1Brightness[effect] : 0;
  const int speed = stored ? record.Lighting1Speed[effect] : 0;
  d[1] = effect;
  d[2] = static_cast<std::uint8_t>(((brightness + 1) << 4) | ((speed + 1) & 0x0F));
  d[3] = record.Lighting1Direction[1];
  return d;
}

std::array<std::uint8_t, 3> PowerData(const ProfileRecord& record) {
  return {LowByte(SettingNumber(record, kPowerDownTime)), LowByte(SettingNumber(record, kMotionWakeup)),
          LowByte(SettingNumber(record, kMoveLightingOnOffMode))};
}

std::array<std::uint8_t, 3> SensorOptionsData(const ProfileRecord& record) {
  return {LowByte(SettingNumber(record, kAngleSnap)), LowByte(SettingNumber(record, kMotionSync)),
          LowByte(SettingNumber(record, kRippleControl))};
}

}  // namespace gm
