#include "device/upload_preview.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/settings_model.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

TEST(UploadPreview, FullUploadOfAResetProfileByteForByte) {
  const auto state = std::make_unique<SettingsModel>();  // sensor 0x3950, no texts
  SettingsModel& s_ = *state;
  BuildSensorDpiTables(s_.sensor);
  ProfileRecord record;
  ResetProfile(record, 0, s_.texts, s_.sensor.id);

  // Worked out by hand from the reset values: the default buttons in device order (the fourth and
  // fifth swapped) with nine FF, then stage 2, mask 3F, positions 00F 017 01F 04F 08F 257
  // (codes equal positions for this sensor), the eight stage colours, 500 Hz (code 02), lift-off 2,
  // debounce 2, effect 0 with brightness 3 and speed 1 (0x42) and direction 1, power 1 1 0, sensor
  // options 0 1 0. The checksum is the low byte of the sum of bytes 0..31.
  const char* expected[] = {
      "06 01 01 01 B0 10 01 00 10 02 00 10 04 00 10 08 00 10 10 00 40 01 00 FF FF FF FF FF FF FF FF FF",
      "06 02 02 02 C9 02 3F 0F 00 17 00 1F 00 4F 00 8F 00 57 02 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "06 02 03 12 DA 02 3F 0F 00 17 00 1F 00 4F 00 8F 00 57 02 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "06 03 04 01 FE FF 00 00 00 00 FF 00 FF 00 FF FF 00 00 FF FF FF FF FF FF FF FF FF FF FF 00 00 00",
      "06 04 05 01 12 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "06 05 06 01 14 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "06 09 07 01 19 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "06 06 08 01 58 00 00 42 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "06 07 09 01 19 01 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "06 08 0A 01 1A 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
  };
  const auto reports = PreviewFullUpload(record, MacroLibrary{}, s_.sensor, s_.texts);
  ASSERT_EQ(reports.size(), std::size(expected));
  for (std::size_t i = 0; i < reports.size(); ++i) EXPECT_EQ(sim::HexBytes(reports[i]), expected[i]) << i;
}

}  // namespace
}  // namespace gm
