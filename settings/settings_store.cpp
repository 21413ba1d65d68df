#include "settings/settings_store.h"

#include "settings/profile_file.h"
#include "settings/text_file.h"

namespace gm {
namespace {

bool IsSlot(int slot) { return slot >= 0 && slot < kProfileCount; }

bool ReadAppConfig(SettingsModel& model) {
  CStdioFileEx file;
  if (!file.Open(AppConfigPath(model.env.dataFolder), kOpenForReading)) return false;
  AppConfigTable table = AppConfigDefaults(model.env.dataFolder);
  const int read = ReadAppConfigLines(file, table);
  if (read < 0) return false;
  model.config = table;
  return true;
}

void ResetAllProfilesToDefaults(SettingsModel& model) {
  for (int slot = 0; slot < kProfileCount; ++slot) {
    ResetProfile(model.profiles[slot], slot, model.texts, model.sensor.id);
    WriteProfileFile(model, slot, ProfileSlotPath(model.config, slot));
  }
}

void AdoptSensor(SettingsModel& model) {
  SetPreST(model.config, static_cast<std::uint16_t>(~model.sensor.id));
  SaveCurrentProfile(model);
  for (ProfileRecord& record : model.profiles) ApplySensorDpiDefaults(record, model.sensor.id);
  SaveAllProfiles(model);
}

}  // namespace

bool WriteProfileFile(const SettingsModel& model, int slot, std::wstring_view path) {
  if (!IsSlot(slot)) return false;
  const ProfileRecord& record = model.profiles[slot];
  if (!ProfileName(record).empty()) return WriteProfileRecord(record, path);
  // A profile file never gets an empty name: the slot's default name is written instead.
  ProfileRecord named = record;
  NameUnnamedProfile(named, slot, model.texts);
  return WriteProfileRecord(named, path);
}

bool ReadProfileFile(SettingsModel& model, int slot, std::wstring_view path) {
  if (!IsSlot(slot)) return false;
  if (ReadProfileRecord(path, model.profiles[slot])) {
    // A file saved without a name (by a program that ran without its texts) gets the default one.
    NameUnnamedProfile(model.profiles[slot], slot, model.texts);
    return true;
  }
  ResetProfile(model.profiles[slot], slot, model.texts, model.sensor.id);
  WriteProfileFile(model, slot, ProfileSlotPath(model.config, slot));
  return false;
}

bool SaveAllProfiles(const SettingsModel& model) {
  bool all = true;
  for (int slot = 0; slot < kProfileCount; ++slot)
    all = WriteProfileFile(model, slot, ProfileSlotPath(model.config, slot)) && all;
  return all;
}

bool LoadAppConfig(SettingsModel& model) {
  const bool read = ReadAppConfig(model);
  if (!read) {
    FillAppConfigDefaults(model.config, model.env.dataFolder);
    WriteAppConfig(model);
    model.sensor.id = ConfigSensor(model.config);
    ResetAllProfilesToDefaults(model);
  }
  for (int slot = 0; slot < kProfileCount; ++slot) ReadProfileFile(model, slot, ProfileSlotPath(model.config, slot));
  model.sensor.id = ConfigSensor(model.config);
  if (static_cast<std::uint16_t>(~GetPreST(model.config)) != model.sensor.id) AdoptSensor(model);
  return read;
}

void ChangeSensor(SettingsModel& model, std::uint16_t sensorId) {
  model.sensor.id = sensorId;
  SetSensorText(model.config, sensorId);
  AdoptSensor(model);
  BuildSensorDpiTables(model.sensor);
}

bool ExportProfile(const SettingsModel& model, int slot, std::wstring_view path) {
  return WriteProfileFile(model, slot, path);
}

bool ImportProfile(SettingsModel& model, int slot, std::wstring_view path) {
  if (!IsSlot(slot) || !ReadProfileRecord(path, model.profiles[slot])) return false;
  NameUnnamedProfile(model.profiles[slot], slot, model.texts);
  SaveCurrentProfile(model);
  SaveAllProfiles(model);
  return true;
}

}  // namespace gm
