#include "app/main_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <future>
#include <mutex>
#include <memory>
#include <string>
#include <vector>

#include "app/fake_window_host.h"
#include "app/main_commands.h"
#include "device/command_report.h"
#include "device/mapping_upload.h"
#include "device/firmware_bootloader.h"
#include "device/firmware_test_rig.h"
#include "device/firmware_update.h"
#include "settings/app_config.h"
#include "settings/environment.h"
#include "settings/language.h"
#include "settings/language_indexes.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "settings/settings_store.h"
#include "settings/temp_folder.h"
#include "settings/test_state.h"
#include "sim/sim_bootloader.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

using sim::SimMouse;
using sim::StandardMouse;

// The simulated mouse behind a door the test can close: once armed, the next feature report set
// on the mouse waits (on the device thread, in the middle of a job) until the test opens again.
// Counts the feature reports that reach the mouse.
class HoldingHid final : public HidApiForwarder {
 public:
  explicit HoldingHid(HidApi& inner) : HidApiForwarder(inner) {}

  void HoldNextReport() {
    std::lock_guard lock(mutex_);
    armed_ = true;
    holding_ = false;
  }
  // Waits until a report is held.
  bool WaitHeld() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return holding_; });
  }
  void Release() {
    std::lock_guard lock(mutex_);
    armed_ = false;
    changed_.notify_all();
  }
  int ReportsSet() const { return reportsSet_.load(); }

  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
    {
      std::unique_lock lock(mutex_);
      if (armed_) {
        holding_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return !armed_; });
      }
    }
    ++reportsSet_;
    return Inner().SetFeature(handle, report);
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool armed_ = false;
  bool holding_ = false;
  std::atomic<int> reportsSet_{0};
};

// The controller with the real device session over the simulated mouse, a fake window whose
// timers the tests fire by hand, a virtual clock and the settings in a temporary data folder.
class MainControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadAppConfig(s_);  // no files yet: defaults, written at once
    s_.currentProfile = GetCurrentProfile(s_.config);
    BuildSensorDpiTables(s_.sensor);
  }
  void TearDown() override {
    if (hold_) hold_->Release();
    controller_.reset();
    hold_.reset();
    mouse_.reset();
  }

  // Starts the controller as the window's initialisation does, with "NeedPassword" as given.
  void Start(sim::MouseSpec spec, const wchar_t* needPassword = L"0") {
    s_.config[kNeedPassword].Value = needPassword;
    mouse_ = std::make_unique<SimMouse>(std::move(spec));
    controller_ = std::make_unique<MainController>(*mouse_, clock_, host_, s_);
    controller_->Start();
  }

  // Started as above, with the mouse reached through hold_, so a job can be held mid-run.
  void StartHeld(sim::MouseSpec spec) {
    s_.config[kNeedPassword].Value = L"0";
    mouse_ = std::make_unique<SimMouse>(std::move(spec));
    hold_ = std::make_unique<HoldingHid>(*mouse_);
    controller_ = std::make_unique<MainController>(*hold_, clock_, host_, s_);
    controller_->Start();
  }

  // Fires the upload timer and waits until its job is held at its first report.
  void StartUploadAndHoldIt() {
    hold_->HoldNextReport();
    controller_->OnTimer(kTimerUpload);
    ASSERT_TRUE(controller_->DeviceJobsInFlight());
    ASSERT_TRUE(hold_->WaitHeld());
  }

  // Fires a running timer as the window would, then hands every device job's result back as the
  // UI thread does; fails the test when the timer is not running.
  void Fire(unsigned id) {
    ASSERT_TRUE(host_.Running(id)) << "timer " << id << " is not running";
    controller_->OnTimer(id);
    SettleJobs();
  }

  // Hands the finish of the next job the device thread completes to the controller.
  void DeliverJobResult() {
    JobFinish finish;
    ASSERT_TRUE(host_.TakeJobResult(finish)) << "no device job result arrived";
    controller_->OnJobResult(finish);
  }

  // Delivers results until no device job is in flight.
  void SettleJobs() {
    while (controller_->DeviceJobsInFlight() && !HasFatalFailure()) DeliverJobResult();
  }

  // Hands the next report a worker posted to the controller, as the UI thread does.
  void DeliverReport() {
    std::pair<LinkKind, InputReportBytes> report;
    ASSERT_TRUE(host_.TakeReport(report)) << "no input report arrived";
    controller_->OnInputReport(report.first, report.second);
  }

  // Waits until the link's worker reads, so a report the mouse emits now reaches the program.
  void WaitForWorker(LinkKind link) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!controller_->Session().Workers().Reading(link) && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(controller_->Session().Workers().Reading(link));
  }

  int StatusReads(const std::string& link) const {
    int n = 0;
    for (const std::string& line : mouse_->Log()) n += line.rfind("get " + link + " 05", 0) == 0 ? 1 : 0;
    return n;
  }

  ProfileRecord& Current() { return s_.profiles[static_cast<std::size_t>(s_.currentProfile)]; }

  test::TestState<AppState> state_;
  AppState& s_ = *state_;
  const test::TempFolder& folder_ = state_.Folder();
  VirtualClock clock_;
  test::FakeWindowHost host_;
  std::unique_ptr<SimMouse> mouse_;
  std::unique_ptr<HoldingHid> hold_;
  std::unique_ptr<MainController> controller_;
};

TEST_F(MainControllerTest, StartWithTheMouseReadsItsStatusAndStartsTheTimers) {
  Start(StandardMouse(true, true, false));
  EXPECT_TRUE(controller_->WindowShown());
  EXPECT_TRUE(controller_->MouseOnline());
  EXPECT_FALSE(controller_->MarkedDisconnected());  // the scan found the mouse
  EXPECT_FALSE(host_.Called("minimise"));
  EXPECT_TRUE(host_.Called("register notifications"));
  EXPECT_EQ(StatusReads("wired"), 1);  // the active link had just appeared
  EXPECT_TRUE(host_.visibleControls[kControlStatusWired]);
  EXPECT_FALSE(host_.visibleControls[kControlStatusWireless]);
  EXPECT_FALSE(host_.visibleControls[kControlStatusBle]);
  EXPECT_TRUE(host_.Called("enable 3004 1"));
  EXPECT_FALSE(host_.Running(kTimerVisibility));  // nothing waits: no timer but the battery ticks
  EXPECT_EQ(host_.Period(kTimerBattery), 1000u);
  // The start's 2 s period is the last one set.
  EXPECT_EQ(host_.Period(kTimerOnlineHint), 2000u);
  // The first upload sends nothing but what is edited afterwards (and the lighting command).
  EXPECT_TRUE(mouse_->SentReports().empty());
}

