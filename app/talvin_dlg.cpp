#include "app/talvin_dlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cwchar>

#include "app/demo_panel.h"
#include "app/res/skin_resource_ids.h"
#include "app/resource_ids.h"
#include "app/screen_layout.h"
#include "app/single_instance.h"
#include "device/win32/win32_hid.h"
#include "macro/library_file.h"
#include "settings/app_config.h"
#include "settings/environment.h"
#include "settings/language.h"
#include "settings/language_indexes.h"
#include "settings/paths.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "settings/settings_store.h"
#include "sim/sim_mouse.h"
#include "ui/dialog_table.h"
#include "ui/dlg_base.h"
#include "ui/notice_dialogs.h"
#include "ui/skin_image.h"

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

const wchar_t* StatusPictureFile(int controlId) {
  switch (controlId) {
    case gm::kControlStatusWired: return L"skins\\Status_Wired.png";
    case gm::kControlStatusBle: return L"skins\\Status_BLE.png";
    case gm::kControlStatusWireless: return L"skins\\Status_Wireless.png";
    default: return nullptr;
  }
}

}  // namespace

CTalvinDlg::CTalvinDlg(HINSTANCE instance, gm::DeviceBackend backend) : instance_(instance), backend_(backend) {
  icon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  if (backend_ == gm::DeviceBackend::kSimulated) {
    auto mouse = std::make_unique<gm::sim::SimMouse>(DemoMouse());
    simMouse_ = mouse.get();
    hid_ = std::move(mouse);
  } else {
    hid_ = std::make_unique<gm::win::Win32Hid>();
  }
  controller_ = std::make_unique<gm::MainController>(*hid_, clock_, static_cast<gm::WindowHost&>(*this));
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
  gm::ProgramFolder = gm::FolderOfExecutable(path);

  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  gm::DataFolder = gm::EstablishDataFolder(appData);
}

void CTalvinDlg::EstablishDisplayScale() {
  screenWidth_ = GetSystemMetrics(SM_CXFULLSCREEN);
  screenHeight_ = GetSystemMetrics(SM_CYFULLSCREEN);
  gm::DisplayScale = gm::DisplayScaleFor(screenWidth_, screenHeight_);
  if (HDC dc = GetDC(Hwnd())) {
    gm::TextScale = gm::TextScaleFor(GetDeviceCaps(dc, LOGPIXELSX));
    ReleaseDC(Hwnd(), dc);
  }
}

// The language texts come first: profile defaults take their names from them.
void CTalvinDlg::LoadLanguage() { gm::LoadLanguage(); }

void CTalvinDlg::LoadMacroLibrary() { gm::LoadLibraryAtStartup(); }

// config.ini and the five profile files; missing or invalid ones are rewritten with defaults.
void CTalvinDlg::LoadConfigurationAndProfiles() {
  gm::LoadAppConfig();
  gm::CurrentProfileIndex = gm::GetCurrentProfile();
}

// The DPI list of the sensor named in the configuration.
void CTalvinDlg::BuildSensorTables() { gm::BuildSensorDpiTables(); }

void CTalvinDlg::LayOutPages() {}

void CTalvinDlg::InitSkinnedBase() {}

void CTalvinDlg::SetWindowIcons() {
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void CTalvinDlg::SizeAndPlaceWindow() {
  const gm::WindowPlacement p = gm::PlaceMainWindow(screenWidth_, screenHeight_, gm::DisplayScale);
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

void CTalvinDlg::LoadWindowBackground() {
  background_.Reset(static_cast<HBITMAP>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDB_MAIN_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info{};
  if (background_ && GetObjectW(background_.Get(), sizeof(info), &info)) backgroundSize_ = {info.bmWidth, info.bmHeight};
}

void CTalvinDlg::StartPeriodicTimers() { controller_->StartPeriodicTimers(); }

// The end of the window, in order: a short pause for what the controls still finish, the
// window's own pictures, the pending save, the workers and the control handles. Reports the
// workers posted meanwhile are freed unread.
void CTalvinDlg::ShutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (demoPanel_) demoPanel_->Destroy();
  Sleep(kShutdownPauseMs);
  background_.Reset();
  controller_->Shutdown();
  reportWindow_ = nullptr;
  DiscardQueuedInputReports();
}

bool CTalvinDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_ERASEBKGND:
      result = 1;
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
      CloseOpenDialogs();
      EndDialog(IDCANCEL);
      return true;
    case WM_DESTROY:
      ShutDown();
      return false;
    case gm::kHandOverMessage:
      controller_->OnShowRequest();
      return true;
    case kInputReportMessage:
      OnInputReportMessage(wParam, lParam);
      return true;
    case kStageDisplayMessage:
      return true;  // the on-screen display is not part of this window yet
    default:
      return false;
  }
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

// ---- painting ----

// While minimised the window shows the application icon in the middle of its client area.
void CTalvinDlg::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd(), &ps);
  RECT rc;
  GetClientRect(Hwnd(), &rc);
  if (IsIconic(Hwnd())) {
    SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (rc.right - rc.left - cx + 1) / 2, (rc.bottom - rc.top - cy + 1) / 2, icon_);
  } else {
    gm::win::OffscreenBuffer buffer(dc, rc.right, rc.bottom);
    PaintStandIn(buffer.Get(), rc);
    buffer.Blit();
  }
  EndPaint(Hwnd(), &ps);
}

