#include "device/discovery.h"

#include <gtest/gtest.h>

#include "device/fake_device_host.h"
#include "device/transport.h"
#include "device/worker.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

// Records the workers the scan asks for instead of starting threads.
class RecordingStarter : public WorkerStarter {
 public:
  void StartWorker(LinkKind link) override { started.push_back(link); }
  std::vector<LinkKind> started;
};

struct Rig {
  explicit Rig(sim::MouseSpec spec) : mouse(std::move(spec)) {}
  sim::SimMouse mouse;
  test::FakeDeviceHost host;
  RecordingStarter starter;
  DeviceLinks links{mouse, host, starter};
};

TEST(Discovery, CableAndReceiverAtOnceUseTheWiredHandle) {
  Rig rig(sim::StandardMouse(true, true, false));
  rig.links.ScanDevices();
  EXPECT_TRUE(rig.links.AnyLinkPresent());
  EXPECT_TRUE(rig.links.State(LinkKind::Wired).present);
  EXPECT_TRUE(rig.links.State(LinkKind::Wireless).present);
  EXPECT_FALSE(rig.links.State(LinkKind::Ble).present);
  EXPECT_EQ(rig.starter.started, (std::vector<LinkKind>{LinkKind::Wired, LinkKind::Wireless}));
  EXPECT_EQ(rig.links.ActiveLink(), LinkKind::Wired);
  // Members: wired pointer 0, control 1, input 2; wireless 3, 4, 5.
  EXPECT_EQ(rig.links.State(LinkKind::Wired).controlIndex, 1u);
  EXPECT_EQ(rig.links.State(LinkKind::Wired).inputIndex, 2u);
  EXPECT_EQ(rig.links.State(LinkKind::Wireless).controlIndex, 4u);
  EXPECT_EQ(rig.links.State(LinkKind::Wireless).inputIndex, 5u);

  VirtualClock clock;
  Transport transport(rig.mouse, clock, rig.links);
  EXPECT_EQ(transport.FactoryReset(), SendOutcome::kAccepted);
  EXPECT_EQ(rig.mouse.SentReportLinks(), std::vector<LinkKind>{LinkKind::Wired});
}

TEST(Discovery, BleAloneIsActiveAndCarriesTheReports) {
  Rig rig(sim::StandardMouse(false, false, true));
  rig.links.ScanDevices();
  EXPECT_EQ(rig.links.ActiveLink(), LinkKind::Ble);
  EXPECT_NE(rig.links.ControlHandle(LinkKind::Ble), kNoHandle);
  VirtualClock clock;
  Transport transport(rig.mouse, clock, rig.links);
  EXPECT_EQ(transport.FactoryReset(), SendOutcome::kAccepted);
  EXPECT_EQ(rig.mouse.SentReportLinks(), std::vector<LinkKind>{LinkKind::Ble});
}

TEST(Discovery, UpperCaseVendorInThePathIsNotTaken) {
  auto spec = sim::StandardMouse(true, false, false);
  spec.links[IndexOf(LinkKind::Wired)].pathVendorText = L"04F3";
  Rig rig(spec);
  rig.links.ScanDevices();
  EXPECT_FALSE(rig.links.AnyLinkPresent());
  EXPECT_EQ(rig.links.ControlHandle(LinkKind::Wired), kNoHandle);
  EXPECT_TRUE(rig.starter.started.empty());
}

