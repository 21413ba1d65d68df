#include "device/upload.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "device/command_report.h"
#include "device/discovery.h"
#include "device/fake_device_host.h"
#include "settings/settings_model.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

using test::FakeUploadHost;
using test::NoWorkers;

// The real discovery, transport and upload against the simulated mouse, in virtual time.
class UploadTest : public ::testing::Test {
 protected:
  explicit UploadTest(sim::MouseSpec spec = sim::StandardMouse(true, false, false)) : mouse(std::move(spec)) {
    BuildSensorDpiTables(s_.sensor);
    ResetProfile(record, 0, s_.texts, s_.sensor.id);
    links.ScanDevices();
    upload.PrimeShadows(record);
  }

  UploadResult Upload() {
    mouse.ClearSentReports();
    return upload.UploadPendingChanges(record, mouseOnline, host);
  }
  std::vector<std::uint8_t> Codes() const {
    std::vector<std::uint8_t> codes;
    for (const auto& r : mouse.SentReports()) codes.push_back(r[1]);
    return codes;
  }

  std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();  // sensor 0x3950
  SettingsModel& s_ = *model;
  sim::SimMouse mouse;
  test::FakeDeviceHost deviceHost;
  NoWorkers workers;
  DeviceLinks links{mouse, deviceHost, workers};
  VirtualClock clock;
  Transport transport{mouse, clock, links};
  MappingUploadSteps noMapping;
  ConfigUpload upload{transport, noMapping, s_.sensor};
  FakeUploadHost host;
  ProfileRecord record;
  bool mouseOnline = true;
};

TEST_F(UploadTest, FirstUploadAfterPrimingSendsOnlyTheLightingCommand) {
  upload.Dirty().DeviceSettingsDirty = true;
  EXPECT_EQ(Upload(), UploadResult::kDone);
  ASSERT_EQ(mouse.SentReports().size(), 1u);
  const auto r = mouse.SentReports()[0];
  // 06 06 01 01 cs | 00, effect 0, 42 (brightness 3+1, speed 1+1), 01 (direction of effect 1);
  // checksum 6 + 6 + 1 + 1 + 0x42 + 1 = 0x51.
  std::vector<std::uint8_t> expected(33, 0);
  expected[0] = 0x06;
  expected[1] = 0x06;
  expected[2] = 0x01;
  expected[3] = 0x01;
  expected[4] = 0x51;
  expected[7] = 0x42;
  expected[8] = 0x01;
  EXPECT_EQ(r, expected);
  EXPECT_TRUE(upload.SomethingSent());
  EXPECT_EQ(host.progress, 1);
  EXPECT_FALSE(upload.Dirty().Any());
  // Seven commands, one gap each when unchanged, one gap for the accepted lighting command.
  EXPECT_EQ(clock.Now(), Millis(7 * 60));
}

