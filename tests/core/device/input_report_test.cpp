#include "device/input_report.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings/language.h"
#include "settings/settings_model.h"

namespace gm {
namespace {

// A report as the mouse sends it: online, stage, rate code, battery, charge, effect, launch,
// capability, sensor.
std::vector<std::uint8_t> Report(std::uint8_t stage = 2, std::uint8_t rate = 0x02, std::uint8_t battery = 80,
                                 std::uint8_t charge = 0, std::uint8_t effect = 0, std::uint8_t launch = 0,
                                 std::uint8_t capability = 8, std::uint8_t sensor = 0x50, std::uint8_t online = 1) {
  std::vector<std::uint8_t> r(32, 0);
  r[0] = 4;
  r[1] = online;
  r[2] = stage;
  r[3] = rate;
  r[4] = battery;
  r[5] = charge;
  r[6] = effect;
  r[7] = launch;
  r[8] = capability;
  r[9] = sensor;
  return r;
}

class InputReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSensorDpiTables(s_.sensor);
    for (int i : {101, 102, 103, 109}) s_.texts[i] = L"effect text " + std::to_wstring(i);
    for (ProfileRecord& p : profiles) {
      p.CurrentDPILevelValue = 2;
      p.PollingRateValue = {2, 0, 0};
      p.PollingRateName = L"500HZ";
    }
    profiles[1].KeyAssignments[2].KeyURL = L"https://example.com/";
  }

  InputEffects Process(const std::vector<std::uint8_t>& r) {
    return ProcessInputReport(r, context, status, profiles, 1, s_.sensor, s_.texts);
  }
  ProfileRecord& current() { return profiles[1]; }

  std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();  // sensor 0x3950
  SettingsModel& s_ = *model;
  ProfileTable& profiles = s_.profiles;
  DeviceStatus status;
  InputContext context;
};

TEST_F(InputReportTest, RepeatingTheCurrentStateChangesOnlyTheBattery) {
  const ProfileRecord before = current();
  InputEffects fx = Process(Report(2, 0x02, 57, 1));
  EXPECT_TRUE(fx.processed);
  EXPECT_FALSE(fx.changed);
  EXPECT_FALSE(fx.rateCapabilityChanged);
  EXPECT_FALSE(fx.launchUrl);
  EXPECT_FALSE(fx.adoptedSensor);
  EXPECT_EQ(status.BatteryLevel, 57);
  EXPECT_EQ(status.ChargeState, 1);
  EXPECT_TRUE(current() == before);
}

TEST_F(InputReportTest, StageRateAndEffectChangesAreFoldedIntoTheCurrentRecord) {
  InputEffects fx = Process(Report(4, 0x11, 80, 0, 3));
  EXPECT_TRUE(fx.changed);
  EXPECT_EQ(status.LastDeviceDpiStage, 4);
  EXPECT_EQ(current().CurrentDPILevelValue, 4);
  EXPECT_EQ(current().PollingRateValue, (ThreeBytes{4, 0, 0}));
  EXPECT_EQ(current().PollingRateName, L"2000HZ");
  EXPECT_EQ(current().Lighting1ModeValue, (ThreeBytes{3, 0, 0}));
  EXPECT_EQ(current().Lighting1Name, L"effect text 102");
  EXPECT_EQ(profiles[0].CurrentDPILevelValue, 2);  // only the current record

  // Each change alone is enough.
  EXPECT_TRUE(Process(Report(5, 0x11, 80, 0, 3)).changed);
  EXPECT_TRUE(Process(Report(5, 0x08, 80, 0, 3)).changed);
  EXPECT_TRUE(Process(Report(5, 0x08, 80, 0, 7)).changed);
  EXPECT_EQ(current().Lighting1Name, L"effect text 109");
  EXPECT_FALSE(Process(Report(5, 0x08, 80, 0, 7)).changed);
}

