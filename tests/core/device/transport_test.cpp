#include "device/transport.h"

#include <gtest/gtest.h>

#include "device/command_report.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

// Control handles opened straight from the simulated mouse (the discovery is tested on its own).
class FixedHandles : public ControlHandleSource {
 public:
  HidHandle ControlHandle(LinkKind link) const override { return handles[IndexOf(link)]; }
  std::array<HidHandle, 3> handles{};
};

class TransportTest : public ::testing::Test {
 protected:
  explicit TransportTest(sim::MouseSpec spec = sim::StandardMouse(true, false, false)) : mouse(spec) {}

  // Opens the control collection (member 1 of the link's three) of each plugged link.
  void OpenControls() {
    std::uint32_t member = 0;
    for (LinkKind link : kAllLinks) {
      if (!mouse.IsPlugged(link)) continue;
      handles.handles[IndexOf(link)] = mouse.Open(*mouse.InterfacePath(member + 1), HidOpenMode::kControl);
      member += 3;
    }
  }

  sim::SimMouse mouse;
  VirtualClock clock;
  FixedHandles handles;
  Transport transport{mouse, clock, handles};
};

TEST_F(TransportTest, AcceptedCommandTakesOneGapAndOneReport) {
  OpenControls();
  const std::uint8_t data[] = {0x11};
  EXPECT_EQ(transport.SendCommand(kCmdReportRate, 0x01, data, 32, true), SendOutcome::kAccepted);
  EXPECT_EQ(clock.Now(), Millis(60));
  ASSERT_EQ(mouse.SentReports().size(), 1u);
  EXPECT_EQ(mouse.SentReports()[0],
            (std::vector<std::uint8_t>{0x06, 0x04, 0x01, 0x01, 0x1D, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                       0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(mouse.State().rateCode, 0x11);
  EXPECT_EQ(transport.CommandSequence(), 2);
}

TEST_F(TransportTest, UnchangedCommandSendsNothingButWaitsOneGap) {
  OpenControls();
  const std::uint8_t data[] = {0x11};
  EXPECT_EQ(transport.SendCommand(kCmdReportRate, 0x01, data, 32, false), SendOutcome::kUnchanged);
  EXPECT_EQ(clock.Now(), Millis(60));
  EXPECT_TRUE(mouse.SentReports().empty());
  EXPECT_EQ(transport.CommandSequence(), 1);
}

TEST_F(TransportTest, FourUnansweredAttemptsGiveUpEachWithANewSequence) {
  OpenControls();
  mouse.IgnoreNextCommands(100);
  const std::uint8_t data[] = {0x02};
  EXPECT_EQ(transport.SendCommand(kCmdLiftOff, 0x01, data, 32, true), SendOutcome::kGivenUp);
  EXPECT_EQ(clock.Now(), Millis(480));
  auto sent = mouse.SentReports();
  ASSERT_EQ(sent.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(sent[i][2], i + 1);
    EXPECT_EQ(sent[i][4], CommandChecksum(sent[i]));
  }
  EXPECT_EQ(transport.CommandRetryCount(), 4);
  EXPECT_EQ(mouse.State().liftOff, 2);  // never applied
}

TEST_F(TransportTest, RetriesUntilAnAttemptIsAcknowledged) {
  OpenControls();
  struct Case {
    const char* name;
    void (sim::SimMouse::*fault)(int);
  } cases[] = {{"ignored", &sim::SimMouse::IgnoreNextCommands},
               {"acknowledge read fails", &sim::SimMouse::FailNextAcknowledgeReads}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mouse.ClearSentReports();
    (mouse.*c.fault)(2);
    const std::uint8_t data[] = {0x05};
    EXPECT_EQ(transport.SendCommand(kCmdDebounce, 0x01, data, 32, true), SendOutcome::kAccepted);
    EXPECT_EQ(mouse.SentReports().size(), 3u);
    EXPECT_EQ(transport.CommandRetryCount(), 2);
    EXPECT_EQ(mouse.State().debounce, 5);
  }
}

TEST_F(TransportTest, NoHandleStillRunsFourAttemptsOfWaiting) {
  EXPECT_EQ(transport.FactoryReset(), SendOutcome::kGivenUp);
  EXPECT_EQ(clock.Now(), Millis(480));
  EXPECT_TRUE(mouse.SentReports().empty());
  EXPECT_EQ(transport.CommandSequence(), 5);  // every attempt took a sequence byte
}

TEST_F(TransportTest, UnplugInTheMiddleOfAnExchangeGivesUp) {
  OpenControls();
  mouse.UnplugAfterFeatureCalls(LinkKind::Wired, 1);  // gone right after the set
  const std::uint8_t data[] = {1, 2, 3};
  EXPECT_EQ(transport.SendCommand(kCmdPower, 0x01, data, 32, true), SendOutcome::kGivenUp);
  EXPECT_EQ(mouse.SentReports().size(), 1u);
}

TEST_F(TransportTest, SequenceByteWrapsFrom255ToZero) {
  OpenControls();
  transport.SetCommandSequence(255);
  EXPECT_EQ(transport.FactoryReset(), SendOutcome::kAccepted);
  EXPECT_EQ(transport.FactoryReset(), SendOutcome::kAccepted);
  auto sent = mouse.SentReports();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0][2], 255);
  EXPECT_EQ(sent[1][2], 0);
  EXPECT_EQ(mouse.State().factoryResets, 2);
}

TEST_F(TransportTest, LightingGoesOutAs33BytesAndOversizedDataIsRejected) {
  OpenControls();
  std::uint8_t lighting[25] = {0, 3, 0x42, 1};
  EXPECT_EQ(transport.SendCommand(kCmdLighting, 0x01, lighting, 33, true), SendOutcome::kAccepted);
  ASSERT_EQ(mouse.SentReports().size(), 1u);
  EXPECT_EQ(mouse.SentReports()[0].size(), 33u);
  EXPECT_EQ(mouse.State().lightingSpeedBrightness, 0x42);

  std::uint8_t tooLong[28] = {};
  EXPECT_EQ(transport.SendCommand(kCmdButtonMapping, 0x01, tooLong, 32, true), SendOutcome::kRejected);
  EXPECT_EQ(mouse.SentReports().size(), 1u);
}

TEST_F(TransportTest, StatusReportSignatureAndOnlineByte) {
  OpenControls();
  StatusAnswer a = transport.ReadStatusReport();
  EXPECT_TRUE(a.valid);
  EXPECT_TRUE(a.online);
  EXPECT_EQ(a.link, LinkKind::Wired);

  mouse.SetStatusSignature("1011");  // 05 31 30 31 31: ignored entirely
  EXPECT_FALSE(transport.ReadStatusReport().valid);
}

TEST_F(TransportTest, StatusReportWithoutAnyHandleIsNotValid) {
  EXPECT_FALSE(transport.ReadStatusReport().valid);
  EXPECT_TRUE(mouse.Log().empty());
}

class WirelessOnlyTransport : public TransportTest {
 protected:
  WirelessOnlyTransport() : TransportTest(sim::StandardMouse(false, true, false)) {}
};

TEST_F(WirelessOnlyTransport, CommandsStatusAndPairingGoToTheWirelessHandle) {
  OpenControls();
  EXPECT_EQ(transport.FactoryReset(), SendOutcome::kAccepted);
  EXPECT_TRUE(transport.SendPairingRequest());
  auto sent = mouse.SentReports();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1], (std::vector<std::uint8_t>{0xBC, 0x03, 0, 0, 0, 0, 0, 0}));
  for (LinkKind l : mouse.SentReportLinks()) EXPECT_EQ(l, LinkKind::Wireless);
  EXPECT_EQ(mouse.State().pairingRequests, 1);
}