TEST(Discovery, IdentityAndClassificationRules) {
  struct Case {
    const char* name;
    std::function<void(sim::LinkSpec&)> change;
    bool present;
  } cases[] = {
      {"standard", [](sim::LinkSpec&) {}, true},
      {"other vendor id", [](sim::LinkSpec& l) { l.vendorId = 0x046D; }, false},
      {"other product id", [](sim::LinkSpec& l) { l.productId = 0x0270; }, false},
      {"no control usage page", [](sim::LinkSpec& l) { l.collections[1].usagePage = 0xFF01; }, false},
      // A 32-byte input report wins over the usage page: such a collection is an input interface.
      {"control with 32-byte input", [](sim::LinkSpec& l) { l.collections[1].inputReportByteLength = 32; },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto spec = sim::StandardMouse(true, false, false);
    c.change(spec.links[IndexOf(LinkKind::Wired)]);
    Rig rig(spec);
    rig.links.ScanDevices();
    EXPECT_EQ(rig.links.State(LinkKind::Wired).present, c.present);
    EXPECT_EQ(rig.mouse.OpenHandleCount(), c.present ? 1 : 0);  // only the control handle stays
  }
}

TEST(Discovery, LaterCollectionOfTheSameKindWins) {
  auto spec = sim::StandardMouse(true, false, false);
  auto& cols = spec.links[IndexOf(LinkKind::Wired)].collections;
  cols.push_back(cols[2]);  // a second 32-byte input collection at member 3
  spec.links[IndexOf(LinkKind::Wired)].versionNumber = 0x0207;
  Rig rig(spec);
  rig.links.ScanDevices();
  EXPECT_EQ(rig.links.State(LinkKind::Wired).inputIndex, 3u);
  EXPECT_EQ(rig.links.WiredVersionNumber(), 0x0207);
}

TEST(Discovery, MembersAbove149AreNeverLookedAt) {
  for (std::size_t foreign : {147u, 148u}) {
    SCOPED_TRACE(foreign);
    auto spec = sim::StandardMouse(true, false, false);
    for (std::size_t i = 0; i < foreign; ++i)
      spec.foreignFirst.push_back({L"\\\\?\\hid#vid_046d&pid_c077#" + std::to_wstring(i), 0x046D, 0xC077,
                                   {0x0001, 0x0002, 8, 0}});
    Rig rig(spec);
    rig.links.ScanDevices();
    // With 147 foreign members the control collection sits at member 148 and the input one at
    // 149 (both seen); with 148 the input collection is member 150, which is never probed.
    EXPECT_TRUE(rig.links.State(LinkKind::Wired).present);
    EXPECT_EQ(rig.links.State(LinkKind::Wired).controlIndex, foreign + 1);
    EXPECT_EQ(rig.links.State(LinkKind::Wired).inputIndex, foreign == 147u ? 149u : 0u);
  }
}

TEST(Discovery, WindowStepsSeeThePreviousPresenceThenItIsUpdated) {
  Rig rig(sim::StandardMouse(false, false, true));
  bool seenWasPresent = true, seenPresent = false;
  rig.host.onScanSteps = [&] {
    seenWasPresent = rig.links.State(LinkKind::Ble).wasPresent;
    seenPresent = rig.links.State(LinkKind::Ble).present;
  };
  rig.links.ScanDevices();
  EXPECT_EQ(rig.host.scanSteps, 1);
  EXPECT_FALSE(seenWasPresent);
  EXPECT_TRUE(seenPresent);
  EXPECT_TRUE(rig.links.State(LinkKind::Ble).wasPresent);
}

TEST(Discovery, VanishedLinkLosesItsHandleAndKeepsTheOther) {
  Rig rig(sim::StandardMouse(true, true, false));
  rig.links.ScanDevices();
  const HidHandle wireless = rig.links.ControlHandle(LinkKind::Wireless);
  rig.mouse.Unplug(LinkKind::Wired);
  const DeviceChangeResult r = rig.links.OnDeviceChange(0x8004);
  EXPECT_TRUE(r.scanned);
  EXPECT_FALSE(r.lastLinkGone);
  EXPECT_EQ(rig.links.ControlHandle(LinkKind::Wired), kNoHandle);
  EXPECT_EQ(rig.links.ControlHandle(LinkKind::Wireless), wireless);  // not reopened
  EXPECT_EQ(rig.links.ActiveLink(), LinkKind::Wireless);
  EXPECT_EQ(rig.mouse.OpenHandleCount(), 1);
}

TEST(Discovery, ReopeningChecksTheProductAndKeepsTheHandleWhenTheMemberIsGone) {
  Rig rig(sim::StandardMouse(true, true, false));
  rig.links.ScanDevices();
  const HidHandle wired = rig.links.ControlHandle(LinkKind::Wired);

  rig.links.MutableState(LinkKind::Wired).controlIndex = 40;  // no such member now
  rig.links.OpenControlInterface(LinkKind::Wired);
  EXPECT_EQ(rig.links.ControlHandle(LinkKind::Wired), wired);

  rig.links.MutableState(LinkKind::Wired).controlIndex = 4;  // the receiver's control collection
  rig.links.OpenControlInterface(LinkKind::Wired);
  EXPECT_EQ(rig.links.ControlHandle(LinkKind::Wired), kNoHandle);
  EXPECT_TRUE(rig.links.State(LinkKind::Wired).present);
  EXPECT_EQ(rig.mouse.OpenHandleCount(), 1);  // only the wireless handle
  // Commands now take the next link in line.
  EXPECT_EQ(ActiveControlHandle(rig.links), rig.links.ControlHandle(LinkKind::Wireless));
}

TEST(Discovery, LastLinkGoneEndsTheProgramUnlessAFirmwareUpdateWaits) {
  for (bool updating : {false, true}) {
    SCOPED_TRACE(updating);
    Rig rig(sim::StandardMouse(true, false, false));
    rig.links.ScanDevices();
    rig.links.SetFirmwareUpdateInProgress(updating);
    rig.mouse.Unplug(LinkKind::Wired);
    const DeviceChangeResult r = rig.links.OnDeviceChange(0x8004);
    EXPECT_TRUE(r.scanned);
    EXPECT_EQ(r.lastLinkGone, !updating);
    EXPECT_FALSE(rig.links.FirmwareUpdateInProgress());  // cleared either way
    EXPECT_EQ(rig.mouse.OpenHandleCount(), 0);
  }
}

TEST(Discovery, DeviceChangeEventsThatDoNotScan) {
  Rig rig(sim::StandardMouse(true, true, true));
  rig.links.ScanDevices();
  EXPECT_FALSE(rig.links.OnDeviceChange(0x8000).scanned);  // all three present: ignored
  EXPECT_FALSE(rig.links.OnDeviceChange(0x0007).scanned);  // other events change nothing
  EXPECT_EQ(rig.host.scanSteps, 1);

  rig.mouse.Unplug(LinkKind::Ble);
  EXPECT_TRUE(rig.links.OnDeviceChange(0x8004).scanned);
  rig.mouse.Plug(LinkKind::Ble);
  EXPECT_TRUE(rig.links.OnDeviceChange(0x8000).scanned);
  EXPECT_TRUE(rig.links.State(LinkKind::Ble).present);
  EXPECT_NE(rig.links.ControlHandle(LinkKind::Ble), kNoHandle);
}

TEST(Discovery, ScanStartsRealWorkersThatEndWhenTheLinkIsUnplugged) {
  sim::SimMouse mouse(sim::StandardMouse(true, false, false));
  test::FakeDeviceHost host;
  DeviceWorkers workers(mouse, host);
  DeviceLinks links(mouse, host, workers);
  workers.Attach(links);
  links.ScanDevices();
  links.ScanDevices();  // a second scan leaves the running worker alone
  ASSERT_TRUE(test::Eventually([&] { return workers.Reading(LinkKind::Wired); }));
  mouse.PressDpiButton();
  ASSERT_TRUE(host.WaitForReports(1));
  EXPECT_EQ(host.Reports()[0].first, LinkKind::Wired);
  EXPECT_EQ(host.Reports()[0].second[2], 3);  // stage 2 -> 3

  mouse.Unplug(LinkKind::Wired);
  EXPECT_TRUE(test::Eventually([&] { return !workers.Running(LinkKind::Wired); }));
  links.OnDeviceChange(0x8004);
  EXPECT_EQ(mouse.OpenHandleCount(), 0);
}

}  // namespace
}  // namespace gm
