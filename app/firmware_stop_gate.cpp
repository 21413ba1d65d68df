#include "app/firmware_stop_gate.h"

#include "device/firmware_bootloader.h"
#include "device/firmware_image.h"

namespace gm {
namespace {

// A bootloader transfer that writes (byte 1 non-zero) at an address in the application region.
bool IsApplicationWrite(std::span<const std::uint8_t> report) {
  if (report.size() < kBootloaderDataOffset || report[0] != kBootloaderReportId) return false;
  if (report[3] != static_cast<std::uint8_t>(BootloaderOp::kTransfer) || report[1] == 0) return false;
  const std::uint32_t address = (static_cast<std::uint32_t>(report[5]) << 16) |
                                (static_cast<std::uint32_t>(report[6]) << 8) | report[7];
  return address >= kAppFlashAddress;
}

}  // namespace

bool FirmwareStopGate::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  if (stopped_ && IsApplicationWrite(report)) return false;
  return Inner().SetFeature(handle, report);
}

}  // namespace gm
