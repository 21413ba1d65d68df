#pragma once
// What the macro action editors write into an action, and the character rule of their number
// boxes. The key editor sets byte 0 only; the delay editor writes all four bytes; the amount
// editor writes bytes 0, 2 and 3 and keeps byte 1. Portable: no windows.h.
#include <cstdint>
#include <string>
#include <string_view>

#include "macro/macro_model.h"

namespace gm {

// Typed delays above kDelayEditLimit ms are stored as the mouse's longest delay, the bytes
// 03 E9 76 20 (0xE97620 = 15,300,128 ms: the stored word the device expects at the top, which lies
// 128 ms above the typed limit).
inline constexpr std::uint32_t kDelayEditLimit = 15'300'000;
inline constexpr std::uint32_t kDelayEditCeiling = 0xE97620;

// Whether a character typed into a number box passes without the digits-only notice: 0..9 and
// Backspace. The box takes every character either way.
bool IsDigitEntry(wchar_t c);

// The box's text read as a decimal number: leading blanks, an optional sign, then digits up to
// the first other character; no digits reads as 0. Values far outside the int range saturate.
std::int64_t ReadDecimal(std::wstring_view text);

// The key editor: `action` with byte 0 replaced by the code a key action keeps for the reported
// key `key` (KeyActionCode, macro/key_report.h). A code no key action can hold (a delay's code, or
// a key the system reports under one of the macro's mouse codes that has no key code of its own)
// leaves `action` as it is: a key typed never turns an action into a delay or a mouse action.
MacroAction WithKey(MacroAction action, std::uint32_t key);

// The delay editor's start text: the delay's milliseconds in decimal.
std::wstring DelayEditText(MacroAction action);
// The delay editor's result for the typed text: 0x03 and the milliseconds most significant byte
// first; a value above kDelayEditLimit becomes kDelayEditCeiling, a negative one 0.
MacroAction DelayFromText(std::wstring_view text);

// The insert codes of the amount editor: 5 left, 6 right, 7 up, 8 down, 9 wheel up, 10 wheel down.
inline constexpr int kAmountCodeFirst = 5;
inline constexpr int kAmountCodeLast = 10;
bool IsAmountCode(int code);
// The language text of the amount editor's label for `code` (222 + code - 5).
int AmountLabelText(int code);
// The amount editor's start text: the magnitude of the signed byte 3.
std::wstring AmountEditText(MacroAction action);
// The amount editor's result for `code` (5..10) and the typed text: the number limited to 1..127
// for moves and 1..7 for the wheel; byte 0 E5 (5, 6), E6 (7, 8) or E7 (9, 10); byte 2 = 0; byte 3
// the amount, negative for left, up and wheel down; byte 1 kept. An unknown code returns `action`.
MacroAction AmountFromText(int code, std::wstring_view text, MacroAction action);

}  // namespace gm
