#include "settings/app_config.h"

#include <cstdio>

#include "settings/number_text.h"
#include "settings/settings_model.h"
#include "settings/text_file.h"

namespace gm {
namespace {

constexpr std::wstring_view kSection = L"[Setting]";

bool InTable(int n) { return n >= 0 && n < kAppConfigCount; }

int Decimal(const AppConfigTable& table, int n) { return ParseLong(table[n].Value, 10); }

void SetDecimal(AppConfigTable& table, int n, int value) { table[n].Value = DecimalText(value); }

}  // namespace

std::wstring AppConfigPath(std::wstring_view dataFolder) {
  return std::wstring(dataFolder) + L"config\\config.ini";
}

AppConfigTable AppConfigDefaults(std::wstring_view dataFolder) {
  AppConfigTable t = {{
      {L"NeedPassword", L"1"},
      {L"Sensor", L"0x3950"},
      {L"PreST", L"0xC6AF"},
      {L"Mac_ID", L"0xFFFFFFFF"},
      {L"DataChange", L"0x1234"},
      {L"CurrentProfile", L"0"},
      {L"ProfileShowCount", L"3"},
  }};
  for (int i = 0; i < 5; ++i) {
    const std::wstring n = DecimalText(i);
    t[kProfileShowList0 + i] = {L"ProfileShowList" + n, n};
    t[kProfileSlot0URL + i] = {L"ProfileSlot" + n + L"URL", std::wstring(dataFolder) + L"config\\default" + n + L".psf"};
  }
  return t;
}

void FillAppConfigDefaults(AppConfigTable& table, std::wstring_view dataFolder) {
  table = AppConfigDefaults(dataFolder);
}

int ReadAppConfigLines(CStdioFileEx& file, AppConfigTable& table) {
  std::wstring line;
  if (!file.ReadString(line) || line != kSection) return -1;
  int filled = 0;
  while (file.ReadString(line)) {
    const size_t eq = line.find(L'=');
    if (eq == std::wstring::npos || eq == 0 || eq + 1 == line.size()) return -1;
    if (filled == kAppConfigCount) return -1;
    table[filled].Key = line.substr(0, eq);
    table[filled].Value = line.substr(eq + 1);
    ++filled;
  }
  return filled;
}

bool WriteAppConfigFile(const AppConfigTable& table, std::wstring_view path) {
  CStdioFileEx file;
  if (!file.Open(path, kOpenForWriting)) return false;
  file.WriteLine(kSection);
  for (const TextPair& pair : table) file.WriteLine(pair.Key + L"=" + pair.Value);
  return file.Close();
}

bool WriteAppConfig(const SettingsModel& model) {
  return WriteAppConfigFile(model.config, AppConfigPath(model.env.dataFolder));
}

std::wstring AppConfigKey(const AppConfigTable& table, int n) { return InTable(n) ? table[n].Key : std::wstring(); }
std::wstring AppConfigValue(const AppConfigTable& table, int n) {
  return InTable(n) ? table[n].Value : std::wstring();
}

int GetCurrentProfile(const AppConfigTable& table) {
  const int v = Decimal(table, kCurrentProfile);
  return v >= 0 && v < kProfileCount ? v : 0;
}
void SetCurrentProfile(AppConfigTable& table, int n) { SetDecimal(table, kCurrentProfile, n); }

int GetProfileShowCount(const AppConfigTable& table) {
  const int v = Decimal(table, kProfileShowCount);
  return v >= 1 && v <= kProfileCount ? v : 3;
}
void SetProfileShowCount(AppConfigTable& table, int n) { SetDecimal(table, kProfileShowCount, n); }

int GetProfileShowList(const AppConfigTable& table, int i) {
  if (i < 0 || i >= kProfileCount) return 0;
  const int v = Decimal(table, kProfileShowList0 + i);
  return v >= 0 && v < kProfileCount ? v : i;
}
void SetProfileShowList(AppConfigTable& table, int i, int slot) {
  if (i >= 0 && i < kProfileCount) SetDecimal(table, kProfileShowList0 + i, slot);
}

void SetSensorText(AppConfigTable& table, std::uint16_t sensorId) {
  table[kSensor].Value = L"0x" + HexText(sensorId, 4);
}

std::uint16_t ConfigSensor(const AppConfigTable& table) {
  return static_cast<std::uint16_t>(ParseLong(table[kSensor].Value, 16));
}

void SetPreST(AppConfigTable& table, std::uint16_t value) {
  std::wstring digits = HexText(value, 1);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), L' ');
  table[kPreST].Value = L"0x" + digits;
}

std::uint16_t GetPreST(const AppConfigTable& table) {
  return static_cast<std::uint16_t>(ParseLong(table[kPreST].Value, 16));
}

std::wstring ProfileSlotPath(const AppConfigTable& table, int slot) {
  return slot >= 0 && slot < kProfileCount ? table[kProfileSlot0URL + slot].Value : std::wstring();
}

bool SaveCurrentProfile(SettingsModel& model) {
  SetCurrentProfile(model.config, model.currentProfile);
  return WriteAppConfig(model);
}

}  // namespace gm
