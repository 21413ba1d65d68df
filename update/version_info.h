#pragma once
// The version file of the update server and the decision it leads to.
//
// The server's "VersionInfo.txt" is a wide text file (FF FE, UTF-16 little-endian) whose first
// line is the newest version, three decimal numbers separated by dots ("2.1.7"). A plausible file
// is 1 to 19 bytes long; anything longer is taken for an error page.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gm {

// The program's own version as the main window shows it after its version label.
inline constexpr std::wstring_view kProgramVersion = L":2.1.6";

// Bounds of a plausible version file, in bytes.
inline constexpr std::size_t kVersionFileMinBytes = 1;
inline constexpr std::size_t kVersionFileMaxBytes = 19;

struct Version {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t patch = 0;
  auto operator<=>(const Version&) const = default;
};

// Reads a version text: split at its first and at its last dot, each of the three parts read as
// the decimal number of its leading digits (0 when it has none; numbers too large for 32 bits
// stay at the largest value). No value when the text has fewer than two dots.
std::optional<Version> ParseVersion(std::wstring_view text);

// True when `text` is exactly three runs of decimal digits separated by two dots.
bool IsCleanVersionText(std::wstring_view text);

// True when the server's version is the same as or later than the program's. The program version
// carries a leading colon (kProgramVersion), which is dropped. Versions are ordered as a whole
// (major first), so 3.0.0 is later than 2.1.6. False when either text is not a version.
bool VersionAtLeast(std::wstring_view programVersion, std::wstring_view serverVersion);

// The first line of a stored version file (the bytes as the server sent them), read the way every
// wide text file is read. No value when the file has no line.
std::optional<std::wstring> ReadVersionLine(std::string_view fileBytes);

// What the update check makes of the server's version line.
enum class UpdateDecision {
  Newer,       // the server offers a later version: offer the download
  Same,        // the program is up to date
  Older,       // the server names an earlier version: the program counts as up to date
  Unreadable,  // the line is not a version: the check failed
};

struct VersionVerdict {
  UpdateDecision decision = UpdateDecision::Unreadable;
  // The server's version text (the line without a trailing carriage return) when it is clean; it
  // names the installer file.
  std::wstring version;
};

// Compares the server's version line with the program's version (with its leading colon).
// A carriage return at the end of the line (a file saved with CR LF line ends) is ignored. Only a
// clean version text is trusted, since it becomes part of the installer's address.
VersionVerdict DecideUpdate(std::wstring_view programVersion, std::wstring_view serverLine);

}  // namespace gm