TEST_F(MainControllerTest, StartModeFollowsNeedPassword) {
  struct Case {
    const wchar_t* value;
    bool minimised;
    bool shown;
  };
  for (const Case& c : {Case{L"1", true, false}, Case{L"0", false, true}, Case{L"2", false, false},
                        Case{L"x", false, true}}) {
    SCOPED_TRACE(testing::Message() << "NeedPassword=" << static_cast<char>(c.value[0]));
    host_.calls.clear();
    auto spec = StandardMouse(true, false, false);
    spec.links[IndexOf(LinkKind::Wired)].plugged = false;
    Start(spec, c.value);
    EXPECT_EQ(host_.Called("minimise"), c.minimised);
    EXPECT_EQ(controller_->WindowShown(), c.shown);
    EXPECT_EQ(controller_->MouseOnline(), c.shown);
    EXPECT_TRUE(controller_->MarkedDisconnected());
    controller_.reset();
  }
}

TEST_F(MainControllerTest, EditsWithin20msEndInOneUploadOfTheLastState) {
  Start(StandardMouse(true, false, false));
  mouse_->ClearSentReports();
  for (std::uint8_t stage : {0, 4, 1}) {
    Current().CurrentDPILevelValue = stage;
    controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
    EXPECT_EQ(host_.Period(kTimerUpload), 20u);
  }
  EXPECT_EQ(host_.Count("start 30 20"), 3);  // each edit restarts the one timer
  EXPECT_TRUE(mouse_->SentReports().empty());

  Fire(kTimerUpload);
  EXPECT_FALSE(host_.Running(kTimerUpload));
  EXPECT_EQ(mouse_->State().dpiStage, 1);
  EXPECT_EQ(mouse_->State().acceptedByCode[0x02], 2);  // one DPI command: its X and its Y packet
  EXPECT_FALSE(controller_->Session().Upload().Dirty().Any());
  EXPECT_TRUE(host_.Called("progress 146"));
  EXPECT_EQ(host_.Period(kTimerSave), 10000u);
  EXPECT_TRUE(controller_->SavePending());
}

TEST_F(MainControllerTest, EveryUploadRestartsTheSaveTimerAndTheProgressShowsOnlyWhenSomethingWasSent) {
  Start(StandardMouse(true, false, false));
  controller_->ScheduleUpload(DirtyGroup::kPower);  // nothing changed: nothing to send
  Fire(kTimerUpload);
  EXPECT_TRUE(mouse_->SentReports().empty());
  EXPECT_FALSE(host_.Called("progress 146"));
  EXPECT_EQ(host_.Count("stop 70"), 1);
  EXPECT_EQ(host_.Period(kTimerSave), 10000u);
  EXPECT_TRUE(controller_->SavePending());
  EXPECT_TRUE(host_.Called("refresh"));

  SetPowerDownTime(Current(), 5);
  controller_->ScheduleUpload(DirtyGroup::kPower);
  Fire(kTimerUpload);
  EXPECT_FALSE(mouse_->SentReports().empty());
  EXPECT_EQ(host_.Count("progress 146"), 1);
  EXPECT_EQ(host_.Count("stop 70"), 2);

  // The save timer writes everything and ends the pending state.
  std::filesystem::remove(folder_.Path() / "config/config.ini");
  Fire(kTimerSave);
  EXPECT_FALSE(host_.Running(kTimerSave));
  EXPECT_FALSE(controller_->SavePending());
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "config/config.ini"));
}

TEST_F(MainControllerTest, AButtonAssignmentIsUploadedThroughTheMappingCommand) {
  Start(StandardMouse(true, false, false));
  const auto before = mouse_->State().buttonMapping;
  Current().KeyAssignments[3].KeyValue = {0x40, 0x01, 0x00};  // a DPI function
  controller_->ScheduleUpload(DirtyGroup::kKeyMap);
  Fire(kTimerUpload);
  EXPECT_EQ(mouse_->State().acceptedByCode[0x01], 1);
  EXPECT_NE(mouse_->State().buttonMapping, before);
  EXPECT_EQ(mouse_->State().acceptedByCode[0x02], 0);  // only the edited group is rebuilt
  EXPECT_TRUE(host_.Called("progress 146"));
}

TEST_F(MainControllerTest, AnEditWhileTheMouseSleepsIsRefusedAndSentWithTheNextEditAfterItWakes) {
  auto spec = StandardMouse(false, true, false);
  spec.awake = false;
  Start(spec);
  EXPECT_EQ(StatusReads("wireless"), 1);
  EXPECT_FALSE(controller_->MouseOnline());  // the status report said so
  WaitForWorker(LinkKind::Wireless);
  mouse_->ClearSentReports();

  Current().CurrentDPILevelValue = 4;
  controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
  Fire(kTimerUpload);
  EXPECT_TRUE(host_.Called("topmost notice 156"));
  EXPECT_TRUE(mouse_->SentReports().empty());
  EXPECT_FALSE(controller_->SavePending());
  EXPECT_TRUE(controller_->Session().Upload().Dirty().DeviceSettingsDirty);

  mouse_->SetAwake(true);
  DeliverReport();
  EXPECT_TRUE(controller_->MouseOnline());

  SetPowerDownTime(Current(), 7);
  controller_->ScheduleUpload(DirtyGroup::kPower);
  Fire(kTimerUpload);
  EXPECT_EQ(host_.Count("topmost notice 156"), 1);
  EXPECT_EQ(mouse_->State().dpiStage, 4);
  EXPECT_EQ(mouse_->State().power[0], 7);
  EXPECT_TRUE(controller_->SavePending());
}

