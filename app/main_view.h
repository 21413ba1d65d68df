#pragma once
// The main window's controls as plain data: every value they show or hold that the commands read,
// including the controls the window creates but never shows. The window keeps one MainView, sets
// its controls from it after ViewFromProfile, writes the states the user changed back into it, and
// hands it to the commands (app/main_commands.h). GatherIntoProfile copies it into the current
// profile. Portable (no windows.h).
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/main_ids.h"
#include "settings/colour.h"
#include "settings/profile_record.h"
#include "settings/settings_model.h"

namespace gm {

// Stage button texts, as Windows colour values (red in the lowest byte).
inline constexpr Colour kCurrentStageTextColour = 0x0000FF;  // red
inline constexpr Colour kStageTextColour = 0xB4B4B4;         // grey

// Control ids the view is keyed by (named in the window's id list).
inline constexpr int kStageCheckFirstId = kControlStageCheckFirst;    // + stage
inline constexpr int kStageColourFirstId = kControlStageColourFirst;  // + stage
inline constexpr int kStageButtonFirstId = kControlStageButtonFirst;  // + stage
inline constexpr int kStageValueFirstId = kControlStageBarFirst;      // + stage
inline constexpr int kLiftRadioExtraId = kControlLiftRadioExtra;
inline constexpr int kLiftRadioOneId = kControlLiftRadio1;
inline constexpr int kLiftRadioTwoId = kControlLiftRadio2;
inline constexpr int kSensorCheckFirstId = kControlAngleSnapCheck;  // angle snap, motion sync, ripple control
inline constexpr int kSensorCheckCount = 3;

// The lift-off radio that is selected. The stored LiftDetectionHeight is 1 for kOne, 2 for kTwo
// and 7 for kExtra; any other stored value shows as kExtra.
enum class LiftChoice { kOne, kTwo, kExtra };
int LiftRadioId(LiftChoice choice);                 // 3510, 3511, 3509
std::optional<LiftChoice> LiftChoiceOfRadio(int radioId);  // none for another id
int LiftHeightOf(LiftChoice choice);                // 1, 2, 7
LiftChoice LiftChoiceOfHeight(int height);

// One DPI stage's controls: stage button 3290+i, colour button 3270+i, value control 3300+i.
struct StageView {
  int dpi = 0;            // the button's text: the DPI of the X list position
  bool disabled = false;  // the stage is not enabled
  Colour textColour = kStageTextColour;
  Colour colour = 0;      // the stage's indicator colour
  std::uint16_t x = 0;    // list positions
  std::uint16_t y = 0;
  friend bool operator==(const StageView&, const StageView&) = default;
};

// The controls that exist but are never shown. GatherIntoProfile writes them back, so they must
// hold exactly what the profile gave them.
struct HiddenControlsView {
  int moveLightingOnOffMode = 0;
  int motionWakeup = 0;
  // The lighting controls of the effect in Lighting1ModeValue[0]; an effect number outside 0..9
  // has no controls and nothing is written back.
  int lightingEffect = 0;
  std::uint8_t lightingSpeed = 0;
  std::uint8_t lightingBrightness = 0;
  std::uint8_t lightingDirection = 0;
  // Desktop mouse.
  int doubleClickSpeed = 0;
  int pointerSpeed = 0;
  int accelerationEnable = 0;
  int scrollWheelSpeed = 0;
  int scrollWheelPageEnable = 0;
  int tiltSpeed = 0;
  int keyDebounce = 0;
  friend bool operator==(const HiddenControlsView&, const HiddenControlsView&) = default;
};

struct MainView {
  std::array<std::wstring, kButtonCount> comboCaptions;  // key combos 2013..2018

  std::uint8_t stageChecks = 0;  // bit i = check 3260+i
  int currentStage = 0;          // the stage shown as current (0..7)
  std::array<StageView, kDpiStageCount> stages;

  int rateCode = 0;                 // the selected rate code (0..6)
  std::optional<int> ratePicture;   // the visible rate dial 3041..3045; none: no rate choice
  int rateCentreText = kControlRateTextFirst;  // the visible centre text

  LiftChoice lift = LiftChoice::kExtra;
  bool liftExtraShown = false;      // radio 3509 and its text 3519 are shown

  std::array<bool, kSensorCheckCount> sensorChecks{};  // angle snap, motion sync, ripple control

  int powerValue = 1;               // 1..8 (3..10 minutes)
  std::optional<int> powerStep;     // the dial's picture 0..7; none for a value outside 1..8
  std::wstring powerLabel;          // the texts before and after the value, around the value

  HiddenControlsView hidden;

  friend bool operator==(const MainView&, const MainView&) = default;
};

// The controls' values for the current profile and the link's rate capability.
MainView ViewFromProfile(const SettingsModel& model, int rateCapability);

// Copies the controls into `record`, in this order: sensor checks, power, current stage, stage
// checks, lift-off distance, then the never-shown controls.
void GatherIntoProfile(const MainView& view, ProfileRecord& record);

}  // namespace gm
