#include "device/firmware_update.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <vector>

#include "settings/language_indexes.h"

namespace gm {
namespace {

constexpr int kSystemComparePasses = 3;  // reads before flash counts as different (or erased)
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

namespace {

constexpr int kBlocksPerSector = static_cast<int>(kSectorSize / kFlashBlockSize);
// The part of the system region compared with the image to tell an old system from a current one:
// the sector at 0x10000.
constexpr int kWindowFirstBlock = static_cast<int>(kSystemWindowAddress / kFlashBlockSize);
constexpr int kWindowBlockCount = static_cast<int>(kSystemWindowSize / kFlashBlockSize);

bool AllErased(std::span<const std::uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; });
}

std::span<const std::uint8_t> ImageBlock(std::span<const std::uint8_t> image, int block) {
  return image.subspan(static_cast<std::size_t>(block) * kFlashBlockSize, kFlashBlockSize);
}

}  // namespace

std::optional<bool> FirmwareUpdater::SystemWindowDiffers(std::span<const std::uint8_t> systemImage) {
  std::uint8_t block[kFlashBlockSize];
  for (int pass = 0; pass < kSystemComparePasses; ++pass) {
    bool differs = false;
    for (int b = kWindowFirstBlock; b < kWindowFirstBlock + kWindowBlockCount && !differs; ++b) {
      const bool ok = link_.Read(static_cast<std::uint32_t>(b) * kFlashBlockSize, block);
      Wait(kReadPause);
      if (!ok) return std::nullopt;
      const auto expected = ImageBlock(systemImage, b);
      differs = !std::equal(std::begin(block), std::end(block), expected.begin());
    }
    if (!differs) return false;
  }
  return true;
}

std::optional<int> FirmwareUpdater::FirstCutSystemBlock(std::span<const std::uint8_t> systemImage) {
  std::uint8_t block[kFlashBlockSize];
  for (int b = 0; b < kSystemBlockCount; ++b) {
    // The window has just been found equal to the image.
    if (b >= kWindowFirstBlock && b < kWindowFirstBlock + kWindowBlockCount) continue;
    const auto expected = ImageBlock(systemImage, b);
    if (AllErased(expected)) continue;  // erased flash is what the image holds there
    bool erased = true;
    for (int read = 0; read < kSystemComparePasses && erased; ++read) {
      const bool ok = link_.Read(static_cast<std::uint32_t>(b) * kFlashBlockSize, block);
      Wait(kReadPause);
      if (!ok) return std::nullopt;
      erased = AllErased(block);
    }
    if (erased) return b;
  }
  return kSystemBlockCount;
}

FirmwareResult FirmwareUpdater::UpdateSystem(std::span<const std::uint8_t> systemImage, bool& wrote) {
  wrote = false;
  if (!IsUsableSystemImage(systemImage)) return FirmwareResult::kSystemImageError;
  // The system region holds the bootloader: it is erased only when the mouse's system is known to
  // be another than the image's, or known to be half written. Anything else that differs (data
  // of the unit, another build of the same system) stays as it is.
  //  - The window differs from the image in three passes in a row: an old system, rewritten
  //    whole. A read that comes back wrong once does not start a rewrite.
  //  - Otherwise a block reads as erased flash (in three reads) where the image holds data: a
  //    rewrite was cut off there (cable pulled, power lost, writes refused). A rewrite erases its
  //    sectors first and writes from its first block upward, so a cut leaves the blocks before
  //    the cut written and those after it erased: the rewrite goes on from the sector of the first
  //    erased block, and leaves what lies before it untouched.
  // A read the mouse does not answer ends the update before anything is erased.
  const std::optional<bool> windowDiffers = SystemWindowDiffers(systemImage);
  if (!windowDiffers) return FirmwareResult::kNoAnswer;
  int firstSector = 0;
  if (!*windowDiffers) {
    const std::optional<int> cut = FirstCutSystemBlock(systemImage);
    if (!cut) return FirmwareResult::kNoAnswer;
    if (*cut == kSystemBlockCount) return FirmwareResult::kUpdated;
    firstSector = *cut / kBlocksPerSector;
  }
  // The steps keep their numbers of a whole rewrite, so a completed update shows where it went on.
  const int firstBlock = firstSector * kBlocksPerSector;

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

  // What lies before the rewrite was left as it was, and is not the image's business.
  std::uint8_t block[kFlashBlockSize];
  for (int b = firstBlock; b < kSystemBlockCount; ++b) {
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
