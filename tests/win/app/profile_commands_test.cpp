// The profile commands as the main window runs them, against a temporary data folder: the dialogs
// are answered as a person would, and the test reads back the config.ini and profile files that
// were written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/profile_commands.h"
#include "app/profile_operations.h"
#include "dialogs/profile_name_dlg.h"
#include "settings/language_indexes.h"
#include "settings/settings_store.h"
#include "ui/ui_test_support.h"

namespace {

using gm::win::CProfileNameDlg;
using uitest::RunScriptedWhile;

// UTF-16LE bytes of a text, as the settings files store it.
std::string Utf16(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The message of the notice `h`.
std::wstring NoticeText(HWND h) { return uitest::LabelOf(h, 2013); }

class ProfileCommandsTest : public ::testing::Test, public gm::win::ProfileCommandHost {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tmp);
    folder_ = std::wstring(tmp) + L"gm-profile-commands-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ + L"config");
    ui_.texts[gm::kTextOk] = L"OK";
    ui_.texts[gm::kTextCancel] = L"Cancel";
    ui_.texts[gm::kTextImportProfileTitle] = L"Import profile";
    ui_.texts[gm::kTextExportProfileTitle] = L"Export profile";
    ui_.texts[gm::kTextNoFreeProfile] = L"All five profiles are in use.";
    ui_.texts[gm::kTextCannotDeleteCurrentProfile] = L"The current profile cannot be deleted.";
    state_->env.dataFolder = folder_;
    state_->texts = ui_.texts;
    state_->sensor.id = 0x3950;
    gm::FillAppConfigDefaults(state_->config, folder_);
    for (int slot = 0; slot < gm::kProfileCount; ++slot) {
      gm::ResetProfile(state_->profiles[static_cast<size_t>(slot)], slot, state_->texts, state_->sensor.id);
    }
    ASSERT_TRUE(SaveAllSettings());
    saves_ = 0;
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  // ProfileCommandHost: what the main controller does to save.
  bool SaveAllSettings() override {
    ++saves_;
    return gm::SaveCurrentProfile(*state_) && gm::SaveAllProfiles(*state_);
  }
  void RefreshFromProfile() override { ++refreshes_; }
  std::optional<std::wstring> ChooseProfileFile(const gm::win::ProfileFileRequest& request) override {
    requests_.push_back(request);
    return chosen_;
  }

  gm::win::ProfileCommandTarget Target() { return {*state_, ui_.context, nullptr, *this}; }
  std::string Config() const { return ReadBytes(folder_ + L"config\\config.ini"); }
  std::string ProfileFile(int slot) const {
    return ReadBytes(folder_ + L"config\\default" + std::to_wstring(slot) + L".psf");
  }
  // Runs `command` while `steps` answer its dialogs.
  INT_PTR Run(const std::function<bool()>& command, std::vector<std::function<void(HWND)>> steps) {
    return RunScriptedWhile(ui_.dialogs, [&] { return static_cast<INT_PTR>(command()); }, std::move(steps));
  }

  std::wstring folder_;
  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  std::unique_ptr<gm::AppState> state_ = std::make_unique<gm::AppState>();
  int saves_ = 0;
  int refreshes_ = 0;
  std::optional<std::wstring> chosen_;
  std::vector<gm::win::ProfileFileRequest> requests_;
};

// The start of a profile file whose name line is `name`.
std::string NameLine(const std::wstring& name) { return Utf16(L"[Setting]\nProfileName=" + name + L"\n"); }
const std::string kMark = "\xFF\xFE";

TEST_F(ProfileCommandsTest, AddShowsTheFirstHiddenSlotWithTheTypedName) {
  const std::string configBefore = Config();
  const std::string slot3Before = ProfileFile(3);
  // Cancelled: nothing changes and nothing is saved.
  EXPECT_EQ(Run([&] { return gm::win::AddProfileCommand(Target()); },
                {[](HWND h) { uitest::ClickControl(h, CProfileNameDlg::kCancel); }}),
            0);
  EXPECT_EQ(saves_, 0);
  EXPECT_EQ(Config(), configBefore);

  state_->profiles[3].DPIOffOnFlagValue = 0x01;  // an old setting the add must not keep
  EXPECT_EQ(Run([&] { return gm::win::AddProfileCommand(Target()); },
                {[](HWND h) {
                   for (wchar_t c : std::wstring(L"Gämer €")) PostMessageW(GetDlgItem(h, CProfileNameDlg::kName), WM_CHAR, c, 1);
                 },
                 [](HWND h) { uitest::ClickControl(h, CProfileNameDlg::kOk); }}),
            1);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(refreshes_, 1);
  EXPECT_EQ(Config().find(Utf16(L"ProfileShowCount=4\n")) != std::string::npos, true);
  const std::string slot3 = ProfileFile(3);
  EXPECT_NE(slot3, slot3Before);
  EXPECT_EQ(slot3.substr(0, 2 + NameLine(L"Gämer €").size()), kMark + NameLine(L"Gämer €"));
  EXPECT_NE(slot3.find(Utf16(L"DPIOffOnFlagValue=3F\n")), std::string::npos);  // reset
}

TEST_F(ProfileCommandsTest, FiveShownMeansOnlyTheNotice) {
  state_->config[gm::kProfileShowCount].Value = L"5";
  EXPECT_FALSE(gm::win::AddProfileCommand(Target()));  // no dialog at all
  std::wstring shown;
  Run([&] {
        gm::win::RunProfileOperation(Target(), static_cast<std::uint8_t>(gm::AddOperationCode(state_->config)), 0);
        return true;
      },
      {[&](HWND h) {
        shown = NoticeText(h);
        uitest::ClickControl(h, 2010);
      }});
  EXPECT_EQ(shown, L"All five profiles are in use.");
  EXPECT_EQ(saves_, 0);
}

TEST_F(ProfileCommandsTest, RenameKeepsTheSettingsAndSavesAtOnce) {
  const std::string before = ProfileFile(1);
  const std::wstring oldName = gm::ProfileName(state_->profiles[1]);
  EXPECT_EQ(Run([&] { return gm::win::RenameProfileCommand(Target(), 1); },
                {[](HWND h) {
                   PostMessageW(GetDlgItem(h, CProfileNameDlg::kName), WM_CHAR, L'!', 1);
                   PostMessageW(GetDlgItem(h, CProfileNameDlg::kName), WM_KEYDOWN, VK_RETURN, 1);
                 }}),
            1);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(refreshes_, 1);
  const std::string after = ProfileFile(1);
  const std::string oldLine = NameLine(oldName), newLine = NameLine(oldName + L"!");
  EXPECT_EQ(after.substr(0, 2 + newLine.size()), kMark + newLine);
  // Everything after the name line is as it was.
  EXPECT_EQ(after.substr(2 + newLine.size()), before.substr(2 + oldLine.size()));
}

// While the rename dialog is open the mouse reports a new stage and rate, which the window folds
// into the record; OK changes the name alone.
TEST_F(ProfileCommandsTest, RenameKeepsWhatTheMouseChangedWhileTheDialogWasOpen) {
  gm::ProfileRecord& record = state_->profiles[0];
  const int stage = record.CurrentDPILevelValue == 0 ? 1 : 0;
  gm::ThreeBytes rate = record.PollingRateValue;
  rate[0] ^= 0x01;
  const std::wstring newName = gm::ProfileName(record) + L"!";
  EXPECT_EQ(Run([&] { return gm::win::RenameProfileCommand(Target(), 0); },
                {[&](HWND h) {
                   record.CurrentDPILevelValue = stage;
                   record.PollingRateValue = rate;
                   PostMessageW(GetDlgItem(h, CProfileNameDlg::kName), WM_CHAR, L'!', 1);
                   PostMessageW(GetDlgItem(h, CProfileNameDlg::kName), WM_KEYDOWN, VK_RETURN, 1);
                 }}),
            1);
  EXPECT_EQ(record.CurrentDPILevelValue, stage);
  EXPECT_EQ(record.PollingRateValue, rate);
  const std::string file = ProfileFile(0);
  EXPECT_EQ(file.substr(0, 2 + NameLine(newName).size()), kMark + NameLine(newName));
  EXPECT_EQ(gm::ProfileName(record), newName);
}

TEST_F(ProfileCommandsTest, RemoveWritesTheNewListAndRefusesTheCurrentProfile) {
  state_->currentProfile = 0;
  const std::string configBefore = ProfileFile(0) + Config();
  std::wstring shown;
  EXPECT_EQ(Run([&] { return gm::win::RemoveProfileCommand(Target(), 0); },
                {[&](HWND h) {
                  shown = NoticeText(h);
                  uitest::ClickControl(h, 2010);
                }}),
            0);
  EXPECT_EQ(shown, L"The current profile cannot be deleted.");
  EXPECT_EQ(ProfileFile(0) + Config(), configBefore);
  EXPECT_EQ(saves_, 0);

  EXPECT_TRUE(gm::win::RemoveProfileCommand(Target(), 1));
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(refreshes_, 1);
  EXPECT_NE(Config().find(Utf16(L"ProfileShowCount=2\nProfileShowList0=0\nProfileShowList1=2\nProfileShowList2=3\n"
                                L"ProfileShowList3=4\nProfileShowList4=1\n")),
            std::string::npos);
}

TEST_F(ProfileCommandsTest, ExportWritesTheSlotAndImportTakesOnlyAnAcceptedFile) {
  const std::wstring exported = folder_ + L"exported.psf";
  chosen_ = exported;
  ASSERT_TRUE(gm::win::ExportProfileCommand(Target(), 0));
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_TRUE(requests_[0].save);
  EXPECT_EQ(requests_[0].title, L"Export profile");
  EXPECT_EQ(ReadBytes(exported), ProfileFile(0));
  EXPECT_EQ(saves_, 0);  // an export saves nothing else

  // A rejected file and a cancelled dialog leave slot 2 and its file as they were.
  const gm::ProfileRecord slot2 = state_->profiles[2];
  const std::string slot2File = ProfileFile(2);
  std::ofstream(std::filesystem::path(folder_ + L"broken.psf"), std::ios::binary) << "\xFF\xFE[\0";
  for (std::optional<std::wstring> answer : {std::optional<std::wstring>(folder_ + L"broken.psf"),
                                             std::optional<std::wstring>(folder_ + L"missing.psf"),
                                             std::optional<std::wstring>()}) {
    chosen_ = answer;
    EXPECT_FALSE(gm::win::ImportProfileCommand(Target(), 2));
    EXPECT_EQ(state_->profiles[2], slot2);
    EXPECT_EQ(ProfileFile(2), slot2File);
  }
  EXPECT_EQ(saves_ + refreshes_, 0);

  chosen_ = exported;
  ASSERT_TRUE(gm::win::ImportProfileCommand(Target(), 2));
  EXPECT_EQ(requests_.back().title, L"Import profile");
  EXPECT_FALSE(requests_.back().save);
  EXPECT_EQ(state_->profiles[2], state_->profiles[0]);
  EXPECT_EQ(ProfileFile(2), ProfileFile(0));
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(refreshes_, 1);
}

}  // namespace
