#include "settings/profile_record.h"

#include "settings/language.h"
#include "settings/language_indexes.h"
#include "settings/number_text.h"
#include "settings/sensor_table.h"

namespace gm {
namespace {

// Keys and default values of SettingEntries 1..22 (entry 0 is the profile name).
const TextPair kSettingDefaults[kSettingEntryCount] = {
    {L"ProfileName", L""},
    {L"GameFile0", L""},
    {L"GameFile1", L""},
    {L"GameFile2", L""},
    {L"DoubleClickSpeed", L"6"},
    {L"PointerSpeed", L"5"},
    {L"AccelerationEnable", L"1"},
    {L"ScrollWheelSpeed", L"2"},
    {L"ScrollWheelPageEnable", L"0"},
    {L"TiltSpeed", L"2"},
    {L"Sensitivity_X", L"4"},
    {L"Sensitivity_Y", L"4"},
    {L"XYSynchronous", L"1"},
    {L"X_DPI", L"1"},
    {L"Y_DPI", L"1"},
    {L"MoveLightingOnOffMode", L"0"},
    {L"PowerDownTime", L"1"},
    {L"LiftDetectionHeight", L"2"},
    {L"KeyDebounce", L"2"},
    {L"MotionWakeup", L"1"},
    {L"AngleSnap", L"0"},
    {L"MotionSync", L"1"},
    {L"RippleControl", L"0"},
};

struct ButtonDefault {
  int nameText;  // language text index
  ThreeBytes value;
};

const ButtonDefault kButtonDefaults[kButtonCount] = {
    {kTextLeftClick, {0x10, 0x01, 0x00}}, {kTextRightClick, {0x10, 0x02, 0x00}},
    {kTextMiddleClick, {0x10, 0x04, 0x00}}, {kTextForward, {0x10, 0x10, 0x00}},
    {kTextBack, {0x10, 0x08, 0x00}},      {kTextDpiCycle, {0x40, 0x01, 0x00}},
};

// The lighting effects that come with colours: effect number and its colours in slot order.
struct EffectColours {
  int effect;
  std::array<Colour, kColourSlotCount> colours;
  int used;
};

const EffectColours kEffectColours[] = {
    {2,
     {MakeColour(0xFF, 0, 0), MakeColour(0, 0xFF, 0), MakeColour(0, 0, 0xFF), MakeColour(0, 0xFF, 0xFF),
      MakeColour(0xFF, 0xFF, 0), MakeColour(0xFF, 0, 0xFF), MakeColour(0xFF, 0xFF, 0xFF)},
     7},
    {3, {MakeColour(0xFF, 0, 0xFF)}, 1},
    {6,
     {MakeColour(0xFF, 0, 0), MakeColour(0, 0xFF, 0), MakeColour(0, 0, 0xFF), MakeColour(0xFF, 0xFF, 0),
      MakeColour(0, 0xFF, 0xFF), MakeColour(0xFA, 0, 0xFA), MakeColour(0xFF, 0xFF, 0xFF), MakeColour(0xFA, 0x46, 0xFF)},
     8},
    {8, {MakeColour(0, 0xFF, 0), MakeColour(0xFA, 0, 0x6A)}, 2},
};

const std::array<Colour, kDpiStageCount> kStageColours = {
    MakeColour(0xFF, 0, 0),    MakeColour(0, 0, 0xFF),    MakeColour(0, 0xFF, 0),    MakeColour(0xFF, 0xFF, 0),
    MakeColour(0, 0xFF, 0xFF), MakeColour(0xFF, 0xFF, 0xFF), MakeColour(0xFF, 0xFF, 0xFF), MakeColour(0xFF, 0xFF, 0xFF),
};

bool InSettings(int n) { return n >= 0 && n < kSettingEntryCount; }

void StoreNumber(ProfileRecord& record, int n, int value) { record.SettingEntries[n].Value = DecimalText(value); }

}  // namespace

std::wstring DefaultProfileName(int slot, const LanguageTable& texts) {
  if (slot >= 0 && slot < kProfileCount && !texts[kTextDefaultProfile1 + slot].empty()) {
    return texts[kTextDefaultProfile1 + slot];
  }
  return L"Profile" + DecimalText(static_cast<std::uint32_t>(slot) + 1u);
}

bool NameUnnamedProfile(ProfileRecord& record, int slot, const LanguageTable& texts) {
  std::wstring& name = record.SettingEntries[kProfileName].Value;
  if (!name.empty()) return false;
  name = DefaultProfileName(slot, texts);
  return true;
}

void ResetProfile(ProfileRecord& record, int slot, const LanguageTable& texts, std::uint16_t sensorId) {
  record.SettingEntries[kProfileName].Key = L"ProfileName";
  record.SettingEntries[kProfileName].Value = DefaultProfileName(slot, texts);
  for (int n = 1; n < kSettingEntryCount; ++n) record.SettingEntries[n] = kSettingDefaults[n];

  for (int b = 0; b < kButtonCount; ++b) {
    KeyAssignment& key = record.KeyAssignments[b];
    key.KeyName = texts[kButtonDefaults[b].nameText];
    key.KeyURL.clear();
    key.KeyValue = kButtonDefaults[b].value;
    // The macro is emptied; its 250 action slots keep their contents (the file still carries them).
    const MacroKey fresh;
    key.Macro.Name.clear();
    key.Macro.MacroKeyIndex = 0;
    key.Macro.MacroActionNum = 0;
    key.Macro.MacroKeyLoopType = fresh.MacroKeyLoopType;
    key.Macro.MacroKeyLoopNum = fresh.MacroKeyLoopNum;
    key.Macro.MacroCommandActionNum = fresh.MacroCommandActionNum;
    key.MacroKeyIndex = 0;
  }

  record.PollingRateName = L"500HZ";
  record.PollingRateValue = {2, 0, 0};

  record.Lighting1OffOn = 1;
  record.Lighting1Name = texts[kTextLightingOtherEffect];
  record.Lighting1ModeValue = {0, 0, 0};
  record.Lighting1Speed.fill(1);
  record.Lighting1Brightness.fill(3);
  record.Lighting1Direction.fill(0);
  record.Lighting1Direction[1] = 1;
  for (auto& slots : record.Lighting1ColorSelected) slots.fill(0);
  for (auto& colours : record.Lighting1FixedColor) colours.fill(0);
  for (const EffectColours& e : kEffectColours) {
    record.Lighting1FixedColor[e.effect] = e.colours;
    for (int s = 0; s < e.used; ++s) record.Lighting1ColorSelected[e.effect][s] = 1;
  }

  record.Lighting2OffOn = 0;
  record.Lighting2Name = texts[kTextLightingZone2Default];
  record.Lighting2ModeValue = {1, 0, 0};
  record.Lighting2Speed = 0;
  record.Lighting2Brightness = 0;
  record.Lighting2FixedColor = 0;

  ApplySensorDpiDefaults(record, sensorId);
}

void ApplySensorDpiDefaults(ProfileRecord& record, std::uint16_t sensorId) {
  record.DPIOffOnFlagValue = 0x3F;
  if (const auto positions = DefaultStagePositions(sensorId)) {
    record.XYSettingValueX = *positions;
    record.XYSettingValueY = *positions;
  }
  record.CurrentDPILevelValue = 2;
  record.DPILevelIndication = kStageColours;
  record.AngleSnapValue = 0;
  record.LiftDetectionValue = 1;
}

std::wstring SettingKey(const ProfileRecord& record, int n) {
  return InSettings(n) ? record.SettingEntries[n].Key : std::wstring();
}

std::wstring SettingValue(const ProfileRecord& record, int n) {
  return InSettings(n) ? record.SettingEntries[n].Value : std::wstring();
}

int SettingNumber(const ProfileRecord& record, int n) { return ParseLong(SettingValue(record, n), 10); }

void SetScrollWheelPageEnable(ProfileRecord& r, int v) { StoreNumber(r, kScrollWheelPageEnable, v != 0); }
void SetAccelerationEnable(ProfileRecord& r, int v) { StoreNumber(r, kAccelerationEnable, v != 0); }
void SetMoveLightingOnOffMode(ProfileRecord& r, int v) { StoreNumber(r, kMoveLightingOnOffMode, v > 0); }
void SetMotionWakeup(ProfileRecord& r, int v) { StoreNumber(r, kMotionWakeup, v > 0); }
void SetAngleSnap(ProfileRecord& r, int v) { StoreNumber(r, kAngleSnap, v > 0); }
void SetMotionSync(ProfileRecord& r, int v) { StoreNumber(r, kMotionSync, v > 0); }
void SetRippleControl(ProfileRecord& r, int v) { StoreNumber(r, kRippleControl, v > 0); }
void SetPowerDownTime(ProfileRecord& r, int v) { StoreNumber(r, kPowerDownTime, v); }
void SetLiftDetectionHeight(ProfileRecord& r, int v) { StoreNumber(r, kLiftDetectionHeight, v); }
void SetKeyDebounce(ProfileRecord& r, int v) { StoreNumber(r, kKeyDebounce, v); }
void SetScrollWheelSpeed(ProfileRecord& r, int v) { StoreNumber(r, kScrollWheelSpeed, v); }
void SetTiltSpeed(ProfileRecord& r, int v) { StoreNumber(r, kTiltSpeed, v); }
void SetPointerSpeed(ProfileRecord& r, int v) { StoreNumber(r, kPointerSpeed, v); }
void SetDoubleClickSpeed(ProfileRecord& r, int v) { StoreNumber(r, kDoubleClickSpeed, v); }

int NextEnabledStage(int stage, std::uint8_t mask) {
  for (int step = 0; step < kDpiStageCount; ++step) {
    stage = (stage + 1) % kDpiStageCount;
    if ((mask >> stage & 1) != 0) break;
  }
  return stage;
}

KeyAssignment* KeyAssignmentAt(ProfileRecord& record, int i) {
  return i >= 0 && i < kButtonCount ? &record.KeyAssignments[i] : nullptr;
}
const KeyAssignment* KeyAssignmentAt(const ProfileRecord& record, int i) {
  return i >= 0 && i < kButtonCount ? &record.KeyAssignments[i] : nullptr;
}

std::wstring ProfileName(const ProfileRecord& record) { return record.SettingEntries[kProfileName].Value; }
std::wstring PollingRateName(const ProfileRecord& record) { return record.PollingRateName; }
std::wstring Lighting1Name(const ProfileRecord& record) { return record.Lighting1Name; }
std::wstring Lighting2Name(const ProfileRecord& record) { return record.Lighting2Name; }

}  // namespace gm
