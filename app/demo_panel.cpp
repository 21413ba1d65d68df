#include "app/demo_panel.h"

#include "ui/program_messages.h"

#include <dbt.h>

#include <array>
#include <cwchar>
#include <iterator>
#include <string>

#include "device/command_report.h"
#include "app/main_ids.h"
#include "sim/sim_bootloader.h"
#include "sim/sim_mouse.h"

namespace {

constexpr wchar_t kPanelClass[] = L"GamingMouseDemoPanel";
constexpr int kButtonWidth = 200;
constexpr int kButtonHeight = 28;
// The state line takes two rows: it wraps.
constexpr int kStateLineHeight = 2 * kButtonHeight;
constexpr int kGap = 6;
// Runs only while a restart's links have not come back: the bootloader brings them back when it is
// looked at after the restart's delay.
constexpr UINT_PTR kReturnTimer = 1;
constexpr UINT kReturnPollMs = 200;
// The mouse's changes are looked at most every 50 ms. During an upload or a firmware update the
// simulated mouse changes at every report, thousands of times a second; looking at each one (a
// posted message, the labels read and set) kept the window's thread and the Wine server busy
// for the demo alone. A notice is posted once until the panel looks, so changes that come
// meanwhile cost nothing; links that leave and come back in between are still announced (see
// AnnounceLinkChanges).
constexpr UINT_PTR kChangeTimer = 2;
constexpr ULONGLONG kChangeIntervalMs = 50;

// The report-rate codes the mouse reports, 125 Hz .. 8000 Hz.
constexpr std::array<std::uint8_t, 7> kRateCodes{0x08, 0x04, 0x02, 0x01, 0x11, 0x12, 0x14};
constexpr std::array<const wchar_t*, 7> kRateNames{L"125 Hz", L"250 Hz", L"500 Hz", L"1000 Hz",
                                                   L"2000 Hz", L"4000 Hz", L"8000 Hz"};

struct LinkAction {
  int action;
  gm::LinkKind link;
  const wchar_t* name;
};
constexpr std::array<LinkAction, 3> kLinkActions{{{CDemoPanel::kPlugWired, gm::LinkKind::Wired, L"cable"},
                                                  {CDemoPanel::kPlugWireless, gm::LinkKind::Wireless, L"receiver"},
                                                  {CDemoPanel::kPlugBle, gm::LinkKind::Ble, L"Bluetooth"}}};

constexpr std::array<int, 12> kActionOrder{
    CDemoPanel::kDpiButton,   CDemoPanel::kRate,          CDemoPanel::kPlugWired,       CDemoPanel::kPlugWireless,
    CDemoPanel::kPlugBle,     CDemoPanel::kSleepWake,     CDemoPanel::kBatteryDown,     CDemoPanel::kCharging,
    CDemoPanel::kLaunch,      CDemoPanel::kPairReceiver,  CDemoPanel::kUpdateFirmware,  CDemoPanel::kCheckUpdates};

// The buttons that run a command of the main window: their labels and the window's control.
struct CommandAction {
  int action;
  UINT control;
  const wchar_t* label;
};
constexpr std::array<CommandAction, 3> kCommandActions{{
    {CDemoPanel::kPairReceiver, gm::kControlPairing, L"Pair the receiver\u2026"},
    {CDemoPanel::kUpdateFirmware, gm::kControlFirmwareUpdate, L"Update the firmware\u2026"},
    {CDemoPanel::kCheckUpdates, gm::kControlSoftwareUpdate, L"Check for updates\u2026"},
}};

// The position of the mouse's rate code in kRateCodes; 1000 Hz for a code it does not list.
std::size_t RateIndexOf(std::uint8_t code) {
  for (std::size_t i = 0; i < kRateCodes.size(); ++i)
    if (kRateCodes[i] == code) return i;
  return 3;
}

// The macro line's text (see kMacroLine).
std::wstring MacroLine(const gm::sim::MouseState& state) {
  std::wstring text = L"Macros:";
  bool any = false;
  for (const auto& [slot, contents] : state.macroSlots) {
    if (!contents.Complete()) continue;
    text += (any ? L"; " : L" ") + std::to_wstring(slot) + L"=";
    for (std::uint8_t b : contents.entries) {
      wchar_t hex[3] = {};
      swprintf(hex, std::size(hex), L"%02X", b);
      text += hex;
    }
    any = true;
  }
  return any ? text : text + L" none";
}

// Sets a control's text only when it differs, so the panel does not flicker on every read.
void SetTextIfChanged(HWND window, int id, const std::wstring& text) {
  wchar_t shown[1024] = {};
  GetDlgItemTextW(window, id, shown, static_cast<int>(std::size(shown)));
  if (text != shown) SetDlgItemTextW(window, id, text.c_str());
}

}  // namespace

