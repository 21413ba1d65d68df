#include "app/main_commands.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/reset_model.h"
#include "settings/app_config.h"
#include "settings/language_indexes.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {
namespace {

using Groups = std::vector<DirtyGroup>;

// Every profile at its slot's defaults (see MakeResetModel) and the window's view of the current one.
class MainCommandsTest : public ::testing::Test {
 protected:
  MainCommandsTest() { Refresh(); }
  ProfileRecord& record() { return model_->CurrentRecord(); }
  void Refresh() { view_ = ViewFromProfile(*model_, 8); }
  // The record with the given stage mask and current stage, and the view of it.
  void SetStages(std::uint8_t mask, std::uint8_t current) {
    record().DPIOffOnFlagValue = mask;
    record().CurrentDPILevelValue = current;
    Refresh();
  }
  // The user clicks stage check i: the check toggles itself before the command runs.
  CommandResult ClickStageCheck(int stage) {
    view_.stageChecks = static_cast<std::uint8_t>(view_.stageChecks ^ (1u << stage));
    return OnStageCheckClicked(view_, *model_, stage);
  }

  std::unique_ptr<SettingsModel> model_ = test::MakeResetModel();
  MainView view_;
};

TEST_F(MainCommandsTest, TheOnlyEnabledStageIsRefusedAndItsCheckSetBack) {
  SetStages(0x04, 2);
  const ProfileRecord before = record();
  const CommandResult result = ClickStageCheck(2);
  EXPECT_TRUE(result.refused);
  EXPECT_TRUE(result.showView);
  EXPECT_FALSE(result.refresh);
  EXPECT_TRUE(result.schedule.empty());
  EXPECT_EQ(view_.stageChecks, 0x04);
  EXPECT_EQ(record(), before);
}

TEST_F(MainCommandsTest, StageChecksRebuildTheMaskAndMoveTheCurrentStageCyclically) {
  struct Case {
    std::uint8_t mask;
    std::uint8_t current;
    int clicked;
    std::uint8_t maskAfter;
    std::uint8_t currentAfter;
  };
  const Case cases[] = {
      {0x81, 7, 7, 0x01, 0},  // the current stage 7 unchecked: wraps round to stage 0
      {0x3F, 5, 5, 0x1F, 0},  // 6 and 7 disabled: stage 5 moves on to 0
      {0x2B, 1, 1, 0x29, 3},  // stage 2 disabled: 1 moves on to 3
      {0x3F, 2, 4, 0x2F, 2},  // another stage unchecked: the current one stays
      {0x03, 0, 6, 0x43, 0},  // checking a stage enables it
  };
  for (const Case& c : cases) {
    SetStages(c.mask, c.current);
    const CommandResult result = ClickStageCheck(c.clicked);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(record().DPIOffOnFlagValue, c.maskAfter) << int{c.mask} << " click " << c.clicked;
    EXPECT_EQ(record().CurrentDPILevelValue, c.currentAfter) << int{c.mask} << " click " << c.clicked;
    EXPECT_TRUE(result.refresh);
    EXPECT_EQ(result.schedule, Groups{DirtyGroup::kDeviceSettings});
  }
}

TEST_F(MainCommandsTest, StageButtonMakesTheStageCurrentOnlyWhenItIsNotAlready) {
  const ProfileRecord before = record();
  EXPECT_TRUE(OnStageButtonClicked(view_, *model_, 2).refused);  // stage 2 is current
  EXPECT_TRUE(OnStageButtonClicked(view_, *model_, 6).refused);  // disabled
  EXPECT_TRUE(OnStageButtonClicked(view_, *model_, 8).refused);
  EXPECT_EQ(record(), before);

  const CommandResult result = OnStageButtonClicked(view_, *model_, 4);
  EXPECT_EQ(record().CurrentDPILevelValue, 4);
  EXPECT_TRUE(result.refresh);
  EXPECT_EQ(result.schedule, Groups{DirtyGroup::kDeviceSettings});
}

TEST_F(MainCommandsTest, StageValueDialogFollowsTheSensorAndStoresItsPositions) {
  EXPECT_EQ(OnStageValueClicked(*model_, 3).open, MainDialog::kDpiValueXY);
  model_->sensor.hasSeparateXY = false;
  EXPECT_EQ(OnStageValueClicked(*model_, 3).open, MainDialog::kDpiValueSingle);
  model_->sensor.count = 0;  // no list yet: no dialog
  EXPECT_TRUE(OnStageValueClicked(*model_, 3).refused);
  EXPECT_FALSE(OnStageValueClicked(*model_, 3).open);
  BuildSensorDpiTables(model_->sensor);

  CommandResult result = OnStageValueConfirmed(view_, *model_, 3, 99, 120);
  EXPECT_EQ(record().XYSettingValueX[3], 99);
  EXPECT_EQ(record().XYSettingValueY[3], 120);
  EXPECT_EQ(view_.stages[3].dpi, 5000);
  EXPECT_TRUE(result.showView);
  EXPECT_EQ(result.schedule, Groups{DirtyGroup::kDeviceSettings});

  result = OnStageValueConfirmed(view_, *model_, 1, 40, std::nullopt);  // one value for both
  EXPECT_EQ(record().XYSettingValueX[1], 40);
  EXPECT_EQ(record().XYSettingValueY[1], 40);
  EXPECT_EQ(view_.stages[1].dpi, 2050);

  const ProfileRecord before = record();
  EXPECT_TRUE(OnStageValueConfirmed(view_, *model_, 1, -1, std::nullopt).refused);
  EXPECT_TRUE(OnStageValueConfirmed(view_, *model_, 1, 5, 70000).refused);
  EXPECT_TRUE(OnStageValueConfirmed(view_, *model_, 8, 5, 5).refused);
  EXPECT_EQ(record(), before);
}

TEST_F(MainCommandsTest, StageColourIsStoredAndShown) {
  EXPECT_EQ(OnStageColourClicked(4).open, MainDialog::kColourPalette);
  const CommandResult result = OnStageColourConfirmed(view_, *model_, 4, MakeColour(0x12, 0x34, 0x56));
  EXPECT_EQ(record().DPILevelIndication[4], MakeColour(0x12, 0x34, 0x56));
  EXPECT_EQ(view_.stages[4].colour, MakeColour(0x12, 0x34, 0x56));
  EXPECT_EQ(result.schedule, Groups{DirtyGroup::kDeviceSettings});
}

// Every dial's storing table for every code the click may choose; bytes 1 and 2 become 0.
TEST_F(MainCommandsTest, EachRateDialStoresItsCodeUpToItsTopRate) {
  const struct {
    int dial;
    int stored[7];
  } dials[] = {{3041, {0, 1, 1, 1, 1, 1, 1}},
               {3042, {0, 1, 2, 3, 3, 3, 3}},
               {3043, {0, 1, 2, 3, 4, 4, 4}},
               {3044, {0, 1, 2, 3, 4, 5, 5}},
               {3045, {0, 1, 2, 3, 4, 5, 6}}};
  const wchar_t* names[7] = {L"125HZ", L"250HZ", L"500HZ", L"1000HZ", L"2000HZ", L"4000HZ", L"8000HZ"};
  for (const auto& d : dials) {
    for (int s = 0; s <= 6; ++s) {
      record().PollingRateValue = {9, 7, 7};
      const CommandResult result = OnRateDialClicked(*model_, d.dial, s);
      const int c = d.stored[s];
      EXPECT_EQ(record().PollingRateValue, (ThreeBytes{static_cast<std::uint8_t>(c), 0, 0})) << d.dial << " s=" << s;
      EXPECT_EQ(record().PollingRateName, names[c]) << d.dial << " s=" << s;
      EXPECT_EQ(result.schedule, Groups{DirtyGroup::kDeviceSettings});
      EXPECT_TRUE(result.refresh);
    }
  }
  const ProfileRecord before = record();
  EXPECT_TRUE(OnRateDialClicked(*model_, 3046, 2).refused);
  EXPECT_EQ(record(), before);
}

// Sensor checks and the power dial store only their own setting and mark only their own group.
TEST_F(MainCommandsTest, SensorChecksAndPowerMarkOnlyTheirOwnGroup) {
  const struct {
    int check;
    int setting;
  } checks[] = {{3540, kAngleSnap}, {3541, kMotionSync}, {3542, kRippleControl}};
  for (const auto& c : checks) {
    for (bool checked : {true, false}) {
      ProfileRecord expected = record();
      expected.SettingEntries[static_cast<std::size_t>(c.setting)].Value = checked ? L"1" : L"0";
      const CommandResult result = OnSensorCheckClicked(view_, *model_, c.check, checked);
      EXPECT_EQ(record(), expected) << c.check;
      EXPECT_EQ(result.schedule, Groups{DirtyGroup::kSensor});
      EXPECT_TRUE(result.refresh);
    }
  }

  ProfileRecord expected = record();
  expected.SettingEntries[kPowerDownTime].Value = L"5";
  const CommandResult result = OnPowerChosen(view_, *model_, 5);
  EXPECT_EQ(record(), expected);
  EXPECT_EQ(result.schedule, Groups{DirtyGroup::kPower});
  EXPECT_TRUE(result.refresh);

  EXPECT_TRUE(OnSensorCheckClicked(view_, *model_, 3543, true).refused);
  EXPECT_TRUE(OnPowerChosen(view_, *model_, 0).refused);
  EXPECT_TRUE(OnPowerChosen(view_, *model_, 9).refused);
  EXPECT_EQ(record(), expected);
}

TEST_F(MainCommandsTest, LiftRadiosGatherTheirHeight) {
  const struct {
    int radio;
    const wchar_t* stored;
  } cases[] = {{3510, L"1"}, {3511, L"2"}, {3509, L"7"}};
  for (const auto& c : cases) {
    const CommandResult result = OnLiftRadioClicked(view_, *model_, c.radio);
    EXPECT_EQ(SettingValue(record(), kLiftDetectionHeight), c.stored) << c.radio;
    EXPECT_TRUE(result.showView);
    EXPECT_EQ(result.schedule, Groups{DirtyGroup::kDeviceSettings});
  }
  EXPECT_TRUE(OnLiftRadioClicked(view_, *model_, 3512).refused);
  EXPECT_EQ(SettingValue(record(), kLiftDetectionHeight), L"7");
}

TEST_F(MainCommandsTest, ProfileSwitchStoresTheSlotSendsEveryGroupAndSkipsTwoReports) {
  const CommandResult result = OnProfileChosen(*model_, 3);
  EXPECT_EQ(GetCurrentProfile(model_->config), 3);
  EXPECT_EQ(model_->currentProfile, 3);
  EXPECT_EQ(result.schedule,
            (Groups{DirtyGroup::kKeyMap, DirtyGroup::kDeviceSettings, DirtyGroup::kPower, DirtyGroup::kSensor}));
  EXPECT_EQ(result.skipInputReports, 2);
  EXPECT_TRUE(result.refresh);
  EXPECT_TRUE(result.closePopups);

  EXPECT_TRUE(OnProfileChosen(*model_, 5).refused);
  EXPECT_TRUE(OnProfileChosen(*model_, -1).refused);
  EXPECT_EQ(model_->currentProfile, 3);
  EXPECT_EQ(GetCurrentProfile(model_->config), 3);
}

TEST_F(MainCommandsTest, FactoryResetNeedsAUsableLink) {
  const struct {
    bool online, wiredOrBle;
    bool confirms;
  } cases[] = {{false, false, false}, {true, false, true}, {false, true, true}, {true, true, true}};
  for (const auto& c : cases) {
    const CommandResult result = OnFactoryResetClicked(c.online, c.wiredOrBle);
    if (c.confirms) {
      EXPECT_EQ(result.open, MainDialog::kResetConfirm);
      EXPECT_FALSE(result.notice);
    } else {
      EXPECT_EQ(result.notice, kTextMouseNotReachable);
      EXPECT_FALSE(result.open);
      EXPECT_TRUE(result.schedule.empty());
    }
  }
}

TEST_F(MainCommandsTest, ConfirmedFactoryResetRestoresTheSlotDefaultsButKeepsTheName) {
  model_->currentProfile = 1;
  ProfileRecord& current = record();
  current.SettingEntries[kProfileName].Value = L"Mine";
  current.DPIOffOnFlagValue = 0x01;
  current.PollingRateValue = {6, 0, 0};
  SetAngleSnap(current, 1);
  current.KeyAssignments[2].KeyName = L"Renamed";
  const ProfileRecord other = model_->profiles[0];

  const FactoryResetPlan plan = OnFactoryResetConfirmed(*model_);

  ProfileRecord expected;
  ResetProfile(expected, 1, model_->texts, model_->sensor.id);
  expected.SettingEntries[kProfileName].Value = L"Mine";
  EXPECT_EQ(record(), expected);
  EXPECT_EQ(model_->profiles[0], other);
  EXPECT_EQ(plan.slot, 1);
  EXPECT_EQ(plan.steps, (std::vector<ResetStep>{ResetStep::kSendFactoryReset, ResetStep::kWriteProfileFile,
                                                ResetStep::kPrimeShadows, ResetStep::kZeroMacroShadows,
                                                ResetStep::kRefresh, ResetStep::kShowProgress}));
}

// After a firmware update the mouse starts from its factory state, and so does the current
// profile (name kept) — but only when the wired link is there to take the reset command; without
// it nothing may change, or the program and the mouse would disagree.
TEST_F(MainCommandsTest, FirmwareUpdatedResetsTheCurrentProfileOnlyWithTheWiredLinkOpen) {
  model_->currentProfile = 1;
  ProfileRecord& current = record();
  current.SettingEntries[kProfileName].Value = L"Mine";
  current.DPIOffOnFlagValue = 0x01;
  current.KeyAssignments[2].KeyName = L"Renamed";
  const ProfileRecord edited = current;

  const FactoryResetPlan without = OnFirmwareUpdated(*model_, false);
  EXPECT_TRUE(without.steps.empty());
  EXPECT_EQ(record(), edited);

  const FactoryResetPlan plan = OnFirmwareUpdated(*model_, true);
  ProfileRecord expected;
  ResetProfile(expected, 1, model_->texts, model_->sensor.id);
  expected.SettingEntries[kProfileName].Value = L"Mine";
  EXPECT_EQ(record(), expected);
  EXPECT_EQ(plan.slot, 1);
  EXPECT_EQ(plan.steps, (std::vector<ResetStep>{ResetStep::kSendFactoryReset, ResetStep::kWriteProfileFile,
                                                ResetStep::kPrimeShadows, ResetStep::kRefresh}));
}

}  // namespace
}  // namespace gm
