#include "sim/sim_bootloader.h"

#include <algorithm>

#include "device/firmware_image.h"
#include "device/link.h"

namespace gm::sim {
namespace {

constexpr std::uint32_t kSectorSize = 0x1000;

std::uint32_t AddressOf(const BootloaderReport& r) {
  return (static_cast<std::uint32_t>(r[5]) << 16) | (static_cast<std::uint32_t>(r[6]) << 8) | r[7];
}

BootloaderParameter ParameterOf(const BootloaderReport& r) { return {r[4], r[5], r[6], r[7]}; }

}  // namespace

SimBootloader::SimBootloader(SimMouse& mouse, Clock& clock, BootloaderSpec spec)
    : mouse_(mouse), clock_(clock), spec_(std::move(spec)), flash_(kSimFlashSize, 0xFF) {
  const std::size_t systemBytes = std::min<std::size_t>(spec_.system.size(), kAppFlashAddress);
  std::copy_n(spec_.system.begin(), systemBytes, flash_.begin());
  const std::size_t appBytes = std::min<std::size_t>(spec_.application.size(), kSimFlashSize - kAppFlashAddress);
  std::copy_n(spec_.application.begin(), appBytes, flash_.begin() + kAppFlashAddress);
  finished_ = appBytes > 0;
  appLength_ = appHighWater_ = appBytes;
}

// ---- pass-through ----

std::optional<std::wstring> SimBootloader::InterfacePath(std::uint32_t index) {
  Poll();
  return mouse_.InterfacePath(index);
}
HidHandle SimBootloader::Open(const std::wstring& path, HidOpenMode mode) {
  Poll();
  return mouse_.Open(path, mode);
}
void SimBootloader::Close(HidHandle handle) { mouse_.Close(handle); }
bool SimBootloader::GetCaps(HidHandle handle, HidCaps& out) {
  Poll();
  return mouse_.GetCaps(handle, out);
}
bool SimBootloader::Read(HidHandle handle, std::span<std::uint8_t> report) { return mouse_.Read(handle, report); }
void SimBootloader::CancelRead(HidHandle handle) { mouse_.CancelRead(handle); }

bool SimBootloader::GetAttributes(HidHandle handle, HidAttributes& out) {
  std::lock_guard lock(mutex_);
  PollLocked();
  if (!mouse_.GetAttributes(handle, out)) return false;
  if (restarted_ && out.productId == ProductIdOf(LinkKind::Wired)) out.versionNumber = spec_.versionAfterRestart;
  return true;
}

// ---- the bootloader ----

bool SimBootloader::IsWiredControlLocked(HidHandle handle) {
  HidAttributes a;
  HidCaps c;
  return mouse_.GetAttributes(handle, a) && mouse_.GetCaps(handle, c) &&
         a.productId == ProductIdOf(LinkKind::Wired) && c.usagePage == kControlUsagePage;
}

bool SimBootloader::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  if (report.empty() || report[0] != kBootloaderReportId) {
    Poll();
    return mouse_.SetFeature(handle, report);
  }
  std::lock_guard lock(mutex_);
  PollLocked();
  if (report.size() != kBootloaderReportLength) return false;
  BootloaderReport r;
  std::copy(report.begin(), report.end(), r.begin());
  reports_.push_back(r);
  if (silent_ || !IsWiredControlLocked(handle)) return false;
  const bool isWrite = r[3] == static_cast<std::uint8_t>(BootloaderOp::kTransfer) && r[1] != 0;
  if (isWrite && failWrites_ > 0) {
    --failWrites_;
    return false;
  }
  if (isWrite && failWritesAfter_ == 0) return false;
  ApplyLocked(r);
  if (isWrite && failWritesAfter_ > 0) --failWritesAfter_;
  if (isWrite && unplugAfterWrites_ > 0 && --unplugAfterWrites_ == 0) {
    unplugAfterWrites_ = -1;
    mouse_.Unplug(LinkKind::Wired);
  }
  if (changeObserver_) changeObserver_();
  return true;
}