// Another run of exchanges (a firmware update) holds the link when the deferred upload is due: the
// upload is refused, keeps every dirty flag and tries again 20 ms later, and once the link is free
// the edits made in the meantime go out together.
TEST_F(MainControllerTest, AnUploadDueWhileAnotherRunHoldsTheLinkKeepsItsEditsAndTriesAgain) {
  Start(StandardMouse(true, false, false));
  mouse_->ClearSentReports();
  {
    const ExchangeRun update(controller_->Session().GetTransport().Busy());
    Current().CurrentDPILevelValue = 4;
    controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
    Fire(kTimerUpload);
    EXPECT_EQ(host_.Period(kTimerUpload), 20u);
    EXPECT_TRUE(controller_->Session().Upload().Dirty().DeviceSettingsDirty);

    SetPowerDownTime(Current(), 7);
    controller_->ScheduleUpload(DirtyGroup::kPower);
    Fire(kTimerUpload);
    EXPECT_EQ(host_.Period(kTimerUpload), 20u);
    EXPECT_TRUE(mouse_->SentReports().empty());
    EXPECT_FALSE(host_.Called("progress 146"));
    EXPECT_FALSE(host_.Called("topmost notice 156"));
    EXPECT_FALSE(host_.Running(kTimerSave));
    EXPECT_FALSE(controller_->SavePending());
  }
  Fire(kTimerUpload);
  EXPECT_FALSE(host_.Running(kTimerUpload));
  EXPECT_EQ(mouse_->State().dpiStage, 4);
  EXPECT_EQ(mouse_->State().power[0], 7);
  EXPECT_FALSE(controller_->Session().Upload().Dirty().Any());
  EXPECT_TRUE(host_.Called("progress 146"));
  EXPECT_TRUE(controller_->SavePending());
}

TEST_F(MainControllerTest, NothingIsUploadedWhileTheWindowIsMeantToBeHidden) {
  auto spec = StandardMouse(true, false, false);
  spec.links[IndexOf(LinkKind::Wired)].plugged = false;
  Start(spec, L"1");
  Current().CurrentDPILevelValue = 3;
  controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
  Fire(kTimerUpload);
  EXPECT_TRUE(mouse_->SentReports().empty());
  EXPECT_FALSE(host_.Called("topmost notice 156"));
  EXPECT_FALSE(host_.Running(kTimerSave));
  EXPECT_TRUE(controller_->Session().Upload().Dirty().DeviceSettingsDirty);
}

TEST_F(MainControllerTest, WithTheDefaultStartAndNoMouseTheWindowStaysHiddenUntilTheMouseIsPluggedIn) {
  auto spec = StandardMouse(true, false, false);
  spec.links[IndexOf(LinkKind::Wired)].plugged = false;
  Start(spec, AppConfigDefaults(s_.env.dataFolder)[kNeedPassword].Value.c_str());
  EXPECT_TRUE(host_.Called("minimise"));
  EXPECT_FALSE(controller_->WindowShown());
  EXPECT_TRUE(host_.visibleControls.count(kControlStatusWired) && !host_.visibleControls[kControlStatusWired]);

  // The system shows the window (the dialog's first showing): it is hidden again.
  controller_->OnWindowShownBySystem();
  EXPECT_TRUE(host_.Called("hide"));
  EXPECT_EQ(host_.Period(kTimerOnlineHint), 2000u);
  Fire(kTimerOnlineHint);
  EXPECT_EQ(host_.Count("topmost notice 155"), 1);
  EXPECT_FALSE(host_.Running(kTimerOnlineHint));
  // The battery gauge is not touched while the window is hidden.
  EXPECT_FALSE(host_.Running(kTimerBattery));
  EXPECT_FALSE(host_.Called("show"));

  mouse_->Plug(LinkKind::Wired);
  controller_->OnDeviceChange(0x8000);
  EXPECT_EQ(host_.Count("show"), 1);
  EXPECT_TRUE(controller_->WindowShown());
  EXPECT_TRUE(controller_->ShownByStatusReport());
  EXPECT_FALSE(controller_->MarkedDisconnected());
  EXPECT_TRUE(host_.visibleControls[kControlStatusWired]);
  host_.calls.clear();
  controller_->OnWindowShownBySystem();
  EXPECT_FALSE(host_.Called("hide"));
}

TEST_F(MainControllerTest, AShowRequestShowsAnOnlineShownWindowAndOtherwiseAsksTheMouse) {
  {
    SCOPED_TRACE("shown and online");
    Start(StandardMouse(true, false, false));
    const int reads = StatusReads("wired");
    controller_->OnShowRequest();
    EXPECT_EQ(host_.Count("show"), 1);
    EXPECT_EQ(StatusReads("wired"), reads);
    controller_.reset();
  }
  {
    SCOPED_TRACE("shown, receiver with the mouse asleep");
    host_.calls.clear();
    auto spec = StandardMouse(false, true, false);
    spec.awake = false;
    Start(spec);
    controller_->OnShowRequest();
    EXPECT_EQ(StatusReads("wireless"), 2);
    EXPECT_FALSE(host_.Called("show"));
    EXPECT_FALSE(host_.Called("minimise"));
    controller_.reset();
  }
  {
    SCOPED_TRACE("shown by a status answer, then the mouse fell asleep");
    host_.calls.clear();
    Start(StandardMouse(false, true, false), L"1");
    EXPECT_TRUE(controller_->ShownByStatusReport());
    WaitForWorker(LinkKind::Wireless);
    mouse_->SetAwake(false);
    DeliverReport();
    EXPECT_FALSE(controller_->MouseOnline());
    host_.calls.clear();
    controller_->OnShowRequest();
    EXPECT_TRUE(host_.Called("minimise"));
    EXPECT_FALSE(controller_->ShownByStatusReport());
    EXPECT_TRUE(controller_->WindowShown());
  }
}

TEST_F(MainControllerTest, AStatusAnswerWithoutTheSignatureChangesNothing) {
  auto spec = StandardMouse(true, false, false);
  spec.links[IndexOf(LinkKind::Wired)].plugged = false;
  Start(spec, L"1");
  mouse_->SetStatusSignature("0000");
  mouse_->Plug(LinkKind::Wired);
  controller_->OnDeviceChange(0x8000);
  EXPECT_EQ(StatusReads("wired"), 1);
  EXPECT_FALSE(controller_->WindowShown());
  EXPECT_FALSE(host_.Called("show"));
}

