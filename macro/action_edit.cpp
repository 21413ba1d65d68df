#include "macro/action_edit.h"

#include <algorithm>
#include <cstdlib>

#include "macro/key_report.h"

namespace gm {
namespace {

// Far beyond every limit the editors apply, and small enough never to overflow while reading.
constexpr std::int64_t kReadCeiling = 1'000'000'000'000;

struct AmountRule {
  std::uint8_t code;  // byte 0
  int sign;           // of byte 3
  int limit;          // the largest amount
};

// Codes 5..10 in order.
constexpr AmountRule kAmountRules[] = {
    {MacroAction::kMoveX, -1, 127}, {MacroAction::kMoveX, +1, 127},  // left, right
    {MacroAction::kMoveY, -1, 127}, {MacroAction::kMoveY, +1, 127},  // up, down
    {MacroAction::kWheel, +1, 7},   {MacroAction::kWheel, -1, 7},    // wheel up, wheel down
};

constexpr int kAmountLabelFirst = 222;

std::uint8_t ByteOf(std::int64_t v, int shift) { return static_cast<std::uint8_t>(v >> shift); }

}  // namespace

bool IsDigitEntry(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'\b'; }

std::int64_t ReadDecimal(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    value = std::min(kReadCeiling, value * 10 + (text[i] - L'0'));
  return negative ? -value : value;
}

MacroAction WithKey(MacroAction action, std::uint32_t key) {
  const std::uint8_t code = KeyActionCode(key);
  if (code == 0) return action;
  return MacroAction::FromBytes(code, action.Byte(1), action.Byte(2), action.Byte(3));
}

std::wstring DelayEditText(MacroAction action) { return std::to_wstring(action.DelayMs()); }

MacroAction DelayFromText(std::wstring_view text) {
  const std::int64_t typed = ReadDecimal(text);
  const std::int64_t ms = typed > kDelayEditLimit ? kDelayEditCeiling : std::max<std::int64_t>(typed, 0);
  return MacroAction::FromBytes(MacroAction::kDelayCode, ByteOf(ms, 16), ByteOf(ms, 8), ByteOf(ms, 0));
}

bool IsAmountCode(int code) { return code >= kAmountCodeFirst && code <= kAmountCodeLast; }

int AmountLabelText(int code) { return kAmountLabelFirst + code - kAmountCodeFirst; }

std::wstring AmountEditText(MacroAction action) { return std::to_wstring(std::abs(action.Amount())); }

MacroAction AmountFromText(int code, std::wstring_view text, MacroAction action) {
  if (!IsAmountCode(code)) return action;
  const AmountRule& rule = kAmountRules[code - kAmountCodeFirst];
  const std::int64_t amount = rule.sign * std::clamp<std::int64_t>(ReadDecimal(text), 1, rule.limit);
  return MacroAction::FromBytes(rule.code, action.Byte(1), 0, static_cast<std::uint8_t>(amount & 0xFF));
}

}  // namespace gm
