#pragma once
// The application configuration: the 17 (key, value) text pairs of config.ini and their
// accessors. The file is <data folder>config\config.ini: "[Setting]" then one key=value line per
// pair, UTF-16LE through CStdioFileEx.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/profile_record.h"

namespace gm {

class CStdioFileEx;
struct SettingsModel;

inline constexpr int kAppConfigCount = 17;
using AppConfigTable = std::array<TextPair, kAppConfigCount>;

// Indexes of the pairs.
enum AppConfigIndex : int {
  kNeedPassword = 0,
  kSensor,
  kPreST,
  kMacId,
  kDataChange,
  kCurrentProfile,
  kProfileShowCount,
  kProfileShowList0,   // .. kProfileShowList0 + 4
  kProfileSlot0URL = kProfileShowList0 + 5,  // .. kProfileSlot0URL + 4
};

// <dataFolder>config\config.ini
std::wstring AppConfigPath(std::wstring_view dataFolder);

// All 17 pairs, keys included, as the defaults for a data folder (ending in a backslash).
AppConfigTable AppConfigDefaults(std::wstring_view dataFolder);
void FillAppConfigDefaults(AppConfigTable& table, std::wstring_view dataFolder);

// Reads the pairs from an open file: "[Setting]" first, then key=value lines filling pairs 0, 1,
// ... in order (keys taken from the file). A line without "=" at position 1 or later, with an
// empty value, or beyond the 17th pair fails. On success returns the number of pairs read
// (0..17); on failure -1. `table` receives the pairs read; the others are left as they were.
int ReadAppConfigLines(CStdioFileEx& file, AppConfigTable& table);

// Writes `table` to `path` atomically. False when the file cannot be written.
bool WriteAppConfigFile(const AppConfigTable& table, std::wstring_view path);

// Writes the model's configuration to <data folder>config\config.ini.
bool WriteAppConfig(const SettingsModel& model);

// Copies of pair n's texts; empty for n outside 0..16.
std::wstring AppConfigKey(const AppConfigTable& table, int n);
std::wstring AppConfigValue(const AppConfigTable& table, int n);

// The numeric entries, read as decimal ("%d" when set; in memory only). Out-of-range values
// read as the entry's default, so no caller ever gets a slot outside 0..4: CurrentProfile 0,
// ProfileShowCount 3 (valid 1..5), ProfileShowList<i> i.
int GetCurrentProfile(const AppConfigTable& table);
void SetCurrentProfile(AppConfigTable& table, int n);
int GetProfileShowCount(const AppConfigTable& table);
void SetProfileShowCount(AppConfigTable& table, int n);
int GetProfileShowList(const AppConfigTable& table, int i);  // i outside 0..4 gives 0
void SetProfileShowList(AppConfigTable& table, int i, int slot);  // i outside 0..4 is ignored

// "Sensor": the sensor id as "0x%.4X". ConfigSensor() reads it back (hexadecimal, low 16 bits).
void SetSensorText(AppConfigTable& table, std::uint16_t sensorId);
std::uint16_t ConfigSensor(const AppConfigTable& table);

// "PreST": the complement of the sensor the stored DPI positions were made for, as "0x%4X"
// (space-filled, so 0x0FFF gives "0x FFF", which reads back as 0). GetPreST() reads it back.
void SetPreST(AppConfigTable& table, std::uint16_t value);
std::uint16_t GetPreST(const AppConfigTable& table);

// The profile file of slot 0..4 ("ProfileSlot<slot>URL"); empty for other slots.
std::wstring ProfileSlotPath(const AppConfigTable& table, int slot);

// Sets "CurrentProfile" from the model's current profile and writes the file.
bool SaveCurrentProfile(SettingsModel& model);

}  // namespace gm
