#include "macro/key_report.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

TEST(KeyReport, StampCarriesTickAndRelease) {
  EXPECT_EQ(KeyReportStamp(1234, false), 1234u);
  EXPECT_EQ(KeyReportStamp(1234, true), 0x800004D2u);
  EXPECT_EQ(KeyReportStamp(0xFFFFFFFF, false), 0x7FFFFFFFu);  // the tick keeps 31 bits
  EXPECT_TRUE(StampIsRelease(KeyReportStamp(0, true)));
  EXPECT_FALSE(StampIsRelease(KeyReportStamp(0xFFFFFFFF, false)));
}

TEST(KeyReport, SideSpecificCodes) {
  struct Case {
    std::uint32_t vk, scan;
    bool extended;
    std::uint32_t reported;
  };
  const Case cases[] = {
      {0x10, 0x2A, false, 0xA0}, {0x10, 0x36, false, 0xA1}, {0x11, 0x1D, false, 0xA2},
      {0x11, 0x1D, true, 0xA3},  {0x12, 0x38, false, 0xA4}, {0x12, 0x38, true, 0xA5},
      {0xA1, 0x36, false, 0xA1}, {0x0D, 0x1C, false, 0x0D}, {0x0D, 0x1C, true, 0x0E},
      {0x41, 0x1E, false, 0x41}, {0x2E, 0x53, true, 0x2E},  {0x08, 0x0E, false, 0x08},
      {0x01, 0x00, false, 0},    {0x07, 0x00, false, 0},    {0xFF, 0x00, false, 0},
      {0x1FF, 0x00, false, 0},
      // Keys the system reports under the macro's mouse codes: "<>|" as the private code of the
      // non-US key beside left Shift, the others not at all.
      {0xE2, 0x56, false, 0xF3}, {0xE0, 0x00, false, 0},    {0xE1, 0x00, false, 0},
      {0xE3, 0x00, false, 0},    {0xE4, 0x00, false, 0},    {0xE5, 0x1E, false, 0},
      {0xE6, 0x00, false, 0},    {0xE7, 0x00, false, 0},    {0xE8, 0x00, false, 0xE8},
      {0xDF, 0x00, false, 0xDF}, {0xF3, 0x00, false, 0xF3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReportedKeyCode(c.vk, c.scan, c.extended), c.reported) << std::hex << c.vk;
}

// What a key action keeps for a reported code: never a delay's code (below 0x08) nor one of the
// codes 0xE0..0xE7 that mean mouse events in a macro.
TEST(KeyReport, KeyActionCodeNeverNamesADelayOrAMouseEvent) {
  struct Case {
    std::uint32_t code;
    std::uint8_t kept;
  };
  const Case cases[] = {
      {0xE0, 0}, {0xE1, 0}, {0xE2, 0xF3}, {0xE3, 0}, {0xE4, 0}, {0xE5, 0}, {0xE6, 0}, {0xE7, 0},
      {0x00, 0}, {0x07, 0}, {0x08, 0x08}, {0x41, 0x41}, {0xDF, 0xDF}, {0xE8, 0xE8}, {0xF3, 0xF3},
      {0xFF, 0xFF}, {0x100, 0}, {0x1E2, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyActionCode(c.code), c.kept) << std::hex << c.code;
  for (std::uint32_t code = 0; code <= 0xFF; ++code) {
    const std::uint8_t kept = KeyActionCode(code);
    EXPECT_TRUE(kept == 0 || (kept >= 0x08 && (kept < 0xE0 || kept > 0xE7))) << std::hex << code;
  }
}

}  // namespace
}  // namespace gm
