#pragma once
// The simulated mouse's bootloader: a HID seam in front of a SimMouse that answers the bootloader
// report (0xBF) on the wired control collection and passes every other call through. It holds the
// mouse's flash (system region 0x00000..0x2AFFF, application from 0x52000), erases and programs it
// as flash does (a write can only clear bits, so writing over unerased flash corrupts it), checks
// the unlock key and the finishing parameter, and on "start application" restarts the mouse: every
// link vanishes and comes back after a delay, the wired link with a new version number.
//
// Nothing repairs the flash: an update cut off at any point leaves it exactly as far as it got,
// and the mouse powered up again on its cable (PowerUpOnCable) is reachable for the next attempt.
//
// Fault injection: a byte that reads back wrong, an unplug after some writes, a bootloader that
// does not answer, writes that fail a number of times or from some write on, fetches of answers
// that fail.
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "device/clock.h"
#include "device/firmware_bootloader.h"
#include "device/hid_api.h"
#include "sim/sim_mouse.h"

namespace gm::sim {

inline constexpr std::uint32_t kSimFlashSize = 0x52000 + 0x26F80;

struct BootloaderSpec {
  std::vector<std::uint8_t> system;       // flash from address 0 (at most the system region)
  std::vector<std::uint8_t> application;  // a finished application at 0x52000; empty: none
  BootloaderParameter unlockKey{0x55, 0xAA, 0x5A, 0xA5};
  BootloaderParameter finishParameter{0xA5, 0x5A, 0xAA, 0x55};
  Millis restartDelay{3000};
  std::uint16_t versionAfterRestart = 0x0103;
};

struct BootloaderCounts {
  int unlocks = 0;       // accepted unlocks (right key)
  int locks = 0;
  int sectorErases = 0;  // accepted (unlocked, aligned, in the system region)
  int appErases = 0;
  int blockWrites = 0;   // write reports taken into flash
  int finishes = 0;      // accepted finishes (right parameter, data all 0xFF)
  int restarts = 0;
};

class SimBootloader final : public HidApi {
 public:
  SimBootloader(SimMouse& mouse, Clock& clock, BootloaderSpec spec);
  SimBootloader(const SimBootloader&) = delete;
  SimBootloader& operator=(const SimBootloader&) = delete;

  // ---- HidApi: 0xBF on the wired control collection here, the rest to the mouse ----
  std::optional<std::wstring> InterfacePath(std::uint32_t index) override;
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;
  bool GetAttributes(HidHandle handle, HidAttributes& out) override;
  bool GetCaps(HidHandle handle, HidCaps& out) override;
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool Read(HidHandle handle, std::span<std::uint8_t> report) override;
  void CancelRead(HidHandle handle) override;

  // Brings the links back once a restart's delay has passed on the clock. Every HID call does it
  // too; tests call it after moving the clock.
  void Poll();

  // The cable is plugged in again after the mouse lost power (pulled cable, power cut): the flash
  // keeps exactly what was written before the cut, everything else of the bootloader starts
  // afresh (locked, no read pending, write faults gone). A mouse without a finished application
  // sits in its bootloader, which still enumerates on the cable with the version it had, so the
  // update can reach it and finish the job.
  void PowerUpOnCable();

  // Called after every bootloader report taken and the moment the mouse restarts and its links
  // vanish, on the thread that sent the report, with the bootloader's lock held: it may only note
  // the fact or post a message (calling back into the bootloader would deadlock). The demo panel
  // shows the counts from it and announces the links' departure while they are really gone, as
  // the system does, rather than after their return.
  void SetChangeObserver(std::function<void()> observer);
  // A restart's links have not come back yet (Poll brings them back once its delay has passed).
  bool ReturnPending() const;

  // ---- inspection ----
  std::vector<std::uint8_t> Flash(std::uint32_t address, std::size_t count) const;
  // The checksum the mouse reports in its header: over the finished application it holds, or
  // 0xFFFFFFFF when it holds none.
  std::uint32_t DeviceChecksum() const;
  bool ApplicationFinished() const;
  bool Unlocked() const;
  BootloaderCounts Counts() const;
  // Every bootloader report set, in order (whether or not it was taken).
  std::vector<BootloaderReport> Reports() const;
  void ClearReports();

  // ---- fault injection ----
  // Reads covering `address` return that byte inverted: every such read, or only the next `times`.
  void CorruptReadsAt(std::uint32_t address, int times = -1);
  void UnplugAfterWrites(int writes);          // the wired link goes after that many more writes
  void SetSilent(bool silent);                 // 0xBF set and get fail
  void FailNextWrites(int count);              // those write reports fail (and are not taken)
  // After that many more taken writes every write report fails, until the next PowerUpOnCable.
  void FailWritesAfter(int writes);
  // Fetches of bootloader answers (GetFeature 0xBF) numbered from 0 from now on fail where
  // `fails` says so, leaving in the caller's buffer the answer of the previous fetch, as a failed
  // HidD_GetFeature may. The request is used up, as on the wire.
  void FailFetches(std::function<bool(int fetch)> fails);

 private:
  bool IsWiredControlLocked(HidHandle handle);
  void PollLocked();
  void ApplyLocked(const BootloaderReport& r);
  // Fills `report` with the answer to the read `request`.
  bool AnswerLocked(const BootloaderReport& request, std::span<std::uint8_t> report);
  std::uint32_t DeviceChecksumLocked() const;
  void RestartLocked();

  SimMouse& mouse_;
  Clock& clock_;
  BootloaderSpec spec_;
  mutable std::mutex mutex_;
  std::vector<std::uint8_t> flash_;
  bool unlocked_ = false;
  bool finished_ = false;
  std::size_t appLength_ = 0;     // the finished application's length
  std::size_t appHighWater_ = 0;  // end of the furthest write into the application region
  bool restarted_ = false;
  std::optional<Millis> comeBackAt_;
  std::vector<LinkKind> linksToReturn_;
  std::optional<BootloaderReport> pendingRead_;
  std::optional<std::uint32_t> corruptAt_;
  int corruptTimes_ = -1;
  int unplugAfterWrites_ = -1;
  bool silent_ = false;
  int failWrites_ = 0;
  int failWritesAfter_ = -1;  // -1: off; 0: every write fails
  std::function<bool(int)> failFetches_;
  std::function<void()> changeObserver_;
  int fetches_ = 0;
  BootloaderReport lastAnswer_{};
  BootloaderCounts counts_;
  std::vector<BootloaderReport> reports_;
};

}  // namespace gm::sim
