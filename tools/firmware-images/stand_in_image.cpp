#include "tools/firmware-images/stand_in_image.h"

#include <span>

#include "device/firmware_image.h"

namespace gm {
namespace {

void PutLittleEndian(std::uint8_t* p, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> MakeStandInImage(const StandInImageSpec& spec) {
  std::vector<std::uint8_t> image(spec.size);
  std::uint32_t x = spec.seed == 0 ? 1u : spec.seed;
  for (std::uint8_t& b : image) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<std::uint8_t>(x);
  }
  if (spec.headerOffset > image.size() || image.size() - spec.headerOffset < kImageHeaderSize) return image;
  std::uint8_t* header = image.data() + spec.headerOffset;
  for (std::size_t i = 0; i < kImageHeaderSize; ++i) header[i] = 0;
  PutLittleEndian(header + 4, spec.version, 2);
  PutLittleEndian(header + 8, static_cast<std::uint32_t>(spec.size), 4);
  const std::size_t body = spec.headerOffset + kImageHeaderSize;
  PutLittleEndian(header, FirmwareCrc(std::span(image).subspan(body)), 4);
  return image;
}

}  // namespace gm
