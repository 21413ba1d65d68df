#pragma once
// Stand-in firmware images for builds that carry no real firmware: deterministic filler bytes with
// a valid 16-byte header, so the program, the simulated mouse's bootloader and the tests have
// images of the real sizes whose checksums hold. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gm {

struct StandInImageSpec {
  std::size_t size = 0;
  std::size_t headerOffset = 0;
  std::uint32_t seed = 1;       // of the filler bytes; never 0
  std::uint16_t version = 0;    // written into the header's first 16-bit field
};

// The application image the program carries: 793 full 128-byte blocks and a 64-byte rest.
inline constexpr StandInImageSpec kStandInAppImage{101568, 0, 0x41505031u, 0x0103};
// The system image: exactly the region the update writes, header at 0x3730.
inline constexpr StandInImageSpec kStandInSystemImage{0x2B000, 0x3730, 0x53595331u, 0x0100};

// `spec.size` bytes of xorshift32 filler (the low byte of each step, starting from `seed`), then
// the header at `headerOffset`: u32 checksum, u16 version, u16 0, u32 image size, u8 0, u8 0,
// u16 0, little-endian. The checksum is the firmware CRC (no final inversion) over every byte after
// the header to the end of the image. An image too small for its header is returned as filler only.
std::vector<std::uint8_t> MakeStandInImage(const StandInImageSpec& spec);

}  // namespace gm
