#include "settings/profile_record.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/settings_model.h"

namespace {

// Fills the language table with "T<index>" so every default name shows where it came from.
class ProfileRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 500; ++i) s_.texts[i] = L"T" + std::to_wstring(i);
  }

  std::unique_ptr<gm::SettingsModel> model_ = std::make_unique<gm::SettingsModel>();
  gm::SettingsModel& s_ = *model_;
};

}  // namespace

TEST(ProfileRecordDefaults, AFreshRecordHasTheConstructorDefaults) {
  const gm::ProfileRecord r;
  EXPECT_EQ(r.Lighting1OffOn, 1);
  EXPECT_EQ(r.Lighting2OffOn, 1);
  EXPECT_EQ(r.Lighting2Speed, 2);
  EXPECT_EQ(r.Lighting2Brightness, 100);
  EXPECT_EQ(r.DPIOffOnFlagValue, 0x7F);
  EXPECT_EQ(r.CurrentDPILevelValue, 0);
  EXPECT_TRUE(r.SettingEntries[0].Key.empty());
  EXPECT_EQ(r.KeyAssignments[5].Macro, gm::MacroKey());
}

TEST_F(ProfileRecordTest, ResetGivesTheSlotDefaults) {
  gm::ProfileRecord r;
  r.KeyAssignments[3].Macro.Actions[7] = gm::MacroAction::Delay(5);
  r.KeyAssignments[3].Macro.MacroActionNum = 8;
  r.KeyAssignments[3].Macro.Name = L"old";
  r.KeyAssignments[3].Macro.MacroKeyLoopType = 4;
  r.KeyAssignments[3].MacroKeyIndex = 9;
  r.KeyAssignments[3].KeyURL = L"http://x";
  gm::ResetProfile(r, 0, s_.texts, s_.sensor.id);

  EXPECT_EQ(r.SettingEntries[0], (gm::TextPair{L"ProfileName", L"T85"}));
  EXPECT_EQ(r.SettingEntries[4], (gm::TextPair{L"DoubleClickSpeed", L"6"}));
  EXPECT_EQ(r.SettingEntries[10], (gm::TextPair{L"Sensitivity_X", L"4"}));
  EXPECT_EQ(r.SettingEntries[17], (gm::TextPair{L"LiftDetectionHeight", L"2"}));
  EXPECT_EQ(r.SettingEntries[22], (gm::TextPair{L"RippleControl", L"0"}));

  const struct { const wchar_t* name; gm::ThreeBytes value; } buttons[] = {
      {L"T20", {0x10, 1, 0}}, {L"T21", {0x10, 2, 0}}, {L"T22", {0x10, 4, 0}},
      {L"T23", {0x10, 0x10, 0}}, {L"T24", {0x10, 8, 0}}, {L"T42", {0x40, 1, 0}}};
  for (int b = 0; b < 6; ++b) {
    EXPECT_EQ(r.KeyAssignments[b].KeyName, buttons[b].name);
    EXPECT_EQ(r.KeyAssignments[b].KeyValue, buttons[b].value);
  }
  const gm::KeyAssignment& k3 = r.KeyAssignments[3];
  EXPECT_TRUE(k3.KeyURL.empty());
  EXPECT_EQ(k3.MacroKeyIndex, 0u);
  EXPECT_EQ(k3.Macro.MacroActionNum, 0u);
  EXPECT_TRUE(k3.Macro.Name.empty());
  EXPECT_EQ(k3.Macro.MacroKeyLoopType, 2);
  EXPECT_EQ(k3.Macro.Actions[7], gm::MacroAction::Delay(5)) << "action slots keep their contents";

  EXPECT_EQ(r.PollingRateName, L"500HZ");
  EXPECT_EQ(r.PollingRateValue, (gm::ThreeBytes{2, 0, 0}));
  EXPECT_EQ(r.Lighting1Name, L"T109");
  EXPECT_EQ(r.Lighting1Speed[9], 1);
  EXPECT_EQ(r.Lighting1Brightness[0], 3);
  EXPECT_EQ(r.Lighting1Direction, (gm::EffectBytes{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(r.Lighting2OffOn, 0);
  EXPECT_EQ(r.Lighting2Name, L"T100");
  EXPECT_EQ(r.Lighting2ModeValue, (gm::ThreeBytes{1, 0, 0}));
  EXPECT_EQ(r.Lighting2Speed, 0);
  EXPECT_EQ(r.Lighting2Brightness, 0);
}

TEST_F(ProfileRecordTest, ResetFillsTheEffectColourTables) {
  gm::ProfileRecord r;
  r.Lighting1FixedColor[0][0] = 0x123456;
  r.Lighting1ColorSelected[9][9] = 1;
  gm::ResetProfile(r, 1, s_.texts, s_.sensor.id);
  // Slots in use per effect, and a few colours (0xBBGGRR).
  const int used[10] = {0, 0, 7, 1, 0, 0, 8, 0, 2, 0};
  for (int e = 0; e < 10; ++e) {
    for (int s = 0; s < 10; ++s) {
      EXPECT_EQ(r.Lighting1ColorSelected[e][s], s < used[e] ? 1 : 0) << e << "/" << s;
      if (s >= used[e]) {
        EXPECT_EQ(r.Lighting1FixedColor[e][s], 0u) << e << "/" << s;
      }
    }
  }
  EXPECT_EQ(r.Lighting1FixedColor[2][0], 0x0000FFu);
  EXPECT_EQ(r.Lighting1FixedColor[2][3], 0xFFFF00u);  // (00,FF,FF)
  EXPECT_EQ(r.Lighting1FixedColor[3][0], 0xFF00FFu);
  EXPECT_EQ(r.Lighting1FixedColor[6][7], 0xFF46FAu);  // (FA,46,FF)
  EXPECT_EQ(r.Lighting1FixedColor[8][1], 0x6A00FAu);  // (FA,00,6A)
}

TEST_F(ProfileRecordTest, ProfileNamesBeyondTheFiveSlotsAreNumbered) {
  gm::ProfileRecord r;
  const struct { int slot; const wchar_t* name; } cases[] = {
      {0, L"T85"}, {4, L"T89"}, {5, L"Profile6"}, {7, L"Profile8"}};
  for (const auto& c : cases) {
    gm::ResetProfile(r, c.slot, s_.texts, s_.sensor.id);
    EXPECT_EQ(gm::ProfileName(r), c.name);
  }
  // Without its text a slot still gets a name: an unnamed profile could not be chosen from the list.
  for (auto& t : s_.texts) t.clear();
  gm::ResetProfile(r, 2, s_.texts, s_.sensor.id);
  EXPECT_EQ(gm::ProfileName(r), L"Profile3");
  EXPECT_EQ(r.KeyAssignments[0].KeyName, L"");
  EXPECT_EQ(gm::Lighting1Name(r), L"");
}

TEST_F(ProfileRecordTest, OnlyAnUnnamedProfileGetsTheDefaultName) {
  for (auto& t : s_.texts) t.clear();
  s_.texts[86] = L"Second";
  const struct {
    const char* name;
    const wchar_t* before;
    int slot;
    const wchar_t* after;
    bool named;
  } cases[] = {
      {"empty, slot with its text", L"", 1, L"Second", true},
      {"empty, slot without its text", L"", 3, L"Profile4", true},
      {"empty, slot beyond the five", L"", 6, L"Profile7", true},
      {"a name is kept", L"Mine", 1, L"Mine", false},
      {"a blank name is a name", L" ", 1, L" ", false},
  };
  for (const auto& c : cases) {
    gm::ProfileRecord r;
    r.SettingEntries[gm::kProfileName].Value = c.before;
    EXPECT_EQ(gm::NameUnnamedProfile(r, c.slot, s_.texts), c.named) << c.name;
    EXPECT_EQ(gm::ProfileName(r), c.after) << c.name;
  }
}

TEST_F(ProfileRecordTest, SensorDefaultsFollowTheSensor) {
  gm::ProfileRecord r;
  s_.sensor.id = 0x3950;
  gm::ResetProfile(r, 0, s_.texts, s_.sensor.id);
  EXPECT_EQ(r.DPIOffOnFlagValue, 0x3F);
  EXPECT_EQ(r.XYSettingValueX, (std::array<std::uint16_t, 8>{0x0F, 0x17, 0x1F, 0x4F, 0x8F, 0x257, 0x257, 0x257}));
  EXPECT_EQ(r.XYSettingValueY, r.XYSettingValueX);
  EXPECT_EQ(r.CurrentDPILevelValue, 2);
  EXPECT_EQ(r.DPILevelIndication, (std::array<gm::Colour, 8>{0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0xFFFF00,
                                                             0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
  EXPECT_EQ(r.AngleSnapValue, 0);
  EXPECT_EQ(r.LiftDetectionValue, 1);

  s_.sensor.id = 0x3311;  // shares its row with 0x0205
  gm::ApplySensorDpiDefaults(r, s_.sensor.id);
  EXPECT_EQ(r.XYSettingValueX[5], 0x77);

  // An unknown sensor keeps the positions but still sets mask, stage and colours.
  r.DPIOffOnFlagValue = 0x01;
  r.CurrentDPILevelValue = 6;
  r.DPILevelIndication.fill(0);
  r.XYSettingValueX[0] = 0x123;
  s_.sensor.id = 0x1234;
  gm::ApplySensorDpiDefaults(r, s_.sensor.id);
  EXPECT_EQ(r.XYSettingValueX[0], 0x123);
  EXPECT_EQ(r.XYSettingValueY[5], 0x77);
  EXPECT_EQ(r.DPIOffOnFlagValue, 0x3F);
  EXPECT_EQ(r.CurrentDPILevelValue, 2);
  EXPECT_EQ(r.DPILevelIndication[1], 0xFF0000u);
}

TEST_F(ProfileRecordTest, SettersStoreDecimalTextByTheirRule) {
  using Setter = void (*)(gm::ProfileRecord&, int);
  const struct {
    Setter set;
    int index;
    int argument;
    const wchar_t* stored;
  } cases[] = {
      {gm::SetAccelerationEnable, gm::kAccelerationEnable, -1, L"1"},
      {gm::SetAccelerationEnable, gm::kAccelerationEnable, 0, L"0"},
      {gm::SetScrollWheelPageEnable, gm::kScrollWheelPageEnable, 7, L"1"},
      {gm::SetMotionSync, gm::kMotionSync, -1, L"0"},
      {gm::SetMotionSync, gm::kMotionSync, 3, L"1"},
      {gm::SetMoveLightingOnOffMode, gm::kMoveLightingOnOffMode, -2, L"0"},
      {gm::SetMotionWakeup, gm::kMotionWakeup, 1, L"1"},
      {gm::SetAngleSnap, gm::kAngleSnap, 0, L"0"},
      {gm::SetRippleControl, gm::kRippleControl, 2, L"1"},
      {gm::SetPowerDownTime, gm::kPowerDownTime, 10, L"10"},
      {gm::SetLiftDetectionHeight, gm::kLiftDetectionHeight, 7, L"7"},
      {gm::SetKeyDebounce, gm::kKeyDebounce, -4, L"-4"},
      {gm::SetScrollWheelSpeed, gm::kScrollWheelSpeed, 0, L"0"},
      {gm::SetTiltSpeed, gm::kTiltSpeed, 3, L"3"},
      {gm::SetPointerSpeed, gm::kPointerSpeed, 11, L"11"},
      {gm::SetDoubleClickSpeed, gm::kDoubleClickSpeed, 1, L"1"},
  };
  gm::ProfileRecord r;
  gm::ResetProfile(r, 0, s_.texts, s_.sensor.id);
  for (const auto& c : cases) {
    c.set(r, c.argument);
    EXPECT_EQ(gm::SettingValue(r, c.index), c.stored) << gm::SettingKey(r, c.index).size() << " #" << c.index;
  }
  EXPECT_EQ(gm::SettingNumber(r, gm::kPointerSpeed), 11);
}

TEST_F(ProfileRecordTest, AccessorsOutsideTheTablesGiveNothing) {
  gm::ProfileRecord r;
  gm::ResetProfile(r, 0, s_.texts, s_.sensor.id);
  EXPECT_EQ(gm::SettingValue(r, 23), L"");
  EXPECT_EQ(gm::SettingKey(r, -1), L"");
  EXPECT_EQ(gm::SettingKey(r, 22), L"RippleControl");
  EXPECT_EQ(gm::KeyAssignmentAt(r, 6), nullptr);
  EXPECT_EQ(gm::KeyAssignmentAt(r, -1), nullptr);
  EXPECT_EQ(gm::KeyAssignmentAt(r, 5), &r.KeyAssignments[5]);
}
