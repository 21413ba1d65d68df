#pragma once
// The key report the keyboard hook library sends, and the stamp the recorder shares with it.
// Message msg::kKeyReport (ui/program_messages.h): wParam the virtual-key code, lParam bits 0..30 the millisecond tick
// count of the event, bit 31 set for a release.
#include <cstdint>

namespace gm {

inline constexpr std::uint32_t kStampReleaseBit = 0x80000000u;
inline constexpr std::uint32_t kStampTickMask = 0x7FFFFFFFu;

constexpr std::uint32_t KeyReportStamp(std::uint32_t tickCount, bool release) {
  return (tickCount & kStampTickMask) | (release ? kStampReleaseBit : 0u);
}

constexpr bool StampIsRelease(std::uint32_t stamp) { return (stamp & kStampReleaseBit) != 0; }

// The code a key action keeps for a key reported as `code`, or 0 when no key action can hold it.
// Byte 0 of a macro action is the key's virtual-key code, except that 0xE0..0xE7 there mean the
// mouse's buttons, pointer moves and wheel steps, and codes below 0x08 a delay. The system has keys
// under 0xE0..0xE7 too: the "<>|" key of European keyboards (VK_OEM_102, 0xE2) is kept under the
// private code 0xF3, whose usage 0x64 (the non-US key beside left Shift) is the key's own; the
// others there (a reserved code, OEM keys, the input method's VK_PROCESSKEY 0xE5, VK_PACKET's
// injected characters 0xE7) name no key the mouse can replay: 0, never a mouse action.
inline constexpr std::uint32_t kVkOem102 = 0xE2;
inline constexpr std::uint8_t kNonUsBackslashKey = 0xF3;
constexpr std::uint8_t KeyActionCode(std::uint32_t code) {
  if (code < 0x08 || code > 0xFF) return 0;
  if (code == kVkOem102) return kNonUsBackslashKey;
  if (code >= 0xE0 && code <= 0xE7) return 0;
  return static_cast<std::uint8_t>(code);
}

// The code reported for a key the system names with `virtualKey`: Shift, Ctrl and Alt become
// their left or right codes (0xA0..0xA5; the right Shift has scan code 0x36, right Ctrl and Alt
// are extended keys), the keypad Enter (an extended Enter) becomes 0x0E, and a key under one of
// the macro's mouse codes is reported as KeyActionCode gives it. Codes outside 0x08..0xFE are not
// keys: 0.
constexpr std::uint32_t ReportedKeyCode(std::uint32_t virtualKey, std::uint32_t scanCode, bool extended) {
  switch (virtualKey) {
    case 0x10: return scanCode == 0x36 ? 0xA1 : 0xA0;
    case 0x11: return extended ? 0xA3 : 0xA2;
    case 0x12: return extended ? 0xA5 : 0xA4;
    case 0x0D: return extended ? 0x0E : 0x0D;
    default: return virtualKey >= 0x08 && virtualKey <= 0xFE ? KeyActionCode(virtualKey) : 0;
  }
}

}  // namespace gm
