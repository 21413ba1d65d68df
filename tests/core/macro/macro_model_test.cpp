#include "macro/macro_model.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

MacroKey WithActions(int count) {
  MacroKey m(L"m");
  for (int i = 0; i < count; ++i) EXPECT_TRUE(m.InsertAction(i, MacroAction{0x1000u + i}));
  return m;
}

TEST(MacroAction, BytesAndKinds) {
  const auto delay = MacroAction::FromBytes(0x03, 0x00, 0x01, 0xF4);
  EXPECT_EQ(delay.word, 0xF4010003u);
  EXPECT_TRUE(delay.IsDelay());
  EXPECT_FALSE(delay.IsCommand());
  EXPECT_EQ(delay.DelayMs(), 500u);
  EXPECT_TRUE(MacroAction::FromBytes(0x07, 0, 0, 1).IsDelay());  // any byte 0 below 8
  EXPECT_TRUE(MacroAction::FromBytes(0x08, 0, 0, 0).IsCommand());
  EXPECT_EQ(MacroAction::Delay(0x123456), MacroAction::FromBytes(0x03, 0x12, 0x34, 0x56));
  EXPECT_EQ(MacroAction::Delay(0x2000000).DelayMs(), 0xFFFFFFu);
  EXPECT_EQ(MacroAction::Event(0x41, true), MacroAction::FromBytes(0x41, 0x80, 0, 0));
  EXPECT_EQ(MacroAction::FromBytes(0xE5, 0, 0, 0xFB).Amount(), -5);
}

TEST(MacroKey, NewRecordDefaults) {
  const MacroKey m(L"Combo");
  EXPECT_EQ(m.Name, L"Combo");
  EXPECT_EQ(m.MacroKeyIndex, 0u);
  EXPECT_EQ(m.MacroActionNum, 0u);
  EXPECT_EQ(m.MacroKeyLoopType, 2);
  EXPECT_EQ(m.MacroKeyLoopNum, 1);
  EXPECT_EQ(m.MacroCommandActionNum, 0);
}

TEST(MacroKey, InsertClampsPositionAndShiftsLaterActions) {
  auto m = WithActions(10);
  EXPECT_TRUE(m.InsertAction(300, MacroAction{7}));
  EXPECT_EQ(m.MacroActionNum, 11u);
  EXPECT_EQ(m.GetAction(10).word, 7u);
  EXPECT_TRUE(m.InsertAction(2, MacroAction{9}));
  EXPECT_EQ(m.GetAction(1).word, 0x1001u);
  EXPECT_EQ(m.GetAction(2).word, 9u);
  EXPECT_EQ(m.GetAction(3).word, 0x1002u);
  EXPECT_EQ(m.GetAction(11).word, 7u);
  EXPECT_TRUE(m.InsertAction(-4, MacroAction{5}));
  EXPECT_EQ(m.GetAction(0).word, 5u);
  EXPECT_EQ(m.MacroCommandActionNum, 0);  // callers keep the command count
}

TEST(MacroKey, InsertRefusedWhenFull) {
  auto m = WithActions(250);
  const auto before = m;
  EXPECT_FALSE(m.InsertAction(300, MacroAction{1}));
  EXPECT_FALSE(m.InsertAction(0, MacroAction{1}));
  EXPECT_EQ(m, before);
}

TEST(MacroKey, RemoveClosesGapAndZeroesFreedSlot) {
  auto m = WithActions(5);
  EXPECT_FALSE(m.RemoveAction(5));
  EXPECT_FALSE(m.RemoveAction(-1));
  EXPECT_TRUE(m.RemoveAction(1));
  EXPECT_EQ(m.MacroActionNum, 4u);
  EXPECT_EQ(m.GetAction(1).word, 0x1002u);
  EXPECT_EQ(m.GetAction(3).word, 0x1004u);
  EXPECT_EQ(m.GetAction(4).word, 0u);
  auto full = WithActions(250);
  EXPECT_TRUE(full.RemoveAction(249));
  EXPECT_EQ(full.GetAction(249).word, 0u);
}

TEST(MacroKey, CountBeyondCapacityNeverTouchesOutsideTheSlots) {
  // A record filled from outside may claim more actions than it can hold.
  MacroKey m(L"bad");
  m.MacroActionNum = 400;
  EXPECT_FALSE(m.InsertAction(0, MacroAction{1}));
  EXPECT_FALSE(m.RemoveAction(300));
  EXPECT_TRUE(m.RemoveAction(249));
  EXPECT_EQ(m.MacroActionNum, 249u);
}

TEST(MacroKey, SetAndGetBounds) {
  MacroKey m;
  EXPECT_TRUE(m.SetAction(249, MacroAction{3}));
  EXPECT_FALSE(m.SetAction(250, MacroAction{3}));
  EXPECT_FALSE(m.SetAction(-1, MacroAction{3}));
  EXPECT_EQ(m.GetAction(249).word, 3u);
  EXPECT_EQ(m.GetAction(250).word, 0u);
  EXPECT_EQ(m.MacroActionNum, 0u);  // SetAction does not change the count
}

TEST(MacroKey, CopyContentKeepsOwnNumber) {
  auto src = WithActions(3);
  src.Name = L"src";
  src.MacroKeyIndex = 9;
  src.MacroKeyLoopType = 4;
  src.MacroKeyLoopNum = 7;
  src.MacroCommandActionNum = 3;
  MacroKey dst(L"dst");
  dst.MacroKeyIndex = 42;
  dst.CopyContentFrom(src);
  EXPECT_EQ(dst.MacroKeyIndex, 42u);
  dst.MacroKeyIndex = src.MacroKeyIndex;
  EXPECT_EQ(dst, src);
}

}  // namespace
}  // namespace gm
