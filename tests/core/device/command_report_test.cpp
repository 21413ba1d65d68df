#include "device/command_report.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace gm {
namespace {

TEST(CommandReport, FactoryResetAtSequenceOneHasChecksum0x16) {
  // 6 + 0x0F + 1 + 1 + 0xFF = 0x116 -> 0x16.
  std::array<std::uint8_t, 32> r{};
  const std::uint8_t data[] = {0xFF};
  ASSERT_TRUE(BuildCommandReport(r, 0x0F, 1, 0x01, data));
  const std::array<std::uint8_t, 32> expected = {0x06, 0x0F, 0x01, 0x01, 0x16, 0xFF};
  EXPECT_EQ(r, expected);
}

TEST(CommandReport, ChecksumIgnoresByteFourAndBytesPast31) {
  std::vector<std::uint8_t> r(33, 0);
  r[0] = 6;
  r[1] = 6;
  r[4] = 0xAA;   // old checksum: not summed
  r[31] = 0xF0;
  r[32] = 0x77;  // 33rd byte of the lighting report: not summed
  EXPECT_EQ(CommandChecksum(r), 0xFC);  // 6 + 6 + 0xF0
}

TEST(CommandReport, ChecksumWrapsToLowEightBits) {
  std::array<std::uint8_t, 32> r;
  r.fill(0xFF);
  // 31 bytes of 0xFF = 0x1EE1 -> 0xE1
  EXPECT_EQ(CommandChecksum(r), 0xE1);
}

TEST(CommandReport, RejectsDataThatDoesNotFitAndShortBuffers) {
  std::array<std::uint8_t, 32> r;
  r.fill(0x5A);
  std::vector<std::uint8_t> tooLong(28, 1);
  EXPECT_FALSE(BuildCommandReport(r, 1, 1, 1, tooLong));
  EXPECT_EQ(r[0], 0x5A);  // untouched
  std::array<std::uint8_t, 31> shortBuffer{};
  EXPECT_FALSE(BuildCommandReport(shortBuffer, 1, 1, 1, {}));
  std::vector<std::uint8_t> fits(27, 1);
  EXPECT_TRUE(BuildCommandReport(r, 1, 1, 1, fits));
  EXPECT_EQ(r[31], 1);
}

TEST(CommandReport, PacketByteHoldsIndexAndCount) {
  EXPECT_EQ(PacketByte(0, 1), 0x01);
  EXPECT_EQ(PacketByte(0, 2), 0x02);
  EXPECT_EQ(PacketByte(1, 2), 0x12);
}

}  // namespace
}  // namespace gm
