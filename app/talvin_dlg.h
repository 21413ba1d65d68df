#pragma once
// The main window: a borderless dialog of class "GamingMouse_ORV" that lives for the whole process.
// It runs the start-up sequence, owns the device backend and the main controller, and routes
// messages to the controller; every decision is the controller's. Its parts, each in its own file:
//   app/main_window_host.*   what the controller asks of the window (CMainWindowHost)
//   app/main_sections.*      the collapsible sections of the right-hand column (MainSections)
//   app/main_painter.*       the frames and the mouse-picture mark (MainPainter)
//   app/main_window_controls.*  the controls made from the layout table and typed pointers to
//                            the ones the window sets (MainControls)
//   app/talvin_dlg_commands.cpp  the window's table of {control, event, handler}
//   app/talvin_dlg_refresh.cpp   the controls from the current profile
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assign/assignment_rules.h"
#include "ui/geometry_types.h"

#include "app/app_state.h"
#include "app/main_commands.h"
#include "app/main_controller.h"
#include "app/main_layout.h"
#include "app/main_painter.h"
#include "app/main_sections.h"
#include "app/main_view.h"
#include "app/main_window_controls.h"
#include "app/main_window_host.h"
#include "app/profile_commands.h"
#include "app/key_filter.h"
#include "app/osd_dialog.h"
#include "app/talvin_app.h"
#include "app/tray_icon.h"
#include "app/scaled_clock.h"
#include "device/clock.h"
#include "device/hid_api.h"
#include "ui/dlg_base.h"
#include "ui/ui_context.h"

namespace gm::sim {
class SimMouse;
class SimBootloader;
struct MouseSpec;
}
class CDemoPanel;

class CTalvinDlg : public gm::win::CDlgBase, private gm::win::ProfileCommandHost {
 public:
  CTalvinDlg(HINSTANCE instance, gm::DeviceBackend backend);
  ~CTalvinDlg() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void CreateControls(const RECT& client) override;
  // The backdrop adds the frames of the left column's boxes and of the open sections.
  void DrawWindow(HDC dc, const RECT& client) override;
  void DrawBackdrop(HDC dc, const RECT& client) override;
  void DrawControls(HDC dc, const RECT& update) override;
  // Enter and Escape do not end the main window: only the exit button, the icon menu and WM_CLOSE do.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  friend class CMainWindowHost;

  // The start-up sequence, in the order OnInitDialog runs it.
  void EstablishWorkingFolders();
  void EstablishDisplayScale();
  void LoadLanguage();
  void LoadMacroLibrary();
  void LoadConfigurationAndProfiles();
  void BuildSensorTables();
  void RemoveTitleBarAndSize();
  void CreateControlsAndPlaceSections();
  void SetWindowIcons();
  void PlaceAndShowWindow();
  void ApplyStartupVisibility();
  void RefreshAndStartDevices();
  void LoadWindowBackground();
  void StartPeriodicTimers();
  // The toolkit's context from the program's settings (folders, scales, font, texts, open dialogs).
  void MakeUiContext();

  // The end: saving, workers and handles, in the order the destruction runs them.
  void ShutDown();

  // The window's {control, event, handler} rows (talvin_dlg_commands.cpp).
  std::vector<gm::win::EventHandler> CommandTable();
  void OnSectionHeaderClicked(gm::Section section);

