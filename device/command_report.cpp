#include "device/command_report.h"

#include <algorithm>

namespace gm {

std::uint8_t CommandChecksum(std::span<const std::uint8_t> report) {
  unsigned sum = 0;
  const std::size_t n = std::min(report.size(), kCommandReportLength);
  for (std::size_t i = 0; i < n; ++i)
    if (i != 4) sum += report[i];
  return static_cast<std::uint8_t>(sum & 0xFF);
}

bool BuildCommandReport(std::span<std::uint8_t> out, std::uint8_t code, std::uint8_t sequence,
                        std::uint8_t packetByte, std::span<const std::uint8_t> data) {
  if (out.size() < kCommandReportLength || data.size() > out.size() - kCommandDataOffset) return false;
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  out[0] = kCommandReportId;
  out[1] = code;
  out[2] = sequence;
  out[3] = packetByte;
  std::copy(data.begin(), data.end(), out.begin() + kCommandDataOffset);
  out[4] = CommandChecksum(out);
  return true;
}

}  // namespace gm
