#include "settings/settings_store.h"

#include "settings/app_config.h"
#include "settings/environment.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "settings/text_file.h"

namespace gm {
namespace {

bool IsSlot(int slot) { return slot >= 0 && slot < kProfileCount; }

// Reads config.ini into AppConfig; false when it is missing or invalid (AppConfig untouched).
bool ReadAppConfig() {
  CStdioFileEx file;
  if (!file.Open(AppConfigPath(DataFolder), kOpenForReading)) return false;
  AppConfigTable table = AppConfigDefaults(DataFolder);
  const int read = ReadAppConfigLines(file, table);
  if (read < 0) return false;
  AppConfig = table;
  return true;
}

void ResetAllProfilesToDefaults() {
  for (int slot = 0; slot < kProfileCount; ++slot) {
    ResetProfile(Profiles[slot], slot);
    WriteProfileFile(slot, ProfileSlotPath(slot));
  }
}

// Resets the DPI stages of every profile for SensorId and records that in config.ini.
void AdoptSensor() {
  SetPreST(static_cast<std::uint16_t>(~SensorId));
  SaveCurrentProfile();
  for (ProfileRecord& record : Profiles) ApplySensorDpiDefaults(record);
  SaveAllProfiles();
}

}  // namespace

bool WriteProfileFile(int slot, std::wstring_view path) {
  return IsSlot(slot) && WriteProfileRecord(Profiles[slot], path);
}

bool ReadProfileFile(int slot, std::wstring_view path) {
  if (!IsSlot(slot)) return false;
  if (ReadProfileRecord(path, Profiles[slot])) return true;
  ResetProfile(Profiles[slot], slot);
  WriteProfileFile(slot, ProfileSlotPath(slot));
  return false;
}

bool SaveAllProfiles() {
  bool all = true;
  for (int slot = 0; slot < kProfileCount; ++slot) all = WriteProfileFile(slot, ProfileSlotPath(slot)) && all;
  return all;
}

bool LoadAppConfig() {
  const bool read = ReadAppConfig();
  if (!read) {
    FillAppConfigDefaults(DataFolder);
    WriteAppConfig();
    SensorId = ConfigSensor();
    ResetAllProfilesToDefaults();
  }
  for (int slot = 0; slot < kProfileCount; ++slot) ReadProfileFile(slot, ProfileSlotPath(slot));
  SensorId = ConfigSensor();
  if (static_cast<std::uint16_t>(~GetPreST()) != SensorId) AdoptSensor();
  return read;
}

void ChangeSensor(std::uint16_t sensorId) {
  SensorId = sensorId;
  SetSensorText();
  AdoptSensor();
  BuildSensorDpiTables();
}

bool ExportProfile(int slot, std::wstring_view path) { return WriteProfileFile(slot, path); }

bool ImportProfile(int slot, std::wstring_view path) {
  if (!IsSlot(slot) || !ReadProfileRecord(path, Profiles[slot])) return false;
  SaveCurrentProfile();
  SaveAllProfiles();
  return true;
}

}  // namespace gm
