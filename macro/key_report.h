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

// The code reported for a key the system names with `virtualKey`: Shift, Ctrl and Alt become
// their left or right codes (0xA0..0xA5; the right Shift has scan code 0x36, right Ctrl and Alt
// are extended keys), the keypad Enter (an extended Enter) becomes 0x0E. Codes outside
// 0x08..0xFE are not keys: 0.
constexpr std::uint32_t ReportedKeyCode(std::uint32_t virtualKey, std::uint32_t scanCode, bool extended) {
  switch (virtualKey) {
    case 0x10: return scanCode == 0x36 ? 0xA1 : 0xA0;
    case 0x11: return extended ? 0xA3 : 0xA2;
    case 0x12: return extended ? 0xA5 : 0xA4;
    case 0x0D: return extended ? 0x0E : 0x0D;
    default: return virtualKey >= 0x08 && virtualKey <= 0xFE ? virtualKey : 0;
  }
}

}  // namespace gm
