#include "device/mapping_upload.h"

#include <gtest/gtest.h>

#include <memory>

#include "device/command_report.h"
#include "device/device_session.h"
#include "device/discovery.h"
#include "device/fake_device_host.h"
#include "device/upload_preview.h"
#include "settings/language.h"
#include "settings/language_indexes.h"
#include "settings/settings_model.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

constexpr std::uint8_t kVkA = 0x41;
constexpr std::uint8_t kVkB = 0x42;

using test::NoWorkers;
using ShownHost = test::FakeUploadHost;

// Virtual time that also remembers every wait, so the pacing of an exchange can be read back.
class PacingClock final : public Clock {
 public:
  Millis Now() const override { return now_; }
  void Sleep(Millis d) override {
    now_ += d;
    sleeps.push_back(static_cast<int>(d.count()));
  }
  std::vector<int> sleeps;

 private:
  Millis now_{0};
};

MacroKey MacroOf(std::initializer_list<MacroAction> actions, std::uint8_t loopType = 2, std::uint8_t loopNum = 1) {
  MacroKey macro(L"m");
  for (MacroAction a : actions) {
    macro.InsertAction(static_cast<int>(macro.MacroActionNum), a);
    if (a.IsCommand()) ++macro.MacroCommandActionNum;
  }
  macro.MacroKeyLoopType = loopType;
  macro.MacroKeyLoopNum = loopNum;
  return macro;
}

MacroKey Tap(std::uint8_t vk, std::uint32_t ms) {
  return MacroOf({MacroAction::Event(vk, false), MacroAction::Delay(ms), MacroAction::Event(vk, true)});
}

MacroKey Presses(int count) {
  MacroKey macro(L"m");
  for (int i = 0; i < count; ++i) macro.InsertAction(i, MacroAction::Event(kVkA, i % 2 != 0));
  macro.MacroCommandActionNum = static_cast<std::uint8_t>(count);
  return macro;
}

// Puts `macro` into the library under number `number` at `location` (a level-1 location also
// makes its level-0 folder).
void AddMacro(MacroLibrary& library, std::uint32_t number, MacroKey macro, MacroItemLocation location) {
  if (location.stage == 1 && !library.ItemAt(location.Parent())->IsFolder()) {
    ASSERT_TRUE(library.PlaceFolderAt(L"folder", location.Parent(), true));
  }
  macro.MacroKeyIndex = number;
  ASSERT_TRUE(library.PlaceMacroAt(L"macro " + std::to_wstring(number), location, macro));
}

void GiveMacro(ProfileRecord& record, int button, std::uint32_t number) {
  KeyAssignment& key = record.KeyAssignments[static_cast<std::size_t>(button)];
  key.KeyValue = {kMacroFunction, 0x21, 0x01};
  key.MacroKeyIndex = number;
}

// ---------------------------------------------------------------------------------------------
// Slot resolution

class ResolveTest : public ::testing::Test {
 protected:
  ResolveTest() {
    s_.texts[kTextDisabled] = L"Disabled";
    ResetProfile(record, 0, s_.texts, s_.sensor.id);
  }

  std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();
  SettingsModel& s_ = *model;
  MacroLibrary library;
  MappingUpload mapping{library, s_.texts};
  ProfileRecord record;
};

