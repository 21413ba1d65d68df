#pragma once
// The two fixed key tables: a display name for every virtual-key code and the HID keyboard usage
// (usage page 0x07) the mouse is given for it, plus the modifier byte of a key combination and
// its display text. Codes 0xE0..0xE7 stand for the mouse events inside macros.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace gm {

// Bits of the modifier byte that accompanies a usage in a key-combination function. They are the
// left-side bits of the HID keyboard modifier byte; the right-side bits 4..7 are never set.
inline constexpr std::uint8_t kModifierCtrl = 0x01;
inline constexpr std::uint8_t kModifierShift = 0x02;
inline constexpr std::uint8_t kModifierAlt = 0x04;
inline constexpr std::uint8_t kModifierWin = 0x08;

// 256 names indexed by virtual-key code; "Undefined" for every code without a name.
const std::array<std::wstring_view, 256>& VirtualKeyNames();

// 256 HID keyboard usages indexed by virtual-key code; 0 when the key has no usage.
const std::array<std::uint8_t, 256>& VirtualKeyToUsage();

std::wstring_view VirtualKeyName(std::uint8_t code);
std::uint8_t VirtualKeyUsage(std::uint8_t code);

// "Ctrl+", "Shift+", "Alt+", "Win+" for the set modifier bits, then the key name; a trailing "+"
// (no key chosen) is dropped: Ctrl|Alt with "S" gives "Ctrl+Alt+S", Shift alone gives "Shift".
std::wstring ComboText(std::uint8_t modifiers, std::wstring_view keyName);

}  // namespace gm