TEST_F(InputReportTest, RateCodeToIndexPerLinkAndCapability) {
  struct Case {
    LinkKind link;
    int capability;
    std::uint8_t code;
    int index;
  } cases[] = {
      {LinkKind::Wired, 8, 0x08, 0},    {LinkKind::Wired, 8, 0x12, 5},    {LinkKind::Wired, 8, 0x14, 6},
      {LinkKind::Wired, 8, 0x77, 6},    {LinkKind::Wired, 4, 0x11, 4},    {LinkKind::Wired, 4, 0x12, 5},
      {LinkKind::Wired, 4, 0x14, 5},    {LinkKind::Wired, 2, 0x01, 3},    {LinkKind::Wired, 2, 0x12, 4},
      {LinkKind::Wired, 1, 0x04, 1},    {LinkKind::Wired, 1, 0x02, 2},    {LinkKind::Wired, 1, 0x01, 3},
      {LinkKind::Wired, 1, 0x14, 3},    {LinkKind::Wired, 0x30, 0x11, 3}, {LinkKind::Wireless, 2, 0x12, 5},
      {LinkKind::Wireless, 1, 0x14, 6}, {LinkKind::Ble, 0x30, 0x11, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << LinkName(c.link) << " cap " << c.capability << " code " << int(c.code));
    EXPECT_EQ(RateIndexOfCode(c.code, c.link, c.capability), c.index);
  }
}

TEST_F(InputReportTest, WiredCapabilityTwoNarrowsCode0x12ButWirelessDoesNot) {
  Process(Report(2, 0x12, 80, 0, 0, 0, 2));
  EXPECT_EQ(current().PollingRateValue[0], 4);
  EXPECT_EQ(status.RateCapability, 2);

  context.link = LinkKind::Wireless;
  status.RateCapability = 8;
  Process(Report(2, 0x12, 80, 0, 0, 0, 2));
  EXPECT_EQ(current().PollingRateValue[0], 5);
}

TEST_F(InputReportTest, RateCapabilityUpdatesPerLink) {
  struct Case {
    LinkKind link;
    std::uint8_t byte8;
    int expected;
    bool refresh;
  } cases[] = {
      {LinkKind::Wired, 4, 4, true},   {LinkKind::Wired, 3, 8, false}, {LinkKind::Wireless, 1, 1, true},
      {LinkKind::Ble, 8, 0x30, true},  {LinkKind::Ble, 0x31, 0x31, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << LinkName(c.link) << " " << int(c.byte8));
    status.RateCapability = 8;
    context.link = c.link;
    InputEffects fx = Process(Report(2, 0x02, 80, 0, 0, 0, c.byte8));
    EXPECT_EQ(status.RateCapability, c.expected);
    EXPECT_EQ(fx.rateCapabilityChanged, c.refresh);
  }
}

TEST_F(InputReportTest, FullChargeReportsOneHundredPercent) {
  Process(Report(2, 0x02, 37, 2));
  EXPECT_EQ(status.ChargeState, 2);
  EXPECT_EQ(status.BatteryLevel, 100);
  Process(Report(2, 0x02, 37, 9));
  EXPECT_EQ(status.ChargeState, 0);
  EXPECT_EQ(status.BatteryLevel, 37);
}

TEST_F(InputReportTest, LaunchEventOpensTheButtonsUrlOncePerPress) {
  struct Case {
    std::vector<std::uint8_t> events;
    int launches;
  } cases[] = {
      {{3, 3}, 1},
      {{3, 0, 3}, 2},
      {{3, 2, 3}, 2},  // button 2 has no address: nothing opens, but it ends the repeat
      {{7}, 0},        // no button 7
      {{2}, 0},
  };
  for (const Case& c : cases) {
    status = DeviceStatus{};
    int launches = 0;
    for (std::uint8_t e : c.events) {
      InputEffects fx = Process(Report(2, 0x02, 80, 0, 0, e));
      if (fx.launchUrl) {
        EXPECT_EQ(*fx.launchUrl, L"https://example.com/");
        ++launches;
      }
    }
    EXPECT_EQ(launches, c.launches) << "case of " << c.events.size() << " events";
  }
}

TEST_F(InputReportTest, LaunchMemoryIsPerLink) {
  Process(Report(2, 0x02, 80, 0, 0, 3));
  context.link = LinkKind::Ble;
  EXPECT_TRUE(Process(Report(2, 0x02, 80, 0, 0, 3, 0x30)).launchUrl);
}

TEST_F(InputReportTest, SkipCountDropsTheNextTwoReportsWhateverTheySay) {
  status.InputSkipCount = 2;
  EXPECT_FALSE(Process(Report(6, 0x14, 10, 0, 4, 3)).processed);
  EXPECT_FALSE(Process(Report(6, 0x14, 10, 0, 4, 3, 8, 0x04)).processed);
  EXPECT_EQ(current().CurrentDPILevelValue, 2);
  EXPECT_EQ(status.BatteryLevel, 100);
  EXPECT_EQ(s_.sensor.id, 0x3950);
  EXPECT_EQ(status.InputSkipCount, 0);
  EXPECT_TRUE(Process(Report(6)).changed);
}