TEST_F(MainControllerTest, RemovingBleWithTheReceiverAttachedRescansAfter300msAndReadsTheStatusAgain) {
  Start(StandardMouse(false, true, true));
  EXPECT_TRUE(host_.visibleControls[kControlStatusBle]);
  EXPECT_EQ(StatusReads("ble"), 1);
  EXPECT_EQ(StatusReads("wireless"), 0);

  mouse_->Unplug(LinkKind::Ble);
  controller_->OnDeviceChange(0x8004);
  EXPECT_FALSE(host_.Called("quit"));
  EXPECT_EQ(host_.Period(kTimerBleRescan), 300u);
  EXPECT_TRUE(host_.visibleControls[kControlStatusWireless]);
  EXPECT_FALSE(host_.visibleControls[kControlStatusBle]);
  EXPECT_EQ(StatusReads("wireless"), 0);  // the receiver was there before

  Fire(kTimerBleRescan);
  EXPECT_FALSE(host_.Running(kTimerBleRescan));
  EXPECT_EQ(StatusReads("wireless"), 1);
}

TEST_F(MainControllerTest, RemovingTheLastLinkEndsTheProgramUnlessAFirmwareUpdateWaits) {
  {
    SCOPED_TRACE("the only link");
    Start(StandardMouse(true, false, false));
    mouse_->Unplug(LinkKind::Wired);
    host_.calls.clear();
    controller_->OnDeviceChange(0x8004);
    const std::vector<std::string> ending{"hide", "close dialogs", "quit"};
    std::vector<std::string> seen;
    for (const std::string& c : host_.calls)
      if (c == "hide" || c == "close dialogs" || c == "quit") seen.push_back(c);
    EXPECT_EQ(seen, ending);
    EXPECT_FALSE(controller_->WindowShown());
    EXPECT_TRUE(controller_->MarkedDisconnected());
    controller_.reset();
  }
  {
    SCOPED_TRACE("a firmware update waits for the mouse");
    host_.calls.clear();
    Start(StandardMouse(true, false, false));
    controller_->Session().Links().SetFirmwareUpdateInProgress(true);
    mouse_->Unplug(LinkKind::Wired);
    controller_->OnDeviceChange(0x8004);
    EXPECT_FALSE(host_.Called("quit"));
    EXPECT_TRUE(controller_->WindowShown());
    EXPECT_FALSE(controller_->Session().Links().FirmwareUpdateInProgress());
    controller_.reset();
  }
  {
    // Waiting for a mouse that was never attached: another device's removal is no reason to end.
    SCOPED_TRACE("no link was attached");
    host_.calls.clear();
    auto spec = StandardMouse(true, false, false);
    spec.links[IndexOf(LinkKind::Wired)].plugged = false;
    Start(spec, L"1");
    controller_->OnDeviceChange(0x8004);
    EXPECT_FALSE(host_.Called("quit"));
  }
}

TEST_F(MainControllerTest, OtherDeviceEventsAndArrivalsWithAllThreeLinksPresentDoNothing) {
  Start(StandardMouse(true, true, true));
  host_.calls.clear();
  mouse_->ClearLog();
  for (std::uint32_t event : {0x8000u, 0x8001u, 0x0007u}) controller_->OnDeviceChange(event);
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_TRUE(mouse_->Log().empty());
}

TEST_F(MainControllerTest, OfflineHintFollowsTheReceiverAndIsRedrawnOnlyWhenItChanges) {
  auto spec = StandardMouse(false, true, false);
  spec.awake = false;
  Start(spec);
  WaitForWorker(LinkKind::Wireless);
  Fire(kTimerOnlineHint);
  EXPECT_EQ(controller_->OnlineHintState(), OnlineHint::kShown);
  EXPECT_TRUE(host_.visibleControls[kControlOfflineHint]);
  EXPECT_EQ(host_.Count("invalidate 3024"), 1);

  host_.StartTimer(kTimerOnlineHint, 1000);
  Fire(kTimerOnlineHint);
  EXPECT_EQ(host_.Count("invalidate 3024"), 1);  // unchanged: nothing redrawn

  mouse_->SetAwake(true);
  DeliverReport();
  EXPECT_EQ(host_.Period(kTimerOnlineHint), 100u);  // the report asks for a redisplay
  Fire(kTimerOnlineHint);
  EXPECT_EQ(controller_->OnlineHintState(), OnlineHint::kHidden);
  EXPECT_FALSE(host_.visibleControls[kControlOfflineHint]);
  EXPECT_EQ(host_.Count("invalidate 3024"), 2);
}

TEST_F(MainControllerTest, BatteryGaugeAnimatesAndShowsALevelAbove100AsZero) {
  Start(StandardMouse(true, false, false));
  WaitForWorker(LinkKind::Wired);
  mouse_->SetBattery(150, 1);
  DeliverReport();
  host_.calls.clear();
  for (int i = 0; i < 5; ++i) Fire(kTimerBattery);
  const std::vector<std::string> want{"battery 25 0 1",  "invalidate 3406", "battery 50 0 1",
                                      "invalidate 3406", "battery 75 0 1",  "invalidate 3406",
                                      "battery 100 0 1", "invalidate 3406", "battery 25 0 1",
                                      "invalidate 3406"};
  EXPECT_EQ(host_.calls, want);
  EXPECT_TRUE(host_.Running(kTimerBattery));  // periodic
}

TEST_F(MainControllerTest, AStageChangedOnTheMouseIsSavedLaterAndNotSentBack) {
  Start(StandardMouse(true, false, false));
  WaitForWorker(LinkKind::Wired);
  mouse_->PressDpiButton();
  DeliverReport();
  EXPECT_EQ(Current().CurrentDPILevelValue, mouse_->State().dpiStage);
  EXPECT_TRUE(controller_->SavePending());
  EXPECT_TRUE(host_.Called("stage display"));

  mouse_->ClearSentReports();
  controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
  Fire(kTimerUpload);
  EXPECT_EQ(mouse_->State().acceptedByCode[0x02], 0);  // the shadow already holds the stage
}

