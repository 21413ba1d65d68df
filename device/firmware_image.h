#pragma once
// The two firmware images the program carries (the application and the system image): their size
// limits, where they go in the mouse's flash, their 16-byte header and their checksum.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace gm {

inline constexpr std::size_t kAppImageMaxSize = 0x26F80;
inline constexpr std::size_t kSystemImageMaxSize = 0x52000;
inline constexpr std::size_t kAppHeaderOffset = 0;
inline constexpr std::size_t kSystemHeaderOffset = 0x3730;
inline constexpr std::size_t kImageHeaderSize = 16;

// The application is written from this flash address upward.
inline constexpr std::uint32_t kAppFlashAddress = 0x52000;
// Only the first 0x2B000 bytes of the system image are written, at flash address 0.
inline constexpr std::size_t kSystemWriteSize = 0x2B000;

// The image header, little-endian. Only `checksum` is used; the rest is read for completeness.
struct ImageHeader {
  std::uint32_t checksum = 0;
  std::uint16_t field1 = 0;
  std::uint16_t field2 = 0;
  std::uint32_t field3 = 0;
  std::uint8_t field4 = 0;
  std::uint8_t field5 = 0;
  std::uint16_t field6 = 0;
};

// The header at `offset`; nullopt when the image is too short to hold it.
std::optional<ImageHeader> ParseImageHeader(std::span<const std::uint8_t> image, std::size_t offset);

// CRC-32 (reflected polynomial 0xEDB88320, initial value 0xFFFFFFFF) WITHOUT the final inversion,
// over `bytes`.
std::uint32_t FirmwareCrc(std::span<const std::uint8_t> bytes);

// The checksum of an image: FirmwareCrc over everything after its first 16 bytes (0xFFFFFFFF, the
// empty CRC, for an image of 16 bytes or fewer).
std::uint32_t ImageChecksum(std::span<const std::uint8_t> image);

// An application image the updater can use: it holds its header and fits its region.
bool IsUsableAppImage(std::span<const std::uint8_t> image);
// A system image the updater can use: it covers the whole written region and fits its maximum.
bool IsUsableSystemImage(std::span<const std::uint8_t> image);

}  // namespace gm
