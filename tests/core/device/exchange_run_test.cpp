#include "device/exchange_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "device/config_commands.h"
#include "device/fake_device_host.h"
#include "device/firmware_test_rig.h"
#include "device/firmware_update.h"
#include "device/transport.h"
#include "device/upload.h"
#include "settings/settings_model.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

TEST(ExchangeRun, OnlyTheFirstRunHoldsTheLinkAndOnlyItsEndFreesIt) {
  LinkBusy link;
  EXPECT_FALSE(link.Busy());
  {
    const ExchangeRun first(link);
    EXPECT_TRUE(first.Started());
    {
      const ExchangeRun second(link);
      EXPECT_FALSE(second.Started());
    }
    EXPECT_TRUE(link.Busy());  // the refused run freed nothing
  }
  EXPECT_FALSE(link.Busy());
  const ExchangeRun again(link);
  EXPECT_TRUE(again.Started());
}

// Every run of exchanges against a mouse on the wired link and the receiver, in virtual time.
class RefusedRunTest : public ::testing::Test {
 protected:
  RefusedRunTest() : mouse(sim::StandardMouse(true, true, false)) {
    BuildSensorDpiTables(s_.sensor);
    ResetProfile(record, 0, s_.texts, s_.sensor.id);
    links.ScanDevices();
    upload.PrimeShadows(record);
  }

  std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();
  SettingsModel& s_ = *model;
  sim::SimMouse mouse;
  test::FakeDeviceHost deviceHost;
  test::NoWorkers workers;
  DeviceLinks links{mouse, deviceHost, workers};
  VirtualClock clock;
  Transport transport{mouse, clock, links};
  MappingUploadSteps noMapping;
  ConfigUpload upload{transport, noMapping, s_.sensor};
  test::FakeUploadHost host;
  ProfileRecord record;
  BootloaderLink bootloader{mouse, links, clock, transport.Busy()};
  test::RecordingUpdateHost updateHost{links};
  FirmwareUpdater updater{bootloader, updateHost};
};

// While one run holds the link, every other is refused, says so, and leaves no trace: nothing on
// the wire, no time waited, the shadows, sequence byte, dirty flags and record as they were.
TEST_F(RefusedRunTest, EveryOtherRunIsRefusedWhileOneHoldsTheLinkAndRunsOnceItEnds) {
  const auto app = test::MakeAppImage(1000, 3);
  const auto system = test::MakeSystemImage(2);
  struct Case {
    const char* name;
    std::function<bool()> refused;
  } cases[] = {
      {"upload", [&] { return upload.UploadPendingChanges(record, true, host) == UploadResult::kBusy; }},
      {"priming", [&] { return !upload.PrimeShadows(record); }},
      {"forgetting the shadows", [&] { return !upload.ForgetShadows(record); }},
      {"factory reset", [&] { return transport.FactoryReset() == SendOutcome::kBusy; }},
      {"pairing request", [&] { return !transport.SendPairingRequest(); }},
      {"firmware update", [&] { return updater.Run({app, system}, {0x0102, 0, 0}) == FirmwareResult::kBusy; }},
  };

  record.PollingRateValue[0] = 1;
  ASSERT_NE(mouse.State().rateCode, ReportRateData(record)[0]);
  upload.Dirty() = {true, true, true, true};
  const ProfileRecord before = record;
  const std::vector<ReportSlot> slots(transport.Slots().begin(), transport.Slots().end());
  mouse.ClearLog();
  {
    const ExchangeRun other(transport.Busy());
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      EXPECT_TRUE(c.refused());
      EXPECT_TRUE(mouse.Log().empty());
      EXPECT_EQ(clock.Now(), Millis(0));
      EXPECT_TRUE(std::equal(slots.begin(), slots.end(), transport.Slots().begin()));
      EXPECT_EQ(transport.CommandSequence(), 1);
      EXPECT_TRUE(upload.Dirty().KeyMapDirty && upload.Dirty().DeviceSettingsDirty && upload.Dirty().PowerDirty &&
                  upload.Dirty().SensorDirty);
      EXPECT_EQ(record, before);
      EXPECT_EQ(host.notices + host.progress + host.saveTimers + host.refreshes, 0);
      EXPECT_TRUE(updateHost.texts.empty());
    }
    EXPECT_TRUE(transport.Busy().Busy());
  }
  EXPECT_FALSE(transport.Busy().Busy());

  // The link is free again: the upload that was refused now sends the pending edit.
  EXPECT_EQ(upload.UploadPendingChanges(record, true, host), UploadResult::kDone);
  EXPECT_EQ(mouse.State().rateCode, ReportRateData(record)[0]);
  EXPECT_FALSE(upload.Dirty().Any());
  EXPECT_FALSE(transport.Busy().Busy());
}

}  // namespace
}  // namespace gm
