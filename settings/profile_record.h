#pragma once
// The settings of one profile and the table of the five profile slots.
// Field names follow the keys of the profile file. Records live for the whole process; a slot the
// user removes from the profile list keeps its record.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "macro/macro_model.h"
#include "settings/colour.h"
#include "settings/language.h"

namespace gm {

using ThreeBytes = std::array<std::uint8_t, 3>;

// A (key, value) text pair: a profile's SettingEntries and the config.ini entries.
struct TextPair {
  std::wstring Key;
  std::wstring Value;
  friend bool operator==(const TextPair&, const TextPair&) = default;
};

// Indexes of ProfileRecord::SettingEntries.
enum SettingIndex : int {
  kProfileName = 0,
  kGameFile0,
  kGameFile1,
  kGameFile2,
  kDoubleClickSpeed,
  kPointerSpeed,
  kAccelerationEnable,
  kScrollWheelSpeed,
  kScrollWheelPageEnable,
  kTiltSpeed,
  kSensitivityX,
  kSensitivityY,
  kXYSynchronous,
  kXDpi,
  kYDpi,
  kMoveLightingOnOffMode,
  kPowerDownTime,
  kLiftDetectionHeight,
  kKeyDebounce,
  kMotionWakeup,
  kAngleSnap,
  kMotionSync,
  kRippleControl,
  kSettingEntryCount
};

inline constexpr int kButtonCount = 6;
inline constexpr int kProfileCount = 5;
inline constexpr int kLightingEffectCount = 10;
inline constexpr int kColourSlotCount = 10;
inline constexpr int kDpiStageCount = 8;
// The steps of the power-down dial: PowerDownTime 1..kPowerDownSteps.
inline constexpr int kPowerDownSteps = 8;
// The lift-off heights of the three lift radios (LiftDetectionHeight).
inline constexpr int kLiftHeightOne = 1;
inline constexpr int kLiftHeightTwo = 2;
inline constexpr int kLiftHeightExtra = 7;

// The function of one programmable button. Owns its macro (a copy of the library macro it was
// given; never shared).
struct KeyAssignment {
  std::wstring KeyName;
  std::wstring KeyURL;        // opened by the shell on the button's launch event; else empty
  ThreeBytes KeyValue{};      // function code; byte 0 the function type
  std::uint32_t MacroKeyIndex = 0;  // library macro the button's macro was taken from
  MacroKey Macro;

  friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};

using EffectBytes = std::array<std::uint8_t, kLightingEffectCount>;
template <typename T>
using EffectSlots = std::array<std::array<T, kColourSlotCount>, kLightingEffectCount>;

struct ProfileRecord {
  std::array<TextPair, kSettingEntryCount> SettingEntries;
  std::array<KeyAssignment, kButtonCount> KeyAssignments;

  std::wstring PollingRateName;
  ThreeBytes PollingRateValue{};  // byte 0: rate code 0..6 (125 .. 8000 Hz)

  // Lighting zone 1; Lighting1ModeValue[0] is the effect 0..9 that indexes the arrays.
  std::uint8_t Lighting1OffOn = 1;
  std::wstring Lighting1Name;
  ThreeBytes Lighting1ModeValue{};
  EffectBytes Lighting1Speed{};
  EffectBytes Lighting1Brightness{};
  EffectSlots<std::uint8_t> Lighting1ColorSelected{};  // 1 = colour slot in use
  EffectSlots<Colour> Lighting1FixedColor{};
  EffectBytes Lighting1Direction{};

  // Lighting zone 2: kept, reset, saved and loaded only.
  std::uint8_t Lighting2OffOn = 1;
  std::wstring Lighting2Name;
  ThreeBytes Lighting2ModeValue{};
  std::uint8_t Lighting2Speed = 2;
  std::uint8_t Lighting2Brightness = 100;
  Colour Lighting2FixedColor = 0;

