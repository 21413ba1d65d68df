#include "device/input_report.h"

#include "device/command_report.h"
#include "settings/language.h"
#include "settings/sensor_table.h"

namespace gm {

namespace {

constexpr std::uint8_t kFullRateCodes[] = {0x08, 0x04, 0x02, 0x01, 0x11, 0x12};

// Position of `code` among the first `known` codes of the full table, or -1.
int KnownRateIndex(std::uint8_t code, int known) {
  for (int i = 0; i < known; ++i)
    if (kFullRateCodes[i] == code) return i;
  return -1;
}

constexpr std::size_t kMinimumReportLength = 10;

}  // namespace

int RateIndexOfCode(std::uint8_t code, LinkKind link, int rateCapability) {
  // The codes a link knows, and the index every other code stands for.
  int known = 6, fallback = 6;
  if (link == LinkKind::Wired) {
    switch (rateCapability) {
      case 8: break;
      case 4: known = 5, fallback = 5; break;
      case 2: known = 4, fallback = 4; break;
      default: known = 3, fallback = 3; break;
    }
  }
  const int index = KnownRateIndex(code, known);
  return index >= 0 ? index : fallback;
}

std::wstring RateNameOfIndex(int index) {
  static const wchar_t* kNames[] = {L"125HZ", L"250HZ", L"500HZ", L"1000HZ", L"2000HZ", L"4000HZ", L"8000HZ"};
  if (index < 0) index = 0;
  return kNames[index > 6 ? 6 : index];
}

int LightingNameTextIndex(std::uint8_t effect) {
  switch (effect) {
    case 2: return 101;
    case 3: return 102;
    case 4: return 103;
    default: return 109;
  }
}

InputEffects ProcessInputReport(std::span<const std::uint8_t> report, const InputContext& context,
                                DeviceStatus& status, ProfileTable& profiles, int currentProfile,
                                SensorTables& sensor, const LanguageTable& texts) {
  InputEffects fx;
  if (status.InputSkipCount > 0) {
    --status.InputSkipCount;
    return fx;
  }
  if (report.size() < kMinimumReportLength || report[0] != kInputReportId) return fx;
  if (currentProfile < 0 || currentProfile >= kProfileCount) return fx;

  const bool otherLinkPresent = context.wiredPresent || context.blePresent;
  if (context.link == LinkKind::Wireless) {
    const bool online = report[1] != 0;
    if (!otherLinkPresent) {
      fx.startOnlineTimer = (online && !status.MouseOnline) || (!online && status.MouseOnline) ||
                            (!online && !status.MouseOnline && !context.indicatorShowsOffline);
    }
    if (!online) {
      status.MouseOnline = false;
      if (!otherLinkPresent && !context.deviceSettingsDirty) {
        status.BatteryLevel = 0;
        status.ChargeState = 0;
      }
      return fx;
    }
    status.MouseOnline = true;
  }
  if (context.deviceSettingsDirty) return fx;
  fx.processed = true;

  ProfileRecord& record = profiles[static_cast<std::size_t>(currentProfile)];

  if (report[2] != status.LastDeviceDpiStage) {
    status.LastDeviceDpiStage = report[2];
    record.CurrentDPILevelValue = report[2];
    fx.changed = true;
  }

  status.BatteryLevel = report[4];
  switch (report[5]) {
    case 1: status.ChargeState = 1; break;
    case 2:
      status.ChargeState = 2;
      status.BatteryLevel = 100;
      break;
    default: status.ChargeState = 0; break;
  }

  const int oldCapability = status.RateCapability;
  if (context.link == LinkKind::Ble) {
    status.RateCapability = report[8] == 0x31 ? 0x31 : 0x30;
  } else if (report[8] == 8 || report[8] == 4 || report[8] == 2 || report[8] == 1) {
    status.RateCapability = report[8];
  }

  const int rate = RateIndexOfCode(report[3], context.link, status.RateCapability);
  if (rate != record.PollingRateValue[0]) {
    record.PollingRateValue = {static_cast<std::uint8_t>(rate), 0, 0};
    record.PollingRateName = RateNameOfIndex(rate);
    fx.changed = true;
  }

  if (report[6] != record.Lighting1ModeValue[0]) {
    record.Lighting1ModeValue = {report[6], 0, 0};
    record.Lighting1Name = texts[static_cast<std::size_t>(LightingNameTextIndex(report[6]))];
    fx.changed = true;
  }

  int& lastLaunch = status.LastLaunchEvent[IndexOf(context.link)];
  if (report[7] == 0) {
    lastLaunch = 0;
  } else if (report[7] != lastLaunch) {
    lastLaunch = report[7];
    if (const KeyAssignment* key = KeyAssignmentAt(record, report[7] - 1); key && !key->KeyURL.empty())
      fx.launchUrl = key->KeyURL;
  }

  fx.rateCapabilityChanged = status.RateCapability != oldCapability;

  if (report[9] != 0) {
    if (std::optional<std::uint16_t> reported = SensorIdOfReportCode(report[9]); reported && *reported != sensor.id) {
      sensor.id = *reported;
      for (ProfileRecord& p : profiles) ApplySensorDpiDefaults(p, sensor.id);
      BuildSensorDpiTables(sensor);
      fx.adoptedSensor = *reported;
    }
  }
  return fx;
}

}  // namespace gm