  // ---- button assignment (talvin_dlg_assign.cpp) and profiles (talvin_dlg_profiles.cpp) ----
  // One row per message the popups send the window; RoutePopupMessage runs the row's handler.
  struct PopupMessageRow {
    UINT message;
    void (CTalvinDlg::*handler)(UINT message, WPARAM wParam, LPARAM lParam);
  };
  static const std::vector<PopupMessageRow>& PopupMessageTable();
  bool RoutePopupMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void AddAssignmentCommands(std::vector<gm::win::EventHandler>& rows);
  void AddProfileCommands(std::vector<gm::win::EventHandler>& rows);
  // The popup slots of the window's menus: the main function menu, one submenu at a time, the
  // profile list and the context menu of one of its entries.
  enum PopupSlot : int { kSlotFunctionMenu = 0, kSlotSubmenu = 1, kSlotProfileList = 2, kSlotProfileMenu = 3 };
  void OnKeyComboClicked(UINT comboId);
  void OnFunctionChosen(UINT message, WPARAM tag, LPARAM record);
  void OnSubmenuRequested(UINT message, WPARAM tag, LPARAM entry);
  void OnMenuEntryRested(UINT message, WPARAM tag, LPARAM entry);
  void OnSelectionMade(UINT message, WPARAM tag, LPARAM record);
  void OnMenuClosedNotice(UINT message, WPARAM tag, LPARAM kind);
  void OnDialogAsked(UINT message, WPARAM tag, LPARAM);
  void OnRunDialogPosted(UINT message, WPARAM tag, LPARAM);
  void OnRunMacroSelectPosted(UINT message, WPARAM tag, LPARAM);
  // ---- the macro choice of a button (talvin_dlg_assign.cpp) ----
  void OnMacroSelected(UINT message, WPARAM, LPARAM);
  UINT macroAskingCombo_ = 0;  // the combo whose macro selection dialog is open
  // The key combination, rapid-fire and program-launch dialogs: run modally for the combo that
  // asked (remembered while the dialog runs); their reports are stored on that combo.
  void OnDialogChoice(UINT message, WPARAM path, LPARAM record);
  UINT dialogCombo_ = 0;
  void StoreButtonChoice(UINT comboId, const gm::AssignmentChoice& choice);
  void CloseAssignmentPopups();
  void ReleaseCombo(UINT comboId);
  gm::win::CComboButton* ComboOf(UINT comboId) const;
  // Screen rectangles: of a control, of the popup in `slot` (empty when none is open), of the
  // work area the menus keep inside.
  gm::ui::IntRect ScreenRectOf(const gm::win::CControlBase& control) const;
  gm::ui::IntRect PopupRect(int slot) const;
  static gm::ui::IntRect WorkArea();
  void OpenMenu(int slot, std::unique_ptr<gm::win::CWndPopup> popup, const gm::ui::IntRect& at, UINT message,
                UINT_PTR tag);
  void OnProfileButtonClicked();
  void OnProfileListEvent(UINT message, WPARAM event, LPARAM entry);
  void OnProfileMenuChosen(UINT message, WPARAM tag, LPARAM record);
  void SwitchToProfileEntry(int entry);
  void CloseProfilePopups();
  // Timer 60: the profile operation the profile menu or list chose.
  void RunChosenProfileOperation(std::uint8_t opCode, int slot);
  bool SaveAllSettings() override;

  // The sections placed for the current sensor.
  void ApplySectionLayout();
  // Every control from the current profile (through the view the profile gives); the controls
  // whose look changed are painted again (talvin_dlg_refresh.cpp).
  void RefreshFromProfile() override;
  // Every control from `view`, which becomes view_; paints again what differs from the view shown.
  void ShowView(const gm::MainView& view);
  void SetControls(const gm::win::MainControls& controls, const gm::MainView& view);
  void ShowReportRate(const gm::win::MainControls& controls, const gm::MainView& view);
  // ---- Settings and window commands (talvin_dlg_settings.cpp, talvin_dlg_window_commands.cpp) ----
  std::vector<gm::win::EventHandler> SettingsCommandRows();
  std::vector<gm::win::EventHandler> WindowCommandRows();
  // The view of the last refresh with the states the user changed in the controls read back in;
  // the never-shown controls keep what the refresh gave them.
  gm::MainView ReadView();
  // Carries out what a command returned: refresh or show `view`, schedule uploads, notice.
  void CarryOut(const gm::CommandResult& result, const gm::MainView& view);
  void OnStageCheck(int stage);
  void OnStageValue(int stage);
  void OnStageColour(int stage);
  void OnRateDial(int dialId);
  void OnDesktopMouseSettings();
  void OnFactoryReset();
  void CarryOutFactoryReset();
  void OnSoftwareUpdate();
  // ---- the macro manager (talvin_dlg_macro.cpp) ----
  void OnMacroManager();