// The mouse's report re-primes the shadows from the record; had it been folded in between an edit
// of another group and that edit's upload, the upload would have found the edit in its shadow
// already and sent nothing.
TEST_F(MainControllerTest, AStageChangedOnTheMouseBeforeAPendingEditIsUploadedDoesNotSwallowTheEdit) {
  Start(StandardMouse(true, false, false));
  WaitForWorker(LinkKind::Wired);
  struct Case {
    const char* name;
    DirtyGroup group;
    std::function<void(ProfileRecord&)> edit;
    std::function<bool(const sim::MouseState&)> arrived;
  };
  const Case cases[] = {
      {"power", DirtyGroup::kPower, [](ProfileRecord& r) { SetPowerDownTime(r, 6); },
       [](const sim::MouseState& m) { return m.power[0] == 6; }},
      {"sensor options", DirtyGroup::kSensor, [](ProfileRecord& r) { SetRippleControl(r, 1); },
       [](const sim::MouseState& m) { return m.sensorOptions[2] == 1; }},
      {"mapping", DirtyGroup::kKeyMap, [](ProfileRecord& r) { r.KeyAssignments[3].KeyValue = {0x40, 0x01, 0x00}; },
       [](const sim::MouseState& m) {
         const std::uint8_t function[] = {0x40, 0x01, 0x00};
         return std::search(m.buttonMapping.begin(), m.buttonMapping.end(), std::begin(function), std::end(function)) !=
                m.buttonMapping.end();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.edit(Current());
    controller_->ScheduleUpload(c.group);
    mouse_->PressDpiButton();  // reported before the 20 ms have passed
    DeliverReport();
    Fire(kTimerUpload);
    EXPECT_TRUE(c.arrived(mouse_->State()));
  }
}

TEST_F(MainControllerTest, ANewSensorIsSavedWithAllFiveProfilesAtOnce) {
  Start(StandardMouse(true, false, false));
  WaitForWorker(LinkKind::Wired);
  for (int slot = 0; slot < kProfileCount; ++slot)
    std::filesystem::remove(folder_.Path() / ("config/default" + std::to_string(slot) + ".psf"));
  mouse_->SwapSensor(0x09);
  DeliverReport();
  EXPECT_EQ(s_.sensor.id, 0x3809);
  EXPECT_TRUE(host_.Called("sensor changed"));
  for (int slot = 0; slot < kProfileCount; ++slot)
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() / ("config/default" + std::to_string(slot) + ".psf")));
  // The configuration on disk names the new sensor.
  s_.config = {};
  ASSERT_TRUE(LoadAppConfig(s_));
  EXPECT_EQ(ConfigSensor(s_.config), 0x3809);
}

TEST_F(MainControllerTest, ClosingSoonAfterAnUploadWritesTheConfigurationAndAllFiveProfiles) {
  Start(StandardMouse(true, false, false));
  Current().CurrentDPILevelValue = 5;
  controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
  Fire(kTimerUpload);
  ASSERT_TRUE(host_.Running(kTimerSave));
  std::filesystem::remove(folder_.Path() / "config/config.ini");
  for (int slot = 0; slot < kProfileCount; ++slot)
    std::filesystem::remove(folder_.Path() / ("config/default" + std::to_string(slot) + ".psf"));

  controller_->Shutdown();
  EXPECT_FALSE(host_.Running(kTimerSave));
  EXPECT_FALSE(controller_->SavePending());
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "config/config.ini"));
  for (int slot = 0; slot < kProfileCount; ++slot)
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() / ("config/default" + std::to_string(slot) + ".psf")));
  EXPECT_EQ(mouse_->OpenHandleCount(), 0);

  const ProfileRecord edited = Current();
  s_.profiles = {};
  ASSERT_TRUE(ReadProfileFile(s_, 0, ProfileSlotPath(s_.config, 0)));
  EXPECT_EQ(s_.profiles[0].CurrentDPILevelValue, edited.CurrentDPILevelValue);
}

TEST_F(MainControllerTest, ClosingBeforeAnEditWasUploadedStillSavesIt) {
  // The edit's upload has not run yet when the program closes (within its 20 ms, or refused for
  // want of a usable link): the model is written all the same.
  Start(StandardMouse(true, false, false));
  Current().CurrentDPILevelValue = 4;
  controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
  ASSERT_TRUE(host_.Running(kTimerUpload));
  std::filesystem::remove(folder_.Path() / "config/default0.psf");

  controller_->Shutdown();
  EXPECT_FALSE(host_.Running(kTimerUpload));
  ASSERT_TRUE(std::filesystem::exists(folder_.Path() / "config/default0.psf"));
  s_.profiles = {};
  ASSERT_TRUE(ReadProfileFile(s_, 0, ProfileSlotPath(s_.config, 0)));
  EXPECT_EQ(s_.profiles[0].CurrentDPILevelValue, 4);
}

TEST_F(MainControllerTest, ShutdownWithoutPendingChangesWritesNothingAndIgnoresLateReports) {
  Start(StandardMouse(true, false, false));
  std::filesystem::remove(folder_.Path() / "config/config.ini");
  controller_->Shutdown();
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "config/config.ini"));
  EXPECT_EQ(mouse_->OpenHandleCount(), 0);

  // A report still queued for the window when it closed is not folded in any more.
  InputReportBytes report{};
  report[0] = 4;
  report[2] = 5;
  const ProfileRecord before = Current();
  controller_->OnInputReport(LinkKind::Wired, report);
  EXPECT_EQ(Current().CurrentDPILevelValue, before.CurrentDPILevelValue);
  EXPECT_FALSE(controller_->SavePending());
}

TEST_F(MainControllerTest, OneShotTimersStopBeforeActing) {
  Start(StandardMouse(true, false, false));
  controller_->ScheduleProfileOperation(3, 4);
  EXPECT_EQ(host_.Period(kTimerProfileOperation), 100u);
  Fire(kTimerProfileOperation);
  EXPECT_FALSE(host_.Running(kTimerProfileOperation));
  EXPECT_TRUE(host_.Called("profile op 3 4"));

  controller_->ScheduleAssignmentRejectedNotice();
  EXPECT_EQ(host_.Period(kTimerAssignmentRejected), 100u);
  Fire(kTimerAssignmentRejected);
  EXPECT_FALSE(host_.Running(kTimerAssignmentRejected));
  EXPECT_TRUE(host_.Called("modal notice 151"));
}

// The firmware update runs inside the main window, and its waits keep the window answering: the
// controller's timers and the window's device-change handling run between the update's reports.
class MainControllerDuringUpdateTest : public MainControllerTest {
 protected:
  // A clock whose every wait lets the window handle what is pending, as the update's wait does.
  class WindowPumpClock final : public Clock {
   public:
    explicit WindowPumpClock(Clock& base) : base_(base) {}
    Millis Now() const override { return base_.Now(); }
    void Sleep(Millis duration) override {
      base_.Sleep(duration);
      if (pump) pump();
    }
    std::function<void()> pump;

   private:
    Clock& base_;
  };

