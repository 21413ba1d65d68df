#include "app/talvin_dlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cwchar>
#include <optional>

#include "app/demo_panel.h"
#include "app/main_window_controls.h"
#include "app/res/skin_resource_ids.h"
#include "app/resource_ids.h"
#include "app/screen_layout.h"
#include "app/single_instance.h"
#include "device/win32/win32_hid.h"
#include "macro/library_file.h"
#include "settings/app_config.h"
#include "settings/language_indexes.h"
#include "settings/paths.h"
#include "settings/profile_record.h"
#include "settings/settings_store.h"
#include "sim/sim_mouse.h"
#include "ui/buttons.h"
#include "ui/dialog_table.h"
#include "ui/dials.h"
#include "ui/gauges.h"
#include "ui/selection_state.h"
#include "ui/selector_buttons.h"
#include "ui/static_controls.h"
#include "ui/combo_button.h"
#include "ui/colour_buttons.h"
#include "ui/dlg_base.h"
#include "dialogs/attention_dlg.h"
#include "dialogs/progress_bar_dlg.h"
#include "ui/skin_image.h"
#include "ui/program_messages.h"

namespace {

constexpr unsigned kUsbVendorId = 1267;  // 0x04F3
constexpr DWORD kShutdownPauseMs = 50;

// One report on its way from a worker thread to the UI thread.
struct PostedReport {
  gm::LinkKind link;
  gm::InputReportBytes bytes;
};

// The demo's mouse: all three links exist, the cable is plugged in and the mouse is awake; the
// panel plugs the receiver and BLE in when the user wants them.
gm::sim::MouseSpec DemoMouse() {
  gm::sim::MouseSpec spec = gm::sim::StandardMouse(true, true, true);
  spec.links[gm::IndexOf(gm::LinkKind::Wireless)].plugged = false;
  spec.links[gm::IndexOf(gm::LinkKind::Ble)].plugged = false;
  return spec;
}

// Posted after each pointer move so the mark follows the control the base found under the pointer.
constexpr UINT kCheckMouseMarkMessage = WM_APP + 2;

constexpr int kFirstRateDial = 3041;
constexpr int kLastRateDial = 3045;
constexpr int kExitButton = 2001;
constexpr int kMinimiseButton = 2002;
constexpr int kWebLink = 3503;
constexpr int kLiftHeader = 3011;

int SectionIndexOf(gm::ControlGroup group) {
  switch (group) {
    case gm::ControlGroup::kDpi: return 0;
    case gm::ControlGroup::kRate: return 1;
    case gm::ControlGroup::kLift: return 2;
    case gm::ControlGroup::kDesktop: return 3;
    case gm::ControlGroup::kSensor: return 4;
    default: return -1;
  }
}

}  // namespace

CTalvinDlg::CTalvinDlg(HINSTANCE instance, gm::DeviceBackend backend)
    : gm::win::CDlgBase(uiContext_, nullptr), instance_(instance), backend_(backend) {
  icon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  if (backend_ == gm::DeviceBackend::kSimulated) {
    auto mouse = std::make_unique<gm::sim::SimMouse>(DemoMouse());
    simMouse_ = mouse.get();
    hid_ = std::move(mouse);
  } else {
    hid_ = std::make_unique<gm::win::Win32Hid>();
  }
  controller_ = std::make_unique<gm::MainController>(*hid_, clock_, static_cast<gm::WindowHost&>(*this), *state_);
  SetHandlers(ControlHandlers());
}

// The controller (and with it the workers) goes before the backend it reads from.
CTalvinDlg::~CTalvinDlg() {
  demoPanel_.reset();
  controller_.reset();
  hid_.reset();
}

BOOL CTalvinDlg::OnInitDialog() {
  reportWindow_ = Hwnd();
  EstablishWorkingFolders();
  EstablishDisplayScale();
  LoadLanguage();
  MakeUiContext();
  LoadMacroLibrary();
  LoadConfigurationAndProfiles();
  BuildSensorTables();
  LayOutPages();
  InitSkinnedBase();
  SetWindowIcons();
  SizeAndPlaceWindow();
  InitMainController();
  ApplyStartupVisibility();
  RefreshAndStartDevices();
  LoadWindowBackground();
  StartPeriodicTimers();
  if (simMouse_) {
    demoPanel_ = std::make_unique<CDemoPanel>(instance_, *simMouse_, Hwnd());
    demoPanel_->Create();
  }
  return TRUE;
}
void CTalvinDlg::EstablishWorkingFolders() {
  wchar_t path[1000] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  state_->env.programFolder = gm::FolderOfExecutable(path);

  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  state_->env.dataFolder = gm::EstablishDataFolder(appData);
}

