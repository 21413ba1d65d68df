// `gmctl profile show FILE`, `gmctl profile set FILE KEY=VALUE...` and
// `gmctl profile new --slot N [--sensor 0xHHHH] [--lang LANGFILE] -o FILE`: a profile file (.psf)
// as one JSON object keyed by entry name (`jq .ProfileName`), changes to its entries with the
// program's limits, and the file of a freshly reset profile slot (names from the language file,
// empty without one).
#include <nlohmann/json.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "command.h"
#include "settings/language.h"
#include "settings/number_text.h"
#include "settings/profile_entry_edit.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/settings_model.h"
#include "settings/text_file.h"
#include "settings/utf.h"

namespace {

using Json = nlohmann::ordered_json;

const char kUsage[] =
    "profile show FILE | profile set FILE KEY=VALUE... | "
    "profile new --slot N [--sensor 0xHHHH] [--lang LANGFILE] -o FILE";

Json Rgb(gm::Colour c) { return Json::array({gm::RedOf(c), gm::GreenOf(c), gm::BlueOf(c)}); }

template <typename Array>
Json Numbers(const Array& values) {
  Json out = Json::array();
  for (auto v : values) out.push_back(v);
  return out;
}

// A first-block entry: the profile name and the GameFile entries as the texts they are, the
// numeric settings (kept as decimal text in the file) as numbers. A numeric setting whose text is
// not a decimal number (a hand-edited file) is shown as that text, so nothing of it is lost and a
// script can tell it by its type.
Json SettingJson(int n, const std::wstring& value) {
  if (gm::IsNumberSetting(n)) {
    if (const std::optional<std::int32_t> number = gm::ExactDecimal(value)) return *number;
  }
  return gm::ToUtf8(value);
}

// The record's entries in the order of the file, each under its name: the first block's entries
// (under the names the file gives them), then the record's own fields.
Json ProfileJson(const gm::ProfileRecord& r) {
  Json j = Json::object();
  for (int n = 0; n < gm::kSettingEntryCount; ++n)
    j[gm::ToUtf8(r.SettingEntries[n].Key)] = SettingJson(n, r.SettingEntries[n].Value);
  j["DPIOffOnFlagValue"] = r.DPIOffOnFlagValue;
  j["XYSettingValueX"] = Numbers(r.XYSettingValueX);
  j["XYSettingValueY"] = Numbers(r.XYSettingValueY);
  j["CurrentDPILevelValue"] = r.CurrentDPILevelValue;
  Json stages = Json::array();
  for (gm::Colour c : r.DPILevelIndication) stages.push_back(Rgb(c));
  j["DPILevelIndication"] = stages;
  j["AngleSnapValue"] = r.AngleSnapValue;
  j["LiftDetectionValue"] = r.LiftDetectionValue;
  j["PollingRateName"] = gm::ToUtf8(r.PollingRateName);
  j["PollingRateValue"] = Numbers(r.PollingRateValue);
  j["Lighting1Name"] = gm::ToUtf8(r.Lighting1Name);
  j["Lighting1ModeValue"] = Numbers(r.Lighting1ModeValue);
  j["Lighting1OffOn"] = r.Lighting1OffOn;
  j["Lighting1Speed"] = Numbers(r.Lighting1Speed);
  j["Lighting1Brightness"] = Numbers(r.Lighting1Brightness);
  Json selected = Json::array();
  for (const auto& group : r.Lighting1ColorSelected) selected.push_back(Numbers(group));
  j["Lighting1ColorSelected"] = selected;
  Json fixed = Json::array();
  for (const auto& group : r.Lighting1FixedColor) {
    Json colours = Json::array();
    for (gm::Colour c : group) colours.push_back(Rgb(c));
    fixed.push_back(colours);
  }
  j["Lighting1FixedColor"] = fixed;
  j["Lighting1Direction"] = Numbers(r.Lighting1Direction);
  j["Lighting2Name"] = gm::ToUtf8(r.Lighting2Name);
  j["Lighting2ModeValue"] = Numbers(r.Lighting2ModeValue);
  j["Lighting2OffOn"] = r.Lighting2OffOn;
  j["Lighting2Speed"] = r.Lighting2Speed;
  j["Lighting2Brightness"] = r.Lighting2Brightness;
  j["Lighting2FixedColor"] = Rgb(r.Lighting2FixedColor);
  Json keys = Json::array();
  for (const gm::KeyAssignment& k : r.KeyAssignments) {
    Json actions = Json::array();
    for (const gm::MacroAction& a : k.Macro.Actions) actions.push_back(a.word);
    Json key;
    key["KeyName"] = gm::ToUtf8(k.KeyName);
    key["KeyURL"] = gm::ToUtf8(k.KeyURL);
    key["KeyValue"] = Numbers(k.KeyValue);
    key["MacroKeyIndex"] = k.MacroKeyIndex;
    key["MacroKeyName"] = gm::ToUtf8(k.Macro.Name);
    key["MacroActionNum"] = k.Macro.MacroActionNum;
    key["AllAction"] = actions;
    keys.push_back(key);
  }
  j["KeyAssignments"] = keys;
  return j;
}

int Show(gmctl::Args args) {
  if (args.size() != 2) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  const std::string& path = args[1];
  gm::CStdioFileEx file;
  if (!file.Open(gm::FromUtf8(path), gm::kOpenForReading)) return gmctl::Fail(1, path + ": cannot be opened");
  gm::ProfileRecord record;
  int line = 0;
  if (!gm::ReadProfileLines(file, record, &line)) {
    return gmctl::Fail(1, path + ": not a profile file (line " + std::to_string(line) + " is missing or malformed)");
  }
  gmctl::Print(ProfileJson(record).dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
  return 0;
}

std::string EditErrorText(const gm::EntryEditResult& result, const std::string& key, const std::string& value) {
  switch (result.error) {
    case gm::EntryEditError::kNone: break;
    case gm::EntryEditError::kUnknownEntry: {
      std::string names;
      for (const std::wstring& n : gm::SettableProfileEntries()) names += (names.empty() ? "" : ", ") + gm::ToUtf8(n);
      return "'" + key + "' cannot be set (settable entries: " + names + ")";
    }
    case gm::EntryEditError::kNotANumber: return key + "=" + value + ": not a number";
    case gm::EntryEditError::kOutOfRange:
      return key + "=" + value + ": out of range (allowed: " + gm::ToUtf8(result.allowed) + ")";
    case gm::EntryEditError::kEmptyName: return key + ": the profile name cannot be empty";
    case gm::EntryEditError::kLineBreak: return key + ": the text cannot hold a line break";
    case gm::EntryEditError::kNoStageLeft: return key + "=" + value + ": at least one DPI stage must stay enabled";
    case gm::EntryEditError::kStageDisabled: return key + "=" + value + ": that DPI stage is disabled";
  }
  return key + ": refused";
}

// Every change is checked before anything is written; the file is replaced atomically, so a
// refusal or a failed write leaves it exactly as it was.
int Set(gmctl::Args args) {
  if (args.size() < 3) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  const std::string& path = args[1];
  gm::ProfileRecord record;
  if (!gm::ReadProfileRecord(gm::FromUtf8(path), record)) return gmctl::Fail(1, path + ": not a readable profile file");
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::size_t eq = args[i].find('=');
    if (eq == std::string::npos || eq == 0) return gmctl::Fail(2, "'" + args[i] + "' is not KEY=VALUE");
    const std::string key = args[i].substr(0, eq);
    const std::string value = args[i].substr(eq + 1);
    const gm::EntryEditResult result = gm::SetProfileEntry(record, gm::FromUtf8(key), gm::FromUtf8(value));
    if (!result) return gmctl::Fail(1, path + ": " + EditErrorText(result, key, value) + "; the file is unchanged");
  }
  if (!gm::WriteProfileRecord(record, gm::FromUtf8(path))) return gmctl::Fail(1, path + ": cannot be written");
  return 0;
}

int New(gmctl::Args args) {
  long long slot = -1;
  std::string sensor = "0x3950";
  std::string out;
  std::string lang;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--slot" && hasValue) {
      const std::wstring text = gm::FromUtf8(args[++i]);
      if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring::npos || text.size() > 9) {
        return gmctl::Fail(2, "--slot needs a number 0 or more");
      }
      slot = gm::ParseLong(text, 10);
    } else if (a == "--sensor" && hasValue) {
      sensor = args[++i];
    } else if (a == "-o" && hasValue) {
      out = args[++i];
    } else if (a == "--lang" && hasValue) {
      lang = args[++i];
    } else {
      return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
    }
  }
  if (slot < 0 || out.empty()) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  const std::wstring sensorText = gm::FromUtf8(sensor);
  const bool hexSensor = sensorText.size() > 2 && sensorText.size() <= 6 && sensorText.substr(0, 2) == L"0x" &&
                         sensorText.find_first_not_of(L"0123456789abcdefABCDEF", 2) == std::wstring::npos;
  if (!hexSensor) return gmctl::Fail(2, "--sensor needs a hexadecimal id such as 0x3950");
  auto state = std::make_unique<gm::SettingsModel>();
  state->sensor.id = static_cast<std::uint16_t>(gm::ParseLong(sensorText, 16));
  if (!lang.empty()) {
    // As at start-up: the texts read before a malformed line are used.
    const gm::LanguageReadResult read = gm::ReadLanguageFile(gm::FromUtf8(lang), state->texts);
    if (!read.opened) return gmctl::Fail(1, lang + ": cannot be opened");
    if (!read.header) return gmctl::Fail(1, lang + ": not a language file (line 1 is not [Setting])");
  }
  gm::ProfileRecord record;
  gm::ResetProfile(record, static_cast<int>(slot), state->texts, state->sensor.id);
  if (!gm::WriteProfileRecord(record, gm::FromUtf8(out))) return gmctl::Fail(1, out + ": cannot be written");
  return 0;
}

int RunProfile(gmctl::Args args) {
  if (!args.empty() && args[0] == "show") return Show(args);
  if (!args.empty() && args[0] == "set") return Set(args);
  if (!args.empty() && args[0] == "new") return New(args);
  return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
}

}  // namespace

GMCTL_COMMAND(profile, kUsage, RunProfile);
