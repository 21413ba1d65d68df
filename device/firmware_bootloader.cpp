#include "device/firmware_bootloader.h"

#include <algorithm>

#include "device/link.h"

namespace gm {
namespace {

BootloaderReport Base(std::uint8_t writeCount, std::uint8_t readCount, BootloaderOp op) {
  BootloaderReport r{};
  r[0] = kBootloaderReportId;
  r[1] = writeCount;
  r[2] = readCount;
  r[3] = static_cast<std::uint8_t>(op);
  return r;
}

void PutAddress(BootloaderReport& r, std::uint32_t address) {
  r[4] = 0;
  r[5] = static_cast<std::uint8_t>(address >> 16);
  r[6] = static_cast<std::uint8_t>(address >> 8);
  r[7] = static_cast<std::uint8_t>(address);
}

void PutParameter(BootloaderReport& r, const BootloaderParameter& p) {
  std::copy(p.begin(), p.end(), r.begin() + 4);
}

// Holds the handle lock, when there is one, for its lifetime.
class HandleTurn {
 public:
  explicit HandleTurn(std::mutex* m) {
    if (m) lock_ = std::unique_lock(*m);
  }

 private:
  std::unique_lock<std::mutex> lock_;
};

}  // namespace

BootloaderReport WriteBlockReport(std::uint32_t address, std::span<const std::uint8_t> data) {
  const std::size_t n = std::min(data.size(), kFlashBlockSize);
  BootloaderReport r = Base(static_cast<std::uint8_t>(n), 0, BootloaderOp::kTransfer);
  PutAddress(r, address);
  std::copy_n(data.begin(), n, r.begin() + kBootloaderDataOffset);
  return r;
}

BootloaderReport ReadReport(std::uint32_t address, std::uint8_t count) {
  BootloaderReport r = Base(0, count, BootloaderOp::kTransfer);
  PutAddress(r, address);
  return r;
}

BootloaderReport EraseSectorReport(std::uint32_t address) {
  BootloaderReport r = Base(0, 0, BootloaderOp::kEraseSector);
  PutAddress(r, address);
  return r;
}

BootloaderReport EraseApplicationReport() { return Base(0, 0, BootloaderOp::kEraseApplication); }

BootloaderReport UnlockReport(const BootloaderParameter& key) {
  BootloaderReport r = Base(0, 0, BootloaderOp::kLock);
  PutParameter(r, key);
  return r;
}

BootloaderReport LockReport() { return Base(0, 0, BootloaderOp::kLock); }

BootloaderReport FinishReport(const BootloaderParameter& parameter) {
  BootloaderReport r = Base(0, 0, BootloaderOp::kFinish);
  PutParameter(r, parameter);
  std::fill(r.begin() + kBootloaderDataOffset, r.end(), std::uint8_t{0xFF});
  return r;
}

BootloaderReport StartApplicationReport() { return Base(0, 0, BootloaderOp::kStartApplication); }

bool BootloaderLink::Send(const BootloaderReport& report) {
  const HandleTurn turn(handles_);
  const HidHandle wired = links_.ControlHandle(LinkKind::Wired);
  if (wired == kNoHandle) return false;
  return hid_.SetFeature(wired, report);
}

bool BootloaderLink::Fetch(BootloaderReport& buffer) {
  const HandleTurn turn(handles_);
  const HidHandle wired = links_.ControlHandle(LinkKind::Wired);
  return wired != kNoHandle && hid_.GetFeature(wired, buffer);
}

bool BootloaderLink::Read(std::uint32_t address, std::span<std::uint8_t> out) {
  const std::size_t n = std::min(out.size(), kFlashBlockSize);
  for (int attempt = 1; attempt <= kBootloaderReadAttempts; ++attempt) {
    if (attempt > 1) clock_.Sleep(kBootloaderReadGap);
    BootloaderReport buffer = ReadReport(address, static_cast<std::uint8_t>(n));
    if (!Send(buffer)) continue;
    clock_.Sleep(kBootloaderReadGap);
    if (!Fetch(buffer)) continue;
    std::copy_n(buffer.begin() + kBootloaderDataOffset, n, out.begin());
    return true;
  }
  return false;
}

}  // namespace gm
