// The stand-in firmware images: bytes of small images worked out independently (xorshift32 filler
// and the checksum as the complement of the standard CRC-32 of the bytes after the header), and
// the real-size images as the update and the simulated bootloader take them.
#include "tools/firmware-images/stand_in_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "device/firmware_image.h"
#include "device/firmware_update.h"

namespace gm {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(StandInImage, SmallImagesHaveTheExpectedBytes) {
  struct Case {
    const char* name;
    StandInImageSpec spec;
    Bytes expected;
  };
  const Case cases[] = {
      // Header first: checksum 0x192D4A2F over the 4 filler bytes after it, version 0x0103, size 20.
      {"header at 0",
       {20, 0, 1, 0x0103},
       {0x2F, 0x4A, 0x2D, 0x19, 0x03, 0x01, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x08, 0x08, 0x91, 0x19}},
      // Header inside: the 8 filler bytes before it stay, and only the 4 bytes after it count.
      {"header at 8",
       {28, 8, 7, 0x0100},
       {0xE7, 0x07, 0x43, 0x45, 0xFF, 0x94, 0xBA, 0x57, 0x9D, 0xBA, 0x5E, 0xBF, 0x00, 0x01, 0x00, 0x00,
        0x1C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x9C, 0x45, 0x94, 0x57}},
      // Too small for a header: filler only.
      {"no room for a header", {10, 0, 1, 0}, {0x21, 0x01, 0xC5, 0x4F, 0xD1, 0xD0, 0x1A, 0xB2, 0x25, 0x74}},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeStandInImage(c.spec), c.expected) << c.name;
}

TEST(StandInImage, CarriedImagesAreUsableAndTheirHeadersHoldTheirChecksums) {
  const Bytes app = MakeStandInImage(kStandInAppImage);
  ASSERT_EQ(app.size(), 101568u);
  EXPECT_TRUE(IsUsableAppImage(app));
  EXPECT_EQ(ParseImageHeader(app, kAppHeaderOffset)->checksum, ImageChecksum(app));
  EXPECT_EQ(AppProgressMax(app.size()), 3965);

  const Bytes system = MakeStandInImage(kStandInSystemImage);
  EXPECT_TRUE(IsUsableSystemImage(system));
  EXPECT_EQ(ParseImageHeader(system, kSystemHeaderOffset)->checksum,
            FirmwareCrc(std::span(system).subspan(kSystemHeaderOffset + kImageHeaderSize)));
}

}  // namespace
}  // namespace gm
