#include "assign/key_tables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace gm {
namespace {

TEST(KeyNames, NamedCodesAndRuns) {
  struct Case {
    std::uint8_t code;
    const wchar_t* name;
  };
  const Case cases[] = {
      {0x01, L"LBUTTON"},     {0x06, L"XBUTTON2"},   {0x08, L"Backspace"},  {0x0D, L"Enter"},
      {0x0E, L"Undefined"},   {0x10, L"Shift"},      {0x17, L"junja"},      {0x1F, L"ModeChange"},
      {0x20, L"Space"},       {0x2C, L"Print Screen"}, {0x30, L"0"},        {0x39, L"9"},
      {0x3A, L"Undefined"},   {0x41, L"A"},          {0x5A, L"Z"},          {0x5E, L"Undefined"},
      {0x5F, L"Sleep"},       {0x60, L"Num0"},       {0x69, L"Num9"},       {0x70, L"F1"},
      {0x7B, L"F12"},         {0x87, L"F24"},        {0x88, L"Undefined"},  {0x90, L"Num Lock"},
      {0xA5, L"Alt_R"},       {0xBC, L","},          {0xC0, L"~"},          {0xDC, L"\\"},
      {0xDE, L"'"},           {0xE0, L"L Key"},      {0xE4, L"K5"},         {0xE7, L"Mouse Wheel"},
      {0xE8, L"Undefined"},   {0xF0, L"Undefined"},  {0xFF, L"Undefined"},  {0x00, L"Undefined"},
  };
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyName(c.code), c.name) << std::hex << int(c.code);
}

TEST(KeyNames, ExactlyTheListedCodesAreDefined) {
  const auto& names = VirtualKeyNames();
  const auto defined = std::count_if(names.begin(), names.end(),
                                     [](std::wstring_view n) { return n != L"Undefined"; });
  EXPECT_EQ(defined, 147);
  EXPECT_EQ(VirtualKeyName(0xBC).size(), 1u);
}

TEST(KeyUsages, StandardRowsAndPrivateRows) {
  struct Case {
    std::uint8_t code;
    std::uint8_t usage;
  };
  const Case cases[] = {
      {0x41, 0x04}, {0x5A, 0x1D}, {0x31, 0x1E}, {0x39, 0x26}, {0x30, 0x27}, {0x0D, 0x28},
      {0x1B, 0x29}, {0x20, 0x2C}, {0xBD, 0x2D}, {0xDC, 0x31}, {0xBA, 0x33}, {0xBF, 0x38},
      {0x14, 0x39}, {0x70, 0x3A}, {0x7B, 0x45}, {0x2C, 0x46}, {0x13, 0x48}, {0x2D, 0x49},
      {0x22, 0x4E}, {0x27, 0x4F}, {0x26, 0x52}, {0x90, 0x53}, {0x6B, 0x57}, {0x61, 0x59},
      {0x69, 0x61}, {0x60, 0x62}, {0x6E, 0x63}, {0x5D, 0x65}, {0xA2, 0xE0}, {0x5B, 0xE3},
      {0xA3, 0xE4}, {0xA5, 0xE6}, {0x5C, 0xE7},
      // Rows that do not follow from the HID tables.
      {0x0E, 0x58}, {0x3B, 0x29}, {0x5F, 0x82}, {0xE0, 0xF0}, {0xE7, 0xF7}, {0xF0, 0x81},
      {0xF1, 0x83}, {0xF2, 0x32}, {0xF3, 0x64}, {0xF4, 0x85}, {0xF5, 0x87}, {0xF6, 0x88},
      {0xF7, 0x89}, {0xF8, 0x8A}, {0xF9, 0x8B}, {0xFA, 0x90}, {0xFB, 0x91},
      // Keys without a usage.
      {0x01, 0}, {0x07, 0}, {0x0C, 0}, {0x10, 0}, {0x11, 0}, {0x12, 0}, {0x15, 0}, {0x1F, 0},
      {0x29, 0}, {0x2F, 0}, {0x6C, 0}, {0x7C, 0}, {0x87, 0}, {0xFC, 0}, {0xFF, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyUsage(c.code), c.usage) << std::hex << int(c.code);
}

TEST(KeyUsages, EveryUnlistedCodeIsZero) {
  const auto& usages = VirtualKeyToUsage();
  EXPECT_EQ(std::count_if(usages.begin(), usages.end(), [](std::uint8_t u) { return u != 0; }), 126);
  for (int code = 0x7C; code <= 0x87; ++code) EXPECT_EQ(usages[code], 0) << code;
}

TEST(ComboText, ModifiersInFixedOrderAndTrailingPlusDropped) {
  EXPECT_EQ(ComboText(kModifierCtrl | kModifierAlt, L"S"), L"Ctrl+Alt+S");
  EXPECT_EQ(ComboText(kModifierShift, L""), L"Shift");
  EXPECT_EQ(ComboText(0x0F, L"Del"), L"Ctrl+Shift+Alt+Win+Del");
  EXPECT_EQ(ComboText(kModifierWin | kModifierCtrl, L""), L"Ctrl+Win");
  EXPECT_EQ(ComboText(0, L"F5"), L"F5");
  EXPECT_EQ(ComboText(0, L""), L"");
  EXPECT_EQ(ComboText(0xF0, L"A"), L"A");  // right-side bits are not shown
}

}  // namespace
}  // namespace gm
