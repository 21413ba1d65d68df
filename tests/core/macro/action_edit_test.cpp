#include "macro/action_edit.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace gm {
namespace {

std::array<int, 4> Bytes(MacroAction a) { return {a.Byte(0), a.Byte(1), a.Byte(2), a.Byte(3)}; }

TEST(ActionEdit, OnlyDigitsAndBackspacePassWithoutNotice) {
  for (wchar_t c : std::wstring(L"0123456789\b")) EXPECT_TRUE(IsDigitEntry(c)) << int(c);
  for (wchar_t c : std::wstring(L"/:-+ a.\r\x0660")) EXPECT_FALSE(IsDigitEntry(c)) << int(c);
}

TEST(ActionEdit, ReadDecimalTakesTheLeadingNumber) {
  struct Case {
    const wchar_t* text;
    std::int64_t value;
  };
  const Case cases[] = {{L"", 0},       {L"abc", 0},   {L"42", 42},     {L"  42x7", 42},
                        {L"-12", -12},  {L"+8", 8},    {L"007", 7},     {L"99999999999999999999999", 1'000'000'000'000},
                        {L"-99999999999999999999999", -1'000'000'000'000}};
  for (const Case& c : cases) EXPECT_EQ(ReadDecimal(c.text), c.value) << std::wstring(c.text).size();
}

TEST(ActionEdit, DelayIsWrittenAsThreeBigEndianBytesUpToTheLimit) {
  struct Case {
    const wchar_t* text;
    std::array<int, 4> bytes;
  };
  const Case cases[] = {
      {L"20000000", {0x03, 0xE9, 0x76, 0x20}},  // above the limit: the longest delay
      {L"15300001", {0x03, 0xE9, 0x76, 0x20}},
      {L"15300000", {0x03, 0xE9, 0x75, 0xA0}},  // the limit itself is stored as typed
      {L"500", {0x03, 0x00, 0x01, 0xF4}},
      {L"0", {0x03, 0, 0, 0}},
      {L"", {0x03, 0, 0, 0}},
      {L"-5", {0x03, 0, 0, 0}},  // a typed sign never wraps into a huge delay
      {L"99999999999999999999", {0x03, 0xE9, 0x76, 0x20}},
  };
  for (const Case& c : cases) EXPECT_EQ(Bytes(DelayFromText(c.text)), c.bytes) << std::wstring(c.text).size();
  EXPECT_EQ(DelayEditText(MacroAction::FromBytes(0x00, 0x01, 0x02, 0x03)), L"66051");
}

TEST(ActionEdit, AmountIsLimitedSignedAndKeepsByteOne) {
  const MacroAction start = MacroAction::FromBytes(0x41, 0x80, 0x55, 0x10);
  struct Case {
    int code;
    const wchar_t* text;
    std::array<int, 4> bytes;
  };
  const Case cases[] = {
      {5, L"200", {0xE5, 0x80, 0, 0x81}},  // left, limited to 127
      {5, L"0", {0xE5, 0x80, 0, 0xFF}},    // at least 1
      {6, L"127", {0xE5, 0x80, 0, 0x7F}},  // right
      {7, L"3", {0xE6, 0x80, 0, 0xFD}},    // up
      {8, L"-40", {0xE6, 0x80, 0, 0x01}},  // down; a negative number is below the lower bound
      {9, L"9", {0xE7, 0x80, 0, 0x07}},    // wheel up, limited to 7
      {10, L"9", {0xE7, 0x80, 0, 0xF9}},   // wheel down
      {10, L"x", {0xE7, 0x80, 0, 0xFF}},
  };
  for (const Case& c : cases) EXPECT_EQ(Bytes(AmountFromText(c.code, c.text, start)), c.bytes) << c.code;
  for (int code : {4, 11}) EXPECT_EQ(AmountFromText(code, L"5", start), start) << code;
}

TEST(ActionEdit, AmountStartTextAndLabelsFollowTheCode) {
  EXPECT_EQ(AmountEditText(MacroAction::FromBytes(0xE5, 0, 0, 0x81)), L"127");
  EXPECT_EQ(AmountEditText(MacroAction::FromBytes(0xE7, 0, 0, 0x05)), L"5");
  EXPECT_EQ(AmountEditText(MacroAction::FromBytes(0xE6, 0, 0, 0x80)), L"128");
  EXPECT_EQ(AmountLabelText(5), 222);
  EXPECT_EQ(AmountLabelText(10), 227);
}

TEST(ActionEdit, KeyReplacesByteZeroOnly) {
  EXPECT_EQ(Bytes(WithKey(MacroAction::FromBytes(0x41, 0x80, 0x01, 0x02), 0xA0)),
            (std::array<int, 4>{0xA0, 0x80, 0x01, 0x02}));
}

// A key the system reports under one of the macro's mouse codes never turns the key action into
// a mouse action: "<>|" (0xE2) is kept as the key it is, the others leave the action as it was.
TEST(ActionEdit, KeysUnderTheMouseCodesStayKeys) {
  const MacroAction release = MacroAction::FromBytes(0x41, 0x80, 0x00, 0x00);
  EXPECT_EQ(Bytes(WithKey(release, 0xE2)), (std::array<int, 4>{0xF3, 0x80, 0x00, 0x00}));
  for (std::uint32_t code : {0xE0u, 0xE1u, 0xE3u, 0xE4u, 0xE5u, 0xE6u, 0xE7u, 0x05u, 0x141u})
    EXPECT_EQ(WithKey(release, code), release) << std::hex << code;
}

}  // namespace
}  // namespace gm
