// `gmctl device firmware IMAGE (--sim | --dry-run) [--system FILE]`: the firmware update of the
// mouse's application. `--dry-run` checks the image and prints what an update would write;
// `--sim` runs the whole update in virtual time against the simulated mouse and its bootloader
// and prints the outcome. Without --system the simulated mouse's system region is taken as
// current (the update compares it and writes nothing there). Real hardware is not updated from
// the command line: that is the program's firmware dialog.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "command.h"
#include "device/discovery.h"
#include "device/firmware_update.h"
#include "settings/utf.h"
#include "sim/sim_bootloader.h"
#include "sim/sim_mouse.h"

namespace gmctl {
namespace {

constexpr const char* kFirmwareUsage =
    "usage: gmctl device firmware IMAGE (--sim | --dry-run) [--system FILE]";

bool ReadFile(const std::string& utf8Path, std::size_t limit, std::vector<std::uint8_t>& out) {
  std::ifstream in(std::filesystem::path(gm::FromUtf8(utf8Path)), std::ios::binary);
  if (!in) return false;
  out.clear();
  char c;
  // Read at most one byte past the limit: enough to know the file is too large.
  while (out.size() <= limit && in.get(c)) out.push_back(static_cast<std::uint8_t>(c));
  return !in.bad();
}

std::string Hex8(std::uint32_t v) {
  static const char* digits = "0123456789abcdef";
  std::string s = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) s += digits[(v >> shift) & 0xF];
  return s;
}

const char* ResultName(gm::FirmwareResult r) {
  switch (r) {
    case gm::FirmwareResult::kBusy: return "busy";
    case gm::FirmwareResult::kAppImageError: return "app-image-error";
    case gm::FirmwareResult::kSystemImageError: return "system-image-error";
    case gm::FirmwareResult::kNotSupported: return "not-supported";
    case gm::FirmwareResult::kNoAnswer: return "no-answer";
    case gm::FirmwareResult::kCurrent: return "current";
    case gm::FirmwareResult::kUpdated: return "updated";
    case gm::FirmwareResult::kSystemWriteFailed: return "system-write-failed";
    case gm::FirmwareResult::kSystemVerifyFailed: return "system-verify-failed";
    case gm::FirmwareResult::kAppWriteFailed: return "app-write-failed";
    case gm::FirmwareResult::kAppLastBlockFailed: return "app-last-block-failed";
    case gm::FirmwareResult::kAppVerifyFailed: return "app-verify-failed";
    case gm::FirmwareResult::kRestartMismatch: return "restart-mismatch";
  }
  return "unknown";
}

class NoWorkers : public gm::WorkerStarter {
 public:
  void StartWorker(gm::LinkKind) override {}
};
class NoWindow : public gm::DeviceHost {
 public:
  void RunScanWindowSteps() override {}
  void PostInputReport(gm::LinkKind, const gm::InputReportBytes&) override {}
};

// A virtual clock whose waits let the simulated mouse come back and the discovery see it, as the
// dialog's message-pumping wait does.
class PumpingClock final : public gm::Clock {
 public:
  gm::Millis Now() const override { return time_.Now(); }
  void Sleep(gm::Millis d) override {
    time_.Sleep(d);
    if (boot && links) {
      boot->Poll();
      const bool plugged = mouse->IsPlugged(gm::LinkKind::Wired);
      if (plugged != links->State(gm::LinkKind::Wired).present)
        links->OnDeviceChange(static_cast<std::uint32_t>(plugged ? gm::DeviceEvent::kArrival
                                                                 : gm::DeviceEvent::kRemoveComplete));
    }
  }
  gm::sim::SimMouse* mouse = nullptr;
  gm::sim::SimBootloader* boot = nullptr;
  gm::DeviceLinks* links = nullptr;

 private:
  gm::VirtualClock time_;
};

// Counts what the update shows; the command prints a summary.
class CountingHost : public gm::FirmwareUpdateHost {
 public:
  explicit CountingHost(gm::DeviceLinks& links) : links_(links) {}
  void ShowText(int textIndex) override { texts.push_back(textIndex); }
  void ShowStep(int, int, int) override { ++steps; }
  void ShowCountdown(int, int) override { ++countdowns; }
  void ShowProgressStart() override {}
  void ShowProgress(double percent) override { lastPercent = percent; }
  void ShowDeviceChecksum(std::uint32_t cs) override { deviceChecksums.push_back(cs); }
  void ClearDeviceChecksum() override {}
  void MouseRestarting() override { links_.SetFirmwareUpdateInProgress(true); }
  std::vector<int> texts;
  std::vector<std::uint32_t> deviceChecksums;
  int steps = 0;
  int countdowns = 0;
  double lastPercent = 0;

