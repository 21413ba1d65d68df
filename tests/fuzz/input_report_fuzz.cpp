// Arbitrary input reports, in arbitrary links and states, folded into the model: the fold must
// never read or write outside the report, the records or the tables, whatever the mouse sends.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "device/input_report.h"
#include "settings/settings_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One model for the whole run, so reports fold into what earlier inputs left behind.
  static const std::unique_ptr<gm::SettingsModel> model = [] {
    auto m = std::make_unique<gm::SettingsModel>();
    for (int slot = 0; slot < gm::kProfileCount; ++slot)
      gm::ResetProfile(m->profiles[slot], slot, m->texts, m->sensor.id);
    return m;
  }();
  gm::ProfileTable& profiles = model->profiles;
  static gm::DeviceStatus status;
  if (size < 2) return 0;

  // The first two bytes choose the situation; the rest is a run of 32-byte reports (the last one
  // may be short).
  const std::uint8_t a = data[0], b = data[1];
  gm::InputContext context;
  context.link = static_cast<gm::LinkKind>(a % 3);
  context.wiredPresent = a & 0x04;
  context.blePresent = a & 0x08;
  context.deviceSettingsDirty = a & 0x10;
  context.indicatorShowsOffline = a & 0x20;
  if (a & 0x40) status.InputSkipCount = b & 3;
  const int current = b % 7 - 1;  // includes the invalid slots -1 and 5

  std::span<const std::uint8_t> rest(data + 2, size - 2);
  while (!rest.empty()) {
    const std::size_t n = rest.size() < 32 ? rest.size() : 32;
    const gm::InputEffects fx = gm::ProcessInputReport(rest.first(n), context, status, profiles, current, model->sensor, model->texts);
    if (fx.launchUrl && fx.launchUrl->size() > 1 << 20) __builtin_trap();
    rest = rest.subspan(n);
  }
  // Whatever was adopted, the tables stay consistent with the sensor.
  if (model->sensor.count > static_cast<std::uint32_t>(gm::kSensorDpiRoom)) __builtin_trap();
  for (const gm::ProfileRecord& p : profiles)
    if (p.CurrentDPILevelValue > 0xFF || p.PollingRateValue[0] > 6) __builtin_trap();
  return 0;
}