TEST_F(InputReportTest, ForeignShortAndDirtyReportsAreDropped) {
  auto foreign = Report(6);
  foreign[0] = 5;
  EXPECT_FALSE(Process(foreign).processed);
  auto shortReport = Report(6);
  shortReport.resize(9);
  EXPECT_FALSE(Process(shortReport).processed);
  EXPECT_FALSE(Process({}).processed);
  context.deviceSettingsDirty = true;
  EXPECT_FALSE(Process(Report(6)).processed);
  EXPECT_EQ(current().CurrentDPILevelValue, 2);
  EXPECT_EQ(status.BatteryLevel, 100);
}

TEST_F(InputReportTest, WirelessOfflineAloneClearsTheBattery) {
  context.link = LinkKind::Wireless;
  status.MouseOnline = true;
  InputEffects fx = Process(Report(6, 0x02, 80, 1, 0, 0, 8, 0x50, 0));
  EXPECT_FALSE(fx.processed);
  EXPECT_TRUE(fx.startOnlineTimer);
  EXPECT_FALSE(status.MouseOnline);
  EXPECT_EQ(status.BatteryLevel, 0);
  EXPECT_EQ(status.ChargeState, 0);
  EXPECT_EQ(current().CurrentDPILevelValue, 2);
}

TEST_F(InputReportTest, WirelessOnlineDecisions) {
  struct Case {
    const char* name;
    bool wiredPresent;
    bool dirty;
    bool wasOnline;
    bool indicatorOffline;
    std::uint8_t online;
    bool timer;
    int battery;  // after the report (was 100)
  } cases[] = {
      {"comes online", false, false, false, false, 1, true, 80},
      {"stays online", false, false, true, false, 1, false, 80},
      {"stays offline, indicator not yet offline", false, false, false, false, 0, true, 0},
      {"stays offline, indicator offline", false, false, false, true, 0, false, 0},
      {"offline with edits pending keeps battery", false, true, true, false, 0, true, 100},
      {"offline beside a cable keeps battery, no timer", true, false, true, false, 0, false, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    status = DeviceStatus{};
    status.MouseOnline = c.wasOnline;
    context = InputContext{LinkKind::Wireless, c.wiredPresent, false, c.dirty, c.indicatorOffline};
    InputEffects fx = Process(Report(2, 0x02, 80, 0, 0, 0, 8, 0x50, c.online));
    EXPECT_EQ(fx.startOnlineTimer, c.timer);
    EXPECT_EQ(status.MouseOnline, c.online != 0);
    EXPECT_EQ(status.BatteryLevel, c.battery);
  }
}

TEST_F(InputReportTest, KnownSameOrUnknownSensorCodesChangeNothing) {
  for (std::uint8_t code : {0x00, 0x50, 0x77}) {
    const ProfileTable before = profiles;
    EXPECT_FALSE(Process(Report(2, 0x02, 80, 0, 0, 0, 8, code)).adoptedSensor) << int(code);
    EXPECT_EQ(s_.sensor.id, 0x3950);
    EXPECT_TRUE(profiles == before);
  }
}

TEST_F(InputReportTest, NewSensorResetsTheStagesOfAllFiveProfilesAndTheTables) {
  for (ProfileRecord& p : profiles) {
    p.DPIOffOnFlagValue = 0x01;
    p.XYSettingValueX.fill(0x100);
  }
  InputEffects fx = Process(Report(2, 0x02, 80, 0, 0, 0, 8, 0x04));
  ASSERT_TRUE(fx.adoptedSensor);
  EXPECT_EQ(*fx.adoptedSensor, 0x3104);
  EXPECT_EQ(s_.sensor.id, 0x3104);
  EXPECT_EQ(s_.sensor.count, 48u);
  for (const ProfileRecord& p : profiles) {
    EXPECT_EQ(p.DPIOffOnFlagValue, 0x3F);
    EXPECT_EQ(p.XYSettingValueX[0], 0x004);
    EXPECT_EQ(p.XYSettingValueY[7], 0x032);
    EXPECT_EQ(p.CurrentDPILevelValue, 2);
  }
  // The same code again is the sensor in use now.
  EXPECT_FALSE(Process(Report(2, 0x02, 80, 0, 0, 0, 8, 0x04)).adoptedSensor);
}

}  // namespace
}  // namespace gm
