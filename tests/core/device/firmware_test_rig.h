#pragma once
// A wired mouse with its bootloader, the discovery that finds it, the transport whose busy state
// the update holds, and a clock after whose waits device arrivals and removals are handled as the
// main window handles them between two reports of the update.
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "device/clock.h"
#include "device/discovery.h"
#include "device/fake_device_host.h"
#include "device/firmware_image.h"
#include "device/firmware_update.h"
#include "device/transport.h"
#include "sim/sim_bootloader.h"
#include "sim/sim_mouse.h"

namespace gm::test {

class PumpingClock final : public Clock {
 public:
  Millis Now() const override { return time_.Now(); }
  void Sleep(Millis duration) override {
    time_.Sleep(duration);
    if (afterWait) afterWait();
  }
  std::function<void()> afterWait;

 private:
  VirtualClock time_;
};

// Records what the update shows, and sets the discovery's update flag as the dialog does.
class RecordingUpdateHost : public FirmwareUpdateHost {
 public:
  explicit RecordingUpdateHost(DeviceLinks& links) : links_(links) {}
  void ShowText(int textIndex) override { texts.push_back(textIndex); }
  void ShowStep(int textIndex, int step, int total) override { steps.emplace_back(textIndex, step, total); }
  void ShowCountdown(int textIndex, int count) override { countdowns.emplace_back(textIndex, count); }
  void ShowProgressStart() override { progressShown = true; }
  void ShowProgress(double percent) override { percents.push_back(percent); }
  void ShowDeviceChecksum(std::uint32_t checksum) override { deviceChecksums.push_back(checksum); }
  void ClearDeviceChecksum() override { deviceCleared = true; }
  void MouseRestarting() override {
    ++restarting;
    links_.SetFirmwareUpdateInProgress(true);
  }

  std::vector<int> texts;
  std::vector<std::tuple<int, int, int>> steps;
  std::vector<std::pair<int, int>> countdowns;
  std::vector<double> percents;
  std::vector<std::uint32_t> deviceChecksums;
  bool progressShown = false;
  bool deviceCleared = false;
  int restarting = 0;

 private:
  DeviceLinks& links_;
};

// Synthetic images: a byte pattern of the seed with the checksum stored in the header.
inline std::vector<std::uint8_t> MakeAppImage(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>((i * 31 + seed + (i >> 8)) & 0xFF);
  const std::uint32_t cs = ImageChecksum(image);
  for (int i = 0; i < 4 && i < static_cast<int>(size); ++i) image[i] = static_cast<std::uint8_t>(cs >> (8 * i));
  return image;
}
inline std::vector<std::uint8_t> MakeSystemImage(std::uint8_t seed) {
  std::vector<std::uint8_t> image(0x30000);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>((i * 13 + seed + (i >> 9)) & 0xFF);
  return image;
}

inline constexpr std::size_t kOddAppSize = 101568;  // 793 full blocks and a 64-byte rest

struct FirmwareRig {
  explicit FirmwareRig(sim::BootloaderSpec spec) : boot(mouse, clock, std::move(spec)) {
    clock.afterWait = [this] {
      boot.Poll();
      const bool plugged = mouse.IsPlugged(LinkKind::Wired);
      if (plugged == links.State(LinkKind::Wired).present) return;
      const DeviceChangeResult r =
          links.OnDeviceChange(static_cast<std::uint32_t>(plugged ? DeviceEvent::kArrival : DeviceEvent::kRemoveComplete));
      programEnded = programEnded || r.lastLinkGone;
    };
    links.ScanDevices();
  }

  FirmwareResult Run(const std::vector<std::uint8_t>& app, const std::vector<std::uint8_t>& system,
                     DeviceFirmwareFacts facts = {0x0102, 0, 0}) {
    return updater.Run({app, system}, facts);
  }

  // Bootloader reports of one operation with a given address, in order.
  int CountReports(BootloaderOp op, bool writes, std::uint32_t from, std::uint32_t to) const {
    int n = 0;
    for (const BootloaderReport& r : boot.Reports()) {
      const std::uint32_t a = (std::uint32_t{r[5]} << 16) | (std::uint32_t{r[6]} << 8) | r[7];
      if (r[3] == static_cast<std::uint8_t>(op) && ((r[1] != 0) == writes) && a >= from && a < to) ++n;
    }
    return n;
  }

  PumpingClock clock;
  sim::SimMouse mouse{sim::StandardMouse(true, false, false)};
  sim::SimBootloader boot;
  FakeDeviceHost deviceHost;
  NoWorkers workers;
  DeviceLinks links{boot, deviceHost, workers};
  // The configuration side of the same link: the update holds its busy state.
  Transport transport{boot, clock, links};
  BootloaderLink link{boot, links, clock, transport.Busy()};
  RecordingUpdateHost ui{links};
  FirmwareUpdater updater{link, ui};
  bool programEnded = false;
};

}  // namespace gm::test
