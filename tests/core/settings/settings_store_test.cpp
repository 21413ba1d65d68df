#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/app_config.h"
#include "settings/environment.h"
#include "settings/language.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "settings/temp_folder.h"
#include "settings/test_state.h"
#include "settings/text_file.h"
#include "settings/utf.h"

namespace {

// Runs the program's settings against a temporary data folder.
class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.texts[85] = L"First";
    s_.texts[87] = L"Third";
  }

  std::string Config() const { return folder_.ReadBytes("config/config.ini"); }
  std::string ProfileBytes(int slot) const {
    return folder_.ReadBytes("config/default" + std::to_string(slot) + ".psf");
  }
  gm::ProfileRecord ResetRecord(int slot) const {
    gm::ProfileRecord r;
    gm::ResetProfile(r, slot, s_.texts, s_.sensor.id);
    return r;
  }
  // Replaces one line of config.ini.
  void EditConfig(const std::string& from, const std::string& to) {
    std::string bytes = Config();
    const std::string f = gm::test::Le(from);
    const size_t at = bytes.find(f);
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, f.size(), gm::test::Le(to));
    folder_.WriteBytes("config/config.ini", bytes);
  }

  gm::test::TestState<> state_;
  gm::SettingsModel& s_ = *state_;
  const gm::test::TempFolder& folder_ = state_.Folder();
};

}  // namespace

TEST_F(SettingsStore, AFirstStartWritesTheDefaultsAndTheSecondReadsThem) {
  EXPECT_FALSE(gm::LoadAppConfig(s_));
  EXPECT_EQ(s_.config, gm::AppConfigDefaults(s_.env.dataFolder));
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_TRUE(s_.profiles[slot] == ResetRecord(slot)) << slot;
    gm::ProfileRecord onDisk;
    EXPECT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(s_.config, slot), onDisk)) << slot;
    EXPECT_TRUE(onDisk == ResetRecord(slot)) << slot;
  }
  EXPECT_EQ(gm::ProfileName(s_.profiles[2]), L"Third");

  const std::string config = Config();
  const std::string slot1 = ProfileBytes(1);
  s_.profiles = {};
  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_TRUE(s_.profiles[1] == ResetRecord(1));
  EXPECT_EQ(Config(), config);
  EXPECT_EQ(ProfileBytes(1), slot1);
}

TEST_F(SettingsStore, AnInvalidConfigResetsEveryProfile) {
  gm::LoadAppConfig(s_);
  gm::SetPointerSpeed(s_.profiles[3], 9);
  ASSERT_TRUE(gm::SaveAllProfiles(s_));
  EditConfig("[Setting]", "[setting]");
  EXPECT_FALSE(gm::LoadAppConfig(s_));
  EXPECT_EQ(gm::SettingValue(s_.profiles[3], gm::kPointerSpeed), L"5");
  EXPECT_EQ(Config().substr(2, 18), gm::test::Le("[Setting]"));
}