  void TearDown() override {
    controller_.reset();
    boot_.reset();
    mouse_.reset();
  }

  void StartWithBootloader(sim::MouseSpec spec, sim::BootloaderSpec bootSpec) {
    s_.config[kNeedPassword].Value = L"0";
    mouse_ = std::make_unique<SimMouse>(std::move(spec));
    boot_ = std::make_unique<sim::SimBootloader>(*mouse_, clock_, std::move(bootSpec));
    controller_ = std::make_unique<MainController>(*boot_, clock_, host_, s_);
    controller_->Start();
  }

  // What the window does in a wait: device arrivals and removals, then every running timer.
  void Pump() {
    boot_->Poll();
    const DeviceLinks& links = controller_->Session().Links();
    for (LinkKind link : {LinkKind::Wired, LinkKind::Ble}) {
      const bool plugged = mouse_->IsPlugged(link);
      if (plugged != links.State(link).present)
        controller_->OnDeviceChange(static_cast<std::uint32_t>(plugged ? DeviceEvent::kArrival : DeviceEvent::kRemoveComplete));
    }
    std::vector<unsigned> running;
    for (const auto& [id, period] : host_.timers) running.push_back(id);
    for (unsigned id : running)
      if (host_.Running(id)) controller_->OnTimer(id);
  }

  FirmwareResult RunUpdate(const std::vector<std::uint8_t>& app, const std::vector<std::uint8_t>& system) {
    WindowPumpClock waits(clock_);
    waits.pump = [this] { Pump(); };
    DeviceSession& session = controller_->Session();
    BootloaderLink link(*boot_, session.Links(), waits, session.GetTransport().Busy());
    test::RecordingUpdateHost ui(session.Links());
    FirmwareUpdater updater(link, ui);
    return updater.Run({app, system}, {session.Links().WiredVersionNumber(), 0, 0});
  }

  std::unique_ptr<sim::SimBootloader> boot_;
};

// While the update holds the link nothing reaches the mouse from the controller: the deferred
// upload, the save and the BLE rescan start again later, and the scans of the restart leave the
// status report for later. Afterwards each of them does its work, with nothing lost.
TEST_F(MainControllerDuringUpdateTest, TimersAndScansWaitForTheUpdateAndCatchUpAfterIt) {
  const auto app = test::MakeAppImage(4096, 3);
  const auto system = test::MakeSystemImage(2);
  StartWithBootloader(StandardMouse(true, false, true), {.system = system, .application = test::MakeAppImage(3000, 4)});
  // One upload done (the save timer runs), one edit waiting for its upload.
  SetPowerDownTime(Current(), 5);
  controller_->ScheduleUpload(DirtyGroup::kPower);
  Fire(kTimerUpload);
  ASSERT_EQ(mouse_->State().power[0], 5);
  ASSERT_TRUE(host_.Running(kTimerSave));
  SetPowerDownTime(Current(), 7);
  controller_->ScheduleUpload(DirtyGroup::kPower);
  std::filesystem::remove(folder_.Path() / "config/config.ini");
  mouse_->ClearLog();
  mouse_->ClearSentReports();
  host_.calls.clear();

  ASSERT_EQ(RunUpdate(app, system), FirmwareResult::kUpdated);

  // The timers fired inside the update's waits and were put off; the restart's scans ran (the
  // mouse was found again) without reading the status report.
  for (const char* call : {"start 30 20", "start 70 500", "start 120 500"}) EXPECT_TRUE(host_.Called(call)) << call;
  EXPECT_TRUE(controller_->Session().Links().State(LinkKind::Wired).present);
  EXPECT_FALSE(host_.Called("quit"));
  for (const std::string& line : mouse_->Log()) EXPECT_EQ(line.rfind("in  ", 0), 0u) << line;
  EXPECT_TRUE(mouse_->SentReports().empty());
  EXPECT_EQ(mouse_->State().power[0], 5);
  EXPECT_TRUE(controller_->Session().Upload().Dirty().PowerDirty);
  EXPECT_TRUE(controller_->SavePending());
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "config/config.ini"));

  // The link is free: the status report (its timer runs only while it waits), the edit and the
  // save follow.
  Fire(kTimerVisibility);
  EXPECT_EQ(StatusReads("wired"), 1);
  EXPECT_FALSE(host_.Running(kTimerVisibility));
  Fire(kTimerUpload);
  EXPECT_EQ(mouse_->State().power[0], 7);
  EXPECT_FALSE(controller_->Session().Upload().Dirty().Any());
  Fire(kTimerSave);
  EXPECT_FALSE(controller_->SavePending());
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "config/config.ini"));
}

// Macros edited in the manager reach the mouse as soon as it closes: the buttons take their
// library macros again and the mapping goes out at once; without a macro button nothing is sent.
TEST_F(MainControllerTest, ClosingTheMacroManagerUploadsTheEditedMacrosOfMacroButtonsAtOnce) {
  Start(StandardMouse(true, false, false));
  EXPECT_FALSE(controller_->MacroManagerClosed());
  EXPECT_TRUE(mouse_->SentReports().empty());

  MacroItemLocation at;
  s_.library.CreateMacro(L"combo", at);
  MacroKey& macro = *s_.library.ItemAt(at)->Macro;
  macro.InsertAction(0, MacroAction::Event(0x41, false));
  macro.MacroCommandActionNum = 1;
  KeyAssignment& button = Current().KeyAssignments[2];
  button.KeyValue = {0x90, 0x20, 0x01};
  button.MacroKeyIndex = macro.MacroKeyIndex;
  button.Macro = macro;
  controller_->ScheduleUpload(DirtyGroup::kKeyMap);
  Fire(kTimerUpload);
  const int startsBefore = mouse_->State().macroUploadStarts;
  ASSERT_GE(startsBefore, 1);

  controller_->MacroManagerOpening();
  macro.InsertAction(1, MacroAction::Event(0x41, true));
  macro.MacroCommandActionNum = 2;
  EXPECT_TRUE(controller_->MacroManagerClosed());
  EXPECT_FALSE(host_.Running(kTimerUpload));
  SettleJobs();
  EXPECT_GT(mouse_->State().macroUploadStarts, startsBefore);
  EXPECT_EQ(button.Macro.MacroActionNum, 2u);
}

