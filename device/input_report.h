#pragma once
// Folding one input report (report 4) into the model. Runs on the UI thread: the workers only post
// the raw bytes. The function updates the device fields, the current profile record and, for a
// newly reported sensor, the sensor id, all five profiles' DPI stages and the sensor tables; what the
// window must do afterwards (save, on-screen display, refresh, re-priming, launching, timers) comes
// back as InputEffects for the caller to carry out.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/link.h"
#include "settings/language.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {

// The main window's device fields the reports write.
struct DeviceStatus {
  std::uint8_t BatteryLevel = 100;
  int ChargeState = 0;        // 0 not charging, 1 charging, 2 full
  int RateCapability = 8;     // 8, 4, 2, 1; on the BLE link 0x31 or 0x30
  int LastDeviceDpiStage = 2;
  std::array<int, 3> LastLaunchEvent{};  // per link
  int InputSkipCount = 0;     // reports still to discard (2 after a profile switch)
  bool MouseOnline = false;
};

// What the fold reads besides the report.
struct InputContext {
  LinkKind link = LinkKind::Wired;
  bool wiredPresent = false;
  bool blePresent = false;
  bool deviceSettingsDirty = false;     // edits not yet uploaded: reports are ignored
  bool indicatorShowsOffline = false;   // the online indicator already shows the offline state
};

struct InputEffects {
  bool processed = false;         // the report got past the skip count, report id and dirty tests
  bool startOnlineTimer = false;  // wireless: redraw the online indicator soon (timer 80, 100 ms)
  // The stage, rate or lighting effect changed: mark for saving, show the on-screen display,
  // refresh the window and re-prime the upload shadows.
  bool changed = false;
  bool rateCapabilityChanged = false;       // refresh the window
  std::optional<std::wstring> launchUrl;    // open with the shell ("open")
  // A new sensor was adopted (sensor id, profiles and tables already updated): store it in the
  // configuration ("Sensor", "PreST"), save the configuration and all five profiles, update the
  // stage bars and the lift-off header, repaint.
  std::optional<std::uint16_t> adoptedSensor;
};

// Index 0..6 (125 .. 8000 Hz) of a reported rate code. The wired link narrows the codes it does
// not know by its rate capability; the other links use the full table.
int RateIndexOfCode(std::uint8_t code, LinkKind link, int rateCapability);

// "125HZ" .. "8000HZ" for index 0..6 (indexes above 6 give "8000HZ").
std::wstring RateNameOfIndex(int index);

// Language text index of a lighting effect's name: 101, 102, 103 for effects 2, 3, 4; 109 else.
int LightingNameTextIndex(std::uint8_t effect);

// Folds one report (any length; fewer than 10 bytes is treated as a foreign report) into
// `status`, the current record `profiles[currentProfile]` and, when a new sensor is adopted,
// every profile and `sensor`. A changed lighting effect takes its name from `texts`.
InputEffects ProcessInputReport(std::span<const std::uint8_t> report, const InputContext& context,
                                DeviceStatus& status, ProfileTable& profiles, int currentProfile,
                                SensorTables& sensor, const LanguageTable& texts);

}  // namespace gm
