#pragma once
// One macro: the 4-byte action word and the macro record that holds up to 250 of them.
// The same record is owned by a library item and, as a copy, by every button given the macro.
#include <array>
#include <cstdint>
#include <string>

namespace gm {

// One step of a macro. Byte 0 is the least significant byte of `word`; files write bytes 0..3.
//   byte 0 < 0x08           delay, bytes 1..3 a big-endian count of milliseconds
//   0x08..0xDF, 0xE8..0xFF  key event (virtual-key code), byte 1 0x80 release / 0x00 press
//   0xE0..0xE4              mouse button (left, right, middle, fourth, fifth), byte 1 as above
//   0xE5 / 0xE6             horizontal / vertical move, byte 3 signed amount
//   0xE7                    wheel, byte 3 signed amount (positive = up)
struct MacroAction {
  std::uint32_t word = 0;

  static constexpr std::uint8_t kDelayCode = 0x03;  // byte 0 the program writes for a delay
  static constexpr std::uint8_t kMouseLeft = 0xE0;
  static constexpr std::uint8_t kMouseRight = 0xE1;
  static constexpr std::uint8_t kMouseMiddle = 0xE2;
  static constexpr std::uint8_t kMoveX = 0xE5;
  static constexpr std::uint8_t kMoveY = 0xE6;
  static constexpr std::uint8_t kWheel = 0xE7;
  static constexpr std::uint8_t kReleaseFlag = 0x80;  // in byte 1
  static constexpr std::uint32_t kMaxDelay = 0xFFFFFF;

  static constexpr MacroAction FromBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
                                         std::uint8_t b3) {
    return {static_cast<std::uint32_t>(b0) | static_cast<std::uint32_t>(b1) << 8 |
            static_cast<std::uint32_t>(b2) << 16 | static_cast<std::uint32_t>(b3) << 24};
  }
  // A delay of `ms` milliseconds (limited to the 24 bits the action holds).
  static constexpr MacroAction Delay(std::uint32_t ms) {
    if (ms > kMaxDelay) ms = kMaxDelay;
    return FromBytes(kDelayCode, static_cast<std::uint8_t>(ms >> 16),
                     static_cast<std::uint8_t>(ms >> 8), static_cast<std::uint8_t>(ms));
  }
  // A key or mouse-button press or release.
  static constexpr MacroAction Event(std::uint8_t code, bool release) {
    return FromBytes(code, release ? kReleaseFlag : 0, 0, 0);
  }

  constexpr std::uint8_t Byte(int i) const { return static_cast<std::uint8_t>(word >> (8 * i)); }
  constexpr std::uint8_t Code() const { return Byte(0); }
  constexpr bool IsDelay() const { return Code() < 0x08; }
  // Every action that is not a delay counts against the 125-command limit.
  constexpr bool IsCommand() const { return !IsDelay(); }
  constexpr bool IsRelease() const { return (Byte(1) & kReleaseFlag) != 0; }
  constexpr std::uint32_t DelayMs() const {
    return static_cast<std::uint32_t>(Byte(1)) << 16 | static_cast<std::uint32_t>(Byte(2)) << 8 |
           Byte(3);
  }
  // Signed amount of a move or wheel action (byte 3).
  constexpr int Amount() const { return static_cast<std::int8_t>(Byte(3)); }

  friend constexpr bool operator==(MacroAction, MacroAction) = default;
};

inline constexpr int kMacroActionCapacity = 250;
inline constexpr int kMacroCommandLimit = 125;

// One macro. A new record has the given name, number 0, no actions, loop type 2 (repeat
// `MacroKeyLoopNum` times) and loop count 1.
struct MacroKey {
  std::wstring Name;
  std::uint32_t MacroKeyIndex = 0;  // library-wide number; 0 when the library did not make it
  std::uint32_t MacroActionNum = 0;  // used actions, 0..250
  std::array<MacroAction, kMacroActionCapacity> Actions{};  // free slots hold 0
  std::uint8_t MacroKeyLoopType = 2;  // 1, 2 or 4
  std::uint8_t MacroKeyLoopNum = 1;   // 1..255, for loop type 2
  std::uint8_t MacroCommandActionNum = 0;  // kept by the callers, not by the operations below

  MacroKey() = default;
  explicit MacroKey(std::wstring name) : Name(std::move(name)) {}

  // Replaces action `index`; false for an index beyond 249.
  bool SetAction(int index, MacroAction action);
  // Inserts at `position` (clamped to MacroActionNum, so a larger position appends); false when
  // the macro already holds 250 actions.
  bool InsertAction(int position, MacroAction action);
  // Removes a used action, moving the later ones up and zeroing the freed slot; false for an
  // index at or beyond MacroActionNum.
  bool RemoveAction(int index);
  // Action `index`; a zero action for an index outside the 250 slots.
  MacroAction GetAction(int index) const;
  // Copies everything except MacroKeyIndex.
  void CopyContentFrom(const MacroKey& other);

  friend bool operator==(const MacroKey&, const MacroKey&) = default;
};

}  // namespace gm
