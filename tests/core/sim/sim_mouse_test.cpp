#include "sim/sim_mouse.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/command_report.h"

namespace gm::sim {
namespace {

class SimMouseTest : public ::testing::Test {
 protected:
  SimMouseTest() : mouse(StandardMouse(true, true, false)) {
    wiredControl = mouse.Open(*mouse.InterfacePath(1), HidOpenMode::kControl);
    wiredInput = mouse.Open(*mouse.InterfacePath(2), HidOpenMode::kInput);
  }
  std::vector<std::uint8_t> Command(std::uint8_t code, std::uint8_t seq, std::vector<std::uint8_t> data,
                                    std::size_t length = 32) {
    std::vector<std::uint8_t> r(length);
    BuildCommandReport(r, code, seq, 0x01, data);
    return r;
  }
  std::uint8_t Ack() {
    std::vector<std::uint8_t> r(32, 0);
    r[0] = 6;
    EXPECT_TRUE(mouse.GetFeature(wiredControl, r));
    return r[1];
  }

  SimMouse mouse;
  HidHandle wiredControl = kNoHandle;
  HidHandle wiredInput = kNoHandle;
};

TEST_F(SimMouseTest, CollectionsPathsAndIdentities) {
  // wired pointer, control, input; wireless pointer, control, input.
  ASSERT_TRUE(mouse.InterfacePath(5));
  EXPECT_FALSE(mouse.InterfacePath(6));
  EXPECT_NE(mouse.InterfacePath(4)->find(L"vid_04f3&pid_026f"), std::wstring::npos);
  HidAttributes a;
  HidCaps c;
  ASSERT_TRUE(mouse.GetAttributes(wiredControl, a));
  ASSERT_TRUE(mouse.GetCaps(wiredControl, c));
  EXPECT_EQ(a.vendorId, 0x04F3);
  EXPECT_EQ(a.productId, 0x026E);
  EXPECT_EQ(c.usagePage, 0x000A);
  ASSERT_TRUE(mouse.GetCaps(wiredInput, c));
  EXPECT_EQ(c.inputReportByteLength, 32);
  EXPECT_EQ(mouse.Open(L"\\\\?\\hid#nothing", HidOpenMode::kControl), kNoHandle);
}

TEST_F(SimMouseTest, AcknowledgesOnlyWellFormedFreshCommands) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> report;
    std::uint8_t ack;
  } cases[] = {
      {"valid", Command(kCmdReportRate, 1, {0x01}), 1},
      {"same sequence again", Command(kCmdReportRate, 1, {0x01}), 0},
      {"next sequence", Command(kCmdReportRate, 2, {0x01}), 1},
      {"bad checksum", [&] { auto r = Command(kCmdReportRate, 3, {0x01}); r[4] ^= 1; return r; }(), 0},
      {"33 bytes for a command other than lighting", Command(kCmdReportRate, 4, {0x01}, 33), 0},
      {"33-byte lighting", Command(kCmdLighting, 5, {0, 2, 0x42, 1}, 33), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(mouse.SetFeature(wiredControl, c.report));
    EXPECT_EQ(Ack(), c.ack);
    EXPECT_EQ(Ack(), 0);  // an acknowledge is read once
  }
  EXPECT_EQ(mouse.State().acceptedByCode[kCmdReportRate], 2);
  EXPECT_EQ(mouse.State().lightingEffect, 2);
}

// Sensor 0x3950 (report code 0x50) sends a stage's list position as its code; the default
// profile's positions are 0x0F, 0x17, 0x1F, 0x4F, 0x8F, 0x257 for stages 0..5, stage 3 current, all
// six enabled; its stage colours red, blue, green, yellow, cyan, then white.
void ExpectDefaultStages(const MouseState& s) {
  const std::array<std::uint16_t, 6> codes{0x0F, 0x17, 0x1F, 0x4F, 0x8F, 0x257};
  EXPECT_EQ(s.dpiX, codes);
  EXPECT_EQ(s.dpiY, codes);
  EXPECT_EQ(s.dpiStage, 2);
  EXPECT_EQ(s.dpiMask, 0x3F);
  EXPECT_EQ(HexBytes(s.stageColours),
            "FF 00 00 00 00 FF 00 FF 00 FF FF 00 00 FF FF FF FF FF FF FF FF FF FF FF");
}

TEST_F(SimMouseTest, AMouseHoldsTheDefaultProfilesStagesFromTheStart) {
  ExpectDefaultStages(mouse.State());

  // A sensor the program does not know: no codes to take.
  MouseSpec spec = StandardMouse(true, false, false);
  spec.sensorCode = 0x77;
  const SimMouse unknown(spec);
  EXPECT_EQ(unknown.State().dpiX, (std::array<std::uint16_t, 6>{}));
}

TEST_F(SimMouseTest, FactoryResetRestoresTheDefaults) {
  mouse.SetFeature(wiredControl, Command(kCmdDebounce, 1, {9}));
  std::vector<std::uint8_t> stages = {0, 0x01, 0x34, 0x12};
  stages.resize(18);
  mouse.SetFeature(wiredControl, Command(kCmdDpiStages, 2, stages));
  ASSERT_EQ(mouse.State().dpiX[0], 0x1234);
  mouse.SetFeature(wiredControl, Command(kCmdFactoryReset, 3, {0xFF}));
  EXPECT_EQ(mouse.State().debounce, 2);
  ExpectDefaultStages(mouse.State());
  EXPECT_EQ(mouse.State().factoryResets, 1);
}

TEST_F(SimMouseTest, DpiButtonCyclesThroughTheEnabledStages) {
  // Mask 0x25: stages 0, 2, 5. From stage 2: 5, 0, 2.
  std::vector<std::uint8_t> data = {2, 0x25};
  data.resize(18);
  mouse.SetFeature(wiredControl, Command(kCmdDpiStages, 1, data));
  std::vector<int> stages;
  for (int i = 0; i < 3; ++i) {
    mouse.PressDpiButton();
    std::vector<std::uint8_t> r(32);
    ASSERT_TRUE(mouse.Read(wiredInput, r));
    stages.push_back(r[2]);
  }
  EXPECT_EQ(stages, (std::vector<int>{5, 0, 2}));
}

TEST_F(SimMouseTest, InputReportCarriesTheMouseState) {
  mouse.SetBattery(55, 1);
  std::vector<std::uint8_t> r(32);
  ASSERT_TRUE(mouse.Read(wiredInput, r));
  const std::vector<std::uint8_t> head(r.begin(), r.begin() + 10);
  EXPECT_EQ(head, (std::vector<std::uint8_t>{4, 1, 2, 0x02, 55, 1, 0, 0, 8, 0x50}));
  EXPECT_EQ(mouse.Log().back(), "in  wired 04 01 02 02 37 01 00 00 08 50 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                                "00 00 00 00 00 00 00 00");
}

TEST_F(SimMouseTest, AsleepMouseReportsOfflineOnTheWirelessLink) {
  HidHandle wirelessInput = mouse.Open(*mouse.InterfacePath(5), HidOpenMode::kInput);
  mouse.SetAwake(false);
  std::vector<std::uint8_t> r(32);
  ASSERT_TRUE(mouse.Read(wirelessInput, r));
  EXPECT_EQ(r[1], 0);
}

TEST_F(SimMouseTest, UnplugAndCancelReleaseABlockedRead) {
  std::thread reader([&] {
    std::vector<std::uint8_t> r(32);
    EXPECT_FALSE(mouse.Read(wiredInput, r));
  });
  mouse.Unplug(LinkKind::Wired);
  reader.join();
  EXPECT_FALSE(mouse.SetFeature(wiredControl, Command(kCmdDebounce, 1, {9})));

  HidHandle wirelessInput = mouse.Open(*mouse.InterfacePath(2), HidOpenMode::kInput);  // wireless now
  std::thread second([&] {
    std::vector<std::uint8_t> r(32);
    EXPECT_FALSE(mouse.Read(wirelessInput, r));
  });
  mouse.CancelRead(wirelessInput);
  second.join();
}

// The demo panel shows the mouse from its change observer alone: every report set and every plug
// or unplug (asked for, or after some feature calls) tells it; reads and inspections do not.
TEST_F(SimMouseTest, ChangeObserverHearsOfEveryReportSetAndEveryPlugOrUnplug) {
  int changes = 0;
  MouseState seen;
  mouse.SetChangeObserver([&] { ++changes; });
  mouse.SetFeature(wiredControl, Command(kCmdReportRate, 1, {0x04}));
  EXPECT_EQ(changes, 1);
  mouse.SetFeature(wiredControl, Command(kCmdReportRate, 1, {0x04}));  // refused, still a report set
  EXPECT_EQ(changes, 2);
  Ack();
  seen = mouse.State();
  EXPECT_EQ(seen.rateCode, 0x04);
  EXPECT_EQ(changes, 2);

  mouse.UnplugAfterFeatureCalls(LinkKind::Wired, 1);
  mouse.SetFeature(wiredControl, Command(kCmdDebounce, 2, {3}));  // the report, then the unplug
  EXPECT_EQ(changes, 4);
  EXPECT_FALSE(mouse.IsPlugged(LinkKind::Wired));
  mouse.Plug(LinkKind::Wired);
  mouse.Unplug(LinkKind::Wireless);
  EXPECT_EQ(changes, 6);

  mouse.SetChangeObserver(nullptr);
  mouse.Unplug(LinkKind::Wired);
  EXPECT_EQ(changes, 6);
}

TEST_F(SimMouseTest, LogsEveryFeatureReportAsHex) {
  mouse.SetFeature(wiredControl, Command(kCmdFactoryReset, 1, {0xFF}));
  Ack();
  const auto log = mouse.Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].substr(0, 30), "set wired 06 0F 01 01 16 FF 00");
  EXPECT_EQ(log[1].substr(0, 24), "get wired 06 01 01 00 00");
}