// A report from the mouse while the manager is open re-primes the upload state; it must take
// neither the half-edited macro into the button nor its loop mode into the mapping's shadow. The
// mouse's slot, its mapping and the saved profile end with the macro as the manager left it.
TEST_F(MainControllerTest, AMouseReportWhileTheMacroManagerIsOpenDoesNotKeepTheLaterEditsFromTheMouse) {
  Start(StandardMouse(true, false, false));
  WaitForWorker(LinkKind::Wired);
  MacroItemLocation at;
  s_.library.CreateMacro(L"tap", at);
  MacroKey& macro = *s_.library.ItemAt(at)->Macro;
  macro.InsertAction(0, MacroAction::Event(0x41, false));  // press A
  macro.MacroCommandActionNum = 1;
  macro.MacroKeyLoopType = 2;
  macro.MacroKeyLoopNum = 1;
  KeyAssignment& button = Current().KeyAssignments[2];
  button.KeyValue = {0x90, 0x21, 0x01};
  button.MacroKeyIndex = macro.MacroKeyIndex;
  button.Macro = macro;
  controller_->ScheduleUpload(DirtyGroup::kKeyMap);
  Fire(kTimerUpload);
  ASSERT_EQ(sim::HexBytes(mouse_->State().macroSlots[1].entries), "30 00 04");

  controller_->MacroManagerOpening();
  macro.InsertAction(1, MacroAction::Event(0x41, true));  // release A, played once
  macro.MacroCommandActionNum = 2;
  macro.MacroKeyLoopType = 1;
  for (int press = 0; press < 2; ++press) {
    mouse_->PressDpiButton();
    DeliverReport();
  }
  macro.InsertAction(1, MacroAction::Delay(50));  // a delay between the two
  EXPECT_TRUE(controller_->MacroManagerClosed());
  SettleJobs();

  // Press A with 50 ms after it, release A; the button's function 90 11 00 (played once, slot 1),
  // the third on the wire.
  const sim::MouseState held = mouse_->State();
  EXPECT_EQ(sim::HexBytes(held.macroSlots.at(1).entries), "30 32 04 B0 00 04");
  EXPECT_EQ(sim::HexBytes(std::span(held.buttonMapping).subspan(6, 3)), "90 11 00");
  Fire(kTimerSave);
  auto saved = std::make_unique<ProfileRecord>();
  ASSERT_TRUE(ReadProfileRecord(ProfileSlotPath(s_.config, s_.currentProfile), *saved));
  const MacroKey& kept = saved->KeyAssignments[2].Macro;
  ASSERT_EQ(kept.MacroActionNum, 3u);
  EXPECT_EQ(kept.Actions[1], MacroAction::Delay(50));
  EXPECT_EQ(kept.Actions[2], MacroAction::Event(0x41, true));
}

// Two profiles that differ only in angle snap and sleep delay: switching between them gives the
// mouse the new profile's values, and nothing else goes out.
TEST_F(MainControllerTest, AProfileSwitchSendsTheNewProfilesSensorAndPowerOptions) {
  Start(StandardMouse(true, false, false));
  controller_->Session().Upload().ForgetShadows(Current());  // the mouse takes profile 0 whole
  for (DirtyGroup group : {DirtyGroup::kKeyMap, DirtyGroup::kDeviceSettings, DirtyGroup::kPower, DirtyGroup::kSensor})
    controller_->ScheduleUpload(group);
  Fire(kTimerUpload);
  ProfileRecord& other = s_.profiles[1];
  other = s_.profiles[0];
  SetAngleSnap(other, 1);
  SetPowerDownTime(other, 7);
  ASSERT_EQ(mouse_->State().sensorOptions[0], 0);
  ASSERT_NE(mouse_->State().power[0], 7);
  const std::uint8_t sleepBefore = mouse_->State().power[0];

  for (int slot : {1, 0}) {
    SCOPED_TRACE(slot);
    mouse_->ClearSentReports();
    const CommandResult result = OnProfileChosen(s_, slot);
    for (DirtyGroup group : result.schedule) controller_->ScheduleUpload(group);
    Fire(kTimerUpload);
    std::vector<std::uint8_t> codes;
    for (const auto& report : mouse_->SentReports()) codes.push_back(report[1]);
    EXPECT_EQ(codes, (std::vector<std::uint8_t>{kCmdPower, kCmdSensorOptions}));
    EXPECT_EQ(mouse_->State().sensorOptions[0], slot == 1 ? 1 : 0);
    EXPECT_EQ(mouse_->State().power[0], slot == 1 ? 7 : sleepBefore);
  }
}

// The mouse refuses to acknowledge for a while: what it did not take stays pending. The upload is
// tried again once, a second later; after that the next upload carries it (here one for another
// edit). No retry follows a retry.
TEST_F(MainControllerTest, ACommandTheMouseLeftUnacknowledgedReachesItOnceItAnswersAgain) {
  Start(StandardMouse(true, false, false));
  struct Case {
    const char* name;
    int refusedAttempts;
    bool takenByRetry;
  };
  for (const Case& c : {Case{"refused for one upload", 4, true}, Case{"refused for the retry too", 8, false}}) {
    SCOPED_TRACE(c.name);
    const int sleep = c.takenByRetry ? 3 : 6;
    SetPowerDownTime(Current(), sleep);
    controller_->ScheduleUpload(DirtyGroup::kPower);
    mouse_->IgnoreNextCommands(c.refusedAttempts);
    Fire(kTimerUpload);
    EXPECT_NE(mouse_->State().power[0], sleep);
    EXPECT_TRUE(controller_->Session().Upload().Dirty().PowerDirty);
    EXPECT_EQ(host_.Period(kTimerUploadRetry), 1000u);

    Fire(kTimerUploadRetry);
    EXPECT_FALSE(host_.Running(kTimerUploadRetry));
    EXPECT_EQ(mouse_->State().power[0] == sleep, c.takenByRetry);
    EXPECT_EQ(controller_->Session().Upload().Dirty().PowerDirty, !c.takenByRetry);
    if (c.takenByRetry) continue;

    Current().CurrentDPILevelValue = 4;
    controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
    Fire(kTimerUpload);
    EXPECT_EQ(mouse_->State().power[0], sleep);
    EXPECT_EQ(mouse_->State().dpiStage, 4);
    EXPECT_FALSE(controller_->Session().Upload().Dirty().Any());
    EXPECT_FALSE(host_.Running(kTimerUploadRetry));
  }
}

}  // namespace
}  // namespace gm

