#pragma once
// The rapid-fire dialog's two values, apart from its window: how a box's text reads as a number,
// when a box is cut back to 255, which characters draw the digits-only notice, and what a
// confirm sends or why it is refused. Portable: no windows.h.
#include <optional>
#include <string>
#include <string_view>

#include "assign/function_menus.h"

namespace gm {

inline constexpr int kFireValueMax = 255;
// The first value (the interval) must be above this.
inline constexpr int kFireFirstRefusedUpTo = 4;
inline constexpr const wchar_t* kFireFirstStart = L"50";
inline constexpr const wchar_t* kFireSecondStart = L"0";

// The number a box holds: its leading decimal digits (after spaces), 0 when it starts with
// anything else ("-5" and "" read as 0). Large numbers stay large (saturating, never wrapping).
int FireValueOf(std::wstring_view text);

// The regular check of a box: when its value is above 255 the text becomes "255" and true is
// returned (the dialog then shows the box's range notice).
bool ClampFireText(std::wstring& text);

// Whether a typed character draws the digits-only notice: any character but the digits 0..9 and
// Backspace. Control characters (Enter, Escape, Tab, Ctrl+V...) are keys, not typed characters.
// The character reaches the box either way.
bool DrawsDigitsNotice(wchar_t typed);

// Confirm: the record (`name`, the rapid-fire text, with 30 <first> <second>) or, for a first
// value of 4 or less, the language text of the refusal. Values above 255 are sent as 255.
struct FireConfirmation {
  std::optional<SelectionRecord> record;
  int refusalText = -1;
};
FireConfirmation ConfirmFire(std::wstring_view first, std::wstring_view second, std::wstring name);

}  // namespace gm
