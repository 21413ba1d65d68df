#include "assign/shortcut_keys.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

TEST(ShortcutKeysTest, ReportsOfModifierKeysChooseNoKey) {
  for (unsigned code : {0x5Bu, 0x5Cu, 0xA0u, 0xA1u, 0xA2u, 0xA3u, 0xA4u, 0xA5u, 0x100u, 0x141u})
    EXPECT_FALSE(KeyOfReport(code)) << std::hex << code;
}

TEST(ShortcutKeysTest, OtherReportsChooseTheKeyWithItsNameAndUsage) {
  struct Case {
    unsigned code;
    ChosenKey key;
  };
  const Case cases[] = {
      {0x53, {L"S", 0x16}},
      {0x7C, {L"F13", 0x00}},        // named, but the mouse cannot send it
      {0x0E, {L"Undefined", 0x58}},  // the keypad Enter
      {0x10, {L"Shift", 0x00}},      // the side-neutral codes are keys like any other
      {0x5D, {L"App", 0x65}},
      {0xA6, {L"Undefined", 0x00}},  // just past the filtered range
  };
  for (const Case& c : cases) {
    const auto key = KeyOfReport(c.code);
    ASSERT_TRUE(key) << std::hex << c.code;
    EXPECT_EQ(*key, c.key) << std::hex << c.code;
  }
}

TEST(ShortcutKeysTest, ModifierByteFollowsTheChecksUnlessNoModifierIsChecked) {
  EXPECT_EQ(ModifierByte({.ctrl = true, .shift = true}), 0x03);
  EXPECT_EQ(ModifierByte({.alt = true, .win = true}), 0x0C);
  EXPECT_EQ(ModifierByte({.ctrl = true, .shift = true, .alt = true, .win = true}), 0x0F);
  EXPECT_EQ(ModifierByte({.ctrl = true, .shift = true, .alt = true, .win = true, .none = true}), 0x00);
  EXPECT_EQ(ModifierByte({}), 0x00);
}

TEST(ShortcutKeysTest, ResultIsTheCombinationOrNothingWithoutKeyAndModifier) {
  EXPECT_EQ(ShortcutResult(0x03, {L"S", 0x16}), (SelectionRecord{L"Ctrl+Shift+S", {0x70, 0x03, 0x16}}));
  EXPECT_EQ(ShortcutResult(0x00, {L"F13", 0x00}), (SelectionRecord{L"F13", {0x70, 0x00, 0x00}}));
  // Modifiers alone are sent with usage 0 and the modifiers' names.
  EXPECT_EQ(ShortcutResult(0x05, {}), (SelectionRecord{L"Ctrl+Alt", {0x70, 0x05, 0x00}}));
  EXPECT_FALSE(ShortcutResult(0x00, {}));
}

}  // namespace
}  // namespace gm