void CTalvinDlg::EstablishDisplayScale() {
  screenWidth_ = GetSystemMetrics(SM_CXFULLSCREEN);
  screenHeight_ = GetSystemMetrics(SM_CYFULLSCREEN);
  state_->env.displayScale = gm::DisplayScaleFor(screenWidth_, screenHeight_);
  if (HDC dc = GetDC(Hwnd())) {
    state_->env.textScale = gm::TextScaleFor(GetDeviceCaps(dc, LOGPIXELSX));
    ReleaseDC(Hwnd(), dc);
  }
}

// The language texts come first: profile defaults take their names from them.
void CTalvinDlg::LoadLanguage() {
  gm::LoadLanguage(state_->texts, state_->font, state_->env.dataFolder, state_->env.displayScale);
}

// The one place the toolkit's context is taken from the application state: the folders, the
// scale and the language are known by now.
void CTalvinDlg::MakeUiContext() {
  uiContext_.programFolder = state_->env.programFolder;
  uiContext_.displayScale = state_->env.displayScale;
  uiContext_.textScale = state_->env.textScale;
  uiContext_.font = state_->font;
  uiContext_.texts = &state_->texts;
  uiContext_.openDialogs = &openDialogs_;
}

void CTalvinDlg::LoadMacroLibrary() { gm::LoadLibraryAtStartup(state_->library, state_->env.dataFolder); }

// config.ini and the five profile files; missing or invalid ones are rewritten with defaults.
void CTalvinDlg::LoadConfigurationAndProfiles() {
  gm::LoadAppConfig(*state_);
  state_->currentProfile = gm::GetCurrentProfile(state_->config);
}

// The DPI list of the sensor named in the configuration.
void CTalvinDlg::BuildSensorTables() { gm::BuildSensorDpiTables(state_->sensor); }

// The window's size at the display scale; the main window is not one of the open secondary dialogs.
// The dialog template's caption gives the window a title bar: the skinned window has none, so its
// client area is the whole window.
void CTalvinDlg::LayOutPages() {
  const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
  SetWindowLongPtrW(Hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
  SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  SetWindowSize(static_cast<int>(gm::kMainDesignWidth * state_->env.displayScale),
                static_cast<int>(gm::kMainDesignHeight * state_->env.displayScale));
  SetRegisterAsOpenDialog(false);
}

// The dialog base creates the controls of the layout table (CreateControls) and the sections take
// their places.
void CTalvinDlg::InitSkinnedBase() {
  gm::win::CDlgBase::OnInitDialog();
  frame_.LoadFile(Context().ProgramFile(L"skins\\Frame_Lighting_Setting.bmp"));
  ApplySectionLayout();
}

void CTalvinDlg::SetWindowIcons() {
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void CTalvinDlg::SizeAndPlaceWindow() {
  const gm::WindowPlacement p = gm::PlaceMainWindow(screenWidth_, screenHeight_, state_->env.displayScale);
  SetWindowPos(Hwnd(), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Hwnd(), SW_SHOW);
}

void CTalvinDlg::InitMainController() {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%.4x", kUsbVendorId);
  vendorIdText_ = text;
}

// "NeedPassword" of the configuration: 1 starts minimised; 0 means shown and online.
void CTalvinDlg::ApplyStartupVisibility() { controller_->ApplyStartMode(); }

// The first refresh, the device links, the shadows and the first scan.
void CTalvinDlg::RefreshAndStartDevices() { controller_->RefreshAndStartDevices(); }

void CTalvinDlg::LoadWindowBackground() { SetBackgroundBitmap(IDB_MAIN_BACKGROUND); }

void CTalvinDlg::StartPeriodicTimers() { controller_->StartPeriodicTimers(); }

// The end of the window, in order: a short pause for what the controls still finish, the
// window's own pictures, the pending save, the workers and the control handles. Reports the
// workers posted meanwhile are freed unread.
void CTalvinDlg::ShutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (demoPanel_) demoPanel_->Destroy();
  Sleep(kShutdownPauseMs);
  ReleaseControlImages();
  frame_.Reset();
  controller_->Shutdown();
  reportWindow_ = nullptr;
  DiscardQueuedInputReports();
}

bool CTalvinDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      // The dialog loop shows its window once, when its queue first runs empty; a hide that came
      // before (a click handled before that moment) must stay.
      if (hiddenByProgram_) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
      return false;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(icon_);
      return true;
    case WM_TIMER:
      controller_->OnTimer(static_cast<unsigned>(wParam));
      return true;
    case WM_DEVICECHANGE:
      controller_->OnDeviceChange(static_cast<std::uint32_t>(wParam));
      return false;  // the default handling follows
    case WM_CLOSE:
      CloseOpenDialogs();
      EndDialog(IDCANCEL);
      return true;
    case WM_DESTROY:
      ShutDown();
      return false;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      PostMessageW(Hwnd(), kCheckMouseMarkMessage, 0, 0);
      return false;  // the base routes the pointer to the controls
    case kCheckMouseMarkMessage:
      UpdateMouseMark();
      return true;
    case gm::msg::kHandOver:
      controller_->OnShowRequest();
      return true;
    case kInputReportMessage:
      OnInputReportMessage(wParam, lParam);
      return true;
    case gm::msg::kStageDisplay:
      return true;  // the on-screen display is not part of this window yet
    default:
      break;
  }
  return false;
}