TEST_F(ResolveTest, DistinctMacrosGetSlotsInButtonOrderAndSharedOnesShareASlot) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  AddMacro(library, 9, MacroOf({MacroAction::Event(kVkB, false)}, 4, 9), MacroItemLocation::Level1(1, 0));
  AddMacro(library, 3, MacroOf({MacroAction::Event(kVkB, false)}, 2, 5), MacroItemLocation::Level0(2));
  GiveMacro(record, 0, 7);
  GiveMacro(record, 3, 7);
  GiveMacro(record, 4, 9);
  GiveMacro(record, 5, 3);
  library.ItemAt(MacroItemLocation::Level0(0))->Macro->MacroKeyLoopNum = 3;

  mapping.ResolveMacroSlots(record);

  const auto& k = record.KeyAssignments;
  EXPECT_EQ(k[0].KeyValue, (ThreeBytes{0x90, 0x21, 0x03}));  // loop type 2: the loop count travels
  EXPECT_EQ(k[3].KeyValue, (ThreeBytes{0x90, 0x21, 0x03}));  // the same macro, the same slot
  EXPECT_EQ(k[4].KeyValue, (ThreeBytes{0x90, 0x42, 0x00}));  // loop type 4: no count
  EXPECT_EQ(k[5].KeyValue, (ThreeBytes{0x90, 0x23, 0x05}));
  EXPECT_EQ(k[1].KeyValue, (ThreeBytes{0x10, 0x02, 0x00}));  // other buttons untouched
  EXPECT_EQ(mapping.MacroSlotNext(), 4);
  EXPECT_EQ(mapping.SlotOfItem(MacroItemLocation::Level0(0)), 1);
  EXPECT_EQ(mapping.SlotOfItem(MacroItemLocation::Level1(1, 0)), 2);
  EXPECT_EQ(mapping.SlotOfItem(MacroItemLocation::Level0(2)), 3);

  // Each resolution starts afresh: with the first macro gone from the buttons, the others move up.
  record.KeyAssignments[0].KeyValue = {0x10, 0x01, 0x00};
  record.KeyAssignments[3].KeyValue = {0x10, 0x10, 0x00};
  mapping.ResolveMacroSlots(record);
  EXPECT_EQ(k[4].KeyValue[1], 0x41);
  EXPECT_EQ(k[5].KeyValue[1], 0x22);
  EXPECT_EQ(mapping.MacroSlotNext(), 3);
  EXPECT_EQ(mapping.SlotOfItem(MacroItemLocation::Level0(0)), std::nullopt);
}

TEST_F(ResolveTest, AButtonWhoseMacroIsGoneLosesItsFunction) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 1, 99);  // no such macro
  GiveMacro(record, 2, 0);   // number 0 finds nothing
  GiveMacro(record, 4, 7);
  record.KeyAssignments[1].KeyName = L"old macro";

  mapping.ResolveMacroSlots(record);

  for (int b : {1, 2}) {
    EXPECT_EQ(record.KeyAssignments[b].KeyValue, (ThreeBytes{0, 0, 0})) << b;
    EXPECT_EQ(record.KeyAssignments[b].KeyName, L"Disabled") << b;
  }
  EXPECT_EQ(record.KeyAssignments[4].KeyValue, (ThreeBytes{0x90, 0x21, 0x01}));  // still slot 1
  EXPECT_EQ(mapping.MacroSlotNext(), 2);
}

TEST_F(ResolveTest, ButtonKeepsItsCopyUnlessTheLibraryChanged) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 0, 7);
  record.KeyAssignments[0].Macro = Tap(kVkB, 10);
  record.KeyAssignments[0].Macro.MacroCommandActionNum = 0;

  mapping.ResolveMacroSlots(record);
  EXPECT_EQ(record.KeyAssignments[0].Macro.Actions[0], MacroAction::Event(kVkB, false));  // own copy kept
  EXPECT_EQ(record.KeyAssignments[0].Macro.MacroCommandActionNum, 2);                     // count refreshed

  mapping.SetRefreshButtonMacros(true);
  mapping.ResolveMacroSlots(record);
  EXPECT_EQ(record.KeyAssignments[0].Macro, *library.FindMacroKey(7));
  EXPECT_FALSE(mapping.RefreshButtonMacros());
}

// ---------------------------------------------------------------------------------------------
// Uploads against the simulated mouse, in virtual time

class MappingUploadTest : public ::testing::Test {
 protected:
  MappingUploadTest() : mouse(sim::StandardMouse(true, false, false)) {
    BuildSensorDpiTables(s_.sensor);
    ResetProfile(record, 0, s_.texts, s_.sensor.id);
    links.ScanDevices();
  }

