#include "app/main_view.h"

#include "app/main_layout.h"
#include "settings/language_indexes.h"
#include "settings/sensor_table.h"

namespace gm {

int LiftRadioId(LiftChoice choice) {
  switch (choice) {
    case LiftChoice::kOne: return kLiftRadioOneId;
    case LiftChoice::kTwo: return kLiftRadioTwoId;
    case LiftChoice::kExtra: break;
  }
  return kLiftRadioExtraId;
}

std::optional<LiftChoice> LiftChoiceOfRadio(int radioId) {
  switch (radioId) {
    case kLiftRadioOneId: return LiftChoice::kOne;
    case kLiftRadioTwoId: return LiftChoice::kTwo;
    case kLiftRadioExtraId: return LiftChoice::kExtra;
    default: return std::nullopt;
  }
}

int LiftHeightOf(LiftChoice choice) {
  switch (choice) {
    case LiftChoice::kOne: return kLiftHeightOne;
    case LiftChoice::kTwo: return kLiftHeightTwo;
    case LiftChoice::kExtra: break;
  }
  return kLiftHeightExtra;
}

LiftChoice LiftChoiceOfHeight(int height) {
  return height == kLiftHeightOne ? LiftChoice::kOne : height == kLiftHeightTwo ? LiftChoice::kTwo : LiftChoice::kExtra;
}

namespace {

constexpr std::array<int, kSensorCheckCount> kSensorSettings = {kAngleSnap, kMotionSync, kRippleControl};

HiddenControlsView HiddenFromProfile(const ProfileRecord& record) {
  HiddenControlsView hidden;
  hidden.moveLightingOnOffMode = SettingNumber(record, kMoveLightingOnOffMode);
  hidden.motionWakeup = SettingNumber(record, kMotionWakeup);
  hidden.lightingEffect = record.Lighting1ModeValue[0];
  if (hidden.lightingEffect < kLightingEffectCount) {
    const auto effect = static_cast<std::size_t>(hidden.lightingEffect);
    hidden.lightingSpeed = record.Lighting1Speed[effect];
    hidden.lightingBrightness = record.Lighting1Brightness[effect];
    hidden.lightingDirection = record.Lighting1Direction[effect];
  }
  hidden.doubleClickSpeed = SettingNumber(record, kDoubleClickSpeed);
  hidden.pointerSpeed = SettingNumber(record, kPointerSpeed);
  hidden.accelerationEnable = SettingNumber(record, kAccelerationEnable);
  hidden.scrollWheelSpeed = SettingNumber(record, kScrollWheelSpeed);
  hidden.scrollWheelPageEnable = SettingNumber(record, kScrollWheelPageEnable);
  hidden.tiltSpeed = SettingNumber(record, kTiltSpeed);
  hidden.keyDebounce = SettingNumber(record, kKeyDebounce);
  return hidden;
}

void GatherHidden(const HiddenControlsView& hidden, ProfileRecord& record) {
  SetMoveLightingOnOffMode(record, hidden.moveLightingOnOffMode);
  SetMotionWakeup(record, hidden.motionWakeup);
  if (hidden.lightingEffect >= 0 && hidden.lightingEffect < kLightingEffectCount) {
    const auto effect = static_cast<std::size_t>(hidden.lightingEffect);
    record.Lighting1Speed[effect] = hidden.lightingSpeed;
    record.Lighting1Brightness[effect] = hidden.lightingBrightness;
    record.Lighting1Direction[effect] = hidden.lightingDirection;
  }
  SetDoubleClickSpeed(record, hidden.doubleClickSpeed);
  SetPointerSpeed(record, hidden.pointerSpeed);
  SetAccelerationEnable(record, hidden.accelerationEnable);
  SetScrollWheelSpeed(record, hidden.scrollWheelSpeed);
  SetScrollWheelPageEnable(record, hidden.scrollWheelPageEnable);
  SetTiltSpeed(record, hidden.tiltSpeed);
  SetKeyDebounce(record, hidden.keyDebounce);
}

}  // namespace

MainView ViewFromProfile(const SettingsModel& model, int rateCapability) {
  const ProfileRecord& record = model.CurrentRecord();
  MainView view;
  for (std::size_t i = 0; i < view.comboCaptions.size(); ++i) view.comboCaptions[i] = record.KeyAssignments[i].KeyName;

  view.stageChecks = record.DPIOffOnFlagValue;
  view.currentStage = record.CurrentDPILevelValue;
  for (std::size_t i = 0; i < view.stages.size(); ++i) {
    StageView& stage = view.stages[i];
    stage.x = record.XYSettingValueX[i];
    stage.y = record.XYSettingValueY[i];
    stage.dpi = DpiOfPosition(model.sensor, stage.x);
    stage.disabled = (record.DPIOffOnFlagValue >> i & 1) == 0;
    stage.textColour = static_cast<int>(i) == view.currentStage ? kCurrentStageTextColour : kStageTextColour;
    stage.colour = record.DPILevelIndication[i];
  }

  view.rateCode = record.PollingRateValue[0];
  view.ratePicture = RatePictureFor(rateCapability);
  view.rateCentreText = RateCentreTextFor(view.rateCode);

  view.lift = LiftChoiceOfHeight(SettingNumber(record, kLiftDetectionHeight));
  view.liftExtraShown = model.sensor.showsExtraOption;

  for (std::size_t i = 0; i < kSensorSettings.size(); ++i)
    view.sensorChecks[i] = SettingNumber(record, kSensorSettings[i]) > 0;

  view.powerValue = SettingNumber(record, kPowerDownTime);
  if (view.powerValue >= 1 && view.powerValue <= kPowerDownSteps) view.powerStep = view.powerValue - 1;
  view.powerLabel = model.texts[kTextPowerLabelBefore] + std::to_wstring(view.powerValue) + model.texts[kTextPowerLabelAfter];

  view.hidden = HiddenFromProfile(record);
  return view;
}

void GatherIntoProfile(const MainView& view, ProfileRecord& record) {
  SetAngleSnap(record, view.sensorChecks[0] ? 1 : 0);
  SetMotionSync(record, view.sensorChecks[1] ? 1 : 0);
  SetRippleControl(record, view.sensorChecks[2] ? 1 : 0);
  SetPowerDownTime(record, view.powerValue);
  record.CurrentDPILevelValue = static_cast<std::uint8_t>(view.currentStage);
  record.DPIOffOnFlagValue = view.stageChecks;
  SetLiftDetectionHeight(record, LiftHeightOf(view.lift));
  GatherHidden(view.hidden, record);
}

}  // namespace gm
