#pragma once
// The settings-level part of the application state: where the program runs, the language texts
// and font, config.ini, the five profile records, the current slot and the sensor tables. The
// application state (app/app_state.h) derives from it, so settings code takes a SettingsModel&
// without depending on app/. One model exists per running program (and one per test).
#include <cstdint>

#include "settings/app_config.h"
#include "settings/environment.h"
#include "settings/language.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {

struct SettingsModel {
  Environment env;
  LanguageTable texts;     // every caption and message by index; empty until loaded
  UiFont font;             // the font every skinned control uses, set by the language load
  AppConfigTable config;   // empty until loaded or filled with defaults
  ProfileTable profiles;   // the five profile slots
  std::int32_t currentProfile = 0;  // the slot 0..4 shown and edited; mirrors "CurrentProfile"
  SensorTables sensor;

  // The record of the current slot (slot 0 while currentProfile is out of range).
  ProfileRecord& CurrentRecord() { return profiles[CurrentSlot()]; }
  const ProfileRecord& CurrentRecord() const { return profiles[CurrentSlot()]; }

 private:
  std::size_t CurrentSlot() const {
    return currentProfile >= 0 && currentProfile < kProfileCount ? static_cast<std::size_t>(currentProfile) : 0;
  }
};

}  // namespace gm
