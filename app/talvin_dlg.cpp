#include "app/talvin_dlg.h"

#include <shlobj.h>

#include <array>

#include "app/builtin_texts.h"
#include "app/demo_panel.h"
#include "app/res/skin_resource_ids.h"
#include "app/resource_ids.h"
#include "app/screen_layout.h"
#include "app/single_instance.h"
#include "device/thread_stack.h"
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
#include "ui/dlg_base.h"
#include "ui/program_messages.h"
#include "ui/static_controls.h"

namespace {

constexpr DWORD kShutdownPauseMs = 50;

// The demo's mouse: all three links exist, the cable is plugged in and the mouse is awake; the
// panel plugs the receiver and BLE in when the user wants them.
gm::sim::MouseSpec DemoMouse() {
  gm::sim::MouseSpec spec = gm::sim::StandardMouse(true, true, true);
  spec.links[gm::IndexOf(gm::LinkKind::Wireless)].plugged = false;
  spec.links[gm::IndexOf(gm::LinkKind::Ble)].plugged = false;
  return spec;
}

}  // namespace

CTalvinDlg::CTalvinDlg(HINSTANCE instance, gm::DeviceBackend backend)
    : gm::win::CDlgBase(uiContext_, nullptr), instance_(instance), backend_(backend) {
  icon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  if (backend_ == gm::DeviceBackend::kSimulated) {
    MakeDemoMouse(DemoMouse());
  } else {
    hid_ = std::make_unique<gm::win::Win32Hid>();
  }
  controller_ = std::make_unique<gm::MainController>(*hid_, clock_, host_, *state_);
  SetHandlers(CommandTable());
}

// The controller (and with it the workers) goes before the backend it reads from.
CTalvinDlg::~CTalvinDlg() {
  demoPanel_.reset();
  controller_.reset();
  hid_.reset();
}

