#include "device/config_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings/settings_model.h"

namespace gm {
namespace {

class ConfigCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Use(0x3950);
    ResetProfile(record, 0, s_.texts, s_.sensor.id);
  }
  void Use(std::uint16_t sensor) {
    s_.sensor.id = sensor;
    BuildSensorDpiTables(s_.sensor);
  }
  template <std::size_t N>
  static std::vector<int> Bytes(const std::array<std::uint8_t, N>& a) {
    return {a.begin(), a.end()};
  }
  std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();
  SettingsModel& s_ = *model;
  ProfileRecord record;
};

TEST_F(ConfigCommandsTest, DpiPacketsOfTheResetStagesOfSensor3950) {
  // Positions 00F 017 01F 04F 08F 257 (codes equal positions for this sensor), stage 2, mask 3F.
  const std::vector<int> x = {0x02, 0x3F, 0x0F, 0x00, 0x17, 0x00, 0x1F, 0x00, 0x4F,
                              0x00, 0x8F, 0x00, 0x57, 0x02, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(Bytes(DpiStagesData(record, s_.sensor, 0)), x);
  record.XYSettingValueY[1] = 0x123;
  record.CurrentDPILevelValue = 5;
  record.DPIOffOnFlagValue = 0x21;
  std::vector<int> y = x;
  y[0] = 0x05;
  y[1] = 0x21;
  y[4] = 0x23;
  y[5] = 0x01;
  EXPECT_EQ(Bytes(DpiStagesData(record, s_.sensor, 1)), y);
}

TEST_F(ConfigCommandsTest, DpiCodesComeFromTheSensorTable) {
  Use(0x3327);  // code = position + 1
  record.XYSettingValueX = {0, 1, 72, 73, 0, 0, 0, 0};
  auto d = DpiStagesData(record, s_.sensor, 0);
  EXPECT_EQ(d[2], 1);
  EXPECT_EQ(d[4], 2);
  EXPECT_EQ(d[6], 73);
  EXPECT_EQ(d[8], 74);

  Use(0x3335);  // position 1 -> code 2, position 159 -> code 189
  record.XYSettingValueX = {1, 159, 6, 0, 0, 0, 0, 0};
  d = DpiStagesData(record, s_.sensor, 0);
  EXPECT_EQ(d[2], 2);
  EXPECT_EQ(d[4], 189);
  EXPECT_EQ(d[6], 7);  // 0, 2..7 -> position 6 is 7

  Use(0x3104);  // 48 entries: a position past the end is sent as the last one
  record.XYSettingValueX = {58, 50, 47, 0, 0, 0, 0, 0};
  d = DpiStagesData(record, s_.sensor, 0);
  EXPECT_EQ(d[2], 47);
  EXPECT_EQ(d[4], 47);
  EXPECT_EQ(d[6], 47);
}

TEST_F(ConfigCommandsTest, StageColoursAreRedGreenBluePerStage) {
  record.DPILevelIndication[0] = MakeColour(0xFF, 0, 0);
  record.DPILevelIndication[1] = MakeColour(0, 0, 0xFF);
  record.DPILevelIndication[7] = MakeColour(0x12, 0x34, 0x56);
  const auto d = StageColoursData(record);
  EXPECT_EQ(Bytes(d).size(), 24u);
  EXPECT_EQ(std::vector<int>(d.begin(), d.begin() + 6), (std::vector<int>{0xFF, 0, 0, 0, 0, 0xFF}));
  EXPECT_EQ(std::vector<int>(d.end() - 3, d.end()), (std::vector<int>{0x12, 0x34, 0x56}));
}

TEST_F(ConfigCommandsTest, RateCodes) {
  const int codes[] = {0x08, 0x04, 0x02, 0x01, 0x11, 0x12, 0x14, 0x14, 0x14};
  for (int i = 0; i < 9; ++i) {
    record.PollingRateValue[0] = static_cast<std::uint8_t>(i == 8 ? 255 : i);
    EXPECT_EQ(ReportRateData(record)[0], codes[i]) << i;
  }
}

TEST_F(ConfigCommandsTest, LiftOffHeights) {
  const std::pair<int, int> cases[] = {{1, 1}, {2, 2}, {3, 7}, {7, 7}, {0, 7}, {-1, 7}};
  for (auto [height, wire] : cases) {
    SetLiftDetectionHeight(record, height);
    EXPECT_EQ(LiftOffData(record)[0], wire) << height;
  }
  record.SettingEntries[kLiftDetectionHeight].Value = L"two";
  EXPECT_EQ(LiftOffData(record)[0], 7);
}

TEST_F(ConfigCommandsTest, NumericSettingsSendTheirLowByte) {
  SetKeyDebounce(record, 300);
  EXPECT_EQ(DebounceData(record)[0], 0x2C);
  SetPowerDownTime(record, 10);
  SetMotionWakeup(record, 0);
  SetMoveLightingOnOffMode(record, 1);
  EXPECT_EQ(Bytes(PowerData(record)), (std::vector<int>{10, 0, 1}));
  // Reset values: angle snap 0, motion sync 1, ripple control 0.
  EXPECT_EQ(Bytes(SensorOptionsData(record)), (std::vector<int>{0, 1, 0}));
  SetAngleSnap(record, 1);
  SetRippleControl(record, 1);
  EXPECT_EQ(Bytes(SensorOptionsData(record)), (std::vector<int>{1, 1, 1}));
}

TEST_F(ConfigCommandsTest, LightingByteTwoHoldsBrightnessAndSpeed) {
  record.Lighting1ModeValue = {3, 0, 0};
  record.Lighting1Speed[3] = 1;
  record.Lighting1Brightness[3] = 3;
  record.Lighting1Direction[3] = 0;  // only effect 1's direction is sent
  auto d = LightingData(record);
  std::vector<int> expected(25, 0);
  expected[1] = 3;
  expected[2] = 0x42;
  expected[3] = 1;  // reset direction of effect 1
  EXPECT_EQ(Bytes(d), expected);

  record.Lighting1Speed[3] = 0x1F;  // speed keeps only four bits after the + 1
  EXPECT_EQ(LightingData(record)[2], 0x40);
}

TEST_F(ConfigCommandsTest, LightingEffectBeyondTheStoredOnesIsStillSafe) {
  record.Lighting1ModeValue = {200, 0, 0};  // reported by a mouse, not one of the ten effects
  const auto d = LightingData(record);
  EXPECT_EQ(d[1], 200);
  EXPECT_EQ(d[2], 0x11);
}

}  // namespace
}  // namespace gm