// Until the window's pages exist: the background, the picture of the link in use and the
// battery level.
void CTalvinDlg::PaintStandIn(HDC dc, const RECT& client) {
  gm::win::FillSolid(dc, client, RGB(24, 26, 30));
  if (background_) {
    gm::win::ScopedMemoryDC source(dc);
    gm::win::SelectScope select(source.Get(), background_.Get());
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, backgroundSize_.cx, backgroundSize_.cy,
               SRCCOPY);
  }
  for (const auto& [id, visible] : controlVisible_) {
    const wchar_t* file = StatusPictureFile(id);
    if (!visible || !file) continue;
    gm::win::SkinImage picture;
    if (!picture.LoadFile(gm::win::ProgramFile(file))) continue;
    const RECT at = gm::win::DesignRect(40, 660, 40 + picture.Width(), 660 + picture.Height());
    gm::win::SkinGraphics g(dc);
    g.Draw(picture, at);
  }
  if (controlVisible_.count(gm::kControlStatusWired) && !controlVisible_[gm::kControlStatusWired] &&
      !controlVisible_[gm::kControlStatusBle] && !controlVisible_[gm::kControlStatusWireless])
    return;
  gm::win::SkinImage battery;
  const wchar_t* file = batteryCharge_ == 1 ? L"skins\\battery_charging.png" : L"skins\\battery_full.png";
  if (battery.LoadFile(gm::win::ProgramFile(file))) {
    gm::win::SkinGraphics g(dc);
    g.Draw(battery, gm::win::DesignRect(290, 655, 290 + battery.Width(), 655 + battery.Height()));
  }
  const std::wstring percent = std::to_wstring(batteryPercent_) + L"%";
  gm::win::DrawControlText(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), RGB(220, 220, 220), percent,
                           gm::win::DesignRect(330, 675, 400, 695), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// ---- what the controller asks of the window ----

void CTalvinDlg::StartTimer(unsigned id, unsigned periodMs) { SetTimer(Hwnd(), id, periodMs, nullptr); }

void CTalvinDlg::StopTimer(unsigned id) { KillTimer(Hwnd(), id); }

void CTalvinDlg::Minimise() { ShowWindow(Hwnd(), SW_MINIMIZE); }

void CTalvinDlg::Hide() { ShowWindow(Hwnd(), SW_HIDE); }

void CTalvinDlg::ShowInForeground() {
  SetForegroundWindow(Hwnd());
  ShowWindow(Hwnd(), SW_SHOWNORMAL);
}

void CTalvinDlg::ShowModalNotice(int textIndex) {
  gm::win::CAttentionDlg notice(gm::LanguageTexts[gm::kTextAttention], gm::LanguageTexts[textIndex], Hwnd());
  notice.DoModal();
}

// Not owned by the main window: it must stay visible while the main window is hidden.
void CTalvinDlg::ShowTopmostNotice(int textIndex) {
  gm::win::CAttentionDlg::ShowModeless(gm::LanguageTexts[gm::kTextAttention], gm::LanguageTexts[textIndex], nullptr);
}

void CTalvinDlg::ShowProgress(int textIndex) {
  gm::win::CProgressBarDlg progress(gm::LanguageTexts[textIndex], L"", Hwnd());
  progress.DoModal();
}

void CTalvinDlg::SetControlVisible(int controlId, bool visible) { controlVisible_[controlId] = visible; }

void CTalvinDlg::SetControlEnabled(int controlId, bool enabled) { controlEnabled_[controlId] = enabled; }

void CTalvinDlg::InvalidateControl(int) { InvalidateRect(Hwnd(), nullptr, FALSE); }

void CTalvinDlg::SetBattery(int, int percent, int chargeState) {
  batteryPercent_ = percent;
  batteryCharge_ = chargeState;
}

void CTalvinDlg::RefreshFromProfile() { InvalidateRect(Hwnd(), nullptr, FALSE); }

void CTalvinDlg::SensorChanged() { InvalidateRect(Hwnd(), nullptr, FALSE); }

void CTalvinDlg::ShowStageDisplay() { PostMessageW(Hwnd(), kStageDisplayMessage, 1, 0); }

void CTalvinDlg::OpenUrl(const std::wstring& url) {
  ShellExecuteW(Hwnd(), L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The profile commands of the window carry these out once they exist.
void CTalvinDlg::CarryOutProfileOperation(std::uint8_t, int) {}

void CTalvinDlg::RegisterDeviceNotifications() { gm::win::RegisterHidNotifications(Hwnd()); }

// Each dialog removes itself from the table as it closes: work on a copy.
void CTalvinDlg::CloseOpenDialogs() {
  const auto open = gm::OpenDialogTable.Entries();
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
