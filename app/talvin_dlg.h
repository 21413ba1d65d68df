#pragma once
// The main window: a borderless dialog of class "GamingMouse_ORV" that lives for the whole process.
#include <windows.h>

#include <string>

#include "app/talvin_app.h"
#include "ui/dialog_window.h"

class CTalvinDlg : public gm::win::CDialogWindow {
 public:
  CTalvinDlg(HINSTANCE instance, gm::DeviceBackend backend);
  ~CTalvinDlg() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The start-up sequence, in the order OnInitDialog runs it.
  void EstablishWorkingFolders();
  void EstablishDisplayScale();
  void LoadLanguage();
  void LoadMacroLibrary();
  void LoadConfigurationAndProfiles();
  void BuildSensorTables();
  void LayOutPages();
  void InitSkinnedBase();
  void SetWindowIcons();
  void SizeAndPlaceWindow();
  void InitMainController();
  void ApplyStartupVisibility();
  void RefreshAndStartDevices();
  void LoadWindowBackground();
  void StartPeriodicTimers();

  void OnPaint();
  void OnHandOverRequest();
  void OnTimer(UINT_PTR id);

  HINSTANCE instance_;
  gm::DeviceBackend backend_;
  HICON icon_ = nullptr;  // shared resource icon, not destroyed
  int screenWidth_ = 0;
  int screenHeight_ = 0;

  // Main controller state needed from the first moment (the controller owns the rest).
  bool windowShown_ = false;
  bool mouseOnline_ = false;
  std::wstring vendorIdText_;
};
