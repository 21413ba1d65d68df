#include "assign/fire_values.h"

#include <algorithm>

#include "settings/language_indexes.h"

namespace gm {
namespace {

constexpr std::uint8_t kRapidFireType = 0x30;
// Any value past this reads as this: far above 255, far below the int range.
constexpr int kSaturation = 1'000'000;

std::uint8_t FireByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, kFireValueMax)); }

}  // namespace

int FireValueOf(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == L' ') ++i;
  int value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    value = std::min(kSaturation, value * 10 + (text[i] - L'0'));
  return value;
}

bool ClampFireText(std::wstring& text) {
  if (FireValueOf(text) <= kFireValueMax) return false;
  text = std::to_wstring(kFireValueMax);
  return true;
}

bool DrawsDigitsNotice(wchar_t typed) {
  constexpr wchar_t kFirstPrintable = L' ';
  return typed >= kFirstPrintable && typed != 0x7F && !(typed >= L'0' && typed <= L'9');
}

FireConfirmation ConfirmFire(std::wstring_view first, std::wstring_view second, std::wstring name) {
  const int interval = FireValueOf(first);
  if (interval <= kFireFirstRefusedUpTo) return {std::nullopt, kTextRapidFireIntervalRange};
  return {SelectionRecord{std::move(name), {kRapidFireType, FireByte(interval), FireByte(FireValueOf(second))}},
          -1};
}

}  // namespace gm
