#include "app/talvin_app.h"

#include <gdiplus.h>

#include "app/resource_ids.h"
#include "app/single_instance.h"
#include "app/talvin_dlg.h"
#include "ui/program_messages.h"

CTalvinApp::CTalvinApp(HINSTANCE instance, gm::DeviceBackend backend) : instance_(instance), backend_(backend) {}

BOOL CTalvinApp::InitInstance() {
  if (HandOverToRunningInstance()) return FALSE;
  RegisterMainWindowClass();
  StartGdiPlus();
  SetRegistryKey(L"应用程序向导生成的本地应用程序");
  RunMainWindow();
  ShutdownGdiPlus();
  return FALSE;
}

// Creates the instance mutex. When it already existed another instance runs: signal its main
// window (if it has one yet) and report that this process should end without showing anything.
bool CTalvinApp::HandOverToRunningInstance() {
  instanceMutex_ = CreateMutexW(nullptr, FALSE, gm::kInstanceMutexName);
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  if (HWND running = FindWindowW(gm::kMainWindowClassName, nullptr)) {
    SendMessageW(running, gm::msg::kHandOver, 0, 0);
  }
  return true;
}

// The main window is a dialog whose template names this class: the system dialog class renamed,
// so a second instance can find the main window by class alone.
bool CTalvinApp::RegisterMainWindowClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance_, L"#32770", &wc)) return false;
  wc.hInstance = instance_;
  wc.lpszClassName = gm::kMainWindowClassName;
  return RegisterClassExW(&wc) != 0;
}

bool CTalvinApp::StartGdiPlus() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, codecs and thread enabled
  return Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) == Gdiplus::Ok;
}

void CTalvinApp::ShutdownGdiPlus() {
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
  gdiplusToken_ = 0;
}

void CTalvinApp::SetRegistryKey(const wchar_t* key) { registryKey_ = key; }

void CTalvinApp::RunMainWindow() {
  CTalvinDlg dlg(instance_, backend_);
  dlg.RunModal(instance_, IDD_MAIN_WINDOW, nullptr);
}
