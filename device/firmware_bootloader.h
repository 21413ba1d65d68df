#pragma once
// The mouse's bootloader report (feature report 0xBF, always 136 bytes, wired control handle
// only): the builders of each operation and the link that sends and reads them.
//
//   byte 0     0xBF
//   byte 1     bytes to write (0x80 a full block, fewer for the last), else 0
//   byte 2     bytes to read back (0x80 a block, 0x10 the header), else 0
//   byte 3     operation (BootloaderOp)
//   bytes 4..7 0 then a 24-bit address, most significant byte first; or a 4-byte parameter
//   bytes 8..  data to write, or the data read
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "device/clock.h"
#include "device/exchange_run.h"
#include "device/hid_api.h"
#include "device/transport.h"

namespace gm {

inline constexpr std::uint8_t kBootloaderReportId = 0xBF;
inline constexpr std::size_t kBootloaderReportLength = 136;
inline constexpr std::size_t kBootloaderDataOffset = 8;
inline constexpr std::size_t kFlashBlockSize = 128;
// The device's header (its application checksum first) is read from this address.
inline constexpr std::uint32_t kDeviceHeaderAddress = 0x02B070;
// Gap between the request of a read and fetching its answer.
inline constexpr Millis kBootloaderReadGap{5};
// Attempts of one read (request, gap, fetch) before it counts as failed.
inline constexpr int kBootloaderReadAttempts = 3;

enum class BootloaderOp : std::uint8_t {
  kTransfer = 0,
  kEraseApplication = 1,
  kStartApplication = 2,
  kEraseSector = 3,
  kFinish = 4,
  kLock = 5,  // unlock with the key, lock with four zero bytes
};

using BootloaderReport = std::array<std::uint8_t, kBootloaderReportLength>;
using BootloaderParameter = std::array<std::uint8_t, 4>;

// Builders. Addresses keep their low 24 bits; WriteBlockReport takes at most 128 bytes (more are
// cut at 128).
BootloaderReport WriteBlockReport(std::uint32_t address, std::span<const std::uint8_t> data);
BootloaderReport ReadReport(std::uint32_t address, std::uint8_t count);
BootloaderReport EraseSectorReport(std::uint32_t address);
BootloaderReport EraseApplicationReport();
BootloaderReport UnlockReport(const BootloaderParameter& key);
BootloaderReport LockReport();
BootloaderReport FinishReport(const BootloaderParameter& parameter);
BootloaderReport StartApplicationReport();

// Sends bootloader reports through the wired control handle, looked up afresh for every call (the
// mouse restarts during an update, and its handle with it). `busy` is the busy state of the device
// link (Transport::Busy()): the update holds it for its whole run, so the configuration commands
// keep out of it.
//
// `handles` (optional) is held around each lookup of the handle together with the call made on it.
// An update running on a thread of its own shares it with the window's thread, which holds it
// while it handles messages (a rescan closes and opens the handles): the two never overlap.
class BootloaderLink {
 public:
  BootloaderLink(HidApi& hid, const ControlHandleSource& links, Clock& clock, LinkBusy& busy,
                 std::mutex* handles = nullptr)
      : hid_(hid), links_(links), clock_(clock), busy_(busy), handles_(handles) {}

  // One SetFeature; false when there is no wired handle or the call failed.
  bool Send(const BootloaderReport& report);

  // A read: the request, a 5 ms gap, then GetFeature of the same report into the same buffer.
  // `out` (at most 128 bytes) receives bytes 8.. of the answer. A failed request or fetch is
  // retried with a new request (after another gap), up to kBootloaderReadAttempts in all. False
  // when every attempt failed: `out` is then left as it was, never filled from a failed fetch, so
  // a caller never compares what an earlier answer left in the buffer.
  bool Read(std::uint32_t address, std::span<std::uint8_t> out);

  Clock& GetClock() { return clock_; }
  LinkBusy& Busy() { return busy_; }

 private:
  // One GetFeature of the answer into `buffer`; false when there is no wired handle or it failed.
  bool Fetch(BootloaderReport& buffer);

  HidApi& hid_;
  const ControlHandleSource& links_;
  Clock& clock_;
  LinkBusy& busy_;
  std::mutex* handles_;
};

}  // namespace gm