 private:
  gm::DeviceLinks& links_;
};

}  // namespace

int RunDeviceFirmware(Args args) {
  // args[0] is "firmware".
  bool sim = false, dryRun = false;
  std::string image, systemPath;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--sim") sim = true;
    else if (args[i] == "--dry-run") dryRun = true;
    else if (args[i] == "--system" && i + 1 < args.size()) systemPath = args[++i];
    else if (args[i].rfind("--", 0) == 0 || !image.empty()) return Fail(2, kFirmwareUsage);
    else image = args[i];
  }
  if (image.empty() || (!sim && !dryRun)) return Fail(2, kFirmwareUsage);

  std::vector<std::uint8_t> app;
  if (!ReadFile(image, gm::kAppImageMaxSize, app)) return Fail(1, "cannot read " + image);
  if (!gm::IsUsableAppImage(app))
    return Fail(1, image + ": not an application image (16 to " + std::to_string(gm::kAppImageMaxSize) + " bytes)");
  std::vector<std::uint8_t> system;
  if (!systemPath.empty()) {
    if (!ReadFile(systemPath, gm::kSystemImageMaxSize, system)) return Fail(1, "cannot read " + systemPath);
    if (!gm::IsUsableSystemImage(system))
      return Fail(1, systemPath + ": not a system image (" + std::to_string(gm::kSystemWriteSize) + " to " +
                         std::to_string(gm::kSystemImageMaxSize) + " bytes)");
  }

  const std::uint32_t fileChecksum = gm::ParseImageHeader(app, gm::kAppHeaderOffset)->checksum;
  nlohmann::ordered_json out;
  out["image"] = image;
  out["size"] = app.size();
  out["checksum"] = Hex8(fileChecksum);
  out["computedChecksum"] = Hex8(gm::ImageChecksum(app));
  out["fullBlocks"] = app.size() / gm::kFlashBlockSize;
  out["restBytes"] = app.size() % gm::kFlashBlockSize;
  out["progressMax"] = gm::AppProgressMax(app.size());
  out["systemImage"] = systemPath.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(systemPath);

  if (!dryRun) {
    if (system.empty()) system.assign(gm::kSystemWriteSize, 0);  // taken as current, see above
    PumpingClock clock;
    gm::sim::SimMouse mouse(gm::sim::StandardMouse(true, false, false));
    gm::sim::BootloaderSpec spec;
    if (systemPath.empty()) spec.system = system;
    gm::sim::SimBootloader boot(mouse, clock, spec);
    NoWindow window;
    NoWorkers workers;
    gm::DeviceLinks links(boot, window, workers);
    clock.mouse = &mouse;
    clock.boot = &boot;
    clock.links = &links;
    links.ScanDevices();
    gm::LinkBusy busy;
    gm::BootloaderLink link(boot, links, clock, busy);
    CountingHost host(links);
    gm::FirmwareUpdater updater(link, host);
    const gm::FirmwareResult result = updater.Run({app, system}, {links.WiredVersionNumber(), 0, 0});

    out["result"] = ResultName(result);
    nlohmann::ordered_json seen = nlohmann::ordered_json::array();
    for (std::uint32_t cs : host.deviceChecksums) seen.push_back(Hex8(cs));
    out["deviceChecksums"] = seen;
    out["texts"] = host.texts;
    out["systemSteps"] = host.steps;
    out["progress"] = host.lastPercent;
    out["reports"] = boot.Reports().size();
    out["virtualMs"] = clock.Now().count();
    out["mouseHolds"] = Hex8(boot.DeviceChecksum());
    Print(out.dump(2) + "\n");
    return result == gm::FirmwareResult::kUpdated || result == gm::FirmwareResult::kCurrent ? 0 : 1;
  }
  Print(out.dump(2) + "\n");
  return 0;
}

}  // namespace gmctl
