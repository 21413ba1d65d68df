#include "assign/shortcut_keys.h"

#include "assign/key_tables.h"

namespace gm {
namespace {

constexpr std::uint8_t kKeyCombinationType = 0x70;

bool IsModifierKey(unsigned code) {
  constexpr unsigned kWinLeft = 0x5B, kWinRight = 0x5C;
  constexpr unsigned kShiftLeft = 0xA0, kAltRight = 0xA5;  // Shift, Ctrl, Alt: left and right
  return code == kWinLeft || code == kWinRight || (code >= kShiftLeft && code <= kAltRight);
}

}  // namespace

std::optional<ChosenKey> KeyOfReport(unsigned code) {
  if (code > 0xFF || IsModifierKey(code)) return std::nullopt;
  const auto vk = static_cast<std::uint8_t>(code);
  return ChosenKey{std::wstring(VirtualKeyName(vk)), VirtualKeyUsage(vk)};
}

std::uint8_t ModifierByte(const ModifierChecks& checks) {
  if (checks.none) return 0;
  std::uint8_t byte = 0;
  if (checks.ctrl) byte |= kModifierCtrl;
  if (checks.shift) byte |= kModifierShift;
  if (checks.alt) byte |= kModifierAlt;
  if (checks.win) byte |= kModifierWin;
  return byte;
}

std::optional<SelectionRecord> ShortcutResult(std::uint8_t modifiers, const ChosenKey& key) {
  std::wstring text = ComboText(modifiers, key.name);
  if (text.empty()) return std::nullopt;
  return SelectionRecord{std::move(text), {kKeyCombinationType, modifiers, key.usage}};
}

}  // namespace gm