TEST_F(UploadTest, OneEditSendsExactlyTheOneChangedCommand) {
  upload.Dirty().DeviceSettingsDirty = true;
  Upload();  // the lighting command after the priming

  struct Case {
    const char* name;
    std::function<void(ProfileRecord&)> edit;
    void (*flag)(DirtyFlags&);
    std::vector<std::uint8_t> codes;
  } cases[] = {
      {"rate 2000 Hz", [](ProfileRecord& r) { r.PollingRateValue = {4, 0, 0}; },
       [](DirtyFlags& d) { d.DeviceSettingsDirty = true; }, {0x04}},
      {"lift-off 1", [](ProfileRecord& r) { SetLiftDetectionHeight(r, 1); },
       [](DirtyFlags& d) { d.DeviceSettingsDirty = true; }, {0x05}},
      {"debounce 8", [](ProfileRecord& r) { SetKeyDebounce(r, 8); },
       [](DirtyFlags& d) { d.DeviceSettingsDirty = true; }, {0x09}},
      {"stage 3 X", [](ProfileRecord& r) { r.XYSettingValueX[3] = 0x30; },
       [](DirtyFlags& d) { d.DeviceSettingsDirty = true; }, {0x02, 0x02}},
      {"colour of stage 4", [](ProfileRecord& r) { r.DPILevelIndication[4] = 0x123456; },
       [](DirtyFlags& d) { d.DeviceSettingsDirty = true; }, {0x03}},
      {"lighting effect", [](ProfileRecord& r) { r.Lighting1ModeValue = {2, 0, 0}; },
       [](DirtyFlags& d) { d.DeviceSettingsDirty = true; }, {0x06}},
      {"power-down time", [](ProfileRecord& r) { SetPowerDownTime(r, 5); },
       [](DirtyFlags& d) { d.PowerDirty = true; }, {0x07}},
      {"motion sync off", [](ProfileRecord& r) { SetMotionSync(r, 0); },
       [](DirtyFlags& d) { d.SensorDirty = true; }, {0x08}},
      {"stage 6 (never sent)", [](ProfileRecord& r) { r.XYSettingValueX[6] = 0x10; },
       [](DirtyFlags& d) { d.DeviceSettingsDirty = true; }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.edit(record);
    c.flag(upload.Dirty());
    Upload();
    EXPECT_EQ(Codes(), c.codes);
    EXPECT_EQ(upload.SomethingSent(), !c.codes.empty());
  }
  const sim::MouseState s = mouse.State();
  EXPECT_EQ(s.rateCode, 0x11);
  EXPECT_EQ(s.liftOff, 1);
  EXPECT_EQ(s.debounce, 8);
  EXPECT_EQ(s.dpiX[3], 0x30);
  EXPECT_EQ(s.stageColours[12], 0x56);  // stage 4: red 0x56, green 0x34, blue 0x12
  EXPECT_EQ(s.lightingEffect, 2);
  EXPECT_EQ(s.power[0], 5);
  EXPECT_EQ(s.sensorOptions[1], 0);
}

TEST_F(UploadTest, ReportRate2000HzIsOneCommandWithData0x11) {
  upload.Dirty().DeviceSettingsDirty = true;
  Upload();
  record.PollingRateValue = {4, 0, 0};
  upload.Dirty().DeviceSettingsDirty = true;
  Upload();
  ASSERT_EQ(mouse.SentReports().size(), 1u);
  const auto r = mouse.SentReports()[0];
  EXPECT_EQ(std::vector<int>(r.begin(), r.begin() + 6), (std::vector<int>{0x06, 0x04, 0x02, 0x01, 0x1E, 0x11}));
}

TEST_F(UploadTest, SecondUploadWithoutAnEditSendsNothing) {
  upload.Dirty() = {true, true, true, true};
  Upload();
  EXPECT_FALSE(mouse.SentReports().empty());
  upload.Dirty() = {true, true, true, true};
  const Millis before = clock.Now();
  EXPECT_EQ(Upload(), UploadResult::kDone);
  EXPECT_TRUE(mouse.SentReports().empty());
  EXPECT_FALSE(upload.SomethingSent());
  EXPECT_EQ(host.progress, 1);  // only the first upload showed progress
  EXPECT_EQ(host.saveTimers, 2);
  EXPECT_EQ(host.refreshes, 2);
  EXPECT_EQ(clock.Now() - before, Millis(9 * 60));  // seven config commands, power, sensor options
}

// A command the mouse never acknowledges keeps its shadow at what the mouse last acknowledged and
// leaves its group marked: the next upload sends it again without a new edit, and once the mouse
// has taken it nothing more goes out. Both DPI packets go out again when one of them was refused.
TEST_F(UploadTest, ACommandNeverAcknowledgedStaysPendingAndTheNextUploadSendsIt) {
  upload.Dirty().DeviceSettingsDirty = true;
  Upload();  // the lighting command every first upload after a priming sends
  struct Case {
    const char* name;
    std::function<void(ProfileRecord&)> edit;
    DirtyFlags group;
    std::vector<std::uint8_t> refused;  // the codes of the upload the mouse refuses
    std::vector<std::uint8_t> resent;   // the codes of the next upload
    std::function<bool(const sim::MouseState&)> arrived;
  };
  const Case cases[] = {
      {"report rate", [](ProfileRecord& r) { r.PollingRateValue = {0, 0, 0}; }, {false, true, false, false},
       {4, 4, 4, 4}, {4}, [](const sim::MouseState& m) { return m.rateCode == 0x08; }},
      {"power", [](ProfileRecord& r) { SetPowerDownTime(r, 7); }, {false, false, true, false}, {7, 7, 7, 7}, {7},
       [](const sim::MouseState& m) { return m.power[0] == 7; }},
      {"sensor options", [](ProfileRecord& r) { SetAngleSnap(r, 1); }, {false, false, false, true}, {8, 8, 8, 8},
       {8}, [](const sim::MouseState& m) { return m.sensorOptions[0] == 1; }},
      // The first packet's four attempts are refused, the second packet is taken.
      {"DPI stages", [](ProfileRecord& r) { r.XYSettingValueX[0] = 0x30; }, {false, true, false, false},
       {2, 2, 2, 2, 2}, {2, 2}, [](const sim::MouseState& m) { return m.dpiX[0] == 0x30; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.edit(record);
    upload.Dirty() = c.group;
    mouse.IgnoreNextCommands(4);
    EXPECT_EQ(Upload(), UploadResult::kDone);
    EXPECT_EQ(Codes(), c.refused);
    EXPECT_FALSE(c.arrived(mouse.State()));
    EXPECT_EQ(upload.Dirty().Any(), true);
    EXPECT_EQ(upload.Dirty().DeviceSettingsDirty, c.group.DeviceSettingsDirty);
    EXPECT_EQ(upload.Dirty().PowerDirty, c.group.PowerDirty);
    EXPECT_EQ(upload.Dirty().SensorDirty, c.group.SensorDirty);

    EXPECT_EQ(Upload(), UploadResult::kDone);  // no new edit, no flag set by hand
    EXPECT_EQ(Codes(), c.resent);
    EXPECT_TRUE(c.arrived(mouse.State()));
    EXPECT_FALSE(upload.Dirty().Any());

    upload.Dirty() = c.group;
    EXPECT_EQ(Upload(), UploadResult::kDone);
    EXPECT_TRUE(Codes().empty());
  }
}

// Acknowledges that never arrive although the mouse took the command: what the mouse holds is
// unknown, so going back to the earlier value before the next upload still sends it.
TEST_F(UploadTest, AfterLostAcknowledgesTheEarlierValueIsSentAgain) {
  upload.Dirty().DeviceSettingsDirty = true;
  Upload();
  ASSERT_EQ(mouse.State().rateCode, 0x02);
  record.PollingRateValue = {0, 0, 0};
  upload.Dirty().DeviceSettingsDirty = true;
  mouse.FailNextAcknowledgeReads(4);
  Upload();
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{4, 4, 4, 4}));
  EXPECT_EQ(mouse.State().rateCode, 0x08);  // taken, but never acknowledged
  EXPECT_TRUE(upload.Dirty().DeviceSettingsDirty);

  record.PollingRateValue = {2, 0, 0};
  Upload();
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{4}));
  EXPECT_EQ(mouse.State().rateCode, 0x02);
  EXPECT_FALSE(upload.Dirty().Any());
}

