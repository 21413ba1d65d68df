#pragma once
// Numbers in the settings files: reading them the way the C library's strtol/strtoul read them on
// the program's platform (32-bit long), and the printf formats the files use.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gm {

// The value of `c` as a digit of a base up to 36 (0-9, then letters of either case from 10), 99
// for any other character: a character is a digit of base b when its value is below b.
int DigitValue(wchar_t c);

// strtol with a 32-bit long: leading white space, an optional sign, for base 16 an optional "0x",
// then the digits of the base; stops at the first other character; 0 when there is no digit;
// saturates at the 32-bit limits.
std::int32_t ParseLong(std::wstring_view text, int base);

// The value of a text that is a whole decimal number and nothing else: an optional sign, then one
// or more digits, within 32 bits. Nullopt for anything else (an empty text, white space, other
// characters, a number out of range), where ParseLong would read what it can.
std::optional<std::int32_t> ExactDecimal(std::wstring_view text);

// strtoul with a 32-bit unsigned long: as ParseLong, a minus sign negates modulo 2^32, and an
// overflow gives 0xFFFFFFFF.
std::uint32_t ParseUnsignedLong(std::wstring_view text, int base);

// "%.<digits>X": upper-case hexadecimal, zero-filled to at least `digits` digits.
std::wstring HexText(std::uint32_t value, int digits);

// "%d" and "%u".
std::wstring DecimalText(std::int64_t value);

}  // namespace gm