  void Prime() {
    upload.PrimeShadows(record);
    mouse.ClearSentReports();
    mouse.ClearLog();
    clock.sleeps.clear();
  }
  UploadResult Upload(bool keyMapDirty) {
    mouse.ClearSentReports();
    clock.sleeps.clear();
    upload.Dirty().KeyMapDirty = keyMapDirty;
    return upload.UploadPendingChanges(record, true, host);
  }
  std::vector<std::uint8_t> Codes() const {
    std::vector<std::uint8_t> codes;
    for (const auto& r : mouse.SentReports()) codes.push_back(r[1]);
    return codes;
  }
  std::vector<std::uint8_t> Entries(std::uint8_t slot) const {
    const auto slots = mouse.State().macroSlots;
    const auto it = slots.find(slot);
    return it == slots.end() ? std::vector<std::uint8_t>{} : it->second.entries;
  }

  std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();  // sensor 0x3950
  SettingsModel& s_ = *model;
  sim::SimMouse mouse;
  test::FakeDeviceHost deviceHost;
  NoWorkers workers;
  DeviceLinks links{mouse, deviceHost, workers};
  PacingClock clock;
  Transport transport{mouse, clock, links};
  MacroLibrary library;
  MappingUpload mapping{library, s_.texts};
  ConfigUpload upload{transport, mapping, s_.sensor};
  ShownHost host;
  ProfileRecord record;
};

TEST_F(MappingUploadTest, AnEditedButtonSendsOnlyTheMapping) {
  Prime();
  record.KeyAssignments[4].KeyValue = {0x40, 0x02, 0x00};  // the record's fifth button: fourth on the wire
  ASSERT_EQ(Upload(true), UploadResult::kDone);
  ASSERT_EQ(Codes(), std::vector<std::uint8_t>{kCmdButtonMapping});
  EXPECT_EQ(sim::HexBytes(mouse.State().buttonMapping),
            "10 01 00 10 02 00 10 04 00 40 02 00 10 10 00 40 01 00 FF FF FF FF FF FF FF FF FF");
  EXPECT_EQ(host.progress, 1);

  // The same mapping again: one 60 ms wait, no report.
  ASSERT_EQ(Upload(true), UploadResult::kDone);
  EXPECT_TRUE(Codes().empty());
  EXPECT_EQ(clock.sleeps, std::vector<int>{60});
  EXPECT_EQ(host.progress, 1);
}

TEST_F(MappingUploadTest, PressDelayReleaseGoesOutAsStartAndOnePacketByteForByte) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 2, 7);
  record.KeyAssignments[2].Macro = *library.FindMacroKey(7);
  transport.SetCommandSequence(0x20);

  // Nothing primed: the image differs from the empty shadow.
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  // Start: 06 11 20 01, data FF; checksum 6 + 0x11 + 0x20 + 1 + 0xFF = 0x137.
  // Packet 0 of 1: 06 10 21 01, 07 (six entry bytes + 1), slot 1, 30 32 04 B0 00 04;
  // checksum 6 + 0x10 + 0x21 + 1 + 7 + 1 + 0x30 + 0x32 + 4 + 0xB0 + 4 = 0x15A.
  const auto sent = mouse.SentReports();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sim::HexBytes(sent[0]),
            "06 11 20 01 37 FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(sim::HexBytes(sent[1]),
            "06 10 21 01 5A 07 01 30 32 04 B0 00 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(clock.sleeps, (std::vector<int>{60, 10, 120}));  // start's gap, 10 ms, the packet's 120 ms
  EXPECT_EQ(Entries(1), (std::vector<std::uint8_t>{0x30, 0x32, 0x04, 0xB0, 0x00, 0x04}));
  EXPECT_TRUE(mouse.State().macroSlots[1].Complete());
  EXPECT_EQ(host.progress, 1);
}