TEST_F(UploadTest, HiddenWindowDoesNothing) {
  host.shown = false;
  upload.Dirty().DeviceSettingsDirty = true;
  EXPECT_EQ(Upload(), UploadResult::kNotShown);
  EXPECT_TRUE(mouse.SentReports().empty());
  EXPECT_TRUE(upload.Dirty().DeviceSettingsDirty);
  EXPECT_EQ(host.refreshes, 0);
}

TEST_F(UploadTest, ForgottenShadowsSendEveryCommandAndTheMouseMatchesTheRecord) {
  SetPowerDownTime(record, 3);
  SetAngleSnap(record, 1);
  record.PollingRateValue = {6, 0, 0};
  upload.ForgetShadows(record);
  upload.Dirty() = {true, true, true, true};
  Upload();
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{0x02, 0x02, 0x03, 0x04, 0x05, 0x09, 0x06, 0x07, 0x08}));
  // Sequence bytes run on from 1 in sending order.
  for (std::size_t i = 0; i < mouse.SentReports().size(); ++i) EXPECT_EQ(mouse.SentReports()[i][2], i + 1);
  const sim::MouseState s = mouse.State();
  EXPECT_EQ(s.dpiStage, 2);
  EXPECT_EQ(s.dpiMask, 0x3F);
  EXPECT_EQ(s.dpiX[5], 0x257);
  EXPECT_EQ(s.dpiY[0], 0x0F);
  EXPECT_EQ(s.rateCode, 0x14);
  EXPECT_EQ(s.power, (std::array<std::uint8_t, 3>{3, 1, 0}));
  EXPECT_EQ(s.sensorOptions, (std::array<std::uint8_t, 3>{1, 1, 0}));
  EXPECT_EQ(s.stageColours[0], 0xFF);  // stage 0 red
  EXPECT_EQ(s.stageColours[5], 0xFF);  // stage 1 blue
}

class WirelessUploadTest : public UploadTest {
 protected:
  WirelessUploadTest() : UploadTest(sim::StandardMouse(false, true, false)) {}
};

TEST_F(WirelessUploadTest, OfflineMouseGetsTheNoticeAndKeepsTheEditsPending) {
  mouseOnline = false;
  record.PollingRateValue = {4, 0, 0};
  upload.Dirty().DeviceSettingsDirty = true;
  EXPECT_EQ(Upload(), UploadResult::kNoLink);
  EXPECT_EQ(host.notices, 1);
  EXPECT_TRUE(mouse.SentReports().empty());
  EXPECT_TRUE(upload.Dirty().DeviceSettingsDirty);

  mouseOnline = true;
  EXPECT_EQ(Upload(), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{0x04, 0x06}));
  for (LinkKind l : mouse.SentReportLinks()) EXPECT_EQ(l, LinkKind::Wireless);
}

class NoLinkUploadTest : public UploadTest {
 protected:
  NoLinkUploadTest() : UploadTest(sim::StandardMouse(false, false, false)) {}
};

TEST_F(NoLinkUploadTest, NoHandleAtAllKeepsTheEditsEvenWhenMarkedOnline) {
  upload.Dirty().PowerDirty = true;
  EXPECT_EQ(Upload(), UploadResult::kNoLink);
  EXPECT_TRUE(upload.Dirty().PowerDirty);
  EXPECT_EQ(clock.Now(), Millis(0));
}

}  // namespace
}  // namespace gm
