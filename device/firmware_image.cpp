#include "device/firmware_image.h"

#include <array>

namespace gm {
namespace {

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr auto kCrcTable = MakeCrcTable();

}  // namespace

std::optional<ImageHeader> ParseImageHeader(std::span<const std::uint8_t> image, std::size_t offset) {
  if (offset > image.size() || image.size() - offset < kImageHeaderSize) return std::nullopt;
  const std::uint8_t* p = image.data() + offset;
  ImageHeader h;
  h.checksum = U32(p);
  h.field1 = U16(p + 4);
  h.field2 = U16(p + 6);
  h.field3 = U32(p + 8);
  h.field4 = p[12];
  h.field5 = p[13];
  h.field6 = U16(p + 14);
  return h;
}

std::uint32_t FirmwareCrc(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) crc = kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc;
}

std::uint32_t ImageChecksum(std::span<const std::uint8_t> image) {
  if (image.size() <= kImageHeaderSize) return FirmwareCrc({});
  return FirmwareCrc(image.subspan(kImageHeaderSize));
}

bool IsUsableAppImage(std::span<const std::uint8_t> image) {
  return image.size() >= kAppHeaderOffset + kImageHeaderSize && image.size() <= kAppImageMaxSize;
}

bool IsUsableSystemImage(std::span<const std::uint8_t> image) {
  return image.size() >= kSystemWriteSize && image.size() <= kSystemImageMaxSize;
}

}  // namespace gm
