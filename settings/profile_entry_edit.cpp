#include "settings/profile_entry_edit.h"

#include <optional>

#include "settings/number_text.h"

namespace gm {
namespace {

enum class Rule {
  kName,          // the profile name: any text but the empty one
  kText,          // any text
  kSwitch,        // 0 or 1
  kPowerDown,     // 1..kPowerDownSteps
  kLiftHeight,    // one of the three lift heights
  kStageMask,     // DPIOffOnFlagValue
  kCurrentStage,  // CurrentDPILevelValue
};

struct EntryRule {
  std::wstring_view name;
  Rule rule;
  int setting;  // index into SettingEntries; -1 for the record's own fields
};

const EntryRule kRules[] = {
    {L"ProfileName", Rule::kName, kProfileName},
    {L"GameFile0", Rule::kText, kGameFile0},
    {L"GameFile1", Rule::kText, kGameFile1},
    {L"GameFile2", Rule::kText, kGameFile2},
    {L"AccelerationEnable", Rule::kSwitch, kAccelerationEnable},
    {L"ScrollWheelPageEnable", Rule::kSwitch, kScrollWheelPageEnable},
    {L"MoveLightingOnOffMode", Rule::kSwitch, kMoveLightingOnOffMode},
    {L"PowerDownTime", Rule::kPowerDown, kPowerDownTime},
    {L"LiftDetectionHeight", Rule::kLiftHeight, kLiftDetectionHeight},
    {L"MotionWakeup", Rule::kSwitch, kMotionWakeup},
    {L"AngleSnap", Rule::kSwitch, kAngleSnap},
    {L"MotionSync", Rule::kSwitch, kMotionSync},
    {L"RippleControl", Rule::kSwitch, kRippleControl},
    {L"DPIOffOnFlagValue", Rule::kStageMask, -1},
    {L"CurrentDPILevelValue", Rule::kCurrentStage, -1},
};

// A decimal number, or a hexadecimal one after "0x" (the stage mask is a bit pattern); at most
// eight digits, so it always fits. No sign, no spaces.
std::optional<int> StrictNumber(std::wstring_view text) {
  int base = 10;
  std::wstring_view digits = text;
  if (digits.size() > 2 && (digits.substr(0, 2) == L"0x" || digits.substr(0, 2) == L"0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  const std::wstring_view allowed = base == 16 ? L"0123456789abcdefABCDEF" : L"0123456789";
  if (digits.find_first_not_of(allowed) != std::wstring_view::npos) return std::nullopt;
  const auto value = ParseUnsignedLong(digits, base);
  if (value > 0x7FFFFFFFu) return std::nullopt;
  return static_cast<int>(value);
}

EntryEditResult Refuse(EntryEditError error, std::wstring allowed = {}) { return {error, std::move(allowed)}; }

EntryEditResult OutOfRange(std::wstring allowed) { return Refuse(EntryEditError::kOutOfRange, std::move(allowed)); }

void StoreSetting(ProfileRecord& record, int setting, std::wstring value) {
  record.SettingEntries[static_cast<std::size_t>(setting)].Value = std::move(value);
}

}  // namespace

EntryEditResult SetProfileEntry(ProfileRecord& record, std::wstring_view name, std::wstring_view value) {
  const EntryRule* rule = nullptr;
  for (const EntryRule& r : kRules) {
    if (r.name == name) rule = &r;
  }
  if (!rule) return Refuse(EntryEditError::kUnknownEntry);

  if (rule->rule == Rule::kText || rule->rule == Rule::kName) {
    if (rule->rule == Rule::kName && value.empty()) return Refuse(EntryEditError::kEmptyName);
    if (value.find_first_of(L"\r\n") != std::wstring_view::npos) return Refuse(EntryEditError::kLineBreak);
    StoreSetting(record, rule->setting, std::wstring(value));
    return {};
  }

  const std::optional<int> number = StrictNumber(value);
  if (!number) return Refuse(EntryEditError::kNotANumber);
  const int n = *number;
  switch (rule->rule) {
    case Rule::kSwitch:
      if (n > 1) return OutOfRange(L"0, 1");
      break;
    case Rule::kPowerDown:
      if (n < 1 || n > kPowerDownSteps) return OutOfRange(L"1.." + DecimalText(kPowerDownSteps));
      break;
    case Rule::kLiftHeight:
      if (n != kLiftHeightOne && n != kLiftHeightTwo && n != kLiftHeightExtra)
        return OutOfRange(DecimalText(kLiftHeightOne) + L", " + DecimalText(kLiftHeightTwo) + L", " +
                          DecimalText(kLiftHeightExtra));
      break;
    case Rule::kStageMask: {
      const int all = (1 << kDpiStageCount) - 1;
      if (n > all) return OutOfRange(L"0x01..0x" + HexText(static_cast<std::uint32_t>(all), 2));
      if (n == 0) return Refuse(EntryEditError::kNoStageLeft);
      const auto mask = static_cast<std::uint8_t>(n);
      record.DPIOffOnFlagValue = mask;
      // As unchecking the current stage does: the current stage moves on to an enabled one.
      if ((mask >> record.CurrentDPILevelValue & 1) == 0)
        record.CurrentDPILevelValue = static_cast<std::uint8_t>(NextEnabledStage(record.CurrentDPILevelValue, mask));
      return {};
    }
    case Rule::kCurrentStage:
      if (n >= kDpiStageCount) return OutOfRange(L"0.." + DecimalText(kDpiStageCount - 1));
      if ((record.DPIOffOnFlagValue >> n & 1) == 0) return Refuse(EntryEditError::kStageDisabled);
      record.CurrentDPILevelValue = static_cast<std::uint8_t>(n);
      return {};
    case Rule::kName:
    case Rule::kText:
      break;
  }
  StoreSetting(record, rule->setting, DecimalText(n));
  return {};
}

std::vector<std::wstring> SettableProfileEntries() {
  std::vector<std::wstring> names;
  for (const EntryRule& r : kRules) names.emplace_back(r.name);
  return names;
}

}  // namespace gm
