#include "device/mapping_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings/settings_model.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

constexpr std::uint8_t kVkA = 0x41;

template <std::size_t N>
std::string Hex(const std::array<std::uint8_t, N>& bytes, std::size_t count = N) {
  return sim::HexBytes(std::span<const std::uint8_t>(bytes.data(), count));
}

MacroKey MacroOf(std::initializer_list<MacroAction> actions) {
  MacroKey macro(L"m");
  for (MacroAction a : actions) macro.InsertAction(static_cast<int>(macro.MacroActionNum), a);
  for (MacroAction a : actions) macro.MacroCommandActionNum += a.IsCommand() ? 1 : 0;
  return macro;
}

MacroKey Presses(int count) {
  MacroKey macro(L"m");
  for (int i = 0; i < count; ++i) macro.InsertAction(i, MacroAction::Event(kVkA, i % 2 != 0));
  macro.MacroCommandActionNum = static_cast<std::uint8_t>(std::min(count, 255));
  return macro;
}

TEST(MappingData, DefaultButtonsInDeviceOrderThenNineFF) {
  const auto state = std::make_unique<SettingsModel>();  // no texts, sensor 0x3950
  ProfileRecord record;
  ResetProfile(record, 0, state->texts, state->sensor.id);
  EXPECT_EQ(Hex(MappingData(record)),
            "10 01 00 10 02 00 10 04 00 10 08 00 10 10 00 40 01 00 FF FF FF FF FF FF FF FF FF");
}

TEST(MappingData, FourthAndFifthButtonsAreSwappedOnTheWire) {
  ProfileRecord record;
  for (std::uint8_t b = 0; b < kButtonCount; ++b) record.KeyAssignments[b].KeyValue = {b, b, b};
  EXPECT_EQ(Hex(MappingFunctionBytes(record)), "00 00 00 01 01 01 02 02 02 04 04 04 03 03 03 05 05 05");
}

TEST(MacroEntry, KindsValuesDelaysAndReleaseFlag) {
  struct Case {
    MacroAction action;
    std::uint32_t delay;
    const char* entry;
  };
  const Case cases[] = {
      {MacroAction::Event(kVkA, false), 50, "30 32 04"},    // key press with 50 ms
      {MacroAction::Event(kVkA, true), 0, "B0 00 04"},      // key release, nothing after it
      {MacroAction::Event(kVkA, false), 300, "31 2C 04"},   // delay bits 11..8 in byte 0
      {MacroAction::Event(kVkA, false), 4095, "3F FF 04"},  // the longest delay an entry holds
      {MacroAction::Event(kVkA, false), 5000, "3F FF 04"},  // longer ones are cut to 4095
      {MacroAction::Event(kVkA, true), 0xFFFFFF, "BF FF 04"},
      {MacroAction::Event(0x0D, false), 0, "30 00 28"},     // Enter
      {MacroAction::Event(0xFB, false), 0, "30 00 91"},     // usage 0x91 is a key, not a modifier
      {MacroAction::Event(0x0A, false), 0, "30 00 00"},     // a code without a usage: no key
      {MacroAction::Event(0xA2, false), 0, "20 00 01"},     // left Ctrl (usage E0)
      {MacroAction::Event(0xA0, false), 0, "20 00 02"},     // left Shift (usage E1)
      {MacroAction::Event(0x5C, true), 0, "A0 00 80"},      // right Win (usage E7) released
      {MacroAction::Event(MacroAction::kMouseLeft, false), 0, "10 00 01"},
      {MacroAction::Event(MacroAction::kMouseRight, true), 16, "90 10 02"},
      {MacroAction::Event(0xE4, false), 0, "10 00 10"},     // fifth button
      {MacroAction::FromBytes(MacroAction::kMoveX, 0, 0, 0xFB), 0, "40 00 FB"},  // 5 to the left
      {MacroAction::FromBytes(MacroAction::kMoveY, 0, 0, 0x03), 0, "50 00 03"},
      {MacroAction::FromBytes(MacroAction::kWheel, 0, 0, 0xFF), 8, "60 08 FF"},  // one step down
  };
  for (const Case& c : cases)
    EXPECT_EQ(Hex(EncodeMacroEntry(c.action, c.delay)), c.entry) << std::hex << c.action.word;
}

