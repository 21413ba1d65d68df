#include "settings/number_text.h"

#include <gtest/gtest.h>

TEST(NumberText, ParsesLikeTheCLibraryWithA32BitLong) {
  const struct {
    const wchar_t* text;
    int base;
    std::int32_t value;
  } cases[] = {
      {L"42", 10, 42},         {L"  -7x", 10, -7},     {L"+5", 10, 5},         {L"", 10, 0},
      {L"abc", 10, 0},         {L"0x3950", 16, 0x3950}, {L"3950", 16, 0x3950}, {L"0X1f", 16, 0x1F},
      {L"0x", 16, 0},          {L"0x FFF", 16, 0},     {L"ff", 16, 255},       {L"-1", 16, -1},
      {L"99999999999", 10, INT32_MAX}, {L"-99999999999", 10, INT32_MIN}, {L"0xFFFFFFFF", 16, INT32_MAX},
      {L"\t12", 10, 12},       {L"1 2", 10, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(gm::ParseLong(c.text, c.base), c.value) << c.base;
}

TEST(NumberText, UnsignedParsingKeepsTheWholeRange) {
  EXPECT_EQ(gm::ParseUnsignedLong(L"4294967295", 10), 4294967295u);
  EXPECT_EQ(gm::ParseUnsignedLong(L"4294967296", 10), 4294967295u);
  EXPECT_EQ(gm::ParseUnsignedLong(L"-1", 10), 4294967295u);
  EXPECT_EQ(gm::ParseUnsignedLong(L"x", 10), 0u);
}

TEST(NumberText, HexTextIsUpperCaseAndZeroFilled) {
  EXPECT_EQ(gm::HexText(0x3F, 2), L"3F");
  EXPECT_EQ(gm::HexText(0xF, 4), L"000F");
  EXPECT_EQ(gm::HexText(0, 2), L"00");
  EXPECT_EQ(gm::HexText(0x12345, 4), L"12345");
  EXPECT_EQ(gm::DecimalText(-3), L"-3");
}

TEST(NumberText, ExactDecimalTakesOnlyAWholeDecimalNumber) {
  const struct {
    const wchar_t* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {L"5", 5},
      {L"0", 0},
      {L"-3", -3},
      {L"+7", 7},
      {L"007", 7},
      {L"2147483647", INT32_MAX},
      {L"-2147483648", INT32_MIN},
      {L"2147483648", std::nullopt},
      {L"-2147483649", std::nullopt},
      {L"99999999999999999999", std::nullopt},
      {L"", std::nullopt},
      {L"-", std::nullopt},
      {L"+", std::nullopt},
      {L" 5", std::nullopt},
      {L"5 ", std::nullopt},
      {L"5x", std::nullopt},
      {L"abc", std::nullopt},
      {L"0x10", std::nullopt},
      {L"1.5", std::nullopt},
      {L"--1", std::nullopt},
      {L"\u0665", std::nullopt},  // an Arabic-Indic digit five
  };
  for (const auto& c : cases) EXPECT_EQ(gm::ExactDecimal(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
}
