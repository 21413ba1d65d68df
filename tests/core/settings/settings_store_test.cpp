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
#include "settings/text_file.h"

namespace {

// Runs the program's settings against a temporary data folder.
class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder_.Path() / "config");
    gm::DataFolder = folder_.Program();
    gm::AppConfig = {};
    gm::Profiles = {};
    gm::SensorId = 0x3950;
    gm::CurrentProfileIndex = 0;
    gm::LanguageTexts[85] = L"First";
    gm::LanguageTexts[87] = L"Third";
  }
  void TearDown() override {
    gm::DataFolder.clear();
    gm::AppConfig = {};
    gm::Profiles = {};
    gm::SensorId = 0x3950;
    gm::CurrentProfileIndex = 0;
    for (auto& t : gm::LanguageTexts) t.clear();
    gm::BuildSensorDpiTables();
  }

  std::string Config() const { return folder_.ReadBytes("config/config.ini"); }
  std::string ProfileBytes(int slot) const {
    return folder_.ReadBytes("config/default" + std::to_string(slot) + ".psf");
  }
  static gm::ProfileRecord ResetRecord(int slot) {
    gm::ProfileRecord r;
    gm::ResetProfile(r, slot);
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

  gm::test::TempFolder folder_;
};

}  // namespace

TEST_F(SettingsStore, AFirstStartWritesTheDefaultsAndTheSecondReadsThem) {
  EXPECT_FALSE(gm::LoadAppConfig());
  EXPECT_EQ(gm::AppConfig, gm::AppConfigDefaults(gm::DataFolder));
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_TRUE(gm::Profiles[slot] == ResetRecord(slot)) << slot;
    gm::ProfileRecord onDisk;
    EXPECT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(slot), onDisk)) << slot;
    EXPECT_TRUE(onDisk == ResetRecord(slot)) << slot;
  }
  EXPECT_EQ(gm::ProfileName(gm::Profiles[2]), L"Third");

  const std::string config = Config();
  const std::string slot1 = ProfileBytes(1);
  gm::Profiles = {};
  EXPECT_TRUE(gm::LoadAppConfig());
  EXPECT_TRUE(gm::Profiles[1] == ResetRecord(1));
  EXPECT_EQ(Config(), config);
  EXPECT_EQ(ProfileBytes(1), slot1);
}

TEST_F(SettingsStore, AnInvalidConfigResetsEveryProfile) {
  gm::LoadAppConfig();
  gm::SetPointerSpeed(gm::Profiles[3], 9);
  ASSERT_TRUE(gm::SaveAllProfiles());
  EditConfig("[Setting]", "[setting]");
  EXPECT_FALSE(gm::LoadAppConfig());
  EXPECT_EQ(gm::SettingValue(gm::Profiles[3], gm::kPointerSpeed), L"5");
  EXPECT_EQ(Config().substr(2, 18), gm::test::Le("[Setting]"));
}

TEST_F(SettingsStore, AStoredSensorChangeResetsTheStagesOfAllProfiles) {
  gm::LoadAppConfig();
  for (auto& r : gm::Profiles) gm::SetKeyDebounce(r, 5);  // kept by the sensor change
  gm::Profiles[4].XYSettingValueX[0] = 0x1FF;
  gm::SaveAllProfiles();
  EditConfig("Sensor=0x3950", "Sensor=0x3395");
  EditConfig("CurrentProfile=0", "CurrentProfile=3");

  EXPECT_TRUE(gm::LoadAppConfig());
  EXPECT_EQ(gm::SensorId, 0x3395);
  EXPECT_EQ(gm::AppConfigValue(gm::kPreST), L"0xCC6A");
  EXPECT_EQ(gm::AppConfigValue(gm::kCurrentProfile), L"0") << "rewritten from CurrentProfileIndex";
  const std::array<std::uint16_t, 8> stages3395 = {0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0x207, 0x207, 0x207};
  for (int slot = 0; slot < 5; ++slot) {
    gm::ProfileRecord onDisk;
    ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(slot), onDisk));
    EXPECT_EQ(onDisk.XYSettingValueX, stages3395) << slot;
    EXPECT_EQ(onDisk.XYSettingValueY, stages3395) << slot;
    EXPECT_EQ(gm::SettingValue(onDisk, gm::kKeyDebounce), L"5") << slot;
    EXPECT_TRUE(onDisk == gm::Profiles[slot]) << slot;
  }
  gm::AppConfigTable table;
  gm::CStdioFileEx file;
  ASSERT_TRUE(file.Open(gm::AppConfigPath(gm::DataFolder), gm::kOpenForReading));
  ASSERT_EQ(gm::ReadAppConfigLines(file, table), 17);
  EXPECT_EQ(table[gm::kPreST].Value, L"0xCC6A");
  EXPECT_EQ(table[gm::kCurrentProfile].Value, L"0");

  // The next start finds nothing to change.
  const std::string slot2 = ProfileBytes(2);
  gm::Profiles[2].XYSettingValueX[0] = 0;
  EXPECT_TRUE(gm::LoadAppConfig());
  EXPECT_EQ(gm::Profiles[2].XYSettingValueX, stages3395);
  EXPECT_EQ(ProfileBytes(2), slot2);
}

