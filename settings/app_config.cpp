#include "settings/app_config.h"

#include <cstdio>

#include "settings/environment.h"
#include "settings/number_text.h"
#include "settings/sensor_table.h"
#include "settings/text_file.h"

namespace gm {
namespace {

constexpr std::wstring_view kSection = L"[Setting]";

bool InTable(int n) { return n >= 0 && n < kAppConfigCount; }

int Decimal(int n) { return ParseLong(AppConfig[n].Value, 10); }

void SetDecimal(int n, int value) { AppConfig[n].Value = DecimalText(value); }

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

void FillAppConfigDefaults(std::wstring_view dataFolder) { AppConfig = AppConfigDefaults(dataFolder); }

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

bool WriteAppConfig() { return WriteAppConfigFile(AppConfig, AppConfigPath(DataFolder)); }

std::wstring AppConfigKey(int n) { return InTable(n) ? AppConfig[n].Key : std::wstring(); }
std::wstring AppConfigValue(int n) { return InTable(n) ? AppConfig[n].Value : std::wstring(); }

int GetCurrentProfile() {
  const int v = Decimal(kCurrentProfile);
  return v >= 0 && v < kProfileCount ? v : 0;
}
void SetCurrentProfile(int n) { SetDecimal(kCurrentProfile, n); }

int GetProfileShowCount() {
  const int v = Decimal(kProfileShowCount);
  return v >= 1 && v <= kProfileCount ? v : 3;
}
void SetProfileShowCount(int n) { SetDecimal(kProfileShowCount, n); }

int GetProfileShowList(int i) {
  if (i < 0 || i >= kProfileCount) return 0;
  const int v = Decimal(kProfileShowList0 + i);
  return v >= 0 && v < kProfileCount ? v : i;
}
void SetProfileShowList(int i, int slot) {
  if (i >= 0 && i < kProfileCount) SetDecimal(kProfileShowList0 + i, slot);
}

void SetSensorText() { AppConfig[kSensor].Value = L"0x" + HexText(SensorId, 4); }

std::uint16_t ConfigSensor() { return static_cast<std::uint16_t>(ParseLong(AppConfig[kSensor].Value, 16)); }

void SetPreST(std::uint16_t value) {
  std::wstring digits = HexText(value, 1);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), L' ');
  AppConfig[kPreST].Value = L"0x" + digits;
}

std::uint16_t GetPreST() { return static_cast<std::uint16_t>(ParseLong(AppConfig[kPreST].Value, 16)); }

std::wstring ProfileSlotPath(int slot) {
  return slot >= 0 && slot < kProfileCount ? AppConfig[kProfileSlot0URL + slot].Value : std::wstring();
}

bool SaveCurrentProfile() {
  SetCurrentProfile(CurrentProfileIndex);
  return WriteAppConfig();
}

}  // namespace gm