void CTalvinDlg::OnInputReportMessage(WPARAM, LPARAM lParam) {
  std::unique_ptr<PostedReport> report(reinterpret_cast<PostedReport*>(lParam));
  if (report && !shutDown_) controller_->OnInputReport(report->link, report->bytes);
}

void CTalvinDlg::DiscardQueuedInputReports() {
  MSG msg;
  while (PeekMessageW(&msg, Hwnd(), kInputReportMessage, kInputReportMessage, PM_REMOVE))
    delete reinterpret_cast<PostedReport*>(msg.lParam);
}

// ---- controls, sections and painting ----

void CTalvinDlg::CreateControls(const RECT&) {
  for (const gm::MainControlSpec& spec : gm::MainWindowControls()) {
    auto control = gm::win::MakeMainControl(*this, spec, Scaled(spec.rect), state_->sensor);
    if (!control) continue;
    const int section = SectionIndexOf(spec.group);
    if (section >= 0) control->SetShown(sectionOpen_[section]);
    AddControl(spec.layer, std::move(control));
  }
  // The lift-off header appears only once the mouse reports a sensor with that setting; the
  // offline hint only when the controller asks for it.
  for (int id : {kLiftHeader, static_cast<int>(gm::kControlOfflineHint)})
    if (auto* c = GetControl(static_cast<UINT>(id))) c->SetVisible(false);
  selection_.Attach(*this);
}

// Headers stack below the open sections; each section's controls follow its header and are on the
// page only while it is open.
void CTalvinDlg::ApplySectionLayout() {
  if (!state_->sensor.hasLiftSetting) sectionOpen_[static_cast<int>(gm::Section::kLift)] = false;
  const auto placed = gm::StackSections(sectionOpen_, state_->sensor.hasLiftSetting);
  for (int i = 0; i < gm::kSectionCount; ++i) {
    auto* header = static_cast<gm::win::CCheckButton*>(GetControl(static_cast<UINT>(gm::kSectionHeaderIds[i])));
    if (!header) continue;
    header->SetChecked(sectionOpen_[i]);
    if (placed[i].present) header->SetRect(Scaled(placed[i].header));
    if (!state_->sensor.hasLiftSetting && i == static_cast<int>(gm::Section::kLift)) header->SetVisible(false);
  }
  for (const gm::MainControlSpec& spec : gm::MainWindowControls()) {
    const int section = SectionIndexOf(spec.group);
    if (section < 0) continue;
    gm::win::CControlBase* control = GetControl(static_cast<UINT>(spec.id));
    if (!control) continue;
    control->SetShown(sectionOpen_[section]);
    if (spec.group == gm::ControlGroup::kDpi || !placed[section].present) continue;
    const gm::LayoutRect& h = placed[section].header;
    control->SetRect(Scaled(gm::PlaceInSection(spec, h.left, h.bottom, state_->sensor.showsExtraOption)));
    if (spec.kind == gm::MainControlKind::kRatePicture)
      static_cast<gm::win::CPollingRateDial*>(control)->BuildRegions();
  }
}

