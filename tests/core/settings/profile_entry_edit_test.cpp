#include "settings/profile_entry_edit.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/language.h"

namespace {

using gm::EntryEditError;

// A reset slot 0 (sensor 0x3950): stages 0..5 enabled (mask 0x3F), stage 2 current.
gm::ProfileRecord ResetRecord() {
  gm::LanguageTable texts;
  gm::ProfileRecord r;
  gm::ResetProfile(r, 0, texts, 0x3950);
  r.SettingEntries[gm::kProfileName].Value = L"Mine";
  return r;
}

std::wstring Value(const gm::ProfileRecord& r, int setting) { return r.SettingEntries[setting].Value; }

}  // namespace

TEST(ProfileEntryEdit, AcceptedValuesAreStoredAsTheProgramStoresThem) {
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    int setting;
    const wchar_t* stored;
  };
  const Case cases[] = {
      {L"ProfileName", L"Fast aim", gm::kProfileName, L"Fast aim"},
      {L"GameFile1", L"C:\\Games\\x.exe", gm::kGameFile1, L"C:\\Games\\x.exe"},
      {L"AngleSnap", L"1", gm::kAngleSnap, L"1"},
      {L"MotionSync", L"0", gm::kMotionSync, L"0"},
      {L"PowerDownTime", L"8", gm::kPowerDownTime, L"8"},
      {L"PowerDownTime", L"0x3", gm::kPowerDownTime, L"3"},   // hexadecimal is read, decimal stored
      {L"LiftDetectionHeight", L"7", gm::kLiftDetectionHeight, L"7"},
  };
  for (const Case& c : cases) {
    gm::ProfileRecord r = ResetRecord();
    EXPECT_TRUE(gm::SetProfileEntry(r, c.name, c.value)) << c.name << "=" << c.value;
    EXPECT_EQ(Value(r, c.setting), c.stored) << c.name;
  }
}

TEST(ProfileEntryEdit, RefusalsLeaveTheRecordAsItWas) {
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    EntryEditError error;
  };
  const Case cases[] = {
      {L"PowerDownTime", L"9", EntryEditError::kOutOfRange},
      {L"PowerDownTime", L"0", EntryEditError::kOutOfRange},
      {L"LiftDetectionHeight", L"3", EntryEditError::kOutOfRange},
      {L"AngleSnap", L"2", EntryEditError::kOutOfRange},
      {L"PowerDownTime", L"-1", EntryEditError::kNotANumber},
      {L"PowerDownTime", L" 2", EntryEditError::kNotANumber},
      {L"PowerDownTime", L"", EntryEditError::kNotANumber},
      {L"PowerDownTime", L"99999999999", EntryEditError::kNotANumber},
      {L"DPIOffOnFlagValue", L"0x100", EntryEditError::kOutOfRange},
      {L"DPIOffOnFlagValue", L"0", EntryEditError::kNoStageLeft},
      {L"CurrentDPILevelValue", L"8", EntryEditError::kOutOfRange},
      {L"CurrentDPILevelValue", L"6", EntryEditError::kStageDisabled},  // mask 0x3F
      {L"ProfileName", L"", EntryEditError::kEmptyName},
      {L"ProfileName", L"two\r\nlines", EntryEditError::kLineBreak},
      {L"PointerSpeed", L"5", EntryEditError::kUnknownEntry},  // carried only, never changed
      {L"profilename", L"x", EntryEditError::kUnknownEntry},
  };
  const gm::ProfileRecord before = ResetRecord();
  for (const Case& c : cases) {
    gm::ProfileRecord r = before;
    const gm::EntryEditResult result = gm::SetProfileEntry(r, c.name, c.value);
    EXPECT_EQ(result.error, c.error) << c.name << "=" << c.value;
    EXPECT_EQ(r, before) << c.name << "=" << c.value;
  }
}

TEST(ProfileEntryEdit, OutOfRangeNamesTheAllowedValues) {
  gm::ProfileRecord r = ResetRecord();
  EXPECT_EQ(gm::SetProfileEntry(r, L"PowerDownTime", L"9").allowed, L"1..8");
  EXPECT_EQ(gm::SetProfileEntry(r, L"LiftDetectionHeight", L"4").allowed, L"1, 2, 7");
  EXPECT_EQ(gm::SetProfileEntry(r, L"DPIOffOnFlagValue", L"256").allowed, L"0x01..0xFF");
}

TEST(ProfileEntryEdit, StageMaskAndCurrentStageStayConsistent) {
  gm::ProfileRecord r = ResetRecord();
  ASSERT_EQ(r.CurrentDPILevelValue, 2);
  // Disabling the current stage moves it on to the next enabled one, as unchecking it does.
  ASSERT_TRUE(gm::SetProfileEntry(r, L"DPIOffOnFlagValue", L"0x31"));  // stages 0, 4, 5
  EXPECT_EQ(r.DPIOffOnFlagValue, 0x31);
  EXPECT_EQ(r.CurrentDPILevelValue, 4);
  // ... wrapping round the end.
  ASSERT_TRUE(gm::SetProfileEntry(r, L"DPIOffOnFlagValue", L"3"));
  EXPECT_EQ(r.CurrentDPILevelValue, 0);
  // A mask that keeps the current stage leaves it.
  ASSERT_TRUE(gm::SetProfileEntry(r, L"CurrentDPILevelValue", L"1"));
  ASSERT_TRUE(gm::SetProfileEntry(r, L"DPIOffOnFlagValue", L"0xFF"));
  EXPECT_EQ(r.CurrentDPILevelValue, 1);
  ASSERT_TRUE(gm::SetProfileEntry(r, L"CurrentDPILevelValue", L"7"));
  EXPECT_EQ(r.CurrentDPILevelValue, 7);
}