void SimBootloader::ApplyLocked(const BootloaderReport& r) {
  const std::uint32_t address = AddressOf(r);
  switch (static_cast<BootloaderOp>(r[3])) {
    case BootloaderOp::kTransfer: {
      if (r[1] != 0) {
        const std::size_t n = std::min<std::size_t>(r[1], kFlashBlockSize);
        const bool inSystem = address + n <= kSystemWriteSize && unlocked_;
        const bool inApp = address >= kAppFlashAddress && address + n <= kSimFlashSize;
        if (inSystem || inApp) {
          // Programming flash only clears bits.
          for (std::size_t i = 0; i < n; ++i) flash_[address + i] &= r[kBootloaderDataOffset + i];
          ++counts_.blockWrites;
          if (inApp) appHighWater_ = std::max<std::size_t>(appHighWater_, address + n - kAppFlashAddress);
        }
      }
      if (r[2] != 0) pendingRead_ = r;
      break;
    }
    case BootloaderOp::kEraseApplication:
      std::fill(flash_.begin() + kAppFlashAddress, flash_.end(), std::uint8_t{0xFF});
      finished_ = false;
      appLength_ = appHighWater_ = 0;
      ++counts_.appErases;
      break;
    case BootloaderOp::kStartApplication:
      if (finished_) RestartLocked();
      break;
    case BootloaderOp::kEraseSector:
      if (unlocked_ && address % kSectorSize == 0 && address < kSystemWriteSize) {
        std::fill_n(flash_.begin() + address, kSectorSize, std::uint8_t{0xFF});
        ++counts_.sectorErases;
      }
      break;
    case BootloaderOp::kFinish: {
      const bool allFF = std::all_of(r.begin() + kBootloaderDataOffset, r.end(), [](std::uint8_t b) { return b == 0xFF; });
      if (ParameterOf(r) == spec_.finishParameter && allFF && appHighWater_ > 0) {
        finished_ = true;
        appLength_ = appHighWater_;
        ++counts_.finishes;
      }
      break;
    }
    case BootloaderOp::kLock:
      if (ParameterOf(r) == spec_.unlockKey) {
        unlocked_ = true;
        ++counts_.unlocks;
      } else if (ParameterOf(r) == BootloaderParameter{}) {
        unlocked_ = false;
        ++counts_.locks;
      }
      break;
    default:
      break;
  }
}

bool SimBootloader::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
  if (report.empty() || report[0] != kBootloaderReportId) {
    Poll();
    return mouse_.GetFeature(handle, report);
  }
  std::lock_guard lock(mutex_);
  PollLocked();
  if (report.size() != kBootloaderReportLength || silent_ || !IsWiredControlLocked(handle) || !pendingRead_)
    return false;
  const BootloaderReport request = *pendingRead_;
  pendingRead_.reset();
  if (failFetches_ && failFetches_(fetches_++)) {
    std::copy(lastAnswer_.begin(), lastAnswer_.end(), report.begin());
    return false;
  }
  const bool answered = AnswerLocked(request, report);
  std::copy(report.begin(), report.end(), lastAnswer_.begin());
  return answered;
}

bool SimBootloader::AnswerLocked(const BootloaderReport& request, std::span<std::uint8_t> report) {
  std::copy(request.begin(), request.end(), report.begin());
  const std::uint32_t address = AddressOf(request);
  const std::size_t n = std::min<std::size_t>(request[2], kFlashBlockSize);
  std::uint8_t* data = report.data() + kBootloaderDataOffset;
  if (address == kDeviceHeaderAddress && n == kImageHeaderSize) {
    std::fill_n(data, n, std::uint8_t{0});
    const std::uint32_t cs = DeviceChecksumLocked();
    for (int i = 0; i < 4; ++i) data[i] = static_cast<std::uint8_t>(cs >> (8 * i));
    return true;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = static_cast<std::size_t>(address) + i;
    data[i] = at < flash_.size() ? flash_[at] : 0xFF;
    if (corruptAt_ && at == *corruptAt_ && corruptTimes_ != 0) {
      data[i] = static_cast<std::uint8_t>(~data[i]);
      if (corruptTimes_ > 0) --corruptTimes_;
    }
  }
  return true;
}