TEST(MacroImage, PressDelayReleaseGivesTwoEntries) {
  const MacroKey macro =
      MacroOf({MacroAction::Event(kVkA, false), MacroAction::Delay(50), MacroAction::Event(kVkA, true)});
  const MacroImage image = BuildMacroImage(macro, 2);
  EXPECT_EQ(Hex(image, 12), "09 90 02 02 30 32 04 B0 00 04 00 00");
  EXPECT_TRUE(std::all_of(image.begin() + 10, image.end(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(MacroPacketCount(image), 1);
  EXPECT_EQ(Hex(MacroPacketData(image, 0)),
            "07 02 30 32 04 B0 00 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
}

TEST(MacroImage, DelaysFoldIntoTheCommandBeforeThemAndStrayOnesAreDropped) {
  // A leading delay, a second delay in a row and any delay code below 8 (here 0x00) are all
  // delays; only the one directly after a command travels, in that command's entry.
  const MacroKey macro = MacroOf({MacroAction::Delay(10), MacroAction::Event(kVkA, false), MacroAction::Delay(20),
                                  MacroAction::Delay(30), MacroAction::Event(kVkA, true),
                                  MacroAction::FromBytes(0x00, 0x00, 0x01, 0x00)});
  EXPECT_EQ(Hex(BuildMacroImage(macro, 0x13), 11), "09 90 03 02 30 14 04 B1 00 04 00");
}

TEST(MacroImage, OnlyUsedActionsCount) {
  MacroKey macro = MacroOf({MacroAction::Event(kVkA, false), MacroAction::Delay(7)});
  macro.Actions[2] = MacroAction::Event(kVkA, true);  // stale action beyond MacroActionNum
  EXPECT_EQ(Hex(BuildMacroImage(macro, 1), 8), "09 90 01 01 30 07 04 00");

  macro.MacroActionNum = 1000;  // a corrupt count reads as the 250 slots
  EXPECT_EQ(ImageEntryCount(BuildMacroImage(macro, 1)), 2);
}

TEST(MacroPackets, EntryBytesIn25BytePieces) {
  struct Case {
    int commands;
    std::vector<int> lengths;  // data byte 0 of each packet
  };
  const Case cases[] = {
      {0, {1}},                    // an empty macro still sends one packet
      {8, {25}},                   // 24 bytes
      {9, {26, 3}},                // 27 bytes
      {125, std::vector<int>(15, 26)},  // the largest macro: exactly 15 full packets
  };
  for (const Case& c : cases) {
    const MacroImage image = BuildMacroImage(Presses(c.commands), 5);
    ASSERT_EQ(MacroPacketCount(image), static_cast<int>(c.lengths.size())) << c.commands;
    for (std::size_t p = 0; p < c.lengths.size(); ++p) {
      const auto data = MacroPacketData(image, static_cast<int>(p));
      EXPECT_EQ(data[0], c.lengths[p]) << c.commands << " packet " << p;
      EXPECT_EQ(data[1], 5);
    }
  }
}

TEST(MacroPackets, SecondPacketCarriesTheRemainingEntryBytes) {
  const MacroImage image = BuildMacroImage(Presses(9), 1);
  // Entries 0..7 fill 24 bytes; the 25th is the first byte of entry 8 (a press: 30), which the
  // second packet continues with 00 04.
  EXPECT_EQ(Hex(MacroPacketData(image, 0)),
            "1A 01 30 00 04 B0 00 04 30 00 04 B0 00 04 30 00 04 B0 00 04 30 00 04 B0 00 04 30");
  EXPECT_EQ(Hex(MacroPacketData(image, 1)),
            "03 01 00 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
}

TEST(MacroPackets, MoreThan125CommandsAreCutToWhatFifteenPacketsCarry) {
  MacroKey macro = Presses(200);
  const MacroImage image = BuildMacroImage(macro, 1);
  EXPECT_EQ(ImageEntryCount(image), 125);
  EXPECT_EQ(MacroPacketCount(image), 15);
  EXPECT_TRUE(std::all_of(image.begin() + 4 + 375, image.end(), [](std::uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace gm