void CTalvinDlg::OnSectionHeaderClicked(gm::Section section) {
  auto* header = static_cast<gm::win::CCheckButton*>(GetControl(static_cast<UINT>(gm::kSectionHeaderIds[static_cast<int>(section)])));
  if (!header) return;
  sectionOpen_ = gm::AfterHeaderClick(sectionOpen_, section, header->Checked());
  ApplySectionLayout();
  RefreshFromProfile();
}

// The commands of the other controls belong to the window's command handling; the window itself
// carries out opening sections, exit, minimise and the web link.
std::vector<gm::win::EventHandler> CTalvinDlg::ControlHandlers() {
  using gm::win::kEventClicked;
  std::vector<gm::win::EventHandler> handlers = {
      {kExitButton, kEventClicked, [this] {
         CloseOpenDialogs();
         EndDialog(IDOK);
       }},
      {kMinimiseButton, kEventClicked, [this] { Hide(); }},
      {kWebLink, kEventClicked, [this] { OpenUrl(std::wstring(L"https://") + gm::win::kMakerWebAddress); }},
  };
  for (int i = 0; i < gm::kSectionCount; ++i) {
    const auto section = static_cast<gm::Section>(i);
    handlers.push_back({static_cast<UINT>(gm::kSectionHeaderIds[i]), kEventClicked,
                        [this, section] { OnSectionHeaderClicked(section); }});
  }
  return handlers;
}

void CTalvinDlg::DrawControls(HDC dc, const RECT& update) {
  DrawFrames(dc);
  gm::win::CDlgBase::DrawControls(dc, update);
  DrawMouseMark(dc);
}

// The frame picture stretched into the left column's boxes and behind every open section.
void CTalvinDlg::DrawFrames(HDC dc) {
  if (!frame_) return;
  gm::win::SkinGraphics g(dc);
  for (const gm::LayoutRect& box : gm::LeftFrameBoxes()) g.Draw(frame_, Scaled(box));
  const auto placed = gm::StackSections(sectionOpen_, state_->sensor.hasLiftSetting);
  for (const gm::SectionPlacement& p : placed)
    if (p.present && p.open) g.Draw(frame_, Scaled(p.frame));
}

RECT CTalvinDlg::Scaled(const gm::LayoutRect& r) const { return gm::win::ScaledRect(r, state_->env.displayScale); }

RECT CTalvinDlg::MouseMarkRect(int comboNumber) const {
  const auto origin = gm::MouseMarkOrigin(comboNumber);
  if (!origin) return {};
  constexpr int kMarkSize = 22;
  return Scaled({origin->x, origin->y, origin->x + kMarkSize, origin->y + kMarkSize});
}

void CTalvinDlg::DrawMouseMark(HDC dc) {
  if (markedCombo_ == 0) return;
  gm::win::SkinImage mark;
  const std::wstring file = L"skins\\mouse\\number" + std::to_wstring(markedCombo_) + L".png";
  if (!mark.LoadFile(Context().ProgramFile(file))) return;  // a missing picture is skipped
  const auto origin = gm::MouseMarkOrigin(markedCombo_);
  const gm::LayoutRect at{origin->x, origin->y, origin->x + mark.Width(), origin->y + mark.Height()};
  gm::win::SkinGraphics g(dc);
  g.Draw(mark, Scaled(at));
}

// The mark follows the key combo under the pointer.
void CTalvinDlg::UpdateMouseMark() {
  const gm::win::CControlBase* hot = HotControl();
  const int combo = hot ? gm::ComboNumberOf(static_cast<int>(hot->Id())) : 0;
  if (combo == markedCombo_) return;
  for (int n : {markedCombo_, combo}) {
    if (n == 0) continue;
    const RECT r = MouseMarkRect(n);
    InvalidateRect(Hwnd(), &r, FALSE);
  }
  markedCombo_ = combo;
}

// ---- what the controller asks of the window ----

void CTalvinDlg::StartTimer(unsigned id, unsigned periodMs) { SetTimer(Hwnd(), id, periodMs, nullptr); }

void CTalvinDlg::StopTimer(unsigned id) { KillTimer(Hwnd(), id); }

void CTalvinDlg::Minimise() {
  hiddenByProgram_ = false;
  ShowWindow(Hwnd(), SW_MINIMIZE);
}

