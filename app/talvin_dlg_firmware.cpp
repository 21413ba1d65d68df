// The main window's firmware update and pairing: the hidden pairing and firmware-update buttons
// open their dialogs, and the messages those dialogs send back are carried out here. In the demo
// the mouse sits behind a simulated bootloader, so a whole update can run against it.
#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "app/talvin_dlg.h"
#include "dialogs/check_fw_dlg.h"
#include "dialogs/paring_dlg.h"
#include "sim/sim_bootloader.h"
#include "sim/sim_mouse.h"
#include "ui/program_messages.h"

namespace {

// GM_DEMO_TIME_SCALE=n makes the demo's firmware waits and pairing ticks run n times faster
// (1..1000; anything else is real time). Tests use it; the real program never reads it.
int DemoTimeScale() {
  const wchar_t* value = _wgetenv(L"GM_DEMO_TIME_SCALE");
  if (!value) return 1;
  const long n = std::wcstol(value, nullptr, 10);
  return n >= 1 && n <= 1000 ? static_cast<int>(n) : 1;
}

// GM_DEMO_FIRMWARE_SKIP=A or B: the demo mouse's wired status report asks the update to skip it
// through that byte.
void ApplyDemoFirmwareSkip(gm::sim::MouseSpec& spec) {
  const wchar_t* value = _wgetenv(L"GM_DEMO_FIRMWARE_SKIP");
  if (!value) return;
  if (std::wcscmp(value, L"A") == 0) spec.firmwareSkipA = 1;
  if (std::wcscmp(value, L"B") == 0) spec.firmwareSkipB = 1;
}

}  // namespace

// The demo mouse's flash holds the system image the program carries (so an update leaves the
// system region alone) and an older application: the carried one with its last byte changed.
void CTalvinDlg::MakeDemoMouse(gm::sim::MouseSpec mouse) {
  ApplyDemoFirmwareSkip(mouse);
  demoMouse_ = std::make_unique<gm::sim::SimMouse>(std::move(mouse));
  simMouse_ = demoMouse_.get();
  firmwareClock_ = gm::ScaledClock(DemoTimeScale());
  gm::sim::BootloaderSpec spec;
  if (auto system = gm::win::LoadFirmwareResource(gm::win::kSystemImageResource, gm::kSystemImageMaxSize);
      system && system->size() >= gm::kSystemWriteSize) {
    spec.system.assign(system->begin(), system->begin() + gm::kSystemWriteSize);
  }
  if (auto app = gm::win::LoadFirmwareResource(gm::win::kAppImageResource, gm::kAppImageMaxSize);
      app && app->size() > gm::kImageHeaderSize) {
    app->back() ^= 0xFF;
    spec.application = std::move(*app);
  }
  auto boot = std::make_unique<gm::sim::SimBootloader>(*demoMouse_, firmwareClock_, std::move(spec));
  demoBootloader_ = boot.get();
  hid_ = std::move(boot);
}

void CTalvinDlg::OnPairing() {
  const UINT tickMs = std::max<UINT>(1, gm::win::CParingDlg::kTickMs / static_cast<UINT>(firmwareClock_.Factor()));
  gm::win::CParingDlg dialog(uiContext_, Hwnd(), [this] { return controller_->MouseOnline(); }, tickMs);
  dialog.DoModal();
}

// Refused while the link is held: by a device job in flight (posted or running), or by another run.
LRESULT CTalvinDlg::OnPairingRequested() {
  if (controller_->LinkHeld()) return gm::msg::kPairingLinkBusy;
  gm::Transport& transport = controller_->Session().GetTransport();
  return transport.SendPairingRequest() ? gm::msg::kPairingReportSent : gm::msg::kPairingReportNotSent;
}

// Without the cable the firmware cannot be updated. With it, the skip bytes come from a fresh
// status report of the wired link (another link's report does not carry them). While a device job
// is in flight (an upload or a reset still talking to the mouse) the update is refused as it is
// when another run holds the link.
void CTalvinDlg::OnFirmwareUpdate() {
  gm::DeviceSession& session = controller_->Session();
  if (controller_->DeviceJobsInFlight()) {
    host_.ShowModalNotice(gm::kTextFirmwareBusy);
    return;
  }
  if (!session.Links().State(gm::LinkKind::Wired).present) {
    host_.ShowModalNotice(gm::kTextFirmwareNeedsCable);
    return;
  }
  gm::DeviceFirmwareFacts facts;
  facts.wiredVersionNumber = session.Links().WiredVersionNumber();
  const gm::StatusAnswer status = session.ReadStatusReport();
  if (status.valid && status.link == gm::LinkKind::Wired) {
    facts.firmwareSkipA = status.firmwareSkipA;
    facts.firmwareSkipB = status.firmwareSkipB;
  }
  gm::win::CCheckFWDlg dialog(uiContext_, Hwnd(),
                              {*hid_, session.Links(), firmwareClock_, session.GetTransport().Busy()}, facts);
  dialog.DoModal();
}

void CTalvinDlg::OnFirmwareUpdated() {
  const bool wiredOpen = controller_->Session().Links().ControlHandle(gm::LinkKind::Wired) != gm::kNoHandle;
  const gm::ProfileRecord before = state_->CurrentRecord();
  controller_->CarryOutResetPlan(gm::OnFirmwareUpdated(*state_, wiredOpen), before);
}
