#pragma once
// Discovery of the mouse's three links: the probe of every HID interface member, the link states,
// the control handles and the reaction to device arrival and removal. Runs on the UI thread; the
// window's device thread reads the control handles while a job runs, and the window keeps its
// scans (which close and open them) until the job's result is back.
#include <array>
#include <cstdint>

#include "device/device_host.h"
#include "device/hid_api.h"
#include "device/link.h"
#include "device/transport.h"

namespace gm {

// Member indexes 0..149 are probed; higher ones are never looked at.
inline constexpr std::uint32_t kProbeCount = 150;

struct LinkState {
  bool present = false;     // a control interface of this link was found by the last scan
  bool wasPresent = false;  // `present` as it stood after the previous scan
  std::uint32_t controlIndex = 0;
  std::uint32_t inputIndex = 0;
  HidHandle controlHandle = kNoHandle;
};

// Starts the device worker of a link; a worker that already runs for that link is left alone.
class WorkerStarter {
 public:
  virtual ~WorkerStarter() = default;
  virtual void StartWorker(LinkKind link) = 0;
};

enum class DeviceEvent : std::uint32_t { kArrival = 0x8000, kRemoveComplete = 0x8004 };

struct DeviceChangeResult {
  bool scanned = false;
  // The last link is gone and no firmware update waits for the mouse: the program ends.
  bool lastLinkGone = false;
};

class DeviceLinks final : public ControlHandleSource {
 public:
  DeviceLinks(HidApi& hid, DeviceHost& host, WorkerStarter& workers);
  ~DeviceLinks() override;
  DeviceLinks(const DeviceLinks&) = delete;
  DeviceLinks& operator=(const DeviceLinks&) = delete;

  // Probe of one member index: classifies the collection into the link states. Never keeps a
  // handle open.
  void ProbeInterface(std::uint32_t index);

  // The whole discovery pass: probes 0..149, starts workers, opens or closes control handles, runs
  // the host's window steps, then WasPresent = Present.
  void ScanDevices();

  // (Re)opens a link's control handle from its ControlIndex; on a vendor or product mismatch the
  // handle is closed and left none.
  void OpenControlInterface(LinkKind link);

  // Arrival and removal notifications. Other event codes change nothing.
  DeviceChangeResult OnDeviceChange(std::uint32_t event);

  // Closes every open control handle (the main window's destruction).
  void CloseAll();

  HidHandle ControlHandle(LinkKind link) const override { return links_[IndexOf(link)].controlHandle; }
  const LinkState& State(LinkKind link) const { return links_[IndexOf(link)]; }
  LinkState& MutableState(LinkKind link) { return links_[IndexOf(link)]; }

  bool AnyLinkPresent() const { return anyLinkPresent_; }
  // The active link: the first present link in the priority wired, BLE, wireless.
  std::optional<LinkKind> ActiveLink() const;
  std::uint16_t WiredVersionNumber() const { return wiredVersionNumber_; }
  bool FirmwareUpdateInProgress() const { return firmwareUpdateInProgress_; }
  void SetFirmwareUpdateInProgress(bool value) { firmwareUpdateInProgress_ = value; }

  HidApi& Hid() { return hid_; }

 private:
  HidApi& hid_;
  DeviceHost& host_;
  WorkerStarter& workers_;
  std::array<LinkState, 3> links_{};
  bool anyLinkPresent_ = false;
  std::uint16_t wiredVersionNumber_ = 0;
  bool firmwareUpdateInProgress_ = false;
};

// The device path test of the probe: the path must contain the vendor id as four lower-case hex
// digits ("04f3"); the test is case-sensitive.
bool PathNamesMouseVendor(const std::wstring& path);

}  // namespace gm
