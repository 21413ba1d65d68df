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
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReportedKeyCode(c.vk, c.scan, c.extended), c.reported) << std::hex << c.vk;
}

}  // namespace
}  // namespace gm
