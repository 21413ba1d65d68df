#include "app/talvin_dlg.h"

#include <shlobj.h>

#include <cwchar>

#include "app/resource_ids.h"
#include "app/screen_layout.h"
#include "app/single_instance.h"
#include "macro/library_file.h"
#include "settings/app_config.h"
#include "settings/environment.h"
#include "settings/language.h"
#include "settings/number_text.h"
#include "settings/paths.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "settings/settings_store.h"

namespace {

constexpr UINT_PTR kVisibilityTimer = 40;  // 100 ms
constexpr UINT_PTR kStatusTimer = 80;      // 2000 ms
constexpr unsigned kUsbVendorId = 1267;    // 0x04F3

}  // namespace

CTalvinDlg::CTalvinDlg(HINSTANCE instance, gm::DeviceBackend backend)
    : instance_(instance), backend_(backend) {
  icon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
}

CTalvinDlg::~CTalvinDlg() = default;

BOOL CTalvinDlg::OnInitDialog() {
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
  windowShown_ = false;
  mouseOnline_ = false;
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%.4x", kUsbVendorId);
  vendorIdText_ = text;
}

// "NeedPassword" of the configuration: 1 starts minimised; 0 means shown and online.
void CTalvinDlg::ApplyStartupVisibility() {
  const long needPassword = 0;  // read from config.ini once the configuration is loaded
  if (needPassword == 1) ShowWindow(Hwnd(), SW_MINIMIZE);
  windowShown_ = needPassword == 0;
  mouseOnline_ = needPassword == 0;
}

void CTalvinDlg::RefreshAndStartDevices() {}

void CTalvinDlg::LoadWindowBackground() {}

void CTalvinDlg::StartPeriodicTimers() {
  SetTimer(Hwnd(), kVisibilityTimer, 100, nullptr);
  SetTimer(Hwnd(), kStatusTimer, 2000, nullptr);
}

bool CTalvinDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(icon_);
      return true;
    case WM_TIMER:
      OnTimer(wParam);
      return true;
    case WM_CLOSE:
      KillTimer(Hwnd(), kVisibilityTimer);
      KillTimer(Hwnd(), kStatusTimer);
      EndDialog(IDCANCEL);
      return true;
    case gm::kHandOverMessage:
      OnHandOverRequest();
      return true;
    default:
      return false;
  }
}

// While minimised the window shows the application icon in the middle of its client area.
void CTalvinDlg::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd(), &ps);
  if (IsIconic(Hwnd())) {
    SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT rc;
    GetClientRect(Hwnd(), &rc);
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (rc.right - rc.left - cx + 1) / 2, (rc.bottom - rc.top - cy + 1) / 2, icon_);
  }
  EndPaint(Hwnd(), &ps);
}

// A second start of the program asks to see the window.
void CTalvinDlg::OnHandOverRequest() {
  if (windowShown_ && mouseOnline_) {
    SetForegroundWindow(Hwnd());
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
  }
}

void CTalvinDlg::OnTimer(UINT_PTR id) {
  if (id == kVisibilityTimer && !windowShown_) ShowWindow(Hwnd(), SW_HIDE);
}