void SimBootloader::RestartLocked() {
  ++counts_.restarts;
  restarted_ = true;
  unlocked_ = false;
  linksToReturn_.clear();
  for (LinkKind link : kAllLinks) {
    if (mouse_.IsPlugged(link)) {
      mouse_.Unplug(link);
      linksToReturn_.push_back(link);
    }
  }
  comeBackAt_ = clock_.Now() + spec_.restartDelay;
}

void SimBootloader::SetChangeObserver(std::function<void()> observer) {
  std::lock_guard lock(mutex_);
  changeObserver_ = std::move(observer);
}

bool SimBootloader::ReturnPending() const {
  std::lock_guard lock(mutex_);
  return comeBackAt_.has_value();
}

void SimBootloader::Poll() {
  std::lock_guard lock(mutex_);
  PollLocked();
}

void SimBootloader::PowerUpOnCable() {
  std::lock_guard lock(mutex_);
  unlocked_ = false;
  pendingRead_.reset();
  comeBackAt_.reset();
  linksToReturn_.clear();
  failWrites_ = 0;
  failWritesAfter_ = -1;
  unplugAfterWrites_ = -1;
  if (!mouse_.IsPlugged(LinkKind::Wired)) mouse_.Plug(LinkKind::Wired);
}

void SimBootloader::PollLocked() {
  if (!comeBackAt_ || clock_.Now() < *comeBackAt_) return;
  comeBackAt_.reset();
  for (LinkKind link : linksToReturn_) mouse_.Plug(link);
  linksToReturn_.clear();
}

std::uint32_t SimBootloader::DeviceChecksumLocked() const {
  if (!finished_) return 0xFFFFFFFFu;
  return ImageChecksum(std::span(flash_).subspan(kAppFlashAddress, appLength_));
}

// ---- inspection and faults ----

std::vector<std::uint8_t> SimBootloader::Flash(std::uint32_t address, std::size_t count) const {
  std::lock_guard lock(mutex_);
  const std::size_t begin = std::min<std::size_t>(address, flash_.size());
  const std::size_t end = std::min(flash_.size(), begin + count);
  return {flash_.begin() + begin, flash_.begin() + end};
}
std::uint32_t SimBootloader::DeviceChecksum() const {
  std::lock_guard lock(mutex_);
  return DeviceChecksumLocked();
}
bool SimBootloader::ApplicationFinished() const {
  std::lock_guard lock(mutex_);
  return finished_;
}
bool SimBootloader::Unlocked() const {
  std::lock_guard lock(mutex_);
  return unlocked_;
}
BootloaderCounts SimBootloader::Counts() const {
  std::lock_guard lock(mutex_);
  return counts_;
}
std::vector<BootloaderReport> SimBootloader::Reports() const {
  std::lock_guard lock(mutex_);
  return reports_;
}
void SimBootloader::ClearReports() {
  std::lock_guard lock(mutex_);
  reports_.clear();
}
void SimBootloader::CorruptReadsAt(std::uint32_t address, int times) {
  std::lock_guard lock(mutex_);
  corruptAt_ = address;
  corruptTimes_ = times;
}
void SimBootloader::UnplugAfterWrites(int writes) {
  std::lock_guard lock(mutex_);
  unplugAfterWrites_ = writes;
}
void SimBootloader::FailFetches(std::function<bool(int)> fails) {
  std::lock_guard lock(mutex_);
  failFetches_ = std::move(fails);
  fetches_ = 0;
}
void SimBootloader::FailWritesAfter(int writes) {
  std::lock_guard lock(mutex_);
  failWritesAfter_ = writes;
}
void SimBootloader::SetSilent(bool silent) {
  std::lock_guard lock(mutex_);
  silent_ = silent;
}
void SimBootloader::FailNextWrites(int count) {
  std::lock_guard lock(mutex_);
  failWrites_ = count;
}

}  // namespace gm::sim
