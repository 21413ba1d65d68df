#pragma once
// The key report the keyboard hook library sends, and the stamp the recorder shares with it.
// Message 1025 (WM_USER + 1): wParam the virtual-key code, lParam bits 0..30 the millisecond tick
// count of the event, bit 31 set for a release.
#include <cstdint>

namespace gm {

inline constexpr std::uint32_t kKeyReportMessage = 1025;
inline constexpr std::uint32_t kStampReleaseBit = 0x80000000u;
inline constexpr std::uint32_t kStampTickMask = 0x7FFFFFFFu;

constexpr std::uint32_t KeyReportStamp(std::uint32_t tickCount, bool release) {
  return (tickCount & kStampTickMask) | (release ? kStampReleaseBit : 0u);
}

constexpr bool StampIsRelease(std::uint32_t stamp) { return (stamp & kStampReleaseBit) != 0; }

}  // namespace gm