CDemoPanel::CDemoPanel(HINSTANCE instance, gm::sim::SimMouse& mouse, gm::sim::SimBootloader* boot, HWND mainWindow)
    : instance_(instance), mouse_(mouse), boot_(boot), mainWindow_(mainWindow) {
  for (const LinkAction& l : kLinkActions) announced_[gm::IndexOf(l.link)] = mouse_.IsPlugged(l.link);
}

CDemoPanel::~CDemoPanel() { Destroy(); }

bool CDemoPanel::Create() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &CDemoPanel::WindowProc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPanelClass;
  RegisterClassExW(&wc);  // fails harmlessly when the class exists

  // The buttons, the state line (two rows: it wraps), the macro line and the flash line.
  const int clientHeight = static_cast<int>(kActionOrder.size() + 2) * (kButtonHeight + kGap) + kStateLineHeight + 2 * kGap;
  RECT frame{0, 0, kButtonWidth + 2 * kGap, clientHeight};
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kPanelClass, L"Simulated mouse", style, 10, 10,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  CreateButtons();
  UpdateLabels();
  // The mouse and its bootloader tell of each change (from the device thread, the workers or this
  // thread); one message at a time is on its way.
  HWND panel = hwnd_;
  auto observer = [panel, posted = &changePosted_] {
    if (!posted->exchange(true)) PostMessageW(panel, gm::msg::kDemoMouseChanged, 0, 0);
  };
  mouse_.SetChangeObserver(observer);
  if (boot_) boot_->SetChangeObserver(observer);
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  return true;
}

void CDemoPanel::Destroy() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  hwnd_ = nullptr;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  KillTimer(hwnd, kReturnTimer);
  KillTimer(hwnd, kChangeTimer);
  mouse_.SetChangeObserver(nullptr);
  if (boot_) boot_->SetChangeObserver(nullptr);
  DestroyWindow(hwnd);
}

void CDemoPanel::CreateButtons() {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int y = kGap;
  for (int action : kActionOrder) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kGap, y, kButtonWidth,
                                  kButtonHeight, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(action)),
                                  instance_, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    y += kButtonHeight + kGap;
  }
  const struct {
    int id;
    int height;
    DWORD style;
  } lines[] = {{kStateLine, kStateLineHeight, 0}, {kMacroLine, kButtonHeight, SS_ENDELLIPSIS},
                {kFlashLine, kButtonHeight, 0}};
  for (const auto& l : lines) {
    HWND line = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | l.style, kGap, y, kButtonWidth,
                                l.height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(l.id)), instance_,
                                nullptr);
    SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    y += l.height + kGap;
  }
  // The command line is not shown: it is for the programs that watch the mouse from outside, and
  // the panel keeps its size and place, which the window tests' screen readings rely on.
  CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT, 0, 0, 0, 0, hwnd_,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCommandLine)), instance_, nullptr);
}

std::wstring CDemoPanel::StateLine(int stage, int mask, int dpiReports, int codeX, int codeY) {
  wchar_t text[128] = {};
  swprintf(text, std::size(text), L"Stage %d, stages 0x%02X, DPI reports %d, X 0x%04X Y 0x%04X", stage + 1, mask,
           dpiReports, codeX, codeY);
  return text;
}

void CDemoPanel::UpdateLabels() {
  if (!hwnd_) return;
  const gm::sim::MouseState state = mouse_.State();
  auto label = [&](int action, const std::wstring& text) { SetTextIfChanged(hwnd_, action, text); };
  label(kDpiButton, L"Press the DPI button");
  label(kRate, std::wstring(L"Report rate: ") + kRateNames[RateIndexOf(state.rateCode)]);
  for (const LinkAction& l : kLinkActions)
    label(l.action, std::wstring(mouse_.IsPlugged(l.link) ? L"Unplug the " : L"Plug in the ") + l.name);
  label(kSleepWake, awake_ ? L"Put the mouse to sleep" : L"Wake the mouse");
  label(kBatteryDown, L"Battery: " + std::to_wstring(battery_) + L"% (lower)");
  label(kCharging, charge_ == 1 ? L"Charging: on" : L"Charging: off");
  label(kLaunch, L"Press launch button 1");
  const auto dpi = state.acceptedByCode.find(gm::kCmdDpiStages);
  const std::size_t stage = state.dpiStage < state.dpiX.size() ? state.dpiStage : 0;
  label(kStateLine, StateLine(state.dpiStage, state.dpiMask, dpi == state.acceptedByCode.end() ? 0 : dpi->second,
                              state.dpiX[stage], state.dpiY[stage]));
  label(kMacroLine, MacroLine(state));
  for (const CommandAction& c : kCommandActions) label(c.action, c.label);
  const gm::sim::BootloaderCounts counts = boot_ ? boot_->Counts() : gm::sim::BootloaderCounts{};
  label(kFlashLine, FlashLine(counts.unlocks, counts.sectorErases, counts.blockWrites, counts.restarts,
                              state.pairingRequests, state.factoryResets));
  label(kCommandLine, CommandLine(state.acceptedByCode));
}

