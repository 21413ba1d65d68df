#include "update/version_info.h"

#include <gtest/gtest.h>

#include <limits>

#include "settings/temp_folder.h"
#include "settings/utf.h"

namespace gm {
namespace {

using test::kBom;
using test::Le;

TEST(ParseVersion, SplitsAtFirstAndLastDotAndReadsLeadingDigits) {
  constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
  const struct {
    const wchar_t* text;
    std::optional<Version> expected;
  } cases[] = {
      {L"2.1.7", Version{2, 1, 7}},
      {L"10.20.30", Version{10, 20, 30}},
      {L"2.1.7\r", Version{2, 1, 7}},
      {L"1.2.3.4", Version{1, 2, 4}},  // the middle part is "2.3"
      {L"x.y.z", Version{0, 0, 0}},
      {L"..", Version{0, 0, 0}},
      {L"3a.4b.5c", Version{3, 4, 5}},
      {L"99999999999.0.1", Version{kMax, 0, 1}},  // saturates, never wraps to a small number
      {L"2.1", std::nullopt},
      {L"216", std::nullopt},
      {L"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseVersion(c.text), c.expected) << ToUtf8(c.text);
}

TEST(VersionAtLeast, OrdersVersionsAsAWholeAfterDroppingTheColon) {
  const struct {
    const wchar_t* server;
    bool expected;
  } cases[] = {
      {L"2.1.6", true},  {L"2.1.7", true},  {L"2.1.10", true}, {L"2.2.0", true},
      {L"3.0.0", true},  {L"2.1.5", false}, {L"2.0.9", false}, {L"1.9.9", false},
      {L"2.1", false},   {L"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VersionAtLeast(kProgramVersion, c.server), c.expected) << ToUtf8(c.server);
  }
}

TEST(DecideUpdate, OnlyALaterCleanVersionIsNewer) {
  using D = UpdateDecision;
  const struct {
    const wchar_t* line;
    D decision;
    const wchar_t* version;
  } cases[] = {
      {L"2.1.7", D::Newer, L"2.1.7"},
      {L"2.1.7\r", D::Newer, L"2.1.7"},  // saved with CR LF line ends
      {L"2.2.0", D::Newer, L"2.2.0"},
      {L"3.0.0", D::Newer, L"3.0.0"},
      {L"2.1.10", D::Newer, L"2.1.10"},  // numbers, not text, are compared
      {L"2.1.6", D::Same, L"2.1.6"},
      {L"2.1.5", D::Older, L"2.1.5"},
      {L"1.10.0", D::Older, L"1.10.0"},
      {L"2.1", D::Unreadable, L""},
      {L"2.1.7.1", D::Unreadable, L""},
      {L"2..7", D::Unreadable, L""},
      {L"2.1.7 ", D::Unreadable, L""},
      {L"2.1.7/../../evil", D::Unreadable, L""},  // would leave the update folder on the server
      {L"<html>", D::Unreadable, L""},
      {L"\n", D::Unreadable, L""},  // an empty first line
      {L"", D::Unreadable, L""},
  };
  for (const auto& c : cases) {
    const VersionVerdict v = DecideUpdate(kProgramVersion, c.line);
    EXPECT_EQ(v.decision, c.decision) << ToUtf8(c.line);
    EXPECT_EQ(v.version, c.version) << ToUtf8(c.line);
  }
}

// Whole version files as the server may send them, from the bytes to the decision.
TEST(VersionFile, BytesToDecision) {
  using D = UpdateDecision;
  const struct {
    const char* name;
    std::string bytes;
    std::optional<std::wstring> line;
    D decision;
  } cases[] = {
      {"bom, line feed", kBom + Le("2.1.7\n"), L"2.1.7", D::Newer},
      {"bom, no line end", kBom + Le("2.1.7"), L"2.1.7", D::Newer},
      {"bom, CR LF", kBom + Le("2.1.7\r\n"), L"2.1.7\r", D::Newer},
      {"second line ignored", kBom + Le("2.1.5\n9.9.9\n"), L"2.1.5", D::Older},
      {"no bom", Le("2.1.6"), L"2.1.6", D::Same},
      {"odd trailing byte", kBom + Le("2.1.7") + "\x0A", L"2.1.7", D::Newer},
      {"empty first line", kBom + Le("\n2.1.7\n"), L"\n", D::Unreadable},
      {"only a bom", kBom, std::nullopt, D::Unreadable},
      {"empty", "", std::nullopt, D::Unreadable},
      // Eight-bit text read as UTF-16 pairs its bytes into other characters (an odd last byte is
      // dropped); a big-endian mark is no mark and stays part of the line.
      {"ascii", "2.1.7", std::wstring{L'\x2e32', L'\x2e31'}, D::Unreadable},
      {"big endian", "\xFE\xFF" + std::string("\0" "2\0.\0" "1\0.\0" "7", 10),
       std::wstring{L'\xFFFE', L'\x3200', L'\x2e00', L'\x3100', L'\x2e00', L'\x3700'}, D::Unreadable},
  };
  for (const auto& c : cases) {
    const auto line = ReadVersionLine(c.bytes);
    EXPECT_EQ(line, c.line) << c.name;
    EXPECT_EQ(DecideUpdate(kProgramVersion, line.value_or(L"")).decision, c.decision) << c.name;
  }
}

}  // namespace
}  // namespace gm
