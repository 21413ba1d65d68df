#include "assign/key_tables.h"

#include <utility>

namespace gm {
namespace {

struct NamedKey {
  std::uint8_t code;
  std::wstring_view name;
};

// Every named code outside the digit, letter, keypad-digit and function-key runs.
constexpr NamedKey kNamedKeys[] = {
    {0x01, L"LBUTTON"},    {0x02, L"RBUTTON"},      {0x03, L"CANCEL"},       {0x04, L"MBUTTON"},
    {0x05, L"XBUTTON1"},   {0x06, L"XBUTTON2"},     {0x08, L"Backspace"},    {0x09, L"Tab"},
    {0x0C, L"Clear"},      {0x0D, L"Enter"},        {0x10, L"Shift"},        {0x11, L"Ctrl"},
    {0x12, L"Alt"},        {0x13, L"Pause"},        {0x14, L"CapsLock"},     {0x15, L"Kana"},
    {0x17, L"junja"},      {0x18, L"Final"},        {0x19, L"Hanja"},        {0x1B, L"Esc"},
    {0x1C, L"Convert"},    {0x1D, L"Nonconvert"},   {0x1E, L"Accept"},       {0x1F, L"ModeChange"},
    {0x20, L"Space"},      {0x21, L"Page Up"},      {0x22, L"Page Down"},    {0x23, L"End"},
    {0x24, L"Home"},       {0x25, L"Left Arrow"},   {0x26, L"Up Arrow"},     {0x27, L"Right Arrow"},
    {0x28, L"Down Arrow"}, {0x29, L"Select"},       {0x2A, L"Print"},        {0x2B, L"Execute"},
    {0x2C, L"Print Screen"}, {0x2D, L"Ins"},        {0x2E, L"Del"},          {0x2F, L"Help"},
    {0x5B, L"Win_L"},      {0x5C, L"Win_R"},        {0x5D, L"App"},          {0x5F, L"Sleep"},
    {0x6A, L"Multiply"},   {0x6B, L"Add"},          {0x6C, L"Separator"},    {0x6D, L"Subtract"},
    {0x6E, L"Decimal"},    {0x6F, L"Divide"},       {0x90, L"Num Lock"},     {0x91, L"Scroll Lock"},
    {0xA0, L"Shift_L"},    {0xA1, L"Shift_R"},      {0xA2, L"Ctrl_L"},       {0xA3, L"Ctrl_R"},
    {0xA4, L"Alt_L"},      {0xA5, L"Alt_R"},        {0xBA, L";"},            {0xBB, L"="},
    {0xBC, L","},          {0xBD, L"-"},            {0xBE, L"."},            {0xBF, L"/"},
    {0xC0, L"~"},          {0xDB, L"["},            {0xDC, L"\\"},           {0xDD, L"]"},
    {0xDE, L"'"},          {0xE0, L"L Key"},        {0xE1, L"R Key"},        {0xE2, L"M Key"},
    {0xE3, L"K4"},         {0xE4, L"K5"},           {0xE5, L"Mouse X"},      {0xE6, L"Mouse Y"},
    {0xE7, L"Mouse Wheel"},
};

// The runs: one name per code, "0".."9", "A".."Z", "Num0".."Num9", "F1".."F24".
constexpr std::wstring_view kDigits[] = {L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"};
constexpr std::wstring_view kLetters[] = {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I",
                                          L"J", L"K", L"L", L"M", L"N", L"O", L"P", L"Q", L"R",
                                          L"S", L"T", L"U", L"V", L"W", L"X", L"Y", L"Z"};
constexpr std::wstring_view kKeypad[] = {L"Num0", L"Num1", L"Num2", L"Num3", L"Num4",
                                         L"Num5", L"Num6", L"Num7", L"Num8", L"Num9"};
constexpr std::wstring_view kFunctionKeys[] = {
    L"F1",  L"F2",  L"F3",  L"F4",  L"F5",  L"F6",  L"F7",  L"F8",  L"F9",  L"F10", L"F11", L"F12",
    L"F13", L"F14", L"F15", L"F16", L"F17", L"F18", L"F19", L"F20", L"F21", L"F22", L"F23", L"F24"};

constexpr std::array<std::wstring_view, 256> BuildNames() {
  std::array<std::wstring_view, 256> names{};
  for (auto& n : names) n = L"Undefined";
  for (const auto& k : kNamedKeys) names[k.code] = k.name;
  for (int i = 0; i < 10; ++i) names[0x30 + i] = kDigits[i];
  for (int i = 0; i < 26; ++i) names[0x41 + i] = kLetters[i];
  for (int i = 0; i < 10; ++i) names[0x60 + i] = kKeypad[i];
  for (int i = 0; i < 24; ++i) names[0x70 + i] = kFunctionKeys[i];
  return names;
}

// (virtual-key code, usage) pairs outside the runs below, including the rows that do not follow
// from the HID tables: keypad Enter reported as 0x0E, 0x3B as a second Esc, the macro mouse codes
// and the private codes 0xF0..0xFB for keys without an ordinary virtual-key code.
constexpr std::pair<std::uint8_t, std::uint8_t> kUsagePairs[] = {
    {0x30, 0x27}, {0x0D, 0x28}, {0x1B, 0x29}, {0x08, 0x2A}, {0x09, 0x2B}, {0x20, 0x2C},
    {0xBD, 0x2D}, {0xBB, 0x2E}, {0xDB, 0x2F}, {0xDD, 0x30}, {0xDC, 0x31},
    {0xBA, 0x33}, {0xDE, 0x34}, {0xC0, 0x35}, {0xBC, 0x36}, {0xBE, 0x37}, {0xBF, 0x38},
    {0x14, 0x39},
    {0x2C, 0x46}, {0x91, 0x47}, {0x13, 0x48},
    {0x2D, 0x49}, {0x24, 0x4A}, {0x21, 0x4B}, {0x2E, 0x4C}, {0x23, 0x4D}, {0x22, 0x4E},
    {0x27, 0x4F}, {0x25, 0x50}, {0x28, 0x51}, {0x26, 0x52},
    {0x90, 0x53}, {0x6F, 0x54}, {0x6A, 0x55}, {0x6D, 0x56}, {0x6B, 0x57},
    {0x60, 0x62}, {0x6E, 0x63},
    {0x5D, 0x65},
    {0xA2, 0xE0}, {0xA0, 0xE1}, {0xA4, 0xE2}, {0x5B, 0xE3},
    {0xA3, 0xE4}, {0xA1, 0xE5}, {0xA5, 0xE6}, {0x5C, 0xE7},
    {0x0E, 0x58}, {0x3B, 0x29}, {0x5F, 0x82},
    {0xF0, 0x81}, {0xF1, 0x83}, {0xF2, 0x32}, {0xF3, 0x64}, {0xF4, 0x85}, {0xF5, 0x87},
    {0xF6, 0x88}, {0xF7, 0x89}, {0xF8, 0x8A}, {0xF9, 0x8B}, {0xFA, 0x90}, {0xFB, 0x91},
};

constexpr std::array<std::uint8_t, 256> BuildUsages() {
  std::array<std::uint8_t, 256> usage{};
  for (int i = 0; i < 26; ++i) usage[0x41 + i] = static_cast<std::uint8_t>(0x04 + i);  // A..Z
  for (int i = 0; i < 9; ++i) usage[0x31 + i] = static_cast<std::uint8_t>(0x1E + i);   // 1..9
  for (int i = 0; i < 12; ++i) usage[0x70 + i] = static_cast<std::uint8_t>(0x3A + i);  // F1..F12
  for (int i = 0; i < 9; ++i) usage[0x61 + i] = static_cast<std::uint8_t>(0x59 + i);   // Num1..Num9
  for (int i = 0; i < 8; ++i) usage[0xE0 + i] = static_cast<std::uint8_t>(0xF0 + i);   // macro mouse
  for (const auto& [code, u] : kUsagePairs) usage[code] = u;
  return usage;
}

constexpr std::array<std::wstring_view, 256> kNames = BuildNames();
constexpr std::array<std::uint8_t, 256> kUsages = BuildUsages();

}  // namespace

const std::array<std::wstring_view, 256>& VirtualKeyNames() { return kNames; }
const std::array<std::uint8_t, 256>& VirtualKeyToUsage() { return kUsages; }

std::wstring_view VirtualKeyName(std::uint8_t code) { return kNames[code]; }
std::uint8_t VirtualKeyUsage(std::uint8_t code) { return kUsages[code]; }

std::wstring ComboText(std::uint8_t modifiers, std::wstring_view keyName) {
  std::wstring text;
  if (modifiers & kModifierCtrl) text += L"Ctrl+";
  if (modifiers & kModifierShift) text += L"Shift+";
  if (modifiers & kModifierAlt) text += L"Alt+";
  if (modifiers & kModifierWin) text += L"Win+";
  text += keyName;
  if (!text.empty() && text.back() == L'+') text.pop_back();
  return text;
}

}  // namespace gm
