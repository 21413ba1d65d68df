#pragma once
// The settings files of the running program: the start-up load order, saving the five profiles,
// the sensor-change bookkeeping, and the import and export of a profile. Every path comes from the
// model's data folder and its configuration entries, so tests point it all at a temporary folder
// through their own model. Every file is written atomically (CStdioFileEx).
#include <cstdint>
#include <string_view>

#include "settings/settings_model.h"

namespace gm {

// Writes the record of slot 0..4 to `path`. False for another slot or when the file cannot be
// written. A record without a name is written with the slot's default name (DefaultProfileName).
bool WriteProfileFile(const SettingsModel& model, int slot, std::wstring_view path);

// Reads `path` into the record of slot 0..4 (a slot's own file at start-up). When the file is
// missing or rejected the slot is reset to its defaults and those are written to the slot's own
// file ("ProfileSlot<slot>URL", not necessarily `path`); returns false then. A file whose profile
// name is empty gives the record the slot's default name.
bool ReadProfileFile(SettingsModel& model, int slot, std::wstring_view path);

// Writes the five records to their "ProfileSlot<slot>URL" files. True when all five were written.
bool SaveAllProfiles(const SettingsModel& model);

// The start-up load: config.ini (defaults written, and all five profiles reset and written, when
// it is missing or invalid), then the five profile files, then the sensor id from "Sensor"; when
// the stored DPI positions were made for another sensor ("PreST"), the DPI stages of all five
// profiles are reset for the current sensor and everything is saved. Returns whether config.ini
// was read. A valid config.ini with fewer than 17 entries keeps the defaults for the entries it
// lacks. The caller then takes the current profile from GetCurrentProfile() and builds the sensor
// tables (BuildSensorDpiTables); a sensor change found here has already rewritten
// "CurrentProfile" from the model's current profile.
bool LoadAppConfig(SettingsModel& model);

// The mouse reported sensor `sensorId`, different from the model's: records it, writes
// config.ini, resets the DPI stages of all five profiles for it, saves them and rebuilds the
// sensor tables.
void ChangeSensor(SettingsModel& model, std::uint16_t sensorId);

// Export: writes the record of slot 0..4 to `path`.
bool ExportProfile(const SettingsModel& model, int slot, std::wstring_view path);

// Import: reads `path` into slot 0..4 only when the whole file is accepted, then saves config.ini
// and the five profiles. A rejected file leaves the slot's record and its file untouched; an
// accepted one without a profile name gets the slot's default name.
bool ImportProfile(SettingsModel& model, int slot, std::wstring_view path);

}  // namespace gm
