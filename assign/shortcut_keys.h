#pragma once
// What the key combination dialog decides, apart from its window: which reported key becomes the
// chosen key, the modifier byte from its check boxes and the selection record it sends. Portable:
// no windows.h.
#include <cstdint>
#include <optional>
#include <string>

#include "assign/function_menus.h"

namespace gm {

// The key a combination is built on: its display name and HID keyboard usage (0 when the mouse
// cannot send it, as for F13..F24).
struct ChosenKey {
  std::wstring name;
  std::uint8_t usage = 0;
  friend bool operator==(const ChosenKey&, const ChosenKey&) = default;
};

// The key that a keyboard hook report of virtual-key `code` chooses, or nothing: the Windows keys
// and the side-specific Shift, Ctrl and Alt are chosen with the check boxes, never as the key, and
// a code outside 0..255 is no key at all.
std::optional<ChosenKey> KeyOfReport(unsigned code);

// The dialog's check boxes.
struct ModifierChecks {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool win = false;
  bool none = false;  // the no-modifier box: the four others count for nothing
};

// The modifier byte of the checked boxes (Ctrl bit 0, Shift bit 1, Alt bit 2, Win bit 3).
std::uint8_t ModifierByte(const ModifierChecks& checks);

// What the dialog sends on confirm: the combination text with 70 <modifiers> <usage>, or nothing
// when neither a key nor a modifier was chosen.
std::optional<SelectionRecord> ShortcutResult(std::uint8_t modifiers, const ChosenKey& key);

}  // namespace gm
