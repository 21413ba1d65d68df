#pragma once
// What the main window's commands do to the model, as functions over the window's view
// (app/main_view.h) and the settings model. Each changes the current profile (or the
// configuration) and the view, and returns what the window must do next; none touches a window,
// a timer or the mouse. The window passes the view after writing into it the state the clicked
// control already took (a check that toggled itself, a radio that selected itself), then carries
// out the result: a refresh rebuilds the view with ViewFromProfile and shows it, `showView` shows
// the view as the command left it, and each dirty group goes to MainController::ScheduleUpload.
// Portable (no windows.h).
#include <cstdint>
#include <optional>
#include <vector>

#include "app/main_controller.h"
#include "app/main_view.h"
#include "settings/language_indexes.h"
#include "settings/settings_model.h"

namespace gm {

// The dialogs a command asks the window to open (each modal; cancelling it changes nothing).
enum class MainDialog {
  kDpiValueXY,      // the stage value dialog with separate X and Y values
  kDpiValueSingle,  // the stage value dialog with one value for both
  kColourPalette,   // the stage colour palette
  kResetConfirm,    // the factory-reset confirmation
};

inline constexpr int kProfileSwitchSkippedReports = 2;

struct CommandResult {
  // The model is unchanged and nothing is uploaded: a silent refusal, a click that was already in
  // effect, or a control or value the command does not know. (A refusal may still set a control
  // back in the view, with showView.)
  bool refused = false;
  bool refresh = false;   // RefreshFromProfile: rebuild the view from the model and show it
  bool showView = false;  // the command changed the view itself (and no refresh follows): show it
  std::vector<DirtyGroup> schedule;    // ScheduleUpload with each, in order
  std::optional<MainDialog> open;      // open this dialog
  std::optional<int> notice;           // the modeless, topmost notice with this language text
  bool closePopups = false;
  // The device workers discard this many of the next input reports, so that reports the mouse
  // sent before it has the new settings do not overwrite them.
  int skipInputReports = 0;
};

// Stage check 3260+stage was clicked; view.stageChecks already holds the check's new state.
// The only enabled stage is refused and its check set back. Unchecking the current stage moves
// the current stage cyclically to the next enabled one. Then the view is gathered.
CommandResult OnStageCheckClicked(MainView& view, SettingsModel& model, int stage);

// Stage button 3290+stage: makes the stage current (nothing when it already is, or disabled).
CommandResult OnStageButtonClicked(MainView& view, SettingsModel& model, int stage);

// Stage value control 3300+stage: the dialog to open, by whether the sensor has separate X and Y;
// refused while the sensor's DPI list is empty.
CommandResult OnStageValueClicked(const SettingsModel& model, int stage);
// The stage value dialog's confirmed list positions; without `y` (the single-value dialog) the
// one position serves X and Y.
CommandResult OnStageValueConfirmed(MainView& view, SettingsModel& model, int stage, int x, std::optional<int> y);

// Stage colour button 3270+stage: opens the palette; its confirmed colour.
CommandResult OnStageColourClicked(int stage);
CommandResult OnStageColourConfirmed(MainView& view, SettingsModel& model, int stage, Colour colour);

// The rate code a rate dial stores for the code `selected` its click chose: the code itself up to
// the dial's top rate, otherwise the top rate (3041: 0 or 1; 3042: 0..3; 3043: 0..4; 3044: 0..5;
// 3045: 0..6). None for an id that is not a rate dial.
std::optional<int> StoredRateCode(int dialId, int selected);
// Rate dial `dialId` was clicked and chose `selected`.
CommandResult OnRateDialClicked(SettingsModel& model, int dialId, int selected);

// Sensor option check 3540..3542 was clicked and is now `checked`.
CommandResult OnSensorCheckClicked(MainView& view, SettingsModel& model, int checkId, bool checked);

// The power dial chose `value` (1..8).
CommandResult OnPowerChosen(MainView& view, SettingsModel& model, int value);

// Lift-off radio 3509, 3510 or 3511 selected itself.
CommandResult OnLiftRadioClicked(MainView& view, SettingsModel& model, int radioId);

// The user chose profile slot `slot` (0..4) in the profile list.
CommandResult OnProfileChosen(SettingsModel& model, int slot);

// The factory-reset button: without a usable link (the mouse online, or the wired or BLE link
// open) only the notice kTextMouseNotReachable; otherwise the confirmation dialog.
CommandResult OnFactoryResetClicked(bool mouseOnline, bool wiredOrBleOpen);

// What the window does after the reset was confirmed, in this order.
enum class ResetStep {
  kSendFactoryReset,  // the factory-reset command to the mouse
  kWriteProfileFile,  // the current profile's file
  kPrimeShadows,      // the upload shadows from the reset record
  kZeroMacroShadows,  // the macro shadows of device slots 0..kResetMacroShadowSlots-1
  kRefresh,           // RefreshFromProfile
  kShowProgress,      // the progress dialog with kTextApplying
};
inline constexpr int kResetMacroShadowSlots = 11;

struct FactoryResetPlan {
  int slot = 0;  // the profile that was reset
  std::vector<ResetStep> steps;
};

// The reset was confirmed: the current profile returns to its slot's defaults (for the current
// sensor), keeping its name. The command sent to the mouse does not read the record, so resetting
// it before the command goes out changes nothing on the wire.
FactoryResetPlan OnFactoryResetConfirmed(SettingsModel& model);

// The firmware was updated (the update dialog's message). With the wired handle open, the mouse
// gets the factory-reset command and the current profile returns to its slot's defaults keeping
// its name, as after a confirmed reset, then its file is written, the shadows primed and the window
// refreshed. Without it nothing changes and the plan is empty.
FactoryResetPlan OnFirmwareUpdated(SettingsModel& model, bool wiredOpen);

}  // namespace gm