TEST_F(MappingUploadTest, OnlyAChangedMacroIsUploadedAgain) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 0, 7);
  record.KeyAssignments[0].Macro = *library.FindMacroKey(7);
  Prime();

  // Primed: the mouse is taken to hold the macro already.
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_TRUE(Codes().empty());
  EXPECT_TRUE(clock.sleeps.empty());

  // The macro manager changed the macro: the next resolution takes it into the button.
  library.ItemAt(MacroItemLocation::Level0(0))->Macro->Actions[1] = MacroAction::Delay(60);
  mapping.SetRefreshButtonMacros(true);
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdMacroStart, kCmdMacroData}));
  EXPECT_EQ(Entries(1), (std::vector<std::uint8_t>{0x30, 0x3C, 0x04, 0xB0, 0x00, 0x04}));

  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_TRUE(Codes().empty());
}

// After a factory reset the mouse holds no macros: emptying the shadows of slots 0..10 makes a
// primed macro go out again, while a slot past them keeps its shadow.
TEST_F(MappingUploadTest, ZeroedMacroShadowSlotsMakeTheirMacrosGoOutAgain) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 0, 7);
  record.KeyAssignments[0].Macro = *library.FindMacroKey(7);
  Prime();
  transport.Slots()[kMacroShadowFirstSlot + 11][0] = 0x5A;

  MappingUpload::ZeroMacroShadowSlots(transport, 11);
  EXPECT_EQ(transport.Slots()[kMacroShadowFirstSlot + 11][0], 0x5A);
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdMacroStart, kCmdMacroData}));
  EXPECT_EQ(Entries(1), (std::vector<std::uint8_t>{0x30, 0x32, 0x04, 0xB0, 0x00, 0x04}));

  // Nothing zeroed: nothing goes out.
  MappingUpload::ZeroMacroShadowSlots(transport, 0);
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_TRUE(Codes().empty());
}

TEST_F(MappingUploadTest, TheMappingCommandMakesEveryMacroGoOutAgain) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  AddMacro(library, 8, Tap(kVkB, 20), MacroItemLocation::Level0(1));
  GiveMacro(record, 0, 7);
  GiveMacro(record, 5, 8);
  mapping.SetRefreshButtonMacros(true);
  mapping.ResolveMacroSlots(record);
  Prime();

  record.KeyAssignments[1].KeyValue = {0x10, 0x04, 0x00};
  ASSERT_EQ(Upload(true), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdButtonMapping, kCmdMacroStart, kCmdMacroData, kCmdMacroData}));
  const auto mappingHeld = mouse.State().buttonMapping;
  EXPECT_EQ(sim::HexBytes(std::span(mappingHeld).first(18)),
            "90 21 01 10 04 00 10 04 00 10 08 00 10 10 00 90 22 01");
  EXPECT_EQ(Entries(2), (std::vector<std::uint8_t>{0x30, 0x14, 0x05, 0xB0, 0x00, 0x05}));

  // Mapping unchanged, still dirty: no mapping report, the macros all the same.
  ASSERT_EQ(Upload(true), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdMacroStart, kCmdMacroData, kCmdMacroData}));
}

TEST_F(MappingUploadTest, ASharedMacroHasOneSlotAndIsSentOncePerButton) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 1, 7);
  GiveMacro(record, 4, 7);
  mapping.SetRefreshButtonMacros(true);
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdMacroStart, kCmdMacroData, kCmdMacroData}));
  for (std::size_t i : {1u, 2u}) EXPECT_EQ(mouse.SentReports()[i][6], 1) << i;  // slot 1 both times
  EXPECT_EQ(mapping.MacroSlotNext(), 2);
}