void CTalvinDlg::Hide() {
  hiddenByProgram_ = true;
  ShowWindow(Hwnd(), SW_HIDE);
}

void CTalvinDlg::ShowInForeground() {
  hiddenByProgram_ = false;
  SetForegroundWindow(Hwnd());
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
}

void CTalvinDlg::ShowModalNotice(int textIndex) {
  gm::win::CAttentionDlg notice(uiContext_, uiContext_.Text(gm::kTextAttention), uiContext_.Text(textIndex), Hwnd());
  notice.DoModal();
}

// Not owned by the main window: it must stay visible while the main window is hidden.
void CTalvinDlg::ShowTopmostNotice(int textIndex) {
  gm::win::CAttentionDlg::ShowModeless(uiContext_, uiContext_.Text(gm::kTextAttention), uiContext_.Text(textIndex),
                                       nullptr);
}

void CTalvinDlg::ShowProgress(int textIndex) {
  gm::win::CProgressBarDlg progress(uiContext_, uiContext_.Text(textIndex), L"", Hwnd());
  progress.DoModal();
}

void CTalvinDlg::SetControlVisible(int controlId, bool visible) {
  if (auto* c = GetControl(static_cast<UINT>(controlId))) c->SetVisible(visible);
  if (controlId == kLiftHeader) ApplySectionLayout();
}

void CTalvinDlg::SetControlEnabled(int controlId, bool enabled) {
  if (auto* c = GetControl(static_cast<UINT>(controlId))) c->SetDisabled(!enabled);
}

void CTalvinDlg::InvalidateControl(int controlId) {
  if (const auto* c = GetControl(static_cast<UINT>(controlId))) {
    const RECT r = c->GetRect();
    InvalidateRect(Hwnd(), &r, FALSE);
  } else {
    InvalidateRect(Hwnd(), nullptr, FALSE);
  }
}

void CTalvinDlg::SetBattery(int animationLevel, int percent, int chargeState) {
  auto* battery = static_cast<gm::win::CBattery*>(GetControl(gm::kControlBattery));
  if (!battery) return;
  battery->SetAnimationLevel(animationLevel);
  battery->SetPercent(percent);
  battery->SetChargeState(chargeState);
  InvalidateControl(gm::kControlBattery);
}

void CTalvinDlg::RefreshFromProfile() {
  RefreshControls();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

// The sensor decides the lift-off header and the stage bars' level count.
void CTalvinDlg::SensorChanged() {
  if (auto* lift = GetControl(kLiftHeader)) lift->SetVisible(state_->sensor.hasLiftSetting);
  for (int i = 0; i < gm::kDpiStageCount; ++i)
    if (auto* bar = static_cast<gm::win::CLevelBar*>(GetControl(static_cast<UINT>(3300 + i))))
      bar->SetLevelCount(static_cast<int>(state_->sensor.count));
  ApplySectionLayout();
  RefreshFromProfile();
}

void CTalvinDlg::ShowStageDisplay() { PostMessageW(Hwnd(), gm::msg::kStageDisplay, 1, 0); }

void CTalvinDlg::OpenUrl(const std::wstring& url) {
  ShellExecuteW(Hwnd(), L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The profile commands of the window carry these out once they exist.
void CTalvinDlg::CarryOutProfileOperation(std::uint8_t, int) {}

void CTalvinDlg::RegisterDeviceNotifications() { gm::win::RegisterHidNotifications(Hwnd()); }

// Each dialog removes itself from the table as it closes: work on a copy.
void CTalvinDlg::CloseOpenDialogs() {
  const auto open = openDialogs_.Entries();
  for (void* window : open)
    if (window) SendMessageW(static_cast<HWND>(window), WM_CLOSE, 0, 0);
}

void CTalvinDlg::Quit() { PostMessageW(Hwnd(), WM_QUIT, 0, 0); }

// Worker threads: the bytes travel in a heap block that the UI thread frees.
void CTalvinDlg::PostInputReport(gm::LinkKind link, const gm::InputReportBytes& report) {
  const HWND target = reportWindow_.load();
  if (!target) return;
  auto block = std::make_unique<PostedReport>(PostedReport{link, report});
  if (PostMessageW(target, kInputReportMessage, static_cast<WPARAM>(link), reinterpret_cast<LPARAM>(block.get())))
    block.release();
}