  // ---- Notification icon, on-screen display and keyboard filter (talvin_dlg_companions.cpp) ----
  void StartCompanions();
  void StopCompanions();
  // The companions' messages (icon, display, its timer, menu commands, support notice); true when
  // handled, with the message's result in `result`.
  bool RouteCompanionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT OnTrayIconMessage(WPARAM iconId, LPARAM mouseMessage);
  void ExitProgram();
  void ShowStageDisplay();
  gm::win::CTrayIcon trayIcon_;
  std::unique_ptr<gm::win::CStageDisplay> stageDisplay_;  // made once the window exists
  gm::win::CKeyFilter keyFilter_;

  // ---- firmware update and pairing (talvin_dlg_firmware.cpp) ----
  void OnPairing();
  void OnFirmwareUpdate();
  // msg::kPairingRequested from the pairing dialog: a msg::PairingRequestAnswer.
  LRESULT OnPairingRequested();
  // msg::kFirmwareUpdated from the update dialog.
  void OnFirmwareUpdated();
  // The demo's mouse made from `spec` behind its bootloader, on the firmware clock.
  void MakeDemoMouse(gm::sim::MouseSpec spec);
  // The clock the firmware update and the pairing ticks run on: real time, or faster in the demo
  // when GM_DEMO_TIME_SCALE asks for it.
  gm::ScaledClock firmwareClock_;
  std::unique_ptr<gm::sim::SimMouse> demoMouse_;  // owned here, before the backend that wraps it
  gm::sim::SimBootloader* demoBootloader_ = nullptr;  // the demo's backend (owned by hid_)

  // The sensor decides the lift-off header and the stage bars' level count.
  void FollowSensor();
  // The mark follows the key combo under the pointer.
  void UpdateMouseMark();

  // What the toolkit's windows read (filled once by MakeUiContext) and the open dialogs.
  gm::DialogTable openDialogs_;
  gm::ui::UiContext uiContext_;

  HINSTANCE instance_;
  gm::DeviceBackend backend_;
  HICON icon_ = nullptr;  // shared resource icon, not destroyed
  int screenWidth_ = 0;
  int screenHeight_ = 0;

  // The application state: filled by the start-up steps, read and edited by the window, the
  // controller and everything they call. Made before the controller, which keeps a reference.
  std::unique_ptr<gm::AppState> state_ = std::make_unique<gm::AppState>();

  // What the controller asks of the window; made before the controller, which keeps a reference.
  CMainWindowHost host_{*this};
  // Device link: the backend, the clock of its waits and the controller that owns the session.
  std::unique_ptr<gm::HidApi> hid_;
  gm::sim::SimMouse* simMouse_ = nullptr;  // the demo's simulated mouse (demoMouse_)
  gm::SystemClock clock_;
  std::unique_ptr<gm::MainController> controller_;
  bool shutDown_ = false;

  // The controls the window sets, found once they are created (empty before, or when the layout
  // table and the controls disagree).
  std::optional<gm::win::MainControls> controls_;
  gm::win::MainSections sections_;
  gm::win::MainPainter painter_;
  gm::win::MainSelection selection_;
  // What the controls were last set to (RefreshFromProfile, or a command that showed its view).
  gm::MainView view_;
  bool viewShown_ = false;  // the controls have been set from view_ at least once
  // The sections as the backdrop's frames show them.
  std::array<gm::SectionPlacement, gm::kSectionCount> backdropSections_{};

  std::unique_ptr<CDemoPanel> demoPanel_;
};
