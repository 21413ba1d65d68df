#pragma once
// The firmware update: compares the mouse's firmware with the carried images and, when they
// differ, rewrites the system region (only when its window shows another system, or when an
// update cut off earlier left it half written, which is then completed) and the application over
// the bootloader report, verifies both, starts the new application and waits for the mouse to
// come back. Every wait goes through the clock; progress and texts go to a small host interface
// (called on the thread that runs the update); the outcome is the return value.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/firmware_bootloader.h"
#include "device/firmware_image.h"

namespace gm {

// The fixed 4-byte values of the bootloader: the key that allows writing the system region and
// the parameter that marks a written application. Settings of the updater, so a mouse with other
// values needs no code change.
struct BootloaderSettings {
  BootloaderParameter unlockKey{0x55, 0xAA, 0x5A, 0xA5};
  BootloaderParameter finishParameter{0xA5, 0x5A, 0xAA, 0x55};
};

// What the program knows of the mouse before it asks: the wired link's version attribute and the
// two skip bytes of the wired status report.
struct DeviceFirmwareFacts {
  std::uint16_t wiredVersionNumber = 0;
  std::uint8_t firmwareSkipA = 0;
  std::uint8_t firmwareSkipB = 0;
};

struct FirmwareImages {
  std::span<const std::uint8_t> app;
  std::span<const std::uint8_t> system;
};

enum class FirmwareResult {
  kBusy,                 // another run of exchanges holds the device link: nothing was asked
  kAppImageError,        // the application image is missing or oversized: nothing was asked
  kSystemImageError,     // the system image cannot cover its region: nothing was written
  kNotSupported,         // the wired version's high byte is not 1: the mouse is not asked
  kNoAnswer,             // the mouse did not answer the header read or the comparison of the
                         // system region: nothing was written
  kCurrent,              // checksums equal, or the mouse asked to be skipped
  kUpdated,              // written, verified, restarted, and the mouse reports the new checksum
  kSystemWriteFailed,
  kSystemVerifyFailed,
  kAppWriteFailed,
  kAppLastBlockFailed,
  kAppVerifyFailed,      // the application region was erased again
  kRestartMismatch,      // after the restart the mouse reports another checksum (or none)
};

// Where the update shows what it does. Texts are LanguageTexts indexes.
class FirmwareUpdateHost {
 public:
  virtual ~FirmwareUpdateHost() = default;
  virtual void ShowText(int textIndex) = 0;
  // "%s(%d/%d)" with the text: the steps of the system update.
  virtual void ShowStep(int textIndex, int step, int total) = 0;
  // "%s  ....%d" with the text: the restart countdown.
  virtual void ShowCountdown(int textIndex, int count) = 0;
  virtual void ShowProgressStart() = 0;          // the bar appears with "0%"
  virtual void ShowProgress(double percent) = 0;  // "%.1f%%"
  virtual void ShowDeviceChecksum(std::uint32_t checksum) = 0;  // "Device CS:%.8x"
  virtual void ClearDeviceChecksum() = 0;
  // The new application is about to be started: the mouse's links will vanish, and the program
  // must not end when they do. Called before the start report is sent.
  virtual void MouseRestarting() = 0;
};

// The exact texts the host shows.
std::wstring FormatFileChecksum(std::uint32_t checksum);    // "CS1:%.8x"
std::wstring FormatDeviceChecksum(std::uint32_t checksum);  // "Device CS:%.8x"
std::wstring FormatStep(const std::wstring& text, int step, int total);
std::wstring FormatCountdown(const std::wstring& text, int count);
std::wstring FormatPercent(double percent);

// Steps of the system update as shown: 43 sector erases, then 1376 block writes.
inline constexpr int kSystemSectorCount = 43;
inline constexpr int kSystemBlockCount = static_cast<int>(kSystemWriteSize / kFlashBlockSize);
inline constexpr int kSystemStepCount = kSystemSectorCount + kSystemBlockCount;
// The window of the system region compared with the system image: 32 blocks from 0x10000.
inline constexpr std::uint32_t kSystemWindowAddress = 0x10000;
inline constexpr std::uint32_t kSystemWindowSize = 0x1000;
// Attempts to send one block before the write is given up.
inline constexpr int kBlockWriteAttempts = 4;

// (full blocks of the application image) × 5: each written block adds 4, each verified block 1.
int AppProgressMax(std::size_t appImageSize);
// Progress × 100 / max, limited to 100.0 (and 100.0 for an image without a full block).
double ProgressPercent(int progress, int progressMax);

class FirmwareUpdater {
 public:
  FirmwareUpdater(BootloaderLink& link, FirmwareUpdateHost& host, BootloaderSettings settings = {});
  FirmwareUpdater(const FirmwareUpdater&) = delete;
  FirmwareUpdater& operator=(const FirmwareUpdater&) = delete;

  // The whole procedure (the dialog runs it on a thread of its own): one run of exchanges, holding
  // the link's busy state from the first report to the last wait (kBusy, having done nothing,
  // while another run holds it). The waits go through the link's clock; an upload asked for
  // meanwhile is refused and tried again after the update.
  FirmwareResult Run(const FirmwareImages& images, const DeviceFirmwareFacts& facts);

  int Progress() const { return progress_; }
  int ProgressMax() const { return progressMax_; }

 private:
  // The system update: kUpdated when the region is left as it is (`wrote` false) or was rewritten
  // (whole, or from the sector where an earlier rewrite was cut off) and verified; otherwise
  // kSystemImageError, kNoAnswer, kSystemWriteFailed or kSystemVerifyFailed.
  FirmwareResult UpdateSystem(std::span<const std::uint8_t> systemImage, bool& wrote);
  FirmwareResult UpdateApplication(const FirmwareImages& images, std::uint32_t appChecksum);
  // Whether the window differs from the image in each of three passes (a pass stops at its first
  // difference); nullopt when a read failed even after its retries.
  std::optional<bool> SystemWindowDiffers(std::span<const std::uint8_t> systemImage);
  // The first block outside the window that reads as erased flash in three reads where the image
  // holds data (kSystemBlockCount when there is none); nullopt when a read failed.
  std::optional<int> FirstCutSystemBlock(std::span<const std::uint8_t> systemImage);
  bool WriteBlock(std::uint32_t address, std::span<const std::uint8_t> data);
  bool ReadDeviceChecksum(std::uint32_t& checksum);
  void Wait(Millis duration) { link_.GetClock().Sleep(duration); }
  FirmwareResult Fail(FirmwareResult result, int textIndex);

  BootloaderLink& link_;
  FirmwareUpdateHost& host_;
  BootloaderSettings settings_;
  int progress_ = 0;
  int progressMax_ = 0;
};

}  // namespace gm
