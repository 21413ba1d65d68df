#include "settings/app_config.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/settings_model.h"
#include "settings/temp_folder.h"
#include "settings/text_file.h"

using gm::test::kBom;
using gm::test::Le;

namespace {

const char kDefaultsForCD[] =
    "[Setting]\n"
    "NeedPassword=1\n"
    "Sensor=0x3950\n"
    "PreST=0xC6AF\n"
    "Mac_ID=0xFFFFFFFF\n"
    "DataChange=0x1234\n"
    "CurrentProfile=0\n"
    "ProfileShowCount=3\n"
    "ProfileShowList0=0\n"
    "ProfileShowList1=1\n"
    "ProfileShowList2=2\n"
    "ProfileShowList3=3\n"
    "ProfileShowList4=4\n"
    "ProfileSlot0URL=C:\\D\\config\\default0.psf\n"
    "ProfileSlot1URL=C:\\D\\config\\default1.psf\n"
    "ProfileSlot2URL=C:\\D\\config\\default2.psf\n"
    "ProfileSlot3URL=C:\\D\\config\\default3.psf\n"
    "ProfileSlot4URL=C:\\D\\config\\default4.psf\n";

int ReadLines(const std::string& text, gm::AppConfigTable& table) {
  gm::CStdioFileEx file;
  EXPECT_TRUE(file.OpenBytes(kBom + Le(text), gm::kOpenForReading));
  return gm::ReadAppConfigLines(file, table);
}

class AppConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { gm::FillAppConfigDefaults(s_.config, L"C:\\D\\"); }

  std::unique_ptr<gm::SettingsModel> model_ = std::make_unique<gm::SettingsModel>();
  gm::SettingsModel& s_ = *model_;
};

}  // namespace

TEST_F(AppConfigTest, DefaultsForAFolderAreWrittenAsTheHandWorkedFile) {
  gm::test::TempFolder folder;
  ASSERT_TRUE(gm::WriteAppConfigFile(s_.config, folder.Program(L"config.ini")));
  EXPECT_EQ(folder.ReadBytes("config.ini"), kBom + Le(kDefaultsForCD));
  EXPECT_EQ(gm::AppConfigPath(L"C:\\D\\"), L"C:\\D\\config\\config.ini");
  EXPECT_FALSE(gm::WriteAppConfigFile(s_.config, folder.Program(L"missing\\config.ini")));
}

TEST_F(AppConfigTest, ReaderAcceptsOnlyWellFormedLines) {
  const std::string good(kDefaultsForCD);
  const struct {
    const char* name;
    std::string text;
    int result;
  } cases[] = {
      {"the defaults", good, 17},
      {"section in lower case", "[setting]\nNeedPassword=1\n", -1},
      {"no section line", "NeedPassword=1\n", -1},
      {"empty file", "", -1},
      {"empty value", "[Setting]\nNeedPassword=1\nCurrentProfile=\n", -1},
      {"= first", "[Setting]\n=1\n", -1},
      {"no =", "[Setting]\nNeedPassword\n", -1},
      {"empty line", "[Setting]\nNeedPassword=1\n\nSensor=0x3950\n", -1},
      {"an 18th line", good + "Extra=1\n", -1},
      {"fewer lines", "[Setting]\nNeedPassword=0\nSensor=0x3395\n", 2},
      {"only the section", "[Setting]\n", 0},
  };
  for (const auto& c : cases) {
    gm::AppConfigTable table;
    EXPECT_EQ(ReadLines(c.text, table), c.result) << c.name;
  }
  gm::AppConfigTable table;
  std::string renamed = good;
  renamed.replace(renamed.find("CurrentProfile=0"), 16, "Current=2");
  ASSERT_EQ(ReadLines(renamed, table), 17);
  EXPECT_EQ(table[gm::kCurrentProfile], (gm::TextPair{L"Current", L"2"}));
  s_.config = table;
  EXPECT_EQ(gm::GetCurrentProfile(s_.config), 2);
}

TEST_F(AppConfigTest, SettersWriteTheirFormats) {
  gm::SetPreST(s_.config, 0x0FFF);
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kPreST), L"0x FFF");
  EXPECT_EQ(gm::GetPreST(s_.config), 0);
  gm::SetPreST(s_.config, 0xCC6A);
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kPreST), L"0xCC6A");
  EXPECT_EQ(gm::GetPreST(s_.config), 0xCC6A);
  gm::SetPreST(s_.config, 0x000A);
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kPreST), L"0x   A");

  s_.sensor.id = 0x0070;
  gm::SetSensorText(s_.config, s_.sensor.id);
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kSensor), L"0x0070");
  EXPECT_EQ(gm::ConfigSensor(s_.config), 0x0070);
  s_.config[gm::kSensor].Value = L"0x123456";
  EXPECT_EQ(gm::ConfigSensor(s_.config), 0x3456) << "low 16 bits";

  gm::SetCurrentProfile(s_.config, 4);
  gm::SetProfileShowCount(s_.config, 5);
  gm::SetProfileShowList(s_.config, 2, 0);
  EXPECT_EQ(gm::AppConfigValue(s_.config, gm::kCurrentProfile), L"4");
  EXPECT_EQ(gm::GetProfileShowCount(s_.config), 5);
  EXPECT_EQ(gm::GetProfileShowList(s_.config, 2), 0);
  gm::SetProfileShowList(s_.config, 5, 1);  // ignored
  EXPECT_EQ(gm::AppConfigKey(s_.config, 17), L"");
  EXPECT_EQ(gm::AppConfigValue(s_.config, -1), L"");
  EXPECT_EQ(gm::AppConfigKey(s_.config, 16), L"ProfileSlot4URL");
  EXPECT_EQ(gm::ProfileSlotPath(s_.config, 3), L"C:\\D\\config\\default3.psf");
  EXPECT_EQ(gm::ProfileSlotPath(s_.config, 5), L"");
}

TEST_F(AppConfigTest, OutOfRangeSlotsReadAsTheEntrysDefault) {
  const struct {
    int entry;
    const wchar_t* value;
    int (*get)(const gm::AppConfigTable&);
    int expected;
  } cases[] = {
      {gm::kCurrentProfile, L"3", gm::GetCurrentProfile, 3},
      {gm::kCurrentProfile, L"5", gm::GetCurrentProfile, 0},
      {gm::kCurrentProfile, L"-1", gm::GetCurrentProfile, 0},
      {gm::kCurrentProfile, L"", gm::GetCurrentProfile, 0},
      {gm::kCurrentProfile, L"2abc", gm::GetCurrentProfile, 2},
      {gm::kProfileShowCount, L"0", gm::GetProfileShowCount, 3},
      {gm::kProfileShowCount, L"6", gm::GetProfileShowCount, 3},
      {gm::kProfileShowCount, L"1", gm::GetProfileShowCount, 1},
      {gm::kProfileShowList0 + 4, L"9", [](const gm::AppConfigTable& t) { return gm::GetProfileShowList(t, 4); }, 4},
      {gm::kProfileShowList0 + 4, L"99999999999", [](const gm::AppConfigTable& t) { return gm::GetProfileShowList(t, 4); }, 4},
      {gm::kProfileShowList0 + 1, L"4", [](const gm::AppConfigTable& t) { return gm::GetProfileShowList(t, 1); }, 4},
  };
  for (const auto& c : cases) {
    gm::FillAppConfigDefaults(s_.config, L"C:\\D\\");
    s_.config[c.entry].Value = c.value;
    EXPECT_EQ(c.get(s_.config), c.expected) << c.entry;
  }
  EXPECT_EQ(gm::GetProfileShowList(s_.config, 7), 0);
}