BOOL CTalvinDlg::OnInitDialog() {
  host_.StartReports(Hwnd());
  EstablishWorkingFolders();
  EstablishDisplayScale();
  LoadLanguage();
  MakeUiContext();
  LoadMacroLibrary();
  LoadConfigurationAndProfiles();
  BuildSensorTables();
  RemoveTitleBarAndSize();
  CreateControlsAndPlaceSections();
  SetWindowIcons();
  PlaceAndShowWindow();
  StartCompanions();
  ApplyStartupVisibility();
  RefreshAndStartDevices();
  LoadWindowBackground();
  StartPeriodicTimers();
  if (simMouse_) {
    demoPanel_ = std::make_unique<CDemoPanel>(instance_, *simMouse_, demoBootloader_, Hwnd());
    demoPanel_->Create();
  }
  PostMessageW(Hwnd(), gm::msg::kStartupSettled, 0, 0);
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

// The language texts come first: profile defaults take their names from them. The English texts
// the program carries fill in whatever the language file does not give.
void CTalvinDlg::LoadLanguage() {
  gm::LoadLanguage(state_->texts, state_->font, state_->env.dataFolder, state_->env.displayScale,
                   gm::win::BuiltInEnglishTexts(instance_));
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

// The dialog template's caption gives the window a title bar: the skinned window has none, so its
// client area is the whole window. Its size is the design size at the display scale; the main
// window is not one of the open secondary dialogs.
void CTalvinDlg::RemoveTitleBarAndSize() {
  const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
  SetWindowLongPtrW(Hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
  SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  SetWindowSize(static_cast<int>(gm::kMainDesignWidth * state_->env.displayScale),
                static_cast<int>(gm::kMainDesignHeight * state_->env.displayScale));
  SetRegisterAsOpenDialog(false);
  SetShownAtOnce();
}

// The dialog base creates the controls of the layout table (CreateControls), the window's own
// pictures are decoded and the sections take their places.
void CTalvinDlg::CreateControlsAndPlaceSections() {
  gm::win::CDlgBase::OnInitDialog();
  painter_.Load(Context());
  ApplySectionLayout();
}

void CTalvinDlg::SetWindowIcons() {
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void CTalvinDlg::PlaceAndShowWindow() {
  const gm::WindowPlacement p = gm::PlaceMainWindow(screenWidth_, screenHeight_, state_->env.displayScale);
  SetWindowPos(Hwnd(), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Hwnd(), SW_SHOW);
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
  painter_.Release();
  controller_->Shutdown();
  host_.StopReports();
  host_.StopProgress();
  StopCompanions();
}

bool CTalvinDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (RoutePopupMessage(message, wParam, lParam)) return true;
  if (RouteCompanionMessage(message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      // The dialog loop shows its window once, when its queue first runs empty; a hide that came
      // before (a click handled before that moment) must stay.
      if (host_.HiddenByProgram()) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
      return false;
    case WM_WINDOWPOSCHANGED:
      if (IsWindowVisible(Hwnd()) && !controller_->WindowShown()) PostMessageW(Hwnd(), gm::msg::kCheckVisibility, 0, 0);
      return false;
    case gm::msg::kCheckVisibility:
      if (IsWindowVisible(Hwnd())) controller_->OnWindowShownBySystem();
      return true;
    case gm::msg::kStartupSettled:
      gm::ReturnUnusedStackPages();
      return true;
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
      host_.CloseOpenDialogs();
      EndDialog(IDCANCEL);
      return true;
    case WM_DESTROY:
      ShutDown();
      return false;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      PostMessageW(Hwnd(), gm::msg::kCheckMouseMark, 0, 0);
      return false;  // the base routes the pointer to the controls
    case gm::msg::kCheckMouseMark:
      UpdateMouseMark();
      return true;
    case gm::msg::kHandOver:
      controller_->OnShowRequest();
      return true;
    case gm::msg::kInputReport:
      host_.OnInputReportMessage(lParam);
      return true;
    case gm::msg::kDeviceJobDone:
      host_.OnJobResultMessage(lParam);
      return true;
    case gm::msg::kPairingRequested:
      result = OnPairingRequested();
      return true;
    case gm::msg::kFirmwareUpdated:
      OnFirmwareUpdated();
      result = 0;
      return true;
    case gm::msg::kDemoPanelCommand:
      // A command button of the demo panel: the control's click, as if the user had made it.
      if (demoPanel_) QueueEvent({.id = static_cast<UINT>(wParam), .event = gm::win::kEventClicked});
      return true;
    default:
      break;
  }
  return false;
}

// ---- controls, sections and painting ----

void CTalvinDlg::CreateControls(const RECT&) {
  for (const gm::MainControlSpec& spec : gm::MainWindowControls()) {
    auto control = gm::win::MakeMainControl(*this, spec, Scaled(spec.rect), state_->sensor);
    if (!control) continue;
    if (spec.group != gm::ControlGroup::kCommon) control->SetShown(sections_.Shows(spec.group));
    AddControl(spec.layer, std::move(control));
  }
  controls_ = gm::win::FindMainControls(*this);
  if (controls_) {
    sections_.Attach(*this, controls_->sectionHeaders, state_->env.displayScale);
    // The lift-off header appears only once the mouse reports a sensor with that setting; the
    // offline hint only when the controller asks for it.
    controls_->Header(gm::Section::kLift).SetVisible(false);
    controls_->offlineHint->SetVisible(false);
  }
  selection_.Attach(*this);
}

void CTalvinDlg::ApplySectionLayout() { sections_.Apply(state_->sensor); }

// The frames follow the sections: once they have moved, the backdrop is drawn again.
void CTalvinDlg::DrawWindow(HDC dc, const RECT& client) {
  const auto placed = sections_.Placed(state_->sensor);
  if (placed != backdropSections_) {
    ForgetBackdrop();
    backdropSections_ = placed;
  }
  gm::win::CDlgBase::DrawWindow(dc, client);
}

void CTalvinDlg::DrawBackdrop(HDC dc, const RECT& client) {
  gm::win::CDlgBase::DrawBackdrop(dc, client);
  painter_.DrawFrames(dc, sections_.Placed(state_->sensor));
}

void CTalvinDlg::DrawControls(HDC dc, const RECT& update) {
  gm::win::CDlgBase::DrawControls(dc, update);
  painter_.DrawMouseMark(dc);
}

void CTalvinDlg::UpdateMouseMark() {
  const gm::win::CControlBase* hot = HotControl();
  painter_.MarkCombo(hot ? gm::ComboNumberOf(static_cast<int>(hot->Id())) : 0, Hwnd());
}