TEST_F(MappingUploadTest, PacketsOfALongAndOfAnEmptyMacro) {
  AddMacro(library, 7, Presses(9), MacroItemLocation::Level0(0));
  AddMacro(library, 8, MacroKey(L"empty"), MacroItemLocation::Level0(1));
  GiveMacro(record, 0, 7);
  GiveMacro(record, 1, 8);
  mapping.SetRefreshButtonMacros(true);
  ASSERT_EQ(Upload(false), UploadResult::kDone);

  const auto sent = mouse.SentReports();
  ASSERT_EQ(sent.size(), 4u);  // start, two packets of slot 1, one of slot 2
  struct Expect {
    std::uint8_t packetByte, length, slot;
  };
  const Expect expect[] = {{0x02, 26, 1}, {0x12, 3, 1}, {0x01, 1, 2}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(sent[i + 1][3], expect[i].packetByte) << i;
    EXPECT_EQ(sent[i + 1][5], expect[i].length) << i;
    EXPECT_EQ(sent[i + 1][6], expect[i].slot) << i;
  }
  EXPECT_EQ(Entries(1).size(), 27u);
  EXPECT_TRUE(mouse.State().macroSlots[1].Complete());
  EXPECT_TRUE(Entries(2).empty());
  EXPECT_TRUE(mouse.State().macroSlots[2].Complete());
  EXPECT_EQ(clock.sleeps, (std::vector<int>{60, 10, 120, 120, 120}));
}

TEST_F(MappingUploadTest, AnUnacknowledgedPacketIsResentAfter60msAndAfterFourSendsWaitsForTheNextUpload) {
  AddMacro(library, 7, Presses(9), MacroItemLocation::Level0(0));
  GiveMacro(record, 0, 7);
  mapping.SetRefreshButtonMacros(true);

  mouse.IgnoreNextMacroPackets(1);
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_EQ(clock.sleeps, (std::vector<int>{60, 10, 120, 60, 120, 120}));
  auto sent = mouse.SentReports();
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[2][2], sent[1][2] + 1);  // the resend has a new sequence byte
  EXPECT_EQ(sent[2][4], sent[1][4] + 1);  // and so a new checksum
  EXPECT_TRUE(std::equal(sent[1].begin() + 5, sent[1].end(), sent[2].begin() + 5));
  EXPECT_TRUE(mouse.State().macroSlots[1].Complete());

  // Packet 0 never acknowledged: four sends, then packet 1 follows.
  library.ItemAt(MacroItemLocation::Level0(0))->Macro->Actions[0] = MacroAction::Event(kVkB, false);
  mapping.SetRefreshButtonMacros(true);
  mouse.IgnoreNextMacroPackets(4);
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_EQ(clock.sleeps, (std::vector<int>{60, 10, 120, 60, 120, 60, 120, 60, 120, 120}));
  sent = mouse.SentReports();
  ASSERT_EQ(sent.size(), 6u);
  for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(sent[i][3], 0x02) << i;
  EXPECT_EQ(sent[5][3], 0x12);

  // The slot's shadow stays empty and the button mapping stays marked: the next upload sends
  // every macro again (the mapping itself was never sent in this test, so it goes out first).
  EXPECT_TRUE(upload.Dirty().KeyMapDirty);
  ASSERT_EQ(Upload(true), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdButtonMapping, kCmdMacroStart, kCmdMacroData, kCmdMacroData}));
  EXPECT_TRUE(mouse.State().macroSlots[1].Complete());
  EXPECT_EQ(Entries(1)[2], 0x05);  // the first entry's usage: B
  EXPECT_FALSE(upload.Dirty().Any());
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_TRUE(Codes().empty());
}

