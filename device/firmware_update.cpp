#include "device/firmware_update.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <vector>

#include "settings/language_indexes.h"

namespace gm {
namespace {

constexpr int kSystemCompareReads = 3;  // reads of a block before it counts as different
constexpr std::uint32_t kSectorSize = 0x1000;
constexpr std::uint32_t kErasedChecksum = 0xFFFFFFFFu;

constexpr Millis kReadPause{5};
constexpr Millis kWritePause{40};
constexpr Millis kRetryPause{100};
constexpr Millis kLockPause{100};
constexpr Millis kSectorErasePause{200};
constexpr Millis kAppErasePause{3000};
constexpr Millis kCountdownPause{1000};

std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::wstring Printf(const wchar_t* format, auto... args) {
  wchar_t buffer[64];
  const int n = std::swprintf(buffer, std::size(buffer), format, args...);
  return n < 0 ? std::wstring() : std::wstring(buffer, static_cast<std::size_t>(n));
}

}  // namespace

std::wstring FormatFileChecksum(std::uint32_t checksum) {
  return Printf(L"CS1:%.8x", static_cast<unsigned>(checksum));
}
std::wstring FormatDeviceChecksum(std::uint32_t checksum) {
  return Printf(L"Device CS:%.8x", static_cast<unsigned>(checksum));
}
std::wstring FormatStep(const std::wstring& text, int step, int total) {
  return text + Printf(L"(%d/%d)", step, total);
}
std::wstring FormatCountdown(const std::wstring& text, int count) {
  return text + Printf(L"  ....%d", count);
}
std::wstring FormatPercent(double percent) { return Printf(L"%.1f%%", percent); }

int AppProgressMax(std::size_t appImageSize) {
  return static_cast<int>(appImageSize / kFlashBlockSize) * 5;
}

double ProgressPercent(int progress, int progressMax) {
  if (progressMax <= 0) return 100.0;
  return std::min(100.0, progress * 100.0 / progressMax);
}

FirmwareUpdater::FirmwareUpdater(BootloaderLink& link, FirmwareUpdateHost& host, BootloaderSettings settings)
    : link_(link), host_(host), settings_(settings) {}

FirmwareResult FirmwareUpdater::Fail(FirmwareResult result, int textIndex) {
  host_.ShowText(textIndex);
  return result;
}

bool FirmwareUpdater::ReadDeviceChecksum(std::uint32_t& checksum) {
  std::uint8_t header[kImageHeaderSize] = {};
  const bool ok = link_.Read(kDeviceHeaderAddress, header);
  Wait(kReadPause);
  if (ok) checksum = LittleEndian32(header);
  return ok;
}

bool FirmwareUpdater::WriteBlock(std::uint32_t address, std::span<const std::uint8_t> data) {
  const BootloaderReport report = WriteBlockReport(address, data);
  for (int attempt = 1; attempt <= kBlockWriteAttempts; ++attempt) {
    if (link_.Send(report)) return true;
    if (attempt < kBlockWriteAttempts) Wait(kRetryPause);
  }
  return false;
}

FirmwareResult FirmwareUpdater::Run(const FirmwareImages& images, const DeviceFirmwareFacts& facts) {
  const ExchangeRun run(link_.Busy());
  if (!run.Started()) return FirmwareResult::kBusy;
  progress_ = 0;
  progressMax_ = AppProgressMax(images.app.size());
  if (!IsUsableAppImage(images.app)) return FirmwareResult::kAppImageError;
  const std::uint32_t appChecksum = ParseImageHeader(images.app, kAppHeaderOffset)->checksum;

  if ((facts.wiredVersionNumber >> 8) != 1) {
    host_.ClearDeviceChecksum();
    return Fail(FirmwareResult::kNotSupported, kTextFirmwareNotSupported);
  }

  std::uint32_t deviceChecksum = 0;
  // A mouse that does not answer is not written to: its flash state is unknown.
  if (!ReadDeviceChecksum(deviceChecksum)) return Fail(FirmwareResult::kNoAnswer, kTextFirmwareUpdateFailed);
  host_.ShowDeviceChecksum(deviceChecksum);
  if (deviceChecksum == appChecksum || facts.firmwareSkipB != 0 || facts.firmwareSkipA != 0)
    return Fail(FirmwareResult::kCurrent, kTextFirmwareCurrent);

  return UpdateApplication(images, appChecksum);
}

std::optional<int> FirmwareUpdater::FirstDifferingSystemBlock(std::span<const std::uint8_t> systemImage) {
  std::uint8_t block[kFlashBlockSize];
  for (int b = 0; b < kSystemBlockCount; ++b) {
    const std::size_t offset = static_cast<std::size_t>(b) * kFlashBlockSize;
    bool same = false;
    for (int read = 0; read < kSystemCompareReads && !same; ++read) {
      const bool ok = link_.Read(static_cast<std::uint32_t>(offset), block);
      Wait(kReadPause);
      if (!ok) return std::nullopt;
      same = std::equal(std::begin(block), std::end(block), systemImage.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    if (!same) return b;
  }
  return kSystemBlockCount;
}

FirmwareResult FirmwareUpdater::UpdateSystem(std::span<const std::uint8_t> systemImage, bool& wrote) {
  wrote = false;
  if (!IsUsableSystemImage(systemImage)) return FirmwareResult::kSystemImageError;
  // The whole written region is compared, not a sample of it: an update cut off in the middle
  // (cable pulled, power lost, a write that never went through) leaves the blocks before the cut
  // new and the rest old or erased, and only a block-by-block comparison tells that mouse from a
  // current one. A block counts as different only when three reads of it all differ, so a read
  // that comes back wrong once does not start a rewrite. A read the mouse does not answer ends
  // the update before anything is erased.
  const std::optional<int> firstDifference = FirstDifferingSystemBlock(systemImage);
  if (!firstDifference) return FirmwareResult::kNoAnswer;
  if (*firstDifference == kSystemBlockCount) return FirmwareResult::kUpdated;
  // Flash is erased by sector: the rewrite starts at the sector of the earliest difference. The
  // steps keep their numbers of a whole rewrite, so a completed update shows where it went on.
  const int firstSector = *firstDifference * static_cast<int>(kFlashBlockSize) / static_cast<int>(kSectorSize);
  const int firstBlock = firstSector * static_cast<int>(kSectorSize / kFlashBlockSize);

  wrote = true;
  link_.Send(UnlockReport(settings_.unlockKey));
  Wait(kLockPause);

  int step = firstSector;
  for (int s = firstSector; s < kSystemSectorCount; ++s) {
    link_.Send(EraseSectorReport(static_cast<std::uint32_t>(s) * kSectorSize));
    Wait(kSectorErasePause);
    host_.ShowStep(kTextSystemUpdating, ++step, kSystemStepCount);
  }
  step = kSystemSectorCount + firstBlock;
  for (int b = firstBlock; b < kSystemBlockCount; ++b) {
    const std::size_t offset = static_cast<std::size_t>(b) * kFlashBlockSize;
    if (!WriteBlock(static_cast<std::uint32_t>(offset), systemImage.subspan(offset, kFlashBlockSize))) {
      // Leave the region locked again whatever happened to the write.
      link_.Send(LockReport());
      return Fail(FirmwareResult::kSystemWriteFailed, kTextSystemWriteFailed);
    }
    host_.ShowStep(kTextSystemUpdating, ++step, kSystemStepCount);
    Wait(kWritePause);
  }
  link_.Send(LockReport());
  Wait(kLockPause);

  std::uint8_t block[kFlashBlockSize];
  for (int b = 0; b < kSystemBlockCount; ++b) {
    const std::size_t offset = static_cast<std::size_t>(b) * kFlashBlockSize;
    std::fill(std::begin(block), std::end(block), std::uint8_t{0});
    if (!link_.Read(static_cast<std::uint32_t>(offset), block) ||
        !std::equal(std::begin(block), std::end(block), systemImage.begin() + offset))
      return Fail(FirmwareResult::kSystemVerifyFailed, kTextSystemVerifyFailed);
    host_.ShowStep(kTextSystemVerifying, b + 1, kSystemBlockCount);
    Wait(kReadPause);
  }
  return FirmwareResult::kUpdated;
}

FirmwareResult FirmwareUpdater::UpdateApplication(const FirmwareImages& images, std::uint32_t appChecksum) {
  host_.ShowProgressStart();
  progress_ = 0;

  bool wroteSystem = false;
  if (FirmwareResult r = UpdateSystem(images.system, wroteSystem); r != FirmwareResult::kUpdated) {
    if (r == FirmwareResult::kSystemImageError || r == FirmwareResult::kNoAnswer)
      host_.ShowText(kTextFirmwareUpdateFailed);
    return r;
  }

  // An application is present unless the header at its start reads as erased flash; a failed read
  // counts as present, so the region is erased rather than written over.
  std::uint8_t first[kFlashBlockSize];
  std::fill(std::begin(first), std::end(first), std::uint8_t{0});
  link_.Read(kAppFlashAddress, first);
  if (LittleEndian32(first) != kErasedChecksum) {
    host_.ShowText(kTextFirmwareErasing);
    link_.Send(EraseApplicationReport());
    Wait(kAppErasePause);
  }

  const std::span<const std::uint8_t> app = images.app;
  const std::size_t fullBlocks = app.size() / kFlashBlockSize;
  const std::size_t rest = app.size() % kFlashBlockSize;

  host_.ShowText(kTextFirmwareWriting);
  for (std::size_t k = 0; k < fullBlocks; ++k) {
    const std::size_t offset = k * kFlashBlockSize;
    if (!WriteBlock(kAppFlashAddress + static_cast<std::uint32_t>(offset), app.subspan(offset, kFlashBlockSize)))
      return Fail(FirmwareResult::kAppWriteFailed, kTextFirmwareWriteFailed);
    progress_ += 4;
    host_.ShowProgress(ProgressPercent(progress_, progressMax_));
    Wait(kWritePause);
  }
  if (rest != 0) {
    const std::size_t offset = fullBlocks * kFlashBlockSize;
    if (!WriteBlock(kAppFlashAddress + static_cast<std::uint32_t>(offset), app.subspan(offset, rest)))
      return Fail(FirmwareResult::kAppLastBlockFailed, kTextFirmwareLastBlockFailed);
    progress_ += 4;
    host_.ShowProgress(ProgressPercent(progress_, progressMax_));
    Wait(kWritePause);
  }

  host_.ShowText(kTextFirmwareVerifying);
  std::vector<std::uint8_t> readBack(app.size(), 0);
  bool readFailed = false;
  for (std::size_t offset = 0; offset < app.size(); offset += kFlashBlockSize) {
    const std::size_t n = std::min(kFlashBlockSize, app.size() - offset);
    // A block the mouse does not give back is a failed verification, not a comparison of
    // whatever the buffer held before.
    if (!link_.Read(kAppFlashAddress + static_cast<std::uint32_t>(offset), std::span(readBack).subspan(offset, n))) {
      readFailed = true;
      break;
    }
    progress_ += 1;
    host_.ShowProgress(ProgressPercent(progress_, progressMax_));
    Wait(kReadPause);
  }
  if (readFailed || ImageChecksum(readBack) != appChecksum) {
    host_.ShowText(kTextFirmwareChecksumFailed);
    link_.Send(EraseApplicationReport());
    Wait(kAppErasePause);
    return FirmwareResult::kAppVerifyFailed;
  }

  link_.Send(FinishReport(settings_.finishParameter));
  Wait(kLockPause);
  host_.ShowCountdown(kTextFirmwareStarting, 3);
  // Told before the report goes: the mouse's links vanish the moment it restarts, and their
  // removal may be handled before anything after the report.
  host_.MouseRestarting();
  link_.Send(StartApplicationReport());
  Wait(kCountdownPause);
  for (int n : {2, 1}) {
    host_.ShowCountdown(kTextFirmwareStarting, n);
    Wait(kCountdownPause);
  }
  for (int n : {3, 2, 1}) {
    host_.ShowCountdown(kTextFirmwareRestarting, n);
    Wait(kCountdownPause);
  }
  for (int n = 20; n >= 6; --n) {
    host_.ShowCountdown(kTextFirmwareWaiting, n);
    Wait(kCountdownPause);
  }

  std::uint32_t deviceChecksum = 0;
  if (!ReadDeviceChecksum(deviceChecksum)) return Fail(FirmwareResult::kRestartMismatch, kTextFirmwareUpdateFailed);
  host_.ShowDeviceChecksum(deviceChecksum);
  if (deviceChecksum != appChecksum) return Fail(FirmwareResult::kRestartMismatch, kTextFirmwareUpdateFailed);
  host_.ShowText(kTextFirmwareCurrent);
  return FirmwareResult::kUpdated;
}

}  // namespace gm
