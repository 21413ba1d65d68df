// A mouse whose every bootloader answer (call results, read-back data, the header) comes from the
// fuzz input, updated with a small application image: no crash, a known result, the progress
// stays within 0..100 %, and no report ever writes outside the system region or the image's part
// of the application region.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "device/firmware_update.h"
#include "device/link.h"
#include "tests/fuzz/cyclic_bytes.h"

namespace {

class ScriptedMouse final : public gm::HidApi, public gm::ControlHandleSource {
 public:
  ScriptedMouse(CyclicBytes& in, std::size_t appSize) : in_(in), appSize_(appSize) {}
  std::optional<std::wstring> InterfacePath(std::uint32_t) override { return std::nullopt; }
  gm::HidHandle Open(const std::wstring&, gm::HidOpenMode) override { return gm::kNoHandle; }
  void Close(gm::HidHandle) override {}
  bool GetAttributes(gm::HidHandle, gm::HidAttributes&) override { return false; }
  bool GetCaps(gm::HidHandle, gm::HidCaps&) override { return false; }
  bool Read(gm::HidHandle, std::span<std::uint8_t>) override { return false; }
  void CancelRead(gm::HidHandle) override {}

  gm::HidHandle ControlHandle(gm::LinkKind link) const override {
    return link == gm::LinkKind::Wired && !unplugged_ ? 7 : gm::kNoHandle;
  }

  bool SetFeature(gm::HidHandle handle, std::span<const std::uint8_t> r) override {
    if (handle != 7 || r.size() != gm::kBootloaderReportLength || r[0] != gm::kBootloaderReportId) std::abort();
    if (r[1] > gm::kFlashBlockSize || (r[1] != 0 && r[3] != 0)) std::abort();
    if (r[1] != 0) {
      const std::uint32_t a = (std::uint32_t{r[5]} << 16) | (std::uint32_t{r[6]} << 8) | r[7];
      const bool inSystem = a + r[1] <= gm::kSystemWriteSize;
      const bool inApp = a >= gm::kAppFlashAddress && a + r[1] <= gm::kAppFlashAddress + appSize_;
      if (r[4] != 0 || !(inSystem || inApp)) std::abort();
    }
    const std::uint8_t b = in_.Next();
    if (b == 0xEE) unplugged_ = true;  // the cable goes: no handle from now on
    return (b & 0x0F) != 0;
  }

  bool GetFeature(gm::HidHandle handle, std::span<std::uint8_t> r) override {
    if (handle != 7 || r.size() != gm::kBootloaderReportLength) std::abort();
    if ((in_.Next() & 0x0F) == 0) return false;
    in_.Fill(r.subspan(gm::kBootloaderDataOffset));
    return true;
  }

 private:
  CyclicBytes& in_;
  std::size_t appSize_;
  bool unplugged_ = false;
};

class CheckingHost final : public gm::FirmwareUpdateHost {
 public:
  void ShowText(int) override {}
  void ShowStep(int, int step, int total) override {
    if (step < 1 || step > total || total > gm::kSystemStepCount) std::abort();
  }
  void ShowCountdown(int, int count) override {
    if (count < 1 || count > 20) std::abort();
  }
  void ShowProgressStart() override {}
  void ShowProgress(double percent) override {
    if (!(percent >= 0.0 && percent <= 100.0)) std::abort();
  }
  void ShowDeviceChecksum(std::uint32_t) override {}
  void ClearDeviceChecksum() override {}
  void MouseRestarting() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::size_t appSize = 16 + ((std::size_t{data[0]} << 8 | data[1]) % 1200);
  std::vector<std::uint8_t> app(appSize);
  for (std::size_t i = 0; i < appSize; ++i) app[i] = static_cast<std::uint8_t>(i * 7 + data[2]);
  static const std::vector<std::uint8_t> system(gm::kSystemWriteSize, 0x5A);
  const gm::DeviceFirmwareFacts facts{static_cast<std::uint16_t>(data[3] & 0x80 ? 0x0201 : 0x0102),
                                      static_cast<std::uint8_t>(data[3] & 1), 0};

  CyclicBytes in(std::span(data + 4, size - 4));
  ScriptedMouse mouse(in, appSize);
  gm::VirtualClock clock;
  gm::LinkBusy busy;
  gm::BootloaderLink link(mouse, mouse, clock, busy);
  CheckingHost host;
  gm::FirmwareUpdater updater(link, host);
  const gm::FirmwareResult r = updater.Run({app, system}, facts);
  if (static_cast<int>(r) < 0 || r > gm::FirmwareResult::kRestartMismatch) std::abort();
  if (updater.Progress() > 5 * static_cast<int>((appSize + 127) / 128)) std::abort();
  return 0;
}