TEST_F(SettingsStore, AStoredSensorChangeResetsTheStagesOfAllProfiles) {
  gm::LoadAppConfig(s_);
  for (auto& r : s_.profiles) gm::SetKeyDebounce(r, 5);  // kept by the sensor change
  s_.profiles[4].XYSettingValueX[0] = 0x1FF;
  gm::SaveAllProfiles(s_);
  EditConfig("Sensor=0x3950", "Sensor=0x3395");
  EditConfig("CurrentProfile=0", "CurrentProfile=3");

  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_EQ(s_.sensor.id, 0x3395);
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kPreST), L"0xCC6A");
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kCurrentProfile), L"0") << "rewritten from the current profile";
  const std::array<std::uint16_t, 8> stages3395 = {0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0x207, 0x207, 0x207};
  for (int slot = 0; slot < 5; ++slot) {
    gm::ProfileRecord onDisk;
    ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(s_.config, slot), onDisk));
    EXPECT_EQ(onDisk.XYSettingValueX, stages3395) << slot;
    EXPECT_EQ(onDisk.XYSettingValueY, stages3395) << slot;
    EXPECT_EQ(gm::SettingValue(onDisk, gm::kKeyDebounce), L"5") << slot;
    EXPECT_TRUE(onDisk == s_.profiles[slot]) << slot;
  }
  gm::AppConfigTable table;
  gm::CStdioFileEx file;
  ASSERT_TRUE(file.Open(gm::AppConfigPath(s_.env.dataFolder), gm::kOpenForReading));
  ASSERT_EQ(gm::ReadAppConfigLines(file, table), 17);
  EXPECT_EQ(table[gm::kPreST].Value, L"0xCC6A");
  EXPECT_EQ(table[gm::kCurrentProfile].Value, L"0");

  // The next start finds nothing to change.
  const std::string slot2 = ProfileBytes(2);
  s_.profiles[2].XYSettingValueX[0] = 0;
  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_EQ(s_.profiles[2].XYSettingValueX, stages3395);
  EXPECT_EQ(ProfileBytes(2), slot2);
}

TEST_F(SettingsStore, ARejectedSlotFileIsResetAndRewrittenAlone) {
  gm::LoadAppConfig(s_);
  for (auto& r : s_.profiles) gm::SetTiltSpeed(r, 7);
  gm::SaveAllProfiles(s_);
  std::string bad = ProfileBytes(2);
  bad.resize(bad.size() - 4);  // the last action loses a digit
  bad += gm::test::Le("\n");
  folder_.WriteBytes("config/default2.psf", bad);

  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_TRUE(s_.profiles[2] == ResetRecord(2));
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(s_.config, 2), onDisk));
  EXPECT_TRUE(onDisk == ResetRecord(2));
  EXPECT_EQ(gm::SettingValue(s_.profiles[1], gm::kTiltSpeed), L"7");
  EXPECT_EQ(gm::SettingValue(s_.profiles[3], gm::kTiltSpeed), L"7");
}

TEST_F(SettingsStore, AShortConfigKeepsTheDefaultsOfTheEntriesItLacks) {
  folder_.WriteBytes("config/config.ini", gm::test::kBom + gm::test::Le("[Setting]\nNeedPassword=0\n"));
  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kNeedPassword), L"0");
  EXPECT_EQ(gm::ProfileSlotPath(s_.config, 4), s_.env.dataFolder + L"config\\default4.psf");
  EXPECT_EQ(s_.sensor.id, 0x3950);
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "config" / "default4.psf"));
}

TEST_F(SettingsStore, ARenamedKeyIsKeptAndStillUsed) {
  gm::LoadAppConfig(s_);
  EditConfig("CurrentProfile=0", "Current=2");
  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_EQ(gm::GetCurrentProfile(s_.config), 2);
  s_.currentProfile = 1;
  ASSERT_TRUE(gm::SaveCurrentProfile(s_));
  EXPECT_NE(Config().find(gm::test::Le("\nCurrent=1\n")), std::string::npos);
}

TEST_F(SettingsStore, ImportReplacesASlotOnlyWithAnAcceptedFile) {
  gm::LoadAppConfig(s_);
  gm::ProfileRecord other = ResetRecord(0);
  gm::SetPointerSpeed(other, 10);
  other.KeyAssignments[1].KeyName = L"Imported";
  ASSERT_TRUE(gm::WriteProfileRecord(other, folder_.Program(L"good.psf")));
  folder_.WriteBytes("bad.psf", gm::test::kBom + gm::test::Le("[Setting]\nProfileName=x\n"));

  const gm::ProfileRecord before = s_.profiles[3];
  const std::string fileBefore = ProfileBytes(3);
  EXPECT_FALSE(gm::ImportProfile(s_, 3, folder_.Program(L"bad.psf")));
  EXPECT_FALSE(gm::ImportProfile(s_, 3, folder_.Program(L"missing.psf")));
  EXPECT_TRUE(s_.profiles[3] == before);
  EXPECT_EQ(ProfileBytes(3), fileBefore);

  EXPECT_TRUE(gm::ImportProfile(s_, 3, folder_.Program(L"good.psf")));
  EXPECT_TRUE(s_.profiles[3] == other);
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(s_.config, 3), onDisk));
  EXPECT_TRUE(onDisk == other);
  EXPECT_FALSE(gm::ImportProfile(s_, 5, folder_.Program(L"good.psf")));

  ASSERT_TRUE(gm::ExportProfile(s_, 3, folder_.Program(L"out.psf")));
  EXPECT_EQ(folder_.ReadBytes("out.psf"), ProfileBytes(3));
}