// What the mouse leaves unacknowledged of the button mapping and macro upload stays pending: the
// mapping command keeps its shadow, a macro whose start command was refused goes out again.
TEST_F(MappingUploadTest, AMappingOrMacroStartNeverAcknowledgedGoesOutWithTheNextUpload) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 0, 7);
  mapping.SetRefreshButtonMacros(true);
  mapping.ResolveMacroSlots(record);
  Prime();

  // The mapping: its four attempts refused, then the macro goes out (the mapping forgot it).
  record.KeyAssignments[3].KeyValue = {0x40, 0x01, 0x00};
  mouse.IgnoreNextCommands(4);
  ASSERT_EQ(Upload(true), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{1, 1, 1, 1, kCmdMacroStart, kCmdMacroData}));
  EXPECT_TRUE(upload.Dirty().KeyMapDirty);
  upload.UploadPendingChanges(record, true, host);
  // Device order: the record's buttons 0, 1, 2, 4 (10 08 00), 3 (the edited one), 5.
  const sim::MouseState held = mouse.State();
  EXPECT_EQ(sim::HexBytes(std::span(held.buttonMapping).first(18)),
            "90 21 01 10 02 00 10 04 00 10 08 00 40 01 00 40 01 00");
  EXPECT_FALSE(upload.Dirty().Any());

  // The start command refused four times: the packet is still sent, and the macro again next time.
  library.ItemAt(MacroItemLocation::Level0(0))->Macro->Actions[1] = MacroAction::Delay(60);
  mapping.SetRefreshButtonMacros(true);
  mouse.IgnoreNextCommands(4);
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdMacroStart, kCmdMacroStart, kCmdMacroStart, kCmdMacroStart,
                                                kCmdMacroData}));
  EXPECT_TRUE(upload.Dirty().KeyMapDirty);
  const int starts = mouse.State().macroUploadStarts;
  mouse.ClearSentReports();
  upload.UploadPendingChanges(record, true, host);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdMacroStart, kCmdMacroData}));
  EXPECT_EQ(mouse.State().macroUploadStarts, starts + 1);
  EXPECT_EQ(Entries(1), (std::vector<std::uint8_t>{0x30, 0x3C, 0x04, 0xB0, 0x00, 0x04}));
  EXPECT_FALSE(upload.Dirty().Any());
}

TEST_F(MappingUploadTest, WithoutALinkNothingIsSentAndTheMacrosStayPending) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 0, 7);
  mapping.SetRefreshButtonMacros(true);
  mouse.Unplug(LinkKind::Wired);
  links.ScanDevices();
  ASSERT_EQ(Upload(true), UploadResult::kNoLink);
  EXPECT_TRUE(Codes().empty());

  mouse.Plug(LinkKind::Wired);
  links.ScanDevices();
  ASSERT_EQ(Upload(true), UploadResult::kDone);
  EXPECT_EQ(Codes(), (std::vector<std::uint8_t>{kCmdButtonMapping, kCmdMacroStart, kCmdMacroData}));
}

TEST_F(MappingUploadTest, PrimingTakesTheResolvedButtonsAsTheMousesState) {
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  GiveMacro(record, 3, 7);
  record.KeyAssignments[3].KeyValue = {0x90, 0x21, 0x01};
  mapping.SetRefreshButtonMacros(true);
  Prime();
  // Slot 1's shadow holds the button's image, the mapping shadow the record's function bytes
  // with 0xFF around them.
  const MacroImage image = BuildMacroImage(record.KeyAssignments[3].Macro, 1);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), transport.Slots()[21].begin()));
  EXPECT_EQ(sim::HexBytes(std::span(transport.Slots()[1]).first(22)),
            "FF FF 10 01 00 10 02 00 10 04 00 10 08 00 90 21 01 40 01 00 FF FF");
  ASSERT_EQ(Upload(false), UploadResult::kDone);
  EXPECT_TRUE(Codes().empty());
}

// ---------------------------------------------------------------------------------------------
// The sending variant on its own