TEST_F(SettingsStore, ARejectedSlotFileIsResetAndRewrittenAlone) {
  gm::LoadAppConfig();
  for (auto& r : gm::Profiles) gm::SetTiltSpeed(r, 7);
  gm::SaveAllProfiles();
  std::string bad = ProfileBytes(2);
  bad.resize(bad.size() - 4);  // the last action loses a digit
  bad += gm::test::Le("\n");
  folder_.WriteBytes("config/default2.psf", bad);

  EXPECT_TRUE(gm::LoadAppConfig());
  EXPECT_TRUE(gm::Profiles[2] == ResetRecord(2));
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(2), onDisk));
  EXPECT_TRUE(onDisk == ResetRecord(2));
  EXPECT_EQ(gm::SettingValue(gm::Profiles[1], gm::kTiltSpeed), L"7");
  EXPECT_EQ(gm::SettingValue(gm::Profiles[3], gm::kTiltSpeed), L"7");
}

TEST_F(SettingsStore, AShortConfigKeepsTheDefaultsOfTheEntriesItLacks) {
  folder_.WriteBytes("config/config.ini", gm::test::kBom + gm::test::Le("[Setting]\nNeedPassword=0\n"));
  EXPECT_TRUE(gm::LoadAppConfig());
  EXPECT_EQ(gm::AppConfigValue(gm::kNeedPassword), L"0");
  EXPECT_EQ(gm::ProfileSlotPath(4), gm::DataFolder + L"config\\default4.psf");
  EXPECT_EQ(gm::SensorId, 0x3950);
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "config" / "default4.psf"));
}

TEST_F(SettingsStore, ARenamedKeyIsKeptAndStillUsed) {
  gm::LoadAppConfig();
  EditConfig("CurrentProfile=0", "Current=2");
  EXPECT_TRUE(gm::LoadAppConfig());
  EXPECT_EQ(gm::GetCurrentProfile(), 2);
  gm::CurrentProfileIndex = 1;
  ASSERT_TRUE(gm::SaveCurrentProfile());
  EXPECT_NE(Config().find(gm::test::Le("\nCurrent=1\n")), std::string::npos);
}

TEST_F(SettingsStore, ImportReplacesASlotOnlyWithAnAcceptedFile) {
  gm::LoadAppConfig();
  gm::ProfileRecord other = ResetRecord(0);
  gm::SetPointerSpeed(other, 10);
  other.KeyAssignments[1].KeyName = L"Imported";
  ASSERT_TRUE(gm::WriteProfileRecord(other, folder_.Program(L"good.psf")));
  folder_.WriteBytes("bad.psf", gm::test::kBom + gm::test::Le("[Setting]\nProfileName=x\n"));

  const gm::ProfileRecord before = gm::Profiles[3];
  const std::string fileBefore = ProfileBytes(3);
  EXPECT_FALSE(gm::ImportProfile(3, folder_.Program(L"bad.psf")));
  EXPECT_FALSE(gm::ImportProfile(3, folder_.Program(L"missing.psf")));
  EXPECT_TRUE(gm::Profiles[3] == before);
  EXPECT_EQ(ProfileBytes(3), fileBefore);

  EXPECT_TRUE(gm::ImportProfile(3, folder_.Program(L"good.psf")));
  EXPECT_TRUE(gm::Profiles[3] == other);
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(3), onDisk));
  EXPECT_TRUE(onDisk == other);
  EXPECT_FALSE(gm::ImportProfile(5, folder_.Program(L"good.psf")));

  ASSERT_TRUE(gm::ExportProfile(3, folder_.Program(L"out.psf")));
  EXPECT_EQ(folder_.ReadBytes("out.psf"), ProfileBytes(3));
}

TEST_F(SettingsStore, ASensorReportedDuringTheRunIsAdopted) {
  gm::LoadAppConfig();
  gm::CurrentProfileIndex = 2;
  gm::ChangeSensor(0x8993);
  EXPECT_EQ(gm::SensorId, 0x8993);
  EXPECT_EQ(gm::AppConfigValue(gm::kSensor), L"0x8993");
  EXPECT_EQ(gm::AppConfigValue(gm::kPreST), L"0x766C");
  EXPECT_EQ(gm::AppConfigValue(gm::kCurrentProfile), L"2");
  EXPECT_EQ(gm::SensorDpiCount, 1300u);
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(4), onDisk));
  EXPECT_EQ(onDisk.XYSettingValueX[7], 0x513);
  gm::Profiles = {};
  EXPECT_TRUE(gm::LoadAppConfig());
  EXPECT_EQ(gm::SensorId, 0x8993);
  EXPECT_EQ(gm::Profiles[0].XYSettingValueY[5], 0x513);
}

TEST_F(SettingsStore, AStartUpReadFailureRewritesTheSlotsOwnFileNotTheOneRead) {
  gm::LoadAppConfig();
  gm::SetTiltSpeed(gm::Profiles[1], 9);
  gm::SaveAllProfiles();
  const std::string bad = gm::test::kBom + gm::test::Le("[Setting]\n");
  folder_.WriteBytes("other.psf", bad);
  EXPECT_FALSE(gm::ReadProfileFile(1, folder_.Program(L"other.psf")));
  EXPECT_TRUE(gm::Profiles[1] == ResetRecord(1));
  EXPECT_EQ(folder_.ReadBytes("other.psf"), bad);
  gm::ProfileRecord onDisk;
  ASSERT_TRUE(gm::ReadProfileRecord(gm::ProfileSlotPath(1), onDisk));
  EXPECT_TRUE(onDisk == ResetRecord(1));
  EXPECT_FALSE(gm::ReadProfileFile(5, gm::ProfileSlotPath(1)));
  EXPECT_FALSE(gm::WriteProfileFile(-1, folder_.Program(L"x.psf")));
}
