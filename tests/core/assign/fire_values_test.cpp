#include "assign/fire_values.h"

#include <gtest/gtest.h>

#include "settings/language_indexes.h"

namespace gm {
namespace {

TEST(FireValuesTest, BoxTextReadsAsItsLeadingDigits) {
  struct Case {
    const wchar_t* text;
    int value;
  };
  const Case cases[] = {
      {L"50", 50},   {L"0", 0},      {L"", 0},     {L"abc", 0},   {L"12x4", 12},
      {L" 7", 7},    {L"-5", 0},     {L"007", 7},  {L"255", 255}, {L"256", 256},
      // Far too many digits never wrap round into a small or negative number.
      {L"99999999999999999999", 1'000'000},
  };
  for (const Case& c : cases) EXPECT_EQ(FireValueOf(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
}

TEST(FireValuesTest, BoxesAboveTheMaximumAreCutTo255) {
  struct Case {
    const wchar_t* text;
    const wchar_t* after;
    bool cut;
  };
  const Case cases[] = {
      {L"300", L"255", true}, {L"256", L"255", true}, {L"99999999999", L"255", true},
      {L"255", L"255", false}, {L"4", L"4", false},   {L"x9", L"x9", false},
  };
  for (const Case& c : cases) {
    std::wstring text = c.text;
    EXPECT_EQ(ClampFireText(text), c.cut) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(text, c.after);
  }
}

TEST(FireValuesTest, TypedCharactersOtherThanDigitsDrawTheNotice) {
  for (wchar_t c : std::wstring(L"a-+ ./:ü")) EXPECT_TRUE(DrawsDigitsNotice(c)) << int(c);
  // Digits, and keys that arrive as control characters: Backspace, Enter, Escape, Tab, Ctrl+V.
  for (wchar_t c : std::wstring(L"0123456789\b\r\x1B\t\x16")) EXPECT_FALSE(DrawsDigitsNotice(c)) << int(c);
}

TEST(FireValuesTest, ConfirmRefusesAnIntervalOfFourOrLess) {
  for (const wchar_t* first : {L"4", L"0", L"", L"-9", L"abc"}) {
    const FireConfirmation c = ConfirmFire(first, L"3", L"Rapid fire");
    EXPECT_FALSE(c.record) << testing::PrintToString(std::wstring(first));
    EXPECT_EQ(c.refusalText, kTextRapidFireIntervalRange);
  }
  struct Case {
    const wchar_t* first;
    const wchar_t* second;
    ThreeBytes value;
  };
  const Case cases[] = {
      {L"5", L"0", {0x30, 0x05, 0x00}},
      {L"50", L"3", {0x30, 0x32, 0x03}},
      // Confirmed before the regular check has cut the boxes: sent as 255, never wrapped.
      {L"300", L"256", {0x30, 0xFF, 0xFF}},
      {L"255", L"", {0x30, 0xFF, 0x00}},
  };
  for (const Case& c : cases) {
    const FireConfirmation confirmed = ConfirmFire(c.first, c.second, L"Rapid fire");
    ASSERT_TRUE(confirmed.record) << testing::PrintToString(std::wstring(c.first));
    EXPECT_EQ(*confirmed.record, (SelectionRecord{L"Rapid fire", c.value}));
  }
}

}  // namespace
}  // namespace gm
