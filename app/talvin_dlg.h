#pragma once
// The main window: a borderless dialog of class "GamingMouse_ORV" that lives for the whole process.
// It runs the start-up sequence, owns the device backend and the main controller, and carries out
// what the controller decides (timers, visibility, notices, control states). Every decision is the
// controller's; the window only routes messages to it. Its controls, sections and frames follow
// the layout table of app/main_layout.h.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/main_controller.h"
#include "app/talvin_app.h"
#include "app/window_host.h"
#include "device/clock.h"
#include "device/hid_api.h"
#include "app/main_layout.h"
#include "app/main_window_controls.h"
#include "ui/dlg_base.h"
#include "ui/gdi_handles.h"
#include "ui/skin_image.h"
#include "ui/ui_context.h"

namespace gm::sim {
class SimMouse;
}
class CDemoPanel;

class CTalvinDlg : public gm::win::CDlgBase, private gm::WindowHost {
 public:
  CTalvinDlg(HINSTANCE instance, gm::DeviceBackend backend);
  ~CTalvinDlg() override;

  // The private message that carries one input report from a worker thread to the UI thread:
  // wParam the link, lParam a heap block the receiver frees.
  static constexpr UINT kInputReportMessage = WM_APP + 1;

 protected:
  BOOL OnInitDialog() override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void CreateControls(const RECT& client) override;
  void DrawControls(HDC dc, const RECT& update) override;
  // Enter and Escape do not end the main window: only the exit button, the icon menu and WM_CLOSE do.
  void OnOK() override {}
  void OnCancel() override {}

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
  // The toolkit's context from the program's settings (folders, scales, font, texts, open dialogs).
  void MakeUiContext();

  // The end: saving, workers and handles, in the order the destruction runs them.
  void ShutDown();

  // Layout: header positions, section control positions and page visibility from the open
  // sections; a header click; the frames and the mouse-picture mark.
  void ApplySectionLayout();
  // A layout rectangle in pixels at the state's display scale.
  RECT Scaled(const gm::LayoutRect& r) const;
  void RefreshControls();
  void RefreshReportRate(int rateCode);
  void OnSectionHeaderClicked(gm::Section section);
  // The main window's own control events: section headers, exit, minimise and the web link.
  std::vector<gm::win::EventHandler> ControlHandlers();
  void DrawFrames(HDC dc);
  void DrawMouseMark(HDC dc);
  void UpdateMouseMark();
  RECT MouseMarkRect(int comboNumber) const;
  void OnInputReportMessage(WPARAM wParam, LPARAM lParam);
  void DiscardQueuedInputReports();

  // gm::WindowHost
  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;
  void Minimise() override;
  void Hide() override;
  void ShowInForeground() override;
  void ShowModalNotice(int textIndex) override;
  void ShowTopmostNotice(int textIndex) override;
  void ShowProgress(int textIndex) override;
  void SetControlVisible(int controlId, bool visible) override;
  void SetControlEnabled(int controlId, bool enabled) override;
  void InvalidateControl(int controlId) override;
  void SetBattery(int animationLevel, int percent, int chargeState) override;
  void RefreshFromProfile() override;
  void SensorChanged() override;
  void ShowStageDisplay() override;
  void OpenUrl(const std::wstring& url) override;
  void CarryOutProfileOperation(std::uint8_t opCode, int slot) override;
  void RegisterDeviceNotifications() override;
  void CloseOpenDialogs() override;
  void Quit() override;
  void PostInputReport(gm::LinkKind link, const gm::InputReportBytes& report) override;

  // What the toolkit's windows read (filled once by MakeUiContext) and the open dialogs.
  gm::DialogTable openDialogs_;
  gm::ui::UiContext uiContext_;

  HINSTANCE instance_;
  gm::DeviceBackend backend_;
  HICON icon_ = nullptr;  // shared resource icon, not destroyed
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  std::wstring vendorIdText_;

  // The application state: filled by the start-up steps, read and edited by the window, the
  // controller and everything they call. Made before the controller, which keeps a reference.
  std::unique_ptr<gm::AppState> state_ = std::make_unique<gm::AppState>();

  // Device link: the backend, the clock of its waits and the controller that owns the session.
  std::unique_ptr<gm::HidApi> hid_;
  gm::sim::SimMouse* simMouse_ = nullptr;  // the demo's simulated mouse (owned by hid_)
  gm::SystemClock clock_;
  std::unique_ptr<gm::MainController> controller_;
  // Where the workers post their reports; null before start-up and after shutdown.
  std::atomic<HWND> reportWindow_{nullptr};
  bool shutDown_ = false;
  // Hide() was the last visibility the program chose (the dialog loop must not undo it).
  bool hiddenByProgram_ = false;

  // Open sections (DPI and report rate at start) and the key combo whose mark is drawn (0 none).
  gm::SectionOpenState sectionOpen_{true, true, false, false, false};
  int markedCombo_ = 0;
  gm::win::MainSelection selection_;
  gm::win::SkinImage frame_;

  std::unique_ptr<CDemoPanel> demoPanel_;
};