TEST_F(SimMouseTest, MacroPacketsFillTheirSlotAndPacketZeroStartsItAfresh) {
  std::uint8_t seq = 1;
  auto packet = [&](std::uint8_t packetByte, std::vector<std::uint8_t> data) {
    std::vector<std::uint8_t> r(32);
    BuildCommandReport(r, kCmdMacroData, seq++, packetByte, data);
    EXPECT_TRUE(mouse.SetFeature(wiredControl, r));
    return Ack();
  };
  ASSERT_TRUE(mouse.SetFeature(wiredControl, Command(kCmdMacroStart, seq++, {0xFF})));
  EXPECT_EQ(Ack(), 1);

  // Slot 3: 26 entry bytes + 1 over two packets (the second carries one byte); slot 4 empty.
  std::vector<std::uint8_t> first = {26, 3};
  for (std::uint8_t i = 0; i < 25; ++i) first.push_back(i);
  EXPECT_EQ(packet(0x02, first), 1);
  EXPECT_EQ(packet(0x12, {2, 3, 0xAA, 0xBB}), 1);  // 0xBB lies past the counted byte
  EXPECT_EQ(packet(0x01, {1, 4}), 1);

  MouseState s = mouse.State();
  EXPECT_EQ(s.macroUploadStarts, 1);
  ASSERT_EQ(s.macroSlots[3].entries.size(), 26u);
  EXPECT_EQ(s.macroSlots[3].entries[24], 24);
  EXPECT_EQ(s.macroSlots[3].entries[25], 0xAA);
  EXPECT_TRUE(s.macroSlots[3].Complete());
  EXPECT_TRUE(s.macroSlots[4].entries.empty());
  EXPECT_TRUE(s.macroSlots[4].Complete());

  // A new packet 0 of slot 3 replaces what it held; an ignored packet leaves the slot incomplete.
  EXPECT_EQ(packet(0x02, {4, 3, 1, 2, 3}), 1);
  mouse.IgnoreNextMacroPackets(1);
  EXPECT_EQ(packet(0x12, {2, 3, 9}), 0);
  s = mouse.State();
  EXPECT_EQ(s.macroSlots[3].entries, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_FALSE(s.macroSlots[3].Complete());
}

}  // namespace
}  // namespace gm::sim