TEST_F(SettingsStore, ASensorReportedDuringTheRunIsAdopted) {
  gm::LoadAppConfig(s_);
  s_.currentProfile = 2;
  gm::ChangeSensor(s_, 0x8993);
  EXPECT_EQ(s_.sensor.id, 0x8993);
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kSensor), L"0x8993");
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kPreST), L"0x766C");
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kCurrentProfile), L"2");
  EXPECT_EQ(s_.sensor.count, 1300u);
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(s_.config, 4), onDisk));
  EXPECT_EQ(onDisk.XYSettingValueX[7], 0x513);
  s_.profiles = {};
  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_EQ(s_.sensor.id, 0x8993);
  EXPECT_EQ(s_.profiles[0].XYSettingValueY[5], 0x513);
}

TEST_F(SettingsStore, AStartUpReadFailureRewritesTheSlotsOwnFileNotTheOneRead) {
  gm::LoadAppConfig(s_);
  gm::SetTiltSpeed(s_.profiles[1], 9);
  gm::SaveAllProfiles(s_);
  const std::string bad = gm::test::kBom + gm::test::Le("[Setting]\n");
  folder_.WriteBytes("other.psf", bad);
  EXPECT_FALSE(gm::ReadProfileFile(s_, 1, folder_.Program(L"other.psf")));
  EXPECT_TRUE(s_.profiles[1] == ResetRecord(1));
  EXPECT_EQ(folder_.ReadBytes("other.psf"), bad);
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(s_.config, 1), onDisk));
  EXPECT_TRUE(onDisk == ResetRecord(1));
  EXPECT_FALSE(gm::ReadProfileFile(s_, 5, gm::ProfileSlotPath(s_.config, 1)));
  EXPECT_FALSE(gm::WriteProfileFile(s_, -1, folder_.Program(L"x.psf")));
}

// Two models (two programs, or two tests) share nothing: a sensor change in one rewrites only its
// own records, tables, configuration and files.
// The first bytes of a profile file: its first three lines.
std::string ProfileHead(const std::string& name) {
  return gm::test::kBom + gm::test::Le("[Setting]\nProfileName=" + name + "\nGameFile0=\n");
}

// A program started without its language files takes its texts from the English file it carries
// (config/Lan_En.txt, which the build puts into the program), so the profiles it writes on its
// first start carry English names, not empty ones.
TEST_F(SettingsStore, WithoutLanguageFilesTheCarriedTextsNameTheProfiles) {
  gm::LanguageTable carried;
  ASSERT_TRUE(gm::ReadLanguageFile(gm::FromUtf8(std::string(GM_SOURCE_ROOT) + "/config/Lan_En.txt"), carried).complete);
  EXPECT_FALSE(gm::LoadLanguage(s_.texts, s_.font, s_.env.dataFolder, 1.0f, carried));
  EXPECT_FALSE(gm::LoadAppConfig(s_));
  const std::string slot0 = ProfileBytes(0);
  EXPECT_EQ(slot0.substr(0, ProfileHead("Profile 1").size()), ProfileHead("Profile 1"));
  EXPECT_NE(slot0.find(gm::test::Le("\nKey0Name=Left Click\n\tKey0URL=\n\tKey0Value=100100\n")), std::string::npos);
  EXPECT_NE(slot0.find(gm::test::Le("\nKey5Name=DPI Cycle\n")), std::string::npos);
  EXPECT_NE(slot0.find(gm::test::Le("\nLighting1Name=Color Cycle\n")), std::string::npos);
  EXPECT_EQ(ProfileBytes(4).substr(0, ProfileHead("Profile 5").size()), ProfileHead("Profile 5"));
}

