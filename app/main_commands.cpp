#include "app/main_commands.h"

#include <limits>

#include "app/main_layout.h"
#include "device/input_report.h"
#include "settings/app_config.h"

namespace gm {

namespace {

bool IsStage(int stage) { return stage >= 0 && stage < kDpiStageCount; }

bool FitsPosition(int position) {
  return position >= 0 && position <= std::numeric_limits<std::uint16_t>::max();
}

CommandResult Refused() {
  CommandResult result;
  result.refused = true;
  return result;
}

// The common ending of an edit: the profile changed, the window follows it and the group is sent.
CommandResult Edited(DirtyGroup group, bool refresh) {
  CommandResult result;
  result.refresh = refresh;
  result.showView = !refresh;
  result.schedule = {group};
  return result;
}

}  // namespace

CommandResult OnStageCheckClicked(MainView& view, SettingsModel& model, int stage) {
  if (!IsStage(stage)) return Refused();
  ProfileRecord& record = model.CurrentRecord();
  const std::uint8_t mask = record.DPIOffOnFlagValue;
  const auto bit = static_cast<std::uint8_t>(1u << stage);
  if (mask == bit) {  // the only enabled stage stays enabled
    view.stageChecks = static_cast<std::uint8_t>(view.stageChecks | bit);
    CommandResult result = Refused();
    result.showView = true;
    return result;
  }
  if ((view.stageChecks & bit) == 0 && stage == view.currentStage) view.currentStage = NextEnabledStage(stage, mask);
  GatherIntoProfile(view, record);
  return Edited(DirtyGroup::kDeviceSettings, true);
}

CommandResult OnStageButtonClicked(MainView& view, SettingsModel& model, int stage) {
  if (!IsStage(stage) || stage == view.currentStage || view.stages[static_cast<std::size_t>(stage)].disabled)
    return Refused();
  view.currentStage = stage;
  GatherIntoProfile(view, model.CurrentRecord());
  return Edited(DirtyGroup::kDeviceSettings, true);
}

CommandResult OnStageValueClicked(const SettingsModel& model, int stage) {
  // Without a DPI list (the sensor is not known yet) there is nothing to choose from.
  if (!IsStage(stage) || model.sensor.count == 0) return Refused();
  CommandResult result;
  result.open = model.sensor.hasSeparateXY ? MainDialog::kDpiValueXY : MainDialog::kDpiValueSingle;
  return result;
}

CommandResult OnStageValueConfirmed(MainView& view, SettingsModel& model, int stage, int x, std::optional<int> y) {
  const int yPosition = y.value_or(x);
  if (!IsStage(stage) || !FitsPosition(x) || !FitsPosition(yPosition)) return Refused();
  const auto i = static_cast<std::size_t>(stage);
  ProfileRecord& record = model.CurrentRecord();
  record.XYSettingValueX[i] = static_cast<std::uint16_t>(x);
  record.XYSettingValueY[i] = static_cast<std::uint16_t>(yPosition);
  StageView& shown = view.stages[i];
  shown.x = record.XYSettingValueX[i];
  shown.y = record.XYSettingValueY[i];
  shown.dpi = DpiOfPosition(model.sensor, shown.x);
  return Edited(DirtyGroup::kDeviceSettings, false);
}

CommandResult OnStageColourClicked(int stage) {
  if (!IsStage(stage)) return Refused();
  CommandResult result;
  result.open = MainDialog::kColourPalette;
  return result;
}

CommandResult OnStageColourConfirmed(MainView& view, SettingsModel& model, int stage, Colour colour) {
  if (!IsStage(stage)) return Refused();
  const auto i = static_cast<std::size_t>(stage);
  model.CurrentRecord().DPILevelIndication[i] = colour;
  view.stages[i].colour = colour;
  return Edited(DirtyGroup::kDeviceSettings, false);
}

std::optional<int> StoredRateCode(int dialId, int selected) {
  if (dialId < kControlRateDial250 || dialId > kControlRateDial8000) return std::nullopt;
  const int top = TopRateCodeOf(dialId);
  return selected >= 0 && selected < top ? selected : top;
}

CommandResult OnRateDialClicked(SettingsModel& model, int dialId, int selected) {
  const std::optional<int> code = StoredRateCode(dialId, selected);
  if (!code) return Refused();
  ProfileRecord& record = model.CurrentRecord();
  record.PollingRateValue = {static_cast<std::uint8_t>(*code), 0, 0};
  record.PollingRateName = RateNameOfIndex(*code);
  return Edited(DirtyGroup::kDeviceSettings, true);
}

CommandResult OnSensorCheckClicked(MainView& view, SettingsModel& model, int checkId, bool checked) {
  const int option = checkId - kSensorCheckFirstId;
  if (option < 0 || option >= kSensorCheckCount) return Refused();
  view.sensorChecks[static_cast<std::size_t>(option)] = checked;
  ProfileRecord& record = model.CurrentRecord();
  const int value = checked ? 1 : 0;
  switch (option) {
    case 0: SetAngleSnap(record, value); break;
    case 1: SetMotionSync(record, value); break;
    default: SetRippleControl(record, value); break;
  }
  return Edited(DirtyGroup::kSensor, true);
}

CommandResult OnPowerChosen(MainView& view, SettingsModel& model, int value) {
  if (value < 1 || value > 8) return Refused();
  view.powerValue = value;
  SetPowerDownTime(model.CurrentRecord(), value);
  return Edited(DirtyGroup::kPower, true);
}

CommandResult OnLiftRadioClicked(MainView& view, SettingsModel& model, int radioId) {
  const std::optional<LiftChoice> choice = LiftChoiceOfRadio(radioId);
  if (!choice) return Refused();
  view.lift = *choice;
  GatherIntoProfile(view, model.CurrentRecord());
  return Edited(DirtyGroup::kDeviceSettings, false);
}

CommandResult OnProfileChosen(SettingsModel& model, int slot) {
  if (slot < 0 || slot >= kProfileCount) return Refused();
  SetCurrentProfile(model.config, slot);
  model.currentProfile = slot;
  CommandResult result;
  result.closePopups = true;
  result.refresh = true;
  // Every group: the new profile's differences from what the mouse holds go out, its power and
  // sensor options included (an option equal to the mouse's costs nothing but a gap).
  result.schedule = {DirtyGroup::kKeyMap, DirtyGroup::kDeviceSettings, DirtyGroup::kPower, DirtyGroup::kSensor};
  result.skipInputReports = kProfileSwitchSkippedReports;
  return result;
}

CommandResult OnFactoryResetClicked(bool mouseOnline, bool wiredOrBleOpen) {
  CommandResult result;
  if (!mouseOnline && !wiredOrBleOpen) {
    result.refused = true;
    result.notice = kTextMouseNotReachable;
    return result;
  }
  result.open = MainDialog::kResetConfirm;
  return result;
}

namespace {

// The current profile back to its slot's defaults, its name kept; the plan's slot is that profile.
FactoryResetPlan ResetCurrentProfileKeepingName(SettingsModel& model) {
  FactoryResetPlan plan;
  plan.slot = model.currentProfile >= 0 && model.currentProfile < kProfileCount ? model.currentProfile : 0;
  ProfileRecord& record = model.CurrentRecord();
  const std::wstring name = record.SettingEntries[kProfileName].Value;
  ResetProfile(record, plan.slot, model.texts, model.sensor.id);
  record.SettingEntries[kProfileName].Value = name;
  return plan;
}

}  // namespace

FactoryResetPlan OnFactoryResetConfirmed(SettingsModel& model) {
  FactoryResetPlan plan = ResetCurrentProfileKeepingName(model);
  plan.steps = {ResetStep::kSendFactoryReset, ResetStep::kWriteProfileFile, ResetStep::kPrimeShadows,
                ResetStep::kZeroMacroShadows, ResetStep::kRefresh,          ResetStep::kShowProgress};
  return plan;
}

FactoryResetPlan OnFirmwareUpdated(SettingsModel& model, bool wiredOpen) {
  if (!wiredOpen) return {};
  FactoryResetPlan plan = ResetCurrentProfileKeepingName(model);
  plan.steps = {ResetStep::kSendFactoryReset, ResetStep::kWriteProfileFile, ResetStep::kPrimeShadows,
                ResetStep::kRefresh};
  return plan;
}

}  // namespace gm
