#include "device/device_session.h"

#include <gtest/gtest.h>

#include <memory>

#include "device/fake_device_host.h"
#include "settings/app_config.h"
#include "settings/settings_model.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

class RecordingEffectsHost : public InputEffectsHost {
 public:
  void StartOnlineIndicatorTimer() override { ++onlineTimers; }
  void OpenUrl(const std::wstring& url) override { urls.push_back(url); }
  void Refresh() override { ++refreshes; }
  void MarkSavePending() override { ++savesPending; }
  void ShowStageDisplay() override { ++stageDisplays; }
  void SensorAdopted(std::uint16_t id) override { adopted.push_back(id); }
  int onlineTimers = 0, refreshes = 0, savesPending = 0, stageDisplays = 0;
  std::vector<std::wstring> urls;
  std::vector<std::uint16_t> adopted;
};

using AlwaysShown = test::FakeUploadHost;

// The whole road: the simulated mouse changes something, a real worker thread reads the report,
// the test (as the UI thread) folds it in, and the next upload runs in virtual time.
class DeviceSessionTest : public ::testing::Test {
 protected:
  DeviceSessionTest() : mouse(sim::StandardMouse(true, false, false)) {
    BuildSensorDpiTables(s_.sensor);
    for (int slot = 0; slot < kProfileCount; ++slot) ResetProfile(profiles[slot], slot, s_.texts, s_.sensor.id);
    session.Upload().PrimeShadows(profiles[0]);
    session.Links().ScanDevices();
    session.Upload().Dirty().DeviceSettingsDirty = true;
    session.Upload().UploadPendingChanges(profiles[0], true, uploadHost);  // the lighting command
    EXPECT_TRUE(test::Eventually([&] { return session.Workers().Reading(LinkKind::Wired); }));
    mouse.ClearSentReports();
  }
  ~DeviceSessionTest() override { session.Shutdown(); }

  // Waits for the next posted report and folds it in as the main window does.
  InputEffects NextReport() {
    EXPECT_TRUE(deviceHost.WaitForReports(++handled));
    auto [link, bytes] = deviceHost.Reports()[handled - 1];
    return session.HandleInputReport(link, bytes, false, effectsHost);
  }
  std::size_t UploadAndCount() {
    mouse.ClearSentReports();
    session.Upload().Dirty().DeviceSettingsDirty = true;
    session.Upload().UploadPendingChanges(profiles[0], true, uploadHost);
    return mouse.SentReports().size();
  }

  // The session's model (current profile 0) and macro library, the test's own.
  std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();
  SettingsModel& s_ = *model;
  ProfileTable& profiles = s_.profiles;
  MacroLibrary library;
  sim::SimMouse mouse;
  VirtualClock clock;
  test::FakeDeviceHost deviceHost;
  DeviceSession session{mouse, clock, deviceHost, s_, library};
  RecordingEffectsHost effectsHost;
  AlwaysShown uploadHost;
  std::size_t handled = 0;
};

TEST_F(DeviceSessionTest, DpiButtonOnTheMouseIsShownAndNotSentBack) {
  mouse.PressDpiButton();
  const InputEffects fx = NextReport();
  EXPECT_TRUE(fx.changed);
  EXPECT_EQ(profiles[0].CurrentDPILevelValue, 3);
  EXPECT_EQ(effectsHost.stageDisplays, 1);
  EXPECT_EQ(effectsHost.savesPending, 1);
  // The shadows were re-primed: the next upload sends the lighting command only (the priming
  // always leaves that one to send), never the DPI command back.
  mouse.ClearSentReports();
  session.Upload().Dirty().DeviceSettingsDirty = true;
  session.Upload().UploadPendingChanges(profiles[0], true, uploadHost);
  for (const auto& r : mouse.SentReports()) EXPECT_NE(r[1], 0x02);
  EXPECT_EQ(UploadAndCount(), 0u);
}

TEST_F(DeviceSessionTest, RateAndLightingChangedOnTheMouseAreFoldedIn) {
  mouse.ChangeRateOnDevice(0x01);
  NextReport();
  EXPECT_EQ(profiles[0].PollingRateValue[0], 3);
  EXPECT_EQ(profiles[0].PollingRateName, L"1000HZ");
  mouse.ChangeLightingOnDevice(4);
  NextReport();
  EXPECT_EQ(profiles[0].Lighting1ModeValue[0], 4);
  EXPECT_EQ(effectsHost.stageDisplays, 2);
}