TEST_F(MappingUploadTest, MacroPacketExchangeWaits120msBeforeEachAcknowledge) {
  const std::array<std::uint8_t, 27> data{1, 3};
  bool wentOut = false;
  EXPECT_EQ(SendMacroPacket(transport, 0x01, data, wentOut), SendOutcome::kAccepted);
  EXPECT_TRUE(wentOut);
  EXPECT_EQ(clock.sleeps, std::vector<int>{120});

  clock.sleeps.clear();
  mouse.IgnoreNextCommands(4);
  EXPECT_EQ(SendMacroPacket(transport, 0x01, data, wentOut), SendOutcome::kGivenUp);
  EXPECT_EQ(clock.sleeps, (std::vector<int>{120, 60, 120, 60, 120, 60, 120}));

  const std::array<std::uint8_t, 28> tooLong{};
  clock.sleeps.clear();
  EXPECT_EQ(SendMacroPacket(transport, 0x01, tooLong, wentOut), SendOutcome::kRejected);
  EXPECT_TRUE(clock.sleeps.empty());

  mouse.Unplug(LinkKind::Wired);
  links.ScanDevices();
  wentOut = false;
  EXPECT_EQ(SendMacroPacket(transport, 0x01, data, wentOut), SendOutcome::kGivenUp);
  EXPECT_FALSE(wentOut);
}

// ---------------------------------------------------------------------------------------------
// What the session and the dry-run preview use

TEST(MappingPreview, AFullUploadEndsWithTheMacrosOfTheMacroButtons) {
  const auto model = std::make_unique<SettingsModel>();  // sensor 0x3950, no texts
  SettingsModel& s_ = *model;
  BuildSensorDpiTables(s_.sensor);
  MacroLibrary library;
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));
  ProfileRecord record;
  ResetProfile(record, 0, s_.texts, s_.sensor.id);
  GiveMacro(record, 2, 7);
  record.KeyAssignments[2].Macro = *library.FindMacroKey(7);
  const ProfileRecord before = record;

  const auto reports = PreviewFullUpload(record, library, s_.sensor, s_.texts);
  ASSERT_EQ(reports.size(), 12u);  // mapping, nine configuration reports, start, one packet
  // Mapping with sequence 1: 06 01 01 01 | button 2 as 90 21 01; the checksum is that of the
  // default mapping (0xB0) with 10 04 00 replaced: 0xB0 - 0x14 + 0xB2 = 0x14E.
  EXPECT_EQ(sim::HexBytes(reports[0]),
            "06 01 01 01 4E 10 01 00 10 02 00 90 21 01 10 08 00 10 10 00 40 01 00 FF FF FF FF FF FF FF FF FF");
  // Start at sequence 0x0B: 6 + 0x11 + 0x0B + 1 + 0xFF = 0x122. Packet at 0x0C: 6 + 0x10 + 0x0C + 1
  // + the data sum 0x122 = 0x145.
  EXPECT_EQ(sim::HexBytes(reports[10]),
            "06 11 0B 01 22 FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(sim::HexBytes(reports[11]),
            "06 10 0C 01 45 07 01 30 32 04 B0 00 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(record, before);  // the preview leaves the caller's record alone
}

TEST(MappingSession, TheSessionResolvesAgainstTheLibraryItIsGiven) {
  const auto model = std::make_unique<SettingsModel>();
  SettingsModel& s_ = *model;
  MacroLibrary library;
  AddMacro(library, 7, Tap(kVkA, 50), MacroItemLocation::Level0(0));

  sim::SimMouse mouse(sim::StandardMouse(true, false, false));
  VirtualClock clock;
  test::FakeDeviceHost deviceHost;
  ShownHost host;
  ProfileRecord record;
  ResetProfile(record, 0, s_.texts, s_.sensor.id);
  GiveMacro(record, 0, 7);
  {
    DeviceSession session(mouse, clock, deviceHost, s_, library);
    session.Links().ScanDevices();
    session.Mapping().SetRefreshButtonMacros(true);
    ASSERT_EQ(session.Upload().UploadPendingChanges(record, true, host), UploadResult::kDone);
    EXPECT_EQ(session.Mapping().MacroSlotNext(), 2);
    session.Shutdown();
  }
  EXPECT_EQ(mouse.State().macroSlots[1].entries, (std::vector<std::uint8_t>{0x30, 0x32, 0x04, 0xB0, 0x00, 0x04}));
}

}  // namespace
}  // namespace gm
