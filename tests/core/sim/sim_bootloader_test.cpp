#include "sim/sim_bootloader.h"

#include <gtest/gtest.h>

#include "device/firmware_test_rig.h"
#include "device/transport.h"

namespace gm {
namespace {

using test::FirmwareRig;

std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t value) { return std::vector<std::uint8_t>(n, value); }

TEST(SimBootloader, FlashWritesOnlyClearBitsAndTheSystemRegionNeedsTheKey) {
  FirmwareRig rig({});
  BootloaderLink& link = rig.link;

  // Application region: open without a key; a second write over unerased flash ANDs.
  EXPECT_TRUE(link.Send(WriteBlockReport(0x52000, Bytes(128, 0xF0))));
  EXPECT_TRUE(link.Send(WriteBlockReport(0x52000, Bytes(128, 0x3C))));
  EXPECT_EQ(rig.boot.Flash(0x52000, 128), Bytes(128, 0x30));

  // System region: ignored while locked, and a wrong key does not open it.
  link.Send(WriteBlockReport(0x1000, Bytes(128, 0x00)));
  link.Send(UnlockReport({1, 2, 3, 4}));
  link.Send(EraseSectorReport(0x1000));
  EXPECT_FALSE(rig.boot.Unlocked());
  EXPECT_EQ(rig.boot.Flash(0x1000, 128), Bytes(128, 0xFF));

  link.Send(UnlockReport({0x55, 0xAA, 0x5A, 0xA5}));
  EXPECT_TRUE(rig.boot.Unlocked());
  link.Send(WriteBlockReport(0x1000, Bytes(128, 0x12)));
  EXPECT_EQ(rig.boot.Flash(0x1000, 128), Bytes(128, 0x12));
  link.Send(EraseSectorReport(0x1000));
  EXPECT_EQ(rig.boot.Flash(0x1000, 0x1000), Bytes(0x1000, 0xFF));
  link.Send(LockReport());
  EXPECT_FALSE(rig.boot.Unlocked());

  std::vector<std::uint8_t> block(128, 0);
  ASSERT_TRUE(link.Read(0x52000, block));
  EXPECT_EQ(block, Bytes(128, 0x30));
}

TEST(SimBootloader, FinishedApplicationRestartsTheMouseWithItsChecksumAndNewVersion) {
  FirmwareRig rig({.restartDelay = Millis(2000), .versionAfterRestart = 0x0107});
  BootloaderLink& link = rig.link;
  const auto app = test::MakeAppImage(300, 5);
  for (std::size_t off = 0; off < app.size(); off += 128)
    link.Send(WriteBlockReport(0x52000 + static_cast<std::uint32_t>(off),
                               std::span(app).subspan(off, std::min<std::size_t>(128, app.size() - off))));

  // Not finished yet: the header reads as no application, and start does not leave the bootloader.
  std::uint8_t header[16];
  ASSERT_TRUE(link.Read(kDeviceHeaderAddress, header));
  EXPECT_EQ(header[0] & header[1] & header[2] & header[3], 0xFF);
  link.Send(StartApplicationReport());
  EXPECT_EQ(rig.boot.Counts().restarts, 0);

  link.Send(FinishReport({0, 0, 0, 1}));  // wrong parameter
  EXPECT_FALSE(rig.boot.ApplicationFinished());
  link.Send(FinishReport({0xA5, 0x5A, 0xAA, 0x55}));
  EXPECT_TRUE(rig.boot.ApplicationFinished());
  ASSERT_TRUE(link.Read(kDeviceHeaderAddress, header));
  EXPECT_EQ(std::vector<std::uint8_t>(header, header + 4), std::vector<std::uint8_t>(app.begin(), app.begin() + 4));

  link.Send(StartApplicationReport());
  EXPECT_FALSE(rig.mouse.IsPlugged(LinkKind::Wired));
  rig.clock.Sleep(Millis(1999));
  EXPECT_FALSE(rig.links.State(LinkKind::Wired).present);
  rig.clock.Sleep(Millis(1));
  EXPECT_TRUE(rig.links.State(LinkKind::Wired).present);
  EXPECT_EQ(rig.links.WiredVersionNumber(), 0x0107);
  EXPECT_EQ(rig.boot.DeviceChecksum(), ImageChecksum(app));
}

// The demo panel hears of each report the bootloader takes and of the restart while the links are
// gone, and looks again only while the links are still to come back.
TEST(SimBootloader, ChangeObserverAndTheLinksStillToComeBack) {
  FirmwareRig rig({.restartDelay = Millis(500)});
  BootloaderLink& link = rig.link;
  int changes = 0;
  bool wiredWhenLastTold = true;
  rig.boot.SetChangeObserver([&] {
    ++changes;
    wiredWhenLastTold = rig.mouse.IsPlugged(LinkKind::Wired);  // the mouse's own lock is free here
  });
  const auto app = test::MakeAppImage(128, 1);
  link.Send(WriteBlockReport(0x52000, app));
  EXPECT_EQ(changes, 1);
  link.Send(FinishReport({0xA5, 0x5A, 0xAA, 0x55}));
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(rig.boot.ReturnPending());

  link.Send(StartApplicationReport());
  EXPECT_EQ(changes, 3);
  EXPECT_FALSE(wiredWhenLastTold);  // told while the link is gone
  EXPECT_TRUE(rig.boot.ReturnPending());
  rig.clock.Sleep(Millis(499));
  rig.boot.Poll();
  EXPECT_TRUE(rig.boot.ReturnPending());
  rig.clock.Sleep(Millis(1));
  rig.boot.Poll();
  EXPECT_FALSE(rig.boot.ReturnPending());
  EXPECT_TRUE(rig.mouse.IsPlugged(LinkKind::Wired));
}

TEST(SimBootloader, OnlyTheWiredControlCollectionTakesBootloaderReports) {
  sim::MouseSpec spec = sim::StandardMouse(true, true, false);
  sim::SimMouse mouse(spec);
  VirtualClock clock;
  sim::SimBootloader boot(mouse, clock, {});
  test::FakeDeviceHost host;
  test::NoWorkers workers;
  DeviceLinks links(boot, host, workers);
  links.ScanDevices();

  const BootloaderReport write = WriteBlockReport(0x52000, Bytes(128, 0));
  EXPECT_FALSE(boot.SetFeature(links.ControlHandle(LinkKind::Wireless), write));
  EXPECT_FALSE(boot.SetFeature(links.ControlHandle(LinkKind::Wired), std::span(write).first(135)));
  EXPECT_EQ(boot.Counts().blockWrites, 0);
  EXPECT_TRUE(boot.SetFeature(links.ControlHandle(LinkKind::Wired), write));
  EXPECT_EQ(boot.Counts().blockWrites, 1);
  // A get without a pending read has nothing to answer.
  BootloaderReport answer = ReadReport(0x52000, 0x80);
  EXPECT_FALSE(boot.GetFeature(links.ControlHandle(LinkKind::Wired), answer));

  // Every other report still reaches the mouse.
  Transport transport(boot, clock, links);
  EXPECT_TRUE(transport.SendPairingRequest());
  EXPECT_EQ(mouse.State().pairingRequests, 1);
  EXPECT_TRUE(transport.ReadStatusReport().valid);
}

}  // namespace
}  // namespace gm