std::wstring CDemoPanel::CommandLine(const std::map<std::uint8_t, int>& acceptedByCode) {
  if (acceptedByCode.empty()) return L"Commands: none";
  std::wstring text = L"Commands:";
  for (const auto& [code, count] : acceptedByCode) {
    wchar_t item[24] = {};
    swprintf(item, std::size(item), L" %02X=%d", code, count);
    text += item;
  }
  return text;
}

std::wstring CDemoPanel::FlashLine(int unlocks, int sectorErases, int blockWrites, int restarts, int pairingReports,
                                   int factoryResets) {
  wchar_t text[128] = {};
  swprintf(text, std::size(text), L"Unlocks %d, erases %d, writes %d, restarts %d, pairing %d, resets %d", unlocks,
           sectorErases, blockWrites, restarts, pairingReports, factoryResets);
  return text;
}

void CDemoPanel::Perform(int action) {
  switch (action) {
    case kDpiButton: mouse_.PressDpiButton(); break;
    case kRate:
      mouse_.ChangeRateOnDevice(kRateCodes[(RateIndexOf(mouse_.State().rateCode) + 1) % kRateCodes.size()]);
      break;
    case kPlugWired:
    case kPlugWireless:
    case kPlugBle: TogglePlug(action); break;
    case kSleepWake:
      awake_ = !awake_;
      mouse_.SetAwake(awake_);
      break;
    case kBatteryDown:
      battery_ = battery_ >= 10 ? static_cast<std::uint8_t>(battery_ - 10) : 100;
      mouse_.SetBattery(battery_, charge_);
      break;
    case kCharging:
      charge_ = charge_ == 1 ? 0 : 1;
      mouse_.SetBattery(battery_, charge_);
      break;
    case kLaunch: mouse_.PressLaunchButton(1); break;
    case kPairReceiver:
    case kUpdateFirmware:
    case kCheckUpdates:
      // Posted: the window opens a modal dialog, which must not run inside this button's click.
      for (const CommandAction& c : kCommandActions)
        if (c.action == action) PostMessageW(mainWindow_, gm::msg::kDemoPanelCommand, c.control, 0);
      return;
    default: return;
  }
  UpdateLabels();
}

// The system would announce the link's collections arriving or leaving; the panel does so in its
// place, to the main window only.
void CDemoPanel::TogglePlug(int action) {
  for (const LinkAction& l : kLinkActions) {
    if (l.action != action) continue;
    const bool plugged = mouse_.IsPlugged(l.link);
    if (plugged) {
      mouse_.Unplug(l.link);
    } else {
      mouse_.Plug(l.link);
    }
    Announce(gm::IndexOf(l.link), !plugged);
  }
}

void CDemoPanel::AnnounceLinkChanges() {
  if (boot_) {
    boot_->Poll();  // brings the links back once a restart's delay has passed
    // A restart may have come and gone between two looks: the system would have announced the
    // links leaving, so the panel does, before it announces them back.
    if (const int restarts = boot_->Counts().restarts; restarts != restartsSeen_) {
      restartsSeen_ = restarts;
      for (const LinkAction& l : kLinkActions)
        if (announced_[gm::IndexOf(l.link)]) Announce(gm::IndexOf(l.link), false);
    }
  }
  for (const LinkAction& l : kLinkActions) {
    const int index = gm::IndexOf(l.link);
    if (mouse_.IsPlugged(l.link) != announced_[index]) Announce(index, !announced_[index]);
  }
}

void CDemoPanel::OnChangeNotice() {
  const ULONGLONG since = GetTickCount64() - changesShownAt_;
  if (since >= kChangeIntervalMs) {
    OnMouseChanged();
  } else {
    SetTimer(hwnd_, kChangeTimer, static_cast<UINT>(kChangeIntervalMs - since), nullptr);
  }
}

void CDemoPanel::OnMouseChanged() {
  KillTimer(hwnd_, kChangeTimer);
  changesShownAt_ = GetTickCount64();
  changePosted_ = false;  // a change from now on posts again
  AnnounceLinkChanges();
  UpdateLabels();
  if (boot_ && boot_->ReturnPending()) {
    SetTimer(hwnd_, kReturnTimer, kReturnPollMs, nullptr);
  } else {
    KillTimer(hwnd_, kReturnTimer);
  }
}

void CDemoPanel::Announce(int linkIndex, bool plugged) {
  announced_[linkIndex] = plugged;
  // Sent, not posted: the system refuses to post device events.
  SendMessageW(mainWindow_, WM_DEVICECHANGE, plugged ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, 0);
}

LRESULT CALLBACK CDemoPanel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CDemoPanel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      if (self && HIWORD(wParam) == BN_CLICKED) self->Perform(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (self && (wParam == kReturnTimer || wParam == kChangeTimer)) self->OnMouseChanged();
      return 0;
    case gm::msg::kDemoMouseChanged:
      if (self) self->OnChangeNotice();
      return 0;
    case WM_CLOSE:
      ShowWindow(hwnd, SW_MINIMIZE);  // the panel lives as long as the program
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
