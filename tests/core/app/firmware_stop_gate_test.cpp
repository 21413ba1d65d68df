// Stopping a firmware update on the user's request: the update runs through the gate against the
// simulated bootloader, and the gate is closed once the bootloader has taken a number of block
// writes. Wherever that falls, the mouse must be left either updated or waiting in its bootloader
// with an intact system region, and a later update without a stop must succeed.
#include "app/firmware_stop_gate.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/firmware_test_rig.h"
#include "tools/firmware-images/stand_in_image.h"

namespace gm {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct GatedRig {
  explicit GatedRig(sim::BootloaderSpec spec) : rig(std::move(spec)) {
    const auto pump = rig.clock.afterWait;
    rig.clock.afterWait = [this, pump] {
      pump();
      if (stopAfterWrites >= 0 && rig.boot.Counts().blockWrites >= stopAfterWrites) gate.Stop();
    };
  }
  FirmwareResult Run(const Bytes& app, const Bytes& system) { return updater.Run({app, system}, {0x0102, 0, 0}); }

  test::FirmwareRig rig;
  FirmwareStopGate gate{rig.boot};
  BootloaderLink link{gate, rig.links, rig.clock, rig.transport.Busy()};
  FirmwareUpdater updater{link, rig.ui};
  int stopAfterWrites = -1;
};

TEST(FirmwareStopGate, StopLeavesTheMouseUpdatedOrWaitingWithAnIntactSystemRegion) {
  const Bytes app = MakeStandInImage(kStandInAppImage);
  const Bytes system = MakeStandInImage(kStandInSystemImage);
  const Bytes oldApp = test::MakeAppImage(app.size(), 9);
  constexpr int kAppWrites = 794;      // 793 full blocks and the short one
  constexpr int kSystemWrites = 1376;  // the whole system region

  struct Case {
    const char* name;
    bool systemMatches;
    int stopAfterWrites;
    FirmwareResult expected;
    int writes;   // block writes the bootloader took
    int unlocks;  // the system region was rewritten (and locked again) when 1
  };
  const Case cases[] = {
      {"during the application writes", true, 100, FirmwareResult::kAppWriteFailed, 100, 0},
      // The system region is never left half-written: its rewrite runs to the end.
      {"during the system writes", false, 1, FirmwareResult::kAppWriteFailed, kSystemWrites, 1},
      // Everything was written: verification, finish and restart complete the update.
      {"after the last application write", true, kAppWrites, FirmwareResult::kUpdated, kAppWrites, 0},
  };
  for (const Case& c : cases) {
    sim::BootloaderSpec spec;
    spec.system = c.systemMatches ? Bytes(system.begin(), system.begin() + kSystemWriteSize) : Bytes(kSystemWriteSize, 0x5A);
    spec.application = oldApp;
    GatedRig g(spec);
    g.stopAfterWrites = c.stopAfterWrites;

    EXPECT_EQ(g.Run(app, system), c.expected) << c.name;
    const sim::BootloaderCounts counts = g.rig.boot.Counts();
    EXPECT_EQ(counts.blockWrites, c.writes) << c.name;
    EXPECT_EQ(counts.unlocks, c.unlocks) << c.name;
    EXPECT_EQ(counts.locks, c.unlocks) << c.name;
    EXPECT_FALSE(g.rig.boot.Unlocked()) << c.name;
    EXPECT_EQ(g.rig.boot.Flash(0, kSystemWriteSize), Bytes(system.begin(), system.begin() + kSystemWriteSize))
        << c.name << ": the system region";
    if (c.expected == FirmwareResult::kUpdated) {
      EXPECT_EQ(g.rig.boot.DeviceChecksum(), ImageChecksum(app)) << c.name;
      continue;
    }
    EXPECT_FALSE(g.rig.boot.ApplicationFinished()) << c.name << ": no half-written application is started";
    EXPECT_EQ(counts.restarts, 0) << c.name;

    // The next attempt, not stopped, completes the update.
    g.stopAfterWrites = -1;
    EXPECT_EQ(FirmwareResult::kUpdated, [&] {
      FirmwareStopGate open(g.rig.boot);
      BootloaderLink link(open, g.rig.links, g.rig.clock, g.rig.transport.Busy());
      FirmwareUpdater updater(link, g.rig.ui);
      return updater.Run({app, system}, {0x0102, 0, 0});
    }()) << c.name << ": the retry";
    EXPECT_EQ(g.rig.boot.DeviceChecksum(), ImageChecksum(app)) << c.name;
  }
}

TEST(FirmwareStopGate, PassesEverythingUntilStoppedAndThenOnlyRefusesApplicationWrites) {
  sim::BootloaderSpec spec;
  GatedRig g(spec);
  const HidHandle wired = g.rig.links.ControlHandle(LinkKind::Wired);
  ASSERT_NE(wired, kNoHandle);
  const Bytes block(kFlashBlockSize, 0x11);
  const BootloaderReport appWrite = WriteBlockReport(kAppFlashAddress + 0x80, block);
  const BootloaderReport systemWrite = WriteBlockReport(0x1000, block);
  const BootloaderReport lastSystemWrite = WriteBlockReport(kAppFlashAddress - kFlashBlockSize, block);

  // The bootloader logs every report set on it, taken or not: the log shows what went through.
  auto passed = [&] { return g.rig.boot.Reports().size(); };
  std::size_t expected = passed();
  g.gate.SetFeature(wired, appWrite);
  EXPECT_EQ(passed(), ++expected) << "an application write before the stop";
  g.gate.Stop();
  EXPECT_FALSE(g.gate.SetFeature(wired, appWrite));
  EXPECT_EQ(passed(), expected) << "an application write after the stop";
  for (const BootloaderReport& r : {systemWrite, lastSystemWrite, ReadReport(kAppFlashAddress, 0x80),
                                    FinishReport({0xA5, 0x5A, 0xAA, 0x55}), StartApplicationReport()}) {
    g.gate.SetFeature(wired, r);
    EXPECT_EQ(passed(), ++expected) << "operation " << int{r[3]} << " at " << std::hex << int{r[5]} << int{r[6]}
                                    << int{r[7]};
  }
}

}  // namespace
}  // namespace gm