namespace gm {
namespace {

// The window goes on while an upload talks to the mouse: an edit made meanwhile is not lost in the
// job that already took its copy; its timer waits for the result and the edit goes out next.
TEST_F(MainControllerTest, AnEditMadeWhileAnUploadRunsGoesOutWithTheNextUpload) {
  StartHeld(StandardMouse(true, false, false));
  SetPowerDownTime(Current(), 5);
  controller_->ScheduleUpload(DirtyGroup::kPower);
  StartUploadAndHoldIt();

  SetPowerDownTime(Current(), 7);
  controller_->ScheduleUpload(DirtyGroup::kPower);
  controller_->OnTimer(kTimerUpload);  // due while the job runs: put off, nothing queued
  EXPECT_EQ(host_.Period(kTimerUpload), 20u);
  EXPECT_TRUE(controller_->Session().Upload().Dirty().PowerDirty);

  hold_->Release();
  DeliverJobResult();
  EXPECT_FALSE(controller_->DeviceJobsInFlight());
  EXPECT_EQ(mouse_->State().power[0], 5);  // the job sent the copy it took
  EXPECT_TRUE(controller_->Session().Upload().Dirty().PowerDirty);

  Fire(kTimerUpload);
  EXPECT_EQ(mouse_->State().power[0], 7);
  EXPECT_FALSE(controller_->Session().Upload().Dirty().Any());
}

// A device removed while a job talks to the mouse: the scan (which closes the handles the job
// uses) waits for the job's result; the job stops between two reports, so nothing more reaches
// the device, and its edits are marked again. Then the scan runs and the program ends with the
// last link.
TEST_F(MainControllerTest, ADeviceRemovedDuringAnUploadStopsItAndItsScanWaitsForTheResult) {
  StartHeld(StandardMouse(true, false, false));
  controller_->Session().Upload().ForgetShadows(Current());  // every command of the group goes out
  controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
  StartUploadAndHoldIt();
  const int reportsBefore = hold_->ReportsSet();

  mouse_->Unplug(LinkKind::Wired);
  host_.calls.clear();
  controller_->OnDeviceChange(static_cast<std::uint32_t>(DeviceEvent::kRemoveComplete));
  EXPECT_TRUE(controller_->Session().Links().State(LinkKind::Wired).present);  // no scan yet
  EXPECT_FALSE(host_.Called("quit"));

  hold_->Release();
  DeliverJobResult();
  EXPECT_EQ(hold_->ReportsSet(), reportsBefore + 1);  // only the report that was already on its way
  EXPECT_TRUE(controller_->Session().Upload().Dirty().DeviceSettingsDirty);
  EXPECT_FALSE(host_.Called("progress 146"));
  EXPECT_FALSE(controller_->Session().Links().State(LinkKind::Wired).present);
  EXPECT_TRUE(host_.Called("quit"));
}

// Closing while an upload runs: the job ends as it would (the mouse gets the whole upload), and
// the edits it carried are saved with the rest even though their result never came back.
TEST_F(MainControllerTest, ClosingWhileAnUploadRunsLetsItEndAndSavesItsEdits) {
  StartHeld(StandardMouse(true, false, false));
  SetPowerDownTime(Current(), 5);
  controller_->ScheduleUpload(DirtyGroup::kPower);
  StartUploadAndHoldIt();
  std::filesystem::remove(folder_.Path() / "config/config.ini");

  auto closing = std::async(std::launch::async, [this] { controller_->Shutdown(); });
  EXPECT_EQ(closing.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
  hold_->Release();
  closing.get();
  EXPECT_EQ(mouse_->State().power[0], 5);
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "config/config.ini"));
  s_.profiles = {};
  ASSERT_TRUE(ReadProfileFile(s_, s_.currentProfile, ProfileSlotPath(s_.config, s_.currentProfile)));
  EXPECT_EQ(SettingNumber(Current(), kPowerDownTime), 5);
}

// The factory reset's device steps run on the device thread in the plan's order (the command,
// then the priming, then the zeroing of the macro shadows) and the window's steps follow once
// they are done; while another run holds the link, the record goes back and the user is told.
TEST_F(MainControllerTest, TheFactoryResetSendsItsCommandThenPrimesAndZeroesAndTheWindowStepsFollow) {
  Start(StandardMouse(true, false, false));
  Transport& transport = controller_->Session().GetTransport();
  transport.Slots()[kMacroShadowFirstSlot + 3].fill(0x5A);
  Current().CurrentDPILevelValue = 4;
  const ProfileRecord edited = Current();
  {
    const ExchangeRun update(transport.Busy());
    controller_->CarryOutResetPlan(OnFactoryResetConfirmed(s_), edited);
    SettleJobs();
  }
  EXPECT_TRUE(host_.Called("modal notice 156"));
  EXPECT_EQ(Current().CurrentDPILevelValue, 4);
  EXPECT_EQ(transport.Slots()[kMacroShadowFirstSlot + 3][0], 0x5A);
  EXPECT_TRUE(mouse_->SentReports().empty());

  host_.calls.clear();
  const std::filesystem::path file =
      folder_.Path() / ("config/default" + std::to_string(s_.currentProfile) + ".psf");
  std::filesystem::remove(file);
  const FactoryResetPlan plan = OnFactoryResetConfirmed(s_);
  controller_->CarryOutResetPlan(plan, edited);
  SettleJobs();
  ASSERT_EQ(mouse_->SentReports().size(), 1u);
  EXPECT_EQ(mouse_->SentReports()[0][1], kCmdFactoryReset);
  EXPECT_EQ(transport.Slots()[kMacroShadowFirstSlot + 3][0], 0);
  EXPECT_TRUE(std::filesystem::exists(file));
  std::vector<std::string> windowSteps;
  for (const std::string& c : host_.calls)
    if (c == "refresh" || c == "progress 146") windowSteps.push_back(c);
  EXPECT_EQ(windowSteps, (std::vector<std::string>{"refresh", "progress 146"}));

  // The shadows hold the reset record: an upload of its settings sends only the lighting command.
  mouse_->ClearSentReports();
  controller_->ScheduleUpload(DirtyGroup::kDeviceSettings);
  Fire(kTimerUpload);
  ASSERT_EQ(mouse_->SentReports().size(), 1u);
  EXPECT_EQ(mouse_->SentReports()[0][1], kCmdLighting);
}

}  // namespace
}  // namespace gm
