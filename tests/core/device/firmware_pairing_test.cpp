#include <gtest/gtest.h>

#include "device/discovery.h"
#include "device/fake_device_host.h"
#include "device/pairing.h"
#include "device/transport.h"
#include "settings/language_indexes.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

TEST(Pairing, FirstPressSendsTheRequestAndAnimatesUntilTheMouseIsOnline) {
  Pairing p;
  const PairingAction a = p.Press();
  EXPECT_TRUE(a.handled);
  EXPECT_TRUE(a.sendPairingRequest);
  EXPECT_TRUE(a.startTimer);
  EXPECT_EQ(a.textIndex, kTextPairing1);
  EXPECT_EQ(p.State(), PairingState::kPairing);

  const int animation[] = {kTextPairing2, kTextPairing3, kTextPairing1, kTextPairing2};
  for (int expected : animation) {
    const PairingTick t = p.Tick(false);
    EXPECT_FALSE(t.stopTimer);
    EXPECT_EQ(t.textIndex, expected);
  }
  const PairingTick online = p.Tick(true);
  EXPECT_TRUE(online.stopTimer);
  EXPECT_EQ(online.textIndex, kTextPairingDone);
  EXPECT_EQ(p.State(), PairingState::kPaired);
  // Paired: the button does nothing any more.
  EXPECT_FALSE(p.Press().handled);
  EXPECT_EQ(p.State(), PairingState::kPaired);
}

TEST(Pairing, FailsOnTheTwentySixthOfflineTickAndRetriesWithoutANewRequest) {
  Pairing p;
  p.Press();
  for (int tick = 1; tick <= 25; ++tick) {
    const PairingTick t = p.Tick(false);
    ASSERT_FALSE(t.stopTimer) << tick;
    // A press while pairing changes nothing and does not restart the count.
    if (tick == 10) EXPECT_FALSE(p.Press().handled);
  }
  EXPECT_EQ(p.Ticks(), 25);
  const PairingTick failed = p.Tick(false);
  EXPECT_TRUE(failed.stopTimer);
  EXPECT_EQ(failed.textIndex, kTextPairingFailed);
  EXPECT_EQ(p.State(), PairingState::kFailed);

  const PairingAction retry = p.Press();
  EXPECT_TRUE(retry.handled);
  EXPECT_FALSE(retry.sendPairingRequest);
  EXPECT_TRUE(retry.startTimer);
  EXPECT_EQ(retry.textIndex, kTextPairing1);
  EXPECT_EQ(p.Ticks(), 0);
  EXPECT_EQ(p.State(), PairingState::kPairing);
  EXPECT_EQ(p.Tick(false).textIndex, kTextPairing2);
}

TEST(Pairing, StrayTickOutsidePairingOnlyStopsTheTimer) {
  Pairing p;
  const PairingTick t = p.Tick(true);
  EXPECT_TRUE(t.stopTimer);
  EXPECT_EQ(t.textIndex, -1);
  EXPECT_EQ(p.State(), PairingState::kIdle);
}

using test::NoWorkers;

// The dialog's loop against the simulated receiver: the first press sends one pairing report on
// the wireless link; the mouse wakes on the third tick; a later press sends nothing more.
TEST(Pairing, RoundAgainstTheSimulatedReceiver) {
  sim::MouseSpec spec = sim::StandardMouse(false, true, false);
  spec.awake = false;
  sim::SimMouse mouse(spec);
  test::FakeDeviceHost host;
  NoWorkers workers;
  DeviceLinks links(mouse, host, workers);
  links.ScanDevices();
  VirtualClock clock;
  Transport transport(mouse, clock, links);

  Pairing p;
  auto press = [&] {
    const PairingAction a = p.Press();
    if (a.sendPairingRequest) transport.SendPairingRequest();
  };
  press();
  std::vector<int> shown;
  for (int tick = 1; tick <= 5 && p.State() == PairingState::kPairing; ++tick) {
    if (tick == 3) mouse.SetAwake(true);
    const StatusAnswer status = transport.ReadStatusReport();
    shown.push_back(p.Tick(status.valid && status.online).textIndex);
  }
  EXPECT_EQ(shown, (std::vector<int>{kTextPairing2, kTextPairing3, kTextPairingDone}));
  press();
  EXPECT_EQ(mouse.State().pairingRequests, 1);
  ASSERT_EQ(mouse.SentReports().size(), 1u);
  EXPECT_EQ(mouse.SentReports()[0], (std::vector<std::uint8_t>{0xBC, 0x03, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(mouse.SentReportLinks()[0], LinkKind::Wireless);
}

}  // namespace
}  // namespace gm