// The fixture's texts name slots 0 and 2 only.
TEST_F(SettingsStore, AProfileFileNeverGetsAnEmptyName) {
  gm::LoadAppConfig(s_);
  // A slot whose default text is missing is named after its number.
  EXPECT_EQ(ProfileBytes(1).substr(0, ProfileHead("Profile2").size()), ProfileHead("Profile2"));

  // A record that has lost its name is written with the slot's default name.
  s_.profiles[0].SettingEntries[gm::kProfileName].Value.clear();
  ASSERT_TRUE(gm::SaveAllProfiles(s_));
  EXPECT_EQ(ProfileBytes(0).substr(0, ProfileHead("First").size()), ProfileHead("First"));

  // A file saved without a name (as a start without texts used to write) reads with the default
  // name, which the next save writes.
  gm::ProfileRecord unnamed = ResetRecord(2);
  unnamed.SettingEntries[gm::kProfileName].Value.clear();
  ASSERT_TRUE(gm::WriteProfileRecord(unnamed, gm::ProfileSlotPath(s_.config, 2)));
  ASSERT_EQ(ProfileBytes(2).substr(0, ProfileHead("").size()), ProfileHead(""));
  EXPECT_TRUE(gm::LoadAppConfig(s_));
  EXPECT_EQ(gm::ProfileName(s_.profiles[2]), L"Third");
  ASSERT_TRUE(gm::SaveAllProfiles(s_));
  EXPECT_EQ(ProfileBytes(2).substr(0, ProfileHead("Third").size()), ProfileHead("Third"));

  // So does an imported one.
  ASSERT_TRUE(gm::WriteProfileRecord(unnamed, folder_.Program(L"unnamed.psf")));
  ASSERT_TRUE(gm::ImportProfile(s_, 4, folder_.Program(L"unnamed.psf")));
  EXPECT_EQ(gm::ProfileName(s_.profiles[4]), L"Profile5");
  EXPECT_EQ(ProfileBytes(4).substr(0, ProfileHead("Profile5").size()), ProfileHead("Profile5"));
}

TEST(SettingsModels, TwoModelsDoNotSeeEachOthersEdits) {
  gm::test::TestState<> a, b;
  gm::LoadAppConfig(*a);
  gm::LoadAppConfig(*b);
  gm::BuildSensorDpiTables(a->sensor);
  gm::BuildSensorDpiTables(b->sensor);
  const std::string bConfig = b.Folder().ReadBytes("config/config.ini");
  const std::string bSlot0 = b.Folder().ReadBytes("config/default0.psf");

  gm::ChangeSensor(*a, 0x3809);
  gm::SetPointerSpeed(a->profiles[0], 9);
  ASSERT_TRUE(gm::SaveAllProfiles(*a));

  EXPECT_EQ(a->sensor.count, 60u);
  EXPECT_EQ(b->sensor.id, 0x3950);
  EXPECT_EQ(b->sensor.count, 600u);
  EXPECT_EQ(gm::AppConfigValue(b->config, gm::kSensor), L"0x3950");
  EXPECT_EQ(gm::SettingValue(b->profiles[0], gm::kPointerSpeed), L"5");
  EXPECT_EQ(b.Folder().ReadBytes("config/config.ini"), bConfig);
  EXPECT_EQ(b.Folder().ReadBytes("config/default0.psf"), bSlot0);
}