  // DPI stages: bit i of the flag enables stage i; the values are positions in the sensor's list.
  std::uint8_t DPIOffOnFlagValue = 0x7F;
  std::array<std::uint16_t, kDpiStageCount> XYSettingValueX{};
  std::array<std::uint16_t, kDpiStageCount> XYSettingValueY{};
  std::uint8_t CurrentDPILevelValue = 0;  // active stage 0..7
  std::array<Colour, kDpiStageCount> DPILevelIndication{};
  std::uint8_t AngleSnapValue = 0;      // carried only
  std::uint8_t LiftDetectionValue = 0;  // carried only

  friend bool operator==(const ProfileRecord&, const ProfileRecord&) = default;
};

using ProfileTable = std::array<ProfileRecord, kProfileCount>;

// The name a profile of slot `slot` gets by default: texts[85 + slot] for slots 0..4, else (a
// later slot, or a table without that text) "Profile<slot + 1>". Never empty: a profile without a
// name could not be chosen from the profile list.
std::wstring DefaultProfileName(int slot, const LanguageTable& texts);

// Gives a record whose name is empty the default name of `slot`. True when it did.
bool NameUnnamedProfile(ProfileRecord& record, int slot, const LanguageTable& texts);

// Sets every field to the defaults of profile slot `slot` (any non-negative number; the name is
// DefaultProfileName), with the DPI
// stages of sensor `sensorId`. The button and lighting names come from `texts` too.
// The 250 action slots of each button's macro keep their contents; the action count becomes 0.
void ResetProfile(ProfileRecord& record, int slot, const LanguageTable& texts, std::uint16_t sensorId);

// Sets the DPI fields to the defaults of sensor `sensorId`: enable mask 0x3F, the sensor's
// default positions (kept as they are for an unknown sensor), stage 2, the stage colours.
void ApplySensorDpiDefaults(ProfileRecord& record, std::uint16_t sensorId);

// Copies of pair n's texts; empty for n outside 0..22.
std::wstring SettingKey(const ProfileRecord& record, int n);
std::wstring SettingValue(const ProfileRecord& record, int n);

// Pair n's value read as a decimal number (leading digits after an optional sign; 0 when none).
int SettingNumber(const ProfileRecord& record, int n);

// Pairs kDoubleClickSpeed..kRippleControl hold numbers (as decimal text); the profile name and the
// three GameFile pairs hold texts.
constexpr bool IsNumberSetting(int n) { return n >= kDoubleClickSpeed && n <= kRippleControl; }

// Setters, each storing its argument as decimal text. The first two store "1" for any non-zero
// argument, the next five "1" for a positive one, "0" otherwise; the rest store the number.
void SetScrollWheelPageEnable(ProfileRecord& record, int value);
void SetAccelerationEnable(ProfileRecord& record, int value);
void SetMoveLightingOnOffMode(ProfileRecord& record, int value);
void SetMotionWakeup(ProfileRecord& record, int value);
void SetAngleSnap(ProfileRecord& record, int value);
void SetMotionSync(ProfileRecord& record, int value);
void SetRippleControl(ProfileRecord& record, int value);
void SetPowerDownTime(ProfileRecord& record, int value);
void SetLiftDetectionHeight(ProfileRecord& record, int value);
void SetKeyDebounce(ProfileRecord& record, int value);
void SetScrollWheelSpeed(ProfileRecord& record, int value);
void SetTiltSpeed(ProfileRecord& record, int value);
void SetPointerSpeed(ProfileRecord& record, int value);
void SetDoubleClickSpeed(ProfileRecord& record, int value);

// The stage after `stage`, cyclically, that `mask` enables (bit i: stage i), searched at most once
// round; `stage` itself when no other stage is enabled.
int NextEnabledStage(int stage, std::uint8_t mask);

// The assignment of button i, or nullptr for i outside 0..5.
KeyAssignment* KeyAssignmentAt(ProfileRecord& record, int i);
const KeyAssignment* KeyAssignmentAt(const ProfileRecord& record, int i);

std::wstring ProfileName(const ProfileRecord& record);
std::wstring PollingRateName(const ProfileRecord& record);
std::wstring Lighting1Name(const ProfileRecord& record);
std::wstring Lighting2Name(const ProfileRecord& record);

}  // namespace gm
