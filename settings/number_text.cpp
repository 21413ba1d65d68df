#include "settings/number_text.h"

#include <array>

namespace gm {
namespace {

// DigitValue of every character below 128: every number of every settings file is read through
// this table.
constexpr std::array<std::uint8_t, 128> kDigitValues = [] {
  std::array<std::uint8_t, 128> values{};
  for (auto& v : values) v = 99;
  for (int c = 0; c < 10; ++c) values['0' + c] = static_cast<std::uint8_t>(c);
  for (int c = 0; c < 26; ++c) values['a' + c] = values['A' + c] = static_cast<std::uint8_t>(10 + c);
  return values;
}();

bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

struct Parsed {
  bool negative = false;
  bool overflow = false;
  std::uint64_t magnitude = 0;  // saturates just above 2^32
};

Parsed Scan(std::wstring_view text, int base) {
  Parsed p;
  const wchar_t* c = text.data();
  const wchar_t* const end = c + text.size();
  while (c != end && IsSpace(*c)) ++c;
  if (c != end && (*c == L'+' || *c == L'-')) p.negative = *c++ == L'-';
  if (base == 16 && end - c > 2 && c[0] == L'0' && (c[1] == L'x' || c[1] == L'X') && DigitValue(c[2]) < 16) c += 2;
  for (; c != end; ++c) {
    const int d = DigitValue(*c);
    if (d >= base) break;
    p.magnitude = p.magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (p.magnitude > 0xFFFFFFFFull) {
      p.overflow = true;
      p.magnitude = 0x100000000ull;
    }
  }
  return p;
}

}  // namespace

int DigitValue(wchar_t c) {
  const auto code = static_cast<std::uint32_t>(c);
  return code < kDigitValues.size() ? kDigitValues[code] : 99;
}

std::int32_t ParseLong(std::wstring_view text, int base) {
  const Parsed p = Scan(text, base);
  if (p.negative) return p.magnitude > 0x80000000ull ? INT32_MIN : static_cast<std::int32_t>(-static_cast<std::int64_t>(p.magnitude));
  return p.magnitude > 0x7FFFFFFFull ? INT32_MAX : static_cast<std::int32_t>(p.magnitude);
}

std::optional<std::int32_t> ExactDecimal(std::wstring_view text) {
  std::size_t i = (!text.empty() && (text[0] == L'+' || text[0] == L'-')) ? 1 : 0;
  if (i == text.size()) return std::nullopt;
  for (; i < text.size(); ++i)
    if (DigitValue(text[i]) >= 10) return std::nullopt;
  const Parsed p = Scan(text, 10);
  if (p.negative ? p.magnitude > 0x80000000ull : p.magnitude > 0x7FFFFFFFull) return std::nullopt;
  return ParseLong(text, 10);
}

std::uint32_t ParseUnsignedLong(std::wstring_view text, int base) {
  const Parsed p = Scan(text, base);
  if (p.overflow) return 0xFFFFFFFFu;
  const auto value = static_cast<std::uint32_t>(p.magnitude);
  return p.negative ? static_cast<std::uint32_t>(0u - value) : value;
}

std::wstring HexText(std::uint32_t value, int digits) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(out.size()) < digits) out.insert(0, static_cast<size_t>(digits) - out.size(), L'0');
  return out;
}

std::wstring DecimalText(std::int64_t value) { return std::to_wstring(value); }

}  // namespace gm
