#include "app/main_view.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/reset_model.h"
#include "settings/language_indexes.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {
namespace {

// The current profile is slot 0 with its defaults; the power label's texts are set apart.
class MainViewTest : public ::testing::Test {
 protected:
  MainViewTest() {
    model_->texts[kTextPowerLabelBefore] = L"Sleep after ";
    model_->texts[kTextPowerLabelAfter] = L" steps";
  }
  ProfileRecord& record() { return model_->CurrentRecord(); }

  std::unique_ptr<SettingsModel> model_ = test::MakeResetModel();
};

TEST_F(MainViewTest, AResetProfileShowsItsDefaults) {
  const MainView view = ViewFromProfile(*model_, 8);

  EXPECT_EQ(view.comboCaptions[0], L"t20");
  EXPECT_EQ(view.comboCaptions[5], L"t42");
  EXPECT_EQ(view.stageChecks, 0x3F);
  EXPECT_EQ(view.currentStage, 2);
  // Default positions 0x00F, 0x017, 0x01F, 0x04F, 0x08F, 0x257 (800 .. 30000 DPI).
  const int dpi[6] = {800, 1200, 1600, 4000, 7200, 30000};
  for (int i = 0; i < 6; ++i) {
    const StageView& stage = view.stages[static_cast<std::size_t>(i)];
    EXPECT_EQ(stage.dpi, dpi[i]) << i;
    EXPECT_FALSE(stage.disabled) << i;
    EXPECT_EQ(stage.textColour, i == 2 ? 0x0000FFu : 0xB4B4B4u) << i;
    EXPECT_EQ(stage.x, stage.y) << i;
  }
  EXPECT_TRUE(view.stages[6].disabled);
  EXPECT_TRUE(view.stages[7].disabled);
  EXPECT_EQ(view.stages[0].colour, MakeColour(0xFF, 0, 0));
  EXPECT_EQ(view.stages[1].colour, MakeColour(0, 0, 0xFF));

  EXPECT_EQ(view.rateCode, 2);  // 500 Hz
  EXPECT_EQ(view.ratePicture, 3045);
  EXPECT_EQ(view.rateCentreText, 3144);

  EXPECT_EQ(view.lift, LiftChoice::kTwo);
  EXPECT_TRUE(view.liftExtraShown);
  EXPECT_EQ(view.sensorChecks, (std::array<bool, 3>{false, true, false}));

  EXPECT_EQ(view.powerValue, 1);
  EXPECT_EQ(view.powerStep, 0);
  EXPECT_EQ(view.powerLabel, L"Sleep after 1 steps");

  HiddenControlsView hidden;
  hidden.moveLightingOnOffMode = 0;
  hidden.motionWakeup = 1;
  hidden.lightingEffect = 0;
  hidden.lightingSpeed = 1;
  hidden.lightingBrightness = 3;
  hidden.lightingDirection = 0;
  hidden.doubleClickSpeed = 6;
  hidden.pointerSpeed = 5;
  hidden.accelerationEnable = 1;
  hidden.scrollWheelSpeed = 2;
  hidden.scrollWheelPageEnable = 0;
  hidden.tiltSpeed = 2;
  hidden.keyDebounce = 2;
  EXPECT_EQ(view.hidden, hidden);
}

TEST_F(MainViewTest, RateDialFollowsTheCapabilityAndTheCentreTextTheCode) {
  struct Case {
    int capability;
    std::uint8_t code;
    std::optional<int> picture;
    int centreText;
  };
  const Case cases[] = {
      {0x31, 0, 3041, 3142}, {1, 1, 3042, 3143}, {2, 2, 3043, 3144},         {4, 5, 3044, 3145},
      {8, 6, 3045, 3145},    {7, 3, 3042, 3145}, {0x30, 1, std::nullopt, 3143},
  };
  for (const Case& c : cases) {
    record().PollingRateValue = {c.code, 0, 0};
    const MainView view = ViewFromProfile(*model_, c.capability);
    EXPECT_EQ(view.rateCode, c.code) << c.capability;
    EXPECT_EQ(view.ratePicture, c.picture) << c.capability;
    EXPECT_EQ(view.rateCentreText, c.centreText) << c.capability;
  }
}

TEST_F(MainViewTest, PowerStepIsThePositionOfTheValueInOneToEight) {
  const struct {
    const wchar_t* stored;
    std::optional<int> step;
    const wchar_t* label;
  } cases[] = {{L"1", 0, L"Sleep after 1 steps"},
               {L"8", 7, L"Sleep after 8 steps"},
               {L"0", std::nullopt, L"Sleep after 0 steps"},
               {L"9", std::nullopt, L"Sleep after 9 steps"}};
  for (const auto& c : cases) {
    record().SettingEntries[kPowerDownTime].Value = c.stored;
    const MainView view = ViewFromProfile(*model_, 8);
    EXPECT_EQ(view.powerStep, c.step) << c.stored;
    EXPECT_EQ(view.powerLabel, c.label);
  }
}

TEST_F(MainViewTest, LiftRadioFollowsTheHeightAndGatherStoresOneTwoOrSeven) {
  const struct {
    const wchar_t* stored;
    LiftChoice shown;
    const wchar_t* gathered;
  } cases[] = {{L"1", LiftChoice::kOne, L"1"},
               {L"2", LiftChoice::kTwo, L"2"},
               {L"3", LiftChoice::kExtra, L"7"},  // any other height holds 7 after the first gather
               {L"7", LiftChoice::kExtra, L"7"},
               {L"", LiftChoice::kExtra, L"7"}};
  for (const auto& c : cases) {
    record().SettingEntries[kLiftDetectionHeight].Value = c.stored;
    const MainView view = ViewFromProfile(*model_, 8);
    EXPECT_EQ(view.lift, c.shown) << c.stored;
    GatherIntoProfile(view, record());
    EXPECT_EQ(record().SettingEntries[kLiftDetectionHeight].Value, c.gathered) << c.stored;
  }
}

TEST_F(MainViewTest, GatheringTheViewOfAResetProfileChangesNothing) {
  const ProfileRecord before = record();
  GatherIntoProfile(ViewFromProfile(*model_, 8), record());
  EXPECT_EQ(record(), before);
}

TEST_F(MainViewTest, GatherWritesTheShownControls) {
  MainView view = ViewFromProfile(*model_, 8);
  view.sensorChecks = {true, false, true};
  view.powerValue = 5;
  view.currentStage = 4;
  view.stageChecks = 0x95;
  view.lift = LiftChoice::kOne;
  GatherIntoProfile(view, record());

  EXPECT_EQ(SettingValue(record(), kAngleSnap), L"1");
  EXPECT_EQ(SettingValue(record(), kMotionSync), L"0");
  EXPECT_EQ(SettingValue(record(), kRippleControl), L"1");
  EXPECT_EQ(SettingValue(record(), kPowerDownTime), L"5");
  EXPECT_EQ(record().CurrentDPILevelValue, 4);
  EXPECT_EQ(record().DPIOffOnFlagValue, 0x95);
  EXPECT_EQ(SettingValue(record(), kLiftDetectionHeight), L"1");
}

// The never-shown controls hold what the profile gave them: gathering into a record that holds
// other values writes the source's values back, and only into the current effect's lighting.
TEST_F(MainViewTest, NeverShownControlsGiveBackTheValuesTheyWereGiven) {
  ProfileRecord& source = record();
  SetMoveLightingOnOffMode(source, 1);
  SetMotionWakeup(source, 0);
  source.Lighting1ModeValue[0] = 3;
  source.Lighting1Speed[3] = 4;
  source.Lighting1Brightness[3] = 2;
  source.Lighting1Direction[3] = 1;
  SetDoubleClickSpeed(source, 9);
  SetPointerSpeed(source, 11);
  SetAccelerationEnable(source, 0);
  SetScrollWheelSpeed(source, 7);
  SetScrollWheelPageEnable(source, 1);
  SetTiltSpeed(source, 3);
  SetKeyDebounce(source, 5);
  const MainView view = ViewFromProfile(*model_, 8);

  ProfileRecord target;
  ResetProfile(target, 1, model_->texts, model_->sensor.id);
  GatherIntoProfile(view, target);

  for (int n : {kMoveLightingOnOffMode, kMotionWakeup, kDoubleClickSpeed, kPointerSpeed, kAccelerationEnable,
                kScrollWheelSpeed, kScrollWheelPageEnable, kTiltSpeed, kKeyDebounce})
    EXPECT_EQ(SettingValue(target, n), SettingValue(source, n)) << SettingKey(source, n);
  EXPECT_EQ(target.Lighting1Speed[3], 4);
  EXPECT_EQ(target.Lighting1Brightness[3], 2);
  EXPECT_EQ(target.Lighting1Direction[3], 1);
  EXPECT_EQ(target.Lighting1Speed[0], 1);  // other effects keep their own values
  EXPECT_EQ(target.Lighting1Direction[1], 1);
}

TEST_F(MainViewTest, AnEffectNumberOutsideTheTableWritesNoLighting) {
  record().Lighting1ModeValue[0] = 12;
  const ProfileRecord before = record();
  GatherIntoProfile(ViewFromProfile(*model_, 8), record());
  EXPECT_EQ(record(), before);
}

}  // namespace
}  // namespace gm