TEST_F(WirelessOnlyTransport, AsleepMouseReportsOfflineInItsStatus) {
  OpenControls();
  mouse.SetAwake(false);
  StatusAnswer a = transport.ReadStatusReport();
  EXPECT_TRUE(a.valid);
  EXPECT_FALSE(a.online);
  EXPECT_EQ(a.link, LinkKind::Wireless);
}

class AllLinksTransport : public TransportTest {
 protected:
  AllLinksTransport() : TransportTest(sim::StandardMouse(true, true, true)) {}
};

TEST_F(AllLinksTransport, PriorityIsWiredThenBleThenWireless) {
  OpenControls();
  struct Case {
    std::array<bool, 3> open;  // wired, wireless, ble
    LinkKind expected;
  } cases[] = {
      {{true, true, true}, LinkKind::Wired},
      {{false, true, true}, LinkKind::Ble},
      {{false, true, false}, LinkKind::Wireless},
  };
  const auto all = handles.handles;
  for (const Case& c : cases) {
    for (LinkKind l : kAllLinks) handles.handles[IndexOf(l)] = c.open[IndexOf(l)] ? all[IndexOf(l)] : kNoHandle;
    mouse.ClearSentReports();
    EXPECT_EQ(transport.FactoryReset(), SendOutcome::kAccepted);
    ASSERT_EQ(mouse.SentReportLinks().size(), 1u);
    EXPECT_EQ(mouse.SentReportLinks()[0], c.expected);
    EXPECT_EQ(transport.ReadStatusReport().link, c.expected);
  }
}

TEST_F(AllLinksTransport, PairingNeedsTheWirelessHandleEvenWhenWiredIsOpen) {
  OpenControls();
  handles.handles[IndexOf(LinkKind::Wireless)] = kNoHandle;
  EXPECT_FALSE(transport.SendPairingRequest());
  EXPECT_TRUE(mouse.SentReports().empty());
}

}  // namespace
}  // namespace gm
