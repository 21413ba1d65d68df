#include "update/version_info.h"

#include <limits>

#include "settings/text_file.h"

namespace gm {
namespace {

// The decimal number of the text's leading digits; 0 when there are none. Saturates instead of
// wrapping, so a huge number never reads as a small one.
std::uint32_t LeadingNumber(std::wstring_view text) {
  constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint32_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    const std::uint32_t digit = static_cast<std::uint32_t>(c - L'0');
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return value;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::optional<Version> ParseVersion(std::wstring_view text) {
  const size_t first = text.find(L'.');
  const size_t last = text.rfind(L'.');
  if (first == std::wstring_view::npos || first == last) return std::nullopt;
  Version v;
  v.major = LeadingNumber(text.substr(0, first));
  v.minor = LeadingNumber(text.substr(first + 1, last - first - 1));
  v.patch = LeadingNumber(text.substr(last + 1));
  return v;
}

bool IsCleanVersionText(std::wstring_view text) {
  int dots = 0;
  bool digitSeen = false;  // in the current part
  for (wchar_t c : text) {
    if (IsDigit(c)) {
      digitSeen = true;
    } else if (c == L'.' && digitSeen && dots < 2) {
      ++dots;
      digitSeen = false;
    } else {
      return false;
    }
  }
  return dots == 2 && digitSeen;
}

bool VersionAtLeast(std::wstring_view programVersion, std::wstring_view serverVersion) {
  if (!programVersion.empty()) programVersion.remove_prefix(1);
  const auto program = ParseVersion(programVersion);
  const auto server = ParseVersion(serverVersion);
  return program && server && *server >= *program;
}

std::optional<std::wstring> ReadVersionLine(std::string_view fileBytes) {
  CStdioFileEx file;
  if (!file.OpenBytes(std::string(fileBytes), kOpenForReading)) return std::nullopt;
  std::wstring line;
  if (!file.ReadString(line)) return std::nullopt;
  return line;
}

VersionVerdict DecideUpdate(std::wstring_view programVersion, std::wstring_view serverLine) {
  if (!serverLine.empty() && serverLine.back() == L'\r') serverLine.remove_suffix(1);
  VersionVerdict verdict;
  if (!programVersion.empty()) programVersion.remove_prefix(1);
  const auto program = ParseVersion(programVersion);
  if (!program || !IsCleanVersionText(serverLine)) return verdict;
  const Version server = *ParseVersion(serverLine);
  verdict.version = std::wstring(serverLine);
  if (server > *program) {
    verdict.decision = UpdateDecision::Newer;
  } else if (server == *program) {
    verdict.decision = UpdateDecision::Same;
  } else {
    verdict.decision = UpdateDecision::Older;
  }
  return verdict;
}

}  // namespace gm