TEST_F(DeviceSessionTest, LaunchButtonOpensItsAddressOncePerPress) {
  profiles[0].KeyAssignments[2].KeyURL = L"C:\\Tools\\app.exe";
  mouse.PressLaunchButton(3);
  NextReport();
  mouse.PressLaunchButton(3);
  NextReport();
  mouse.EmitStatus();  // launch byte 0 again
  NextReport();
  mouse.PressLaunchButton(3);
  NextReport();
  EXPECT_EQ(effectsHost.urls, (std::vector<std::wstring>{L"C:\\Tools\\app.exe", L"C:\\Tools\\app.exe"}));
  EXPECT_EQ(effectsHost.stageDisplays, 0);
}

TEST_F(DeviceSessionTest, ProfileSwitchSkipsTheNextTwoReports) {
  session.Status().InputSkipCount = 2;
  mouse.PressDpiButton();
  mouse.PressDpiButton();
  mouse.SetBattery(40, 1);
  EXPECT_FALSE(NextReport().processed);
  EXPECT_FALSE(NextReport().processed);
  EXPECT_TRUE(NextReport().changed);  // the third carries stage 4 and the battery
  EXPECT_EQ(profiles[0].CurrentDPILevelValue, 4);
  EXPECT_EQ(session.Status().BatteryLevel, 40);
  EXPECT_EQ(session.Status().ChargeState, 1);
}

TEST_F(DeviceSessionTest, SwappedSensorResetsAllFiveProfilesAndRecordsTheSensor) {
  for (ProfileRecord& p : profiles) p.XYSettingValueX[0] = 0x1FF;
  mouse.SwapSensor(0x09);
  const InputEffects fx = NextReport();
  ASSERT_TRUE(fx.adoptedSensor);
  EXPECT_EQ(effectsHost.adopted, std::vector<std::uint16_t>{0x3809});
  EXPECT_EQ(s_.sensor.id, 0x3809);
  EXPECT_EQ(s_.sensor.count, 60u);
  for (const ProfileRecord& p : profiles) EXPECT_EQ(p.XYSettingValueX[0], 0x003);
  EXPECT_EQ(s_.config[kSensor].Value, L"0x3809");
  EXPECT_EQ(s_.config[kPreST].Value, L"0xC7F6");
  // Nothing of the stage set changed in the current record's stage byte: no display.
  EXPECT_EQ(effectsHost.stageDisplays, 0);
}

TEST_F(DeviceSessionTest, MalformedInputReportsChangeNothing) {
  const ProfileTable before = profiles;
  mouse.InjectInputReport(LinkKind::Wired, {0x05});              // short, another report id
  mouse.InjectInputReport(LinkKind::Wired, {0x07, 1, 6, 0x14});  // another report id
  mouse.InjectInputReport(LinkKind::Wired, std::vector<std::uint8_t>(64, 0xEE));  // too long, id 0xEE
  NextReport();
  NextReport();
  NextReport();
  EXPECT_TRUE(profiles == before);
  EXPECT_EQ(s_.sensor.id, 0x3950);
  EXPECT_EQ(session.Status().BatteryLevel, 100);
}

TEST_F(DeviceSessionTest, UnplugEndsTheWorkerAndShutdownJoinsTheRest) {
  mouse.Unplug(LinkKind::Wired);
  EXPECT_TRUE(test::Eventually([&] { return !session.Workers().Running(LinkKind::Wired); }));
  EXPECT_TRUE(session.Links().OnDeviceChange(0x8004).lastLinkGone);
  mouse.Plug(LinkKind::Wired);
  session.Links().OnDeviceChange(0x8000);
  EXPECT_TRUE(test::Eventually([&] { return session.Workers().Reading(LinkKind::Wired); }));
  session.Shutdown();  // cancels the blocked read
  EXPECT_FALSE(session.Workers().Running(LinkKind::Wired));
  EXPECT_EQ(mouse.OpenHandleCount(), 0);
}

}  // namespace
}  // namespace gm
